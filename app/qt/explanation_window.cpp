#include "app/qt/explanation_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kv5 {

namespace {

QPlainTextEdit* Memo(const QString& text, const char* name, QWidget* parent) {
  auto* memo = new QPlainTextEdit(text, parent);
  memo->setObjectName(name);
  memo->setTabChangesFocus(true);
  return memo;
}

QLabel* Label(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

std::string OneLine(const QString& text) {
  QString line = text;
  line.replace("\r\n", " ").replace('\n', ' ').replace('\r', ' ');
  return line.toStdString();
}

}  // namespace

Thelperr::Thelperr(const QString& message, const QString& cause, const QString& remedy,
                   HelpHook help, QWidget* parent)
    : QDialog(parent) {
  setObjectName("Thelperr");
  setWindowTitle("Fehlermeldung");
  setModal(true);
  resize(480, 274);
  auto* grid = new QGridLayout(this);
  Edit_meldung = new QLineEdit(message, this);
  Edit_meldung->setObjectName("Edit_meldung");
  Edit_meldung->setReadOnly(true);
  Memo_ursache = Memo(cause, "Memo_ursache", this);
  Memo_abhilfe = Memo(remedy, "Memo_abhilfe", this);
  grid->addWidget(Label("Fehlermeldung", "Label_meldung", this), 0, 0);
  grid->addWidget(Edit_meldung, 0, 1);
  grid->addWidget(Label("Ursache", "Label_ursache", this), 1, 0);
  grid->addWidget(Memo_ursache, 1, 1);
  grid->addWidget(Label("Abhilfe", "Label_abhilfe", this), 2, 0);
  grid->addWidget(Memo_abhilfe, 2, 1);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button_ok");
  ok->setAutoDefault(false);
  auto* helpButton = new QPushButton("&Hilfe", this);
  helpButton->setObjectName("Button_help");
  helpButton->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(helpButton);
  grid->addLayout(buttons, 3, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(helpButton, &QPushButton::clicked, this, [help] {
    if (help) help(kHelpTopic, HelpKind::Text);
  });
  connect(Memo_ursache, &QPlainTextEdit::textChanged, this, [this] { modified_ = true; });
  connect(Memo_abhilfe, &QPlainTextEdit::textChanged, this, [this] { modified_ = true; });
}

void Thelperr::showEvent(QShowEvent* event) {
  modified_ = false;
  QDialog::showEvent(event);
}

ExplanationTexts Thelperr::texts() const {
  return {OneLine(Memo_ursache->toPlainText()), OneLine(Memo_abhilfe->toPlainText())};
}

std::optional<ExplanationTexts> Thelperr::Result() const {
  if (result() != QDialog::Accepted || !modified_) return std::nullopt;
  return texts();
}

}  // namespace kv5
