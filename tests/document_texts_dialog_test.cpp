#include "dialogs/document_texts_dialog.h"

#include <gtest/gtest.h>

#include "model/drive_model.h"
#include "tests/test_support.h"

namespace kv5 {
namespace {

constexpr int kTexts = 8;
const char* const kNames[kTexts] = {"Zeichnungsname Rad 1",
                                    "Zeichnungsname Rad 2",
                                    "Zeichnungsnummer Rad 1",
                                    "Zeichnungsnummer Rad 2",
                                    "Zeichnungsname 2 Rad 1",
                                    "Zeichnungsname 2 Rad 2",
                                    "Text 1",
                                    "Text 2"};

// The eight texts of the dialog and of the model, in the same order.
std::array<std::string*, kTexts> FieldTexts(DocumentTextsDialog::Fields& f) {
  return {&f.drawingName[0],  &f.drawingName[1],  &f.drawingNumber[0], &f.drawingNumber[1],
          &f.drawingName2[0], &f.drawingName2[1], &f.infoText[0],      &f.infoText[1]};
}
std::array<std::string*, kTexts> ModelTexts() {
  return {&model.drawingName[1],   &model.drawingName[2],  &model.drawingNumber[1],
          &model.drawingNumber[2], &model.drawingName2[1], &model.drawingName2[2],
          &model.infoText[0],      &model.infoText[1]};
}

class DocumentTextsDialogTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // Every text different, so that a swapped pair shows.
    const std::array<std::string*, kTexts> texts = ModelTexts();
    for (int i = 0; i < kTexts; ++i) *texts[i] = std::string("alt ") + kNames[i];
    model.infoText[2] = "dritter Text";
  }
};

TEST_F(DocumentTextsDialogTest, FillShowsEachModelTextInItsOwnField) {
  DocumentTextsDialog dialog;
  dialog.FillFromModel();
  const std::array<std::string*, kTexts> fields = FieldTexts(dialog.mutableFields());
  for (int i = 0; i < kTexts; ++i)
    EXPECT_EQ(*fields[i], std::string("alt ") + kNames[i]) << kNames[i];
}

TEST_F(DocumentTextsDialogTest, OkWritesEachFieldIntoItsOwnModelTextOnly) {
  for (int changed = 0; changed < kTexts; ++changed) {
    SetUp();
    DocumentTextsDialog dialog;
    dialog.FillFromModel();
    *FieldTexts(dialog.mutableFields())[changed] = "neu: Maß 12°";
    abortFlag = true;
    EXPECT_TRUE(dialog.Ok());
    EXPECT_FALSE(abortFlag);
    const std::array<std::string*, kTexts> texts = ModelTexts();
    for (int i = 0; i < kTexts; ++i) {
      const std::string expected = i == changed ? "neu: Maß 12°" : std::string("alt ") + kNames[i];
      EXPECT_EQ(*texts[i], expected) << kNames[i] << " after changing " << kNames[changed];
    }
    EXPECT_EQ(model.infoText[2], "dritter Text");
  }
}

TEST_F(DocumentTextsDialogTest, CancelLeavesTheModelAndSetsAbort) {
  DocumentTextsDialog dialog;
  dialog.FillFromModel();
  for (std::string* field : FieldTexts(dialog.mutableFields())) *field = "geändert";
  EXPECT_TRUE(dialog.Cancel());
  EXPECT_TRUE(abortFlag);
  const std::array<std::string*, kTexts> texts = ModelTexts();
  for (int i = 0; i < kTexts; ++i) EXPECT_EQ(*texts[i], std::string("alt ") + kNames[i]);
}

TEST_F(DocumentTextsDialogTest, TypingChangesNothingBeforeOk) {
  DocumentTextsDialog dialog;
  dialog.FillFromModel();
  dialog.mutableFields().drawingNumber[1] = "Z-999";
  EXPECT_EQ(model.drawingNumber[2], "alt Zeichnungsnummer Rad 2");
  dialog.Ok();
  EXPECT_EQ(model.drawingNumber[2], "Z-999");
}

}  // namespace
}  // namespace kv5
