#include "model/pre_design.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/main_commands.h"
#include "dialogs/pre_design_dialog.h"
#include "model/chain_tables.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "model/profile_designation.h"
#include "tests/dialog_test_platform.h"
#include "text/configuration.h"
#include "text/units.h"

namespace kv5 {
namespace {

namespace fs = std::filesystem;

const std::string kBuilt = std::string(KV5_BUILD_DATA_DIR) + "/";

class PreDesignTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    for (const char* name : {"kv1chain.dbf", "iso606.dbf"})
      fs::copy_file(kBuilt + name, tables_.File(name));
    tableFolder = tables_.path();
    tempFolder = temp_.path();
    projectFolder = temp_.path();
  }
  // The load of the pre-design dialog as a person types it, then OK.
  static std::function<void()> TypedDialog(const std::string& power, const std::string& speed,
                                           int standard) {
    return [power, speed, standard] {
      PreDesignDialog dialog;
      dialog.FillFromModel();
      dialog.SetDerived(PreDesignDialog::kTorque);
      dialog.SetPower(power);
      dialog.SetSpeed(speed);
      dialog.SetChainStandard(standard);
      dialog.Ok();
    };
  }
  testing::TempFolder tables_;
  testing::TempFolder temp_;
};

// Where the walk has to stop: the rows after the first, in pitch order,
// evaluated one after the other; the first safe one, else the last row.
int ExpectedStop() {
  ChainTable& table = chainTable();
  const std::vector<int> order = table.Order();
  const DriveModel start = model;
  int stop = order.back();
  for (size_t i = 1; i < order.size(); ++i) {
    table.Go(order[i]);
    ReadChainRow();
    model.FB = 1000.0L * model.chain.breakingForce1;
    CalculateDrive();
    abortFlag = calcFailed = false;
    if (model.SB > 7 && model.SD > 5) {
      stop = order[i];
      break;
    }
  }
  model = start;
  return stop;
}

