#include "menu/StatusMenuView.h"

#include "Artifacts.h"
#include "menu/StatusMenuStyle.h"

#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

using namespace tessarin;

namespace {

StatusMenuEntry item(const std::string& title, const std::string& shortcut = "", bool checked = false) {
    StatusMenuEntry e;
    e.title = title;
    e.shortcut = shortcut;
    e.checked = checked;
    e.command = MenuCommand::switchWorkspace;
    e.workspace = title;
    return e;
}

StatusMenuEntry separator() {
    StatusMenuEntry e;
    e.separator = true;
    return e;
}

// The rightmost column of the row's band [top, bottom) that holds text ink.
int rightmostInk(const QImage& image, int top, int bottom, QRgb background) {
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = top; y < bottom; ++y)
            if (qGray(image.pixel(x, y)) < qGray(background) - 60)
                return x;
    return -1;
}

} // namespace

TEST(StatusMenuView, ShortcutsEndAtTheTabStopAndTitlesStayAsGiven) {
    StatusMenuView view;
    StatusMenuModel model;
    model.showsShortcuts = true;
    model.entries = {item("Home", "⌘F1", true), item("A much longer desktop name", "⌃⌥⇧⌘Space"),
                     item("Fish & Chips"), separator(), item("Quit")};
    view.show(model);

    // The column starts past the widest title.
    EXPECT_GT(view.tabStop(),
              QFontMetricsF(view.menu().font()).horizontalAdvance("A much longer desktop name"));

    const auto actions = view.menu().actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Home\t⌘F1"));
    EXPECT_TRUE(actions[0]->isChecked());
    EXPECT_FALSE(actions[1]->isChecked());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("Fish && Chips")); // shown with one "&"
    EXPECT_TRUE(actions[3]->isSeparator());

    // Drawn: the shortcut of each row ends at the titles' start + the tab stop.
    view.menu().ensurePolished();
    view.menu().adjustSize();
    const QImage image = view.menu().grab().toImage();
    test::saveArtifact(image, "status-menu-shortcuts.png");
    const QRgb background =
        image.pixel(image.width() / 2, view.menu().actionGeometry(actions[3]).center().y());
    for (int row : {0, 1}) {
        const QRect r = view.menu().actionGeometry(actions[row]);
        const int right = rightmostInk(image, r.top(), r.bottom(), background);
        const double stop = r.left() + StatusMenuStyle::checkColumn + view.tabStop();
        // The ink of the last character ends its right bearing before the advance.
        const QString shortcut = actions[row]->text().section(QLatin1Char('\t'), 1);
        const double bearing = QFontMetricsF(view.shortcutFont()).rightBearing(shortcut.back());
        EXPECT_NEAR(right, stop - bearing - 1, 1.5) << "row " << row;
    }
    // The menu is wide enough for the column and its inset.
    EXPECT_GE(view.menu().width(),
              StatusMenuStyle::checkColumn + view.tabStop() + StatusMenuStyle::rightInset);

    // Choosing an item reports its entry.
    std::optional<StatusMenuEntry> chosen;
    QObject::connect(&view, &StatusMenuView::chosen, [&](const StatusMenuEntry& e) { chosen = e; });
    actions[2]->trigger();
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->workspace, "Fish & Chips");
}

TEST(StatusMenuView, NoColumnWithoutShortcuts) {
    StatusMenuView view;
    StatusMenuModel model;
    model.entries = {item(std::string("Home") + menuTitlePadding),
                     item(std::string("Quit") + menuTitlePadding)};
    view.show(model);
    EXPECT_EQ(view.tabStop(), 0);
    EXPECT_FALSE(view.menu().actions()[0]->text().contains(QLatin1Char('\t')));
    test::saveArtifact(view.menu().grab().toImage(), "status-menu-padded.png");
}
