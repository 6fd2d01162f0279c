#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// Every enumeration of the document and the settings record. The case names are the stored names.

enum class WorkspaceType { permanent, temporary };
enum class WorkspaceState { active, archivedUnsorted, archivedSorted };
enum class ClearMode { keep, move, archive };
enum class ArchiveTimerMode { none, idle, fixed };
enum class AppearanceMode { system, light, dark };

enum class SwitchTransition { none, blur, sweep };
enum class SwitchLook { none, vertical, horizontal, angledDown, angledUp, frost, soft, dark };
enum class SwitchSpeed { slow, normal, fast };
enum class SwitchIntensity { subtle, medium, strong };
enum class SwitchBlurStyle { frost, soft, light, dark };
enum class IconPlacement { settle, batch };
enum class MenuBarAnimation { none, nudge, mirror };
enum class FloatingDockMaterial { solid, glass, clearGlass };
enum class FloatingDockAxis { horizontal, vertical };
enum class FloatingDockSize { system, small, medium, large };
enum class FloatingDockCorner { off, topLeft, topRight, bottomLeft, bottomRight };

// EnumNames<E>::names lists the stored name of every case of E, indexed by the case's value.
template <typename E> struct EnumNames;

#define TESSARIN_ENUM_NAMES(E, ...)                                                                          \
    template <> struct EnumNames<E> {                                                                        \
        static constexpr auto names = std::to_array<std::string_view>({__VA_ARGS__});                        \
    }

TESSARIN_ENUM_NAMES(WorkspaceType, "permanent", "temporary");
TESSARIN_ENUM_NAMES(WorkspaceState, "active", "archivedUnsorted", "archivedSorted");
TESSARIN_ENUM_NAMES(ClearMode, "keep", "move", "archive");
TESSARIN_ENUM_NAMES(ArchiveTimerMode, "none", "idle", "fixed");
TESSARIN_ENUM_NAMES(AppearanceMode, "system", "light", "dark");
TESSARIN_ENUM_NAMES(SwitchTransition, "none", "blur", "sweep");
TESSARIN_ENUM_NAMES(SwitchLook, "none", "vertical", "horizontal", "angledDown", "angledUp", "frost", "soft",
                    "dark");
TESSARIN_ENUM_NAMES(SwitchSpeed, "slow", "normal", "fast");
TESSARIN_ENUM_NAMES(SwitchIntensity, "subtle", "medium", "strong");
TESSARIN_ENUM_NAMES(SwitchBlurStyle, "frost", "soft", "light", "dark");
TESSARIN_ENUM_NAMES(IconPlacement, "settle", "batch");
TESSARIN_ENUM_NAMES(MenuBarAnimation, "none", "nudge", "mirror");
TESSARIN_ENUM_NAMES(FloatingDockMaterial, "solid", "glass", "clearGlass");
TESSARIN_ENUM_NAMES(FloatingDockAxis, "horizontal", "vertical");
TESSARIN_ENUM_NAMES(FloatingDockSize, "system", "small", "medium", "large");
TESSARIN_ENUM_NAMES(FloatingDockCorner, "off", "topLeft", "topRight", "bottomLeft", "bottomRight");

#undef TESSARIN_ENUM_NAMES

// The stored name of a case, e.g. enumName(WorkspaceState::archivedSorted) == "archivedSorted".
template <typename E> constexpr std::string_view enumName(E value) {
    return EnumNames<E>::names[static_cast<std::size_t>(value)];
}

// The case stored under `name` (exact, case-sensitive), or none.
template <typename E> constexpr std::optional<E> enumFromName(std::string_view name) {
    const auto& names = EnumNames<E>::names;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<E>(i);
    return std::nullopt;
}

// "a, b, c": the stored names of E, as used in decoding error messages.
template <typename E> std::string enumNameList() {
    std::string list;
    for (const auto name : EnumNames<E>::names) {
        if (!list.empty())
            list += ", ";
        list += name;
    }
    return list;
}

} // namespace tessarin
