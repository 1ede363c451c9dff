#include "text/report.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "tests/drive_fixtures.h"
#include "tests/test_support.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/output_channel.h"
#include "text/units.h"

// Whole reports are compared with the reviewed golden files in
// tests/data/reports (their README holds the hand calculation of every
// value shown). KV5_UPDATE_GOLDEN=1 rewrites them from the current output;
// review each diff by hand before committing it.

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kGoldenFolder = std::string(KV5_TEST_DATA_DIR) + "/reports/";

// Drive 1 of the README: every result stays inside its limits, no
// messages.
void LoadRackDrive() {
  testing::SetUpRackDrive();
  model.infoText = {"Hubwerk Halle 3", "Prüfstand", "nicht im Kopf"};
  projectName = "zahnstange";
}

// Drive 2 of the README: five messages.
void LoadWheelDrive() {
  testing::SetUpWheelDrive();
  model.infoText = {"Drehtisch", "", ""};
  projectName = "triebstockrad";
}

enum class Drive { Rack, Wheel };

// Explanations of the wheel drive's messages; the Hertzian pressure has no
// record, one cause is long enough to be wrapped on the text channels.
const char* const kExplanationFile =
    "Fehler : z < 11 !\r\n"
    "Weniger als 11 Zähne.\r\n"
    "Zähnezahl erhöhen.\r\n"
    "Fehler : SB < 7 ! (<v>)\r\n"
    "Die Bruchkraft der Bolzen ist kleiner als das Siebenfache der nominalen Tangentialkraft "
    "am Teilkreis von Rad 1.\r\n"
    "Dickere Bolzen wählen.\r\n"
    "Fehler : SD < 5 ! (<v>)\r\n"
    "Sicherheit gegen Ftmax zu klein.\r\n"
    "Last oder KA senken.\r\n"
    "Fehler : Sp < 0.5 ! (<v>)\r\n"
    "Gelenkpressung zu hoch.\r\n"
    "Breitere Zähne.\r\n";

class ReportTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    savedFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(temp_.path());  // the batch report lands here
    Restart();
  }
  void TearDown() override {
    std::filesystem::current_path(savedFolder_);
    ProgramTest::TearDown();
  }

  // The start-up state with the test's folders and a fixed clock, an empty
  // temporary folder and a fresh platform log (for each case of a table).
  void Restart() {
    ResetProgramState();
    platform_.ClearAnswers();
    platform_.ClearLog();
    for (const auto& entry : std::filesystem::directory_iterator(temp_.path()))
      std::filesystem::remove_all(entry.path());
    tempFolder = temp_.path();
    pltFolder = temp_.path();
    projectFolder = "/projekte/kv5";
    outputChannel.headerTime = DateTime{2024, 3, 5, 9, 7, 0};
    WriteFileBytes(temp_.File("kv5.err"), Utf8ToCp850(kExplanationFile));
  }

  void Calculate(Drive drive) {
    if (drive == Drive::Rack)
      LoadRackDrive();
    else
      LoadWheelDrive();
    CalculateDrive();
    ASSERT_FALSE(calcFailed);
  }

  // The report on `channel` as the person receives it, with the varying
  // parts of file names (temporary folder, process id) masked.
  std::string Report(int channel) {
    std::string file;
    switch (channel) {
      case kChannelTextFile:
        file = temp_.File(projectName + ".txt");
        platform_.QueueAnswer(file);
        break;
      case kChannelHtml:
        file = temp_.File(projectName + ".htm");
        platform_.QueueAnswer(file);
        break;
      case kChannelBatchTabFile:
        file = temp_.File(projectName + ".txt");
        break;
      default:
        ADD_FAILURE() << "no report file for channel " << channel;
        return "";
    }
    abortFlag = false;
    WriteReport(channel);
    EXPECT_FALSE(abortFlag);
    return Masked(ReadFileBytes(file));
  }

  std::string Masked(std::string text) const {
    Replace(text, temp_.path(), "<TEMP>/");
    Replace(text, "_" + std::to_string(getpid()), "_<PID>");
    return text;
  }

  static void Replace(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  }

  // Names of the files in the temporary folder besides the explanation file.
  std::vector<std::string> LeftFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.path())) {
      std::string name = entry.path().filename().string();
      if (name != "kv5.err") names.push_back(name);
    }
    return names;
  }

  TempFolder temp_;
  std::filesystem::path savedFolder_;
};

