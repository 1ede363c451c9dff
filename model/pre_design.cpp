#include "model/pre_design.h"

#include "dialogs/pre_design_dialog.h"
#include "model/chain_tables.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"

namespace kv5 {

namespace {

bool SafeEnough() {
  return model.SB > 7 && model.SD > 5;
}

// The current row into the model, with its breaking force (kN) as FB (N).
void EvaluateRow() {
  ReadChainRow();
  model.FB = 1000.0L * model.chain.breakingForce1;
  CalculateDrive();
  abortFlag = false;
  calcFailed = false;
}

}  // namespace

void WalkChainTable() {
  ChainTable& table = chainTable();
  model.SB = 0;
  model.SD = 0;
  table.First();
  do {
    table.Move(1);
    EvaluateRow();
  } while (!SafeEnough() && !table.EndOfTable());
}

void PreDesign(const std::function<void()>& showDialog) {
  if (showDialog) showDialog();
  if (abortFlag) return;
  ChainTable& table = chainTable();
  table.SetTitles("", StandardSymbol(SymbolKind::StandardName));
  const bool din = model.chainStandard == 0;
  const char* name = din ? kDinTableName : kIsoTableName;
  if (!OpenChainTable(name)) return;
  IndexChainTable(din ? 2 : 3, name);
  if (abortFlag) {
    table.Close();
    return;
  }
  WalkChainTable();
  BrowseChainTable(BrowseMode::Choose, kDinTableHelpTopic);
  if (!abortFlag) {
    ReadChainRow();
    model.FB = 1000.0L * model.chain.breakingForce1;
    model.chainRecordNo = table.RecordNumber();
    model.editable = false;  // the profile is the table row's
    model.bf1 = 0.9L * model.chain.b1;
    model.s = static_cast<Real>(RoundHalfEven(0.25L * model.chain.b1));  // whole mm
  }
  table.Close();
  const bool cancelled = abortFlag;
  CalculateDrive();
  abortFlag = abortFlag || cancelled;
}

}  // namespace kv5
