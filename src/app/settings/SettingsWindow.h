#pragma once

#include "settings/Dialogs.h"
#include "settings/SettingsSections.h"

#include <QWidget>

class QListWidget;
class QVBoxLayout;

namespace tessarin {

// "Tessarin Settings": the sections in a sidebar, the selected one beside it, the program's name and
// version under the sidebar. It holds only the selected section (built when chosen) and the dialogs
// up over it; closing hides it, so a second opening shows the same window.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize initialSize{780, 480};

    SettingsWindow(SettingsBridge& bridge, const SettingsFeatures& features, SectionActions actions,
                   const QString& version, QWidget* parent = nullptr);

    // Shows the window (centred at its first showing) and brings it forward.
    void present();
    void select(SettingsSectionId id);
    SettingsSectionId selected() const { return selected_; }
    SectionPage* page() const { return page_; }
    Dialogs& dialogs() { return dialogs_; }

private:
    Dialogs dialogs_;
    SectionContext context_;
    QListWidget* sidebar_;
    QVBoxLayout* pane_;
    SectionPage* page_ = nullptr;
    SettingsSectionId selected_ = SettingsSectionId::general;
    bool placed_ = false;
};

} // namespace tessarin
