#pragma once

#include "settings/sections/SectionPage.h"

#include <QTimer>

namespace tessarin {

// The sync warning, the archive's place and following the window manager's workspaces.
class ExperimentalSection : public SectionPage {
    Q_OBJECT
public:
    static constexpr int workspacePollMs = 2000;

    ExperimentalSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildSync(QVBoxLayout* page);
    void buildArchive(QVBoxLayout* page);
    void buildWorkspaces(QVBoxLayout* page);
    void bindingRow(QVBoxLayout* body, const Workspace& desktop);
    void chooseArchiveFolder();
    void confirmFollowing();
    // What the section last showed of the workspaces: it is drawn again when that changes.
    struct Seen {
        bool available = false;
        std::optional<SpaceInfo> active;
        std::vector<std::string> identities;
        bool operator==(const Seen&) const = default;
    };
    Seen look() const;

    QTimer poll_;
    Seen seen_;
};

} // namespace tessarin
