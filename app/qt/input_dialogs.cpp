#include "app/qt/input_dialogs.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv5 {

namespace {

QLabel* TitleLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName("Label1");
  label->setWordWrap(true);
  return label;
}

}  // namespace

InputDialog::InputDialog(const QString& caption, int helpTopic, HelpHook help, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(caption);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  content_ = new QVBoxLayout;
  layout->addLayout(content_, 1);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button_ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Abbrechen", this);
  cancel->setObjectName("Button_cancel");
  auto* helpText = new QPushButton("&Hilfetext", this);
  helpText->setObjectName("Button_hilfetext");
  helpText->setAutoDefault(false);
  auto* helpPicture = new QPushButton("Hilfe&bild", this);
  helpPicture->setObjectName("Button_hilfebild");
  helpPicture->setAutoDefault(false);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  buttons->addWidget(helpText);
  buttons->addWidget(helpPicture);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(helpText, &QPushButton::clicked, this, [help, helpTopic] {
    if (help) help(helpTopic, HelpKind::Text);
  });
  connect(helpPicture, &QPushButton::clicked, this, [help, helpTopic] {
    if (help) help(helpTopic, HelpKind::Picture);
  });
}

Tin_codedialog::Tin_codedialog(const QString& title, const QStringList& items, int preselected,
                               int helpTopic, HelpHook help, QWidget* parent)
    : InputDialog("Auswahl", helpTopic, std::move(help), parent) {
  setObjectName("Tin_codedialog");
  resize(440, 316);
  content()->addWidget(TitleLabel(title, this));
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->addItems(items);
  if (preselected >= 0 && preselected < items.size()) ListBox1->setCurrentRow(preselected);
  content()->addWidget(ListBox1, 1);
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int Tin_codedialog::chosen() const {
  return ListBox1->currentRow();
}

Tin_radiodialog::Tin_radiodialog(const QString& title, const QStringList& items, int preselected,
                                 int helpTopic, HelpHook help, QWidget* parent)
    : InputDialog("Auswahl", helpTopic, std::move(help), parent) {
  setObjectName("Tin_radiodialog");
  resize(444, 328);
  content()->addWidget(TitleLabel(title, this));
  auto* box = new QGroupBox(this);
  box->setObjectName("RadioGroup1");
  box->setMinimumHeight(25 * static_cast<int>(items.size()) + 25);
  auto* column = new QVBoxLayout(box);
  RadioGroup1 = new QButtonGroup(this);
  for (qsizetype i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], box);
    RadioGroup1->addButton(button, static_cast<int>(i));
    column->addWidget(button);
    if (i == preselected) button->setChecked(true);
  }
  column->addStretch(1);
  content()->addWidget(box, 1);
}

int Tin_radiodialog::chosen() const {
  return RadioGroup1->checkedId();
}

Tin_textdialog::Tin_textdialog(const QString& prompt, int maxLength, const QString& text,
                               int helpTopic, HelpHook help, QWidget* parent)
    : InputDialog("Eingabe", helpTopic, std::move(help), parent) {
  setObjectName("Tin_textdialog");
  setSizeGripEnabled(true);
  resize(420, 150);
  content()->addWidget(TitleLabel(prompt, this));
  EditEinText = new QLineEdit(text, this);
  EditEinText->setObjectName("EditEinText");
  if (maxLength > 0) EditEinText->setMaxLength(maxLength);
  EditEinText->selectAll();
  content()->addWidget(EditEinText);
  content()->addStretch(1);
}

QString Tin_textdialog::text() const {
  return EditEinText->text();
}

Tin_janeindialog::Tin_janeindialog(const QString& question, bool yes, int helpTopic, HelpHook help,
                                   QWidget* parent)
    : InputDialog("Eingabe", helpTopic, std::move(help), parent) {
  setObjectName("Tin_janeindialog");
  QLabel* label = TitleLabel(question, this);
  label->setMinimumSize(250, 33);
  content()->addWidget(label);
  auto* box = new QGroupBox("Auswahl", this);
  box->setObjectName("RadioGroup_janein");
  auto* column = new QVBoxLayout(box);
  yes_ = new QRadioButton("&Ja", box);
  auto* no = new QRadioButton("&Nein", box);
  column->addWidget(yes_);
  column->addWidget(no);
  (yes ? yes_ : no)->setChecked(true);
  content()->addWidget(box);
}

bool Tin_janeindialog::yes() const {
  return yes_->isChecked();
}

}  // namespace kv5
