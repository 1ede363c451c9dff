#include "app/core/help_menu.h"

#include <algorithm>
#include <filesystem>

#include "dialogs/choice_dialogs.h"
#include "dialogs/message_boxes.h"
#include "graphics/graphics_window.h"
#include "graphics/help_picture.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

constexpr const char* kPictureExtension = ".plt";
// The choice table holds no more.
constexpr size_t kMaxOffered = kChoiceItemCount;

std::string PictureFile(const std::string& name) {
  return AddBackslash(pltFolder) + name + kPictureExtension;
}

}  // namespace

std::vector<std::string> HelpPictureNames() {
  std::vector<std::string> names;
  std::error_code error;
  const std::string folder = pltFolder.empty() ? std::string(".") : pltFolder;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::filesystem::path& path = it->path();
    if (LowerCase(path.extension().string()) != kPictureExtension) continue;
    if (!it->is_regular_file(error)) continue;
    names.push_back(path.stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void ShowHelpPicture(const std::string& name) {
  GrClear();
  GrHeader(0, 0, 160, 120);
  PlotHelpPicture(PictureFile(name));
}

void ShowStartPicture() {
  if (!FileExists(PictureFile("start"))) return;
  ShowHelpPicture("start");
  abortFlag = false;
}

void MenuHelpPicture() {
  const std::vector<std::string> names = HelpPictureNames();
  if (names.empty()) {
    ShowInfo("Keine Hilfebilder (*.plt) im PLT Ordner " + pltFolder);
    return;
  }
  const int count = static_cast<int>(std::min(names.size(), kMaxOffered));
  for (int i = 0; i < count; ++i) choiceItems[i + 1] = names[i];
  int index = 1;
  abortFlag = false;
  AskChoice("Hilfebild", count, index);
  if (abortFlag) {
    abortFlag = false;
    return;
  }
  ShowHelpPicture(names[index - 1]);
  abortFlag = false;
}

}  // namespace kv5
