// The drawing list of a drive: one complete CAD output run per chosen
// drawing (assembly, views of both wheels, production drawings, the two
// summary sheets and the loose parts), on screen or into a CAD file.
#pragma once

#include "model/drive_model.h"

namespace kv5 {

// The result drawing chosen in the configuration dialog
// ("RadioGroup_ergebnisgrafik"): 0 "egal", 1 "Quick 1", 2 "Quick 3",
// 3 "Fertigungszeichnung", 4 "Diagramm", 5 "Zeichnung", 6 "Quick 4".
extern int resultDrawing;

// Items of the drawing list (1-based), as the menus and the batch runs
// number them.
enum DrawingItem : int {
  kDrawAssembly = 1,
  kDrawWheel1Front = 2,
  kDrawWheel2Front = 3,
  kDrawWheel1Side = 4,
  kDrawWheel2Side = 5,
  kDrawWheel1Production = 6,
  kDrawWheel2Production = 7,
  kDrawBothProduction = 8,
  kDrawQuick = 9,
  kDrawQuick3 = 10,
  kDrawBearingPlate = 11,
  kDrawYokePlate = 12,
  kDrawSpacerSleeve = 13,
  kDrawRoller = 14,
  kDrawSpacerDisc = 15,
  kDrawBack = 16,
};

// Start-up state (result drawing "egal").
void InitDriveDrawings();

// presetItem 0 lets the user choose (and offers the list again after each
// drawing); outputKind as CadBegin (0 = ask). Returns the abort flag.
bool DrawDriveMenu(int presetItem, int outputKind);
// After a calculation: the configured result drawing on the screen.
void DrawDefaultResult();
// The parts of a pin rack drive (items 12 to 15); in a CAD batch run the
// yoke plate (item 12) without asking.
void DrawPartsMenu(int outputKind);

// Entity and block bodies used by the drawing list.
void DrawAssembly();                  // body of "CHDRIVE"
void DrawProductionSheet(int which);  // 0 both wheels, 1 wheel 1, 2 wheel 2
void DrawQuickSheet();                // "Quick", also the block "quick"
void DrawQuick3Sheet();               // "Quick 3" entities

}  // namespace kv5
