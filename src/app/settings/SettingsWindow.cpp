#include "settings/SettingsWindow.h"

#include "settings/widgets/ThemeIcon.h"
#include "settings/widgets/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QShortcut>
#include <QVBoxLayout>

namespace tessarin {

SettingsWindow::SettingsWindow(SettingsBridge& bridge, const SettingsFeatures& features,
                               SectionActions actions, const QString& version, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(this), context_{bridge, dialogs_, features, std::move(actions)},
      sidebar_(new QListWidget(this)) {
    setObjectName(QStringLiteral("SettingsWindow"));
    setWindowTitle(QStringLiteral("Tessarin Settings"));
    setAccessibleName(QStringLiteral("Tessarin Settings"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* side = new QWidget(this);
    side->setObjectName(QStringLiteral("sidebar"));
    side->setAutoFillBackground(true);
    side->setBackgroundRole(QPalette::AlternateBase);
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(8, 12, 8, 10);
    sidebar_->setObjectName(QStringLiteral("sections"));
    sidebar_->setAccessibleName(QStringLiteral("Sections"));
    sidebar_->setFrameShape(QFrame::NoFrame);
    sidebar_->viewport()->setAutoFillBackground(false);
    const int iconSide = fontMetrics().height() + 4;
    sidebar_->setIconSize(QSize(iconSide, iconSide));
    int widest = 0;
    for (const auto& info : settingsSections) {
        auto* item = new QListWidgetItem(themeIcon(QString::fromLatin1(info.icon), palette()),
                                         QString::fromUtf8(info.title), sidebar_);
        item->setSizeHint(QSize(0, iconSide + 10));
        widest = std::max(widest, fontMetrics().horizontalAdvance(item->text()));
    }
    sidebar_->setFixedWidth(widest + iconSide + 44);
    column->addWidget(sidebar_, 1);
    auto* name = new QLabel(QStringLiteral("TESSARIN"), side);
    QFont font = name->font();
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    name->setFont(font);
    auto* versionLabel = new QLabel(version, side);
    versionLabel->setForegroundRole(QPalette::PlaceholderText);
    column->addWidget(name);
    column->addWidget(versionLabel);
    layout->addWidget(side);

    auto* pane = new QWidget(this);
    pane_ = new QVBoxLayout(pane);
    pane_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane, 1);

    connect(sidebar_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < static_cast<int>(settingsSections.size()))
            select(settingsSections[static_cast<std::size_t>(row)].id);
    });
    connect(&bridge, &SettingsBridge::changed, this, [this] {
        if (page_)
            page_->rebuild();
    });
    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    auto* create = new QShortcut(QKeySequence::New, this);
    connect(create, &QShortcut::activated, this, [this] {
        if (context_.actions.newDesktop)
            context_.actions.newDesktop();
    });
    select(SettingsSectionId::general);
}

void SettingsWindow::select(SettingsSectionId id) {
    const int row = static_cast<int>(id);
    if (page_ && id == selected_)
        return;
    selected_ = id;
    if (sidebar_->currentRow() != row)
        sidebar_->setCurrentRow(row);
    if (page_) {
        page_->hide();
        page_->deleteLater();
    }
    page_ = makeSectionPage(id, context_, this);
    page_->setObjectName(
        QString::fromLatin1(settingsSections[static_cast<std::size_t>(row)].rawValue.data()));
    pane_->addWidget(page_);
    page_->rebuild();
    page_->show();
}

void SettingsWindow::present() {
    presentWindow(*this, initialSize, placed_);
}

} // namespace tessarin
