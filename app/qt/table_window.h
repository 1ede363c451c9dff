// The table window over an open ChainTable: every row the navigation
// passes, with the column names as headings and the record numbers at the
// left. Choose mode: navigation only (first, previous, next, last), deleted
// rows hidden. Edit mode: cells are edited in the file as they are
// changed, rows are appended, deleted or recalled, and the table is packed;
// deleted rows are shown, marked with "*".
#pragma once

#include <QDialog>
#include <functional>

#include "model/chain_table.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kv5 {

class TableWindow : public QDialog {
  Q_OBJECT
 public:
  TableWindow(ChainTable& table, const BrowseRequest& request,
              std::function<void(int topic)> showHelp = {}, QWidget* parent = nullptr);

  QTableWidget* grid() const { return grid_; }
  // The record number shown in a grid row.
  int RecordOfRow(int row) const;
  int CurrentRecord() const;

  void accept() override;  // OK: the selected row becomes current
  void reject() override;  // "Abbrechen", Esc, close box

 private:
  void Fill();
  void ShowRecord(int record);
  void SelectRow(int row);
  void CellEdited(int row, int column);
  void Append();
  void ToggleDeleted();
  void Pack();
  void ReportTableError();

  ChainTable& table_;
  BrowseRequest request_;
  std::function<void(int topic)> showHelp_;
  QTableWidget* grid_;
  QLabel* status_;
  bool filling_ = false;
};

// Shows the window modally: true for OK (the chosen row current).
bool ShowTableWindow(ChainTable& table, const BrowseRequest& request,
                     std::function<void(int topic)> showHelp, QWidget* parent);

}  // namespace kv5
