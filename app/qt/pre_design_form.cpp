#include "app/qt/pre_design_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/command_buttons.h"
#include "text/units.h"

namespace kv5 {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void ShowText(QLineEdit* edit, const std::string& text) {
  // Only a changed text is set, so the cursor stays where the person types.
  if (edit->text().toStdString() != text) edit->setText(Q(text));
}

QLineEdit* NewEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(110);
  return edit;
}

QPushButton* SmallButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  button->setFixedWidth(28);
  return button;
}

}  // namespace

TForm_kv5vor::TForm_kv5vor(PreDesignFormHooks hooks, QWidget* parent) : QDialog(parent) {
  setObjectName("TForm_kv5vor");
  setWindowTitle(Q(PreDesignDialog::Caption()));
  setModal(true);
  logic_.showHelp = std::move(hooks.showHelp);

  auto* layout = new QVBoxLayout(this);
  auto* loadRow = new QHBoxLayout;
  layout->addLayout(loadRow);
  auto* load = new QGridLayout;
  loadRow->addLayout(load, 1);
  auto row = [this, load](int r, const char* label, const char* name, const char* unit,
                          QLabel** labelOut = nullptr) {
    QLineEdit* edit = NewEdit(this, name);
    auto* text = new QLabel(label, this);
    text->setBuddy(edit);
    load->addWidget(text, r, 0);
    load->addWidget(edit, r, 1);
    if (unit) load->addWidget(new QLabel(unit, this), r, 2);
    if (labelOut) *labelOut = text;
    return edit;
  };
  QLabel* torqueUnit = nullptr;
  Edit_t = row(0, "Drehmoment T", "Edit_t", nullptr);
  torqueUnit = new QLabel(this);
  torqueUnit->setObjectName("Label_tunit");
  load->addWidget(torqueUnit, 0, 2);
  Label_t = torqueUnit;
  Edit_p = row(1, "Nennleistung P", "Edit_p", "kW");
  Edit_n1 = row(2, "Drehzahl n1", "Edit_n1", "1/min");
  Edit_fb = row(3, "Anwendungsfaktor KA", "Edit_fb", nullptr);

  auto* derived = new QGroupBox(this);
  derived->setObjectName("RadioGroup_tpn");
  auto* derivedColumn = new QVBoxLayout(derived);
  RadioGroup_tpn = new QButtonGroup(this);
  const char* loadNames[] = {"T", "P", "n"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(loadNames[i], derived);
    RadioGroup_tpn->addButton(b, i);
    derivedColumn->addWidget(b);
  }
  loadRow->addWidget(derived);

  auto* ratio = new QGridLayout;
  layout->addLayout(ratio);
  RadioGroup_u = new QGroupBox(this);
  RadioGroup_u->setObjectName("RadioGroup_u");
  auto* ratioColumn = new QVBoxLayout(RadioGroup_u);
  ratioItems_ = new QButtonGroup(this);
  const char* ratioNames[] = {"Zähnezahlverhältnis u", "Zähnezahl z1", "Zähnezahl z2"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(ratioNames[i], RadioGroup_u);
    ratioItems_->addButton(b, i);
    ratioColumn->addWidget(b);
  }
  ratio->addWidget(RadioGroup_u, 0, 0, 3, 1);
  Label_z1 = new QLabel("Zähnezahl z1", this);
  Label_z1->setObjectName("Label_z1");
  ratio->addWidget(Label_z1, 1, 0);
  Edit_u = NewEdit(this, "Edit_u");
  Edit_z1 = NewEdit(this, "Edit_z1");
  Edit_z2 = NewEdit(this, "Edit_z2");
  Button_z1 = SmallButton(this, "Button_z1", "<");
  ratio->addWidget(Edit_u, 0, 1);
  ratio->addWidget(Edit_z1, 1, 1);
  ratio->addWidget(Button_z1, 1, 2);
  ratio->addWidget(Edit_z2, 2, 1);
  ratio->setColumnStretch(3, 1);

  auto* chainRow = new QHBoxLayout;
  layout->addLayout(chainRow);
  auto* standards = new QGroupBox(this);
  standards->setObjectName("RadioGroup_dbchain");
  auto* standardColumn = new QVBoxLayout(standards);
  RadioGroup_dbchain = new QButtonGroup(this);
  const char* standardNames[] = {"DIN 8187 / 8188", "ISO 606"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QRadioButton(standardNames[i], standards);
    RadioGroup_dbchain->addButton(b, i);
    standardColumn->addWidget(b);
  }
  chainRow->addWidget(standards);
  CheckBox_jatriebstock = new QCheckBox("Triebstock", this);
  CheckBox_jatriebstock->setObjectName("CheckBox_jatriebstock");
  chainRow->addWidget(CheckBox_jatriebstock);
  chainRow->addStretch(1);

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  auto button = [this, buttons](const char* name, const char* text) {
    return AddCommandButton(this, buttons, name, text);
  };
  QPushButton* ok = button("Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = button("Button_cancel", "Abbrechen");
  QPushButton* help = button("Button_help", "&Hilfetext");
  buttons->addStretch(1);
  QPushButton* metric = button("Button_metric", "mm <--> inch");

  connect(ok, &QPushButton::clicked, this, &TForm_kv5vor::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_kv5vor::reject);
  connect(help, &QPushButton::clicked, this, [this] { logic_.Help(); });
  connect(metric, &QPushButton::clicked, this, [this] {
    logic_.SwitchUnits();
    ShowLogic();
  });
  connect(Button_z1, &QPushButton::clicked, this, [this] {
    logic_.ProposeZ1();
    ShowLogic();
  });
  connect(RadioGroup_tpn, &QButtonGroup::idClicked, this, [this](int id) {
    logic_.SetDerived(id);
    ShowLogic();
  });
  connect(ratioItems_, &QButtonGroup::idClicked, this, [this](int id) {
    logic_.SetRatioItem(id);
    ShowLogic();
  });
  connect(RadioGroup_dbchain, &QButtonGroup::idClicked, this, [this](int id) {
    logic_.SetChainStandard(id);
    ShowLogic();
  });
  connect(CheckBox_jatriebstock, &QCheckBox::clicked, this, [this](bool on) {
    logic_.SetPinRack(on);
    ShowLogic();
  });
  auto typed = [this](QLineEdit* edit, void (PreDesignDialog::*set)(const std::string&)) {
    connect(edit, &QLineEdit::textEdited, this, [this, set](const QString& text) {
      (logic_.*set)(text.toStdString());
      ShowLogic();
    });
  };
  typed(Edit_t, &PreDesignDialog::SetTorque);
  typed(Edit_p, &PreDesignDialog::SetPower);
  typed(Edit_n1, &PreDesignDialog::SetSpeed);
  typed(Edit_fb, &PreDesignDialog::SetApplicationFactor);
  typed(Edit_u, &PreDesignDialog::SetU);
  typed(Edit_z1, &PreDesignDialog::SetZ1);
  typed(Edit_z2, &PreDesignDialog::SetZ2);

  logic_.FillFromModel();
  ShowLogic();
}

QLineEdit* TForm_kv5vor::field(const char* name) const {
  return findChild<QLineEdit*>(name);
}

void TForm_kv5vor::ShowLogic() {
  const PreDesignDialog::Fields& f = logic_.fields();
  ShowText(Edit_t, f.torque);
  ShowText(Edit_p, f.power);
  ShowText(Edit_n1, f.speed);
  ShowText(Edit_fb, f.applicationFactor);
  ShowText(Edit_u, f.u);
  ShowText(Edit_z1, f.z1);
  ShowText(Edit_z2, f.z2);
  Label_t->setText(Q(MomentUnit()));
  if (QAbstractButton* b = RadioGroup_tpn->button(f.derived)) b->setChecked(true);
  if (QAbstractButton* b = ratioItems_->button(f.ratioItem)) b->setChecked(true);
  if (QAbstractButton* b = RadioGroup_dbchain->button(f.chainStandard)) b->setChecked(true);
  CheckBox_jatriebstock->setChecked(f.pinRack);
  Edit_t->setEnabled(logic_.TorqueEnabled());
  Edit_p->setEnabled(logic_.PowerEnabled());
  Edit_n1->setEnabled(logic_.SpeedEnabled());
  Edit_u->setEnabled(logic_.RatioEnabled());
  Edit_z1->setEnabled(logic_.Z1Enabled());
  Button_z1->setEnabled(logic_.Z1Enabled());
  Edit_z2->setEnabled(logic_.Z2Enabled());
  RadioGroup_u->setTitle(Q(logic_.ratioCaption()));
  RadioGroup_u->setVisible(logic_.RatioVisible());
  Edit_u->setVisible(logic_.RatioVisible());
  Edit_z2->setVisible(logic_.Z2Visible());
  Label_z1->setVisible(logic_.Z1LabelVisible());
}

void TForm_kv5vor::accept() {
  if (logic_.Ok()) QDialog::accept();
}

void TForm_kv5vor::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