// Lines of a report file (CR LF).
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// The value rows of a tab-separated report (label, symbol, unit, values),
// in order; the header and message lines have fewer fields.
std::vector<std::vector<std::string>> ValueRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : Lines(text)) {
    std::vector<std::string> fields = Fields(line);
    if (fields.size() >= 4) rows.push_back(fields);
  }
  return rows;
}

std::map<std::string, std::vector<std::string>> RowsByLabel(const std::string& text) {
  std::map<std::string, std::vector<std::string>> rows;
  for (auto& row : ValueRows(text)) rows.emplace(row[0], row);  // first of a label wins
  return rows;
}

void ExpectMatchesGolden(const std::string& actual, const std::string& name) {
  const std::string file = kGoldenFolder + name;
  const char* update = std::getenv("KV5_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    WriteFileBytes(file, actual);
    return;
  }
  const std::string expected = ReadFileBytes(file);
  ASSERT_FALSE(expected.empty()) << "missing golden file " << file;
  if (actual == expected) return;
  std::vector<std::string> want = Lines(expected), got = Lines(actual);
  size_t i = 0;
  while (i < want.size() && i < got.size() && want[i] == got[i]) ++i;
  ADD_FAILURE() << name << " differs from line " << i + 1
                << ":\n  golden: " << (i < want.size() ? want[i] : "<end>")
                << "\n  actual: " << (i < got.size() ? got[i] : "<end>");
}

TEST_F(ReportTest, WholeReportsMatchTheReviewedGoldenFiles) {
  struct Case {
    const char* golden;
    Drive drive;
    short units;
    int frame;
    int channel;
  };
  const Case cases[] = {
      {"rack_iso_metric_frame1.txt", Drive::Rack, 0, 1, kChannelTextFile},
      {"rack_iso_metric_frame2.txt", Drive::Rack, 0, 2, kChannelTextFile},
      {"rack_iso_metric_frame3.txt", Drive::Rack, 0, 3, kChannelTextFile},
      {"rack_iso_metric_frame4.txt", Drive::Rack, 0, 4, kChannelTextFile},
      {"wheel_din_imperial_frame1.txt", Drive::Wheel, 1, 1, kChannelTextFile},
      {"wheel_din_imperial_frame4.txt", Drive::Wheel, 1, 4, kChannelTextFile},
      {"rack_iso_metric_tabs.txt", Drive::Rack, 0, 1, kChannelBatchTabFile},
      {"wheel_din_imperial_tabs.txt", Drive::Wheel, 1, 1, kChannelBatchTabFile},
      {"rack_iso_metric.htm", Drive::Rack, 0, 1, kChannelHtml},
      {"wheel_din_imperial.htm", Drive::Wheel, 1, 2, kChannelHtml},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.golden);
    Restart();
    unitSystem = c.units;
    frameStyle = c.frame;
    Calculate(c.drive);
    ExpectMatchesGolden(Report(c.channel), c.golden);
  }
}

