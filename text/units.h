// Display unit systems: conversion of internal values (mm, N, MPa, Nm) to
// and from the unit system the person has chosen, and the unit labels.
//
// Moments are shown in Nm in every metric system (also in 0 and 3, whose
// names say "Nmm"); temperatures are never converted. A unit system value
// outside 0..4 is treated like system 0.
#pragma once

#include <string>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

// 0 metric (N), 1 imperial, 2 metric (kN), 3 metric (N/mm²), 4 metric (kN, N/mm²).
extern short unitSystem;

inline constexpr int kUnitSystemCount = 5;

// Conversion constants between the internal and the imperial units.
inline constexpr Real kMmPerInch = 25.4L;
inline constexpr Real kNewtonPerPoundForce = 4.44822L;
inline constexpr Real kPsiPerMpa = 145.037L;
inline constexpr Real kNmPerPoundForceInch = 0.112984788L;
inline constexpr Real kNewtonPerKilonewton = 1000;

// unitSystem := 0 (program start).
void InitUnits();

// The entries of the unit system selection list; index = unitSystem.
std::vector<std::string> UnitSystemNames();

bool ImperialUnits();    // system 1
bool KilonewtonUnits();  // systems 2 and 4

// Unit labels of the current system.
std::string LengthUnit();  // "mm" / "in"
std::string ForceUnit();   // "N" / "kN" / "lbf"
std::string StressUnit();  // "MPa" / "N/mm²" / "psi"
std::string MomentUnit();  // "Nm" / "lbfin"
std::string DegreeUnit();  // "°", or "deg" when texts are transliterated

// Formats of internal values in the current system. Imperial and kN values
// get one decimal more (and a field one narrower) because their numbers are
// smaller; imperial stresses get two decimals fewer, moments one fewer.
std::string FormatLength(int width, int decimals, Real mm);
std::string FormatLengthDec(int decimals, Real mm);
std::string FormatLengthAuto(Real mm);
std::string FormatForce(int width, int decimals, Real newton);
std::string FormatForceAuto(Real newton);
Real ForceToDisplay(Real newton);
std::string FormatStress(int width, int decimals, Real mpa);
std::string FormatMoment(int width, int decimals, Real nm);
std::string FormatMomentAuto(Real nm);

// Readers of typed values in the current system, giving internal units;
// unreadable text gives 0 (see ParseNumber).
Real ParseLength(const std::string& text);
Real ParseForce(const std::string& text);
Real ParseMoment(const std::string& text);

}  // namespace kv5
