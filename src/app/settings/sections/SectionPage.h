#pragma once

#include "settings/Dialogs.h"
#include "settings/SettingsBridge.h"
#include "settings/SettingsFeatures.h"

#include <QWidget>
#include <filesystem>
#include <functional>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace tessarin {

// What the settings window does for its sections besides the model's operations.
struct SectionActions {
    std::function<void()> newDesktop;
    std::function<void()> openCalendar;
    std::function<void(const std::filesystem::path&)> revealFolder;
    // The diagnostics report of the document as the model holds it.
    std::function<std::string(const Config&)> diagnostics;
    // The file-sync client that manages the Desktop folder now; none when no client does.
    std::function<std::optional<std::string>()> desktopSyncClient;
};

// Everything a section works with.
struct SectionContext {
    SettingsBridge& bridge;
    Dialogs& dialogs;
    const SettingsFeatures& features;
    SectionActions actions;
};

// One section of the settings window: a scrolling page drawn from the model's copy of the document and
// drawn again after every change. Its controls call the model's operations and nothing else. The
// focused control keeps the focus across a redraw (controls are found again by their object names).
class SectionPage : public QWidget {
    Q_OBJECT
public:
    SectionPage(SectionContext& context, const QString& title, QWidget* parent = nullptr);

    // Draws the page anew from the model's copy.
    void rebuild();
    const QString& title() const { return title_; }

protected:
    virtual void build(QVBoxLayout* page) = 0;

    SectionContext& context() { return context_; }
    const SettingsFeatures& features() const { return context_.features; }
    const Config& config() const { return context_.bridge.config(); }
    SettingsModel& model() { return context_.bridge.model(); }
    // Runs an operation of the model and shows its refusal over the window.
    bool act(const std::function<bool(SettingsModel&)>& operation);
    // True while the page is being redrawn: controls leaving the screen report nothing.
    bool rebuilding() const { return rebuilding_; }

    // A titled group; returns the layout of its body.
    QVBoxLayout* group(QVBoxLayout* page, const QString& title);
    // A secondary, wrapped explanation.
    QLabel* note(QBoxLayout* into, const QString& text);
    // A toggle bound to a setting through `operation` (none: the caller connects), with an optional
    // explanation under it.
    QCheckBox* toggle(QBoxLayout* into, const QString& id, const QString& text, bool on,
                      std::function<bool(SettingsModel&, bool)> operation, const QString& explanation = {});
    // A labelled choice among `options`; `operation` gets the chosen index (none: the caller connects).
    QComboBox* picker(QBoxLayout* into, const QString& id, const QString& label, const QStringList& options,
                      int current, std::function<bool(SettingsModel&, int)> operation);
    QPushButton* button(QBoxLayout* into, const QString& id, const QString& text,
                        std::function<void()> clicked);
    // A row: a label on the left (and its note under it), `control` on the right.
    QHBoxLayout* row(QBoxLayout* into, const QString& label, QWidget* control,
                     const QString& explanation = {});
    // A text field that reports its text when editing ends (Return or leaving it) with a change.
    QLineEdit* textField(const QString& id, const QString& accessibleName, const QString& text,
                         std::function<void(const QString&)> committed);
    // A shortcut control writing through `operation`.
    QWidget* shortcut(const QString& id, const QString& name, const std::optional<HotKeySpec>& spec,
                      std::function<bool(SettingsModel&, const std::optional<HotKeySpec>&)> operation);
    // A tinted bar with a text and a button that closes it.
    void hintBar(QVBoxLayout* page, const QString& id, const QString& text, const QString& closeText,
                 std::function<bool(SettingsModel&)> close);

private:
    SectionContext& context_;
    QString title_;
    QScrollArea* scroll_;
    bool rebuilding_ = false;
};

} // namespace tessarin