// The rows that differ between a pin rack and a pin wheel: a pin wheel
// shows torque and speed of both wheels, wheel 1 first (wheel 2 turns
// slower by u = 30/9, its torque is larger by u less the efficiency).
TEST_F(ReportTest, PinRackAndPinWheelRows) {
  struct Case {
    Drive drive;
    std::vector<std::string> wheel2Labels;
    std::vector<std::string> torques;
    std::vector<std::string> speeds;
  };
  const Case cases[] = {
      {Drive::Rack,
       {"Achsabstand", "Teilung", "Rollendurchmesser", "Bolzendurchmesser", "Anzahl Bolzen",
        "Breite Triebstock innen", "Breite Triebstock außen", "Höhe Triebstock",
        "Länge Triebstock"},
       {"      10"},
       {"     100"}},
      {Drive::Wheel,
       {"Achsabstand", "Teilung", "Rollendurchmesser", "Bolzendurchmesser", "Anzahl Bolzen",
        "Breite Triebstockrad innen", "Breite Triebstockrad außen", "Zähnezahlverhältnis"},
       {"      95", "     298"},
       {"     200", "      60"}},
  };
  for (const Case& c : cases) {
    Restart();
    Calculate(c.drive);
    const std::string report = Report(kChannelBatchTabFile);
    std::vector<std::vector<std::string>> rows = ValueRows(report);
    ASSERT_GT(rows.size(), c.wheel2Labels.size());
    std::vector<std::string> labels;
    for (size_t i = 0; i < c.wheel2Labels.size(); ++i) labels.push_back(rows[i][0]);
    EXPECT_EQ(labels, c.wheel2Labels);
    EXPECT_EQ(rows[c.wheel2Labels.size()][0], "Zähnezahl");  // wheel 1 follows
    auto byLabel = RowsByLabel(report);
    EXPECT_EQ(std::vector<std::string>(byLabel["Nenndrehmoment"].begin() + 3,
                                       byLabel["Nenndrehmoment"].end()),
              c.torques);
    EXPECT_EQ(std::vector<std::string>(byLabel["Drehzahl"].begin() + 3, byLabel["Drehzahl"].end()),
              c.speeds);
  }
}

TEST_F(ReportTest, SymbolsFollowTheChainStandard) {
  struct Case {
    int standard;
    std::map<std::string, std::string> symbols;  // label -> symbol
    const char* sbLabel;
    const char* sdLabel;
  };
  const Case cases[] = {
      {0,
       {{"Rollendurchmesser", "dR"},
        {"Zahnbreite", "B1"},
        {"Durchmesser Freidrehung", "ds"},
        {"Rollenbettradius", "r1"},
        {"Zahnflankenradius", "r2"},
        {"Zahnfasenradius", "r3"},
        {"Abfasung", "c"},
        {"Zahnkopfhöhe über Polygon", "k"},
        {"Höhe Triebstock", "g"},
        {"Bruchkraft Kette", "FB"}},
       "Bruchsicherheit FB/Ft",
       "Bruchsicherheit FB/Ftmax"},
      {1,
       {{"Rollendurchmesser", "d1"},
        {"Zahnbreite", "bf1"},
        {"Durchmesser Freidrehung", "dg"},
        {"Rollenbettradius", "ri"},
        {"Zahnflankenradius", "re"},
        {"Zahnfasenradius", "rx"},
        {"Abfasung", "ba"},
        {"Zahnkopfhöhe über Polygon", "ha"},
        {"Höhe Triebstock", "h2"},
        {"Bruchkraft Kette", "Fu"}},
       "Bruchsicherheit Fu/Ft",
       "Bruchsicherheit Fu/Ftmax"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.standard);
    Restart();
    LoadRackDrive();
    model.chainStandard = c.standard;
    CalculateDrive();
    const std::string report = Report(kChannelBatchTabFile);
    auto rows = RowsByLabel(report);
    for (const auto& [label, symbol] : c.symbols) EXPECT_EQ(rows[label].at(1), symbol) << label;
    EXPECT_EQ(rows[c.sbLabel].at(1), "SB");
    EXPECT_EQ(rows[c.sdLabel].at(1), "SD");
    // The second "Zahnfasenradius" row is the shroud fillet radius.
    std::vector<std::string> second;
    for (auto& row : ValueRows(report))
      if (row[0] == "Zahnfasenradius") second = row;
    EXPECT_EQ(second.at(1), c.standard == 0 ? "r4" : "ra");
  }
}

TEST_F(ReportTest, ShaftStressRowOnlyWithABore) {
  for (Real bore : {0.0L, 25.0L}) {
    Restart();
    LoadRackDrive();
    model.dB[1] = bore;
    CalculateDrive();
    auto rows = RowsByLabel(Report(kChannelBatchTabFile));
    EXPECT_EQ(rows.count("Schubspannung Welle"), bore > 0 ? 1u : 0u) << bore;
    EXPECT_EQ(rows.count("Scherspannung Bolzen"), 1u);
  }
}

