#include "forward/DBusAgentLink.h"

#include "ControlProxy.h"
#include "control/ControlProtocol.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <clocale>
#include <limits>

namespace tessarin::ctl {

using cmd::AgentReply;
using cmd::AgentRun;
using cmd::ExitStatus;

namespace {

AgentReply failure(const QDBusError& error) {
    AgentReply reply;
    const QString name = error.name();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        reply.agentGone = true;
        return reply;
    }
    if (const auto known = control::failureForErrorName(name.toStdString())) {
        reply.status = static_cast<ExitStatus>(static_cast<int>(*known));
        reply.text = error.message().toStdString();
        return reply;
    }
    reply.status = ExitStatus::refused;
    reply.text = "The running Tessarin agent did not answer: " + error.message().toStdString();
    return reply;
}

template <typename... T> AgentReply answer(QDBusPendingReply<T...> pending) {
    pending.waitForFinished();
    if (pending.isError())
        return failure(pending.error());
    AgentReply reply;
    if constexpr (sizeof...(T) == 1)
        reply.text = pending.template argumentAt<0>().toStdString();
    return reply;
}

} // namespace

struct DBusAgentLink::Impl {
    // QtDBus wants an application object; Qt's start-up switches to the user's locale, which would
    // change how the in-process code formats numbers, so the process locale is put back afterwards.
    Impl() {
        if (QCoreApplication::instance())
            return;
        const std::string locale = std::setlocale(LC_ALL, nullptr);
        app = std::make_unique<QCoreApplication>(argc, argv);
        std::setlocale(LC_ALL, locale.c_str());
    }

    int argc = 1;
    char name[12] = "tessarinctl";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<ComOrrinvaleTessarin1Interface> proxy;
};

DBusAgentLink::DBusAgentLink(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    impl_->proxy = std::make_unique<ComOrrinvaleTessarin1Interface>(QString::fromLatin1(control::busName),
                                                                    QString::fromLatin1(control::objectPath),
                                                                    QDBusConnection::sessionBus());
    // A switch of many items can take long; the agent always answers in the end.
    impl_->proxy->setTimeout(std::numeric_limits<int>::max());
}

DBusAgentLink::~DBusAgentLink() = default;

std::unique_ptr<DBusAgentLink> DBusAgentLink::connectIfRunning(const std::filesystem::path& storeRoot) {
    auto impl = std::make_unique<Impl>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return nullptr;
    if (!bus.interface()->isServiceRegistered(QString::fromLatin1(control::busName)).value())
        return nullptr;
    auto link = std::unique_ptr<DBusAgentLink>(new DBusAgentLink(std::move(impl)));
    std::error_code ec;
    const auto mine = std::filesystem::weakly_canonical(storeRoot, ec);
    const auto theirs = std::filesystem::weakly_canonical(link->impl_->proxy->storeRoot().toStdString(), ec);
    if (mine != theirs)
        return nullptr;
    return link;
}

AgentReply DBusAgentLink::status() {
    return answer(impl_->proxy->Status());
}
AgentReply DBusAgentLink::list() {
    return answer(impl_->proxy->List());
}
AgentReply DBusAgentLink::switchTo(const std::string& name) {
    return answer(impl_->proxy->Switch(QString::fromStdString(name)));
}
AgentReply DBusAgentLink::hide() {
    return answer(impl_->proxy->Hide());
}
AgentReply DBusAgentLink::show() {
    return answer(impl_->proxy->Show());
}
AgentReply DBusAgentLink::toggle() {
    return answer(impl_->proxy->Toggle());
}
AgentReply DBusAgentLink::next() {
    return answer(impl_->proxy->Next());
}
AgentReply DBusAgentLink::previous() {
    return answer(impl_->proxy->Previous());
}
AgentReply DBusAgentLink::last() {
    return answer(impl_->proxy->Last());
}
AgentReply DBusAgentLink::recover() {
    return answer(impl_->proxy->Recover());
}
AgentReply DBusAgentLink::config() {
    return answer(impl_->proxy->Config());
}

AgentRun DBusAgentLink::runCommand(const std::vector<std::string>& args, bool json) {
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    auto pending = impl_->proxy->RunCommand(list, json);
    pending.waitForFinished();
    AgentRun run;
    if (pending.isError()) {
        const AgentReply reply = failure(pending.error());
        run.agentGone = reply.agentGone;
        run.status = reply.status;
        if (!reply.text.empty())
            run.err = reply.text + "\n";
        return run;
    }
    const int status = pending.argumentAt<0>();
    run.status = status >= 0 && status <= static_cast<int>(ExitStatus::readOnly)
                     ? static_cast<ExitStatus>(status)
                     : ExitStatus::refused;
    run.out = pending.argumentAt<1>().toStdString();
    run.err = pending.argumentAt<2>().toStdString();
    return run;
}

} // namespace tessarin::ctl
