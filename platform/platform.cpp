#include "platform/platform.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "platform/headless_platform.h"

namespace kv5 {

namespace {
Platform* currentPlatform = nullptr;
}

Platform& CurrentPlatform() {
  return currentPlatform ? *currentPlatform : DefaultHeadlessPlatform();
}

void SetPlatform(Platform* platform) { currentPlatform = platform; }

std::string EnvironmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? std::string(value) : std::string();
}

std::string SystemTempFolder() {
  std::string folder = EnvironmentVariable("TMPDIR");
  if (folder.empty()) folder = "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string CurrentFolder() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return "./";
  std::string folder(buffer);
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace kv5
