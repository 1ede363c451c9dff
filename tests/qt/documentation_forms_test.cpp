// The animation, step, change, drawing information and document links
// windows as the menu commands open them: filled from the model, typed
// into, confirmed or cancelled.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <string>

#include "app/qt/animation_form.h"
#include "app/qt/documentation_dialogs.h"
#include "app/qt/drawing_info_form.h"
#include "graphics/animation.h"
#include "graphics/documentation_commands.h"
#include "graphics/drawing_info.h"
#include "graphics/frame_settings.h"
#include "graphics/graphics_window.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"
#include "text/configuration.h"
#include "text/string_routines.h"

namespace kv5 {
namespace {

using testing::AnswerNextModal;
using testing::ClickButton;

QString Field(QWidget* form, const char* name) {
  auto* edit = form->findChild<QLineEdit*>(name);
  EXPECT_NE(edit, nullptr) << name;
  return edit ? edit->text() : QString("<none>");
}

void Type(QWidget* form, const char* name, const QString& text) {
  auto* edit = form->findChild<QLineEdit*>(name);
  ASSERT_NE(edit, nullptr) << name;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  // Key clicks know ASCII only; umlauts come in as the input method puts them.
  for (QChar c : text) {
    if (c.unicode() < 128)
      QTest::keyClicks(edit, QString(c));
    else
      edit->insert(QString(c));
  }
}

QString CellText(QTableWidget* grid, int row, int column) {
  QTableWidgetItem* item = grid ? grid->item(row, column) : nullptr;
  return item ? item->text() : QString("<none>");
}

class DocumentationFormsTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    tempFolder = temp_.path();
    InstallDocumentationDialogs(nullptr);
  }
  void TearDown() override {
    RemoveDocumentationDialogs();
    ProgramTest::TearDown();
  }
  testing::TempFolder temp_;
};

TEST_F(DocumentationFormsTest, AnimationDialogShowsThePresetsAndItsProposalButtons) {
  testing::SetUpRackDrive();
  CalculateDrive();
  ASSERT_FALSE(calcFailed);
  bool answered = false;
  AnswerNextModal([&](QWidget* form) {
    answered = true;
    EXPECT_EQ(form->objectName(), "TForm_ani2");
    EXPECT_EQ(form->windowTitle(), "Animation");
    EXPECT_EQ(Field(form, "Edit_wstart"), "135");
    EXPECT_EQ(Field(form, "Edit_wdreh"), "90");
    EXPECT_EQ(Field(form, "Edit_anzbild"), "20");
    EXPECT_EQ(Field(form, "Edit_anzwdh"), "1");
    EXPECT_EQ(Field(form, "Edit_ms"), "10");
    for (const char* name :
         {"Button_wstart", "Button_wdreh", "Button_anzbild", "Button_anzwdh", "Button_ms"}) {
      auto* b = form->findChild<QPushButton*>(name);
      ASSERT_NE(b, nullptr) << name;
      EXPECT_EQ(b->text(), "<");
    }
    auto* step = form->findChild<QCheckBox*>("CheckBox_singlestep");
    ASSERT_NE(step, nullptr);
    EXPECT_EQ(step->text(), "Pause nach jedem Einzelbild ?");
    EXPECT_FALSE(step->isChecked());
    Type(form, "Edit_wstart", "100");
    ClickButton(form, "Button_wdreh");  // 360 − the typed start angle
    EXPECT_EQ(Field(form, "Edit_wdreh"), "260");
    EXPECT_EQ(Field(form, "Edit_wstart"), "100") << "typing is kept by a proposal";
    ClickButton(form, "Button_anzbild");
    EXPECT_EQ(Field(form, "Edit_anzbild"), "30");
    ClickButton(form, "Button_ms");
    EXPECT_EQ(Field(form, "Edit_ms"), "50");
    ClickButton(form, "Button_ok");
  });
  RunAnimation();
  EXPECT_TRUE(answered);
  EXPECT_FALSE(abortFlag);
  int pauses = 0;
  for (const std::string& r : graphicsWindow.displayList) pauses += r == "13;50";
  EXPECT_EQ(pauses, 30);
}

