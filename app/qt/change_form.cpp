#include "app/qt/change_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/command_buttons.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {
QString Shown(const std::string& text) {
  return QString::fromStdString(DosToDisplay(text));
}
}  // namespace

TForm_EinAend::TForm_EinAend(ChangeDialog& logic, HelpHook help, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  setObjectName("TForm_EinAend");
  setWindowTitle(Shown(logic_.Caption()));
  setModal(true);
  if (help) logic_.showHelp = [help](int topic) { help(topic, HelpKind::Text); };
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  int row = 0;
  auto field = [&](const char* labelName, const std::string& label, const char* editName,
                   const std::string& text, int maxLength) {
    auto* l = new QLabel(Shown(label), this);
    l->setObjectName(labelName);
    auto* edit = new QLineEdit(QString::fromStdString(text), this);
    edit->setObjectName(editName);
    edit->setMaxLength(maxLength);
    l->setBuddy(edit);
    grid->addWidget(l, row, 0);
    grid->addWidget(edit, row, 1);
    ++row;
    return edit;
  };
  const ChangeDialog::Fields& f = logic_.fields();
  Edit_aenderung = field("Label_aenderung", ChangeDialog::ChangeTextLabel(), "Edit_aenderung",
                         f.changeText, ChangeDialog::kChangeTextLength);
  Edit_datum = field("Label_datum", ChangeDialog::DateLabel(), "Edit_datum", f.changeDate,
                     ChangeDialog::kDateLength);
  auto* today = new QPushButton(Shown(ChangeDialog::DateButtonCaption()), this);
  today->setObjectName("Button_datum");
  today->setAutoDefault(false);
  grid->addWidget(today, row - 1, 2);
  Edit_bearbeiter = field("Label_bearbeiter", ChangeDialog::EditorLabel(), "Edit_bearbeiter",
                          f.changeBy, ChangeDialog::kEditorLength);
  Edit_beschreibung = field("Label_beschreibung", ChangeDialog::DescriptionLabel(),
                            "Edit_beschreibung", f.description, ChangeDialog::kDescriptionLength);
  Edit_beschreibung->setMinimumWidth(360);

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  QPushButton* ok = AddCommandButton(this, buttons, "Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = AddCommandButton(this, buttons, "Button_cancel", "Abbrechen");
  QPushButton* helpButton = AddCommandButton(this, buttons, "Button_help", "&Hilfe");
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TForm_EinAend::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_EinAend::reject);
  connect(helpButton, &QPushButton::clicked, this, [this] { logic_.Help(); });
  connect(today, &QPushButton::clicked, this, [this] {
    logic_.TakeToday();
    Edit_datum->setText(QString::fromStdString(logic_.fields().changeDate));
  });
}

void TForm_EinAend::accept() {
  logic_.SetChangeText(Edit_aenderung->text().toStdString());
  logic_.SetChangeDate(Edit_datum->text().toStdString());
  logic_.SetChangeBy(Edit_bearbeiter->text().toStdString());
  logic_.SetDescription(Edit_beschreibung->text().toStdString());
  if (logic_.Ok()) QDialog::accept();
}

void TForm_EinAend::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
