#include "text/units.h"

#include <algorithm>

#include "text/number_format.h"
#include "text/text_conversion.h"

namespace kv5 {

short unitSystem = 0;

void InitUnits() {
  unitSystem = 0;
}

std::vector<std::string> UnitSystemNames() {
  return {"metrisch (mm, N, MPa, Nmm, °C)", "englisch (in, lbf, psi, lbfin, degF)",
          "metrisch (mm, kN, MPa, Nm, °C)", "metrisch (mm, N, N/mm², Nmm, °C)",
          "metrisch (mm, kN, N/mm², Nm, °C)"};
}

bool ImperialUnits() {
  return unitSystem == 1;
}
bool KilonewtonUnits() {
  return unitSystem == 2 || unitSystem == 4;
}

namespace {
bool NewtonPerSquareMillimetre() {
  return unitSystem == 3 || unitSystem == 4;
}
// The field of a value shown with one decimal more keeps its total width.
int NarrowerWidth(int width) {
  return std::max(width - 1, 1);
}
}  // namespace

std::string LengthUnit() {
  return ImperialUnits() ? "in" : "mm";
}

std::string ForceUnit() {
  if (ImperialUnits()) return "lbf";
  return KilonewtonUnits() ? "kN" : "N";
}

std::string StressUnit() {
  if (ImperialUnits()) return "psi";
  return NewtonPerSquareMillimetre() ? "N/mm²" : "MPa";
}

std::string MomentUnit() {
  return ImperialUnits() ? "lbfin" : "Nm";
}

std::string DegreeUnit() {
  return transliterate == 1 ? "deg" : "°";
}

std::string FormatLength(int width, int decimals, Real mm) {
  if (ImperialUnits()) return FormatFixed(NarrowerWidth(width), decimals + 1, mm / kMmPerInch);
  return FormatFixed(width, decimals, mm);
}

std::string FormatLengthDec(int decimals, Real mm) {
  if (ImperialUnits()) return FormatDecimals(decimals + 1, mm / kMmPerInch);
  return FormatDecimals(decimals, mm);
}

std::string FormatLengthAuto(Real mm) {
  if (ImperialUnits()) return FormatDecimals(4, mm / kMmPerInch);
  return FormatAuto(mm);
}

std::string FormatForce(int width, int decimals, Real newton) {
  if (ImperialUnits() || KilonewtonUnits())
    return FormatFixed(NarrowerWidth(width), decimals + 1, ForceToDisplay(newton));
  return FormatFixed(width, decimals, newton);
}

std::string FormatForceAuto(Real newton) {
  return FormatAuto(ForceToDisplay(newton));
}

Real ForceToDisplay(Real newton) {
  if (ImperialUnits()) return newton / kNewtonPerPoundForce;
  if (KilonewtonUnits()) return newton / kNewtonPerKilonewton;
  return newton;
}

std::string FormatStress(int width, int decimals, Real mpa) {
  if (ImperialUnits()) return FormatFixed(width + 2, std::max(0, decimals - 2), mpa * kPsiPerMpa);
  return FormatFixed(width, decimals, mpa);
}

std::string FormatMoment(int width, int decimals, Real nm) {
  if (ImperialUnits())
    return FormatFixed(width + 1, std::max(0, decimals - 1), nm / kNmPerPoundForceInch);
  return FormatFixed(width, decimals, nm);
}

std::string FormatMomentAuto(Real nm) {
  if (ImperialUnits()) return FormatAuto(nm / kNmPerPoundForceInch);
  return FormatAuto(nm);
}

Real ParseLength(const std::string& text) {
  Real value = ParseNumber(text);
  return ImperialUnits() ? value * kMmPerInch : value;
}

Real ParseForce(const std::string& text) {
  Real value = ParseNumber(text);
  if (ImperialUnits()) return value * kNewtonPerPoundForce;
  if (KilonewtonUnits()) return value * kNewtonPerKilonewton;
  return value;
}

Real ParseMoment(const std::string& text) {
  Real value = ParseNumber(text);
  return ImperialUnits() ? value * kNmPerPoundForceInch : value;
}

}  // namespace kv5
