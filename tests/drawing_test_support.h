// Helpers of the drawing tests: a body drawn into a block of a screen run
// and read back from its block file as entities with the pen each one was
// drawn with, and the two calculated drives of the golden reports.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "cad/block_files.h"
#include "cad/cad_channel.h"
#include "cad/dxf_reader.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "tests/cad_test_support.h"
#include "tests/drive_fixtures.h"

namespace kv5::testing {

struct DrawnEntity {
  BlockItem::Kind kind = BlockItem::Kind::Line;
  int pen = 0;
  std::array<Real, 8> v{};  // as BlockItem::v (arcs: x y r start end sweep)
  std::string text;
};
using Drawing = std::vector<DrawnEntity>;

// Runs body inside block `name` of a screen run and gives the block's
// entities. The block file holds reals with the configured CAD decimals.
inline Drawing DrawBlockBody(const std::string& name, const std::function<void()>& body) {
  CadBegin(kCadScreen);
  EXPECT_FALSE(abortFlag);
  CadSetLimits(-200, -200, 200, 200, 0);
  CadTables(0);
  CadBeginBlocks();
  CadBeginBlock(name);
  body();
  CadEndBlock();
  const std::string file = FindBlockFile(name);
  EXPECT_FALSE(file.empty()) << name;
  const ParsedBlock parsed = ParseBlockFile(ReadFileBytes(file));
  CadEndSection();
  CadBeginEntities();
  CadEndSection();
  CadEnd();
  Drawing drawing;
  int pen = -1;
  for (const BlockItem& item : parsed.items) {
    if (item.kind == BlockItem::Kind::Pen) {
      pen = item.pen;
      continue;
    }
    drawing.push_back({item.kind, pen, item.v, item.text});
  }
  return drawing;
}

// The entities of one kind, of one pen unless pen is -1.
inline Drawing OfKind(const Drawing& drawing, BlockItem::Kind kind, int pen = -1) {
  Drawing found;
  for (const DrawnEntity& e : drawing)
    if (e.kind == kind && (pen < 0 || e.pen == pen)) found.push_back(e);
  return found;
}

inline Drawing Texts(const Drawing& drawing) {
  return OfKind(drawing, BlockItem::Kind::Text);
}

// The texts of the rows of a table, row by row (texts of one baseline in
// the order written, the leading margin blank removed).
inline std::vector<std::vector<std::string>> TableRows(const Drawing& drawing) {
  std::vector<std::vector<std::string>> rows;
  Real baseline = 0;
  for (const DrawnEntity& e : Texts(drawing)) {
    if (rows.empty() || std::fabs(e.v[1] - baseline) > 1e-6L) {
      rows.emplace_back();
      baseline = e.v[1];
    }
    EXPECT_EQ(e.text.substr(0, 1), " ") << "every cell starts with the margin blank";
    rows.back().push_back(e.text.substr(1));
  }
  return rows;
}

}  // namespace kv5::testing
