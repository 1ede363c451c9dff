// Numeric tables of ISO 286-1: nominal size ranges, standard tolerance
// grades IT1..IT18, the Δ values of the hole deviations and the
// fundamental deviations of shafts and holes.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/drive_model.h"

namespace kv5::iso286 {

inline constexpr int kFirstGrade = 1;
inline constexpr int kLastGrade = 18;
inline constexpr int kLargestSizeMm = 3150;

// Sizes are placed in a range by their size key: the whole-number part of
// (size - 0.001 mm). A range "above L up to U" holds the keys L <= key < U,
// so a size exactly on a limit falls into the lower range.

// The 21 main ranges of the standard tolerances (up to 3, 3..6, ...,
// 2500..3150 mm); nullopt when the key lies above 3150 mm.
std::optional<int> MainRange(Real sizeKey);
inline constexpr int kMainRangeCount = 21;
// Upper limit (mm) of main range `range` (0-based).
int MainRangeUpperMm(int range);

// Standard tolerance ITgrade in µm for main range `range`, grade 1..18.
// IT1..IT5 above 500 mm are the values the standard gives for trial use;
// IT14..IT18 are not to be used up to 1 mm, their values are returned all
// the same.
Real StandardToleranceUm(int grade, int range);

// One step of a table over nominal sizes: the value holds for size keys
// below `upToMm` (and at or above the previous step's limit).
struct SizeStep {
  int upToMm;
  std::optional<int> valueUm;  // nullopt: not defined in this range
};

// The step of `steps` that holds `sizeKey`; nullptr when the key lies above
// the last step.
const SizeStep* FindStep(std::span<const SizeStep> steps, Real sizeKey);

// Fundamental deviation of a shaft whose value does not depend on the
// grade: es for a, b, c, cd, d, e, ef, f, fg, g; ei for m, n, p, r, s, t,
// u, v, x, y, z, za, zb, zc (µm, signed). Empty for any other letters.
std::span<const SizeStep> ShaftDeviationSteps(std::string_view letters);
// ei of k for grades IT4 .. IT7 (0 for all other grades).
std::span<const SizeStep> ShaftKSteps();
// ei of j for grade 5 to 8 (8 only up to 3 mm); empty for other grades.
std::span<const SizeStep> ShaftJSteps(int grade);
// ES of J for grade 6 to 8; empty for other grades.
std::span<const SizeStep> HoleJSteps(int grade);

// Δ = ITn - IT(n-1) in the tabulated form used by the hole deviations K, M,
// N (up to IT8) and P .. ZC (up to IT7): tabulated for grades 3 to 8 and
// main ranges up to 500 mm, 0 up to 3 mm; 0 for all other grades and
// ranges.
Real DeltaUm(int grade, int range);

}  // namespace kv5::iso286
