#pragma once

#include "model/HotKeySpec.h"

#include <string>

namespace tessarin {

// One shortcut in use and what it belongs to. Derived from the document, never stored.
struct HotKeyAssignment {
    struct Owner {
        enum class Kind {
            workspace,
            cycleNext,
            cyclePrevious,
            hideDesktop,
            switchToLast,
            openSettings,
            openCalendar,
            sortNow,
            floatingDock
        };
        Kind kind = Kind::workspace;
        std::string workspaceName; // only meaningful for Kind::workspace

        static Owner forWorkspace(std::string name) { return Owner{Kind::workspace, std::move(name)}; }
        static Owner of(Kind kind) { return Owner{kind, {}}; }

        // Same kind and, for a desktop, the same desktop name.
        bool operator==(const Owner& other) const {
            return kind == other.kind && (kind != Kind::workspace || workspaceName == other.workspaceName);
        }
    };

    Owner owner;
    HotKeySpec spec;

    bool operator==(const HotKeyAssignment&) const = default;
};

} // namespace tessarin
