#pragma once

#include "settings/SettingsBridge.h"
#include "settings/SettingsFeatures.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tessarin {

class DayStepper;

// "New desktop": the name, a shortcut, the carousel, the type and, for a temporary desktop, when it
// moves into another desktop or is archived and whether archiving leaves a cleanup reminder. "Create"
// is enabled while the name is one a desktop can take; the naming rules' messages and the model's
// refusals show under the name, and the sheet stays open until a desktop was made. Everything it holds
// is discarded when it closes.
class CreationSheet : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize contentSize{380, 560};

    CreationSheet(SettingsBridge& bridge, const SettingsFeatures& features, QWidget* parent = nullptr);

    // Near the top right of the screen under the pointer: 140 from the right, 90 from the top.
    void placeNearMenuBar();
    // "Create": makes the desktop through the model; closes on success.
    bool create();

    QString message() const;
    bool canCreate() const;

private:
    void validate();
    void showType();
    // The permanent live desktops other than the screenshots desktop, in list order.
    std::vector<std::string> homes() const;

    SettingsBridge& bridge_;
    std::optional<HotKeySpec> hotkey_;
    QLineEdit* name_;
    QLabel* message_;
    QCheckBox* carousel_;
    QComboBox* type_;
    QLabel* typeText_;
    QWidget* temporary_;
    QComboBox* moveMode_;
    QComboBox* moveTarget_;
    QComboBox* archiveMode_;
    DayStepper* days_;
    QCheckBox* makeCleanup_;
    QPushButton* createButton_;
};

} // namespace tessarin
