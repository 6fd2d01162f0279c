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
    ids_.clear();
    int separators = 0;
    for (const auto& e : model_.entries) {
        // What the row is: its command, desktop and title; separators by their order.
        const std::string key = e.separator ? "separator " + std::to_string(separators++)
                                            : std::to_string(e.command ? static_cast<int>(*e.command) : -1) +
                                                  '\x1f' + e.workspace + '\x1f' + e.title;
        const auto [at, added] = known_.try_emplace(key, static_cast<int>(known_.size()) + 1);
        ids_.push_back(at->second);
    }
    ++revision_;
    emit layoutUpdated(revision_, 0);
}

const StatusMenuEntry* DBusMenuExporter::entry(int id) const {
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] == id)
            return &model_.entries[i];
    return nullptr;
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
    if (!entry.shortcutKeys.empty()) {
        QStringList keys;
        for (const auto& k : entry.shortcutKeys)
            keys << QString::fromStdString(k);
        p.insert(QStringLiteral("shortcut"), QVariant::fromValue(QList<QStringList>{keys}));
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
                child.id = ids_[i];
                child.properties = filtered(properties(model_.entries[i]), names);
                root.children.append(child);
            }
        }
    } else if (const StatusMenuEntry* e = entry(parentId)) {
        root.properties = filtered(properties(*e), names);
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
        } else if (const StatusMenuEntry* e = entry(id)) {
            result.append({id, filtered(properties(*e), names)});
        }
    }
    return result;
}

QVariant DBusMenuExporter::property(int id, const QString& name) const {
    const StatusMenuEntry* e = entry(id);
    return e ? properties(*e).value(name) : QVariant();
}

bool DBusMenuExporter::handleEvent(int id, const QString& eventId) {
    const StatusMenuEntry* e = entry(id);
    if (!e)
        return false;
    if (eventId == QLatin1String("clicked") && e->enabled && e->command)
        emit entryChosen(*e);
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
        exporter_, [exporter = exporter_, id, eventId] { exporter->handleEvent(id, eventId); },
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
