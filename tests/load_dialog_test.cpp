#include "dialogs/load_dialog.h"

#include <gtest/gtest.h>

#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/test_support.h"
#include "text/units.h"

namespace kv5 {
namespace {

using LoadDialogTest = testing::ProgramTest;

TEST_F(LoadDialogTest, DerivedFieldFollowsTypingInEachMode) {
  struct Case {
    int derived;
    Real shownT, shownP, shownN;           // the model as the dialog opens
    const char *typedT, *typedP, *typedN;  // typed into the two enabled fields
    const char* expected;                  // the derived field afterwards
  };
  const Case cases[] = {
      // 4 · 60000 / (1450 · 2π) = 26.343 Nm
      {LoadDialog::kTorque, 1, 1, 1, "", "4", "1450", "26.34"},
      // 26.343 · 1450 · 2π / 60000 = 4.000 kW
      {LoadDialog::kPower, 1, 1, 1, "26.343", "", "1450", "4"},
      // 4 · 60000 / (26.343 · 2π) = 1450 1/min; a comma counts as decimal point
      {LoadDialog::kSpeed, 1, 1, 1, "26,343", "4", "", "1450"},
      // a zero or unreadable divisor leaves the derived field as it was
      {LoadDialog::kTorque, 7, 1, 0, "", "4", "0", "7"},
      {LoadDialog::kSpeed, 0, 1, 99, "0", "4", "", "99"},
      {LoadDialog::kSpeed, 0, 1, 99, "abc", "4", "", "99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.derived) + " " + c.typedT + " " + c.typedP + " " + c.typedN);
    model.T[1] = c.shownT;
    model.P = c.shownP;
    model.n[1] = c.shownN;
    model.loadMode = c.derived;
    LoadDialog dialog;
    dialog.FillFromModel();
    if (c.derived != LoadDialog::kTorque) dialog.SetTorque(c.typedT);
    if (c.derived != LoadDialog::kPower) dialog.SetPower(c.typedP);
    if (c.derived != LoadDialog::kSpeed) dialog.SetSpeed(c.typedN);
    const LoadDialog::Fields& f = dialog.fields();
    const std::string& derived = c.derived == LoadDialog::kTorque  ? f.torque
                                 : c.derived == LoadDialog::kPower ? f.power
                                                                   : f.speed;
    EXPECT_EQ(derived, c.expected);
  }
}

TEST_F(LoadDialogTest, OnlyTheDerivedFieldIsDisabled) {
  LoadDialog dialog;
  const int modes[] = {LoadDialog::kTorque, LoadDialog::kPower, LoadDialog::kSpeed};
  for (int mode : modes) {
    dialog.SetDerived(mode);
    EXPECT_EQ(dialog.TorqueEnabled(), mode != LoadDialog::kTorque);
    EXPECT_EQ(dialog.PowerEnabled(), mode != LoadDialog::kPower);
    EXPECT_EQ(dialog.SpeedEnabled(), mode != LoadDialog::kSpeed);
  }
}

TEST_F(LoadDialogTest, ForceLineUsesThePitchDiameterOfTheLastCalculation) {
  LoadDialog dialog;
  model.d[1] = 0;
  dialog.FillFromModel();
  dialog.SetTorque("26.343");
  EXPECT_EQ(dialog.forceLine(), "");  // no calculation yet

  model.d[1] = 69.116L;
  dialog.SetDerived(LoadDialog::kPower);
  dialog.SetTorque("26.343");
  // 26.343 / 69.116 · 2000 = 762.29 N
  EXPECT_EQ(dialog.forceLine(), "Ft = 762.3 N  (d1=69.12 mm)");
  unitSystem = 1;
  dialog.SetTorque("26.343");
  EXPECT_EQ(dialog.forceLine(), "Ft = 171.4 lbf  (d1=2.7211 in)");
}

TEST_F(LoadDialogTest, OkWritesTheModelCancelLeavesIt) {
  testing::SetUpRackDrive();
  model.loadMode = 1;
  model.T[1] = 10;
  {
    LoadDialog dialog;
    dialog.FillFromModel();
    EXPECT_EQ(dialog.fields().derived, LoadDialog::kPower);
    dialog.SetTorque("20");
    dialog.SetSpeed("50");
    dialog.ProposeApplicationFactor();
    EXPECT_TRUE(dialog.Cancel());
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(model.T[1], 10);
    EXPECT_EQ(model.KA, 1.25L);
  }
  LoadDialog dialog;
  dialog.FillFromModel();
  dialog.SetDerived(LoadDialog::kSpeed);
  dialog.SetPower("2");
  dialog.SetTorque("40");
  dialog.SetApplicationFactor("1,5");
  EXPECT_TRUE(dialog.Ok());
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(model.loadMode, 2);
  EXPECT_EQ(model.P, 2);
  EXPECT_EQ(model.T[1], 40);
  EXPECT_EQ(model.KA, 1.5L);
  // 2 · 60000 / (40 · 2π) = 477.5 1/min, as shown in the field
  EXPECT_NEAR(static_cast<double>(model.n[1]), 477.5, 1e-9);
}

TEST_F(LoadDialogTest, CalcCalculatesShowsTheStartViewAndStaysOpen) {
  testing::SetUpRackDrive();
  model.d[1] = 0;
  LoadDialog dialog;
  int startViews = 0;
  dialog.showStartView = [&] { ++startViews; };
  std::vector<int> topics;
  dialog.showHelp = [&](int topic) { topics.push_back(topic); };
  dialog.FillFromModel();
  abortFlag = true;
  dialog.Calc();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(startViews, 1);
  EXPECT_GT(model.d[1], 0);
  EXPECT_EQ(dialog.forceLine().rfind("Ft = ", 0), 0u);  // the new pitch diameter shows
  dialog.Help();
  dialog.ApplicationFactorHelp();
  EXPECT_EQ(topics, (std::vector<int>{9020, 4120}));
  EXPECT_EQ(LoadDialog::Caption(), "KV5 Last");
}

}  // namespace
}  // namespace kv5
