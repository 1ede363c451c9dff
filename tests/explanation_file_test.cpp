// The delivered explanation file: its source parses, the build turned it
// into code page 850 with CR LF, and every message the program emits finds
// its own record.
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "tests/test_support.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/explanation_source.h"
#include "text/message_explanations.h"
#include "text/messages.h"

namespace kv5 {
namespace {

const std::string kSourceFile = std::string(KV5_SOURCE_DATA_DIR) + "/kv5.err.txt";
const std::string kBuiltFolder = std::string(KV5_BUILD_DATA_DIR) + "/";

std::string Key(const std::string& text) {
  return Utf8Left(text, kExplanationKeyLength);
}

class ExplanationFileTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    source_ = ParseExplanationSource(testing::ReadFileBytes(kSourceFile));
    for (const ExplanationRecord& r : source_.records) byKey_[Key(r.message)] = &r;
    pltFolder = kBuiltFolder;
  }
  // Lists `message` alone and checks that the look-up gives the record
  // whose message line is `recordLine`.
  void ExpectOwnRecord(const std::string& message, const std::string& recordLine) {
    SCOPED_TRACE(message);
    const ExplanationRecord* record = nullptr;
    for (const ExplanationRecord& r : source_.records)
      if (r.message == recordLine) record = &r;
    ASSERT_NE(record, nullptr) << "no record " << recordLine;
    ClearMessages();
    AddMessage(message);
    EXPECT_EQ(MessageCause(1), record->cause);
    EXPECT_EQ(MessageRemedy(1), record->remedy);
  }
  ExplanationSource source_;
  std::map<std::string, const ExplanationRecord*> byKey_;
};

TEST_F(ExplanationFileTest, SourceParsesAndTheBuiltFileIsItsCodePage850Form) {
  EXPECT_TRUE(source_.errors.empty());
  ASSERT_GT(source_.records.size(), 40u);
  const std::string built = testing::ReadFileBytes(kBuiltFolder + "kv5.err");
  EXPECT_EQ(built, ExplanationFileBytes(source_.records));

  // Every line ends in CR LF, there is no other line break, and the umlauts
  // are single bytes of code page 850 ("ä" is 84h).
  size_t lines = 0;
  for (size_t i = 0; i < built.size(); ++i) {
    if (built[i] == '\n') ADD_FAILURE() << "bare LF at byte " << i;
    if (built[i] != '\r') continue;
    ASSERT_LT(i + 1, built.size());
    EXPECT_EQ(built[i + 1], '\n') << "bare CR at byte " << i;
    ++i;
    ++lines;
  }
  EXPECT_EQ(lines, 3 * source_.records.size());
  EXPECT_NE(built.find("Z\x84hnezahl"), std::string::npos);
  EXPECT_FALSE(IsValidUtf8(built));

  LineReader reader;
  ASSERT_TRUE(reader.Open(kBuiltFolder + "kv5.err"));
  ASSERT_EQ(reader.LineCount(), 3 * source_.records.size());
  for (const ExplanationRecord& r : source_.records) {
    std::string message, cause, remedy;
    reader.ReadTextLine(message);
    reader.ReadTextLine(cause);
    reader.ReadTextLine(remedy);
    EXPECT_EQ(message, r.message);
    EXPECT_EQ(cause, r.cause);
    EXPECT_EQ(remedy, r.remedy);
  }
}

TEST_F(ExplanationFileTest, NoTwoRecordsShareTheirFirstFifteenCharacters) {
  std::map<std::string, std::string> seen;
  for (const ExplanationRecord& r : source_.records) {
    auto [at, fresh] = seen.emplace(Key(r.message), r.message);
    EXPECT_TRUE(fresh) << r.message << " collides with " << at->second;
  }
  // The look-up scans every line: no cause or remedy may start like a
  // message, or it would stand in for that message's record.
  for (const ExplanationRecord& r : source_.records)
    for (const std::string* text : {&r.cause, &r.remedy})
      EXPECT_EQ(seen.count(Key(*text)), 0u) << *text;
}

