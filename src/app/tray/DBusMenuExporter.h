#pragma once

#include "menu/StatusMenuModel.h"
#include "tray/TrayDBusTypes.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QObject>
#include <map>
#include <string>
#include <vector>

namespace tessarin {

// Exports the status menu as com.canonical.dbusmenu, so that a StatusNotifierItem host draws it
// natively. Each new model is a new revision. The root is 0; an item's id stands for its command, its
// desktop and its title for as long as the exporter lives, so that a click the panel sends after a
// rebuild runs what the user saw or, when that row is gone, nothing.
class DBusMenuExporter : public QObject {
    Q_OBJECT
public:
    static constexpr const char* objectPath = "/MenuBar";

    DBusMenuExporter(QDBusConnection bus, QObject* parent = nullptr);
    ~DBusMenuExporter() override;

    bool exported() const { return exported_; }
    void setModel(const StatusMenuModel& model);

    // The dbusmenu properties of an entry (label with "_" doubled, type, enabled, toggle, shortcut).
    static QVariantMap properties(const StatusMenuEntry& entry);
    // The id of the model's entry at `index`.
    int idOf(std::size_t index) const { return ids_.at(index); }

    uint revision() const { return revision_; }
    DBusMenuLayoutItem layout(int parentId, int depth, const QStringList& names) const;
    QList<DBusMenuItemProperties> groupProperties(const QList<int>& ids, const QStringList& names) const;
    QVariant property(int id, const QString& name) const;
    // A "clicked" on an item emits entryChosen; other events are ignored. False for ids that are not
    // in the current model.
    bool handleEvent(int id, const QString& eventId);

signals:
    void entryChosen(const tessarin::StatusMenuEntry& entry);
    void layoutUpdated(uint revision, int parent);

private:
    // The entry with that id in the current model; null when none has it.
    const StatusMenuEntry* entry(int id) const;

    QDBusConnection bus_;
    bool exported_ = false;
    StatusMenuModel model_;
    std::vector<int> ids_;             // by entry index
    std::map<std::string, int> known_; // every row ever exported, by what it is, to its id
    uint revision_ = 0;
};

// The com.canonical.dbusmenu interface of the exporter.
class DBusMenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)
public:
    explicit DBusMenuAdaptor(DBusMenuExporter* exporter);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   tessarin::DBusMenuLayoutItem& layout);
    QList<tessarin::DBusMenuItemProperties> GetGroupProperties(const QList<int>& ids,
                                                               const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const QList<tessarin::DBusMenuEvent>& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void ItemsPropertiesUpdated(const QList<tessarin::DBusMenuItemProperties>& updatedProps,
                                const QList<tessarin::DBusMenuItemRemovedProperties>& removedProps);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    DBusMenuExporter* exporter_;
};

} // namespace tessarin
