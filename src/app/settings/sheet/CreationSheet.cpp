#include "settings/sheet/CreationSheet.h"

#include "organise/ScreenshotFilter.h"
#include "settings/NamingRules.h"
#include "settings/widgets/DayStepper.h"
#include "settings/widgets/ShortcutField.h"
#include "settings/widgets/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tessarin {

namespace {

QComboBox* modes(const QString& id, const QString& name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(id);
    combo->setAccessibleName(name);
    combo->addItems(
        {QStringLiteral("Never"), QStringLiteral("After idle"), QStringLiteral("After fixed time")});
    return combo;
}

} // namespace

CreationSheet::CreationSheet(SettingsBridge& bridge, const SettingsFeatures& features, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), bridge_(bridge) {
    setObjectName(QStringLiteral("CreationSheet"));
    setWindowTitle(QStringLiteral("New desktop"));
    setAttribute(Qt::WA_DeleteOnClose);
    const Config& config = bridge_.config();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 18);
    layout->setSpacing(6);

    layout->addWidget(boldLabel(QStringLiteral("New desktop"), this, 1.4));

    layout->addWidget(new QLabel(QStringLiteral("Name"), this));
    name_ = new QLineEdit(QString::fromStdString(uniqueWorkspaceName(config, "New Desktop")), this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setAccessibleName(QStringLiteral("Name"));
    name_->selectAll();
    layout->addWidget(name_);
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setObjectName(QStringLiteral("message"));
    QPalette warning = message_->palette();
    warning.setColor(QPalette::WindowText, QColor(0xE0, 0x40, 0x30));
    message_->setPalette(warning);
    message_->hide();
    layout->addWidget(message_);

    auto* shortcutLine = new QHBoxLayout;
    shortcutLine->addWidget(new QLabel(QStringLiteral("Shortcut"), this), 1);
    QWidget* recorder = makeShortcutControl(
        features, hotkey_, [this](const std::optional<HotKeySpec>& spec) { hotkey_ = spec; },
        QStringLiteral("Shortcut"), this);
    recorder->setObjectName(QStringLiteral("shortcut"));
    shortcutLine->addWidget(recorder);
    layout->addLayout(shortcutLine);
    layout->addWidget(
        secondaryLabel(QStringLiteral("⌥⇧ with a number is a good choice, usually free besides extra "
                                      "characters."),
                       this));

    const bool full = config.settings.optionClickCarousel.size() >=
                      static_cast<std::size_t>(AppSettings::optionClickCarouselLimit);
    carousel_ = new QCheckBox(QStringLiteral("Add to option-click carousel"), this);
    carousel_->setObjectName(QStringLiteral("carousel"));
    carousel_->setEnabled(!full);
    layout->addWidget(carousel_);
    if (full)
        layout->addWidget(secondaryLabel(QString::fromUtf8(DesktopEditor::carouselCapText), this));

    auto* typeLine = new QHBoxLayout;
    typeLine->addWidget(new QLabel(QStringLiteral("Type"), this), 1);
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("type"));
    type_->setAccessibleName(QStringLiteral("Type"));
    type_->addItems({QStringLiteral("Permanent"), QStringLiteral("Temporary")});
    typeLine->addWidget(type_);
    layout->addLayout(typeLine);
    typeText_ = secondaryLabel(QString(), this);
    layout->addWidget(typeText_);

    temporary_ = new QWidget(this);
    auto* options = new QVBoxLayout(temporary_);
    options->setContentsMargins(0, 4, 0, 0);
    options->setSpacing(6);
    options->addWidget(boldLabel(QStringLiteral("Auto-move"), temporary_));
    auto* moveLine = new QHBoxLayout;
    moveMode_ = modes(QStringLiteral("moveMode"), QStringLiteral("Auto-move"), temporary_);
    moveLine->addWidget(moveMode_);
    moveTarget_ = new QComboBox(temporary_);
    moveTarget_->setObjectName(QStringLiteral("moveTarget"));
    moveTarget_->setAccessibleName(QStringLiteral("Desktop to move into"));
    for (const auto& home : homes())
        moveTarget_->addItem(QString::fromStdString(home));
    moveLine->addWidget(moveTarget_, 1);
    options->addLayout(moveLine);
    if (moveTarget_->count() == 0) {
        moveTarget_->hide();
        options->addWidget(secondaryLabel(
            QStringLiteral("No other desktop to move into yet — create a permanent one first."), temporary_));
    }
    options->addWidget(boldLabel(QStringLiteral("Auto-archive"), temporary_));
    archiveMode_ = modes(QStringLiteral("archiveMode"), QStringLiteral("Auto-archive"), temporary_);
    options->addWidget(archiveMode_);
    auto* daysLine = new QHBoxLayout;
    daysLine->addWidget(new QLabel(QStringLiteral("After"), temporary_), 1);
    days_ = new DayStepper(0, temporary_);
    days_->setObjectName(QStringLiteral("days"));
    days_->setAccessibleName(QStringLiteral("Days"));
    days_->setValue(3);
    daysLine->addWidget(days_);
    options->addLayout(daysLine);
    options->addWidget(boldLabel(QStringLiteral("When should I remind you?"), temporary_));
    makeCleanup_ = new QCheckBox(QStringLiteral("Add a cleanup reminder when archived"), temporary_);
    makeCleanup_->setObjectName(QStringLiteral("makeCleanup"));
    makeCleanup_->setChecked(true);
    options->addWidget(makeCleanup_);
    layout->addWidget(temporary_);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    createButton_ = new QPushButton(QStringLiteral("Create"), this);
    createButton_->setObjectName(QStringLiteral("create"));
    createButton_->setDefault(true);
    buttons->addWidget(cancel);
    buttons->addWidget(createButton_);
    layout->addLayout(buttons);

    connect(name_, &QLineEdit::textChanged, this, &CreationSheet::validate);
    connect(type_, &QComboBox::currentIndexChanged, this, &CreationSheet::showType);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(createButton_, &QPushButton::clicked, this, &CreationSheet::create);
    showType();
    validate();
    resize(contentSize.expandedTo(minimumSizeHint()));
}

