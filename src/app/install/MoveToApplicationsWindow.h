#pragma once

#include "appimage/InstallLocation.h"

#include <QDialog>
#include <QLabel>
#include <functional>

namespace tessarin {

// The offer to move an AppImage out of Downloads into ~/Applications: a small window above the others
// with the explanation, the error of a failed move, "Not now" and "Move to ~/Applications".
class MoveToApplicationsWindow : public QDialog {
    Q_OBJECT
public:
    // `move` throws on failure (its description is shown); `decline` runs before the window closes.
    MoveToApplicationsWindow(InstallSituation situation, const QString& sourceFolderName,
                             std::function<void()> move, std::function<void()> decline,
                             QWidget* parent = nullptr);

    static QString title();
    static QString explanation(InstallSituation situation, const QString& sourceFolderName);
    static QString moveFailedText(const QString& reason);

private:
    void attemptMove();

    std::function<void()> move_;
    std::function<void()> decline_;
    QLabel* error_ = nullptr;
};

} // namespace tessarin