TEST_F(DocumentationFormsTest, CancelledAnimationDialogDrawsNothing) {
  testing::SetUpRackDrive();
  CalculateDrive();
  graphicsWindow.displayList = {"4;0;0;1;1"};
  AnswerNextModal([](QWidget* form) { ClickButton(form, "Button_cancel"); });
  RunAnimation();
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(graphicsWindow.displayList, DisplayList{"4;0;0;1;1"});
}

TEST_F(DocumentationFormsTest, StepDialogGoesOnWithPlusAndEndsWithTheLongButton) {
  AnswerNextModal([](QWidget* form) {
    EXPECT_EQ(form->objectName(), "TForm_anistep");
    ClickButton(form, "+");
  });
  EXPECT_TRUE(ShowAnimationStep(nullptr));
  AnswerNextModal([](QWidget* form) { ClickButton(form, "+++++++"); });
  EXPECT_FALSE(ShowAnimationStep(nullptr));
}

TEST_F(DocumentationFormsTest, ChangeFormFillsFromTheEntryAndStoresOnOk) {
  documentData.changeCount = 1;
  documentData.changes[1] = {"alt", "01.01.2020", "Xy", "Beschreibung"};
  AnswerNextModal([](QWidget* form) {
    EXPECT_EQ(form->windowTitle(), "Änderung 1");
    EXPECT_EQ(Field(form, "Edit_aenderung"), "alt");
    EXPECT_EQ(Field(form, "Edit_datum"), "01.01.2020");
    EXPECT_EQ(Field(form, "Edit_bearbeiter"), "Xy");
    EXPECT_EQ(Field(form, "Edit_beschreibung"), "Beschreibung");
    Type(form, "Edit_aenderung", "Zähne geändert");
    Type(form, "Edit_bearbeiter", "Müllerin");  // five characters at most
    ClickButton(form, QString::fromStdString("<" + FormatDate()));
    ClickButton(form, "Button_ok");
  });
  EditChange(1);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(documentData.changes[1],
            (AendRecord{"Zähne geändert", FormatDate(), "Mülle", "Beschreibung"}));

  AnswerNextModal([](QWidget* form) {
    Type(form, "Edit_aenderung", "verworfen");
    ClickButton(form, "Button_cancel");
  });
  EditChange(1);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(documentData.changes[1].changeText, "Zähne geändert");
}

TEST_F(DocumentationFormsTest, DrawingInfoFormDinLayout) {
  titleBlockStyle = kDinFull;
  documentData.drawingInfo.createdBy = "Kr";
  documentData.drawingTextCount = 1;
  documentData.drawingTexts[0] = {12.5L, 100, 3.5L, 0, "Hinweis", 2};
  AnswerNextModal([](QWidget* w) {
    auto* form = qobject_cast<TForm_zeichInfo*>(w);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Zeichnungsinfo DIN 6771");
    EXPECT_EQ(form->signatureGrid()->rowCount(), 5);
    EXPECT_EQ(CellText(form->signatureGrid(), 0, 1), "Datum");
    EXPECT_EQ(CellText(form->signatureGrid(), 1, 0), "Bearb.");
    EXPECT_EQ(CellText(form->signatureGrid(), 1, 2), "Kr");
    EXPECT_FALSE(form->isoGrid()->isVisibleTo(form));
    EXPECT_TRUE(form->findChild<QPushButton*>("Button3")->isVisibleTo(form));
    EXPECT_TRUE(form->findChild<QLineEdit*>("Edit_ersatzfuer")->isVisibleTo(form));
    EXPECT_EQ(CellText(form->textGrid(), 0, 5), "Text");
    EXPECT_EQ(CellText(form->textGrid(), 1, 1), "12.5");
    EXPECT_EQ(CellText(form->textGrid(), 1, 5), "Hinweis");
    EXPECT_EQ(CellText(form->textGrid(), 2, 0), "2");
    // "-" hides the texts, any other sheet shows them again.
    form->sheetsChoice()->setCurrentIndex(kSheetsNone);
    EXPECT_FALSE(form->textGrid()->isVisibleTo(form));
    form->sheetsChoice()->setCurrentIndex(kSheetsA3);
    EXPECT_TRUE(form->textGrid()->isVisibleTo(form));
    ClickButton(form, "Button3");
    form->signatureGrid()->item(4, 2)->setText("Fg");
    form->textGrid()->item(2, 5)->setText("zweiter Text");
    form->textGrid()->item(2, 6)->setText("4");
    Type(form, "Edit_ersetztdurch", "KV-9");
    ClickButton(form, "Button_ok");
  });
  ShowDrawingInfo();
  EXPECT_FALSE(abortFlag);
  const DrawingInfo& i = documentData.drawingInfo;
  EXPECT_EQ(i.standardDate, FormatDate());
  EXPECT_EQ(i.releaseBy, "Fg");
  EXPECT_EQ(i.replacedBy, "KV-9");
  EXPECT_EQ(documentData.drawingTextCount, 2);
  EXPECT_EQ(documentData.drawingTexts[1].text, "zweiter Text");
  EXPECT_EQ(documentData.drawingTexts[1].pen, 4);
  EXPECT_EQ(documentData.drawingTextSheets, kSheetsA3);
}