std::vector<std::string> CreationSheet::homes() const {
    const Config& config = bridge_.config();
    const auto& screenshots = config.settings.screenshotsWorkspace;
    std::vector<std::string> names;
    for (const auto& w : config.switchableWorkspaces())
        if (!screenshots || w.name != *screenshots)
            names.push_back(w.name);
    return names;
}

void CreationSheet::showType() {
    const bool temporary = type_->currentIndex() == 1;
    typeText_->setText(temporary
                           ? QStringLiteral("A temporary desktop can auto-move into another desktop or "
                                            "auto-archive, and drop a cleanup reminder on the calendar. "
                                            "Permanent desktops stay put.")
                           : QStringLiteral("Permanent desktops are always in the menu. They are never "
                                            "auto-archived."));
    temporary_->setVisible(temporary);
}

void CreationSheet::validate() {
    const std::string name = trimmedWhiteSpace(name_->text().toStdString());
    std::optional<std::string> problem;
    if (!name.empty()) {
        problem = desktopNameRefusal(name);
        if (!problem && bridge_.config().findWorkspace(name))
            problem = quotedName(name) + " already exists.";
    }
    message_->setText(problem ? QString::fromStdString(*problem) : QString());
    message_->setVisible(problem.has_value());
    createButton_->setEnabled(!name.empty() && !problem);
}

bool CreationSheet::canCreate() const {
    return createButton_->isEnabled();
}

QString CreationSheet::message() const {
    return message_->isVisible() ? message_->text() : QString();
}

bool CreationSheet::create() {
    if (!canCreate())
        return false;
    NewDesktop request;
    request.name = name_->text().toStdString();
    request.hotkey = hotkey_;
    request.addToCarousel = carousel_->isEnabled() && carousel_->isChecked();
    const bool temporary = type_->currentIndex() == 1;
    request.type = temporary ? WorkspaceType::temporary : WorkspaceType::permanent;
    request.createsCleanupTask = makeCleanup_->isChecked();
    if (temporary) {
        const auto moveMode = static_cast<ArchiveTimerMode>(moveMode_->currentIndex());
        const auto archiveMode = static_cast<ArchiveTimerMode>(archiveMode_->currentIndex());
        if (moveMode != ArchiveTimerMode::none) {
            request.timer = ArchiveTimer{moveMode, days_->value()};
            if (moveTarget_->count() > 0 && !moveTarget_->currentText().isEmpty())
                request.drainTarget = moveTarget_->currentText().toStdString();
        } else if (archiveMode != ArchiveTimerMode::none) {
            request.timer = ArchiveTimer{archiveMode, days_->value()};
        }
    }
    const SettingsOutcome outcome = bridge_.run([&](SettingsModel& m) { return m.desktops.create(request); });
    if (outcome.refusal) {
        message_->setText(QString::fromStdString(*outcome.refusal));
        message_->show();
        return false;
    }
    if (outcome.done)
        accept();
    return outcome.done;
}

void CreationSheet::placeNearMenuBar() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize size = this->size();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const int x = std::max(area.left(), area.right() + 1 - size.width() - 140);
    const int y = area.top() + std::max(0, std::min(90, area.height() - size.height()));
    move(x, y);
}

} // namespace tessarin
