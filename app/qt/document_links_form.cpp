#include "app/qt/document_links_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/command_buttons.h"
#include "app/qt/form_hints.h"

namespace kv5 {

namespace {
QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

TForm_confDoku::TForm_confDoku(DocumentLinksDialog& logic, HelpHook help, QWidget* parent)
    : QDialog(parent), logic_(logic) {
  setObjectName("TForm_confDoku");
  setWindowTitle(Q(DocumentLinksDialog::Caption()));
  setModal(true);
  if (help) logic_.showHelp = [help](int topic) { help(topic, HelpKind::Text); };
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  layout->addLayout(grid);
  auto small = [this](const QString& text, const QString& name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  for (int n = 1; n <= kDocumentLinkCount; ++n) {
    const size_t i = static_cast<size_t>(n - 1);
    const int row = 2 * (n - 1);
    auto* programLabel = new QLabel(Q(DocumentLinksDialog::ProgramLabel(n)), this);
    programLabel->setObjectName(QString("Label_prog%1").arg(n));
    programLabel->setToolTip(FormHint(DocumentLinksDialog::kProgramHintTopic));
    programEdits_[i] = new QLineEdit(this);
    programEdits_[i]->setObjectName(QString("Edit_prog%1").arg(n));
    programEdits_[i]->setMinimumWidth(300);
    auto* fileLabel = new QLabel(Q(DocumentLinksDialog::FileLabel(n)), this);
    fileLabel->setObjectName(QString("Label_file%1").arg(n));
    fileLabel->setToolTip(FormHint(DocumentLinksDialog::kFileHintTopic));
    fileEdits_[i] = new QLineEdit(this);
    fileEdits_[i]->setObjectName(QString("Edit_file%1").arg(n));
    QPushButton* browseProgram = small("...", QString("Button_prog%1").arg(n));
    QPushButton* browseFile = small("...", QString("Button_file%1").arg(n));
    QPushButton* run = small("Start", QString("Button_run%1").arg(n));
    QPushButton* open = small("Open", QString("Button_open%1").arg(n));
    grid->addWidget(programLabel, row, 0);
    grid->addWidget(programEdits_[i], row, 1);
    grid->addWidget(browseProgram, row, 2);
    grid->addWidget(run, row, 3);
    grid->addWidget(fileLabel, row + 1, 0);
    grid->addWidget(fileEdits_[i], row + 1, 1);
    grid->addWidget(browseFile, row + 1, 2);
    grid->addWidget(open, row + 1, 3);
    connect(browseProgram, &QPushButton::clicked, this, [this, n] {
      TakeTyped();
      logic_.BrowseProgram(n);
      ShowLogic();
    });
    connect(browseFile, &QPushButton::clicked, this, [this, n] {
      TakeTyped();
      logic_.BrowseFile(n);
      ShowLogic();
    });
    connect(run, &QPushButton::clicked, this, [this, n] {
      TakeTyped();
      logic_.RunProgram(n);
    });
    connect(open, &QPushButton::clicked, this, [this, n] {
      TakeTyped();
      logic_.OpenFile(n);
    });
  }
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  QPushButton* ok = AddCommandButton(this, buttons, "Button_ok", "OK");
  ok->setDefault(true);
  QPushButton* cancel = AddCommandButton(this, buttons, "Button_cancel", "Abbrechen");
  QPushButton* helpButton = AddCommandButton(this, buttons, "Button_help", "&Hilfetext");
  buttons->addStretch(1);
  connect(ok, &QPushButton::clicked, this, &TForm_confDoku::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_confDoku::reject);
  connect(helpButton, &QPushButton::clicked, this, [this] { logic_.Help(); });
  ShowLogic();
}

void TForm_confDoku::ShowLogic() {
  for (int n = 1; n <= kDocumentLinkCount; ++n) {
    programEdits_[static_cast<size_t>(n - 1)]->setText(Q(logic_.program(n)));
    fileEdits_[static_cast<size_t>(n - 1)]->setText(Q(logic_.file(n)));
  }
}

void TForm_confDoku::TakeTyped() {
  for (int n = 1; n <= kDocumentLinkCount; ++n) {
    logic_.program(n) = programEdits_[static_cast<size_t>(n - 1)]->text().toStdString();
    logic_.file(n) = fileEdits_[static_cast<size_t>(n - 1)]->text().toStdString();
  }
}

void TForm_confDoku::accept() {
  TakeTyped();
  if (logic_.Ok()) QDialog::accept();
}

void TForm_confDoku::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
