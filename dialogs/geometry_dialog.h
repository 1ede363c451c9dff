// The geometry dialog "Geometrie" without its window: chain standard, tooth
// and pin numbers, pin rack or pin wheel, bores and the profile values as the
// person types them, the "<" proposals, the profile taken from a chain table
// row, the unit switch and the enabling rules. The window layer shows the
// fields and calls the handlers; the dialog writes the model only on OK or
// Calc.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

class GeometryDialog {
 public:
  // Field texts in the current unit system (lengths mm or in, FB in the
  // force unit).
  struct Fields {
    int chainStandard = 1;  // 0 DIN 8187 / 8188, 1 ISO 606
    std::string z1, z2;
    bool pinRack = true;
    std::string bore1, bore2;  // dB1, dB2
    std::string d1, p, b1, bf1, h2, d2, FB, s;
    bool editable = false;
  };

  // Shows the start view of the main window after Calc.
  std::function<void()> showStartView;
  // Shows a help text by its topic number.
  std::function<void(int topic)> showHelp;
  // Opens the chain table of the standard for choosing a row. Returns true
  // when a row was chosen; the table code has then put it into the model
  // (chain, chainRecordNo, and d2 / b2 for the ISO table) as it does
  // everywhere else. A table that cannot be opened reports itself.
  std::function<bool(int chainStandard)> chooseTableRow;

  static constexpr int kHelpTopic = 9010;

  // Window caption: the program's short name + " Geometrie".
  static std::string Caption();

  void FillFromModel();
  void ApplyToModel() const;

  const Fields& fields() const { return fields_; }
  Fields& mutableFields() { return fields_; }  // typing into the fields
  // "Datenbank Profil", with "  -->  " and the designation once a table row
  // is behind the profile.
  const std::string& profileButtonText() const { return profileButtonText_; }
  std::string lengthUnit() const;
  std::string forceUnit() const;

  // Enabling rules.
  bool SecondBoreVisible() const { return !fields_.pinRack; }
  bool ProfileFieldsEnabled() const { return fields_.editable; }

  // Switches.
  void SetPinRack(bool on) { fields_.pinRack = on; }
  void SetEditable(bool on) { fields_.editable = on; }

  // Buttons. Ok and Cancel return whether the dialog closes (always).
  bool Ok();
  bool Cancel();
  void Calc();
  void Help() const;
  void SwitchUnits();       // "mm <--> inch"
  void ProfileFromTable();  // "Datenbank Profil"

  // The "<" buttons.
  void ProposeZ1();
  void ProposeBore1();
  void ProposeBore2();
  void ProposeD1();
  void ProposeP();
  void ProposeB1();
  void ProposeBf1();
  void ProposeH2();
  void ProposeD2();
  void ProposeFB();
  void ProposeS();

 private:
  // A chain table row chosen in this dialog, kept out of the model until OK.
  struct ChosenRow {
    KV1CHAIN_Record chain;
    int recordNo = 0;
    Real d2 = 0;
    Real b2 = 0;
  };

  // A field shown from an exact value: while its text is unchanged, the
  // value goes back to the model as it was, not as rounded for showing.
  using Field = std::string Fields::*;
  struct ShownValue {
    Field field;
    std::string text;
    Real value;
  };

  void FillFrom(const DriveModel& source);
  void ApplyTo(DriveModel& target) const;
  void ProposeBore(int wheel, Field field);
  void ShowLength(Field field, Real mm);
  void ShowForce(Field field, Real newton);
  Real ReadLength(Field field) const;
  Real ReadForce(Field field) const;
  const ShownValue* Shown(Field field) const;

  Fields fields_;
  std::string profileButtonText_;
  std::optional<ChosenRow> chosenRow_;
  std::vector<ShownValue> shown_;
};

}  // namespace kv5
