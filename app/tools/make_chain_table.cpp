// Builds a delivered chain table (dBASE .dbf) from its reviewed CSV data:
//   kv5_make_chain_table SOURCE.csv TARGET.dbf
// The first CSV line holds the column names, in the order the program
// reads the columns. A column whose every value is a number becomes a
// numeric dBASE column with as many decimals as its longest fraction; the
// others become text columns. dBASE column names have at most 10
// characters: longer names are shortened by a fixed list. Any fault of the
// source (ragged rows, an unknown long name, an empty table) fails the
// build; the target is written beside and renamed, so a failed run leaves
// no half table.
#include <shapefil.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitCsvLine(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::vector<std::string> cells;
  std::string cell;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells.push_back(cell);
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells.push_back(cell);
  return cells;
}

// A plain decimal number: optional sign, digits, optional "." and digits.
bool IsNumber(const std::string& text, int& decimals) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  int digits = 0;
  decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      ++digits;
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits > 0;
}

std::string DbaseName(const std::string& name) {
  static const std::map<std::string, std::string> shortNames = {
      {"designation", "DESIGNATIO"}, {"standardNote", "NOTE"},      {"breakingForce1", "BFORCE1"},
      {"breakingForce2", "BFORCE2"}, {"breakingForce3", "BFORCE3"}, {"jointArea1", "JAREA1"},
      {"jointArea2", "JAREA2"},      {"jointArea3", "JAREA3"},
  };
  auto it = shortNames.find(name);
  std::string result = it != shortNames.end() ? it->second : name;
  if (result.empty() || result.size() > 10) return "";
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "kv5_make_chain_table: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc != 3) return Fail("usage: kv5_make_chain_table SOURCE.csv TARGET.dbf");
  const std::string source = argv[1];
  const fs::path target = argv[2];
  std::ifstream in(source, std::ios::binary);
  if (!in) return Fail("cannot read " + source);
  std::string line;
  if (!std::getline(in, line)) return Fail(source + " is empty");
  const std::vector<std::string> names = SplitCsvLine(line);
  std::vector<std::vector<std::string>> rows;
  for (int number = 2; std::getline(in, line); ++number) {
    if (line.empty() || line == "\r") continue;
    rows.push_back(SplitCsvLine(line));
    if (rows.back().size() != names.size())
      return Fail(source + " line " + std::to_string(number) + ": " +
                  std::to_string(rows.back().size()) + " values for " +
                  std::to_string(names.size()) + " columns");
  }
  if (rows.empty()) return Fail(source + " has no rows");

  struct Column {
    std::string name;
    bool numeric = true;
    int width = 1;
    int decimals = 0;
  };
  std::vector<Column> columns;
  std::set<std::string> seen;
  for (size_t c = 0; c < names.size(); ++c) {
    Column column;
    column.name = DbaseName(names[c]);
    if (column.name.empty()) return Fail("no dBASE name for column " + names[c]);
    if (!seen.insert(column.name).second) return Fail("column name twice: " + column.name);
    int integerDigits = 1;
    for (const auto& row : rows) {
      int decimals = 0;
      if (!IsNumber(row[c], decimals)) column.numeric = false;
      column.decimals = std::max(column.decimals, decimals);
      const size_t point = row[c].find('.');
      integerDigits = std::max(
          integerDigits, static_cast<int>(point == std::string::npos ? row[c].size() : point));
      column.width = std::max(column.width, static_cast<int>(row[c].size()));
    }
    if (column.numeric) {
      // Room for a sign, one more integer digit and the fraction.
      column.width = integerDigits + 2 + (column.decimals > 0 ? column.decimals + 1 : 0);
    } else {
      column.width = std::max(column.width + 10, 20);
      column.decimals = 0;
    }
    if (column.width > 254) return Fail("column " + names[c] + " too wide");
    columns.push_back(column);
  }

  std::error_code error;
  fs::create_directories(target.parent_path().empty() ? "." : target.parent_path(), error);
  const fs::path part = target.parent_path() / (target.stem().string() + "~new.dbf");
  fs::remove(part, error);
  DBFHandle dbf = DBFCreate(part.string().c_str());
  if (!dbf) return Fail("cannot create " + part.string());
  bool ok = true;
  for (const Column& column : columns)
    ok = ok && DBFAddField(dbf, column.name.c_str(), column.numeric ? FTDouble : FTString,
                           column.width, column.decimals) >= 0;
  for (size_t r = 0; r < rows.size() && ok; ++r) {
    for (size_t c = 0; c < columns.size() && ok; ++c) {
      const int record = static_cast<int>(r), field = static_cast<int>(c);
      ok = columns[c].numeric
               ? DBFWriteDoubleAttribute(dbf, record, field, std::stod(rows[r][c])) != 0
               : DBFWriteStringAttribute(dbf, record, field, rows[r][c].c_str()) != 0;
    }
  }
  ok = ok && DBFGetRecordCount(dbf) == static_cast<int>(rows.size());
  DBFClose(dbf);
  if (!ok) {
    fs::remove(part, error);
    return Fail("cannot write " + part.string());
  }
  fs::rename(part, target, error);
  if (error) {
    fs::remove(part, error);
    return Fail("cannot write " + target.string());
  }
  return 0;
}
