#include "install/MoveToApplicationsWindow.h"

#include "icon/GlyphPainter.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessarin {

QString MoveToApplicationsWindow::title() {
    return QStringLiteral("Move Tessarin to ~/Applications?");
}

QString MoveToApplicationsWindow::explanation(InstallSituation situation, const QString& sourceFolderName) {
    if (situation == InstallSituation::translocated)
        return QStringLiteral(
            "Tessarin is running from a temporary read-only copy. From there it can’t install its own "
            "updates or start when you log in. Moving it to ~/Applications fixes both — Tessarin "
            "reopens from its new home.");
    return QStringLiteral("Tessarin is running from “") + sourceFolderName +
           QStringLiteral(
               "”. Apps left in Downloads get swept up in a tidy-up, and moving one breaks the autostart "
               "entry that starts it for you. Tessarin reopens from its new home.");
}

QString MoveToApplicationsWindow::moveFailedText(const QString& reason) {
    return QStringLiteral("Couldn’t move it: ") + reason +
           QStringLiteral(" You can move Tessarin into ~/Applications yourself instead.");
}

MoveToApplicationsWindow::MoveToApplicationsWindow(InstallSituation situation,
                                                   const QString& sourceFolderName,
                                                   std::function<void()> move, std::function<void()> decline,
                                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), move_(std::move(move)),
      decline_(std::move(decline)) {
    setObjectName(QStringLiteral("MoveToApplicationsWindow"));
    setWindowTitle(title());
    setFixedSize(420, 340);

    auto* picture = new QLabel;
    // The installed application icon; the tray glyph where no icon theme has it.
    const QIcon icon = QIcon::fromTheme(QStringLiteral("com.orrinvale.Tessarin"),
                                        glyphIcon(glyph::restingWidths, glyph::restingRadii));
    picture->setPixmap(icon.pixmap(96, 96));
    picture->setAlignment(Qt::AlignCenter);
    auto* heading = new QLabel(title());
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    auto* text = new QLabel(explanation(situation, sourceFolderName));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    error_ = new QLabel;
    error_->setObjectName(QStringLiteral("moveError"));
    error_->setWordWrap(true);
    error_->setAlignment(Qt::AlignCenter);
    QFont small = error_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    error_->setFont(small);
    error_->hide();

    auto* notNow = new QPushButton(QStringLiteral("Not now"));
    auto* moveButton = new QPushButton(QStringLiteral("Move to ~/Applications"));
    moveButton->setDefault(true);
    connect(notNow, &QPushButton::clicked, this, [this] {
        decline_();
        close();
    });
    connect(moveButton, &QPushButton::clicked, this, &MoveToApplicationsWindow::attemptMove);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(notNow);
    buttons->addWidget(moveButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->addWidget(picture);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addWidget(error_);
    layout->addStretch();
    layout->addLayout(buttons);
}

void MoveToApplicationsWindow::attemptMove() {
    error_->hide();
    try {
        move_();
    } catch (const std::exception& e) {
        error_->setText(moveFailedText(QString::fromStdString(e.what())));
        error_->show();
    }
}

} // namespace tessarin
