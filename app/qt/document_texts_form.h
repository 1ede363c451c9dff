// The document texts window over DocumentTextsDialog: drawing name, number
// and second name of each wheel in the boxes " Rad 1 " and " Rad 2 ", and
// the two info texts below them.
#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "dialogs/document_texts_dialog.h"

class QLineEdit;

namespace kv5 {

class TForm_qeluni3 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_qeluni3(QWidget* parent = nullptr);

  DocumentTextsDialog& logic() { return logic_; }
  // A field by its component name ("Edit_zeichname1", …); null when unknown.
  QLineEdit* field(const std::string& name) const;

  void accept() override;  // OK
  void reject() override;  // "Abbrechen", Esc, close box

 private:
  DocumentTextsDialog logic_;
  std::map<std::string, QLineEdit*> edits_;
};

}  // namespace kv5
