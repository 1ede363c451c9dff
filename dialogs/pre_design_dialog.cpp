#include "dialogs/pre_design_dialog.h"

#include <cfenv>
#include <cmath>

#include "app/core/identity.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/numeric.h"
#include "text/units.h"

namespace kv5 {

namespace {

constexpr Real kNmKwPerRpm = 60000 / (2 * kPi);  // P · 60000 / (2π · n) = T

Real Typed(const std::string& text) {
  return ParseNumber(text);
}

}  // namespace

long long RoundHalfEven(Real x) {
  if (!std::isfinite(x) || std::fabs(x) > 9e18L) return 0;
  const int mode = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const long long n = std::llrint(x);
  std::fesetround(mode);
  return n;
}

std::string PreDesignDialog::Caption() {
  return std::string(programName) + " Vorauslegung";
}

void PreDesignDialog::FillFromModel() {
  FillFrom(model);
}

void PreDesignDialog::ApplyToModel() const {
  ApplyTo(model);
}

void PreDesignDialog::FillFrom(const DriveModel& m) {
  fields_.power = FormatAuto(m.P);
  fields_.u = FormatAuto(m.u);
  fields_.z1 = std::to_string(m.z1);
  fields_.z2 = std::to_string(m.z2);
  fields_.speed = FormatAuto(m.n[1]);
  fields_.torque = FormatMomentAuto(m.T[1]);
  fields_.applicationFactor = FormatAuto(m.KA);
  fields_.chainStandard = m.chainStandard == 0 ? 0 : 1;
  fields_.derived = m.loadMode >= kTorque && m.loadMode <= kSpeed ? m.loadMode : kTorque;
  SetPinRack(m.pinRack);
  UpdateDerived();
  UpdateRatio();
}

void PreDesignDialog::ApplyTo(DriveModel& m) const {
  m.P = Typed(fields_.power);
  m.u = Typed(fields_.u);
  m.z1 = ParseInt(fields_.z1);
  m.z2 = ParseInt(fields_.z2);
  m.n[1] = Typed(fields_.speed);
  m.T[1] = ParseMoment(fields_.torque);
  m.KA = Typed(fields_.applicationFactor);
  m.chainStandard = fields_.chainStandard;
  m.loadMode = fields_.derived;
  m.pinRack = fields_.pinRack;
}

void PreDesignDialog::SetTorque(const std::string& text) {
  fields_.torque = text;
  UpdateDerived();
}
void PreDesignDialog::SetPower(const std::string& text) {
  fields_.power = text;
  UpdateDerived();
}
void PreDesignDialog::SetSpeed(const std::string& text) {
  fields_.speed = text;
  UpdateDerived();
}
void PreDesignDialog::SetApplicationFactor(const std::string& text) {
  fields_.applicationFactor = text;
}
void PreDesignDialog::SetDerived(int derived) {
  fields_.derived = derived >= kTorque && derived <= kSpeed ? derived : kTorque;
  UpdateDerived();
}
void PreDesignDialog::SetRatioItem(int item) {
  fields_.ratioItem = item >= kRatioDerived && item <= kZ2Derived ? item : kZ2Derived;
  UpdateRatio();
}
void PreDesignDialog::SetU(const std::string& text) {
  fields_.u = text;
  UpdateRatio();
}
void PreDesignDialog::SetZ1(const std::string& text) {
  fields_.z1 = text;
  UpdateRatio();
}
void PreDesignDialog::SetZ2(const std::string& text) {
  fields_.z2 = text;
  UpdateRatio();
}

void PreDesignDialog::SetPinRack(bool on) {
  fields_.pinRack = on;
  if (on) fields_.u = "1";
  UpdateRatio();
}

// Only the derived field is written, so the field being typed into never
// changes under the cursor. The torque is in the user's moment unit.
void PreDesignDialog::UpdateDerived() {
  const Real torque = ParseMoment(fields_.torque);
  const Real power = Typed(fields_.power);
  const Real speed = Typed(fields_.speed);
  switch (fields_.derived) {
    case kTorque:
      if (speed > 0) fields_.torque = FormatMomentAuto(power * kNmKwPerRpm / speed);
      break;
    case kPower:
      fields_.power = FormatAuto(speed * torque / kNmKwPerRpm);
      break;
    case kSpeed:
      if (torque > 0) fields_.speed = FormatAuto(power * kNmKwPerRpm / torque);
      break;
  }
}

void PreDesignDialog::UpdateRatio() {
  const Real u = Typed(fields_.u);
  const int z1 = ParseInt(fields_.z1);
  const int z2 = ParseInt(fields_.z2);
  switch (fields_.ratioItem) {
    case kRatioDerived:
      if (z1 > 0) fields_.u = FormatAuto(static_cast<Real>(z2) / z1);
      break;
    case kZ1Derived:
      if (u > 0) fields_.z1 = std::to_string(RoundHalfEven(z2 / u));
      break;
    case kZ2Derived:
      fields_.z2 = std::to_string(RoundHalfEven(z1 * u));
      break;
  }
  const int newZ1 = ParseInt(fields_.z1);
  const int newZ2 = ParseInt(fields_.z2);
  ratioCaption_ = "Übersetzung";
  if (newZ1 != 0 && newZ2 != 0) {
    const Real ratio = static_cast<Real>(newZ2) / newZ1;
    ratioCaption_ += " z2/z1 = " + FormatFixed(0, 3, ratio) +
                     "  n2= " + FormatFixed(0, 0, model.n[1] / ratio) + "/min ";
  }
}

bool PreDesignDialog::Ok() {
  abortFlag = false;
  ApplyToModel();
  return true;
}

bool PreDesignDialog::Cancel() {
  abortFlag = true;
  return true;
}

void PreDesignDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
  abortFlag = false;
}

// The moment unit follows the unit system; the typed values survive the
// switch, the model is not written.
void PreDesignDialog::SwitchUnits() {
  static short lastMetricSystem = 0;
  DriveModel typed = model;
  ApplyTo(typed);
  if (ImperialUnits()) {
    unitSystem = lastMetricSystem;
  } else {
    lastMetricSystem = unitSystem;
    unitSystem = 1;
  }
  const int ratioItem = fields_.ratioItem;
  FillFrom(typed);
  fields_.ratioItem = ratioItem;
  UpdateRatio();
}

void PreDesignDialog::ProposeZ1() {
  SetZ1("17");
}

}  // namespace kv5
