#pragma once

#include "settings/SettingsFeatures.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace tessarin {

// A shortcut as text with a "Clear" action: what every shortcut row shows where no key recorder is
// embedded.
class ShortcutField : public QWidget {
    Q_OBJECT
public:
    ShortcutField(const std::optional<HotKeySpec>& spec, const ShortcutText& text, ShortcutChanged onChange,
                  QWidget* parent = nullptr);

    QString text() const;

private:
    QLabel* label_;
    QToolButton* clear_;
};

// The recorder of `features` when there is one, else a ShortcutField. `name` labels it for assistive
// technology ("Shortcut for “Work”").
QWidget* makeShortcutControl(const SettingsFeatures& features, const std::optional<HotKeySpec>& spec,
                             ShortcutChanged onChange, const QString& name, QWidget* parent);

} // namespace tessarin
