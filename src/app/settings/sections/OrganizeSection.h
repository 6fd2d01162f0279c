#pragma once

#include "settings/sections/SectionPage.h"

namespace tessarin {

// Temporary desktops and where they go, archived desktops still to sort, the cleanup schedule and its
// reminders.
class OrganizeSection : public SectionPage {
    Q_OBJECT
public:
    OrganizeSection(SectionContext& context, QWidget* parent = nullptr);

protected:
    void build(QVBoxLayout* page) override;

private:
    void buildTemporary(QVBoxLayout* page);
    void temporaryRow(QVBoxLayout* body, const Workspace& desktop);
    void buildUnsorted(QVBoxLayout* page);
    void buildSchedule(QVBoxLayout* page);
    void buildNotifications(QVBoxLayout* page);

    // The permanent live desktops a temporary desktop can move into.
    std::vector<std::string> homes(const std::string& except) const;
    void setTimer(const Workspace& desktop, ArchiveTimerMode mode, int days);
    void archiveNow(const std::string& name);
    void drainNow(const std::string& name, const std::string& target);
};

} // namespace tessarin
