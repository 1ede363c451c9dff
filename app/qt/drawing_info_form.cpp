#include "app/qt/drawing_info_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "app/qt/command_buttons.h"
#include "app/qt/form_hints.h"

namespace kv5 {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A grid whose first row and column are fixed labels, as the form's string
// grids; the label cells cannot be edited.
QTableWidget* Grid(QWidget* parent, const char* name, int columns, int rows) {
  auto* grid = new QTableWidget(rows, columns, parent);
  grid->setObjectName(name);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(20);
  return grid;
}

void Fixed(QTableWidget* grid, int row, int column, const std::string& text) {
  auto* item = new QTableWidgetItem(Q(text));
  item->setFlags(Qt::ItemIsEnabled);
  item->setBackground(grid->palette().button());
  grid->setItem(row, column, item);
}

void Cell(QTableWidget* grid, int row, int column, const std::string& text) {
  grid->setItem(row, column, new QTableWidgetItem(Q(text)));
}

std::string TextOf(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text().toStdString() : std::string();
}

void FitHeight(QTableWidget* grid) {
  int h = 2 * grid->frameWidth();
  for (int r = 0; r < grid->rowCount(); ++r) h += grid->rowHeight(r);
  grid->setFixedHeight(h);
}

// The layout's column widths, widened where this system's font needs more
// room for a label, a date or a name; the total width of the grid.
int WidenToContents(QTableWidget* grid, std::initializer_list<int> widths) {
  int total = 2 * grid->frameWidth();
  int c = 0;
  for (int width : widths) {
    grid->resizeColumnToContents(c);
    grid->setColumnWidth(c, std::max(width, grid->columnWidth(c) + 8));
    total += grid->columnWidth(c);
    ++c;
  }
  return total;
}

}  // namespace

