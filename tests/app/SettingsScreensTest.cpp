// Every section of the settings window, the cleanup calendar with overdue tasks and the creation sheet,
// drawn in a light style (and a section in a dark one) and saved for a person to look at (run again with
// QT_SCALE_FACTOR=2 for the 200 % pictures); texts cut off or controls pushed out of their window fail the
// test.
#include "Artifacts.h"
#include "SettingsFixture.h"
#include "settings/calendar/CalendarWindow.h"
#include "settings/sheet/CreationSheet.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QStyleFactory>
#include <gtest/gtest.h>

using namespace tessarin;
using test::SettingsFixture;

namespace {

// A dark palette made from its button and window colours, as dark desktop themes give it.
QPalette darkPalette() {
    QPalette p(QColor(0x3A, 0x3A, 0x3E), QColor(0x2B, 0x2B, 0x2E));
    p.setColor(QPalette::Highlight, QColor(0x0A, 0x84, 0xFF));
    return p;
}

// Visible texts narrower than they need and controls reaching past the right edge of `root`.
std::vector<std::string> layoutDefects(QWidget* root) {
    std::vector<std::string> defects;
    const int right = root->width();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || w->width() <= 0)
            continue;
        const QRect inRoot(w->mapTo(root, QPoint(0, 0)), w->size());
        const QString what = QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" ") +
                             (w->objectName().isEmpty() ? w->accessibleName() : w->objectName());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty())
                continue;
            if (label->wordWrap() ? label->height() < label->heightForWidth(label->width()) - 1
                                  : label->width() < label->sizeHint().width() - 1)
                defects.push_back(("cut off: " + what + " \"" + label->text() + "\"").toStdString());
        } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)) {
            if (w->width() < w->minimumSizeHint().width() - 1)
                defects.push_back(("squeezed: " + what).toStdString());
        }
        if (inRoot.right() > right + 1 && !qobject_cast<QScrollArea*>(w))
            defects.push_back(("past the edge: " + what).toStdString());
    }
    return defects;
}

// Puts the application's style and palette back when the test is over; other tests draw with them.
struct StyleGuard {
    QString style = QApplication::style()->name();
    QPalette palette = QApplication::palette();
    ~StyleGuard() {
        QApplication::setStyle(QStyleFactory::create(style));
        QApplication::setPalette(palette);
    }
};

// Controls the keyboard can't reach, or that assistive technology can't name.
std::vector<std::string> unreachableOrUnnamed(QWidget* root) {
    std::vector<std::string> defects;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w);
        if (!control || !w->isVisibleTo(root) || !w->isEnabled() ||
            w->parentWidget()->inherits("QComboBox") || w->parentWidget()->inherits("QAbstractSpinBox") ||
            w->inherits("QScrollBar"))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const bool named = !w->accessibleName().isEmpty() || (button && !button->text().isEmpty());
        const QString what =
            QString::fromLatin1(w->metaObject()->className()) + QStringLiteral(" ") + w->objectName();
        if (!(w->focusPolicy() & Qt::TabFocus))
            defects.push_back(("not reached by Tab: " + what).toStdString());
        if (!named)
            defects.push_back(("no accessible name: " + what).toStdString());
    }
    return defects;
}

// Three workspaces, the first one shown.
struct FixedSpaces : SpaceIdentifier {
    bool available() const override { return true; }
    std::string unavailableReason() const override { return {}; }
    std::optional<SpaceInfo> activeSpace() const override { return SpaceInfo{"1:Web", true, 1}; }
    std::vector<std::string> userSpaceIdentities() const override { return {"1:Web", "2:Mail", "3:Code"}; }
};

// What the other components would show: a host for the icons, workspaces with two desktops bound (one
// to a workspace that is gone), GNOME's corner, a login item.
SettingsFeatures otherComponents() {
    SettingsFeatures features;
    features.launchAtLogin = {[] { return true; }, [] { return true; }, [](bool) { return std::nullopt; }};
    features.iconHost = [] { return IconHostState{IconHostState::Status::granted, "Caja"}; };
    static const FixedSpaces spaces;
    features.workspaces = &spaces;
    features.cornerOccupant = [](FloatingDockCorner corner) -> std::optional<std::string> {
        if (corner == FloatingDockCorner::topLeft)
            return "Activities Overview";
        return std::nullopt;
    };
    return features;
}

