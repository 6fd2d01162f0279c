#include "WaitFor.h"
#include "kde/KWinVirtualDesktops.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::waitFor;

// KWin's description of one virtual desktop, as its VirtualDesktopManager sends it: (position, id, name).
struct KWinDesktop {
    uint position;
    QString id;
    QString name;
};
Q_DECLARE_METATYPE(KWinDesktop)
Q_DECLARE_METATYPE(QList<KWinDesktop>)

QDBusArgument& operator<<(QDBusArgument& argument, const KWinDesktop& desktop) {
    argument.beginStructure();
    argument << desktop.position << desktop.id << desktop.name;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, KWinDesktop& desktop) {
    argument.beginStructure();
    argument >> desktop.position >> desktop.id >> desktop.name;
    argument.endStructure();
    return argument;
}

// KWin's VirtualDesktopManager, the part Tessarin reads, on the test's private bus.
class VirtualDesktopManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.KWin.VirtualDesktopManager")
    Q_PROPERTY(QString current READ current)
    Q_PROPERTY(uint count READ count)
    Q_PROPERTY(QList<KWinDesktop> desktops READ desktops)
public:
    QString current() const { return current_; }
    uint count() const { return static_cast<uint>(desktops_.size()); }
    QList<KWinDesktop> desktops() const { return desktops_; }
    void show(const QString& id) {
        current_ = id;
        emit currentChanged(id);
    }

    QString current_ = QStringLiteral("b1e3");
    // Listed out of order: the positions give the order.
    QList<KWinDesktop> desktops_ = {{1, QStringLiteral("b1e3"), QStringLiteral("Mail")},
                                    {0, QStringLiteral("77f0"), QStringLiteral("Code")},
                                    {2, QStringLiteral("c9d4"), QStringLiteral("Mail")}};

signals:
    void currentChanged(const QString& id);
};

TEST(KWinVirtualDesktops, ReadsDesktopsInOrderAndFollowsTheCurrentOne) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    EXPECT_FALSE(KWinVirtualDesktops::present(bus));
    qDBusRegisterMetaType<KWinDesktop>();
    qDBusRegisterMetaType<QList<KWinDesktop>>();
    VirtualDesktopManager kwin;
    ASSERT_TRUE(bus.registerObject(QString::fromLatin1(KWinVirtualDesktops::path), &kwin,
                                   QDBusConnection::ExportAllProperties | QDBusConnection::ExportAllSignals));
    ASSERT_TRUE(bus.registerService(QString::fromLatin1(KWinVirtualDesktops::service)));

    ASSERT_TRUE(KWinVirtualDesktops::present(bus));
    KWinVirtualDesktops desktops(bus);
    int changes = 0;
    desktops.activeSpaceChanged = [&] { ++changes; };
    EXPECT_EQ(desktops.userSpaceIdentities(), (std::vector<std::string>{"77f0", "b1e3", "c9d4"}));
    EXPECT_EQ(desktops.activeSpace(), (SpaceInfo{"b1e3", true, 2}));

    kwin.show(QStringLiteral("c9d4"));
    ASSERT_TRUE(waitFor([&] { return changes == 1; }));
    EXPECT_EQ(desktops.activeSpace(), (SpaceInfo{"c9d4", true, 3}));

    bus.unregisterService(QString::fromLatin1(KWinVirtualDesktops::service));
    bus.unregisterObject(QString::fromLatin1(KWinVirtualDesktops::path));
    EXPECT_FALSE(desktops.available());
}

#include "KWinDesktopsTest.moc"
