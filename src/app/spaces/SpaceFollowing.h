#pragma once

#include "spaces/QtTaskTimer.h"
#include "triggers/SpaceFollower.h"

#include <QObject>

class QScreen;

namespace tessarin {

// Follows the window manager's workspaces for the controller: the follower, its timer, and the two
// notifications it needs (the active workspace changed, the screens changed). Other components that care
// about the active workspace (the floating dock) connect to activeSpaceChanged and ask identifier().
class SpaceFollowing : public QObject {
    Q_OBJECT
public:
    SpaceFollowing(SpaceIdentifier& identifier, SpaceFollower::SettledHandler onSpaceSettled,
                   QObject* parent = nullptr);
    ~SpaceFollowing() override;

    // Follows while `followSpaces` is on and the session lets Tessarin read its workspaces.
    void refresh(bool followSpaces);
    // After every completed switch: the workspace shown now counts as handled.
    void adoptCurrentSpace() { follower_.adoptCurrentSpace(); }
    bool following() const { return follower_.observing(); }

    // Whether workspace following can work here at all, and the sentence saying why not.
    bool available() const { return identifier_.available(); }
    std::string unavailableText() const;
    const SpaceIdentifier& identifier() const { return identifier_; }

signals:
    void activeSpaceChanged();

private:
    void watchScreen(QScreen* screen);

    SpaceIdentifier& identifier_;
    QtTaskTimer timer_;
    SpaceFollower follower_;
};

} // namespace tessarin
