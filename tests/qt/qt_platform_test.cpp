#include "app/qt/qt_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "dialogs/choice_dialogs.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"
#include "text/configuration.h"
#include "text/output_channel.h"

namespace kv5 {
namespace {

using testing::AnswerNextModal;
using testing::ClickButton;

// Every test talks to the Qt platform as the core does.
class QtPlatformTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    SetPlatform(&qt_);
    qt_.help = [this](int topic, HelpKind kind) { helpShown_.push_back({topic, kind}); };
  }
  QtPlatform qt_;
  std::vector<std::pair<int, HelpKind>> helpShown_;
};

TEST_F(QtPlatformTest, MessageBoxesShowCaptionAndTextUntilOk) {
  struct Case {
    std::function<void()> show;
    const char* caption;
    const char* text;
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {[] { ShowInfo("Berechnung fertig"); }, "Meldung:", "Berechnung fertig",
       QMessageBox::Information},
      {[] { ShowError("Datei fehlt"); }, "Fehler : ", "Datei fehlt", QMessageBox::Critical},
      {[] { ShowTitled("Titel", "Inhalt"); }, "Titel", "Inhalt", QMessageBox::Information},
  };
  for (const Case& c : cases) {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    AnswerNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      caption = box->windowTitle();
      text = box->text();
      icon = box->icon();
      box->button(QMessageBox::Ok)->click();
    });
    c.show();
    EXPECT_EQ(caption.toStdString(), c.caption);
    EXPECT_EQ(text.toStdString(), c.text);
    EXPECT_EQ(icon, c.icon) << c.caption;
  }
}

TEST_F(QtPlatformTest, YesNoCancelAnswersAndAbortFlag) {
  struct Case {
    const char* button;  // nullptr: the Escape key
    bool result;
    bool abort;
  };
  const Case cases[] = {{"&Ja", true, false},
                        {"&Nein", false, false},
                        {"Abbrechen", false, true},
                        {nullptr, false, true}};
  for (const Case& c : cases) {
    abortFlag = false;
    QString question;
    AnswerNextModal([&](QWidget* modal) {
      question = qobject_cast<QMessageBox*>(modal)->text();
      if (c.button) {
        ClickButton(modal, c.button);
      } else {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(modal, &escape);
      }
    });
    EXPECT_EQ(AskYesNo("Überschreiben ?"), c.result) << (c.button ? c.button : "Esc");
    EXPECT_EQ(abortFlag, c.abort) << (c.button ? c.button : "Esc");
    EXPECT_EQ(question.toStdString(), "Überschreiben ?");
  }
}

TEST_F(QtPlatformTest, ChoiceOfSevenIsRadioButtonsOfEightAList) {
  for (int count : {7, 8}) {
    for (int i = 1; i <= count; ++i) choiceItems[i] = "Punkt " + std::to_string(i);
    int index = 0;  // out of range: item 1 preselected
    QString kind, title;
    int preselected = -2;
    AnswerNextModal([&](QWidget* modal) {
      kind = modal->objectName();
      title = modal->findChild<QLabel*>("Label1")->text();
      if (auto* list = modal->findChild<QListWidget*>("ListBox1")) {
        preselected = list->currentRow();
        list->setCurrentRow(count - 1);
      } else {
        const QList<QRadioButton*> buttons = modal->findChildren<QRadioButton*>();
        ASSERT_EQ(buttons.size(), count);
        for (int i = 0; i < count; ++i)
          if (buttons[i]->isChecked()) preselected = i;
        buttons[count - 1]->setChecked(true);
      }
      ClickButton(modal, "Button_ok");
    });
    AskChoice("Welcher Punkt?", count, index);
    EXPECT_EQ(kind, count == 7 ? "Tin_radiodialog" : "Tin_codedialog");
    EXPECT_EQ(title, "Welcher Punkt?");
    EXPECT_EQ(preselected, 0) << count;
    EXPECT_EQ(index, count);
    EXPECT_FALSE(abortFlag);
  }
}

TEST_F(QtPlatformTest, ChoiceCancelledKeepsIndexAndSetsAbort) {
  for (int count : {3, 12}) {
    for (int i = 1; i <= count; ++i) choiceItems[i] = "Punkt " + std::to_string(i);
    int index = 2;
    AnswerNextModal([&](QWidget* modal) { ClickButton(modal, "Button_cancel"); });
    AskChoice("Welcher Punkt?", count, index);
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(abortFlag);
    abortFlag = false;
  }
}

TEST_F(QtPlatformTest, ListItemDoubleClickIsOk) {
  for (int i = 1; i <= 9; ++i) choiceItems[i] = "Punkt " + std::to_string(i);
  int index = 1;
  AnswerNextModal([&](QWidget* modal) {
    auto* list = modal->findChild<QListWidget*>("ListBox1");
    list->setCurrentRow(4);
    emit list->itemDoubleClicked(list->item(4));
  });
  AskChoice("Welcher Punkt?", 9, index);
  EXPECT_EQ(index, 5);
}