TEST_F(DocumentationFormsTest, DrawingInfoFormIsoLayoutAndCancel) {
  titleBlockStyle = kIsoFig2;
  documentData.drawingInfo.documentStatus = "Entwurf";
  const DocumentData before = documentData;
  AnswerNextModal([](QWidget* w) {
    auto* form = qobject_cast<TForm_zeichInfo*>(w);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Zeichnungsinfo ISO 7200");
    EXPECT_EQ(form->signatureGrid()->rowCount(), 4);
    EXPECT_EQ(CellText(form->signatureGrid(), 0, 1), " (Datum)");
    EXPECT_EQ(CellText(form->signatureGrid(), 3, 0), "Technische Referenz");
    EXPECT_TRUE(form->isoGrid()->isVisibleTo(form));
    EXPECT_EQ(CellText(form->isoGrid(), 2, 0), "Dokumentenstatus");
    EXPECT_EQ(CellText(form->isoGrid(), 2, 1), "Entwurf");
    EXPECT_FALSE(form->findChild<QPushButton*>("Button1")->isVisibleTo(form));
    EXPECT_FALSE(form->findChild<QLineEdit*>("Edit_ersatzfuer")->isVisibleTo(form));
    form->isoGrid()->item(2, 1)->setText("verworfen");
    ClickButton(form, "Button_cancel");
  });
  ShowDrawingInfo();
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(documentData, before);

  AnswerNextModal([](QWidget* w) {
    auto* form = qobject_cast<TForm_zeichInfo*>(w);
    ASSERT_NE(form, nullptr);
    form->isoGrid()->item(0, 1)->setText("Konstruktion");
    ClickButton(form, "Button_ok");
  });
  ShowDrawingInfo();
  EXPECT_EQ(documentData.drawingInfo.responsibleDept, "Konstruktion");
  EXPECT_EQ(documentData.drawingInfo.documentStatus, "Entwurf");
}

TEST_F(DocumentationFormsTest, DocumentLinksFormStoresTheTenEntriesOnOk) {
  AnswerNextModal([](QWidget* form) {
    EXPECT_EQ(form->objectName(), "TForm_confDoku");
    EXPECT_EQ(Field(form, "Edit_prog1"), "notepad.exe");
    EXPECT_EQ(Field(form, "Edit_prog3"), "mspaint.exe");
    EXPECT_EQ(Field(form, "Edit_file5"), "");
    EXPECT_EQ(form->findChild<QLabel*>("Label_prog2")->text(), "Program 2");
    EXPECT_EQ(form->findChild<QLabel*>("Label_file4")->text(), "File 4");
    Type(form, "Edit_prog5", "okular");
    Type(form, "Edit_file5", "/daten/plan.pdf");
    ClickButton(form, "Button_ok");
  });
  ShowDocumentLinks();
  EXPECT_FALSE(abortFlag);
  EXPECT_TRUE(modified);
  EXPECT_EQ(documentData.documentLinks[5], (DokuRecord{"okular", "/daten/plan.pdf"}));

  modified = false;
  AnswerNextModal([](QWidget* form) {
    Type(form, "Edit_prog5", "vi");
    ClickButton(form, "Abbrechen");
  });
  ShowDocumentLinks();
  EXPECT_TRUE(abortFlag);
  EXPECT_FALSE(modified);
  EXPECT_EQ(documentData.documentLinks[5].program, "okular");
}

}  // namespace
}  // namespace kv5
