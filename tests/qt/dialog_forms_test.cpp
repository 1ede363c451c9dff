// The geometry, load and document texts windows driven as a person would:
// keystrokes into the fields, clicks on the buttons and switches.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <numbers>
#include <string>

#include "app/qt/document_texts_form.h"
#include "app/qt/geometry_form.h"
#include "app/qt/load_form.h"
#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/test_support.h"
#include "text/number_format.h"
#include "text/units.h"

namespace kv5 {
namespace {

void TypeInto(QLineEdit* edit, const QString& text) {
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

QPushButton* Button(QWidget& form, const char* name) {
  auto* button = form.findChild<QPushButton*>(name);
  EXPECT_NE(button, nullptr) << name;
  return button;
}

QString Text(QLineEdit* edit) {
  return edit ? edit->text() : QString("<no field>");
}

class GeometryFormTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    testing::SetUpRackDrive();
    hooks_.showStartView = [this] { ++startViews_; };
    hooks_.showHelp = [this](int topic) { helpTopics_.push_back(topic); };
  }
  GeometryFormHooks hooks_;
  int startViews_ = 0;
  std::vector<int> helpTopics_;
};

TEST_F(GeometryFormTest, ShowsTheModelWithLabelsAndUnits) {
  TForm_kv5geo form(hooks_);
  EXPECT_EQ(form.windowTitle(), "KV5 Geometrie");
  EXPECT_EQ(Text(form.field("Edit_z1")), "17");
  EXPECT_EQ(Text(form.field("Edit_z2")), "40");
  EXPECT_EQ(Text(form.field("Edit_p")), "12.7");
  ASSERT_NE(form.unitLabel("Edit_p"), nullptr);
  EXPECT_EQ(form.unitLabel("Edit_p")->text().toStdString(), LengthUnit());
  EXPECT_EQ(form.unitLabel("Edit_Fb")->text().toStdString(), ForceUnit());
  EXPECT_EQ(form.unitLabel("Edit_z1"), nullptr);  // a count has no unit
  EXPECT_TRUE(form.findChild<QCheckBox*>("CheckBox_triebstock")->isChecked());
  EXPECT_TRUE(form.findChild<QRadioButton*>()->parentWidget()->objectName() ==
              "RadioGroup_dbchain");
  for (const char* name : {"Button_ok", "Button_cancel", "Button_help", "Button_metric",
                           "Button_calc", "Button_db", "Button_z1", "Button_B1"})
    Button(form, name);
}

TEST_F(GeometryFormTest, OkWritesWhatWasTyped) {
  TForm_kv5geo form(hooks_);
  form.show();
  TypeInto(form.field("Edit_z1"), "19");
  TypeInto(form.field("Edit_z2"), "45");
  TypeInto(form.field("Edit_bohrung1"), "30");
  abortFlag = true;
  Button(form, "Button_ok")->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(model.z1, 19);
  EXPECT_EQ(model.z2, 45);
  EXPECT_EQ(model.dB[1], 30);
}

TEST_F(GeometryFormTest, EveryWayOutButOkLeavesTheModel) {
  struct Case {
    const char* name;
    std::function<void(TForm_kv5geo&)> leave;
  };
  const Case cases[] = {
      {"Abbrechen", [](TForm_kv5geo& f) { Button(f, "Button_cancel")->click(); }},
      {"Esc", [](TForm_kv5geo& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
      {"close box", [](TForm_kv5geo& f) { f.close(); }},
  };
  for (const Case& c : cases) {
    abortFlag = false;
    TForm_kv5geo form(hooks_);
    form.show();
    TypeInto(form.field("Edit_z1"), "99");
    form.findChild<QCheckBox*>("CheckBox_triebstock")->click();
    c.leave(form);
    EXPECT_EQ(form.result(), QDialog::Rejected) << c.name;
    EXPECT_TRUE(abortFlag) << c.name;
    EXPECT_EQ(model.z1, 17) << c.name;
    EXPECT_TRUE(model.pinRack) << c.name;
  }
}

TEST_F(GeometryFormTest, CalcWritesCalculatesShowsTheStartViewAndStaysOpen) {
  TForm_kv5geo form(hooks_);
  form.show();
  TypeInto(form.field("Edit_z1"), "21");
  model.d[1] = 0;
  Button(form, "Button_calc")->click();
  EXPECT_EQ(model.z1, 21);
  EXPECT_GT(model.d[1], 0) << "the drive was calculated";
  EXPECT_EQ(startViews_, 1);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Text(form.field("Edit_z1")), "21");
}

TEST_F(GeometryFormTest, SwitchesShowTheSecondBoreAndEnableTheProfile) {
  TForm_kv5geo form(hooks_);
  form.show();
  QLineEdit* bore2 = form.field("Edit_bohrung2");
  EXPECT_FALSE(bore2->isVisible());  // pin rack
  form.findChild<QCheckBox*>("CheckBox_triebstock")->click();
  EXPECT_TRUE(bore2->isVisible());
  EXPECT_TRUE(Button(form, "Button_bohrung2")->isVisible());
  EXPECT_TRUE(form.unitLabel("Edit_bohrung2")->isVisible());

  const char* profile[] = {"Edit_dr", "Edit_p",  "Edit_B1", "Edit_bf1",
                           "Edit_h2", "Edit_d2", "Edit_Fb"};
  for (bool on : {true, false}) {
    auto* edit = form.findChild<QCheckBox*>("CheckBox_Edit");
    if (edit->isChecked() != on) edit->click();
    for (const char* name : profile) EXPECT_EQ(form.field(name)->isEnabled(), on) << name;
    EXPECT_EQ(Button(form, "Button_B1")->isEnabled(), on);
    EXPECT_TRUE(form.field("Edit_wanddicke")->isEnabled());
    EXPECT_TRUE(form.field("Edit_z1")->isEnabled());
  }
}

TEST_F(GeometryFormTest, ProposalsAndUnitSwitchShowTheLogicsTexts) {
  TForm_kv5geo form(hooks_);
  form.show();
  form.findChild<QCheckBox*>("CheckBox_Edit")->click();
  TypeInto(form.field("Edit_p"), "12.7");
  Button(form, "Button_B1")->click();
  EXPECT_EQ(Text(form.field("Edit_B1")), "7.62");
  Button(form, "Button_z1")->click();
  EXPECT_EQ(Text(form.field("Edit_z1")), "15");

  const QString metricUnit = form.unitLabel("Edit_p")->text();
  Button(form, "Button_metric")->click();
  EXPECT_EQ(Text(form.field("Edit_p")), "0.5");
  EXPECT_NE(form.unitLabel("Edit_p")->text(), metricUnit);
  EXPECT_EQ(form.unitLabel("Edit_p")->text().toStdString(), LengthUnit());
  Button(form, "Button_B1")->click();
  EXPECT_EQ(Text(form.field("Edit_B1")), "0.3");
}

TEST_F(GeometryFormTest, ProfileFromTheChosenRowLocksTheProfile) {
  std::vector<int> standards;
  bool choose = false;
  hooks_.chooseTableRow = [&](int standard) {
    standards.push_back(standard);
    if (!choose) return false;
    model.chain.designation = "10B-1";
    model.chain.p = 15.875;
    model.chain.d1 = 10.16;
    model.chain.b1 = 9.65;
    model.chain.h2 = 14.73;
    model.chain.breakingForce1 = 22.2;
    model.chainRecordNo = 7;
    return true;
  };
  TForm_kv5geo form(hooks_);
  form.show();
  form.findChild<QCheckBox*>("CheckBox_Edit")->click();
  form.findChildren<QRadioButton*>()[0]->click();  // DIN 8187 / 8188
  Button(form, "Button_db")->click();              // the person cancels the table
  EXPECT_EQ(Text(form.field("Edit_p")), "12.7");
  EXPECT_TRUE(form.field("Edit_p")->isEnabled());
  EXPECT_FALSE(abortFlag);

  choose = true;
  Button(form, "Button_db")->click();
  EXPECT_EQ(standards, (std::vector<int>{0, 0}));
  EXPECT_EQ(Text(form.field("Edit_p")), "15.875");
  EXPECT_EQ(Text(form.field("Edit_dr")), "10.16");
  EXPECT_FALSE(form.findChild<QCheckBox*>("CheckBox_Edit")->isChecked());
  EXPECT_FALSE(form.field("Edit_p")->isEnabled());
  EXPECT_TRUE(Button(form, "Button_db")->text().startsWith("Datenbank Profil  -->  "));
  EXPECT_EQ(model.chain.p, 12.7) << "the model waits for OK";
}

TEST_F(GeometryFormTest, HelpShowsItsTopic) {
  TForm_kv5geo form(hooks_);
  Button(form, "Button_help")->click();
  EXPECT_EQ(helpTopics_, (std::vector<int>{GeometryDialog::kHelpTopic}));
}

class LoadFormTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    testing::SetUpRackDrive();
    model.loadMode = LoadDialog::kTorque;
    hooks_.showStartView = [this] { ++startViews_; };
    hooks_.showHelp = [this](int topic) { helpTopics_.push_back(topic); };
  }
  LoadFormHooks hooks_;
  int startViews_ = 0;
  std::vector<int> helpTopics_;
};