TEST_F(PreDesignTest, WalkStopsAtTheFirstSafeRowAfterTheFirstOrAtTheLast) {
  struct Case {
    const char* what;
    int standard;
    Real power;
    bool reachesEnd;
  };
  const Case cases[] = {
      {"DIN 4 kW", 0, 4, false},      {"ISO 4 kW", 1, 4, false},   {"DIN tiny", 0, 0.001L, false},
      {"ISO tiny", 1, 0.001L, false}, {"DIN huge", 0, 1e6L, true}, {"ISO huge", 1, 1e6L, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InitDriveModel();
    model.chainStandard = c.standard;
    model.P = c.power;
    model.n[1] = 1450;
    model.loadMode = 0;
    const char* name = c.standard == 0 ? kDinTableName : kIsoTableName;
    ASSERT_TRUE(OpenChainTable(name));
    IndexChainTable(c.standard == 0 ? 2 : 3, name);
    const std::vector<int> order = chainTable().Order();
    ASSERT_GT(order.size(), 3u);
    const int expected = ExpectedStop();
    WalkChainTable();
    EXPECT_EQ(chainTable().RecordNumber(), expected);
    EXPECT_EQ(chainTable().EndOfTable(), c.reachesEnd);
    if (c.reachesEnd) {
      EXPECT_EQ(chainTable().RecordNumber(), order.back());
      EXPECT_FALSE(model.SB > 7 && model.SD > 5);
    } else {
      EXPECT_GT(model.SB, 7);
      EXPECT_GT(model.SD, 5);
    }
    if (c.power < 0.01L) {
      // The first row would do as well, but it is never evaluated.
      EXPECT_EQ(chainTable().RecordNumber(), order[1]);
    }
    chainTable().Close();
  }
}

TEST_F(PreDesignTest, ChosenRowGivesWidthAndWallThicknessRoundedHalfToEven) {
  // The browser moves to the 08B row of the ISO table and takes it.
  ChainTable::SetBrowseHook([](ChainTable& table, const BrowseRequest& request) {
    EXPECT_EQ(request.mode, BrowseMode::Choose);
    EXPECT_EQ(table.title2(), "ISO 606");
    for (table.First(); !table.EndOfTable(); table.Move(1))
      if (table.Column(1) == "08B") return true;
    return false;
  });
  PreDesign(TypedDialog("4", "1450", 1));
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(model.chain.designation, "08B");
  EXPECT_NEAR(static_cast<double>(model.bf1), 0.9 * 7.75, 1e-12);
  EXPECT_EQ(model.s, 2);  // 0.25 · 7.75 = 1.9375
  EXPECT_NEAR(static_cast<double>(model.FB), 17800, 1e-9);
  EXPECT_NEAR(static_cast<double>(model.d2), 4.45, 1e-12);
  EXPECT_NE(model.chainRecordNo, 0);
  EXPECT_FALSE(chainTable().IsOpen());

  // Cancel in the browser: abortFlag, the dialog's inputs stay written.
  ChainTable::SetBrowseHook([](ChainTable&, const BrowseRequest&) { return false; });
  model.chainRecordNo = 0;
  PreDesign(TypedDialog("2,5", "700", 0));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(model.P, 2.5L);
  EXPECT_EQ(model.n[1], 700);
  EXPECT_EQ(model.chainStandard, 0);
  EXPECT_EQ(model.chainRecordNo, 0);

  EXPECT_EQ(RoundHalfEven(0.25L * 10), 2);  // 2.5
  EXPECT_EQ(RoundHalfEven(0.25L * 14), 4);  // 3.5
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
}

TEST_F(PreDesignTest, MissingTableStopsThePreDesignWithItsMessage) {
  fs::remove(tables_.File("iso606.dbf"));
  int browsed = 0;
  ChainTable::SetBrowseHook([&browsed](ChainTable&, const BrowseRequest&) {
    ++browsed;
    return true;
  });
  PreDesign(TypedDialog("4", "1450", 1));
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(browsed, 0);
  ASSERT_EQ(dialogs_.BoxTexts().size(), 1u);
  EXPECT_EQ(dialogs_.BoxTexts()[0], "File " + tables_.File("iso606.dbf") + " not found.");
}

TEST_F(PreDesignTest, DialogRatioFieldsFollowTheSelectedItem) {
  struct Case {
    int item;
    const char* u;
    const char* z1;
    const char* z2;
    const char* expectU;
    const char* expectZ1;
    const char* expectZ2;
  };
  const Case cases[] = {
      {PreDesignDialog::kZ1Derived, "2", "", "35", "2", "18", "35"},      // 17.5 → 18
      {PreDesignDialog::kZ1Derived, "2", "", "33", "2", "16", "33"},      // 16.5 → 16
      {PreDesignDialog::kZ2Derived, "2,5", "17", "", "2,5", "17", "42"},  // 42.5 → 42
      {PreDesignDialog::kZ2Derived, "1.5", "19", "", "1.5", "19", "28"},  // 28.5 → 28
      {PreDesignDialog::kRatioDerived, "", "20", "50", "2.5", "20", "50"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.item) + " " + c.u + " " + c.z1 + " " + c.z2);
    InitDriveModel();
    model.pinRack = false;
    model.n[1] = 1000;
    PreDesignDialog dialog;
    dialog.FillFromModel();
    dialog.SetRatioItem(c.item);
    if (*c.u) dialog.SetU(c.u);
    if (*c.z1) dialog.SetZ1(c.z1);
    if (*c.z2) dialog.SetZ2(c.z2);
    EXPECT_EQ(dialog.fields().u, c.expectU);
    EXPECT_EQ(dialog.fields().z1, c.expectZ1);
    EXPECT_EQ(dialog.fields().z2, c.expectZ2);
    EXPECT_EQ(dialog.RatioEnabled(), c.item != PreDesignDialog::kRatioDerived);
    EXPECT_EQ(dialog.Z1Enabled(), c.item != PreDesignDialog::kZ1Derived);
    EXPECT_EQ(dialog.Z2Enabled(), c.item != PreDesignDialog::kZ2Derived);
  }
  // The caption names the ratio and n2 with n1 from the model.
  InitDriveModel();
  model.pinRack = false;
  model.n[1] = 1000;
  PreDesignDialog dialog;
  dialog.FillFromModel();
  dialog.SetRatioItem(PreDesignDialog::kRatioDerived);
  dialog.SetZ1("20");
  dialog.SetZ2("50");
  EXPECT_EQ(dialog.ratioCaption(), "Übersetzung z2/z1 = 2.500  n2= 400/min ");
}

