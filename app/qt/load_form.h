// The load dialog window "Last" over LoadDialog: torque, power, speed and
// application factor with their units, the choice of the derived quantity,
// and the force line. The derived field follows every keystroke.
#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/load_dialog.h"

class QButtonGroup;
class QLabel;
class QLineEdit;

namespace kv5 {

struct LoadFormHooks {
  std::function<void()> showStartView;      // after Calc
  std::function<void(int topic)> showHelp;  // "&Hilfe" and the "?" beside KA
};

class TForm_kv1last : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_kv1last(LoadFormHooks hooks = {}, QWidget* parent = nullptr);

  LoadDialog& logic() { return logic_; }
  QLineEdit* torqueField() const { return Edit_t; }
  QLineEdit* powerField() const { return Edit_p; }
  QLineEdit* speedField() const { return Edit_n1; }
  QLineEdit* applicationFactorField() const { return Edit_fb; }
  QLabel* forceLabel() const { return Label_ft; }

  void accept() override;  // OK
  void reject() override;  // "Abbrechen", Esc, close box

 private:
  void ShowLogic();

  LoadDialog logic_;
  QLineEdit* Edit_t;
  QLineEdit* Edit_p;
  QLineEdit* Edit_n1;
  QLineEdit* Edit_fb;
  QButtonGroup* RadioGroup_tpn;
  QLabel* Label_ft;
};

}  // namespace kv5
