#include "switching/AgentSwitchObserver.h"

#include "switching/FolderOpener.h"

#include <QPointer>
#include <QTimer>

namespace tessarin {

AgentSwitchObserver::AgentSwitchObserver(const Paths& paths, StateStore& store, Alerts& alerts,
                                         FolderOpener& opener, Steps steps, QObject* parent)
    : QObject(parent), paths_(paths), store_(store), alerts_(alerts), opener_(opener),
      steps_(std::move(steps)) {}

Config AgentSwitchObserver::readOrFallback() {
    try {
        return store_.loadConfig();
    } catch (...) {
        return makeDefaultConfig();
    }
}

void AgentSwitchObserver::willSwitch(const Config& document, const std::string&, const std::string&) {
    if (steps_.pauseDesktopWatcher)
        steps_.pauseDesktopWatcher();
    transition_ = document.settings.switchTransition;
    if (steps_.startCover)
        steps_.startCover(document.settings);
}

void AgentSwitchObserver::prepareTarget(const Config& document, const std::string& target) {
    if (steps_.prepareTarget)
        steps_.prepareTarget(document, target);
}

void AgentSwitchObserver::finished() {
    if (steps_.afterSwitch)
        steps_.afterSwitch();
}

void AgentSwitchObserver::present(const std::exception& error) {
    alerts_.showError(error);
}

void AgentSwitchObserver::swapped() {
    if (steps_.rebuildMenu)
        steps_.rebuildMenu();
    if (steps_.reloadSettingsModel)
        steps_.reloadSettingsModel();
}

void AgentSwitchObserver::didSwitch(const std::string& leaving, const std::string& target, bool userInitiated,
                                    std::chrono::steady_clock::time_point coverStart) {
    if (steps_.playIconAnimation)
        steps_.playIconAnimation(readOrFallback().settings.menuBarAnimation);
    if (userInitiated)
        showFirstSwitchNoteIfNeeded(leaving, target);
    if (steps_.revealWhenSettled)
        steps_.revealWhenSettled(transition_, target, coverStart);
}

void AgentSwitchObserver::showFirstSwitchNoteIfNeeded(const std::string& leaving, const std::string& target) {
    if (leaving == target || leaving == Config::blankWorkspaceName)
        return;
    const Config document = readOrFallback();
    if (document.settings.shownFirstSwitchNote || document.activeWorkspace != target)
        return;
    try {
        mutateConfig(store_, [](Config& c) { c.settings.shownFirstSwitchNote = true; });
    } catch (...) {
    }
    const QString informative = QStringLiteral("We moved \u201c") + QString::fromStdString(leaving) +
                                QStringLiteral("\u201d into your desktops folder. ") +
                                QStringLiteral("Check it out, or try switching back!");
    QPointer<AgentSwitchObserver> self(this);
    QTimer::singleShot(firstSwitchNoteDelayMs, this, [self, informative] {
        if (!self)
            return;
        AlertSpec note;
        note.message = QStringLiteral("Your files aren't gone!");
        note.informative = informative;
        note.buttons = {QStringLiteral("OK"), QStringLiteral("Show Me the Folder")};
        note.done = [self](int button) {
            if (self && button == 1)
                self->opener_.open(self->paths_.workspaces);
        };
        self->alerts_.show(std::move(note));
    });
}

void AgentSwitchObserver::notePinnedSkips(const std::vector<std::string>& names) {
    AlertSpec note;
    note.message = QString::fromStdString(pinnedSkipsMessage(names));
    note.informative = QString::fromStdString(pinnedSkipsInformativeText(names));
    alerts_.show(std::move(note));
}

} // namespace tessarin
