// The drawing information window "Zeichnungsinfo" over DrawingInfoDialog:
// the signature grid (DIN or ISO), the replacement notes and date buttons
// of the DIN layout, the ISO fields, the drawing texts and their sheets.
#pragma once

#include <QDialog>

#include "app/qt/help_hook.h"
#include "dialogs/drawing_info_dialog.h"

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace kv5 {

class TForm_zeichInfo : public QDialog {
  Q_OBJECT
 public:
  explicit TForm_zeichInfo(DrawingInfoDialog& logic, HelpHook help = {}, QWidget* parent = nullptr);
  void accept() override;
  void reject() override;

  QTableWidget* signatureGrid() const { return StringGrid1; }
  QTableWidget* textGrid() const { return StringGrid2; }
  QTableWidget* isoGrid() const { return StringGrid3; }
  QComboBox* sheetsChoice() const { return ComboBox_zeichtextmode; }

 private:
  void TakeTyped();

  DrawingInfoDialog& logic_;
  QTableWidget* StringGrid1;
  QTableWidget* StringGrid2;
  QTableWidget* StringGrid3;
  QComboBox* ComboBox_zeichtextmode;
  QLineEdit* Edit_ersatzfuer;
  QLineEdit* Edit_ersetztdurch;
};

}  // namespace kv5
