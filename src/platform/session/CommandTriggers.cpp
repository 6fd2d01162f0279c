#include "session/CommandTriggers.h"

#include "session/SessionSpaces.h"
#include "x11/XcbConnection.h"
#include "x11/XkbKeyboard.h"

namespace tessarin {

// Opens the display and builds the keymap on the first question.
class CommandTriggers::Keyboard : public KeyboardLayout {
public:
    explicit Keyboard(CommandTriggers& owner) : owner_(owner) {}

    std::optional<std::string> printableKeyName(uint32_t keyCode) const override {
        return layout().printableKeyName(keyCode);
    }
    std::optional<std::string> keySymbolName(uint32_t keyCode) const override {
        return layout().keySymbolName(keyCode);
    }
    std::optional<uint32_t> keyCodeNamed(std::string_view name) const override {
        return layout().keyCodeNamed(name);
    }

private:
    const XkbKeyboard& layout() const {
        if (!keyboard_) {
            XcbConnection* connection = owner_.connection();
            keyboard_ = std::make_unique<XkbKeyboard>(connection ? connection->get() : nullptr);
        }
        return *keyboard_;
    }

    CommandTriggers& owner_;
    mutable std::unique_ptr<XkbKeyboard> keyboard_;
};

// Chooses the backend on the first question.
class CommandTriggers::Spaces : public SpaceIdentifier {
public:
    explicit Spaces(CommandTriggers& owner) : owner_(owner) {}

    bool available() const override { return backend().available(); }
    std::string unavailableReason() const override { return backend().unavailableReason(); }
    std::optional<SpaceInfo> activeSpace() const override { return backend().activeSpace(); }
    std::vector<std::string> userSpaceIdentities() const override { return backend().userSpaceIdentities(); }

private:
    const SpaceIdentifier& backend() const {
        if (!backend_) {
            XcbConnection* connection = owner_.connection();
            backend_ =
                chooseSpaceIdentifier(QDBusConnection::sessionBus(), connection ? connection->get() : nullptr,
                                      connection ? connection->root() : 0);
        }
        return *backend_;
    }

    CommandTriggers& owner_;
    mutable std::unique_ptr<SpaceIdentifier> backend_;
};

CommandTriggers::CommandTriggers()
    : keyboard_(std::make_unique<Keyboard>(*this)), spaces_(std::make_unique<Spaces>(*this)) {}

CommandTriggers::~CommandTriggers() = default;

XcbConnection* CommandTriggers::connection() {
    if (!connected_) {
        connected_ = true;
        if (!isWaylandSession())
            connection_ = XcbConnection::open();
    }
    return connection_.get();
}

TriggerServices CommandTriggers::services() {
    TriggerServices services;
    services.keyboard = keyboard_.get();
    services.spaces = spaces_.get();
    services.globalShortcutsFire = [this] { return connection() != nullptr; };
    return services;
}

} // namespace tessarin
