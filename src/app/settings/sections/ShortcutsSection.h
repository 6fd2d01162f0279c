#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// The desktops' and the commands' shortcuts, the option-click carousel and scrolling over the icon.
class ShortcutsSection : public SectionPage {
    Q_OBJECT
public:
    ShortcutsSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;

private:
    void buildCarousel(QVBoxLayout* page);
    void setCarousel(std::vector<std::string> names);
};

} // namespace tessarin
