#include "app/qt/table_window.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/command_buttons.h"
#include "dialogs/message_boxes.h"

namespace kv5 {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

TableWindow::TableWindow(ChainTable& table, const BrowseRequest& request,
                         std::function<void(int topic)> showHelp, QWidget* parent)
    : QDialog(parent), table_(table), request_(request), showHelp_(std::move(showHelp)) {
  setObjectName("TableWindow");
  setModal(true);
  const bool edit = request.mode == BrowseMode::Edit;
  setWindowTitle(Q(table.title2().empty() ? table.path() : table.title2()));
  resize(900, 520);

  auto* layout = new QVBoxLayout(this);
  if (!table.title1().empty()) layout->addWidget(new QLabel(Q(table.title1()), this));
  auto* heading = new QLabel(Q(table.title2()), this);
  heading->setObjectName("Label_title");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);

  grid_ = new QTableWidget(this);
  grid_->setObjectName("Grid_table");
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(edit ? QAbstractItemView::DoubleClicked |
                                    QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed
                              : QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  layout->addWidget(grid_, 1);

  status_ = new QLabel(this);
  status_->setObjectName("Label_status");
  layout->addWidget(status_);

  auto* navigation = new QHBoxLayout;
  layout->addLayout(navigation);
  auto button = [this](QHBoxLayout* row, const char* name, const char* text) {
    return AddCommandButton(this, row, name, text);
  };
  QPushButton* first = button(navigation, "Button_first", "|<");
  QPushButton* prior = button(navigation, "Button_prior", "<");
  QPushButton* next = button(navigation, "Button_next", ">");
  QPushButton* last = button(navigation, "Button_last", ">|");
  navigation->addStretch(1);
  if (edit) {
    QPushButton* append = button(navigation, "Button_append", "Anhängen");
    QPushButton* remove = button(navigation, "Button_delete", "Löschen / Zurück");
    QPushButton* pack = button(navigation, "Button_pack", "Packen");
    connect(append, &QPushButton::clicked, this, &TableWindow::Append);
    connect(remove, &QPushButton::clicked, this, &TableWindow::ToggleDeleted);
    connect(pack, &QPushButton::clicked, this, &TableWindow::Pack);
  }

  auto* commands = new QHBoxLayout;
  layout->addLayout(commands);
  QPushButton* ok = button(commands, "Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = button(commands, "Button_cancel", "Abbrechen");
  QPushButton* help = button(commands, "Button_help", "&Hilfe");
  commands->addStretch(1);

  connect(ok, &QPushButton::clicked, this, &TableWindow::accept);
  connect(cancel, &QPushButton::clicked, this, &TableWindow::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (showHelp_) showHelp_(request_.helpTopic);
  });
  connect(first, &QPushButton::clicked, this, [this] { SelectRow(0); });
  connect(last, &QPushButton::clicked, this, [this] { SelectRow(grid_->rowCount() - 1); });
  connect(prior, &QPushButton::clicked, this, [this] { SelectRow(grid_->currentRow() - 1); });
  connect(next, &QPushButton::clicked, this, [this] { SelectRow(grid_->currentRow() + 1); });
  connect(grid_, &QTableWidget::cellChanged, this, &TableWindow::CellEdited);
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
    if (!filling_ && row >= 0) table_.Go(RecordOfRow(row));
  });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int, int) {
    if (request_.mode == BrowseMode::Choose) accept();
  });

  Fill();
}

void TableWindow::Fill() {
  filling_ = true;
  const int current = table_.RecordNumber();
  const std::vector<int>& order = table_.Order();
  grid_->clear();
  grid_->setColumnCount(table_.ColumnCount());
  grid_->setRowCount(static_cast<int>(order.size()));
  QStringList headings;
  for (int c = 1; c <= table_.ColumnCount(); ++c) headings << Q(table_.ColumnName(c));
  grid_->setHorizontalHeaderLabels(headings);
  const bool edit = request_.mode == BrowseMode::Edit;
  int currentRow = order.empty() ? -1 : 0;
  for (int row = 0; row < static_cast<int>(order.size()); ++row) {
    const int record = order[static_cast<size_t>(row)];
    table_.Go(record);
    const bool deleted = table_.IsDeleted(record);
    auto* number = new QTableWidgetItem(QString::number(record) + (deleted ? " *" : ""));
    grid_->setVerticalHeaderItem(row, number);
    for (int c = 1; c <= table_.ColumnCount(); ++c) {
      auto* item = new QTableWidgetItem(Q(table_.Column(c)));
      if (!edit) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      if (table_.ColumnNumeric(c)) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (deleted) item->setForeground(QBrush(Qt::gray));
      grid_->setItem(row, c - 1, item);
    }
    if (record == current) currentRow = row;
  }
  table_.ResetError();
  grid_->resizeColumnsToContents();
  filling_ = false;
  SelectRow(currentRow);
}

int TableWindow::RecordOfRow(int row) const {
  const std::vector<int>& order = table_.Order();
  if (row < 0 || row >= static_cast<int>(order.size())) return 0;
  return order[static_cast<size_t>(row)];
}

int TableWindow::CurrentRecord() const {
  return RecordOfRow(grid_->currentRow());
}

void TableWindow::SelectRow(int row) {
  if (grid_->rowCount() == 0) {
    status_->clear();
    return;
  }
  row = std::clamp(row, 0, grid_->rowCount() - 1);
  grid_->setCurrentCell(row, std::max(0, grid_->currentColumn()));
  grid_->scrollToItem(grid_->item(row, 0));
  ShowRecord(RecordOfRow(row));
}

void TableWindow::ShowRecord(int record) {
  table_.Go(record);
  status_->setText(QString("Satz %1 / %2%3")
                       .arg(record)
                       .arg(table_.RecordCount())
                       .arg(table_.IsDeleted(record) ? "  (gelöscht)" : ""));
}

void TableWindow::ReportTableError() {
  ShowError("Fehler : Database #" + std::to_string(table_.LastError()));
  table_.ResetError();
}

void TableWindow::CellEdited(int row, int column) {
  if (filling_ || request_.mode != BrowseMode::Edit) return;
  const int record = RecordOfRow(row);
  QTableWidgetItem* item = grid_->item(row, column);
  if (!item || !table_.Go(record)) return;
  if (!table_.WriteColumn(column + 1, item->text().toStdString())) ReportTableError();
  // Shows what the file now holds (numbers as the column stores them).
  filling_ = true;
  table_.Go(record);
  item->setText(Q(table_.Column(column + 1)));
  filling_ = false;
}

void TableWindow::Append() {
  if (!table_.Append()) return ReportTableError();
  Fill();
}

void TableWindow::ToggleDeleted() {
  const int record = CurrentRecord();
  if (record == 0) return;
  if (!table_.SetDeleted(record, !table_.IsDeleted(record))) return ReportTableError();
  table_.Go(record);
  Fill();
}

void TableWindow::Pack() {
  if (!table_.Pack()) ReportTableError();
  if (table_.IsOpen()) Fill();
}

void TableWindow::accept() {
  const int record = CurrentRecord();
  if (record == 0) return reject();  // nothing to choose in an empty table
  table_.Go(record);
  QDialog::accept();
}

void TableWindow::reject() {
  QDialog::reject();
}

bool ShowTableWindow(ChainTable& table, const BrowseRequest& request,
                     std::function<void(int topic)> showHelp, QWidget* parent) {
  TableWindow window(table, request, std::move(showHelp), parent);
  return window.exec() == QDialog::Accepted;
}

}  // namespace kv5
