// The main window driven through its menu off-screen, with the dialogs
// answered as a person would.
#include "app/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <filesystem>

#include "app/core/recent_files.h"
#include "app/qt/project_table_window.h"
#include "app/qt/qt_platform.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "tests/drive_fixtures.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"
#include "text/configuration.h"

namespace kv5 {
namespace {

using testing::AnswerNextModal;

class MainWindowTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetPlatform(&qt_);
    projectFolder = folder_.path();
    configFolder = folder_.path();
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
  std::string Caption(const char* name) { return window_->action(name)->text().toStdString(); }
  std::string WriteRack(const std::string& name) {
    testing::SetUpRackDrive();
    EXPECT_TRUE(WriteProjectFile(folder_.File(name)));
    InitDriveModel();
    projectFolder = folder_.path();
    return folder_.File(name);
  }
  // Answers a message box or question with the button of this text.
  static void AnswerBox(const QString& button, QString* text = nullptr) {
    AnswerNextModal([button, text](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      if (text) *text = box->text();
      for (QAbstractButton* b : box->buttons())
        if (b->text().remove('&') == button) {
          b->click();
          return;
        }
      ADD_FAILURE() << "no button " << button.toStdString();
      box->reject();
    });
  }
  static void ChooseFile(const std::string& file) {
    AnswerNextModal([file](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->selectFile(QString::fromStdString(file));
      QMetaObject::invokeMethod(dialog, "accept");
    });
  }
  testing::TempFolder folder_;
  QtPlatform qt_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, OpenAProjectShowsItInTheCaptionAndTheRecentFiles) {
  const std::string file = WriteRack("band.kv5");
  ChooseFile(file);
  Trigger("mi_fileOpen");
  EXPECT_EQ(projectName, "band");
  EXPECT_EQ(model.z2, 41);
  EXPECT_EQ(window_->windowTitle().toStdString(), "KV5   Triebstockverzahnung  -  band.kv5");
  QAction* first = window_->action("mi_file1");
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->text().toStdString(), "&1 " + file);
  EXPECT_TRUE(window_->action("mi_cadjoch")->isVisible()) << "a pin rack has a yoke";
  EXPECT_FALSE(window_->action("mi_cadcarrier")->isVisible());
}

TEST_F(MainWindowTest, RecentFileThatIsGoneIsReportedAndDropped) {
  const std::string rack = WriteRack("rack.kv5");
  recentFiles = {folder_.File("weg.kv5"), rack, "", ""};
  window_->RefreshWindow();
  EXPECT_TRUE(window_->action("mi_file2")->isVisible());
  QString text;
  AnswerBox("OK", &text);
  Trigger("mi_file1");
  EXPECT_EQ(text.toStdString(), "File " + folder_.File("weg.kv5") + " not found !");
  EXPECT_EQ(recentFiles[0], rack);
  EXPECT_FALSE(window_->action("mi_file2")->isVisible());
  Trigger("mi_file1");
  EXPECT_EQ(projectName, "rack");
}

TEST_F(MainWindowTest, LanguageSwitchesTheMenuAndBack) {
  const std::string german = Caption("mi_file");
  EXPECT_EQ(german, "&Datei");
  Trigger("mi_helplanguageEnglish");
  EXPECT_EQ(Caption("mi_file"), "&File");
  EXPECT_EQ(Caption("mi_fileexit"), "E&xit");
  Trigger("mi_helplanguageKorea");
  EXPECT_EQ(Caption("mi_file"), "파일(&F)");
  Trigger("mi_helplanguageChinese");
  EXPECT_EQ(Caption("mi_file"), "文件");
  Trigger("mi_helplanguageDeutsch");
  EXPECT_EQ(Caption("mi_file"), german);
  EXPECT_EQ(Caption("mi_fileexit"), "&Beenden");
  EXPECT_EQ(menuLanguage, 1);
}

TEST_F(MainWindowTest, SaveAsAsksBeforeReplacingAFile) {
  const std::string file = folder_.File("alt.kv5");
  testing::WriteFileBytes(file, "alt\r\n");
  modified = true;
  ChooseFile(file);
  AnswerBox("No");  // do not replace
  Trigger("mi_FileSaveAs");
  EXPECT_EQ(testing::ReadFileBytes(file), "alt\r\n");
  EXPECT_TRUE(modified);

  ChooseFile(file);
  AnswerBox("Yes");
  Trigger("mi_FileSaveAs");
  EXPECT_NE(testing::ReadFileBytes(file), "alt\r\n");
  EXPECT_FALSE(modified);
  EXPECT_EQ(projectName, "alt");
  // Save writes the named project again without any question.
  modified = true;
  Trigger("mi_FileSave");
  EXPECT_FALSE(modified);
}

TEST_F(MainWindowTest, ProjectTableOverAFolderOpensTheChosenProject) {
  WriteRack("a.kv5");
  testing::SetUpWheelDrive();
  ASSERT_TRUE(WriteProjectFile(folder_.File("b.kv5")));
  InitDriveModel();
  projectFolder = folder_.path();
  int rows = 0;
  AnswerNextModal([&](QWidget* modal) {
    auto* table = qobject_cast<ProjectTableWindow*>(modal);
    ASSERT_NE(table, nullptr);
    rows = table->grid()->rowCount();
    EXPECT_EQ(table->grid()->columnCount(), 20);
    EXPECT_EQ(table->grid()->item(1, 5)->text().toStdString(), "Triebstockrad");
    table->grid()->selectRow(1);
    table->accept();
    // The table comes back after the project was opened: cancel it then.
    AnswerNextModal([](QWidget* again) { qobject_cast<QDialog*>(again)->reject(); });
  });
  Trigger("mi_fileOpentable");
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(projectName, "b");
  EXPECT_FALSE(model.pinRack);
  EXPECT_TRUE(window_->action("mi_cadcarrier")->isVisible());
  EXPECT_FALSE(window_->action("mi_stljoch")->isVisible());
}

TEST_F(MainWindowTest, ExitWithAModifiedProjectAsks) {
  modified = true;
  QString question;
  AnswerBox("No", &question);  // keep the inputs: the window stays
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(question.toStdString(), "Bisherige Eingaben verwerfen ?");
  EXPECT_TRUE(window_->isVisible());
  AnswerBox("Yes");
  EXPECT_TRUE(window_->close());
}

TEST_F(MainWindowTest, PeripheryIsShownDisabled) {
  for (const char* name : {"mi_oleStartExcel", "mi_oleExportExcel", "mi_oleImportExcel"})
    EXPECT_FALSE(window_->action(name)->isEnabled()) << name;
  EXPECT_FALSE(window_->action("mi_fileprintersetup")->isVisible());
  EXPECT_EQ(window_->action("mi_fileprint")->shortcut(), QKeySequence("Ctrl+P"));
}

}  // namespace
}  // namespace kv5
