#include "dialogs/geometry_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/test_support.h"
#include "text/number_format.h"
#include "text/units.h"

namespace kv5 {
namespace {

using GeometryDialogTest = testing::ProgramTest;
using Fields = GeometryDialog::Fields;
using Field = std::string Fields::*;

// The geometry inputs the dialog owns, for comparing whole models.
struct Geometry {
  int chainStandard, chainRecordNo, z1, z2;
  bool pinRack, editable;
  KV1CHAIN_Record chain;
  Real d2, bf1, s, FB, b2, dB1, dB2;
  bool operator==(const Geometry&) const = default;
};
Geometry GeometryOf(const DriveModel& m) {
  return {m.chainStandard,
          m.chainRecordNo,
          m.z1,
          m.z2,
          m.pinRack,
          m.editable,
          m.chain,
          m.d2,
          m.bf1,
          m.s,
          m.FB,
          m.b2,
          m.dB[1],
          m.dB[2]};
}

TEST_F(GeometryDialogTest, OkOnAnUnchangedDialogGivesTheModelBackExactly) {
  // 9.65 mm is 0.379921.. in: shown rounded, it must still come back as 9.65.
  for (short system : {0, 1, 2}) {
    SCOPED_TRACE(system);
    InitDriveModel();
    testing::SetUpWheelDrive();
    model.bf1 = 8.4L;
    model.s = 2.45L;
    model.FB = 22200;
    model.dB[1] = 12.7L;
    model.dB[2] = 30;
    model.chainRecordNo = 7;
    unitSystem = system;
    const Geometry before = GeometryOf(model);
    GeometryDialog dialog;
    dialog.FillFromModel();
    EXPECT_TRUE(dialog.Ok());
    EXPECT_FALSE(abortFlag);
    EXPECT_TRUE(GeometryOf(model) == before);
  }
}

TEST_F(GeometryDialogTest, FieldsShowTheModelInTheCurrentUnits) {
  testing::SetUpWheelDrive();
  model.FB = 22200;
  GeometryDialog dialog;
  dialog.FillFromModel();
  const Fields& f = dialog.fields();
  EXPECT_EQ(f.p, "15.875");
  EXPECT_EQ(f.d2, "6");
  EXPECT_EQ(f.FB, "22200");
  EXPECT_EQ(f.z2, "30");
  EXPECT_FALSE(f.pinRack);
  EXPECT_EQ(dialog.lengthUnit(), "mm");

  unitSystem = 1;
  model.d2 = 0;  // an unset pin leaves its field empty
  dialog.FillFromModel();
  EXPECT_EQ(f.p, "0.625");
  EXPECT_EQ(f.d1, "0.4");
  EXPECT_EQ(f.d2, "");
  EXPECT_EQ(f.FB, "4990.76");  // 22200 N in lbf
  EXPECT_EQ(dialog.lengthUnit(), "in");
  EXPECT_EQ(dialog.forceUnit(), "lbf");
}

TEST_F(GeometryDialogTest, ProposalsReadTheirFieldInTheCurrentUnits) {
  struct Case {
    short system;
    Field typedField;
    const char* typed;
    std::function<void(GeometryDialog&)> propose;
    Field proposedField;
    const char* expected;
  };
  using D = GeometryDialog;
  const Case cases[] = {
      {0, &Fields::p, "12.7", &D::ProposeB1, &Fields::b1, "7.62"},
      {1, &Fields::p, "0.5", &D::ProposeB1, &Fields::b1, "0.3"},
      {0, &Fields::d1, "10.16", &D::ProposeP, &Fields::p, "15.2"},  // one decimal
      {1, &Fields::d1, "0.4", &D::ProposeP, &Fields::p, "0.60"},    // two in inch
      {0, &Fields::d1, "10.16", &D::ProposeH2, &Fields::h2, "15.2"},
      {0, &Fields::d1, "10.16", &D::ProposeD2, &Fields::d2, "10.2"},
      {1, &Fields::d1, "0.4", &D::ProposeD2, &Fields::d2, "0.40"},
      {0, &Fields::b1, "7.75", &D::ProposeBf1, &Fields::bf1, "6.3"},
      {1, &Fields::b1, "0.4", &D::ProposeBf1, &Fields::bf1, "0.32"},
      {0, &Fields::b1, "7.75", &D::ProposeS, &Fields::s, "1.9"},
      {1, &Fields::b1, "0.4", &D::ProposeS, &Fields::s, "0.10"},
      {0, &Fields::d2, "5", &D::ProposeFB, &Fields::FB, "17500"},       // 700 · d2² N
      {2, &Fields::d2, "5", &D::ProposeFB, &Fields::FB, "17.5"},        // kN
      {1, &Fields::d2, "0.2", &D::ProposeFB, &Fields::FB, "4061.058"},  // 5.08 mm, lbf
      {0, &Fields::d1, "", &D::ProposeD1, &Fields::d1, "4"},
      {1, &Fields::d1, "", &D::ProposeD1, &Fields::d1, "0.15748"},
      {0, &Fields::z1, "", &D::ProposeZ1, &Fields::z1, "15"},
      {0, &Fields::d1, "abc", &D::ProposeP, &Fields::p, "0.0"},  // no number reads as 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " → " + c.expected);
    unitSystem = c.system;
    GeometryDialog dialog;
    dialog.FillFromModel();
    dialog.mutableFields().*c.typedField = c.typed;
    c.propose(dialog);
    EXPECT_EQ(dialog.fields().*c.proposedField, c.expected);
  }
}

TEST_F(GeometryDialogTest, ProposedInchValuesGoToTheModelUnrounded) {
  unitSystem = 1;
  GeometryDialog dialog;
  dialog.FillFromModel();
  dialog.ProposeD1();  // 4 mm, shown as 0.15748 in
  dialog.mutableFields().p = "0.5";
  dialog.ProposeB1();
  dialog.Ok();
  EXPECT_EQ(model.chain.d1, 4.0);
  EXPECT_NEAR(model.chain.b1, 7.62, 1e-12);
}

TEST_F(GeometryDialogTest, BoreProposalIsAFifthOfTheRootDiameterAndLeavesTheModel) {
  testing::SetUpWheelDrive();
  model.dB[1] = 0;
  const Geometry before = GeometryOf(model);
  GeometryDialog dialog;
  dialog.FillFromModel();
  dialog.mutableFields().z1 = "12";  // typed, not yet applied
  dialog.ProposeBore1();
  dialog.ProposeBore2();
  EXPECT_TRUE(GeometryOf(model) == before) << "a proposal writes no model field";

  model.z1 = 12;
  CalculateDrive();
  EXPECT_EQ(dialog.fields().bore1, FormatInt(std::lround(0.2L * model.df[1])));
  EXPECT_EQ(dialog.fields().bore2, FormatInt(std::lround(0.2L * model.df[2])));
  EXPECT_GT(model.df[2], model.df[1]);
}

TEST_F(GeometryDialogTest, SwitchesShowHideAndEnable) {
  GeometryDialog dialog;
  model.pinRack = false;
  model.editable = false;
  dialog.FillFromModel();
  EXPECT_TRUE(dialog.SecondBoreVisible());
  EXPECT_FALSE(dialog.ProfileFieldsEnabled());
  dialog.SetPinRack(true);
  EXPECT_FALSE(dialog.SecondBoreVisible()) << "hidden at once";
  dialog.SetEditable(true);
  EXPECT_TRUE(dialog.ProfileFieldsEnabled());
  dialog.Ok();
  EXPECT_TRUE(model.pinRack);
  EXPECT_TRUE(model.editable);
}

TEST_F(GeometryDialogTest, CancelLeavesEveryInputAsItWas) {
  testing::SetUpRackDrive();
  const Geometry before = GeometryOf(model);
  GeometryDialog dialog;
  dialog.chooseTableRow = [](int) {
    model.chain.p = 19.05;
    model.chainRecordNo = 3;
    return true;
  };
  dialog.FillFromModel();
  Fields& f = dialog.mutableFields();
  f.z1 = "9";
  f.z2 = "99";
  f.d1 = "1";
  f.pinRack = false;
  dialog.ProfileFromTable();
  dialog.ProposeBore1();
  EXPECT_TRUE(dialog.Cancel());
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(GeometryOf(model) == before);
}

// A table row as the chain table code puts it into the model.
KV1CHAIN_Record Row12B() {
  KV1CHAIN_Record row;
  row.designation = "12B-1";
  row.p = 19.05;
  row.d1 = 12.07;
  row.b1 = 11.68;
  row.h2 = 16.13;
  row.breakingForce1 = 28.9;
  row.standardNote = "DIN 8187";
  return row;
}

TEST_F(GeometryDialogTest, TableRowFillsTheProfileAndLocksIt) {
  struct Case {
    int standard;
    Real modelD2;    // the model's pin diameter when the dialog opens
    Real tableD2;    // what the ISO table writes into the model (0: DIN)
    const char* d2;  // the d2 field afterwards
    const char* button;
  };
  const Case cases[] = {
      {1, 0, 4.45L, "4.45", "Datenbank Profil  -->  12B-1 - ISO 606"},
      {0, 0, 0, "", "Datenbank Profil  -->  12B-1 - DIN 8187"},  // DIN leaves the field
      {0, 6, 0, "6", "Datenbank Profil  -->  12B-1 - DIN 8187"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    InitDriveModel();
    model.d2 = c.modelD2;
    model.editable = true;
    GeometryDialog dialog;
    std::vector<int> asked;
    dialog.chooseTableRow = [&](int standard) {
      asked.push_back(standard);
      model.chain = Row12B();
      model.chainRecordNo = 12;
      if (standard == 1) {
        model.d2 = c.tableD2;
        model.b2 = 11.3L;
      }
      return true;
    };
    dialog.FillFromModel();
    EXPECT_EQ(dialog.profileButtonText(), "Datenbank Profil");
    dialog.mutableFields().chainStandard = c.standard;
    dialog.ProfileFromTable();
    const Fields& f = dialog.fields();
    EXPECT_EQ(asked, std::vector<int>{c.standard});
    EXPECT_EQ(dialog.profileButtonText(), c.button);
    EXPECT_EQ(f.p, "19.05");
    EXPECT_EQ(f.d1, "12.07");
    EXPECT_EQ(f.b1, "11.68");
    EXPECT_EQ(f.h2, "16.13");
    EXPECT_EQ(f.bf1, "9.5");  // 0.81 · 11.68 = 9.46
    EXPECT_EQ(f.s, "3.0");    // 0.25 · 11.68 + 0.05 = 2.97
    EXPECT_EQ(f.FB, "28900");
    EXPECT_EQ(f.d2, c.d2);
    EXPECT_FALSE(dialog.ProfileFieldsEnabled());
    EXPECT_EQ(model.chainRecordNo, 0) << "the model waits for OK";

    dialog.Ok();
    EXPECT_EQ(model.chainRecordNo, 12);
    EXPECT_EQ(model.chain.designation, "12B-1");
    EXPECT_EQ(model.chain.breakingForce1, 28.9);
    EXPECT_NEAR(static_cast<double>(model.FB), 28900, 1e-9);  // 1000 · 28.9 kN
    EXPECT_NEAR(static_cast<double>(model.bf1), 9.5, 1e-12);
    EXPECT_FALSE(model.editable);
    EXPECT_EQ(model.b2, c.standard == 1 ? 11.3L : 0);
  }
}

TEST_F(GeometryDialogTest, CancelledTableChoiceKeepsTheFieldsAndTheDialog) {
  GeometryDialog dialog;
  dialog.chooseTableRow = [](int) {
    abortFlag = true;
    return false;
  };
  model.chain.p = 12.7;
  dialog.FillFromModel();
  dialog.mutableFields().p = "25.4";
  dialog.ProfileFromTable();
  EXPECT_FALSE(abortFlag) << "the dialog is not cancelled with the choice";
  EXPECT_EQ(dialog.fields().p, "25.4");
  EXPECT_EQ(dialog.profileButtonText(), "Datenbank Profil");
}

TEST_F(GeometryDialogTest, UnitSwitchKeepsTheTypedValuesAndTheMetricSystem) {
  testing::SetUpRackDrive();
  unitSystem = 2;  // metric with kN
  model.FB = 17500;
  GeometryDialog dialog;
  dialog.FillFromModel();
  EXPECT_EQ(dialog.fields().FB, "17.5");
  dialog.mutableFields().b1 = "7.6";  // typed before switching
  dialog.SwitchUnits();
  EXPECT_EQ(unitSystem, 1);
  EXPECT_EQ(dialog.fields().b1, "0.299213");
  EXPECT_EQ(dialog.fields().p, "0.5");
  EXPECT_EQ(model.chain.b1, 7.75) << "switching writes no model field";
  dialog.SwitchUnits();
  EXPECT_EQ(unitSystem, 2) << "back to the metric system it came from";
  EXPECT_EQ(dialog.fields().b1, "7.6");
  EXPECT_EQ(dialog.fields().FB, "17.5");
  dialog.Ok();
  EXPECT_EQ(model.chain.b1, 7.6);
  EXPECT_EQ(model.FB, 17500);
}

TEST_F(GeometryDialogTest, CalcWritesCalculatesAndStaysOpen) {
  testing::SetUpRackDrive();
  model.d[1] = 0;
  GeometryDialog dialog;
  int startViews = 0;
  std::vector<int> topics;
  dialog.showStartView = [&] { ++startViews; };
  dialog.showHelp = [&](int topic) { topics.push_back(topic); };
  dialog.FillFromModel();
  dialog.mutableFields().z1 = "21";
  abortFlag = true;
  dialog.Calc();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(startViews, 1);
  EXPECT_EQ(model.z1, 21);
  EXPECT_GT(model.d[1], 0);
  dialog.mutableFields().z2 = "zwölf";
  dialog.Ok();
  EXPECT_EQ(model.z2, 0) << "text that is no number gives 0";
  abortFlag = true;
  dialog.Help();
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(topics, std::vector<int>{9010});
  EXPECT_EQ(GeometryDialog::Caption(), "KV5 Geometrie");
}

}  // namespace
}  // namespace kv5
