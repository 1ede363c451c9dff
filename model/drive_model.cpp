#include "model/drive_model.h"

namespace kv5 {

DriveModel model;
bool abortFlag = false;
bool calcFailed = false;
bool showErrorBoxes = true;
bool modified = false;
std::string projectName;
std::string projectFolder;

void InitDriveModel() {
  model = DriveModel{};
  model.drawingName[1] = "Kettenrad";
  model.drawingName[2] = "Triebstock";
  model.drawingNumber[1] = "1";
  model.drawingNumber[2] = "2";
  model.n[1] = 1;
  abortFlag = false;
  calcFailed = false;
  showErrorBoxes = true;
  modified = false;
  projectName.clear();
  projectFolder.clear();
}

std::string StandardSymbol(SymbolKind kind) {
  struct Pair {
    const char* din;
    const char* iso;
  };
  static constexpr Pair kPairs[] = {
      {"DIN 8187/8188", "ISO 606"},  // StandardName
      {"dR", "d1"},                  // RollerDiameter
      {"FB", "Fu"},                  // BreakingForce
      {"r1", "ri"},                  // RollerSeatingRadius
      {"r2", "re"},                  // ToothFlankRadius
      {"r3", "rx"},                  // ToothChamferRadius
      {"r4", "ra"},                  // ShroudFilletRadius
      {"B1", "bf1"},                 // ToothWidth
      {"B", "bf"},                   // TotalToothWidth
      {"e", "pt"},                   // TransversePitch
      {"g", "h2"},                   // PlateHeight
      {"c", "ba"},                   // ToothSideChamfer
      {"k", "ha"},                   // ToothHeightAbovePolygon
      {"ds", "dg"},                  // ReliefDiameter
      {"kappa", "alpha"},            // RollerSeatingAngle
  };
  const Pair& pair = kPairs[static_cast<int>(kind)];
  switch (model.chainStandard) {
    case 0:
      return pair.din;
    case 1:
      return pair.iso;
    default:
      return {};
  }
}

}  // namespace kv5
