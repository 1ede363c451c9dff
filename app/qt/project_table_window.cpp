#include "app/qt/project_table_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/core/identity.h"

namespace kv5 {

ProjectTableWindow::ProjectTableWindow(const ProjectTable& table, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TForm_projecttable");
  setWindowTitle(QString::fromStdString(std::string(programTitle)));
  grid_ = new QTableWidget(static_cast<int>(table.rows.size()),
                           static_cast<int>(table.titles.size()), this);
  QStringList titles;
  for (const std::string& title : table.titles) titles << QString::fromStdString(title);
  grid_->setHorizontalHeaderLabels(titles);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (size_t r = 0; r < table.rows.size(); ++r) {
    const auto& row = table.rows[r];
    for (size_t c = 0; c < row.size(); ++c) {
      auto* cell = new QTableWidgetItem(QString::fromStdString(row[c]));
      // Figures right-aligned as in a report; names and texts left.
      const bool text = c <= 5 || c >= 18;
      cell->setTextAlignment(text ? Qt::AlignLeft | Qt::AlignVCenter
                                  : Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(static_cast<int>(r), static_cast<int>(c), cell);
    }
  }
  grid_->resizeColumnsToContents();
  if (!table.rows.empty()) grid_->selectRow(0);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_);
  layout->addWidget(buttons);
  resize(1100, 420);
}

std::optional<int> ProjectTableWindow::chosenRow() const {
  if (result() != QDialog::Accepted) return std::nullopt;
  const int row = grid_->currentRow();
  if (row < 0) return std::nullopt;
  return row;
}

std::optional<int> ShowProjectTable(const ProjectTable& table, QWidget* parent) {
  ProjectTableWindow window(table, parent);
  window.exec();
  return window.chosenRow();
}

}  // namespace kv5
