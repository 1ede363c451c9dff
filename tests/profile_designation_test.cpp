#include "model/profile_designation.h"

#include "model/drive_model.h"
#include "tests/test_support.h"

namespace kv5 {
namespace {

using ProfileDesignationTest = testing::ProgramTest;

TEST_F(ProfileDesignationTest, WithAndWithoutStrands) {
  struct Case {
    int standard;
    bool editable;
    short strands;
    const char* designation;
    const char* note;
    const char* plain;
    const char* withStrands;
  };
  const Case cases[] = {
      {1, false, 1, " 08B ", "irgendwas", "08B - ISO 606", "08B-1 - ISO 606"},
      {1, false, 3, "16B", "", "16B - ISO 606", "16B-3 - ISO 606"},
      {0, false, 2, "10B  ", "  DIN 8187  ", "10B - DIN 8187", "10B-2 - DIN 8187"},
      {0, true, 2, "10B", "DIN 8187", "", ""},
      {1, true, 1, "08B", "ISO 606", "", ""},
  };
  for (const Case& c : cases) {
    model.chainStandard = c.standard;
    model.editable = c.editable;
    model.strands = c.strands;
    model.chain.designation = c.designation;
    model.chain.standardNote = c.note;
    EXPECT_EQ(ProfileDesignation(false), c.plain) << c.designation;
    EXPECT_EQ(ProfileDesignation(true), c.withStrands) << c.designation;
  }
}

}  // namespace
}  // namespace kv5