TForm_zeichInfo::TForm_zeichInfo(DrawingInfoDialog& logic, HelpHook help, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  setObjectName("TForm_zeichInfo");
  setWindowTitle(Q(logic_.Caption()));
  setModal(true);
  if (help) logic_.showHelp = [help](int topic) { help(topic, HelpKind::Text); };
  auto* layout = new QVBoxLayout(this);
  const bool iso = logic_.iso();
  const int rows = logic_.SignatureRowCount();

  auto* top = new QHBoxLayout;
  layout->addLayout(top);
  StringGrid1 = Grid(this, "StringGrid1", 3, rows + 1);
  StringGrid1->setColumnWidth(0, 128);
  StringGrid1->setColumnWidth(1, iso ? 64 : 80);
  StringGrid1->setColumnWidth(2, 128);
  Fixed(StringGrid1, 0, 0, "");
  Fixed(StringGrid1, 0, 1, logic_.DateHeader());
  Fixed(StringGrid1, 0, 2, DrawingInfoDialog::NameHeader());
  for (int r = 1; r <= rows; ++r) {
    Fixed(StringGrid1, r, 0, logic_.SignatureRowLabel(r));
    Cell(StringGrid1, r, 1, logic_.signature(r).date);
    Cell(StringGrid1, r, 2, logic_.signature(r).name);
  }
  FitHeight(StringGrid1);
  StringGrid1->setFixedWidth(WidenToContents(StringGrid1, {128, iso ? 64 : 80, 128}));
  top->addWidget(StringGrid1);
  auto* dateButtons = new QVBoxLayout;
  dateButtons->addSpacing(20);
  for (int r = 1; r <= 4; ++r) {
    auto* b = new QPushButton(Q(DrawingInfoDialog::DateButtonCaption()), this);
    b->setObjectName(QString("Button%1").arg(r));
    b->setAutoDefault(false);
    b->setVisible(!iso);
    b->setFixedHeight(20);
    dateButtons->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, r] {
      TakeTyped();
      logic_.TakeToday(r);
      StringGrid1->item(r, 1)->setText(Q(logic_.signature(r).date));
    });
  }
  dateButtons->addStretch(1);
  if (iso) dateButtons->setEnabled(false);
  top->addLayout(dateButtons);

  StringGrid3 = Grid(this, "StringGrid3", 2, DrawingInfoDialog::kIsoFieldRows);
  StringGrid3->setColumnWidth(0, 128);
  StringGrid3->setColumnWidth(1, 128);
  for (int r = 1; r <= DrawingInfoDialog::kIsoFieldRows; ++r) {
    Fixed(StringGrid3, r - 1, 0, DrawingInfoDialog::IsoFieldLabel(r));
    Cell(StringGrid3, r - 1, 1, logic_.isoField(r));
  }
  FitHeight(StringGrid3);
  StringGrid3->setFixedWidth(std::max(262, WidenToContents(StringGrid3, {128, 128})));
  StringGrid3->setVisible(iso);
  top->addWidget(StringGrid3);
  top->addStretch(1);

  auto* replacements = new QGridLayout;
  layout->addLayout(replacements);
  auto* forLabel = new QLabel(Q(DrawingInfoDialog::ReplacementForLabel()), this);
  Edit_ersatzfuer = new QLineEdit(Q(logic_.replacementFor), this);
  Edit_ersatzfuer->setObjectName("Edit_ersatzfuer");
  auto* byLabel = new QLabel(Q(DrawingInfoDialog::ReplacedByLabel()), this);
  Edit_ersetztdurch = new QLineEdit(Q(logic_.replacedBy), this);
  Edit_ersetztdurch->setObjectName("Edit_ersetztdurch");
  replacements->addWidget(forLabel, 0, 0);
  replacements->addWidget(Edit_ersatzfuer, 0, 1);
  replacements->addWidget(byLabel, 1, 0);
  replacements->addWidget(Edit_ersetztdurch, 1, 1);
  for (QWidget* w : {static_cast<QWidget*>(forLabel), static_cast<QWidget*>(Edit_ersatzfuer),
                     static_cast<QWidget*>(byLabel), static_cast<QWidget*>(Edit_ersetztdurch)})
    w->setVisible(!iso);

  auto* sheets = new QHBoxLayout;
  layout->addLayout(sheets);
  ComboBox_zeichtextmode = new QComboBox(this);
  ComboBox_zeichtextmode->setObjectName("ComboBox_zeichtextmode");
  for (const std::string& item : DrawingInfoDialog::SheetItems())
    ComboBox_zeichtextmode->addItem(Q(item));
  ComboBox_zeichtextmode->setCurrentIndex(logic_.sheets);
  ComboBox_zeichtextmode->setToolTip(FormHint(DrawingInfoDialog::kSheetsHintTopic));
  sheets->addWidget(ComboBox_zeichtextmode);
  sheets->addStretch(1);

  StringGrid2 = Grid(this, "StringGrid2", 7, kMaxDrawingTexts + 1);
  for (int c = 0; c < 7; ++c) StringGrid2->setColumnWidth(c, 32);
  StringGrid2->setColumnWidth(1 + DrawingInfoDialog::kText, 320);
  StringGrid2->setColumnWidth(1 + DrawingInfoDialog::kLayer, 40);
  Fixed(StringGrid2, 0, 0, "");
  for (int c = 0; c < DrawingInfoDialog::kTextColumns; ++c)
    Fixed(StringGrid2, 0, c + 1, DrawingInfoDialog::TextColumnHeader(c));
  for (int r = 1; r <= kMaxDrawingTexts; ++r) {
    Fixed(StringGrid2, r, 0, std::to_string(r));
    for (int c = 0; c < DrawingInfoDialog::kTextColumns; ++c)
      Cell(StringGrid2, r, c + 1, logic_.textCell(r, c));
  }
  FitHeight(StringGrid2);
  StringGrid2->setMinimumWidth(WidenToContents(StringGrid2, {32, 32, 32, 32, 32, 320, 40}));
  StringGrid2->setVisible(logic_.TextGridVisible());
  layout->addWidget(StringGrid2);
  connect(ComboBox_zeichtextmode, &QComboBox::currentIndexChanged, this, [this](int index) {
    logic_.sheets = index;
    StringGrid2->setVisible(logic_.TextGridVisible());
  });

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  QPushButton* ok = AddCommandButton(this, buttons, "Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = AddCommandButton(this, buttons, "Button_cancel", "Abbrechen");
  QPushButton* helpButton = AddCommandButton(this, buttons, "Button_help", "&Hilfe");
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TForm_zeichInfo::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_zeichInfo::reject);
  connect(helpButton, &QPushButton::clicked, this, [this] { logic_.Help(); });
}

void TForm_zeichInfo::TakeTyped() {
  for (int r = 1; r <= logic_.SignatureRowCount(); ++r) {
    logic_.signature(r).date = TextOf(StringGrid1, r, 1);
    logic_.signature(r).name = TextOf(StringGrid1, r, 2);
  }
  for (int r = 1; r <= DrawingInfoDialog::kIsoFieldRows; ++r)
    logic_.isoField(r) = TextOf(StringGrid3, r - 1, 1);
  logic_.replacementFor = Edit_ersatzfuer->text().toStdString();
  logic_.replacedBy = Edit_ersetztdurch->text().toStdString();
  for (int r = 1; r <= kMaxDrawingTexts; ++r)
    for (int c = 0; c < DrawingInfoDialog::kTextColumns; ++c)
      logic_.textCell(r, c) = TextOf(StringGrid2, r, c + 1);
  logic_.sheets = ComboBox_zeichtextmode->currentIndex();
}

void TForm_zeichInfo::accept() {
  TakeTyped();
  if (logic_.Ok()) QDialog::accept();
}

void TForm_zeichInfo::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
