#include "app/qt/main_window_dialogs.h"

#include "app/qt/project_table_window.h"

namespace kv5 {

MainWindowHooks DialogHooks(QWidget* parent) {
  MainWindowHooks hooks;
  hooks.projectTable = [parent](const ProjectTable& table) {
    return ShowProjectTable(table, parent);
  };
  return hooks;
}

}  // namespace kv5