// Catalogue sizes stay in mm with inches in brackets; other lengths, the
// forces, stresses and the torque follow the unit system.
TEST_F(ReportTest, ImperialUnitsKeepCatalogueSizesInMillimetres) {
  unitSystem = 1;
  Calculate(Drive::Rack);
  auto rows = RowsByLabel(Report(kChannelBatchTabFile));
  const std::vector<std::string> teilung = {"Teilung", "p", "mm(\")", "12.7 (0.500\")"};
  const std::vector<std::string> roller = {"Rollendurchmesser", "d1", "mm(\")", "8.51 (0.335\")"};
  const std::vector<std::string> pin = {"Bolzendurchmesser", "d2", "mm(\")", "5 (0.197\")"};
  EXPECT_EQ(rows["Teilung"], teilung);
  EXPECT_EQ(rows["Rollendurchmesser"], roller);
  EXPECT_EQ(rows["Bolzendurchmesser"], pin);
  // a = 34.558 mm = 1.3606 in; L = 41 · 12.7 mm = 20.5 in.
  EXPECT_EQ(rows["Achsabstand"][2], "in");
  EXPECT_EQ(rows["Achsabstand"][3], "    1.36");
  EXPECT_EQ(rows["Länge Triebstock"][3], "   20.50");
  EXPECT_EQ(rows["Tangentialkraft (nom)"][2], "lbf");
  EXPECT_EQ(rows["Hertz'sche Pressung"][2], "psi");
  EXPECT_EQ(rows["Nenndrehmoment"][2], "lbfin");
}

TEST_F(ReportTest, MessagesCloseTheReport) {
  Calculate(Drive::Wheel);
  ASSERT_EQ(MessageCount(), 5);
  std::vector<std::string> lines = Lines(Report(kChannelBatchTabFile));
  size_t title = 0;
  while (title < lines.size() && lines[title] != "BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN") ++title;
  ASSERT_LT(title, lines.size());
  EXPECT_EQ(lines[title - 1], "");
  EXPECT_EQ(lines[title - 2], "");
  EXPECT_EQ(lines[title - 3].rfind("Bruchsicherheit FB/Ftmax\tSD\t", 0), 0u);
  ASSERT_EQ(lines.size(), title + 1 + 5);
  EXPECT_EQ(lines[title + 1], "Fehler : z < 11 !\tWeniger als 11 Zähne.\tZähnezahl erhöhen.");
  EXPECT_EQ(lines[title + 5],
            "Warnung: p Hertz > 1500 MPa ! (2290)\t"
            "keine Beschreibung dieser Fehlermeldung vorhanden.\t");

  Restart();
  Calculate(Drive::Rack);
  ASSERT_EQ(MessageCount(), 0);
  EXPECT_EQ(Report(kChannelBatchTabFile).find("BEMERKUNGEN"), std::string::npos);
}

TEST_F(ReportTest, FailedCalculationShowsTheMessagesAndWritesNothing) {
  for (int channel : {0, int{kChannelTextFile}, int{kChannelBatchTabFile}}) {
    SCOPED_TRACE(channel);
    Restart();
    LoadRackDrive();
    model.z1 = 0;
    CalculateDrive();
    ASSERT_TRUE(calcFailed);
    platform_.ClearLog();
    WriteReport(channel);
    EXPECT_TRUE(platform_.Questions().empty());  // neither channel nor file asked for
    ASSERT_EQ(platform_.Messages().size(), 1u);
    EXPECT_EQ(platform_.Messages()[0].text, "Fatal  : z1 = 0 !");
    EXPECT_TRUE(LeftFiles().empty());
  }
}

