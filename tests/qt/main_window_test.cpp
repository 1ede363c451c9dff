// The main window driven through its menu off-screen, with the dialogs
// answered as a person would.
#include "app/qt/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/core/recent_files.h"
#include "app/qt/geometry_form.h"
#include "app/qt/load_form.h"
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
  // Answers the next message box or question with the button of this text
  // (a file dialog still closing is waited for).
  static void AnswerBox(const QString& button, QString* text = nullptr) {
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, waited, button, text] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) {
        if ((*waited += 10) < 5000) return;
        timer->stop();
        timer->deleteLater();
        ADD_FAILURE() << "no message box appeared";
        return;
      }
      timer->stop();
      timer->deleteLater();
      if (text) *text = box->text();
      for (QAbstractButton* b : box->buttons())
        if (b->text().remove('&') == button) {
          b->click();
          return;
        }
      ADD_FAILURE() << "no button " << button.toStdString();
      box->reject();
    });
    timer->start();
  }
  // Chooses the file in the next file dialog; `then` prepares the answer
  // of the dialog that follows it.
  static void ChooseFile(const std::string& file, std::function<void()> then = {}) {
    AnswerNextModal([file, then](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      // Typed into the name field as a person does (selectFile leaves a
      // focused field alone).
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      ASSERT_NE(name, nullptr);
      name->setText(QString::fromStdString(file));
      QMetaObject::invokeMethod(dialog, "accept");
      if (then) then();
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
  ChooseFile(file, [] { AnswerBox("Nein"); });  // do not replace
  Trigger("mi_FileSaveAs");
  EXPECT_EQ(testing::ReadFileBytes(file), "alt\r\n");
  EXPECT_TRUE(modified);

  ChooseFile(file, [] { AnswerBox("Ja"); });
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
  AnswerBox("Nein", &question);  // keep the inputs: the window stays
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(question.toStdString(), "Bisherige Eingaben verwerfen ?");
  EXPECT_TRUE(window_->isVisible());
  AnswerBox("Ja");
  EXPECT_TRUE(window_->close());
}

void TypeInto(QWidget* form, const char* field, const QString& text) {
  auto* edit = form->findChild<QLineEdit*>(field);
  ASSERT_NE(edit, nullptr) << field;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}
void Click(QWidget* form, const char* button) {
  auto* b = form->findChild<QPushButton*>(button);
  ASSERT_NE(b, nullptr) << button;
  b->click();
}

TEST_F(MainWindowTest, GeometryDialogWithOkCancelAndCalc) {
  testing::SetUpRackDrive();
  modified = false;
  // Cancel after typing: nothing changes, nothing is modified.
  AnswerNextModal([](QWidget* modal) {
    ASSERT_NE(qobject_cast<TForm_kv5geo*>(modal), nullptr);
    TypeInto(modal, "Edit_z1", "9");
    Click(modal, "Button_cancel");
  });
  Trigger("mi_editabmessungen");
  EXPECT_EQ(model.z1, 17);
  EXPECT_FALSE(modified);

  // Calc writes and calculates while the dialog stays open; OK closes it.
  bool openAfterCalc = false;
  Real pitchDiameterAfterCalc = 0;
  AnswerNextModal([&](QWidget* modal) {
    TypeInto(modal, "Edit_z1", "19");
    Click(modal, "Button_calc");
    openAfterCalc = modal->isVisible();
    pitchDiameterAfterCalc = model.d[1];
    TypeInto(modal, "Edit_z1", "21");
    Click(modal, "Button_ok");
  });
  Trigger("mi_editabmessungen");
  EXPECT_TRUE(openAfterCalc);
  // d = p / sin(180° / z): 12.7 / sin(180° / 19) = 77.16 mm
  EXPECT_NEAR(static_cast<double>(pitchDiameterAfterCalc), 77.16, 0.01);
  EXPECT_EQ(model.z1, 21);
  EXPECT_TRUE(modified);
}

TEST_F(MainWindowTest, LoadDialogDerivesTheTorqueWhileTyping) {
  testing::SetUpRackDrive();
  model.loadMode = 0;  // T1 from P and n1
  QString torque;
  AnswerNextModal([&](QWidget* modal) {
    ASSERT_NE(qobject_cast<TForm_kv1last*>(modal), nullptr);
    TypeInto(modal, "Edit_p", "4");
    TypeInto(modal, "Edit_n1", "1450");
    torque = modal->findChild<QLineEdit*>("Edit_t")->text();
    Click(modal, "Button_ok");
  });
  Trigger("mi_editLast");
  EXPECT_EQ(torque.toStdString(), "26.34");  // 4 kW · 60000 / (2π · 1450)
  EXPECT_EQ(model.P, 4);
  EXPECT_EQ(model.n[1], 1450);
  EXPECT_TRUE(modified);
}

TEST_F(MainWindowTest, PeripheryIsShownDisabled) {
  for (const char* name : {"mi_oleStartExcel", "mi_oleExportExcel", "mi_oleImportExcel"})
    EXPECT_FALSE(window_->action(name)->isEnabled()) << name;
  EXPECT_FALSE(window_->action("mi_fileprintersetup")->isVisible());
  EXPECT_EQ(window_->action("mi_fileprint")->shortcut(), QKeySequence("Ctrl+P"));
}

}  // namespace
}  // namespace kv5
