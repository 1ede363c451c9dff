#include "app/qt/document_texts_form.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv5 {

TForm_qeluni3::TForm_qeluni3(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm_qeluni3");
  setWindowTitle(QString::fromStdString(DocumentTextsDialog::Caption()));
  setModal(true);
  resize(520, 0);
  logic_.FillFromModel();
  DocumentTextsDialog::Fields& f = logic_.mutableFields();

  auto* layout = new QVBoxLayout(this);
  auto edit = [this](QFormLayout* form, const char* label, const char* name, std::string& text) {
    auto* e = new QLineEdit(QString::fromStdString(text), this);
    e->setObjectName(name);
    form->addRow(label, e);
    edits_[name] = e;
    connect(e, &QLineEdit::textEdited, this,
            [&text](const QString& typed) { text = typed.toStdString(); });
  };
  auto* wheels = new QHBoxLayout;
  layout->addLayout(wheels);
  for (int i = 0; i < 2; ++i) {
    auto* box = new QGroupBox(i == 0 ? " Rad 1 " : " Rad 2 ", this);
    auto* form = new QFormLayout(box);
    edit(form, "Zeichnungsname", i == 0 ? "Edit_zeichname1" : "Edit_zeichname2",
         f.drawingName[static_cast<size_t>(i)]);
    edit(form, "Zeichnungsnummer", i == 0 ? "Edit_zeichnr1" : "Edit_zeichnr2",
         f.drawingNumber[static_cast<size_t>(i)]);
    edit(form, "Zeichnungsname 2", i == 0 ? "Edit_zeichname21" : "Edit_zeichname22",
         f.drawingName2[static_cast<size_t>(i)]);
    wheels->addWidget(box);
  }
  auto* info = new QFormLayout;
  layout->addLayout(info);
  edit(info, "Text 1", "Edit_info1", f.infoText[0]);
  edit(info, "Text 2", "Edit_info2", f.infoText[1]);

  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("Button_ok");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Abbrechen", this);
  cancel->setObjectName("Button_cancel");
  cancel->setAutoDefault(false);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  connect(ok, &QPushButton::clicked, this, &TForm_qeluni3::accept);
  connect(cancel, &QPushButton::clicked, this, &TForm_qeluni3::reject);
}

QLineEdit* TForm_qeluni3::field(const std::string& name) const {
  auto it = edits_.find(name);
  return it == edits_.end() ? nullptr : it->second;
}

void TForm_qeluni3::accept() {
  if (logic_.Ok()) QDialog::accept();
}

void TForm_qeluni3::reject() {
  if (logic_.Cancel()) QDialog::reject();
}

}  // namespace kv5
