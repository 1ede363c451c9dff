#include "app/core/recent_files.h"

#include "app/core/identity.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {

std::array<std::string, kRecentFileCount> recentFiles;

void InitRecentFiles() {
  for (auto& f : recentFiles) f.clear();
}

std::string RecentFilesFileName() {
  return AddBackslash(configFolder) + programFileBase + ".cff";
}

void ReadRecentFiles() {
  InitRecentFiles();
  LineReader reader;
  if (!reader.Open(RecentFilesFileName())) return;
  reader.SkipLines(1);
  for (auto& f : recentFiles)
    if (!reader.ReadTextLine(f)) break;
}

void WriteRecentFiles() {
  if (recentFiles[0].empty()) return;
  LineWriter writer;
  if (!writer.Open(RecentFilesFileName())) return;
  writer.WriteTextLine(std::string(programFileBase) + " Session " + projectFolder);
  for (const auto& f : recentFiles) writer.WriteTextLine(f);
  writer.Close();
}

void AddRecentFile(const std::string& fileName) {
  if (fileName.empty()) return;
  int found = kRecentFileCount - 1;
  for (int i = 0; i < kRecentFileCount; ++i)
    if (recentFiles[static_cast<size_t>(i)] == fileName) {
      found = i;
      break;
    }
  for (int i = found; i > 0; --i)
    recentFiles[static_cast<size_t>(i)] = recentFiles[static_cast<size_t>(i - 1)];
  recentFiles[0] = fileName;
}

void RemoveRecentFile(int index) {
  if (index < 0 || index >= kRecentFileCount) return;
  for (int i = index; i < kRecentFileCount - 1; ++i)
    recentFiles[static_cast<size_t>(i)] = recentFiles[static_cast<size_t>(i + 1)];
  recentFiles[kRecentFileCount - 1].clear();
}

}  // namespace kv5
