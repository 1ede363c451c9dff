#include "dialogs/choice_dialogs.h"

#include "app/core/program_state.h"
#include "model/drive_model.h"
#include "tests/dialog_test_platform.h"
#include "text/text_conversion.h"

namespace kv5 {
namespace {

using ChoiceDialogsTest = testing::DialogTest;

TEST_F(ChoiceDialogsTest, ItemTableStartsBlankAndIgnoresWrongNumbers) {
  EXPECT_EQ(choiceItems[1], std::string(65, ' '));
  EXPECT_EQ(choiceItems[135], std::string(65, ' '));
  choiceItems[0] = "lost";
  choiceItems[136] = "lost";
  choiceItems[-5] = "lost";
  EXPECT_EQ(choiceItems[0], "");
  const ChoiceItemTable& items = choiceItems;
  EXPECT_EQ(items[136], "");
  choiceItems[135] = "last";
  SetHelpTopic(2070);
  ResetProgramState();
  EXPECT_EQ(choiceItems[135], std::string(65, ' '));
  EXPECT_EQ(currentHelpTopic, 0);
}

TEST_F(ChoiceDialogsTest, SevenItemsAreRadioButtonsEightAList) {
  for (int i = 1; i <= 8; ++i) choiceItems[i] = "Punkt " + std::to_string(i);
  int index = 2;
  AskChoice("Auswahl", 7, index);
  index = 2;
  AskChoice("Auswahl", 8, index);
  ASSERT_EQ(dialogs_.choices.size(), 2u);
  EXPECT_EQ(dialogs_.choices[0].style, ChoiceStyle::RadioButtons);
  EXPECT_EQ(dialogs_.choices[0].items.size(), 7u);
  EXPECT_EQ(dialogs_.choices[0].items.back(), "Punkt 7");
  EXPECT_EQ(dialogs_.choices[1].style, ChoiceStyle::List);
  EXPECT_EQ(dialogs_.choices[1].items.size(), 8u);
  EXPECT_EQ(dialogs_.choices[1].preselected, 1);  // item 2, 0-based for the platform
}

TEST_F(ChoiceDialogsTest, IndexOutsideTheItemsPreselectsTheFirst) {
  for (int start : {0, 9, -3}) {
    int index = start;
    AskChoice("Auswahl", 8, index);
    EXPECT_EQ(dialogs_.choices.back().preselected, 0) << start;
    EXPECT_EQ(index, 1) << start;  // cancelled, but already corrected
    EXPECT_TRUE(abortFlag);
  }
}

TEST_F(ChoiceDialogsTest, OkGivesTheChosenItemCancelKeepsTheIndex) {
  int index = 3;
  abortFlag = true;
  dialogs_.QueueAnswer(4);  // 0-based: item 5
  AskChoice("Auswahl", 6, index);
  EXPECT_EQ(index, 5);
  EXPECT_FALSE(abortFlag);

  AskChoice("Auswahl", 6, index);  // nothing queued: cancelled
  EXPECT_EQ(index, 5);
  EXPECT_TRUE(abortFlag);
}

TEST_F(ChoiceDialogsTest, CountIsLimitedToTheTable) {
  int index = 1;
  AskChoice("Auswahl", 500, index);
  EXPECT_EQ(dialogs_.choices.back().items.size(), 135u);

  dialogs_.choices.clear();
  abortFlag = false;
  AskChoice("Auswahl", 0, index);  // nothing to choose from
  EXPECT_TRUE(dialogs_.choices.empty());
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(index, 1);
}

TEST_F(ChoiceDialogsTest, TitleAndItemsAreConvertedForDisplay) {
  transliterate = 1;
  choiceItems[1] = "Größe";
  int index = 1;
  AskChoice("Maße", 1, index);
  EXPECT_EQ(dialogs_.choices[0].title, "Masse");
  EXPECT_EQ(dialogs_.choices[0].items, (std::vector<std::string>{"Groesse"}));
}

TEST_F(ChoiceDialogsTest, YesNoChoiceKeepsTheAnswerOnCancel) {
  bool answer = true;
  dialogs_.QueueAnswer(false);
  AskYesNoChoice("Triebstock ?", answer);
  EXPECT_FALSE(answer);
  EXPECT_FALSE(abortFlag);
  AskYesNoChoice("Triebstock ?", answer);
  EXPECT_FALSE(answer);
  EXPECT_TRUE(abortFlag);
}

}  // namespace
}  // namespace kv5
