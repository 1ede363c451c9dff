// Display unit systems: conversion of internal values (mm, N, MPa, Nm) to
// and from the unit system the person has chosen, and the unit labels.
#pragma once

namespace kv5 {

// 0 metric (N), 1 imperial, 2 metric (kN), 3 metric (N/mm²), 4 metric (kN, N/mm²).
extern short unitSystem;

}  // namespace kv5
