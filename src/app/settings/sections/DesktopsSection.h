#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// The live desktops in their order, each with its name, type, colour, shortcut and removal; the archived
// desktops; and the folders of the store that are no desktop yet.
class DesktopsSection : public SectionPage {
    Q_OBJECT
public:
    DesktopsSection(SectionContext& context, QWidget* parent = nullptr);

    // "Its 1 file goes …" / "Its <n> files go …": what moving a desktop to the Trash takes with it.
    static QString trashText(std::size_t files);

protected:
    void build(QVBoxLayout* page) override;

private:
    QWidget* desktopRow(const Workspace& desktop, int index, int count);
    void buildArchived(QVBoxLayout* page);
    void buildUnlisted(QVBoxLayout* page);

    void rename(const std::string& name, const QString& to);
    void setType(const Workspace& desktop, WorkspaceType type);
    void move(const std::string& name, int by);
    void confirmDelete(const std::string& name, bool archived);
    void confirmRemoval(const std::string& name);
    std::size_t itemCount(const std::filesystem::path& folder) const;
};

} // namespace tessarin
