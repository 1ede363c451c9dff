// Commands of the STL menu of the main window, without any window: each
// clears abortFlag and writes one part of the drive as an STL solid
// (output kind 6). The window layer calls them from its menu items.
#pragma once

namespace kv5 {

// mi_stlrad1, mi_stlrad2: the front views of wheel 1 and wheel 2.
void MenuStlRad1();
void MenuStlRad2();
// mi_stlCarrier (pin wheel only): the bearing plate.
void MenuStlCarrier();
// mi_stljoch (pin rack only): the parts menu (yoke plate, spacer sleeve,
// roller, spacer disc). In a CAD batch run, which has nobody to choose,
// the yoke plate.
void MenuStlJoch();

}  // namespace kv5
