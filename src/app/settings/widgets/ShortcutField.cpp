#include "settings/widgets/ShortcutField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace tessarin {

ShortcutField::ShortcutField(const std::optional<HotKeySpec>& spec, const ShortcutText& text,
                             ShortcutChanged onChange, QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), clear_(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    label_->setText(spec ? QString::fromStdString(text(*spec)) : QStringLiteral("None"));
    label_->setMinimumWidth(label_->fontMetrics().horizontalAdvance(QStringLiteral("⌃⌥⇧⌘Space")));
    label_->setForegroundRole(spec ? QPalette::WindowText : QPalette::PlaceholderText);
    clear_->setText(QStringLiteral("Clear"));
    clear_->setEnabled(spec.has_value());
    clear_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(label_);
    layout->addWidget(clear_);
    connect(clear_, &QToolButton::clicked, this,
            [onChange = std::move(onChange)] { onChange(std::nullopt); });
}

QString ShortcutField::text() const {
    return label_->text();
}

QWidget* makeShortcutControl(const SettingsFeatures& features, const std::optional<HotKeySpec>& spec,
                             ShortcutChanged onChange, const QString& name, QWidget* parent) {
    QWidget* control = features.keyRecorder
                           ? features.keyRecorder(spec, std::move(onChange), parent)
                           : new ShortcutField(spec, features.shortcutText, std::move(onChange), parent);
    control->setAccessibleName(name);
    if (auto* field = qobject_cast<ShortcutField*>(control))
        field->findChild<QToolButton*>()->setAccessibleName(QStringLiteral("Clear ") + name);
    return control;
}

} // namespace tessarin
