#include "spaces/SpaceFollowing.h"

#include <QGuiApplication>
#include <QScreen>

namespace tessarin {

SpaceFollowing::SpaceFollowing(SpaceIdentifier& identifier, SpaceFollower::SettledHandler onSpaceSettled,
                               QObject* parent)
    : QObject(parent), identifier_(identifier), follower_(identifier_, timer_, std::move(onSpaceSettled)) {
    identifier_.activeSpaceChanged = [this] {
        follower_.spaceChanged();
        emit activeSpaceChanged();
    };
    const auto changed = [this] { follower_.screensChanged(); };
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, changed](QScreen* screen) {
        watchScreen(screen);
        changed();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, changed);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, changed);
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
}

SpaceFollowing::~SpaceFollowing() {
    identifier_.activeSpaceChanged = nullptr;
}

void SpaceFollowing::watchScreen(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, [this] { follower_.screensChanged(); });
}

void SpaceFollowing::refresh(bool followSpaces) {
    if (followSpaces && identifier_.available())
        follower_.start();
    else
        follower_.stop();
}

std::string SpaceFollowing::unavailableText() const {
    if (identifier_.available())
        return {};
    const std::string reason = identifier_.unavailableReason();
    return spaceFollowingUnavailableText() + (reason.empty() ? "" : " " + reason);
}

} // namespace tessarin
