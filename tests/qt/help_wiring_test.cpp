// The help of the window: the help buttons' hook shows help texts and
// pictures, and "Hilfebild" offers the pictures of the PLT folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <memory>
#include <string>

#include "app/qt/document_links_form.h"
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

// The main window gives the forms their control hints from the help texts
// (2710: program, 2720: file of a document link; the five lines of a topic
// joined by blanks); without a window there are none.
TEST_F(HelpWiringTest, DocumentLinkLabelsShowTheHelpTexts) {
  testing::WriteFileBytes(folder_.File("kelmaro.hlp"),
                          "2710\r\nProgramm des Dokuments\r\n2715\r\nx\r\n"
                          "2720\r\nDatei des Dokuments\r\n2725\r\nx\r\n");
  auto tipOf = [](const QDialog& form, const char* name) {
    auto* label = form.findChild<QLabel*>(name);
    return label ? label->toolTip().toStdString() : std::string("(no label)");
  };
  DocumentLinksDialog logic;
  {
    TForm_confDoku form(logic);
    EXPECT_EQ(tipOf(form, "Label_prog1"), "Programm des Dokuments    ");
    EXPECT_EQ(tipOf(form, "Label_file5"), "Datei des Dokuments    ");
  }
  window_.reset();
  TForm_confDoku form(logic);
  EXPECT_EQ(tipOf(form, "Label_prog1"), "");
}

}  // namespace
}  // namespace kv5
