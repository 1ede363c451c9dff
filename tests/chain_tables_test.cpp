#include "model/chain_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/chain_table.h"
#include "model/drive_model.h"
#include "model/profile_designation.h"
#include "tests/dialog_test_platform.h"
#include "text/configuration.h"
#include "text/messages.h"

namespace kv5 {
namespace {

namespace fs = std::filesystem;

const std::string kBuilt = std::string(KV5_BUILD_DATA_DIR) + "/";
const std::string kCsv = std::string(KV5_SOURCE_DATA_DIR) + "/";

std::vector<std::vector<std::string>> ReadCsv(const std::string& file) {
  std::ifstream in(file);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // column names
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> cells;
    std::stringstream cellStream(line);
    std::string cell;
    while (std::getline(cellStream, cell, ',')) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

double Csv(const std::vector<std::string>& row, int column) {
  return std::stod(row.at(static_cast<size_t>(column) - 1));
}

// A table folder with copies of the built tables and a temporary folder.
class ChainTablesTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    for (const char* name : {"kv1chain.dbf", "iso606.dbf"})
      fs::copy_file(kBuilt + name, tables_.File(name));
    tableFolder = tables_.path();
    tempFolder = temp_.path();
  }
  testing::TempFolder tables_;
  testing::TempFolder temp_;
};

TEST_F(ChainTablesTest, BothTablesReadRowByRowAsInTheirCsvData) {
  const auto din = ReadCsv(kCsv + "kv1chain.csv");
  ASSERT_GT(din.size(), 40u);
  ASSERT_TRUE(OpenChainTable("kv1chain"));
  ASSERT_EQ(chainTable().RecordCount(), static_cast<int>(din.size()));
  ASSERT_EQ(chainTable().ColumnCount(), 19);
  for (size_t r = 0; r < din.size(); ++r) {
    SCOPED_TRACE("DIN row " + std::to_string(r + 1));
    GotoRecord(static_cast<int>(r) + 1);
    ReadDinRow();
    const auto& row = din[r];
    const KV1CHAIN_Record& c = model.chain;
    EXPECT_EQ(c.designation, row[0]);
    const double values[] = {c.p,
                             c.b1,
                             c.d1,
                             c.pt,
                             c.h2,
                             c.width1,
                             c.breakingForce1,
                             c.jointArea1,
                             c.mass1,
                             c.width2,
                             c.breakingForce2,
                             c.jointArea2,
                             c.mass2,
                             c.width3,
                             c.breakingForce3,
                             c.jointArea3,
                             c.mass3};
    for (int column = 2; column <= 18; ++column)
      EXPECT_DOUBLE_EQ(values[column - 2], Csv(row, column)) << "column " << column;
    EXPECT_EQ(c.standardNote, row[18]);
  }

  const auto iso = ReadCsv(kCsv + "iso606.csv");
  ASSERT_GT(iso.size(), 25u);
  ASSERT_TRUE(OpenChainTable("iso606"));
  ASSERT_EQ(chainTable().RecordCount(), static_cast<int>(iso.size()));
  ASSERT_EQ(chainTable().ColumnCount(), 15);
  for (size_t r = 0; r < iso.size(); ++r) {
    SCOPED_TRACE("ISO row " + std::to_string(r + 1));
    GotoRecord(static_cast<int>(r) + 1);
    model.chain.mass2 = 99;  // the reader clears the masses
    ReadIsoRow();
    const auto& row = iso[r];
    const KV1CHAIN_Record& c = model.chain;
    EXPECT_EQ(c.designation, row[0]);
    EXPECT_EQ(c.standardNote, row[1]);
    const double values[] = {c.p,
                             c.d1,
                             c.b1,
                             static_cast<double>(model.d2),
                             c.h2,
                             c.pt,
                             static_cast<double>(model.b2),
                             c.width1,
                             c.width2,
                             c.width3,
                             c.breakingForce1,
                             c.breakingForce2,
                             c.breakingForce3};
    for (int column = 3; column <= 15; ++column)
      EXPECT_NEAR(values[column - 3], Csv(row, column), 1e-12) << "column " << column;
    const double area = Csv(row, 6) * Csv(row, 9) / 100;
    EXPECT_NEAR(c.jointArea1, area, 1e-12);
    EXPECT_NEAR(c.jointArea2, 2 * area, 1e-12);
    EXPECT_NEAR(c.jointArea3, 3 * area, 1e-12);
    EXPECT_EQ(c.mass1 + c.mass2 + c.mass3, 0);
  }
}

TEST_F(ChainTablesTest, IsoJointAreasFollowFromPinDiameterAndLinkWidth) {
  ASSERT_TRUE(OpenChainTable("iso606"));
  bool found = false;
  for (int r = 1; r <= chainTable().RecordCount() && !found; ++r) {
    GotoRecord(r);
    found = chainTable().Column(1) == "08B";
  }
  ASSERT_TRUE(found);
  ReadIsoRow();
  EXPECT_NEAR(static_cast<double>(model.d2), 4.45, 1e-12);
  EXPECT_NEAR(static_cast<double>(model.b2), 11.3, 1e-12);
  EXPECT_NEAR(model.chain.jointArea1, 0.50285, 1e-12);
  EXPECT_NEAR(model.chain.jointArea2, 1.0057, 1e-12);
  EXPECT_NEAR(model.chain.jointArea3, 1.50855, 1e-12);
}

TEST_F(ChainTablesTest, ProfileDesignationInItsThreeForms) {
  struct Case {
    bool editable;
    int standard;
    short strands;
    bool withStrands;
    const char* expected;
  };
  const Case cases[] = {
      {true, 0, 1, false, ""},
      {true, 1, 2, true, ""},
      {false, 0, 1, false, "08B - DIN 8187"},
      {false, 1, 1, false, "08B - ISO 606"},
      {false, 0, 2, true, "08B-2 - DIN 8187"},
      {false, 1, 3, true, "08B-3 - ISO 606"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    model.chain.designation = " 08B ";
    model.chain.standardNote = "DIN 8187  ";
    model.editable = c.editable;
    model.chainStandard = c.standard;
    model.strands = c.strands;
    EXPECT_EQ(ProfileDesignation(c.withStrands), c.expected);
  }
}

TEST_F(ChainTablesTest, GotoRecordBeyondTheEndAndBelowOne) {
  ASSERT_TRUE(OpenChainTable("kv1chain"));
  const int count = chainTable().RecordCount();
  struct Case {
    int n;
    int expected;
    const char* message;
  };
  const Case cases[] = {
      {count + 7, count, "DBF #"}, {0, 1, ""}, {-3, 1, ""}, {5, 5, ""}, {count, count, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    ClearMessages();
    abortFlag = false;
    GotoRecord(c.n);
    EXPECT_EQ(chainTable().RecordNumber(), c.expected);
    EXPECT_FALSE(abortFlag);
    if (*c.message) {
      ASSERT_EQ(MessageCount(), 1);
      EXPECT_EQ(MessageText(1), "DBF #" + std::to_string(c.n) + " not found.");
    } else {
      EXPECT_EQ(MessageCount(), 0);
    }
  }
}

TEST_F(ChainTablesTest, IndexOrdersByPitchAndIsCheckedWhenOpened) {
  for (int standard : {0, 1}) {
    SCOPED_TRACE(standard);
    const std::string name = standard == 0 ? "kv1chain" : "iso606";
    const int pitchColumn = standard == 0 ? 2 : 3;
    ASSERT_TRUE(OpenChainTable(name));
    IndexChainTable(pitchColumn, name);
    ASSERT_FALSE(abortFlag);
    ChainTable& table = chainTable();
    EXPECT_TRUE(fs::exists(temp_.File(name + ".ndx")));
    std::vector<int> seen;
    double pitch = -1;
    for (table.First(); !table.EndOfTable(); table.Move(1)) {
      const double p = std::stod(table.Column(pitchColumn));
      EXPECT_GE(p, pitch);
      pitch = p;
      seen.push_back(table.RecordNumber());
      if (seen.size() > 1000u) break;
      if (table.RecordNumber() == table.Order().back()) {
        table.Move(1);
        EXPECT_TRUE(table.EndOfTable());
        EXPECT_EQ(table.RecordNumber(), table.Order().back());  // the last stays current
        break;
      }
    }
    EXPECT_EQ(static_cast<int>(seen.size()), table.RecordCount());
  }
  // An index file of another table or a damaged one is refused.
  const std::string index = temp_.File("iso606.ndx");
  ASSERT_TRUE(OpenChainTable("kv1chain"));
  EXPECT_FALSE(chainTable().OpenIndex(index));  // record count of the other table
  EXPECT_EQ(chainTable().LastError(), kTableIndexInvalid);
  const std::string bytes = testing::ReadFileBytes(temp_.File("kv1chain.ndx"));
  for (const std::string& damaged :
       {bytes.substr(0, bytes.size() / 2), std::string("KV5 index 1\nP\n48\n1\n1\n"),
        std::string("garbage")}) {
    testing::WriteFileBytes(index, damaged);
    chainTable().ResetError();
    EXPECT_FALSE(chainTable().OpenIndex(index));
    EXPECT_EQ(chainTable().LastError(), kTableIndexInvalid);
  }
}

TEST_F(ChainTablesTest, MissingTruncatedAndDamagedFilesGiveTheirMessages) {
  const std::string good = testing::ReadFileBytes(kBuilt + "kv1chain.dbf");
  ASSERT_GT(good.size(), 1000u);
  auto withByte = [&good](size_t at, char value) {
    std::string bytes = good;
    bytes[at] = value;
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;  // nothing written when "missing"
    std::string message;
  };
  const std::string missing = "File " + tables_.File("kv1chain.dbf") + " not found.";
  const std::string damaged = "Fehler : DBF Error " + std::to_string(kTableDamaged);
  const Case cases[] = {
      {"missing", "", missing},
      {"empty", std::string(), damaged},
      {"ten bytes", good.substr(0, 10), damaged},
      {"header cut", good.substr(0, 100), damaged},
      {"records cut", good.substr(0, good.size() / 2), damaged},
      {"last record cut", good.substr(0, good.size() - 10), damaged},
      {"record count too high", withByte(6, '\x7f'), damaged},
      {"header length beyond file", withByte(9, '\x7f'), damaged},
      {"record length wrong", withByte(10, '\x05'), damaged},
      {"memo field", withByte(32 + 11, 'M'), damaged},
      {"text", std::string(4000, 'x'), damaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(tables_.File("kv1chain.dbf"));
    if (std::string(c.what) != "missing")
      testing::WriteFileBytes(tables_.File("kv1chain.dbf"), c.bytes);
    dialogs_.ClearLog();
    abortFlag = false;
    EXPECT_FALSE(OpenChainTable("kv1chain"));
    EXPECT_TRUE(abortFlag);
    EXPECT_FALSE(chainTable().IsOpen());
    ASSERT_EQ(dialogs_.BoxTexts().size(), 1u);
    EXPECT_EQ(dialogs_.BoxTexts()[0], c.message);
    // The command stops after the message; nothing is taken into the model.
    abortFlag = false;
    model.chainRecordNo = 0;
    model.chain = {};
    BrowseDinTable(BrowseMode::Choose);
    EXPECT_TRUE(abortFlag);
    EXPECT_EQ(model.chainRecordNo, 0);
    EXPECT_EQ(model.chain.designation, "");
  }
}

TEST_F(ChainTablesTest, ReadOnlyTableIsEditedAsCopyInTheTemporaryFolder) {
  const std::string original = tables_.File("kv1chain.dbf");
  const std::string before = testing::ReadFileBytes(original);
  fs::permissions(original,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  std::vector<std::string> shownPaths;
  ChainTable::SetBrowseHook([&](ChainTable& table, const BrowseRequest& request) {
    shownPaths.push_back(table.path());
    EXPECT_EQ(request.mode, BrowseMode::Edit);
    EXPECT_EQ(request.helpTopic, kDinTableHelpTopic);
    EXPECT_EQ(table.title2(), kDinTableTitle);
    table.Go(3);
    EXPECT_TRUE(table.WriteColumn(1, "ZZ"));
    return true;
  });
  BrowseDinTable(BrowseMode::Edit);
  EXPECT_FALSE(abortFlag);
  ASSERT_EQ(shownPaths.size(), 1u);
  EXPECT_EQ(shownPaths[0], temp_.File("kv1chain.dbf"));
  ASSERT_EQ(dialogs_.BoxTexts().size(), 1u);
  EXPECT_EQ(dialogs_.BoxTexts()[0], kTemporaryCopyNote);
  EXPECT_EQ(model.chain.designation, "ZZ");
  EXPECT_EQ(model.chainRecordNo, 3);
  EXPECT_EQ(testing::ReadFileBytes(original), before);
  // The copy holds the change; it is not copied back.
  ASSERT_TRUE(chainTable().Open(temp_.File("kv1chain.dbf")));
  chainTable().Go(3);
  EXPECT_EQ(chainTable().Column(1), "ZZ");
  chainTable().Close();

  // A writable table is edited in place and no note is shown.
  fs::permissions(original, fs::perms::owner_write, fs::perm_options::add);
  dialogs_.ClearLog();
  shownPaths.clear();
  BrowseDinTable(BrowseMode::Edit);
  ASSERT_EQ(shownPaths.size(), 1u);
  EXPECT_EQ(shownPaths[0], original);
  EXPECT_TRUE(dialogs_.BoxTexts().empty());
}

TEST_F(ChainTablesTest, ChooseModeHidesDeletedRowsAndEditModeShowsThem) {
  ASSERT_TRUE(OpenChainTable("iso606"));
  ChainTable& table = chainTable();
  const int count = table.RecordCount();
  ASSERT_TRUE(table.SetDeleted(2, true));
  std::vector<std::vector<int>> orders;
  ChainTable::SetBrowseHook([&](ChainTable& t, const BrowseRequest&) {
    orders.push_back(t.Order());
    return false;
  });
  EXPECT_FALSE(table.Browse({BrowseMode::Choose, 0}));
  EXPECT_FALSE(table.Browse({BrowseMode::Edit, 0}));
  ASSERT_EQ(orders.size(), 2u);
  EXPECT_EQ(static_cast<int>(orders[0].size()), count - 1);
  EXPECT_EQ(std::count(orders[0].begin(), orders[0].end(), 2), 0);
  EXPECT_EQ(static_cast<int>(orders[1].size()), count);

  // Append, write, pack: the file holds the change after closing.
  ASSERT_TRUE(table.Append());
  EXPECT_EQ(table.RecordCount(), count + 1);
  ASSERT_TRUE(table.WriteColumn(1, "99X"));
  ASSERT_TRUE(table.WriteColumn(3, "31,75"));
  EXPECT_FALSE(table.WriteColumn(3, "many"));
  EXPECT_EQ(table.LastError(), kTableNotNumber);
  ASSERT_TRUE(table.Pack());
  EXPECT_EQ(table.RecordCount(), count);
  table.Close();
  ASSERT_TRUE(table.Open(tables_.File("iso606.dbf")));
  EXPECT_EQ(table.RecordCount(), count);
  table.Last();
  EXPECT_EQ(table.Column(1), "99X");
  EXPECT_EQ(std::stod(table.Column(3)), 31.75);
  const auto iso = ReadCsv(kCsv + "iso606.csv");
  table.Go(2);
  EXPECT_EQ(table.Column(1), iso[2][0]);  // the deleted second row is gone
}

TEST_F(ChainTablesTest, UnconfiguredTableFolderFindsTheTablesOfTheStartFolder) {
  tableFolder.clear();
  startFolder = tables_.path();
  CheckFolders();
  EXPECT_EQ(tableFolder, tables_.path());
  EXPECT_TRUE(OpenChainTable("KV1CHAIN"));  // another case of the name
}

}  // namespace
}  // namespace kv5
