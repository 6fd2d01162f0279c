#pragma once

#include "control/AgentCommands.h"

#include <QDBusContext>
#include <QObject>

namespace tessarin {

// The object behind com.orrinvale.Tessarin1 at /com/orrinvale/Tessarin; its generated adaptor calls
// these slots. A ControlFailure becomes a D-Bus error named after its class, carrying its text.
class ControlService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_PROPERTY(QString StoreRoot READ storeRoot)
public:
    ControlService(AgentCommands& commands, QString storeRoot, QObject* parent = nullptr);

    QString storeRoot() const { return storeRoot_; }

public slots:
    QString Status();
    QString List();
    QString Switch(const QString& name);
    QString Hide();
    QString Show();
    QString Toggle();
    QString Next();
    QString Previous();
    QString Last();
    void Recover();
    QString Config();
    void Activate();
    int RunCommand(const QStringList& args, bool json, QString& out, QString& err);

private:
    template <typename F> QString answer(F&& request);

    AgentCommands& commands_;
    QString storeRoot_;
};

} // namespace tessarin
