#include "cad/block_files.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/platform.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

namespace fs = std::filesystem;

std::string privateFolder;  // "" until created

void RemoveAtExit() {
  RemoveBlockFolder();
}

bool ValidBlockName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\") == std::string::npos && name != "." &&
         name != "..";
}

std::string FileNameOf(const std::string& blockName) {
  return "$" + blockName + ".dx$";
}

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

std::string TemporaryFolder() {
  if (TrimBlanks(tempFolder).empty()) return SystemTempFolder();
  return AddBackslash(tempFolder);
}

std::string BlockFolder() {
  if (!privateFolder.empty()) {
    std::error_code error;
    if (fs::is_directory(privateFolder, error)) return privateFolder;
    privateFolder.clear();
  }
  std::string pattern = TemporaryFolder() + "kv5blocks.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) return std::string();
  static bool registered = false;
  if (!registered) {
    std::atexit(RemoveAtExit);
    registered = true;
  }
  privateFolder = std::string(name.data()) + "/";
  return privateFolder;
}

std::string BlockFileForWriting(const std::string& blockName) {
  if (!ValidBlockName(blockName)) return std::string();
  std::string folder = BlockFolder();
  if (folder.empty()) return std::string();
  return folder + FileNameOf(LowerCase(blockName));
}

std::string FindBlockFile(const std::string& blockName) {
  if (!ValidBlockName(blockName)) return std::string();
  if (!privateFolder.empty()) {
    std::string own = privateFolder + FileNameOf(LowerCase(blockName));
    if (IsRegularFile(own)) return own;
  }
  std::string folder = TemporaryFolder();
  std::string exact = folder + FileNameOf(blockName);
  if (IsRegularFile(exact)) return exact;
  const std::string wanted = LowerCase(FileNameOf(blockName));
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string file = it->path().filename().string();
    if (file.size() == wanted.size() && LowerCase(file) == wanted &&
        IsRegularFile(it->path().string()))
      return it->path().string();
  }
  return std::string();
}

void DeleteBlockFiles() {
  if (privateFolder.empty()) return;
  std::error_code error;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(privateFolder, error), end; !error && it != end;
       it.increment(error)) {
    std::string file = it->path().filename().string();
    if (file.size() >= 5 && file.front() == '$' && file.ends_with(".dx$"))
      files.push_back(it->path());
  }
  for (const fs::path& file : files) fs::remove(file, error);
}

void RemoveBlockFolder() {
  if (privateFolder.empty()) return;
  std::error_code error;
  fs::remove_all(privateFolder, error);
  privateFolder.clear();
}

void InitBlockFiles() {
  RemoveBlockFolder();
}

}  // namespace kv5
