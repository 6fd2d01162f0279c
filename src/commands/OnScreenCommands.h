#pragma once

#include "commands/ModelCommand.h"

namespace tessarin::cmd {

// A desktop's wallpaper cue: a colour or a picture over the wallpaper, or none.
class CueCommand : public ModelCommand {
public:
    std::string name() const override { return "cue"; }
    std::string synopsis() const override {
        return "NAME color HEX | image PATH | off [--opacity X] [--above-icons]";
    }
    std::string summary() const override { return "lay a colour or a picture over the wallpaper for NAME"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// The switch transition from a look, a speed and an intensity.
class LookCommand : public ModelCommand {
public:
    std::string name() const override { return "look"; }
    std::string synopsis() const override { return "LOOK [--speed S] [--intensity I]"; }
    std::string summary() const override { return "choose the transition shown while desktops switch"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// The light or dark mode a desktop turns the session to.
class AppearanceCommand : public ModelCommand {
public:
    std::string name() const override { return "appearance"; }
    std::string synopsis() const override { return "NAME light|dark|none"; }
    std::string summary() const override { return "turn the session light or dark while NAME is active"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
