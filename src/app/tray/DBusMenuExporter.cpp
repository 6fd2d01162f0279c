#include "tray/DBusMenuExporter.h"

namespace tessarin {

DBusMenuExporter::DBusMenuExporter(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    registerTrayDBusTypes();
    new DBusMenuAdaptor(this);
    exported_ = bus_.registerObject(QString::fromLatin1(objectPath), this);
}

DBusMenuExporter::~DBusMenuExporter() {
    if (exported_)
        bus_.unregisterObject(QString::fromLatin1(objectPath));
}

void DBusMenuExporter::setModel(const StatusMenuModel& model) {
    if (model == model_ && revision_ > 0)
        return;
    model_ = model;
    ++revision_;
    emit layoutUpdated(revision_, 0);
}

QVariantMap DBusMenuExporter::properties(const StatusMenuEntry& entry) {
    QVariantMap p;
    if (entry.separator) {
        p.insert(QStringLiteral("type"), QStringLiteral("separator"));
        return p;
    }
    // dbusmenu labels mark mnemonics with "_"; desktop names show theirs as they are.
    p.insert(QStringLiteral("label"), QString::fromStdString(entry.title).replace(QLatin1Char('_'), "__"));
    if (!entry.enabled)
        p.insert(QStringLiteral("enabled"), false);
    const bool toggles = entry.command == MenuCommand::switchWorkspace ||
                         entry.command == MenuCommand::toggleCollapse ||
                         entry.command == MenuCommand::toggleScreenshotFilteringPause;
    if (toggles || entry.checked) {
        p.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
        p.insert(QStringLiteral("toggle-state"), entry.checked ? 1 : 0);
    }
    return p;
}

namespace {

QVariantMap filtered(const QVariantMap& all, const QStringList& names) {
    if (names.isEmpty())
        return all;
    QVariantMap some;
    for (const auto& n : names)
        if (all.contains(n))
            some.insert(n, all.value(n));
    return some;
}

} // namespace

DBusMenuLayoutItem DBusMenuExporter::layout(int parentId, int depth, const QStringList& names) const {
    DBusMenuLayoutItem root;
    root.id = parentId;
    if (parentId == 0) {
        root.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        if (depth != 0) {
            for (size_t i = 0; i < model_.entries.size(); ++i) {
                DBusMenuLayoutItem child;
                child.id = static_cast<int>(i) + 1;
                child.properties = filtered(properties(model_.entries[i]), names);
                root.children.append(child);
            }
        }
    } else if (parentId > 0 && static_cast<size_t>(parentId) <= model_.entries.size()) {
        root.properties = filtered(properties(model_.entries[static_cast<size_t>(parentId) - 1]), names);
    }
    return root;
}

QList<DBusMenuItemProperties> DBusMenuExporter::groupProperties(const QList<int>& ids,
                                                                const QStringList& names) const {
    QList<DBusMenuItemProperties> result;
    for (int id : ids) {
        if (id == 0) {
            result.append(
                {0, filtered({{QStringLiteral("children-display"), QStringLiteral("submenu")}}, names)});
        } else if (id > 0 && static_cast<size_t>(id) <= model_.entries.size()) {
            result.append({id, filtered(properties(model_.entries[static_cast<size_t>(id) - 1]), names)});
        }
    }
    return result;
}

QVariant DBusMenuExporter::property(int id, const QString& name) const {
    if (id <= 0 || static_cast<size_t>(id) > model_.entries.size())
        return {};
    return properties(model_.entries[static_cast<size_t>(id) - 1]).value(name);
}

bool DBusMenuExporter::event(int id, const QString& eventId) {
    if (id <= 0 || static_cast<size_t>(id) > model_.entries.size())
        return false;
    const StatusMenuEntry& entry = model_.entries[static_cast<size_t>(id) - 1];
    if (eventId == QLatin1String("clicked") && entry.enabled && entry.command)
        emit entryChosen(entry);
    return true;
}

DBusMenuAdaptor::DBusMenuAdaptor(DBusMenuExporter* exporter)
    : QDBusAbstractAdaptor(exporter), exporter_(exporter) {
    setAutoRelaySignals(false);
    connect(exporter, &DBusMenuExporter::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayoutItem& layout) {
    layout = exporter_->layout(parentId, recursionDepth, propertyNames);
    return exporter_->revision();
}

QList<DBusMenuItemProperties> DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids,
                                                                  const QStringList& propertyNames) {
    return exporter_->groupProperties(ids, propertyNames);
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name) {
    return QDBusVariant(exporter_->property(id, name));
}

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    // Run after the reply: the chosen command may open a window or switch desktops.
    QMetaObject::invokeMethod(
        exporter_, [exporter = exporter_, id, eventId] { exporter->event(id, eventId); },
        Qt::QueuedConnection);
}

QList<int> DBusMenuAdaptor::EventGroup(const QList<DBusMenuEvent>& events) {
    QList<int> unknown;
    for (const auto& e : events) {
        if (exporter_->property(e.id, QStringLiteral("type")).isNull() &&
            exporter_->property(e.id, QStringLiteral("label")).isNull())
            unknown.append(e.id);
        else
            Event(e.id, e.eventId, e.data, e.timestamp);
    }
    return unknown;
}

bool DBusMenuAdaptor::AboutToShow(int) {
    return false;
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>&, QList<int>& idErrors) {
    idErrors.clear();
    return {};
}

} // namespace tessarin