TEST_F(ExplanationFileTest, MessagesOfTheDrawingCadAndToleranceCodeFindTheirRecords) {
  const std::pair<const char*, const char*> cases[] = {
      {"Fatal  : QSORT2 error", "Fatal  : QSORT2 error"},
      {"Fatal  : n schraff !", "Fatal  : n schraff !"},
      {"Fatal  : schraff schnittp", "Fatal  : schraff schnittp"},
      {"Error: ArcCos 1.00002", "Error: ArcCos 1.00001"},
      {"Error: ArcCos 1.5", "Error: ArcCos 1.00001"},
      {"Error: ArcCos -1.2", "Error: ArcCos -1.00001"},
      {"fz (pow)", "fz (pow)"},
      {"Fehler in GetArcCenter (dphi = 0 ! ", "Fehler in GetArcCenter (dphi = 0 !"},
      {"Fehler : DXF: 3DSOLID", "Fehler : DXF: 3DFACE"},
      {"Fehler : DXF: ATTRIB", "Fehler : DXF: ATTDEF"},
      {"Fehler : DXF: BLOCK", "Fehler : DXF: BLOCK"},
      {"Fehler : DXF: DIMENSION", "Fehler : DXF: DIMENSION"},
      {"Fehler : DXF: ENDSEC", "Fehler : DXF: ELLIPSE"},
      {"Fehler : DXF: ENDBLK", "Fehler : DXF: ELLIPSE"},
      {"Fehler : DXF: HATCH", "Fehler : DXF: HATCH"},
      {"Fehler : DXF: IMAGE", "Fehler : DXF: IMAGE"},
      {"Fehler : DXF: LEADER", "Fehler : DXF: LEADER"},
      {"Fehler : DXF: MLINE", "Fehler : DXF: MTEXT"},
      {"Fehler : DXF: OLE2FRAME", "Fehler : DXF: OLE2FRAME"},
      {"Fehler : DXF: POINT", "Fehler : DXF: POINT"},
      {"Fehler : DXF: RAY", "Fehler : DXF: REGION"},
      {"Fehler : DXF: SPLINE", "Fehler : DXF: SECTION"},
      {"Fehler : DXF: TRACE", "Fehler : DXF: TABLE"},
      {"Fehler : DXF: VERTEX", "Fehler : DXF: VIEWPORT"},
      {"Fehler : DXF: WIPEOUT", "Fehler : DXF: WIPEOUT"},
      {"Fehler : DXF: XLINE", "Fehler : DXF: XLINE"},
      {"Invalid temp directory", "Invalid temp directory"},
      {"ungültige ISO-Toleranz", "ungültige ISO-Toleranz"},
      {"d>500 nicht definiert für Lage c", "d>500 nicht definiert für Lage"},
  };
  for (const auto& [message, record] : cases) ExpectOwnRecord(message, record);
}