TEST_F(QtPlatformTest, HelpButtonsShowTheCurrentTopicAndKeepTheDialogOpen) {
  for (int i = 1; i <= 3; ++i) choiceItems[i] = "Punkt " + std::to_string(i);
  SetHelpTopic(1210);
  int index = 1;
  bool stillOpen = false;
  AnswerNextModal([&](QWidget* modal) {
    ClickButton(modal, "Button_hilfetext");
    ClickButton(modal, "Button_hilfebild");
    stillOpen = modal->isVisible();
    ClickButton(modal, "Button_ok");
  });
  AskChoice("Welcher Punkt?", 3, index);
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(helpShown_.size(), 2u);
  EXPECT_EQ(helpShown_[0], std::make_pair(1210, HelpKind::Text));
  EXPECT_EQ(helpShown_[1], std::make_pair(1210, HelpKind::Picture));
  EXPECT_FALSE(abortFlag);
}

TEST_F(QtPlatformTest, TextDialogKeepsMaximumLengthAndReturnsEditedText) {
  int maxLength = 0;
  AnswerNextModal([&](QWidget* modal) {
    EXPECT_EQ(modal->windowTitle(), "Eingabe");
    auto* edit = modal->findChild<QLineEdit*>("EditEinText");
    maxLength = edit->maxLength();
    edit->setText("123456789012345");  // longer than allowed
    ClickButton(modal, "Button_ok");
  });
  EXPECT_EQ(qt_.AskText("Wert:", 12, "1.5"), std::optional<std::string>("123456789012"));
  EXPECT_EQ(maxLength, 12);

  AnswerNextModal([&](QWidget* modal) {
    modal->findChild<QLineEdit*>("EditEinText")->setText("geändert");
    ClickButton(modal, "Button_cancel");
  });
  EXPECT_EQ(qt_.AskText("Wert:", 30, "1.5"), std::nullopt);
}

TEST_F(QtPlatformTest, YesNoChoicePreselectsTheCurrentAnswer) {
  for (bool current : {true, false}) {
    bool yesChecked = !current;
    AnswerNextModal([&](QWidget* modal) {
      auto buttons = modal->findChildren<QRadioButton*>();
      ASSERT_EQ(buttons.size(), 2);
      EXPECT_EQ(buttons[0]->text(), "&Ja");
      yesChecked = buttons[0]->isChecked();
      buttons[1]->setChecked(true);  // "&Nein"
      ClickButton(modal, "Button_ok");
    });
    bool answer = current;
    AskYesNoChoice("Weiter?", answer);
    EXPECT_EQ(yesChecked, current);
    EXPECT_FALSE(answer);
  }
}

TEST_F(QtPlatformTest, ExplanationWindowGivesTextsOnlyAfterAChangeAndOk) {
  struct Case {
    const char* name;
    std::function<void(QWidget*)> answer;
    std::optional<ExplanationTexts> expected;
  };
  const Case cases[] = {
      {"unchanged OK", [](QWidget* w) { ClickButton(w, "Button_ok"); }, std::nullopt},
      {"changed OK, line breaks become blanks",
       [](QWidget* w) {
         w->findChild<QPlainTextEdit*>("Memo_ursache")->setPlainText("Teilung\nzu klein");
         ClickButton(w, "Button_ok");
       },
       ExplanationTexts{"Teilung zu klein", "Abhilfe alt"}},
      {"changed and closed",
       [](QWidget* w) {
         w->findChild<QPlainTextEdit*>("Memo_abhilfe")->setPlainText("neu");
         qobject_cast<QDialog*>(w)->reject();
       },
       std::nullopt},
  };
  for (const Case& c : cases) {
    bool messageReadOnly = false;
    QString message;
    AnswerNextModal([&](QWidget* w) {
      auto* edit = w->findChild<QLineEdit*>("Edit_meldung");
      messageReadOnly = edit->isReadOnly();
      message = edit->text();
      c.answer(w);
    });
    EXPECT_EQ(qt_.ShowExplanation("Fatal  : z1 < 5", "Ursache alt", "Abhilfe alt"), c.expected)
        << c.name;
    EXPECT_TRUE(messageReadOnly);
    EXPECT_EQ(message, "Fatal  : z1 < 5");
  }
}

TEST_F(QtPlatformTest, ExplanationHelpShowsItsTopic) {
  AnswerNextModal([&](QWidget* w) {
    ClickButton(w, "Button_help");
    ClickButton(w, "Button_ok");
  });
  qt_.ShowExplanation("Warnung: x", "a", "b");
  ASSERT_EQ(helpShown_.size(), 1u);
  EXPECT_EQ(helpShown_[0].first, 1970);
}

