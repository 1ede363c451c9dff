// The list of the last opened or saved projects, kept in kv5.cff beside
// the configuration file.
#pragma once

#include <array>
#include <string>

namespace kv5 {

inline constexpr int kRecentFileCount = 4;
// Full file names, entry 0 the most recent; empty entries are not shown.
extern std::array<std::string, kRecentFileCount> recentFiles;

// configFolder + "kv5.cff".
std::string RecentFilesFileName();
// Reads the list (line 1 is skipped); a missing file gives an empty list.
void ReadRecentFiles();
// Writes the list, only when entry 1 is not empty.
void WriteRecentFiles();
// Puts a file at the top; an entry already in the list moves up.
void AddRecentFile(const std::string& fileName);
void RemoveRecentFile(int index);  // 0-based
void InitRecentFiles();

}  // namespace kv5
