// The geometry dialog window "Geometrie" over GeometryDialog: every field
// with its label and unit, the "<" proposal buttons, the chain standard,
// the pin rack and Edit switches and the command buttons. Each change goes
// to the logic at once, and the window then shows the logic's fields,
// enabling and visibility again.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>

#include "dialogs/geometry_dialog.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kv5 {

struct GeometryFormHooks {
  std::function<void()> showStartView;                    // after Calc
  std::function<void(int topic)> showHelp;                // "?"
  std::function<bool(int chainStandard)> chooseTableRow;  // "Datenbank Profil"
};

class TForm_kv5geo : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_kv5geo(GeometryFormHooks hooks = {}, QWidget* parent = nullptr);

  GeometryDialog& logic() { return logic_; }
  // A field by its component name ("Edit_z1", …); null for an unknown name.
  QLineEdit* field(const std::string& name) const;
  QLabel* unitLabel(const std::string& name) const;

  void accept() override;  // OK
  void reject() override;  // "Abbrechen", Esc, close box

 private:
  struct Row;
  void AddRow(QGridLayout* grid, int row, const Row& r);
  // Shows the logic's fields, button text, units, enabling and visibility.
  void ShowLogic();

  GeometryDialog logic_;
  std::map<std::string, QLineEdit*> edits_;
  std::map<std::string, QLabel*> labels_;
  std::map<std::string, QLabel*> units_;
  std::map<std::string, QPushButton*> proposals_;
  QRadioButton* din_;
  QRadioButton* iso_;
  QCheckBox* CheckBox_triebstock;
  QCheckBox* CheckBox_Edit;
  QPushButton* Button_db;
};

}  // namespace kv5