TEST_F(LoadFormTest, DerivedFieldFollowsEveryKeystroke) {
  model.d[1] = 0;
  TForm_kv1last form(hooks_);
  form.show();
  EXPECT_EQ(form.windowTitle(), "KV5 Last");
  EXPECT_FALSE(form.torqueField()->isEnabled());  // "T" is derived
  TypeInto(form.powerField(), "4");
  QLineEdit* speed = form.speedField();
  speed->setFocus();
  speed->selectAll();
  QTest::keyClick(speed, Qt::Key_Backspace);
  // Each keystroke gives a new speed; the torque shown is 4 kW at that speed
  // in the compact number format.
  std::string typed;
  for (const char* key : {"1", "4", "5", "0"}) {
    QTest::keyClicks(speed, key);
    typed += key;
    const Real torque = 4 * 60000 / (std::stold(typed) * 2 * std::numbers::pi_v<Real>);
    EXPECT_EQ(Text(form.torqueField()).toStdString(), FormatAuto(torque)) << "speed " << typed;
  }
  EXPECT_EQ(Text(form.torqueField()).toStdString(), "26.34");
  EXPECT_EQ(speed->text(), "1450");
  EXPECT_EQ(speed->cursorPosition(), 4) << "the typed field keeps its cursor";
}

TEST_F(LoadFormTest, RadioGroupChoosesTheDerivedField) {
  TForm_kv1last form(hooks_);
  form.show();
  const QList<QRadioButton*> buttons = form.findChildren<QRadioButton*>();
  ASSERT_EQ(buttons.size(), 3);
  struct Case {
    int button;
    bool torque, power, speed;
  };
  const Case cases[] = {{1, true, false, true}, {2, true, true, false}, {0, false, true, true}};
  for (const Case& c : cases) {
    buttons[c.button]->click();
    EXPECT_EQ(form.torqueField()->isEnabled(), c.torque) << buttons[c.button]->text().toStdString();
    EXPECT_EQ(form.powerField()->isEnabled(), c.power);
    EXPECT_EQ(form.speedField()->isEnabled(), c.speed);
  }
  buttons[1]->click();  // "P" derived: 26.343 Nm at 1450/min give 4 kW
  TypeInto(form.torqueField(), "26.343");
  TypeInto(form.speedField(), "1450");
  EXPECT_EQ(Text(form.powerField()), "4");
}

