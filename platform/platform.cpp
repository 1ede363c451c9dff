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

void SetPlatform(Platform* platform) {
  currentPlatform = platform;
}

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

std::string InstallationFolder() {
  std::string folder = EnvironmentVariable("KV5_HOME");
  if (folder.empty()) {
    std::string xdg = EnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.empty()) {
      folder = xdg + "/kv5";
    } else {
      std::string home = EnvironmentVariable("HOME");
      folder = (home.empty() ? std::string("/tmp") : home) + "/.local/share/kv5";
    }
  }
  if (folder.back() != '/') folder += '/';
  return folder;
}

bool WindowSystemAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (!EnvironmentVariable(name).empty()) return true;
  return false;
}

std::string DeliveredDataFolder() {
#ifdef KV5_INSTALLED_DATA_DIR
  std::string folder = KV5_INSTALLED_DATA_DIR;
#else
  std::string folder = "/usr/local/share/kv5";
#endif
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace kv5
