#include "app/qt/load_form.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/command_buttons.h"

namespace kv5 {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void ShowText(QLineEdit* edit, const std::string& text) {
  // Only a changed text is set, so the cursor stays where the person types.
  if (edit->text().toStdString() != text) edit->setText(Q(text));
}

}  // namespace

TForm_kv1last::TForm_kv1last(LoadFormHooks hooks, QWidget* parent) : QDialog(parent) {
  setObjectName("TForm_kv1last");
  setWindowTitle(Q(LoadDialog::Caption()));
  setModal(true);
  logic_.showStartView = std::move(hooks.showStartView);
  logic_.showHelp = std::move(hooks.showHelp);

  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  layout->addLayout(columns);
  auto* grid = new QGridLayout;
  columns->addLayout(grid, 1);
  auto row = [this, grid](int r, const char* label, const char* name, const char* unit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    auto* text = new QLabel(label, this);
    text->setBuddy(edit);
    grid->addWidget(text, r, 0);
    grid->addWidget(edit, r, 1);
    if (unit) grid->addWidget(new QLabel(unit, this), r, 3);
    return edit;
  };
  Edit_t = row(0, "Nenndrehmoment T1", "Edit_t", "Nm");
  Edit_p = row(1, "Nennleistung P", "Edit_p", "kW");
  Edit_n1 = row(2, "Drehzahl Rad 1", "Edit_n1", "1/min");
  Edit_fb = row(3, "Anwendungsfaktor KA", "Edit_fb", nullptr);
  auto* proposeKa = new QPushButton("<", this);
  proposeKa->setObjectName("Button_fb");
  proposeKa->setAutoDefault(false);
  proposeKa->setFixedWidth(28);
  grid->addWidget(proposeKa, 3, 2);
  auto* kaHelp = new QPushButton("?", this);
  kaHelp->setObjectName("Button_fbhelp");
  kaHelp->setAutoDefault(false);
  kaHelp->setFixedWidth(28);
  grid->addWidget(kaHelp, 3, 3);

  auto* derived = new QGroupBox(this);
  derived->setObjectName("RadioGroup_tpn");
  auto* derivedColumn = new QVBoxLayout(derived);
  RadioGroup_tpn = new QButtonGroup(this);
  const char* names[] = {"T", "P", "n"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(names[i], derived);
    RadioGroup_tpn->addButton(b, i);
    derivedColumn->addWidget(b);
  }
  columns->addWidget(derived);

  Label_ft = new QLabel(this);
  Label_ft->setObjectName("Label_ft");
  layout->addWidget(Label_ft);

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  auto button = [this, buttons](const char* name, const char* text) {
    return AddCommandButton(this, buttons, name, text);
  };
  QPushButton* ok = button("Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = button("Button_cancel", "Abbrechen");
  QPushButton* help = button("Button_help", "&Hilfe");
  buttons->addStretch(1);
  QPushButton* calc = button("Button_calc", "Calc");

  connect(ok, &QPushButton::clicked, this, &TForm_kv1last::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_kv1last::reject);
  connect(help, &QPushButton::clicked, this, [this] { logic_.Help(); });
  connect(kaHelp, &QPushButton::clicked, this, [this] { logic_.ApplicationFactorHelp(); });
  connect(calc, &QPushButton::clicked, this, [this] {
    logic_.Calc();
    ShowLogic();
  });
  connect(proposeKa, &QPushButton::clicked, this, [this] {
    logic_.ProposeApplicationFactor();
    ShowLogic();
  });
  connect(RadioGroup_tpn, &QButtonGroup::idClicked, this, [this](int id) {
    logic_.SetDerived(id);
    ShowLogic();
  });
  auto typed = [this](QLineEdit* edit, void (LoadDialog::*set)(const std::string&)) {
    connect(edit, &QLineEdit::textEdited, this, [this, set](const QString& text) {
      (logic_.*set)(text.toStdString());
      ShowLogic();
    });
  };
  typed(Edit_t, &LoadDialog::SetTorque);
  typed(Edit_p, &LoadDialog::SetPower);
  typed(Edit_n1, &LoadDialog::SetSpeed);
  typed(Edit_fb, &LoadDialog::SetApplicationFactor);

  logic_.FillFromModel();
  ShowLogic();
}

void TForm_kv1last::ShowLogic() {
  const LoadDialog::Fields& f = logic_.fields();
  ShowText(Edit_t, f.torque);
  ShowText(Edit_p, f.power);
  ShowText(Edit_n1, f.speed);
  ShowText(Edit_fb, f.applicationFactor);
  if (QAbstractButton* b = RadioGroup_tpn->button(f.derived)) b->setChecked(true);
  Edit_t->setEnabled(logic_.TorqueEnabled());
  Edit_p->setEnabled(logic_.PowerEnabled());
  Edit_n1->setEnabled(logic_.SpeedEnabled());
  Label_ft->setText(Q(logic_.forceLine()));
}

void TForm_kv1last::accept() {
  if (logic_.Ok()) QDialog::accept();
}

void TForm_kv1last::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
