#include "install/UpdaterCoordinator.h"

namespace tessarin {

UpdaterCoordinator::UpdaterCoordinator(Log log, QObject* parent) : QObject(parent), log_(std::move(log)) {
    recheck_.setSingleShot(true);
    recheck_.setInterval(recheckMilliseconds);
    connect(&recheck_, &QTimer::timeout, this, &UpdaterCoordinator::waitUntilIdle);
}

bool UpdaterCoordinator::shouldPostponeInstall(std::function<void()> proceed) {
    if (!busy_ || !busy_())
        return false;
    log_("update ready but a swap is in flight — postponing install until idle");
    proceed_ = std::move(proceed);
    recheck_.start();
    return true;
}

void UpdaterCoordinator::waitUntilIdle() {
    if (busy_ && busy_()) {
        recheck_.start();
        return;
    }
    log_("swap engine idle — releasing the postponed update");
    if (auto proceed = std::exchange(proceed_, nullptr))
        proceed();
}

void UpdaterCoordinator::markInstallBegun() {
    if (installBegun_)
        return;
    installBegun_ = true;
    log_("update install beginning — TrashWatcher standing down");
}

} // namespace tessarin
