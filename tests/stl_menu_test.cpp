#include "app/core/stl_menu.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "app/core/batch_runs.h"
#include "cad/cad_settings.h"
#include "dialogs/file_checks.h"
#include "model/drive_calculation.h"
#include "tests/cad_test_support.h"
#include "tests/drive_fixtures.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;

std::uint32_t Uint32At(const std::string& bytes, size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[offset + static_cast<size_t>(i)]);
  return value;
}

float FloatAt(const std::string& bytes, size_t offset) {
  return std::bit_cast<float>(Uint32At(bytes, offset));
}

// What a reader such as admesh needs of a binary STL file: a header that
// does not announce ASCII, a facet count that the file size holds exactly,
// 50-byte records whose normals are unit vectors agreeing with the vertex
// order, and the attribute word; every vertex between z = 0 and zTop.
void ExpectReadableBinaryStl(const std::string& bytes, float zTop, std::uint32_t& count) {
  count = 0;
  ASSERT_GE(bytes.size(), 84u);
  EXPECT_NE(bytes.rfind("solid", 0), 0u) << "readers would take it for ASCII";
  count = Uint32At(bytes, 80);
  ASSERT_EQ(bytes.size(), 84u + 50u * count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const size_t at = 84 + 50 * static_cast<size_t>(i);
    float f[12];
    for (size_t k = 0; k < 12; ++k) f[k] = FloatAt(bytes, at + 4 * k);
    const double e1[3] = {f[6] - f[3], f[7] - f[4], f[8] - f[5]};
    const double e2[3] = {f[9] - f[3], f[10] - f[4], f[11] - f[5]};
    const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                         e1[0] * e2[1] - e1[1] * e2[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    ASSERT_GT(length, 0) << "facet " << i << " has no area";
    for (size_t k = 0; k < 3; ++k)
      ASSERT_NEAR(n[k] / length, f[k], 1e-3) << "facet " << i << " normal " << k;
    for (size_t k : {5, 8, 11}) {
      ASSERT_GE(f[k], 0) << "facet " << i;
      ASSERT_LE(f[k], zTop) << "facet " << i;
    }
    EXPECT_EQ(bytes.substr(at + 48, 2), "XX") << "attribute word of facet " << i;
  }
}

class StlMenuTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    confirmOverwrite = false;
    stlType = "Binary";
    testing::SetUpRackDrive();
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
  }
};

TEST_F(StlMenuTest, YokeEntryWritesTheYokePlateAsked) {
  abortFlag = true;          // a command starts afresh
  recorder_.QueueAnswer(0);  // "Select": "Jochblech"
  AnswerSaveDialog(folder_.File("yoke.stl"));
  // The height question and the second "Select" find no answer: the
  // height stays the plate thickness and the menu ends.
  MenuStlJoch();
  int selects = 0;
  for (const std::string& q : recorder_.Questions()) selects += q == "Select";
  EXPECT_EQ(selects, 2) << "the menu is offered again after the drawing";
  std::uint32_t facets = 0;
  ExpectReadableBinaryStl(ReadFileBytes(folder_.File("yoke.stl")), static_cast<float>(model.s),
                          facets);
  EXPECT_GT(facets, 0u);
}

TEST_F(StlMenuTest, YokeEntryInABatchRunDrawsTheYokePlateWithoutAsking) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  projectName = "rack";
  batchCad = true;
  MenuStlJoch();
  batchCad = false;
  std::filesystem::current_path(before);
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(recorder_.Questions().empty());
  const std::string bytes = ReadFileBytes(folder_.File("rack.stl"));
  std::uint32_t facets = 0;
  ExpectReadableBinaryStl(bytes, static_cast<float>(model.s), facets);
  EXPECT_GT(facets, 0u);
  // The batch run writes what the interactive entry writes for "Jochblech".
  recorder_.QueueAnswer(0);
  AnswerSaveDialog(folder_.File("asked.stl"));
  MenuStlJoch();
  EXPECT_EQ(ReadFileBytes(folder_.File("asked.stl")), bytes);
}

}  // namespace
}  // namespace kv5
