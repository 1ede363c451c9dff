#include "dialogs/geometry_dialog.h"

#include <algorithm>
#include <cmath>

#include "app/core/identity.h"
#include "model/drive_calculation.h"
#include "model/profile_designation.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/units.h"

namespace kv5 {

namespace {

constexpr const char* kProfileButton = "Datenbank Profil";

// Field texts keep six significant digits, so that OK on an unchanged
// dialog gives the model back its own values (15.875 stays 15.875).
std::string LengthText(Real mm) {
  return TrimBlanks(FormatAuto6(ImperialUnits() ? mm / kMmPerInch : mm));
}
std::string ForceText(Real newton) {
  return TrimBlanks(FormatAuto6(ForceToDisplay(newton)));
}
// Proposals "with one decimal" (two in inch).
std::string LengthOneDecimal(Real mm) {
  return TrimBlanks(FormatLengthDec(1, mm));
}
int WholeNumber(const std::string& text) {
  return static_cast<int>(std::lround(ParseNumber(text)));
}

std::string ProfileButtonText(const DriveModel& source) {
  if (source.chainRecordNo == 0) return kProfileButton;
  return std::string(kProfileButton) + "  -->  " + ProfileDesignation(false);
}

}  // namespace

std::string GeometryDialog::Caption() {
  return std::string(programName) + " Geometrie";
}

std::string GeometryDialog::lengthUnit() const {
  return LengthUnit();
}
std::string GeometryDialog::forceUnit() const {
  return ForceUnit();
}

void GeometryDialog::FillFromModel() {
  chosenRow_.reset();
  FillFrom(model);
}

// The order matters: the profile first as a table choice leaves it, then
// the model's own bf1, s and FB over the table-derived texts.
void GeometryDialog::FillFrom(const DriveModel& source) {
  shown_.clear();
  fields_.chainStandard = source.chainStandard;
  profileButtonText_ = ProfileButtonText(source);
  ShowLength(&Fields::d1, source.chain.d1);
  ShowLength(&Fields::p, source.chain.p);
  ShowLength(&Fields::b1, source.chain.b1);
  ShowLength(&Fields::h2, source.chain.h2);
  if (source.d2 != 0)
    ShowLength(&Fields::d2, source.d2);
  else
    fields_.d2.clear();
  ShowLength(&Fields::bf1, source.bf1);
  fields_.pinRack = source.pinRack;
  fields_.z1 = FormatInt(source.z1);
  fields_.z2 = FormatInt(source.z2);
  ShowLength(&Fields::bore1, source.dB[1]);
  ShowLength(&Fields::bore2, source.dB[2]);
  ShowLength(&Fields::s, source.s);
  ShowForce(&Fields::FB, source.FB);
  fields_.editable = source.editable;
}

void GeometryDialog::ApplyTo(DriveModel& target) const {
  if (chosenRow_) {
    target.chain = chosenRow_->chain;
    target.chainRecordNo = chosenRow_->recordNo;
    target.d2 = chosenRow_->d2;
    target.b2 = chosenRow_->b2;
  }
  target.chainStandard = fields_.chainStandard;
  target.pinRack = fields_.pinRack;
  target.z1 = WholeNumber(fields_.z1);
  target.z2 = WholeNumber(fields_.z2);
  target.dB[1] = ReadLength(&Fields::bore1);
  target.dB[2] = ReadLength(&Fields::bore2);
  target.chain.d1 = static_cast<double>(ReadLength(&Fields::d1));
  target.d2 = ReadLength(&Fields::d2);
  target.chain.p = static_cast<double>(ReadLength(&Fields::p));
  target.chain.b1 = static_cast<double>(ReadLength(&Fields::b1));
  target.chain.h2 = static_cast<double>(ReadLength(&Fields::h2));
  target.bf1 = ReadLength(&Fields::bf1);
  target.FB = ReadForce(&Fields::FB);
  target.s = ReadLength(&Fields::s);
  target.editable = fields_.editable;
}

void GeometryDialog::ShowLength(Field field, Real mm) {
  fields_.*field = LengthText(mm);
  std::erase_if(shown_, [&](const ShownValue& v) { return v.field == field; });
  shown_.push_back({field, fields_.*field, mm});
}
void GeometryDialog::ShowForce(Field field, Real newton) {
  fields_.*field = ForceText(newton);
  std::erase_if(shown_, [&](const ShownValue& v) { return v.field == field; });
  shown_.push_back({field, fields_.*field, newton});
}
const GeometryDialog::ShownValue* GeometryDialog::Shown(Field field) const {
  for (const ShownValue& v : shown_)
    if (v.field == field && v.text == fields_.*field) return &v;
  return nullptr;
}
Real GeometryDialog::ReadLength(Field field) const {
  const ShownValue* shown = Shown(field);
  return shown ? shown->value : ParseLength(fields_.*field);
}
Real GeometryDialog::ReadForce(Field field) const {
  const ShownValue* shown = Shown(field);
  return shown ? shown->value : ParseForce(fields_.*field);
}

void GeometryDialog::ApplyToModel() const {
  ApplyTo(model);
}

bool GeometryDialog::Ok() {
  abortFlag = false;
  ApplyToModel();
  return true;
}

bool GeometryDialog::Cancel() {
  abortFlag = true;
  return true;
}

void GeometryDialog::Calc() {
  abortFlag = false;
  ApplyToModel();
  chosenRow_.reset();  // it is in the model now
  CalculateDrive();
  profileButtonText_ = ProfileButtonText(model);
  if (showStartView) showStartView();
}

void GeometryDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
  abortFlag = false;
}

