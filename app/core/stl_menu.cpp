#include "app/core/stl_menu.h"

#include "cad/cad_backend.h"
#include "graphics/drive_drawings.h"
#include "model/drive_model.h"

namespace kv5 {

void MenuStlRad1() {
  abortFlag = false;
  DrawDriveMenu(kDrawWheel1Front, kCadStl);
}

void MenuStlRad2() {
  abortFlag = false;
  DrawDriveMenu(kDrawWheel2Front, kCadStl);
}

void MenuStlCarrier() {
  abortFlag = false;
  DrawDriveMenu(kDrawBearingPlate, kCadStl);
}

void MenuStlJoch() {
  abortFlag = false;
  DrawPartsMenu(kCadStl);
}

}  // namespace kv5
