#include "dialogs/value_dialogs.h"

#include "dialogs/text_dialogs.h"
#include "tests/dialog_test_platform.h"
#include "text/text_conversion.h"
#include "text/units.h"

namespace kv5 {
namespace {

using ValueDialogsTest = testing::DialogTest;

std::vector<std::string> ShownValues(const testing::DialogPlatform& p) {
  std::vector<std::string> out;
  for (const testing::ShownText& t : p.texts) out.push_back(t.current);
  return out;
}

TEST_F(ValueDialogsTest, RealOutOfRangeAndInvalidEntriesAreAskedAgain) {
  Real value = 10;
  dialogs_.QueueAnswer(std::string("150"));
  dialogs_.QueueAnswer(std::string("abc"));
  dialogs_.QueueAnswer(std::string("50"));
  EXPECT_TRUE(AskReal("Wert", value, 0, 100));
  EXPECT_EQ(value, 50);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(dialogs_.BoxTexts(), (std::vector<std::string>{"Gültiger Wertebereich: 0 .. 100 !",
                                                           "Ungültige Eingabe \"abc\" !"}));
  EXPECT_EQ(dialogs_.Messages()[0].caption, "Fehler : ");
  // After the range error the entry is shown again; after the invalid text
  // the previous value.
  EXPECT_EQ(ShownValues(dialogs_), (std::vector<std::string>{"10", "150", "10"}));
  EXPECT_EQ(dialogs_.texts[0].maxLength, 30);
}

TEST_F(ValueDialogsTest, ConfirmingTheShownTextKeepsTheExactValue) {
  Real third = 1.0L / 3;
  dialogs_.QueueAnswer(std::string("0.333"));
  EXPECT_TRUE(AskReal("Wert", third, 0, 1));
  EXPECT_EQ(third, 1.0L / 3);

  double wide = 2.0 / 3;
  dialogs_.QueueAnswer(std::string("0.667"));
  EXPECT_TRUE(AskRealDouble("Wert", wide, 0, 1));
  EXPECT_EQ(wide, 2.0 / 3);

  dialogs_.QueueAnswer(std::string("0,25"));  // a comma is a decimal mark too
  EXPECT_TRUE(AskRealDouble("Wert", wide, 0, 1));
  EXPECT_EQ(wide, 0.25);
}

TEST_F(ValueDialogsTest, CancelKeepsTheValueAndSetsAbortFlagRangeErrorsDoNot) {
  Real value = 7;
  dialogs_.QueueAnswer(std::string("-1"));
  dialogs_.QueueAnswer(ScriptedCancel{});
  EXPECT_FALSE(AskReal("Wert", value, 0, 100));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(abortFlag);
  EXPECT_EQ(dialogs_.BoxTexts().size(), 1u);
}

TEST_F(ValueDialogsTest, EndlessInvalidAnswersEndWhenTheAnswersRunOut) {
  Real real = 5;
  for (int i = 0; i < 40; ++i) dialogs_.QueueAnswer(std::string("x"));
  EXPECT_FALSE(AskReal("Wert", real, 0, 10));
  EXPECT_EQ(real, 5);
  EXPECT_EQ(dialogs_.texts.size(), 41u);  // each question took one answer
  EXPECT_EQ(dialogs_.BoxTexts().size(), 40u);

  int whole = 5;
  for (int i = 0; i < 40; ++i) dialogs_.QueueAnswer(std::string("99"));
  EXPECT_FALSE(AskInt("Anzahl", whole, 1, 10));
  EXPECT_EQ(whole, 5);
  EXPECT_EQ(dialogs_.PendingAnswers(), 0u);

  // Nothing queued at all: the first question is cancelled.
  EXPECT_FALSE(AskReal("Wert", real, 0, 10));
  EXPECT_TRUE(abortFlag);
}

TEST_F(ValueDialogsTest, LengthInImperialUnitsIsShownInInchesAndStoredInMm) {
  unitSystem = 1;
  Real length = 25.4L;
  dialogs_.QueueAnswer(std::string("1"));
  EXPECT_TRUE(AskLength("Teilung", length, 0, 254));
  EXPECT_EQ(length, 25.4L);
  EXPECT_EQ(dialogs_.texts[0].prompt, "Teilung [inch]");
  EXPECT_EQ(dialogs_.texts[0].current, "1");

  dialogs_.QueueAnswer(std::string("20"));
  dialogs_.QueueAnswer(std::string("2"));
  EXPECT_TRUE(AskLength("Teilung", length, 0, 254));
  EXPECT_EQ(length, 2 * 25.4L);
  EXPECT_EQ(dialogs_.BoxTexts(), (std::vector<std::string>{"Gültiger Wertebereich: 0 .. 10 !"}));

  unitSystem = 0;
  dialogs_.QueueAnswer(std::string("12.7"));
  EXPECT_TRUE(AskLength("Teilung", length, 0, 254));
  EXPECT_EQ(length, 12.7L);
  EXPECT_EQ(dialogs_.texts.back().prompt, "Teilung [mm]");
}

TEST_F(ValueDialogsTest, IntegerLimitsInEitherOrder) {
  struct Case {
    const char* entry;
    bool accepted;
    const char* box;
  };
  const Case cases[] = {
      {"1", true, nullptr},
      {"10", true, nullptr},
      {"0", false, "Gültiger Wertebereich: 1 .. 10 !"},
      {"11", false, "Gültiger Wertebereich: 1 .. 10 !"},
      {"5.5", false, "Ungültige Eingabe \"5.5\" !"},
      {"99999999999", false, "Ungültige Eingabe \"99999999999\" !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    dialogs_.ClearLog();
    int value = 3;
    dialogs_.QueueAnswer(std::string(c.entry));
    EXPECT_EQ(AskInt("Zähnezahl", value, 10, 1), c.accepted);
    EXPECT_EQ(value, c.accepted ? std::stoi(c.entry) : 3);
    if (c.box)
      EXPECT_EQ(dialogs_.BoxTexts(), (std::vector<std::string>{c.box}));
    else
      EXPECT_TRUE(dialogs_.BoxTexts().empty());
  }
  EXPECT_EQ(dialogs_.texts[0].maxLength, 12);
}

TEST_F(ValueDialogsTest, SixteenBitIntegersKeepTheirRange) {
  short value = 100;
  dialogs_.QueueAnswer(std::string("40000"));
  dialogs_.QueueAnswer(std::string("-7"));
  EXPECT_TRUE(AskInt("Wert", value, -100000, 100000));
  EXPECT_EQ(value, -7);
  EXPECT_EQ(dialogs_.BoxTexts(),
            (std::vector<std::string>{"Gültiger Wertebereich: -32768 .. 32767 !"}));
}

TEST_F(ValueDialogsTest, TextDialogConvertsForDisplayAndKeepsTheLengthLimit) {
  transliterate = 1;
  std::string text = "Maß";
  dialogs_.QueueAnswer(std::string("abcdefgh"));
  AskText("Länge", 5, text);
  EXPECT_EQ(dialogs_.texts[0].prompt, "Laenge");
  EXPECT_EQ(dialogs_.texts[0].current, "Mass");
  EXPECT_EQ(text, "abcde");
  EXPECT_FALSE(abortFlag);

  AskText("Länge", 5, text);  // nothing queued: cancelled
  EXPECT_EQ(text, "abcde");
  EXPECT_TRUE(abortFlag);
}

}  // namespace
}  // namespace kv5
