// The help of the window: the help buttons' hook shows help texts and
// pictures, and "Hilfebild" offers the pictures of the PLT folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <memory>
#include <string>

#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "graphics/graphics_window.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"
#include "text/configuration.h"

namespace kv5 {
namespace {

using testing::AnswerNextModal;

class HelpWiringTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetPlatform(&qt_);
    pltFolder = folder_.path();
    testing::WriteFileBytes(folder_.File("kelmaro.hlp"),
                            "1050:bild\r\nKanal w\x84hlen\r\n1055\r\nx\r\n");
    testing::WriteFileBytes(folder_.File("bild.plt"), "SP1;PU0,0;PD400,400;");
    window_ = std::make_unique<MainWindow>();
    window_->show();
  }
  void TearDown() override {
    window_.reset();
    ProgramTest::TearDown();
  }
  bool Shows(const std::string& record) const {
    for (const std::string& r : graphicsWindow.displayList)
      if (r == record) return true;
    return false;
  }
  testing::TempFolder folder_;
  QtPlatform qt_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(HelpWiringTest, HelpButtonsShowTextOrPicture) {
  ASSERT_TRUE(qt_.help);
  QString caption, text;
  AnswerNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    caption = box->windowTitle();
    text = box->text();
    box->accept();
  });
  GrClear();
  qt_.help(1050, HelpKind::Text);
  EXPECT_EQ(caption.toStdString(), "HILFETEXT Nr.1050");
  EXPECT_EQ(text.toStdString(), "Kanal wählen     ");
  EXPECT_FALSE(Shows("4;0;0;10;10"));  // the text button leaves the drawing

  qt_.help(1050, HelpKind::Picture);  // no box: this would wait otherwise
  EXPECT_TRUE(Shows("4;0;0;10;10"));
}

TEST_F(HelpWiringTest, HelpPictureMenuDrawsTheChosenPicture) {
  QAction* item = window_->action("mi_HelpHilfebild");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->isEnabled());
  AnswerNextModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->accept();  // the one picture, preselected
  });
  GrClear();
  item->trigger();
  EXPECT_TRUE(Shows("4;0;0;10;10"));
}

}  // namespace
}  // namespace kv5