// Metric systems keep their force and stress units: leaving inch returns
// to the metric system the person came from.
void GeometryDialog::SwitchUnits() {
  static short lastMetricSystem = 0;
  DriveModel typed = model;
  ApplyTo(typed);
  if (ImperialUnits()) {
    unitSystem = lastMetricSystem;
  } else {
    lastMetricSystem = unitSystem;
    unitSystem = 1;
  }
  const std::string buttonText = profileButtonText_;
  FillFrom(typed);
  profileButtonText_ = buttonText;
}

// The table code writes the chosen row into the model; the dialog takes it
// over into its fields and gives the model its values back, so that Cancel
// still leaves the drive as it was.
void GeometryDialog::ProfileFromTable() {
  abortFlag = false;
  if (!chooseTableRow) return;
  const DriveModel before = model;
  model.chainStandard = fields_.chainStandard;
  model.d2 = chosenRow_ ? chosenRow_->d2 : before.d2;
  const bool chosen = chooseTableRow(fields_.chainStandard) && !abortFlag;
  if (chosen) {
    chosenRow_ = ChosenRow{model.chain, model.chainRecordNo, model.d2, model.b2};
    model.editable = false;
    profileButtonText_ = std::string(kProfileButton) + "  -->  " + ProfileDesignation(false);
    const KV1CHAIN_Record& row = model.chain;
    ShowLength(&Fields::d1, row.d1);
    ShowLength(&Fields::p, row.p);
    ShowLength(&Fields::b1, row.b1);
    ShowLength(&Fields::h2, row.h2);
    fields_.bf1 = LengthOneDecimal(0.81L * row.b1);
    if (model.d2 != 0) ShowLength(&Fields::d2, model.d2);
    ShowForce(&Fields::FB, 1000.0L * row.breakingForce1);
    fields_.s = LengthOneDecimal(0.25L * row.b1 + 0.05L);
    fields_.editable = false;
  }
  model = before;
  abortFlag = false;  // a cancelled choice does not cancel the dialog
}

void GeometryDialog::ProposeZ1() {
  fields_.z1 = "15";
}

// The bore proposal needs the root diameter of the drive as typed: it is
// calculated on the typed values and the model is given back afterwards.
void GeometryDialog::ProposeBore(int wheel, Field field) {
  const DriveModel before = model;
  const bool failedBefore = calcFailed;
  ApplyToModel();
  CalculateDrive();
  const Real rootDiameter = model.df[wheel];
  model = before;
  calcFailed = failedBefore;
  ShowLength(field, std::round(0.2L * rootDiameter));  // whole mm
}

void GeometryDialog::ProposeBore1() {
  ProposeBore(1, &Fields::bore1);
}
void GeometryDialog::ProposeBore2() {
  ProposeBore(2, &Fields::bore2);
}
void GeometryDialog::ProposeD1() {
  ShowLength(&Fields::d1, 4);
}
void GeometryDialog::ProposeP() {
  fields_.p = LengthOneDecimal(1.5L * ReadLength(&Fields::d1));
}
void GeometryDialog::ProposeB1() {
  ShowLength(&Fields::b1, 0.6L * ReadLength(&Fields::p));
}
void GeometryDialog::ProposeBf1() {
  fields_.bf1 = LengthOneDecimal(0.81L * ReadLength(&Fields::b1));
}
void GeometryDialog::ProposeH2() {
  fields_.h2 = LengthOneDecimal(1.5L * ReadLength(&Fields::d1));
}
void GeometryDialog::ProposeD2() {
  fields_.d2 = LengthOneDecimal(ReadLength(&Fields::d1));
}
void GeometryDialog::ProposeFB() {
  const Real d2 = ReadLength(&Fields::d2);
  ShowForce(&Fields::FB, 700 * d2 * d2);
}
void GeometryDialog::ProposeS() {
  fields_.s = LengthOneDecimal(0.25L * ReadLength(&Fields::b1));
}

}  // namespace kv5
