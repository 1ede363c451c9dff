// The change dialog window "Änderung <n>" over ChangeDialog.
#pragma once

#include <QDialog>

#include "app/qt/help_hook.h"
#include "dialogs/change_dialog.h"

class QLineEdit;

namespace kv5 {

class TForm_EinAend : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_EinAend(ChangeDialog& logic, HelpHook help = {}, QWidget* parent = nullptr);
  void accept() override;
  void reject() override;

 private:
  ChangeDialog& logic_;
  QLineEdit* Edit_aenderung;
  QLineEdit* Edit_datum;
  QLineEdit* Edit_bearbeiter;
  QLineEdit* Edit_beschreibung;
};

}  // namespace kv5
