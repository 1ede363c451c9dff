// The animation dialog window "Animation" over AnimationDialog, and the
// step dialog of the single-step mode.
#pragma once

#include <QDialog>

#include "app/qt/help_hook.h"
#include "dialogs/animation_dialog.h"

class QCheckBox;
class QLineEdit;

namespace kv5 {

class TForm_ani2 : public QDialog {
  Q_OBJECT
 public:
  // Shows the fields of `logic` (preset by the command) and writes back.
  explicit TForm_ani2(AnimationDialog& logic, HelpHook help = {}, QWidget* parent = nullptr);

  void accept() override;  // OK
  void reject() override;  // "Abbrechen", Esc, close box

 private:
  void ShowLogic();
  void TakeTyped();

  AnimationDialog& logic_;
  QLineEdit* Edit_wstart;
  QLineEdit* Edit_wdreh;
  QLineEdit* Edit_anzbild;
  QLineEdit* Edit_anzwdh;
  QLineEdit* Edit_ms;
  QCheckBox* CheckBox_singlestep;
};

// "+" shows the next step, "+++++++" lets the rest play without stopping.
class TForm_anistep : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_anistep(QWidget* parent = nullptr);
  bool endFlag() const { return endFlag_; }
  void reject() override;  // "+++++++" and Esc end single-stepping

 private:
  bool endFlag_ = false;
};

// The step dialog as the graphics window calls it: false when the person
// ended single-stepping.
bool ShowAnimationStep(QWidget* parent);

}  // namespace kv5