// Cancel anywhere leaves no report and no working file behind, and an
// earlier report of the same name unchanged.
TEST_F(ReportTest, CancelLeavesNoFile) {
  Calculate(Drive::Wheel);
  const std::string earlier = temp_.File("triebstockrad.txt");

  // The channel question.
  askChannel = true;
  abortFlag = false;
  WriteReport();
  EXPECT_TRUE(abortFlag);
  ASSERT_EQ(platform_.Questions().size(), 1u);
  EXPECT_EQ(platform_.Questions()[0], "Ausgabe auf ..");
  EXPECT_TRUE(LeftFiles().empty());

  // The file dialog of the text file channel.
  askChannel = false;
  abortFlag = false;
  WriteReport(kChannelTextFile);
  EXPECT_TRUE(abortFlag);
  EXPECT_TRUE(LeftFiles().empty());

  // The page prompts of the text printer: page 1 and 2 are confirmed, the
  // third is cancelled; an earlier report file stays as it was.
  if (std::getenv("KV5_PRINTER_DEVICE")) GTEST_SKIP() << "printer device configured";
  WriteFileBytes(earlier, "earlier report");
  const std::string printer = PrinterDeviceName();
  for (int confirmed = 0; confirmed <= 3; ++confirmed) {
    SCOPED_TRACE(confirmed);
    platform_.ClearAnswers();
    platform_.QueueAnswer(true);  // "Pause nach jeder Seite ?"
    for (int page = 0; page < confirmed; ++page) platform_.QueueAnswer(YesNoCancel::Yes);
    platform_.QueueAnswer(YesNoCancel::Cancel);
    abortFlag = false;
    WriteReport(kChannelTextPrinter);
    EXPECT_TRUE(abortFlag);
    EXPECT_FALSE(std::filesystem::exists(printer));
    EXPECT_EQ(LeftFiles(), std::vector<std::string>{"triebstockrad.txt"});
    EXPECT_EQ(ReadFileBytes(earlier), "earlier report");
  }
}

// A prompt before each of the three pages and one before the message
// section; all confirmed, the printer receives the report in code page 850.
TEST_F(ReportTest, TextPrinterAsksBeforeEveryPage) {
  if (std::getenv("KV5_PRINTER_DEVICE")) GTEST_SKIP() << "printer device configured";
  Calculate(Drive::Wheel);
  platform_.QueueAnswer(true);  // "Pause nach jeder Seite ?"
  for (int page = 0; page < 4; ++page) platform_.QueueAnswer(YesNoCancel::Yes);
  WriteReport(kChannelTextPrinter);
  EXPECT_FALSE(abortFlag);
  EXPECT_EQ(platform_.PendingAnswers(), 0u);
  EXPECT_EQ(platform_.Questions().size(), 5u);
  const std::string printed = ReadFileBytes(PrinterDeviceName());
  EXPECT_NE(printed.find("Fu\xE1kreisdurchmesser"), std::string::npos);
  const std::string text = Cp850ToUtf8(printed);
  for (const char* piece : {"Bl. 1", "Bl. 2", "Bl. 3", "BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN"})
    EXPECT_NE(text.find(piece), std::string::npos) << piece;
}

// Kind 0 takes the configured channel.
TEST_F(ReportTest, DefaultChannelFromTheSettings) {
  defaultChannel = kChannelDosFile;
  Calculate(Drive::Rack);
  WriteReport();
  EXPECT_FALSE(abortFlag);
  const std::string dos = ReadFileBytes(temp_.File("OUTDOS.TXT"));
  EXPECT_NE(dos.find("Fu\xE1kreisdurchmesser"), std::string::npos);  // "ß" in code page 850
  EXPECT_EQ(Cp850ToUtf8(dos), ReadFileBytes(temp_.File("outwin.txt")));
}

TEST_F(ReportTest, ProfileText) {
  struct Case {
    int standard;
    bool editable;
    const char* designation;
    const char* note;
    const char* expected;
  };
  const Case cases[] = {
      {1, false, " 08B-1 ", "ISO 606", "08B-1 - ISO 606"},
      {1, false, "08B-1", "irgendwas", "08B-1 - ISO 606"},  // the note is not used
      {0, false, "10B-1  ", "  DIN 8187  ", "10B-1 - DIN 8187"},
      {0, false, "", "", " - "},
      {0, true, "10B-1", "DIN 8187", ""},
      {1, true, "08B-1", "ISO 606", ""},
  };
  for (const Case& c : cases) {
    model.chainStandard = c.standard;
    model.editable = c.editable;
    model.chain.designation = c.designation;
    model.chain.standardNote = c.note;
    EXPECT_EQ(ProfileText(), c.expected) << c.designation << " " << c.standard;
  }
}

}  // namespace
}  // namespace kv5
