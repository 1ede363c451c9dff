// The pre-design dialog window "Vorauslegung" over PreDesignDialog: the
// load with the choice of the derived quantity, the ratio group with u, z1
// and z2, the chain standard and the pin rack switch. Each change goes to
// the logic at once; the window then shows the logic's fields, enabling
// and visibility again.
#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/pre_design_dialog.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kv5 {

struct PreDesignFormHooks {
  std::function<void(int topic)> showHelp;  // "&Hilfetext"
};

class TForm_kv5vor : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_kv5vor(PreDesignFormHooks hooks = {}, QWidget* parent = nullptr);

  PreDesignDialog& logic() { return logic_; }
  QLineEdit* field(const char* name) const;
  QGroupBox* ratioGroup() const { return RadioGroup_u; }
  QLabel* z1Label() const { return Label_z1; }
  QCheckBox* pinRackBox() const { return CheckBox_jatriebstock; }

  void accept() override;  // OK
  void reject() override;  // "Abbrechen", Esc, close box

 private:
  void ShowLogic();

  PreDesignDialog logic_;
  QLineEdit* Edit_t;
  QLineEdit* Edit_p;
  QLineEdit* Edit_n1;
  QLineEdit* Edit_fb;
  QLineEdit* Edit_u;
  QLineEdit* Edit_z1;
  QLineEdit* Edit_z2;
  QLabel* Label_t;
  QLabel* Label_z1;
  QPushButton* Button_z1;
  QButtonGroup* RadioGroup_tpn;
  QGroupBox* RadioGroup_u;
  QButtonGroup* ratioItems_;
  QButtonGroup* RadioGroup_dbchain;
  QCheckBox* CheckBox_jatriebstock;
};

}  // namespace kv5
