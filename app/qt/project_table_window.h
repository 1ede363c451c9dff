// The project table of the File menu as a modal window: one row per
// project file with its key figures; OK (or a double click) opens the
// selected project.
#pragma once

#include <QDialog>
#include <optional>

#include "app/core/project_table.h"

class QTableWidget;

namespace kv5 {

class ProjectTableWindow : public QDialog {
  Q_OBJECT
 public:
  ProjectTableWindow(const ProjectTable& table, QWidget* parent = nullptr);

  QTableWidget* grid() const { return grid_; }
  // The selected row after OK; nothing after cancel or without a selection.
  std::optional<int> chosenRow() const;

 private:
  QTableWidget* grid_ = nullptr;
};

// Shows the table modally: the chosen row, or nothing when cancelled.
std::optional<int> ShowProjectTable(const ProjectTable& table, QWidget* parent);

}  // namespace kv5
