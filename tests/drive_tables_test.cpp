#include "graphics/drive_tables.h"

#include <cmath>
#include <string>
#include <vector>

#include "model/drive_calculation.h"
#include "tests/drawing_test_support.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/units.h"

namespace kv5 {
namespace {

using testing::Drawing;
using testing::DrawnEntity;
using Rows = std::vector<std::vector<std::string>>;
using Kind = BlockItem::Kind;

class DriveTablesTest : public testing::CadTest {
 protected:
  void SetUp() override {
    CadTest::SetUp();
    storedSettings.cadDecimals = 8;
  }
  static void Calculate() {
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
  }
};

// ---------------------------------------------------------------------------
// Wheel 2 table

// The rack of drive 1 with 2.21 mm plates (bts = 7.75 + 2·2.21 = 12.17) so
// that no value sits on a rounding tie: 41 pins (40 entered, made odd),
// L = 41·12.7 = 520.7.
TEST_F(DriveTablesTest, Wheel2TableOfARack) {
  testing::SetUpRackDrive();
  model.s = 2.21L;
  Calculate();
  const Rows rows =
      testing::TableRows(testing::DrawBlockBody("tab2", [] { DrawWheel2Table(2, 0, 0, 2.5L); }));
  const Rows expected = {
      {"Triebstock  KV-200", "", "", ""},
      {"Zähnezahl", "z", "", "      41"},
      {"Teilung", "p", "mm", "   12.700"},
      {"Rollendurchmesser", "d1", "mm", "    8.510"},
      {"Bolzendurchmesser", "d2", "mm", "    5.000"},
      {"Zahnbreite", "b1", "mm", "    7.75"},
      {"Blechdicke", "s", "mm", "    2.21"},
      {"Triebstock Höhe", "h2", "mm", "   11.81"},
      {"Triebstock Länge", "lts", "mm", "   520.7"},
      {"Triebstock Breite", "bts", "mm", "    12.2"},
  };
  EXPECT_EQ(rows, expected);
}

// The pin wheel of drive 2 in mm: d = 15.875 / sin 6° = 151.8725,
// tau = 360° / 30 = 12°.
TEST_F(DriveTablesTest, Wheel2TableOfAPinWheel) {
  testing::SetUpWheelDrive();
  Calculate();
  const Rows rows =
      testing::TableRows(testing::DrawBlockBody("tab2", [] { DrawWheel2Table(2, 0, 0, 2.5L); }));
  const Rows expected = {
      {"Triebstockrad  TR-2", "", "", ""},
      {"Zähnezahl", "z", "", "      30"},
      {"Teilung", "p", "mm", "   15.875"},
      {"Rollendurchmesser", "d1", "mm", "   10.160"},
      {"Bolzendurchmesser", "d2", "mm", "    6.000"},
      {"Zahnbreite", "b1", "mm", "    9.65"},
      {"Blechdicke", "s", "mm", "    2.54"},
      {"Teilkreisdurchmesser", "d", "mm", "  151.87"},
      {"Teilungswinkel", "tau", "°", "   12.00"},
  };
  EXPECT_EQ(rows, expected);
}

TEST_F(DriveTablesTest, Wheel2TitleWithoutADrawingName) {
  struct Case {
    bool rack;
    const char* title;
  };
  const Case cases[] = {{true, "Triebstock 08B-1 - ISO 606"}, {false, "Triebstockrad"}};
  for (const Case& c : cases) {
    testing::SetUpRackDrive();
    model.pinRack = c.rack;
    model.drawingName[2] = "";
    Calculate();
    const Rows rows =
        testing::TableRows(testing::DrawBlockBody("tab2", [] { DrawWheel2Table(2, 0, 0, 2.5L); }));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][0], c.title);
    EXPECT_EQ(rows.size(), c.rack ? 10u : 9u);
  }
}

// ---------------------------------------------------------------------------
// Drive table

// Drive 1 (README): T1 = 9.5493 Nm, v = 0.36189 m/s (21.713 m/min),
// a = 34.5579, Ft = 276.33, FtMax = 345.41, FB = 50π·25 = 3926.99,
// tauD2 17.59, sigmaL 16.24, pHertz 689.5, SB 14.211, SD 11.369.
TEST_F(DriveTablesTest, DriveTableOfTheRackDrive) {
  testing::SetUpRackDrive();
  Calculate();
  const Drawing drawing = testing::DrawBlockBody("drive", [] { DrawDriveTable(100, 112, 2); });
  const Rows expected = {
      {"Antrieb, Last, Sicherheit", "", ""},
      {"P", "kW", "   0.100"},
      {"T", "Nm", "      10"},
      {"n", "1/min", "     100"},
      {"a", "mm", "   34.56"},
      {"v", "m/min", "   21.71"},
      {"Ft", "N", "     276"},
      {"KA", "", "    1.25"},
      {"Ftmax", "N", "     345"},
      {"Fu chain", "N", "    3927"},
      {"tau d2", "MPa", "      18"},
      {"Lochleibung", "MPa", "      16"},
      {"p Hertz", "MPa", "     689"},
      {"S B", "Fu / Ft", "   14.21"},
      {"S D", "Fu / Ftmax", "   11.37"},
  };
  EXPECT_EQ(testing::TableRows(drawing), expected);
  // Columns of 9, 9 and 10 characters at h = 2: 100, 116.2, 132.4, 150.4.
  Real right = 0;
  for (const DrawnEntity& line : testing::OfKind(drawing, Kind::Line, 17))
    right = std::max({right, line.v[0], line.v[2]});
  EXPECT_NEAR(right, 150.4L, 1e-6L);
  const Drawing texts = testing::Texts(drawing);
  ASSERT_EQ(texts.size(), 15u * 3u);
  EXPECT_NEAR(texts[4].v[0], 116.2L, 1e-6L);
  EXPECT_NEAR(texts[5].v[0], 132.4L, 1e-6L);
}

