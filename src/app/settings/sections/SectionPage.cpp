#include "settings/sections/SectionPage.h"

#include "settings/widgets/ShortcutField.h"
#include "settings/widgets/Widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace tessarin {

SectionPage::SectionPage(SectionContext& context, const QString& title, QWidget* parent)
    : QWidget(parent), context_(context), title_(title), scroll_(new QScrollArea(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus); // Tab goes from the sidebar straight to the first control
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll_);
    setAccessibleName(title);
}

void SectionPage::rebuild() {
    QWidget* focused = QApplication::focusWidget();
    const QString focus = focused && isAncestorOf(focused) ? focused->objectName() : QString();
    const int scrolled = scroll_->verticalScrollBar()->value();

    rebuilding_ = true;
    if (QWidget* old = scroll_->takeWidget()) {
        old->hide();
        old->deleteLater();
    }
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("sectionContent"));
    auto* page = new QVBoxLayout(content);
    page->setContentsMargins(20, 16, 20, 20);
    page->setSpacing(8);
    page->addWidget(boldLabel(title_, content, 1.5));
    build(page);
    page->addStretch(1);
    scroll_->setWidget(content);
    rebuilding_ = false;

    content->layout()->activate();
    // The window can't be narrowed past the page: texts and controls are never cut off on the right.
    scroll_->setMinimumWidth(content->minimumSizeHint().width() +
                             scroll_->verticalScrollBar()->sizeHint().width());
    scroll_->verticalScrollBar()->setRange(0, std::max(0, content->sizeHint().height() - scroll_->height()));
    scroll_->verticalScrollBar()->setValue(scrolled);
    if (!focus.isEmpty())
        if (auto* again = content->findChild<QWidget*>(focus))
            again->setFocus(Qt::OtherFocusReason);
}

bool SectionPage::act(const std::function<bool(SettingsModel&)>& operation) {
    const SettingsOutcome outcome = context_.bridge.run(operation);
    context_.dialogs.present(outcome);
    return outcome.done;
}

QVBoxLayout* SectionPage::group(QVBoxLayout* page, const QString& title) {
    QWidget* parent = page->parentWidget();
    QLabel* heading = boldLabel(title, parent);
    heading->setContentsMargins(0, 10, 0, 0);
    page->addWidget(heading);
    auto* card = new QFrame(parent);
    card->setObjectName(QStringLiteral("card"));
    // Light styles put the groups on the base colour; dark ones a step lighter than the window, where
    // check boxes and fields (drawn on the base colour) stand out.
    const QPalette& colors = parent->palette();
    const bool dark = colors.color(QPalette::Window).lightness() < 128;
    const QColor fill = dark ? colors.color(QPalette::Window).lighter(125) : colors.color(QPalette::Base);
    const QColor edge = dark ? fill.lighter(130) : colors.color(QPalette::Midlight);
    card->setStyleSheet(
        QStringLiteral("QFrame#card { background: %1; border: 1px solid %2; border-radius: 8px; }")
            .arg(fill.name(), edge.name()));
    card->setAccessibleName(title);
    auto* body = new QVBoxLayout(card);
    body->setContentsMargins(14, 10, 14, 10);
    body->setSpacing(8);
    page->addWidget(card);
    return body;
}

QLabel* SectionPage::note(QBoxLayout* into, const QString& text) {
    QLabel* label = secondaryLabel(text, into->parentWidget());
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    into->addWidget(label);
    return label;
}

QCheckBox* SectionPage::toggle(QBoxLayout* into, const QString& id, const QString& text, bool on,
                               std::function<bool(SettingsModel&, bool)> operation,
                               const QString& explanation) {
    auto* box = new QCheckBox(text, into->parentWidget());
    box->setObjectName(id);
    box->setChecked(on);
    into->addWidget(box);
    if (operation)
        connect(box, &QCheckBox::toggled, this, [this, operation = std::move(operation)](bool checked) {
            if (!rebuilding_)
                act([&](SettingsModel& m) { return operation(m, checked); });
        });
    if (!explanation.isEmpty()) {
        QLabel* label = note(into, explanation);
        const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                           style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
        label->setIndent(indent);
    }
    return box;
}

