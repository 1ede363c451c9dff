// The commands of the main window's menu without the window: what each
// command does and in which order it calls the model, the dialogs, the
// calculation, the report and the drawings; the "modified" bookkeeping with
// its save questions; the window caption and the state of the menu items.
//
// The window layer installs the hooks (its dialogs and windows) and calls
// the commands; tests install scripted hooks.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/core/project_table.h"

namespace kv5 {

struct MainWindowHooks {
  // Modal dialogs; each sets abortFlag when it was cancelled. The document
  // texts dialog, the geometry dialog, the load dialog and the pre-design.
  std::function<void()> documentTexts;
  std::function<void()> geometry;
  std::function<void()> load;
  std::function<void()> preDesign;
  // The project table, shown modally: the chosen row, or nothing when the
  // window was cancelled.
  std::function<std::optional<int>(const ProjectTable&)> projectTable;
  // The window shows a new caption, menu state or drawing.
  std::function<void()> refreshWindow;
};

void SetMainWindowHooks(MainWindowHooks hooks);
const MainWindowHooks& mainWindowHooks();

// The state of the menu items that depend on the drive.
struct MenuState {
  std::string errorMessagesCaption;  // "&Fehlermeldungen (3)"
  bool errorMessagesEnabled = false;
  bool carrierVisible = false;  // mi_cadcarrier, mi_stlCarrier: pin wheel
  bool yokeVisible = false;     // mi_cadjoch, mi_stljoch: pin rack
};
MenuState CurrentMenuState();

// Window and application title.
std::string MainWindowCaption();

// The recent-files item text of a full path: shortened to
// "/first folder/.../file" when 50 characters or longer.
std::string ShownRecentPath(const std::string& path);

// Before New, Open, a recent file, the project table and exit: asks to save
// or discard a modified project; Cancel (or No for an unnamed one) sets
// abortFlag.
void ConfirmDiscardOrSave();

// The guided input: document texts, (pre-design,) geometry, load,
// calculation and the message list.
void InputSequence(bool withPreDesign);

// Menu state and the start view.
void RefreshView();

// Menu commands. Each clears abortFlag first.
void FileNew();
void FileOpen();
void FileOpenTable();
void FileSave();
void FileSaveAs();
void FileOpenRecent(int index);  // 0-based
void EditQuick();
void EditText();
void EditGeometry();
void EditLoad();
void EditPreDesign();
void ViewReport();
void ViewDrawing(int item);  // drawing list item on the screen
void CadDrawing(int item);   // drawing list item, the CAD layer asks the kind
void CadYoke();              // yoke parts, the CAD layer asks the kind
void ShowMessages();         // Help: the message list window
// (The STL menu's commands are in app/core/stl_menu.h.)

// Exit: whether the window may close (after the save question); when it
// may, the temporary block files of this run are deleted.
bool MainWindowMayClose();
// The window is destroyed: the recent-files file is written.
void MainWindowDestroyed();

}  // namespace kv5
