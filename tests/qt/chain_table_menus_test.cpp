// The chain tables reached from the main window: the Database menu, the
// "Datenbank Profil" button of the geometry dialog and the pre-design.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/qt/geometry_form.h"
#include "app/qt/main_window.h"
#include "app/qt/pre_design_form.h"
#include "app/qt/qt_platform.h"
#include "app/qt/table_window.h"
#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"
#include "text/configuration.h"

namespace kv5 {
namespace {

namespace fs = std::filesystem;
using testing::AnswerNextModal;
using testing::ClickButton;

class ChainTableMenusTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetPlatform(&qt_);
    for (const char* name : {"kv1chain.dbf", "iso606.dbf"})
      fs::copy_file(std::string(KV5_BUILD_DATA_DIR) + "/" + name, tables_.File(name));
    tableFolder = tables_.path();
    tempFolder = temp_.path();
    projectFolder = temp_.path();
    configFolder = temp_.path();
    window_ = std::make_unique<MainWindow>();
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    ProgramTest::TearDown();
  }
  void Trigger(const char* name) {
    QAction* item = window_->action(name);
    ASSERT_NE(item, nullptr) << name;
    ASSERT_TRUE(item->isEnabled()) << name;
    item->trigger();
  }
  // Selects the row of the designation in the open table window and
  // clicks OK.
  static void ChooseDesignation(QWidget* modal, const QString& designation) {
    auto* window = qobject_cast<TableWindow*>(modal);
    ASSERT_NE(window, nullptr);
    QTableWidget* grid = window->grid();
    for (int r = 0; r < grid->rowCount(); ++r) {
      if (grid->item(r, 0)->text() == designation) {
        grid->setCurrentCell(r, 0);
        ClickButton(modal, "Button_ok");
        return;
      }
    }
    ADD_FAILURE() << "no row " << designation.toStdString();
    window->reject();
  }
  static void TypeInto(QWidget* modal, const char* name, const QString& text) {
    auto* edit = modal->findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
  }
  QtPlatform qt_;
  testing::TempFolder tables_;
  testing::TempFolder temp_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(ChainTableMenusTest, DatabaseMenuEditsTheDinTableAndTakesTheRow) {
  bool editMode = false;
  AnswerNextModal([&](QWidget* modal) {
    editMode = modal->findChild<QPushButton*>("Button_pack") != nullptr;
    ChooseDesignation(modal, "10B");
  });
  Trigger("mi_dbfkette");
  EXPECT_TRUE(editMode);
  EXPECT_EQ(model.chain.designation, "10B");
  EXPECT_EQ(model.chain.p, 15.875);
  EXPECT_NE(model.chainRecordNo, 0);

  // The ISO entry shows the table without taking a row.
  const KV1CHAIN_Record before = model.chain;
  const int recordBefore = model.chainRecordNo;
  AnswerNextModal([&](QWidget* modal) { ChooseDesignation(modal, "08B"); });
  Trigger("mi_dbiso606");
  EXPECT_EQ(model.chain, before);
  EXPECT_EQ(model.chainRecordNo, recordBefore);
}

TEST_F(ChainTableMenusTest, ProfileButtonOfTheGeometryDialogTakesAnIsoRow) {
  testing::SetUpRackDrive();
  model.chainRecordNo = 0;
  QString pitch, pinDiameter, buttonText;
  AnswerNextModal([&](QWidget* modal) {
    ASSERT_NE(qobject_cast<TForm_kv5geo*>(modal), nullptr);
    AnswerNextModal([](QWidget* table) { ChooseDesignation(table, "10B"); });
    ClickButton(modal, "Button_db");
    pitch = modal->findChild<QLineEdit*>("Edit_p")->text();
    pinDiameter = modal->findChild<QLineEdit*>("Edit_d2")->text();
    buttonText = modal->findChild<QPushButton*>("Button_db")->text();
    ClickButton(modal, "Button_ok");
  });
  Trigger("mi_editabmessungen");
  EXPECT_EQ(pitch.toStdString(), "15.875");
  EXPECT_EQ(pinDiameter.toStdString(), "5.08");
  EXPECT_EQ(buttonText.toStdString(), "Datenbank Profil  -->  10B - ISO 606");
  EXPECT_EQ(model.chain.designation, "10B");
  EXPECT_NEAR(static_cast<double>(model.d2), 5.08, 1e-9);
  EXPECT_NE(model.chainRecordNo, 0);
}

TEST_F(ChainTableMenusTest, PreDesignFromTheEditMenuProposesASafeProfile) {
  int browserRow = -1;
  AnswerNextModal([&](QWidget* modal) {
    ASSERT_NE(qobject_cast<TForm_kv5vor*>(modal), nullptr);
    AnswerNextModal([&](QWidget* table) {
      auto* window = qobject_cast<TableWindow*>(table);
      ASSERT_NE(window, nullptr);
      browserRow = window->CurrentRecord();
      ClickButton(table, "Button_ok");
    });
    TypeInto(modal, "Edit_p", "4");
    TypeInto(modal, "Edit_n1", "1450");
    ClickButton(modal, "Button_ok");
  });
  Trigger("mi_editvorauslegung");
  EXPECT_EQ(model.chainRecordNo, browserRow);
  EXPECT_GT(browserRow, 1);
  EXPECT_GT(model.SB, 7);
  EXPECT_GT(model.SD, 5);
  EXPECT_FALSE(calcFailed);
  EXPECT_TRUE(modified);
}

}  // namespace
}  // namespace kv5
