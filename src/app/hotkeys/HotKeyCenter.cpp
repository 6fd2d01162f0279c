#include "hotkeys/HotKeyCenter.h"

#include <QTimer>
#include <algorithm>

namespace tessarin {

HotKeyCenter::HotKeyCenter(GlobalKeyGrabber& grabber, QObject* parent) : QObject(parent), grabber_(grabber) {
    grabber_.pressed = [this](GlobalKeyGrabber::Handle handle) { pressed(handle); };
    grabber_.keyboardChanged = [this] { emit keyboardChanged(); };
}

HotKeyCenter::~HotKeyCenter() {
    reset();
    grabber_.pressed = nullptr;
    grabber_.keyboardChanged = nullptr;
}

bool HotKeyCenter::registerHotKey(const HotKeySpec& spec, Action action) {
    const auto handle = grabber_.grab(spec);
    if (!handle)
        return false;
    const uint32_t id = nextId_++;
    registrations_.push_back({*handle, id, spec});
    actions_[id] = std::move(action);
    return true;
}

void HotKeyCenter::reset() {
    for (const auto& registration : registrations_)
        grabber_.release(registration.handle);
    registrations_.clear();
    actions_.clear();
    nextId_ = 1;
}

void HotKeyCenter::reload(const std::vector<HotKeyAssignment>& assignments, const ActionFor& actionFor) {
    reset();
    for (const auto& assignment : assignments)
        registerHotKey(assignment.spec, actionFor(assignment.owner));
}

bool HotKeyCenter::isRegistered(const HotKeySpec& spec) const {
    return std::any_of(registrations_.begin(), registrations_.end(),
                       [&](const Registration& r) { return r.spec == spec; });
}

void HotKeyCenter::setSuspended(bool suspended) {
    const int before = suspensions_;
    suspensions_ = std::max(0, suspensions_ + (suspended ? 1 : -1));
    if ((before == 0) != (suspensions_ == 0))
        grabber_.setSuspended(suspensions_ > 0);
}

void HotKeyCenter::pressed(GlobalKeyGrabber::Handle handle) {
    const auto it = std::find_if(registrations_.begin(), registrations_.end(),
                                 [&](const Registration& r) { return r.handle == handle; });
    if (it == registrations_.end())
        return;
    const auto action = actions_.find(it->id);
    if (action == actions_.end() || !action->second)
        return;
    // Out of the event filter first: an action may switch desktops and show alerts, with their own event
    // loops. The action is taken now; a reload before it runs doesn't change what this press does.
    QTimer::singleShot(0, this, action->second);
}

} // namespace tessarin
