#include "dialogs/load_dialog.h"

#include "app/core/identity.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/units.h"

namespace kv5 {

namespace {

constexpr Real kNmKwPerRpm = 60000 / (2 * kPi);  // P · 60000 / (2π · n) = T

// Typed numbers: "," counts as decimal point, anything else unreadable as 0.
Real Typed(const std::string& text) {
  return ParseNumber(text);
}

}  // namespace

std::string LoadDialog::Caption() {
  return std::string(programName) + " Last";
}

void LoadDialog::FillFromModel() {
  const DriveModel& m = model;
  fields_.power = FormatAuto(m.P);
  fields_.speed = FormatAuto(m.n[1]);
  fields_.torque = FormatAuto(m.T[1]);
  fields_.applicationFactor = FormatAuto(m.KA);
  fields_.derived = m.loadMode >= kTorque && m.loadMode <= kSpeed ? m.loadMode : kTorque;
  UpdateDerived();
}

void LoadDialog::ApplyToModel() const {
  DriveModel& m = model;
  m.P = Typed(fields_.power);
  m.n[1] = Typed(fields_.speed);
  m.T[1] = Typed(fields_.torque);
  m.KA = Typed(fields_.applicationFactor);
  m.loadMode = fields_.derived;
}

void LoadDialog::SetTorque(const std::string& text) {
  fields_.torque = text;
  UpdateDerived();
}
void LoadDialog::SetPower(const std::string& text) {
  fields_.power = text;
  UpdateDerived();
}
void LoadDialog::SetSpeed(const std::string& text) {
  fields_.speed = text;
  UpdateDerived();
}
void LoadDialog::SetApplicationFactor(const std::string& text) {
  fields_.applicationFactor = text;
}
void LoadDialog::SetDerived(int derived) {
  fields_.derived = derived >= kTorque && derived <= kSpeed ? derived : kTorque;
  UpdateDerived();
}

// Only the derived field is written, so the field being typed into never
// changes under the cursor.
void LoadDialog::UpdateDerived() {
  const Real torque = Typed(fields_.torque);
  const Real power = Typed(fields_.power);
  const Real speed = Typed(fields_.speed);
  switch (fields_.derived) {
    case kTorque:
      if (speed > 0) fields_.torque = FormatAuto(power * kNmKwPerRpm / speed);
      break;
    case kPower:
      fields_.power = FormatAuto(speed * torque / kNmKwPerRpm);
      break;
    case kSpeed:
      if (torque > 0) fields_.speed = FormatAuto(power * kNmKwPerRpm / torque);
      break;
  }
  const Real pitchDiameter = model.d[1];
  if (pitchDiameter > 0) {
    const Real force = Typed(fields_.torque) / pitchDiameter * 2000;
    forceLine_ = "Ft = " + FormatForceAuto(force) + " " + ForceUnit() +
                 "  (d1=" + FormatLengthAuto(pitchDiameter) + " " + LengthUnit() + ")";
  }
}

bool LoadDialog::Ok() {
  abortFlag = false;
  ApplyToModel();
  return true;
}

bool LoadDialog::Cancel() {
  abortFlag = true;
  return true;
}

void LoadDialog::Calc() {
  abortFlag = false;
  ApplyToModel();
  CalculateDrive();
  UpdateDerived();  // the force line follows the new pitch diameter
  if (showStartView) showStartView();
}

void LoadDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
}

void LoadDialog::ApplicationFactorHelp() const {
  if (showHelp) showHelp(kApplicationFactorHelpTopic);
}

void LoadDialog::ProposeApplicationFactor() {
  fields_.applicationFactor = "1";
}

}  // namespace kv5
