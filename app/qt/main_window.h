// The main window: the graphics view as its client area, the main menu with
// every command, the status line, and the caption. The commands themselves
// are the core's (app/core/main_commands.h); this window builds the menu,
// installs its dialogs as the commands' hooks and shows what they change.
#pragma once

#include <QMainWindow>
#include <map>
#include <string>

class QAction;
class QMenu;

namespace kv5 {

class GraphicsView;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  GraphicsView* view() const { return view_; }
  // The menu item or submenu action of a component name ("mi_fileNew").
  QAction* action(const std::string& componentName) const;

  // Captions, menu state, recent files, caption and the drawing again.
  void RefreshWindow();
  // Size, colour and language of the configuration (window steps of the
  // start-up).
  void ApplyStartSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QMenu* AddMenu(const char* componentName, const char* caption);
  QAction* AddItem(QMenu* menu, const char* componentName, const char* caption,
                   std::function<void()> command);
  void BuildMenus();
  void InstallHooks();
  void ApplyMenuTexts();
  void ApplyMenuState();
  void ShowRecentFiles();
  void RunCommand(const std::function<void()>& command);
  void ShowAbout();
  void PrinterSetup();

  GraphicsView* view_ = nullptr;
  std::map<std::string, QAction*> actions_;
  QAction* recentSeparator_ = nullptr;
  bool inCommand_ = false;
};

}  // namespace kv5
