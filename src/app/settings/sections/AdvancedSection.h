#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// Screenshot filtering, the custom filename rules and the uninstall.
class AdvancedSection : public SectionPage {
    Q_OBJECT
public:
    AdvancedSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;

private:
    void buildScreenshots(QVBoxLayout* page);
    void buildRules(QVBoxLayout* page);
    void ruleRow(QVBoxLayout* body, const CustomFilter& rule);
    void buildUninstall(QVBoxLayout* page);
    // The questions that follow turning screenshot filtering on.
    void offerFilenameMatching();
    void offerSweep();
};

} // namespace tessarin