TEST_F(PreDesignTest, PinRackSwitchShowsRatioOneAndHidesZ2) {
  InitDriveModel();
  model.pinRack = false;
  model.u = 3;
  PreDesignDialog dialog;
  dialog.FillFromModel();
  EXPECT_TRUE(dialog.RatioVisible());
  EXPECT_TRUE(dialog.Z2Visible());
  EXPECT_FALSE(dialog.Z1LabelVisible());
  EXPECT_EQ(dialog.fields().u, "3");
  dialog.SetPinRack(true);
  EXPECT_EQ(dialog.fields().u, "1");
  EXPECT_FALSE(dialog.RatioVisible());
  EXPECT_FALSE(dialog.Z2Visible());
  EXPECT_TRUE(dialog.Z1LabelVisible());
  dialog.Ok();
  EXPECT_TRUE(model.pinRack);
  EXPECT_EQ(model.u, 1);
}

TEST_F(PreDesignTest, TorqueIsTypedInTheMomentUnit) {
  InitDriveModel();
  unitSystem = 1;  // inch, lbf·in
  PreDesignDialog dialog;
  dialog.FillFromModel();
  dialog.SetDerived(PreDesignDialog::kPower);
  dialog.SetSpeed("1000");
  dialog.SetTorque("100");  // lbf·in
  dialog.Ok();
  EXPECT_NEAR(static_cast<double>(model.T[1]), 100 * static_cast<double>(kNmPerPoundForceInch),
              1e-6);
  EXPECT_NEAR(static_cast<double>(model.P),
              static_cast<double>(model.T[1]) * 1000 * 2 * 3.14159265358979 / 60000, 0.01);
}

// New project with pre-design through the platform layer: a 4 kW drive at
// 1450/min gets a profile from the table and a calculated drive.
TEST_F(PreDesignTest, NewProjectWithPreDesignProposesAProfileThatIsSafeEnough) {
  std::vector<std::string> calls;
  MainWindowHooks hooks;
  hooks.documentTexts = [&calls] { calls.push_back("texts"); };
  hooks.preDesign = [&calls] {
    calls.push_back("predesign");
    PreDesign(TypedDialog("4", "1450", 1));
  };
  hooks.geometry = [&calls] { calls.push_back("geometry"); };
  hooks.load = [&calls] { calls.push_back("load"); };
  SetMainWindowHooks(hooks);
  int browsed = 0;
  ChainTable::SetBrowseHook([&browsed](ChainTable&, const BrowseRequest&) {
    ++browsed;
    return true;  // OK on the proposed row
  });
  FileNew();
  EXPECT_EQ(calls, (std::vector<std::string>{"texts", "predesign", "geometry", "load"}));
  EXPECT_EQ(browsed, 1);
  EXPECT_FALSE(calcFailed);
  EXPECT_NE(model.chainRecordNo, 0);
  EXPECT_EQ(model.P, 4);
  EXPECT_EQ(model.n[1], 1450);
  EXPECT_GT(model.SB, 7);
  EXPECT_GT(model.SD, 5);
  EXPECT_NE(ProfileDesignation(false), "");
  EXPECT_NE(model.chain.designation, "");
  EXPECT_GT(model.chain.p, 0);
  EXPECT_TRUE(modified);
}

}  // namespace
}  // namespace kv5
