#include "graphics/drive_drawings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/core/batch_runs.h"
#include "cad/cad_channel.h"
#include "cad/cad_settings.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/message_boxes.h"
#include "dialogs/value_dialogs.h"
#include "graphics/dimension_table.h"
#include "graphics/drawing_frame.h"
#include "graphics/drive_parts.h"
#include "graphics/drive_tables.h"
#include "graphics/tooth_outline.h"
#include "graphics/wheel1_views.h"
#include "graphics/wheel2_views.h"
#include "text/configuration.h"
#include "text/message_explanations.h"

namespace kv5 {

int resultDrawing = 0;

namespace {

// What one call of the drawing menu keeps between its drawings.
struct MenuState {
  int item = 1;
  bool rollersHidden = true;
  bool spoked = true;
  int pegs = 1;  // 1 holes, 2 pegs
  Real plateThickness = 0;
  Real play = 0;
  Real centreDistance = 0;  // of the bearing plate
};

const char* const kItemTexts[] = {
    "Getriebe",
    "Zahnrad 1 (Vorderansicht)",
    "Triebstockrad 2 (Vorderansicht)",
    "Zahnrad 1 (Seitenansicht)",
    "Triebstockrad 2 (Seitenansicht)",
    "Zahnrad 1 (Fertigungszeichnung)",
    "Triebstockrad 2 (Fertigungszeichnung)",
    "1+2 (Fertigungszeichnung)",
    "Quick",
    "Quick 3",
    "Lagerplatte",
    "Jochblech",
    "Distanzhülse",
    "Rolle",
    "Distanzscheibe di= ",
    "zurück",
};

void FillMenuItems() {
  for (int i = 1; i <= kDrawBack; ++i) choiceItems[i] = kItemTexts[i - 1];
  choiceItems[kDrawSpacerDisc] += FormatShortLength(model.dB[1]);
}

// The questions of STL pin wheel front views and of the bearing plate. A
// batch run has nobody to answer them and draws with the defaults. False
// when the user cancelled.
bool AskItemQuestions(MenuState& state, int outputKind) {
  const DriveModel& m = model;
  if (batchCad) return true;
  if (state.item == kDrawWheel2Front && outputKind == kCadStl) {
    if (!m.pinRack) {
      AskYesNoChoice("Speichenrad", state.spoked);
      if (abortFlag) return false;
    }
    choiceItems[1] = "Bohrungen";
    choiceItems[2] = "Zapfen";
    int choice = state.pegs;
    AskChoice("Bitte wählen ..", 2, choice);
    if (abortFlag) return false;
    state.pegs = choice == 2 ? 2 : 1;
    if (!AskReal("Blechdicke Triebstock", state.plateThickness, 0, 1e10)) return false;
  }
  if (state.item == kDrawBearingPlate) {
    if (!AskReal("Lagerspiel", state.play, 0, 1e10)) return false;
    state.centreDistance = m.a + state.play;
    if (!AskReal("Achsabstand", state.centreDistance, -1e10, 1e10)) return false;
  }
  return !abortFlag;
}

void SetItemLimits(int item) {
  const DriveModel& m = model;
  const Real da1 = m.daMax[1];
  const Real da2 = m.daMax[2];
  const Real p = m.chain.p;
  switch (item) {
    case kDrawAssembly:
      if (m.pinRack)
        CadSetLimits(-0.6L * da1, -0.6L * da1, 0.6L * da1, 0.8L * da1, 0);
      else
        CadSetLimits(-0.6L * da1, -0.6L * std::max(da1, da2), m.a + 0.6L * da2,
                     0.6L * std::max(da1, da2), 0);
      return;
    case kDrawWheel1Front:
      CadSetLimits(-0.6L * da1, -0.6L * da1, 0.6L * da1, 0.6L * da1, m.bf1);
      return;
    case kDrawWheel2Front:
      if (m.pinRack) {
        CadSetLimits(-2 * p, -0.55L * p * m.z2, 2 * p, 0.55L * p * m.z2, 0);
        return;
      }
      [[fallthrough]];
    case kDrawWheel2Side:
      CadSetLimits(-0.6L * da2, -0.6L * da2, 0.6L * da2, 0.6L * da2, 0);
      return;
    case kDrawWheel1Side:
      CadSetLimits(-0.6L * da1, -0.6L * da1, 0.6L * da1, 0.6L * da1, 0);
      return;
    case kDrawWheel1Production:
    case kDrawWheel2Production:
      SetSheetLimits(4);
      return;
    case kDrawBothProduction:
      CadSetLimits(-5, -5, 432, 310, 0);
      return;
    case kDrawQuick:
    case kDrawQuick3:
      CadSetDefaultLimits();
      return;
    case kDrawBearingPlate: {
      const Real r = std::max(m.dB[1], m.dB[2]) / 2 + m.s;
      CadSetLimits(-r, -r, std::fabs(m.a) + r, r, m.s);
      return;
    }
    case kDrawYokePlate:
      CadSetLimits(-m.a, -0.2L * m.a, m.a, 2 * m.a, m.s);
      return;
    default:
      CadSetLimits(-3 * m.d2, -3 * m.d2, 3 * m.d2, 3 * m.d2, 0);
      return;
  }
}

bool ItemUses(int item, std::initializer_list<int> items) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

void DrawWheel2FrontView(const MenuState& state) {
  const DriveModel& m = model;
  if (m.pinRack)
    DrawRackFront(state.pegs, state.rollersHidden, 0, 0, m.chain.b1, state.plateThickness);
  else
    DrawPinWheelFront(state.pegs, state.spoked, m.chain.b1, state.plateThickness);
}

void DrawWheel2SideView() {
  if (model.pinRack)
    DrawRackSide();
  else
    DrawPinWheelSide();
}

void DefineBlocks(const MenuState& state) {
  const DriveModel& m = model;
  const int item = state.item;
  if (ItemUses(item, {1, 2, 6, 8, 10})) {
    CadBeginBlock("TOOTH1");
    DrawToothOutline(m.z1, m.alphaMean[1], m.riMean[1], m.reMean[1], m.dfMean[1], m.daMin[1]);
    CadEndBlock();
  }
  if (ItemUses(item, {1, 6, 8, 10})) {
    CadBeginBlock("RAD1VA");
    DrawWheel1Front(1, m.z1, m.d[1], m.daMax[1], m.dB[1]);
    CadEndBlock();
  }
  if (ItemUses(item, {6, 8, 10})) {
    CadBeginBlock("RAD1SA");
    DrawWheel1Side(1);
    CadEndBlock();
  }
  if (ItemUses(item, {1, 7, 8, 10})) {
    CadBeginBlock("RAD2VA");
    DrawWheel2FrontView(state);
    CadEndBlock();
  }
  if (ItemUses(item, {7, 8, 10})) {
    CadBeginBlock("RAD2SA");
    DrawWheel2SideView();
    CadEndBlock();
  }
  if (ItemUses(item, {6, 7, 8})) {
    const int w = item == kDrawWheel2Production ? 2 : 1;
    CadBeginBlock("FRAME_1");
    DrawFrame(4, m.drawingName[w], m.drawingName2[w], m.drawingNumber[w]);
    CadEndBlock();
  }
  if (item == kDrawBothProduction) {
    CadBeginBlock("FRAME_2");
    DrawFrame(4, m.drawingName[2], m.drawingName2[2], m.drawingNumber[2]);
    CadEndBlock();
  }
  if (item == kDrawQuick3) {
    CadBeginBlock("CHDRIVE");
    DrawAssembly();
    CadEndBlock();
    CadBeginBlock("tab1");
    DrawWheel1Table(1, 0, 0, 2.5L);
    CadEndBlock();
    CadBeginBlock("tab2");
    DrawWheel2Table(2, 0, 0, 2.5L);
    CadEndBlock();
    CadBeginBlock("quick");
    DrawQuickSheet();
    CadEndBlock();
  }
}

void DrawEntities(const MenuState& state) {
  const DriveModel& m = model;
  const Real cb = stlFitClearanceBore;
  const Real cs = stlFitClearanceShaft;
  const Real d1 = m.chain.d1;
  const Real w = m.yokeWidth;
  switch (state.item) {
    case kDrawAssembly:
      DrawAssembly();
      return;
    case kDrawWheel1Front:
      DrawWheel1Front(1, m.z1, m.d[1], m.daMax[1], m.dB[1]);
      return;
    case kDrawWheel2Front:
      DrawWheel2FrontView(state);
      return;
    case kDrawWheel1Side:
      DrawWheel1Side(1);
      return;
    case kDrawWheel2Side:
      DrawWheel2SideView();
      return;
    case kDrawWheel1Production:
      DrawProductionSheet(1);
      return;
    case kDrawWheel2Production:
      DrawProductionSheet(2);
      return;
    case kDrawBothProduction:
      DrawProductionSheet(0);
      CadSetLogoMode(3);
      return;
    case kDrawQuick:
      DrawQuickSheet();
      return;
    case kDrawQuick3:
      DrawQuick3Sheet();
      return;
    case kDrawBearingPlate:
      DrawBearingPlate(state.play, state.centreDistance);
      return;
    case kDrawYokePlate:
      DrawYokePlate();
      return;
    case kDrawSpacerSleeve:
      DrawRingPart(d1 - 0.1L - 2 * cs, m.d2 + cb, w + 2 * cs);
      return;
    case kDrawRoller:
      DrawRingPart(m.rollerD, d1 + 0.1L + 2 * cb, w - 0.3L - 2 * cs);
      return;
    case kDrawSpacerDisc:
      DrawRingPart(1.8L * m.dB[1] + 0.5L, m.dB[1] + 0.3L + 2 * cb,
                   (w - m.bf1Min) / 2 - 0.1L - 2 * cs);
      return;
    default:
      return;
  }
}

// One complete output run of the chosen item.
void DrawItem(MenuState& state, int outputKind) {
  CadBegin(static_cast<CadKind>(outputKind));
  if (abortFlag) return;
  CadSetPen(0);
  SetItemLimits(state.item);
  CadTables(state.item == kDrawQuick || state.item == kDrawQuick3 ? 2 : 0);
  CadBeginBlocks();
  DefineBlocks(state);
  CadEndSection();
  do {
    CadBeginEntities();
    DrawEntities(state);
    CadEndSection();
  } while (!CadPassDone());
  CadEnd();
}

}  // namespace

bool DrawDriveMenu(int presetItem, int outputKind) {
  if (calcFailed) {
    ShowMessageList();
    return abortFlag;
  }
  MenuState state;
  state.plateThickness = model.s;
  state.centreDistance = model.a;
  if (presetItem > 0) state.item = presetItem;
  while (true) {
    if (presetItem <= 0) {
      FillMenuItems();
      AskChoice("Bitte wählen ..", kDrawBack, state.item);
      if (abortFlag) return true;
    }
    if (state.item < kDrawAssembly || state.item >= kDrawBack) return abortFlag;
    state.rollersHidden = state.item != kDrawAssembly && state.item != kDrawQuick3;
    if (!AskItemQuestions(state, outputKind)) return true;
    DrawItem(state, outputKind);
    if (presetItem > 0 || abortFlag) return abortFlag;
  }
}

void InitDriveDrawings() {
  resultDrawing = 0;
}

void DrawDefaultResult() {
  if (helpLevel == 0) return;
  if (calcFailed) {
    ShowMessageList();
    return;
  }
  // "egal", "Quick 1", "Quick 3", "Fertigungszeichnung", "Diagramm",
  // "Zeichnung", "Quick 4".
  int item = kDrawQuick3;
  switch (resultDrawing) {
    case 1:
      item = kDrawQuick;
      break;
    case 3:
      item = kDrawBothProduction;
      break;
    case 5:
      item = kDrawAssembly;
      break;
    default:  // "Quick 3" shows item 10 like "egal", "Diagramm" and "Quick 4"
      item = kDrawQuick3;
      break;
  }
  DrawDriveMenu(item, kCadScreen);
}

void DrawPartsMenu(int outputKind) {
  if (model.dB[1] == 0) {
    ShowError("dB1 = 0 !");
    return;
  }
  // A batch run has nobody to choose: it draws the yoke plate, the part
  // the menu entry is named after.
  if (batchCad) {
    DrawDriveMenu(kDrawYokePlate, outputKind);
    return;
  }
  int index = 1;
  while (true) {
    choiceItems[1] = "Jochblech";
    choiceItems[2] = "Distanzhülse";
    choiceItems[3] = "Rolle";
    choiceItems[4] = "Distanzscheibe di= " + FormatShortLength(model.dB[1]);
    AskChoice("Select", 4, index);
    if (abortFlag || index < 1 || index > 4) return;
    DrawDriveMenu(index + 11, outputKind);
    if (abortFlag) return;
  }
}

void DrawAssembly() {
  const DriveModel& m = model;
  if (m.pinRack) {
    // The rack runs horizontally above wheel 1.
    CadInsert("RAD1VA", 0, 0, 90, 1, 1);
    CadInsert("RAD2VA", 0, m.d[1] / 2, 90, 1, 1);
  } else {
    CadInsert("RAD1VA", 0, 0, 0, 1, 1);
    CadInsert("RAD2VA", m.a, 0, 0, 1, 1);
  }
}

void DrawProductionSheet(int which) {
  const DriveModel& m = model;
  CadInsert("FRAME_1", 0, 0, 0, 1, 1);
  if (which == 0) CadInsert("FRAME_2", 220, 0, 0, 1, 1);
  const Real k1 = 100 / m.daMax[1];
  const Real k2 = m.pinRack ? 150 / m.rackLength : 120 / m.daMax[2];
  if (which == 0 || which == 1) {
    CadInsert("RAD1VA", 80, 225, 0, k1, k1);
    CadInsert("RAD1SA", 170, 225, 0, k1, k1);
  }
  if (which == 0) {
    CadInsert("RAD2VA", 300, 200, 180, k2, k2);
    CadInsert("RAD2SA", 390, 200, 0, k2, k2);
  } else if (which == 2) {
    CadInsert("RAD2VA", 80, 200, 180, k2, k2);
    CadInsert("RAD2SA", 170, 200, 0, k2, k2);
  }
  if (which == 0 || which == 1) DrawWheel1Table(1, 50, 150, 2.5L);
  if (which == 0) DrawWheel2Table(2, 270, 100, 2.5L);
  if (which == 2) DrawWheel2Table(2, 50, 100, 2.5L);
}

void DrawQuickSheet() {
  const DriveModel& m = model;
  CadSetTextStyle(0, 0, 1.75L, 0);
  CadSetPen(19);
  CadMoveTo(2, 117);
  CadTextLine(m.infoText[0]);
  CadTextLine(m.infoText[1]);
  DrawWheel1Table(1, 2, 112, 2);
  DrawWheel2Table(2, 2, 42, 2);
  DrawDriveTable(100, 112, 2);
  DrawMessageTable(100, 36, 2, 28, 28);
}

void DrawQuick3Sheet() {
  const DriveModel& m = model;
  const Real da1 = m.daMax[1];
  const Real da2 = m.daMax[2];
  const Real g = std::min(160 / (0.6L * da1 + m.a + 0.6L * da2), 58 / std::max(da1, da2));
  CadInsert("chdrive", m.pinRack ? 80 : 50, 85, 0, g, g);
  CadSetTextStyle(0, 0, 1.6L, 1.2L);
  CadSetPen(19);
  CadMoveTo(2, 60);
  CadTextLine(m.infoText[0]);
  CadTextLine(m.infoText[1]);
  CadInsert("tab1", 2, 50, 0, 0.4L, 0.5L);
  CadInsert("tab2", 52, 50, 0, 0.4L, 0.5L);
  DrawDriveTable(104, 50, 1.2L);
  DrawMessageTable(52, 18, 1.2L, 38, 16);
}

}  // namespace kv5