// Every message that the calculation emits for a wide sweep of inputs has
// its own record, and every fatal record of the calculation is one that it
// really emits.
TEST_F(ExplanationFileTest, EveryMessageOfTheCalculationFindsItsOwnRecord) {
  using Change = std::function<void(DriveModel&)>;
  const Real inf = INFINITY;
  std::vector<Change> changes = {
      [](DriveModel&) {},
      [](DriveModel& m) { m.z1 = 0; },
      [](DriveModel& m) { m.z1 = 1; },
      [](DriveModel& m) { m.z1 = 9; },
      [](DriveModel& m) { m.z1 = 130; },
      [](DriveModel& m) { m.z2 = 0; },
      [](DriveModel& m) { m.z2 = -3; },
      [](DriveModel& m) { m.d2 = 9; },
      [](DriveModel& m) { m.dB[1] = 5; },
      [](DriveModel& m) { m.bf1 = 4000; },
      [](DriveModel& m) {
        m.chain.b1 = 0;
        m.bf1 = 0;
        m.b2 = 0;
      },
      [](DriveModel& m) { m.P = 0.75L; },  // Sp between 0.5 and 1
      [](DriveModel& m) { m.n[1] = 1e4000L; },
      [](DriveModel& m) {
        m.loadMode = 2;
        m.T[1] = 1e-4900L;
      },
  };
  auto add = [&](std::function<void(DriveModel&, Real)> set, std::vector<Real> values,
                 int loadMode = 0) {
    for (Real v : values)
      changes.push_back([=](DriveModel& m) {
        m.loadMode = loadMode;
        set(m, v);
      });
  };
  const std::vector<Real> zeroNegativeInfinite = {0, -1, inf};
  const std::vector<Real> negativeInfinite = {-1, inf};
  add([](DriveModel& m, Real v) { m.chain.p = v; }, zeroNegativeInfinite);
  add([](DriveModel& m, Real v) { m.chain.d1 = v; }, zeroNegativeInfinite);
  add([](DriveModel& m, Real v) { m.chain.b1 = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.chain.h2 = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.chain.pt = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.d2 = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.bf1 = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.s = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.FB = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.dB[1] = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.dB[2] = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.P = v; }, zeroNegativeInfinite);
  add([](DriveModel& m, Real v) { m.n[1] = v; }, zeroNegativeInfinite);
  add([](DriveModel& m, Real v) { m.T[1] = v; }, zeroNegativeInfinite, 1);
  add([](DriveModel& m, Real v) { m.KA = v; }, zeroNegativeInfinite);
  add([](DriveModel& m, Real v) { m.mu = v; }, negativeInfinite);
  add([](DriveModel& m, Real v) { m.b2 = v; }, negativeInfinite);

  std::set<std::string> emittedKeys;
  for (size_t k = 0; k < changes.size(); ++k) {
    SCOPED_TRACE("change " + std::to_string(k));
    ResetProgramState();
    pltFolder = kBuiltFolder;
    // ISO 606 08B, pin rack of 41 pins, 1.5 kW at 100/min.
    model.chain.p = 12.7;
    model.chain.d1 = 8.51;
    model.chain.b1 = 7.75;
    model.chain.h2 = 11.8;
    model.z1 = 17;
    model.z2 = 41;
    model.P = 1.5L;
    model.n[1] = 100;
    model.KA = 1.25L;
    changes[k](model);
    CalculateDrive();
    EXPECT_GT(MessageCount(), 0);
    for (int i = 1; i <= MessageCount(); ++i) {
      const std::string key = Key(MessageText(i));
      emittedKeys.insert(key);
      auto record = byKey_.find(key);
      if (record == byKey_.end()) {
        ADD_FAILURE() << "no record for " << MessageText(i);
        continue;
      }
      EXPECT_EQ(MessageCause(i), record->second->cause) << MessageText(i);
      EXPECT_EQ(MessageRemedy(i), record->second->remedy) << MessageText(i);
    }
  }
  // The fatal records belong to messages that are really emitted. The
  // hatching ones come from the drawings; a zero joint pressure can no
  // longer occur behind the load guards (the pin row's centrifugal force
  // alone makes it positive), its record stays for older programs' lists.
  const std::set<std::string> notFromTheCalculation = {"Fatal  : QSORT2", "Fatal  : n schr",
                                                       "Fatal  : schraf", "Fatal  : pg=0!"};
  for (const ExplanationRecord& r : source_.records) {
    const std::string key = Key(r.message);
    if (r.message.rfind(kFatalTag, 0) == 0 && !notFromTheCalculation.count(key)) {
      EXPECT_EQ(emittedKeys.count(key), 1u) << "not emitted: " << r.message;
    }
  }
  // The limits of the strength calculation were all reached.
  for (const char* limit :
       {"Fehler : z < 11", "Warnung: z > 12", "Fehler : SB < 7", "Fehler : SD < 5",
        "Fehler : Sp < 0", "Warnung: Sp < 1", "Warnung: tau sh", "Warnung: tau d2",
        "Warnung: p Hert", "Fehler : d2 > d", "Undefinierter N"})
    EXPECT_EQ(emittedKeys.count(limit), 1u) << limit;
}

TEST(ExplanationSourceTest, FaultsOfTheSourceAreReportedWithTheirLine) {
  struct Case {
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {"Meldung\nUrsache\n\nNächste\nU\nA\n", "line 1: record of 2 lines, not 3"},
      {"# Kopf\nM\nU\nA\nB\n", "line 2: record of 4 lines, not 3"},
      {"M\nU \xe2\x89\xa5 7\nA\n", "line 2: character outside code page 850"},
      {"M\nU\n" + std::string(255, 'a') + "\n", "line 3: longer than 254 characters"},
      {"M\n\xff\nA\n", "line 2: not UTF-8"},
      {"# nur Kommentar\n\n", "no records"},
  };
  for (const Case& c : cases) {
    ExplanationSource source = ParseExplanationSource(c.text);
    EXPECT_EQ(source.errors, (std::vector<std::string>{c.error})) << c.text;
  }
  ExplanationSource sound = ParseExplanationSource("# c\r\nM\r\nU\r\nÄ\r\n\r\n\r\nN\r\nV\r\nB");
  EXPECT_TRUE(sound.errors.empty());
  ASSERT_EQ(sound.records.size(), 2u);
  EXPECT_EQ(sound.records[1].sourceLine, 7);
  EXPECT_EQ(ExplanationFileBytes(sound.records), "M\r\nU\r\n\x8e\r\nN\r\nV\r\nB\r\n");
}

}  // namespace
}  // namespace kv5
