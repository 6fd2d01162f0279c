#pragma once

#include "display/GlobalKeyGrabber.h"
#include "model/HotKeyAssignment.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace tessarin {

// The agent's global shortcuts: each registration takes its combination from the session through the
// grabber and runs its action on the main thread when pressed. Registrations are numbered from 1 again
// after every reset, so a number never outlives the reload that gave it.
//
// A shortcut recorder connects its recordingChanged signal to setSuspended, so that the combination
// being recorded reaches the recorder instead of running its action.
class HotKeyCenter : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void()>;
    using ActionFor = std::function<Action(const HotKeyAssignment::Owner&)>;

    explicit HotKeyCenter(GlobalKeyGrabber& grabber, QObject* parent = nullptr);
    ~HotKeyCenter() override;

    // Registers one global shortcut; false when the session refuses it (nothing changes then).
    bool registerHotKey(const HotKeySpec& spec, Action action);
    // Gives every combination back; the next registration is number 1.
    void reset();
    // reset, then every assignment in order with its owner's action; refusals are skipped.
    void reload(const std::vector<HotKeyAssignment>& assignments, const ActionFor& actionFor);

    // Global shortcuts can fire in this session at all.
    bool canFire() const { return grabber_.available(); }
    // The combination is registered now.
    bool isRegistered(const HotKeySpec& spec) const;

public slots:
    // Suspensions nest: the grabs come back when the last one ends.
    void setSuspended(bool suspended);

signals:
    // The keyboard layout changed: shortcut texts may read differently now.
    void keyboardChanged();

private:
    struct Registration {
        GlobalKeyGrabber::Handle handle;
        uint32_t id;
        HotKeySpec spec;
    };
    void pressed(GlobalKeyGrabber::Handle handle);

    GlobalKeyGrabber& grabber_;
    std::vector<Registration> registrations_;
    std::map<uint32_t, Action> actions_;
    uint32_t nextId_ = 1;
    int suspensions_ = 0;
};

} // namespace tessarin