TEST_F(QtPlatformTest, SaveDialogOffersTheFilterAndGivesTheChosenName) {
  testing::TempFolder folder;
  QStringList filters;
  QString directory;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    directory = dialog->directory().absolutePath() + "/";
    // Typed into the name field, as a person does (selectFile leaves a
    // focused field alone).
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("neu");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  FileDialogRequest request{"Speichern", "*.kv5|*.kv5", folder.path(), "alt", "kv5"};
  std::optional<std::string> chosen = qt_.AskSaveFile(request);
  EXPECT_EQ(filters, QStringList{"*.kv5 (*.kv5)"});
  EXPECT_EQ(directory.toStdString(), folder.path());
  EXPECT_EQ(chosen, std::optional<std::string>(folder.File("neu.kv5")));
}

TEST_F(QtPlatformTest, OpenDialogCancelledGivesNothing) {
  testing::TempFolder folder;
  std::ofstream(folder.File("a.kv5")) << "x";
  AnswerNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(qt_.AskOpenFile({"Öffnen", "*.kv5|*.kv5", folder.path(), "", ""}), std::nullopt);
}

TEST_F(QtPlatformTest, SleepKeepsTheEventLoopRunning) {
  int fired = 0;
  QTimer::singleShot(10, [&] { ++fired; });
  qt_.Sleep(100);
  EXPECT_EQ(fired, 1);
}

TEST_F(QtPlatformTest, BusyCursorAndStatusText) {
  std::string status;
  qt_.showStatus = [&](const std::string& text) { status = text; };
  qt_.SetBusy(true);
  qt_.SetBusy(true);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  qt_.SetBusy(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // one busy phase, one cursor
  qt_.SetStatusText("Berechnung ...");
  EXPECT_EQ(status, "Berechnung ...");
  EXPECT_EQ(qt_.statusText(), "Berechnung ...");
}

TEST_F(QtPlatformTest, ProgramsThatDoNotExistAreNotStarted) {
  EXPECT_FALSE(qt_.StartProgram(""));
  EXPECT_FALSE(qt_.StartProgram("/nonexistent/kv5-no-such-program arg"));
  EXPECT_FALSE(qt_.OpenWithAssociatedProgram("/nonexistent/kv5-missing.dxf"));
}

TEST_F(QtPlatformTest, ScreenFacts) {
  EXPECT_GT(qt_.ScreenWidth(), 0);
  EXPECT_GT(qt_.ScreenHeight(), 0);
  EXPECT_GT(qt_.ScreenDpi(), 0);
  EXPECT_TRUE(qt_.Interactive());
}

}  // namespace
}  // namespace kv5

namespace kv5 {
namespace {

// Enter confirms the list, the radio buttons and the text like OK.
TEST_F(QtPlatformTest, EnterIsOkInEveryInputDialog) {
  for (int count : {3, 9}) {
    for (int i = 1; i <= count; ++i) choiceItems[i] = "Punkt " + std::to_string(i);
    int index = 2;
    testing::AnswerNextModal([](QWidget* modal) {
      QWidget* focus = modal->focusWidget() ? modal->focusWidget() : modal;
      QTest::keyClick(focus, Qt::Key_Return);
    });
    abortFlag = true;
    AskChoice("Welcher Punkt?", count, index);
    EXPECT_FALSE(abortFlag) << count << " items";
    EXPECT_EQ(index, 2) << count << " items";
  }
  testing::AnswerNextModal([](QWidget* modal) {
    auto* edit = modal->findChild<QLineEdit*>("EditEinText");
    edit->setText("42");
    QTest::keyClick(edit, Qt::Key_Return);
  });
  EXPECT_EQ(qt_.AskText("Wert:", 30, "1"), std::optional<std::string>("42"));
}

TEST_F(QtPlatformTest, PrinterChannelPrintsThroughThePrintDialog) {
  if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a real printer would print";
  testing::TempFolder folder;
  tempFolder = folder.path();
  projectName = "druck";
  bool dialogShown = false;
  AnswerNextModal([&](QWidget* modal) {
    dialogShown = qobject_cast<QPrintDialog*>(modal) != nullptr;
    qobject_cast<QDialog*>(modal)->accept();
  });
  OpenOutput(kChannelPrinter, "");
  ASSERT_FALSE(abortFlag);
  StartOutputFile();
  WriteLine("Zeile auf dem Drucker");
  CloseOutput();
  EXPECT_TRUE(dialogShown);
  // Without a printer the pages go to a PDF file in the temporary folder.
  const std::string pdf = testing::ReadFileBytes(folder.File("druck.pdf"));
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
}

}  // namespace
}  // namespace kv5
