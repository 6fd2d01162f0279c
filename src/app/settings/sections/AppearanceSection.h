#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// The theme and accent, the switch animation, the menu-bar icon's animation and each desktop's wallpaper
// and light or dark mode.
class AppearanceSection : public SectionPage {
    Q_OBJECT
public:
    AppearanceSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;

private:
    void buildTheme(QVBoxLayout* page);
    void buildAnimation(QVBoxLayout* page);
    void buildWallpaper(QVBoxLayout* page);
    void chooseImage(const std::string& name);

    std::string wallpaperDesktop_; // the desktop whose wallpaper is edited
};

} // namespace tessarin
