#include "text/messages.h"

#include "model/drive_model.h"
#include "tests/test_support.h"

namespace kv5 {
namespace {

using MessagesTest = testing::ProgramTest;

TEST_F(MessagesTest, KeepsDistinctTextsUpToTwelveInOrder) {
  AddMessage("Warnung: a");
  AddMessage("Warnung: a");
  EXPECT_EQ(MessageCount(), 1);
  for (int i = 1; i <= 13; ++i) AddMessage("m" + std::to_string(i));
  EXPECT_EQ(MessageCount(), 12);
  EXPECT_EQ(MessageText(1), "Warnung: a");
  EXPECT_EQ(MessageText(12), "m11");
  AddMessage("m12");  // already full: still dropped
  EXPECT_EQ(MessageText(12), "m11");
  EXPECT_EQ(MessageText(13), "");
  EXPECT_EQ(MessageText(0), "");
}

TEST_F(MessagesTest, ComparisonIsExactAndCaseSensitive) {
  AddMessage("Fehler : z < 11 !");
  AddMessage("fehler : z < 11 !");
  AddMessage("Fehler : z < 11 ! ");
  EXPECT_EQ(MessageCount(), 3);
}

TEST_F(MessagesTest, ResetHidesTextsAndClearsFlagsClearEmptiesThem) {
  AddMessage("Fatal  : z1 = 0 !");
  calcFailed = true;
  abortFlag = true;
  ResetMessages();
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_FALSE(calcFailed);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(MessageText(1), "Fatal  : z1 = 0 !");  // left behind, but not counted
  AddMessage("Fatal  : z1 = 0 !");                 // counts again after a reset
  EXPECT_EQ(MessageCount(), 1);
  ClearMessages();
  EXPECT_EQ(MessageCount(), 0);
  EXPECT_EQ(MessageText(1), "");
}

}  // namespace
}  // namespace kv5
