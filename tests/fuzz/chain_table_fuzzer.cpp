// Table files of any content: opening checks the header against the file
// before the dBASE reader trusts it, so a damaged table is refused or read
// without a crash or hang; reading every row and column, indexing, and the
// edits of the browse window (write, append, delete, pack) keep the record
// numbers inside the table.
#include <string>

#include "model/chain_table.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kv5;

namespace {

void CheckCurrent(const ChainTable& table) {
  const int r = table.RecordNumber();
  if (r < 0 || r > table.RecordCount()) fuzz::Fail("current record outside the table");
  if (table.RecordCount() > 0 && r == 0 && !table.EndOfTable())
    fuzz::Fail("no current record in a table with rows");
}

void ReadAll(ChainTable& table) {
  int steps = 0;
  for (table.First(); !table.EndOfTable() && steps <= table.RecordCount(); table.Move(1)) {
    CheckCurrent(table);
    for (int c = 0; c <= table.ColumnCount() + 1; ++c) (void)table.Column(c);
    ++steps;
  }
  if (steps > table.RecordCount()) fuzz::Fail("the navigation passes more rows than the table has");
  table.Move(-3);
  CheckCurrent(table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = fuzz::ScratchFolder() + "table.dbf";
  const std::string index = fuzz::ScratchFolder() + "table.ndx";
  const std::string bytes = fuzz::Bytes(data, size);
  fuzz::WriteFile(file, bytes);
  ChainTable table;
  const bool opened = table.Open(file);
  if (opened && !CheckDbaseHeader(bytes).empty())
    fuzz::Fail("a table opened past its header check");
  if (!opened) {
    if (table.LastError() == kTableOk) fuzz::Fail("a refused table without an error code");
    return 0;
  }
  for (int c = 1; c <= table.ColumnCount(); ++c) (void)table.ColumnName(c);
  ReadAll(table);
  if (table.ColumnCount() > 0 && table.BuildIndex(table.ColumnName(1), index)) ReadAll(table);
  table.Go(table.RecordCount());
  table.SetShowDeleted(true);
  if (table.RecordCount() > 0) {
    table.WriteColumn(1, "12,5");
    table.SetDeleted(1, true);
  }
  if (table.Append()) table.WriteColumn(table.ColumnCount(), "x");
  const int before = table.RecordCount();
  if (table.Pack() && table.RecordCount() > before) fuzz::Fail("packing added rows");
  if (table.IsOpen()) ReadAll(table);
  return 0;
}
