#include "app/qt/animation_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "app/qt/command_buttons.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

QString Shown(const std::string& text) {
  return QString::fromStdString(DosToDisplay(text));
}

}  // namespace

TForm_ani2::TForm_ani2(AnimationDialog& logic, HelpHook help, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  setObjectName("TForm_ani2");
  setWindowTitle(Shown(AnimationDialog::Caption()));
  setModal(true);
  if (help) logic_.showHelp = [help](int topic) { help(topic, HelpKind::Text); };

  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  int row = 0;
  auto field = [this, grid, &row](const char* labelName, const std::string& label,
                                  const char* editName, const char* buttonName,
                                  const std::string& unit, const char* unitName,
                                  std::function<void()> propose) {
    auto* text = new QLabel(Shown(label), this);
    text->setObjectName(labelName);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(editName);
    text->setBuddy(edit);
    auto* button = new QPushButton("<", this);
    button->setObjectName(buttonName);
    button->setAutoDefault(false);
    button->setFixedWidth(28);
    grid->addWidget(text, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(button, row, 2);
    if (!unit.empty()) {
      auto* u = new QLabel(Shown(unit), this);
      if (unitName) u->setObjectName(unitName);
      grid->addWidget(u, row, 3);
    }
    connect(button, &QPushButton::clicked, this, [this, propose = std::move(propose)] {
      TakeTyped();
      propose();
      ShowLogic();
    });
    ++row;
    return edit;
  };
  Edit_wstart =
      field("Label_wstart", AnimationDialog::StartAngleLabel(), "Edit_wstart", "Button_wstart",
            AnimationDialog::AngleUnit(), "Label_wstartu", [this] { logic_.ProposeStartAngle(); });
  Edit_wdreh = field("Label_wdreh", AnimationDialog::RotationAngleLabel(), "Edit_wdreh",
                     "Button_wdreh", AnimationDialog::AngleUnit(), "Label_wdrehu",
                     [this] { logic_.ProposeRotationAngle(); });
  Edit_anzbild = field("Label_anzbild", AnimationDialog::FramesLabel(), "Edit_anzbild",
                       "Button_anzbild", "", nullptr, [this] { logic_.ProposeFrames(); });
  Edit_anzwdh = field("Label_anzwdh", AnimationDialog::RepetitionsLabel(), "Edit_anzwdh",
                      "Button_anzwdh", "", nullptr, [this] { logic_.ProposeRepetitions(); });
  Edit_ms = field("Label_ms", AnimationDialog::PauseLabel(), "Edit_ms", "Button_ms",
                  AnimationDialog::PauseUnit(), "Label_msu", [this] { logic_.ProposePause(); });
  CheckBox_singlestep = new QCheckBox(Shown(AnimationDialog::SingleStepCaption()), this);
  CheckBox_singlestep->setObjectName("CheckBox_singlestep");
  grid->addWidget(CheckBox_singlestep, row, 0, 1, 4);

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  QPushButton* ok = AddCommandButton(this, buttons, "Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = AddCommandButton(this, buttons, "Button_cancel", "Abbrechen");
  QPushButton* helpButton = AddCommandButton(this, buttons, "Button_help", "&Hilfe");
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TForm_ani2::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_ani2::reject);
  connect(helpButton, &QPushButton::clicked, this, [this] { logic_.Help(); });
  ShowLogic();
}

void TForm_ani2::ShowLogic() {
  const AnimationDialog::Fields& f = logic_.fields();
  Edit_wstart->setText(QString::fromStdString(f.startAngle));
  Edit_wdreh->setText(QString::fromStdString(f.rotationAngle));
  Edit_anzbild->setText(QString::fromStdString(f.frames));
  Edit_anzwdh->setText(QString::fromStdString(f.repetitions));
  Edit_ms->setText(QString::fromStdString(f.pauseMs));
  CheckBox_singlestep->setChecked(f.singleStep);
}

void TForm_ani2::TakeTyped() {
  logic_.SetStartAngle(Edit_wstart->text().toStdString());
  logic_.SetRotationAngle(Edit_wdreh->text().toStdString());
  logic_.SetFrames(Edit_anzbild->text().toStdString());
  logic_.SetRepetitions(Edit_anzwdh->text().toStdString());
  logic_.SetPause(Edit_ms->text().toStdString());
  logic_.SetSingleStep(CheckBox_singlestep->isChecked());
}

void TForm_ani2::accept() {
  TakeTyped();
  if (logic_.Ok()) QDialog::accept();
}

void TForm_ani2::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

TForm_anistep::TForm_anistep(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm_anistep");
  setWindowTitle("Animation");
  setModal(true);
  auto* buttons = new QHBoxLayout(this);
  QPushButton* next = AddCommandButton(this, buttons, "Button_nextstep", "+");
  next->setDefault(true);
  QPushButton* end = AddCommandButton(this, buttons, "Button_endstep", "+++++++");
  connect(next, &QPushButton::clicked, this, &TForm_anistep::accept);
  connect(end, &QPushButton::clicked, this, &TForm_anistep::reject);
}

void TForm_anistep::reject() {
  endFlag_ = true;
  QDialog::reject();
}

bool ShowAnimationStep(QWidget* parent) {
  TForm_anistep step(parent);
  step.exec();
  return !step.endFlag();
}

}  // namespace kv5
