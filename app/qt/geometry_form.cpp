#include "app/qt/geometry_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/qt/command_buttons.h"

namespace kv5 {

namespace {

using Fields = GeometryDialog::Fields;
using TextField = std::string Fields::*;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

enum class Unit { None, Length, Force };

}  // namespace

// One field row: label, field, "<" button (may be absent), unit.
struct TForm_kv5geo::Row {
  const char* edit;
  const char* label;
  TextField text;
  const char* proposal;  // nullptr: no "<" button
  void (GeometryDialog::*propose)();
  Unit unit;
};

TForm_kv5geo::TForm_kv5geo(GeometryFormHooks hooks, QWidget* parent) : QDialog(parent) {
  setObjectName("TForm_kv5geo");
  setWindowTitle(Q(GeometryDialog::Caption()));
  setModal(true);
  logic_.showStartView = std::move(hooks.showStartView);
  logic_.showHelp = std::move(hooks.showHelp);
  logic_.chooseTableRow = std::move(hooks.chooseTableRow);

  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  layout->addLayout(columns);

  // Left: standard and profile button, tooth numbers, pin rack, bores.
  auto* left = new QVBoxLayout;
  columns->addLayout(left);
  auto* standard = new QGroupBox(this);
  standard->setObjectName("RadioGroup_dbchain");
  auto* standardColumn = new QVBoxLayout(standard);
  din_ = new QRadioButton("DIN 8187 / 8188", standard);
  iso_ = new QRadioButton("ISO 606", standard);
  standardColumn->addWidget(din_);
  standardColumn->addWidget(iso_);
  auto* standardGroup = new QButtonGroup(this);
  standardGroup->addButton(din_, 0);
  standardGroup->addButton(iso_, 1);
  left->addWidget(standard);
  Button_db = new QPushButton("Datenbank Profil", this);
  Button_db->setObjectName("Button_db");
  Button_db->setAutoDefault(false);
  left->addWidget(Button_db);

  auto* wheel = new QGroupBox("Kettenrad", this);
  auto* wheelGrid = new QGridLayout(wheel);
  const Row wheelRows[] = {
      {"Edit_z1", "Zähnezahl z1", &Fields::z1, "Button_z1", &GeometryDialog::ProposeZ1, Unit::None},
      {"Edit_z2", "Zähnezahl z2", &Fields::z2, nullptr, nullptr, Unit::None},
  };
  int row = 0;
  for (const Row& r : wheelRows) AddRow(wheelGrid, row++, r);
  CheckBox_triebstock = new QCheckBox("Triebstock (Zahnstange)", wheel);
  CheckBox_triebstock->setObjectName("CheckBox_triebstock");
  wheelGrid->addWidget(CheckBox_triebstock, row++, 0, 1, 4);
  const Row boreRows[] = {
      {"Edit_bohrung1", "Bohrungsdurchmesser dB1", &Fields::bore1, "Button_bohrung1",
       &GeometryDialog::ProposeBore1, Unit::Length},
      {"Edit_bohrung2", "Bohrungsdurchmesser dB2", &Fields::bore2, "Button_bohrung2",
       &GeometryDialog::ProposeBore2, Unit::Length},
  };
  for (const Row& r : boreRows) AddRow(wheelGrid, row++, r);
  left->addWidget(wheel);
  left->addStretch(1);

  // Right: the profile values with their proposals and the Edit switch.
  auto* profile = new QGroupBox(this);
  auto* profileGrid = new QGridLayout(profile);
  const Row profileRows[] = {
      {"Edit_dr", "Rollendurchmesser d1", &Fields::d1, "Button_dr", &GeometryDialog::ProposeD1,
       Unit::Length},
      {"Edit_p", "Teilung p", &Fields::p, "Button_p", &GeometryDialog::ProposeP, Unit::Length},
      {"Edit_B1", "Breite Rollen Triebstock b1", &Fields::b1, "Button_B1",
       &GeometryDialog::ProposeB1, Unit::Length},
      {"Edit_bf1", "Breite Kettenrad bf1", &Fields::bf1, "Button_bf1", &GeometryDialog::ProposeBf1,
       Unit::Length},
      {"Edit_h2", "Höhe Triebstock h2", &Fields::h2, "Button_h2", &GeometryDialog::ProposeH2,
       Unit::Length},
      {"Edit_d2", "Bolzendurchmesser d2", &Fields::d2, "Button_d2", &GeometryDialog::ProposeD2,
       Unit::Length},
      {"Edit_Fb", "Bruchkraft Kette/Triebstock FB", &Fields::FB, "Button_Fb",
       &GeometryDialog::ProposeFB, Unit::Force},
      {"Edit_wanddicke", "Wanddicke, Blechdicke s", &Fields::s, "Button_wanddicke",
       &GeometryDialog::ProposeS, Unit::Length},
  };
  row = 0;
  for (const Row& r : profileRows) AddRow(profileGrid, row++, r);
  CheckBox_Edit = new QCheckBox("Edit", profile);
  CheckBox_Edit->setObjectName("CheckBox_Edit");
  profileGrid->addWidget(CheckBox_Edit, row, 0, 1, 4);
  columns->addWidget(profile, 1);

  // Bottom: the commands.
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  auto button = [this, buttons](const char* name, const char* text) {
    return AddCommandButton(this, buttons, name, text);
  };
  QPushButton* ok = button("Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = button("Button_cancel", "Abbrechen");
  QPushButton* help = button("Button_help", "?");
  buttons->addStretch(1);
  QPushButton* metric = button("Button_metric", "mm <--> inch");
  QPushButton* calc = button("Button_calc", "Calc");

  connect(ok, &QPushButton::clicked, this, &TForm_kv5geo::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_kv5geo::reject);
  connect(help, &QPushButton::clicked, this, [this] { logic_.Help(); });
  connect(metric, &QPushButton::clicked, this, [this] {
    logic_.SwitchUnits();
    ShowLogic();
  });
  connect(calc, &QPushButton::clicked, this, [this] {
    logic_.Calc();
    ShowLogic();
  });
  connect(Button_db, &QPushButton::clicked, this, [this] {
    logic_.ProfileFromTable();
    ShowLogic();
  });
  connect(standardGroup, &QButtonGroup::idClicked, this, [this](int id) {
    logic_.mutableFields().chainStandard = id;
    ShowLogic();
  });
  connect(CheckBox_triebstock, &QCheckBox::clicked, this, [this](bool on) {
    logic_.SetPinRack(on);
    ShowLogic();
  });
  connect(CheckBox_Edit, &QCheckBox::clicked, this, [this](bool on) {
    logic_.SetEditable(on);
    ShowLogic();
  });

  logic_.FillFromModel();
  ShowLogic();
}

void TForm_kv5geo::AddRow(QGridLayout* grid, int row, const Row& r) {
  QWidget* owner = grid->parentWidget();
  auto* label = new QLabel(r.label, owner);
  auto* edit = new QLineEdit(owner);
  edit->setObjectName(r.edit);
  edit->setMinimumWidth(90);  // room for a length with its decimals
  label->setBuddy(edit);
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  labels_[r.edit] = label;
  edits_[r.edit] = edit;
  const TextField text = r.text;
  connect(edit, &QLineEdit::textEdited, this, [this, text](const QString& typed) {
    logic_.mutableFields().*text = typed.toStdString();
  });
  if (r.proposal) {
    auto* propose = new QPushButton("<", owner);
    propose->setObjectName(r.proposal);
    propose->setAutoDefault(false);
    propose->setFixedWidth(28);
    grid->addWidget(propose, row, 2);
    proposals_[r.edit] = propose;
    const auto handler = r.propose;
    connect(propose, &QPushButton::clicked, this, [this, handler] {
      (logic_.*handler)();
      ShowLogic();
    });
  }
  if (r.unit != Unit::None) {
    auto* unit = new QLabel(owner);
    unit->setObjectName(QString(r.edit).replace("Edit_", "Label_unit_"));
    unit->setProperty("kv5Unit", r.unit == Unit::Force ? "force" : "length");
    grid->addWidget(unit, row, 3);
    units_[r.edit] = unit;
  }
}

void TForm_kv5geo::ShowLogic() {
  const Fields& f = logic_.fields();
  const std::pair<const char*, const std::string*> texts[] = {
      {"Edit_z1", &f.z1},          {"Edit_z2", &f.z2},   {"Edit_bohrung1", &f.bore1},
      {"Edit_bohrung2", &f.bore2}, {"Edit_dr", &f.d1},   {"Edit_p", &f.p},
      {"Edit_B1", &f.b1},          {"Edit_bf1", &f.bf1}, {"Edit_h2", &f.h2},
      {"Edit_d2", &f.d2},          {"Edit_Fb", &f.FB},   {"Edit_wanddicke", &f.s},
  };
  for (const auto& [name, text] : texts) {
    QLineEdit* edit = edits_.at(name);
    // Only a changed text is set, so the cursor stays where the person types.
    if (edit->text().toStdString() != *text) edit->setText(Q(*text));
  }
  {
    const QSignalBlocker blockDin(din_), blockIso(iso_);
    (f.chainStandard == 0 ? din_ : iso_)->setChecked(true);
  }
  CheckBox_triebstock->setChecked(f.pinRack);
  CheckBox_Edit->setChecked(f.editable);
  Button_db->setText(Q(logic_.profileButtonText()));
  for (const auto& [name, unit] : units_)
    unit->setText(Q(unit->property("kv5Unit").toString() == "force" ? logic_.forceUnit()
                                                                    : logic_.lengthUnit()));

  const bool secondBore = logic_.SecondBoreVisible();
  for (auto* w :
       std::initializer_list<QWidget*>{labels_.at("Edit_bohrung2"), edits_.at("Edit_bohrung2"),
                                       units_.at("Edit_bohrung2"), proposals_.at("Edit_bohrung2")})
    w->setVisible(secondBore);
  const bool profileEnabled = logic_.ProfileFieldsEnabled();
  for (const char* name :
       {"Edit_dr", "Edit_p", "Edit_B1", "Edit_bf1", "Edit_h2", "Edit_d2", "Edit_Fb"}) {
    edits_.at(name)->setEnabled(profileEnabled);
    proposals_.at(name)->setEnabled(profileEnabled);
  }
}

QLineEdit* TForm_kv5geo::field(const std::string& name) const {
  auto it = edits_.find(name);
  return it == edits_.end() ? nullptr : it->second;
}

QLabel* TForm_kv5geo::unitLabel(const std::string& name) const {
  auto it = units_.find(name);
  return it == units_.end() ? nullptr : it->second;
}

void TForm_kv5geo::accept() {
  if (logic_.Ok()) QDialog::accept();
}

void TForm_kv5geo::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