TEST_F(DriveTablesTest, DriveTableSymbolsAndUnitsOfTheDinDriveInKilonewton) {
  testing::SetUpWheelDrive();
  unitSystem = 2;  // metric (kN)
  Calculate();
  const Rows rows =
      testing::TableRows(testing::DrawBlockBody("drive", [] { DrawDriveTable(0, 0, 2); }));
  ASSERT_EQ(rows.size(), 15u);
  // FB = 50π·36 = 5654.87 N = 5.65487 kN: one decimal more in kN.
  const std::vector<std::string> breaking = {"FB chain", "kN", "      5.7"};
  EXPECT_EQ(rows[9], breaking);
  const std::vector<std::string> sb = {"S B", "FB / Ft", "    1.37"};  // 5654.87 / 4114.71
  EXPECT_EQ(rows[13], sb);
}

// ---------------------------------------------------------------------------
// Message table

class MessageTableTest : public DriveTablesTest {
 protected:
  void SetUp() override {
    DriveTablesTest::SetUp();
    ClearMessages();
  }
  static void AddMessages(int n) {
    for (int i = 1; i <= n; ++i) AddMessage("Fehler : Meldung " + std::to_string(i));
  }
  static Drawing Draw(Real h, int width, Real maxHeight) {
    return testing::DrawBlockBody("msg", [&] { DrawMessageTable(100, 36, h, width, maxHeight); });
  }
};

TEST_F(MessageTableTest, NothingWithoutMessages) {
  EXPECT_TRUE(Draw(2, 28, 28).empty());
}

TEST_F(MessageTableTest, FirstMessageIsTheTitleAndEveryFurtherOneARow) {
  AddMessages(3);
  const Drawing drawing = Draw(2, 28, 100);
  const Rows expected = {{"Fehler : Meldung 1"}, {"Fehler : Meldung 2"}, {"Fehler : Meldung 3"}};
  EXPECT_EQ(testing::TableRows(drawing), expected);
  // One column of 28 characters: 0.9·2·28 = 50.4 wide.
  Real right = 0;
  for (const DrawnEntity& line : testing::OfKind(drawing, Kind::Line, 17))
    right = std::max({right, line.v[0], line.v[2]});
  EXPECT_NEAR(right, 150.4L, 1e-6L);
}

// The character height: h, 0 meaning 2; with several messages and a
// maximum height above 0.1 at most maxHeight / count / 2, so that the
// count rows of 2h fill no more than maxHeight.
TEST_F(MessageTableTest, HeightRule) {
  struct Case {
    int messages;
    Real h, maxHeight, height;
  };
  const Case cases[] = {
      {4, 2, 8, 1},     // 8 / 4 / 2 = 1 < 2
      {4, 2, 40, 2},    // 40 / 4 / 2 = 5: h stays
      {4, 0, 8, 1},     // h 0 means 2, then the rule
      {4, 0, 0, 2},     // no maximum
      {4, 2, 0.1L, 2},  // 0.1 is not above 0.1
      {1, 2, 1, 2},     // a single message keeps h
      {12, 1.2L, 16, 16.0L / 24},
  };
  for (const Case& c : cases) {
    ClearMessages();
    AddMessages(c.messages);
    const Drawing texts = testing::Texts(Draw(c.h, 38, c.maxHeight));
    SCOPED_TRACE(std::to_string(c.messages) + " messages, h " + std::to_string(double(c.h)) +
                 ", max " + std::to_string(double(c.maxHeight)));
    ASSERT_EQ(texts.size(), static_cast<size_t>(c.messages));
    EXPECT_NEAR(texts[0].v[2], c.height, 1e-6L);
    // Baselines 1.5h below the top, then 2h apart.
    EXPECT_NEAR(texts[0].v[1], 36 - 1.5L * c.height, 1e-6L);
    EXPECT_NEAR(texts.back().v[1], 36 - 1.5L * c.height - 2 * c.height * (c.messages - 1), 1e-6L);
  }
}

TEST_F(MessageTableTest, WidthZeroMeansFortyTwoCharacters) {
  AddMessages(2);
  const Drawing drawing = Draw(2, 0, 0);
  Real right = 0;
  for (const DrawnEntity& line : testing::OfKind(drawing, Kind::Line, 17))
    right = std::max({right, line.v[0], line.v[2]});
  EXPECT_NEAR(right, 100 + 0.9L * 2 * 42, 1e-6L);
}

}  // namespace
}  // namespace kv5