struct Theme {
    const char* name;
    bool dark;
};

// Draws the window at the height its content wants, so that one picture shows the whole section.
QImage wholeWindow(SettingsWindow& window) {
    QWidget* content = window.page()->findChild<QWidget*>(QStringLiteral("sectionContent"));
    const int height = std::max(SettingsWindow::initialSize.height(), content->sizeHint().height() + 4);
    window.resize(SettingsWindow::initialSize.width(), height);
    window.layout()->activate();
    QApplication::processEvents();
    return window.grab().toImage();
}

} // namespace

TEST(SettingsScreens, EverySectionCalendarAndSheetInLightAndDark) {
    const int scale = qRound(qApp->devicePixelRatio());
    const StyleGuard restore;
    for (const Theme theme : {Theme{"light", false}, Theme{"dark", true}}) {
        SCOPED_TRACE(theme.name);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(theme.dark ? darkPalette() : QApplication::style()->standardPalette());
        SettingsFixture f(otherComponents());
        Config doc = f.richDocument();
        doc.findWorkspace("Home")->spaceUUID = "1:Web";
        doc.findWorkspace("Work")->spaceUUID = "9:Gone";
        doc.settings.floatingDockCorner = FloatingDockCorner::topLeft;
        f.store.saveConfig(doc);
        const auto suffix = std::string("-") + theme.name + "-" + std::to_string(scale) + "x.png";

        for (const auto& info : settingsSections) {
            // The dark style takes its own path in the groups every section draws, and nowhere else.
            if (theme.dark && info.id != SettingsSectionId::organisation)
                continue;
            SCOPED_TRACE(info.title);
            SettingsWindow& window = f.openSettings(info.id);
            const QImage shot = wholeWindow(window);
            test::saveArtifact(shot, "settings-" + std::string(info.rawValue) + suffix);
            EXPECT_EQ(layoutDefects(&window), std::vector<std::string>());
            EXPECT_EQ(unreachableOrUnnamed(&window), std::vector<std::string>());
            // Not blank: the section has controls or texts of its own beyond its title.
            EXPECT_GT(window.page()->findChildren<QWidget*>().size(), 6);
        }
        if (theme.dark)
            continue; // the calendar and the sheet paint from the palette alike in either style
        f.windows.settingsWindow()->resize(SettingsWindow::initialSize);
        test::saveArtifact(f.windows.settingsWindow()->grab().toImage(), "settings-window" + suffix);

        f.windows.openCalendar();
        CalendarWindow& calendar = *f.windows.calendarWindow();
        calendar.view().selectDay(QDate(2026, 2, 25)); // the overdue task's day
        calendar.view().setMonth(QDate(2026, 3, 1));
        QApplication::processEvents();
        test::saveArtifact(calendar.grab().toImage(), "calendar" + suffix);
        EXPECT_EQ(layoutDefects(&calendar), std::vector<std::string>());
        EXPECT_EQ(unreachableOrUnnamed(&calendar), std::vector<std::string>());

        f.windows.newDesktop();
        CreationSheet& sheet = *f.windows.creationSheet();
        sheet.findChild<QComboBox*>(QStringLiteral("type"))->setCurrentIndex(1);
        sheet.adjustSize();
        sheet.resize(CreationSheet::contentSize.expandedTo(sheet.sizeHint()));
        QApplication::processEvents();
        test::saveArtifact(sheet.grab().toImage(), "creation-sheet" + suffix);
        EXPECT_EQ(layoutDefects(&sheet), std::vector<std::string>());
        EXPECT_EQ(unreachableOrUnnamed(&sheet), std::vector<std::string>());
        sheet.close();
    }
}
