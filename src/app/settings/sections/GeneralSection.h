#pragma once

#include "settings/sections/SectionPage.h"

#include <QTimer>

namespace tessarin {

// Startup, the store's folders, the desktop-icon host and the diagnostics report.
class GeneralSection : public SectionPage {
    Q_OBJECT
public:
    static constexpr int hostPollMs = 2000;

    GeneralSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildStartup(QVBoxLayout* page);
    void buildFolders(QVBoxLayout* page);
    void buildPermissions(QVBoxLayout* page);
    void buildSupport(QVBoxLayout* page);
    IconHostState readHost() const;

    QTimer hostPoll_;
    IconHostState host_;
    bool copied_ = false;
};

} // namespace tessarin
