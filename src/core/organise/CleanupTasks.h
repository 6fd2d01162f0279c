#pragma once

#include "model/Config.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The cleanup-calendar operations on Config::cleanupTasks. They never fail: names or ids that match
// nothing leave the document unchanged. Dates are compared as exact instants.

// Appends a task [name] on `date` unless some task already lists the name.
void addCleanupTask(Config& config, const std::string& name, Date date);
// Takes the name out of its tasks and puts it on `date`: into the first task of exactly that date,
// else into a new one.
void setCleanupDate(Config& config, const std::string& name, Date date);
// Removes the name from every task and drops the tasks left empty.
void removeCleanupMember(Config& config, std::string_view name);
void renameCleanupMember(Config& config, std::string_view oldName, std::string_view newName);
void rescheduleCleanupTask(Config& config, const Uuid& id, Date date);
// Moves the source task's members (those the target lacks, in order) into the target, which keeps its
// date, and removes the source.
void mergeCleanupTasks(Config& config, const Uuid& source, const Uuid& target);
// Gives the name a task of its own on `date`; a task with only that member just moves.
void splitMember(Config& config, const std::string& name, Date date);
// Keeps only names of desktops that are live or archived unsorted; drops the tasks left empty.
void pruneCleanupTasks(Config& config);

// The tasks with members narrowed to existing desktops not yet sorted; tasks left empty are left out.
std::vector<CleanupTask> openCleanupTasks(const Config& config);
// The colours of the task's members that name existing desktops, in member order.
std::vector<std::string> taskColorStops(const Config& config, const CleanupTask& task);

} // namespace tessarin
