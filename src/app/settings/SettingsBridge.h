#pragma once

#include "settings/SettingsModel.h"

#include <QObject>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// What one operation of the settings model left behind: its answer, the refusal to show, or the folder
// the Trash did not take.
struct SettingsOutcome {
    bool done = false;
    std::optional<std::string> refusal;
    std::optional<DeleteFailure> trashFailure;
};

// The Qt side of the settings model: every window runs the model's operations through it, and every
// view redraws from the model's copy when it says the document changed, after a refusal too, so that
// a refused edit shows the document as it still is.
class SettingsBridge : public QObject {
    Q_OBJECT
public:
    explicit SettingsBridge(SettingsModel& model, QObject* parent = nullptr)
        : QObject(parent), model_(model) {}

    SettingsModel& model() { return model_; }
    const Config& config() const { return model_.config(); }

    // Runs one operation of the model. The refusal it leaves is handed back, not kept in the model.
    SettingsOutcome run(const std::function<bool(SettingsModel&)>& operation);
    // The document changed elsewhere (a switch, a sweep, a forwarded command): reload and redraw.
    void reload();

signals:
    void changed();

private:
    SettingsModel& model_;
    int running_ = 0;
};

} // namespace tessarin