TEST_F(LoadFormTest, ForceLineFollowsTheTorque) {
  model.d[1] = 69.116L;
  TForm_kv1last form(hooks_);
  form.show();
  form.findChildren<QRadioButton*>()[1]->click();  // torque is typed
  TypeInto(form.torqueField(), "26.343");
  EXPECT_TRUE(form.forceLabel()->text().startsWith("Ft = 762.3"))
      << form.forceLabel()->text().toStdString();
  EXPECT_TRUE(form.forceLabel()->text().contains("(d1=69.12"));
}

TEST_F(LoadFormTest, OkCancelAndCalc) {
  {
    TForm_kv1last form(hooks_);
    form.show();
    TypeInto(form.applicationFactorField(), "1,5");
    Button(form, "Button_cancel")->click();
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(model.KA, 1.25L);
  }
  {
    TForm_kv1last form(hooks_);
    form.show();
    TypeInto(form.applicationFactorField(), "1,5");
    Button(form, "Button_calc")->click();
    EXPECT_EQ(model.KA, 1.5L);
    EXPECT_EQ(startViews_, 1);
    EXPECT_TRUE(form.isVisible());
    Button(form, "Button_fb")->click();  // "<": KA 1
    EXPECT_EQ(Text(form.applicationFactorField()), "1");
    Button(form, "Button_ok")->click();
    EXPECT_FALSE(abortFlag);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(model.KA, 1);
  }
}

TEST_F(LoadFormTest, HelpButtonsShowTheirTopics) {
  TForm_kv1last form(hooks_);
  Button(form, "Button_help")->click();
  Button(form, "Button_fbhelp")->click();
  EXPECT_EQ(helpTopics_,
            (std::vector<int>{LoadDialog::kHelpTopic, LoadDialog::kApplicationFactorHelpTopic}));
}

using DocumentTextsFormTest = testing::ProgramTest;

TEST_F(DocumentTextsFormTest, OkWritesTheTypedTextsCancelKeepsThem) {
  testing::SetUpRackDrive();
  for (bool ok : {false, true}) {
    TForm_qeluni3 form;
    form.show();
    EXPECT_EQ(Text(form.field("Edit_zeichnr2")), "KV-200");
    TypeInto(form.field("Edit_zeichnr2"), "KV-201");
    TypeInto(form.field("Edit_info2"), "Kunde B");
    Button(form, ok ? "Button_ok" : "Button_cancel")->click();
    EXPECT_EQ(abortFlag, !ok);
    EXPECT_EQ(model.drawingNumber[2], ok ? "KV-201" : "KV-200");
    EXPECT_EQ(model.infoText[1], ok ? "Kunde B" : "");
    EXPECT_EQ(model.drawingNumber[1], "KV-100");
  }
}

}  // namespace
}  // namespace kv5