QComboBox* SectionPage::picker(QBoxLayout* into, const QString& id, const QString& label,
                               const QStringList& options, int current,
                               std::function<bool(SettingsModel&, int)> operation) {
    auto* combo = new QComboBox(into->parentWidget());
    combo->setObjectName(id);
    combo->addItems(options);
    combo->setCurrentIndex(current);
    combo->setAccessibleName(label);
    if (operation)
        connect(combo, &QComboBox::activated, this, [this, operation = std::move(operation)](int index) {
            if (!rebuilding_)
                act([&](SettingsModel& m) { return operation(m, index); });
        });
    if (!label.isEmpty())
        row(into, label, combo);
    else
        into->addWidget(combo);
    return combo;
}

QPushButton* SectionPage::button(QBoxLayout* into, const QString& id, const QString& text,
                                 std::function<void()> clicked) {
    auto* push = new QPushButton(text, into ? into->parentWidget() : nullptr);
    push->setObjectName(id);
    push->setAutoDefault(false);
    connect(push, &QPushButton::clicked, this, [this, clicked = std::move(clicked)] {
        if (!rebuilding_)
            clicked();
    });
    if (into)
        into->addWidget(push);
    return push;
}

QHBoxLayout* SectionPage::row(QBoxLayout* into, const QString& label, QWidget* control,
                              const QString& explanation) {
    auto* line = new QHBoxLayout;
    line->setSpacing(12);
    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    auto* title = new QLabel(label, into->parentWidget());
    title->setWordWrap(true);
    title->setBuddy(control);
    left->addWidget(title);
    if (!explanation.isEmpty()) {
        auto* text = new QLabel(explanation, into->parentWidget());
        text->setWordWrap(true);
        text->setForegroundRole(QPalette::PlaceholderText);
        left->addWidget(text);
    }
    line->addLayout(left, 1);
    if (control) {
        if (control->accessibleName().isEmpty())
            control->setAccessibleName(label);
        line->addWidget(control, 0, Qt::AlignRight | Qt::AlignVCenter);
    }
    into->addLayout(line);
    return line;
}

QLineEdit* SectionPage::textField(const QString& id, const QString& accessibleName, const QString& text,
                                  std::function<void(const QString&)> committed) {
    auto* field = new QLineEdit(text);
    field->setObjectName(id);
    field->setAccessibleName(accessibleName);
    connect(field, &QLineEdit::editingFinished, this, [this, field, text, committed = std::move(committed)] {
        if (rebuilding_ || field->text() == text || !field->isVisible())
            return;
        committed(field->text());
    });
    return field;
}

QWidget*
SectionPage::shortcut(const QString& id, const QString& name, const std::optional<HotKeySpec>& spec,
                      std::function<bool(SettingsModel&, const std::optional<HotKeySpec>&)> operation) {
    QWidget* control = makeShortcutControl(
        features(), spec,
        [this, operation = std::move(operation)](const std::optional<HotKeySpec>& chosen) {
            if (!rebuilding_)
                act([&](SettingsModel& m) { return operation(m, chosen); });
        },
        name, nullptr);
    control->setObjectName(id);
    return control;
}

void SectionPage::hintBar(QVBoxLayout* page, const QString& id, const QString& text, const QString& closeText,
                          std::function<bool(SettingsModel&)> close) {
    auto* bar = new QFrame(page->parentWidget());
    bar->setObjectName(QStringLiteral("hint"));
    bar->setStyleSheet(QStringLiteral("QFrame#hint { background: palette(alternate-base); border: 1px solid "
                                      "palette(highlight); border-radius: 8px; }"));
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(12, 8, 8, 8);
    auto* label = new QLabel(text, bar);
    label->setWordWrap(true);
    line->addWidget(label, 1);
    auto* dismiss = new QPushButton(closeText, bar);
    dismiss->setObjectName(id);
    dismiss->setAutoDefault(false);
    line->addWidget(dismiss, 0, Qt::AlignTop);
    connect(dismiss, &QPushButton::clicked, this, [this, close = std::move(close)] {
        if (!rebuilding_)
            act(close);
    });
    page->addWidget(bar);
}

} // namespace tessarin
