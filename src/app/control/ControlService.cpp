#include "control/ControlService.h"

#include "ControlAdaptor.h"

namespace tessarin {

ControlService::ControlService(AgentCommands& commands, QString storeRoot, QObject* parent)
    : QObject(parent), commands_(commands), storeRoot_(std::move(storeRoot)) {
    new ControlAdaptor(this);
}

template <typename F> QString ControlService::answer(F&& request) {
    try {
        if constexpr (std::is_void_v<decltype(request())>) {
            request();
            return {};
        } else {
            return QString::fromStdString(request());
        }
    } catch (const ControlFailure& e) {
        if (calledFromDBus())
            sendErrorReply(QString::fromLatin1(control::errorName(e.failure())),
                           QString::fromStdString(e.what()));
    } catch (const std::exception& e) {
        if (calledFromDBus())
            sendErrorReply(QString::fromLatin1(control::errorName(control::Failure::refused)),
                           QString::fromStdString(e.what()));
    }
    return {};
}

QString ControlService::Status() {
    return answer([&] { return commands_.status(); });
}
QString ControlService::List() {
    return answer([&] { return commands_.list(); });
}
QString ControlService::Switch(const QString& name) {
    return answer([&] { return commands_.switchTo(name.toStdString()); });
}
QString ControlService::Hide() {
    return answer([&] { return commands_.hide(); });
}
QString ControlService::Show() {
    return answer([&] { return commands_.show(); });
}
QString ControlService::Toggle() {
    return answer([&] { return commands_.toggle(); });
}
QString ControlService::Next() {
    return answer([&] { return commands_.next(); });
}
QString ControlService::Previous() {
    return answer([&] { return commands_.previous(); });
}
QString ControlService::Last() {
    return answer([&] { return commands_.last(); });
}
void ControlService::Recover() {
    answer([&] { commands_.recover(); });
}
QString ControlService::Config() {
    return answer([&] { return commands_.config(); });
}
int ControlService::RunCommand(const QStringList& args, bool json, QString& out, QString& err) {
    std::vector<std::string> line;
    for (const auto& a : args)
        line.push_back(a.toStdString());
    int status = static_cast<int>(control::Failure::refused);
    answer([&] {
        const CommandResult result = commands_.runCommand(line, json);
        status = result.status;
        out = QString::fromStdString(result.out);
        err = QString::fromStdString(result.err);
    });
    return status;
}

void ControlService::Activate() {
    answer([&] { commands_.activate(); });
}

} // namespace tessarin
