#include "model/chain_table.h"

#include <shapefil.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "text/number_format.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

BrowseHook& browseHook() {
  static BrowseHook hook;
  return hook;
}

DBFHandle Handle(void* handle) {
  return static_cast<DBFHandle>(handle);
}

unsigned Byte(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

uint64_t Little(const std::string& bytes, size_t at, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = value * 256 + Byte(bytes, at + static_cast<size_t>(i));
  return value;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool OwnerMayWrite(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::perms perms = fs::status(path, error).permissions();
  return !error && (perms & fs::perms::owner_write) != fs::perms::none;
}

// Numbers of a numeric column: "," or "." as decimal point, blanks around.
bool ReadNumber(const std::string& text, double& value) {
  Real number = 0;
  if (!TryParseNumber(TrimBlanks(text), number)) return false;
  value = static_cast<double>(number);
  return true;
}

}  // namespace

std::string CheckDbaseHeader(const std::string& bytes) {
  constexpr size_t kFileHeader = 32, kFieldDescriptor = 32;
  if (bytes.size() < kFileHeader) return "shorter than a dBASE header";
  const uint64_t recordCount = Little(bytes, 4, 4);
  const uint64_t headerLength = Little(bytes, 8, 2);
  const uint64_t recordLength = Little(bytes, 10, 2);
  if (headerLength < kFileHeader + kFieldDescriptor + 1) return "header without fields";
  if (headerLength > bytes.size()) return "header longer than the file";
  // The same field count the reader derives from the header length.
  const uint64_t fieldCount = (headerLength - kFileHeader) / kFieldDescriptor;
  uint64_t widths = 1;  // the deletion flag
  for (uint64_t i = 0; i < fieldCount; ++i) {
    const size_t at = kFileHeader + static_cast<size_t>(i) * kFieldDescriptor;
    const char type = bytes[at + 11];
    uint64_t width = Byte(bytes, at + 16);
    if (type == 'C') width += 256 * Byte(bytes, at + 17);
    if (type != 'C' && type != 'N' && type != 'F' && type != 'L' && type != 'D')
      return "field " + std::to_string(i + 1) + " of unknown type";
    if (width == 0) return "field " + std::to_string(i + 1) + " without width";
    widths += width;
  }
  if (widths != recordLength) return "record length does not match the fields";
  if (headerLength + recordCount * recordLength > bytes.size())
    return "file ends inside its records";
  return "";
}

ChainTable::~ChainTable() {
  Close();
}

void ChainTable::SetBrowseHook(BrowseHook hook) {
  browseHook() = std::move(hook);
}

bool ChainTable::Open(const std::string& path) {
  Close();
  lastError_ = kTableOk;
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return Fail(kTableCannotOpen);
  if (!CheckDbaseHeader(bytes).empty()) return Fail(kTableDamaged);
  writable_ = OwnerMayWrite(path);
  DBFHandle handle = DBFOpen(path.c_str(), writable_ ? "rb+" : "rb");
  if (!handle && writable_) {
    writable_ = false;
    handle = DBFOpen(path.c_str(), "rb");
  }
  if (!handle) return Fail(kTableCannotOpen);
  handle_ = handle;
  path_ = path;
  if (!ReadStructure()) {
    Close();
    return Fail(kTableDamaged);
  }
  BuildOrder();
  First();
  return true;
}

bool ChainTable::ReadStructure() {
  DBFHandle handle = Handle(handle_);
  columns_.clear();
  recordCount_ = DBFGetRecordCount(handle);
  const int count = DBFGetFieldCount(handle);
  if (count <= 0 || recordCount_ < 0) return false;
  for (int i = 0; i < count; ++i) {
    char name[XBASE_FLDNAME_LEN_READ + 1] = {};
    int width = 0, decimals = 0;
    DBFGetFieldInfo(handle, i, name, &width, &decimals);
    columns_.push_back({TrimBlanks(name), DBFGetNativeFieldType(handle, i), width, decimals});
  }
  return true;
}

void ChainTable::Close() {
  if (handle_) DBFClose(Handle(handle_));
  handle_ = nullptr;
  path_.clear();
  writable_ = false;
  temporaryCopy_ = false;
  columns_.clear();
  recordCount_ = 0;
  indexOrder_.clear();
  indexColumn_.clear();
  indexFile_.clear();
  order_.clear();
  showDeleted_ = false;
  current_ = 0;
  endOfTable_ = false;
}

void ChainTable::SetTitles(const std::string& title1, const std::string& title2) {
  title1_ = title1;
  title2_ = title2;
}

void ChainTable::BuildOrder() {
  order_.clear();
  std::vector<int> all = indexOrder_;
  if (all.empty())
    for (int r = 1; r <= recordCount_; ++r) all.push_back(r);
  for (int r : all)
    if (showDeleted_ || !IsDeleted(r)) order_.push_back(r);
}

int ChainTable::PositionOfCurrent() const {
  auto it = std::find(order_.begin(), order_.end(), current_);
  return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

void ChainTable::First() {
  endOfTable_ = order_.empty();
  current_ = order_.empty() ? 0 : order_.front();
}

void ChainTable::Last() {
  endOfTable_ = order_.empty();
  current_ = order_.empty() ? 0 : order_.back();
}

void ChainTable::Move(int n) {
  if (order_.empty()) {
    current_ = 0;
    endOfTable_ = true;
    return;
  }
  long long position = PositionOfCurrent();
  if (position < 0) position = n > 0 ? -1 : 0;  // a hidden current row
  const long long target = position + n;
  endOfTable_ = target >= static_cast<long long>(order_.size());
  const long long last = static_cast<long long>(order_.size()) - 1;
  current_ = order_[static_cast<size_t>(std::clamp(target, 0LL, last))];
}

bool ChainTable::Go(int n) {
  if (!handle_) return Fail(kTableNotOpen);
  if (n < 1 || n > recordCount_) return Fail(kTableNoRecord);
  current_ = n;
  endOfTable_ = false;
  return true;
}

std::string ChainTable::Column(int n) const {
  if (!handle_) return Fail(kTableNotOpen), "";
  if (n < 1 || n > ColumnCount()) return Fail(kTableNoColumn), "";
  if (current_ < 1 || current_ > recordCount_) return Fail(kTableNoRecord), "";
  const char* text = DBFReadStringAttribute(Handle(handle_), current_ - 1, n - 1);
  return text ? TrimBlanks(text) : std::string();
}

std::string ChainTable::ColumnName(int n) const {
  if (n < 1 || n > ColumnCount()) return Fail(kTableNoColumn), "";
  return columns_[static_cast<size_t>(n) - 1].name;
}

bool ChainTable::ColumnNumeric(int n) const {
  if (n < 1 || n > ColumnCount()) return false;
  const char type = columns_[static_cast<size_t>(n) - 1].type;
  return type == 'N' || type == 'F';
}

bool ChainTable::IsDeleted(int record) const {
  if (!handle_ || record < 1 || record > recordCount_) return false;
  return DBFIsRecordDeleted(Handle(handle_), record - 1) != 0;
}

bool ChainTable::BuildIndex(const std::string& columnName, const std::string& file) {
  if (!handle_) return Fail(kTableNotOpen);
  int column = 0;
  for (int i = 1; i <= ColumnCount(); ++i)
    if (UpperCase(ColumnName(i)) == UpperCase(columnName)) column = i;
  if (column == 0) return Fail(kTableNoColumn);
  struct Key {
    double number;
    std::string text;
    int record;
  };
  std::vector<Key> keys;
  const bool numeric = ColumnNumeric(column);
  for (int r = 1; r <= recordCount_; ++r) {
    const char* raw = DBFReadStringAttribute(Handle(handle_), r - 1, column - 1);
    Key key{0, raw ? TrimBlanks(raw) : "", r};
    if (numeric) ReadNumber(key.text, key.number);
    keys.push_back(key);
  }
  std::stable_sort(keys.begin(), keys.end(), [numeric](const Key& a, const Key& b) {
    return numeric ? a.number < b.number : a.text < b.text;
  });
  indexColumn_ = ColumnName(column);
  std::vector<int> order;
  for (const Key& key : keys) order.push_back(key.record);
  const std::vector<int> before = indexOrder_;
  indexOrder_ = order;
  if (!WriteIndexFile(file)) {
    indexOrder_ = before;
    return Fail(kTableIndexWrite);
  }
  indexOrder_ = before;
  return OpenIndex(file);
}

bool ChainTable::WriteIndexFile(const std::string& file) const {
  // Written beside and renamed, so that a failed write leaves no half index.
  const std::string part = file + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << "KV5 index 1\n" << indexColumn_ << "\n" << recordCount_ << "\n";
    for (int r : indexOrder_) out << r << "\n";
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(part);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(part, file, error);
  if (error) std::filesystem::remove(part, error);
  return !error;
}

bool ChainTable::OpenIndex(const std::string& file) {
  if (!handle_) return Fail(kTableNotOpen);
  std::ifstream in(file, std::ios::binary);
  std::string magic, column, countLine;
  if (!in || !std::getline(in, magic) || magic != "KV5 index 1" || !std::getline(in, column) ||
      !std::getline(in, countLine))
    return Fail(kTableIndexInvalid);
  int count = 0;
  if (!TryParseInt(countLine, count) || count != recordCount_) return Fail(kTableIndexInvalid);
  bool known = false;
  for (int i = 1; i <= ColumnCount(); ++i) known = known || ColumnName(i) == column;
  if (!known) return Fail(kTableIndexInvalid);
  std::vector<int> order;
  std::vector<bool> seen(static_cast<size_t>(recordCount_) + 1, false);
  std::string line;
  while (std::getline(in, line)) {
    int r = 0;
    if (!TryParseInt(line, r) || r < 1 || r > recordCount_ || seen[static_cast<size_t>(r)])
      return Fail(kTableIndexInvalid);
    seen[static_cast<size_t>(r)] = true;
    order.push_back(r);
  }
  if (static_cast<int>(order.size()) != recordCount_) return Fail(kTableIndexInvalid);
  indexOrder_ = order;
  indexColumn_ = column;
  indexFile_ = file;
  BuildOrder();
  First();
  return true;
}

bool ChainTable::Browse(const BrowseRequest& request) {
  if (!handle_) return Fail(kTableNotOpen);
  if (!browseHook()) return current_ != 0;
  const bool showBefore = showDeleted_;
  SetShowDeleted(request.mode == BrowseMode::Edit);
  const bool chosen = browseHook()(*this, request);
  SetShowDeleted(showBefore);
  return chosen && handle_ != nullptr;
}

void ChainTable::SetShowDeleted(bool show) {
  if (show == showDeleted_) return;
  showDeleted_ = show;
  BuildOrder();
  if (PositionOfCurrent() < 0) {
    // The current row was hidden: the next visible one in the same order.
    const int record = current_;
    First();
    std::vector<int> all = indexOrder_;
    if (all.empty())
      for (int r = 1; r <= recordCount_; ++r) all.push_back(r);
    auto at = std::find(all.begin(), all.end(), record);
    for (; at != all.end(); ++at)
      if (std::find(order_.begin(), order_.end(), *at) != order_.end()) {
        current_ = *at;
        break;
      }
  }
}

bool ChainTable::WriteColumn(int n, const std::string& text) {
  if (!handle_) return Fail(kTableNotOpen);
  if (!writable_) return Fail(kTableReadOnly);
  if (n < 1 || n > ColumnCount()) return Fail(kTableNoColumn);
  if (current_ < 1 || current_ > recordCount_) return Fail(kTableNoRecord);
  DBFHandle handle = Handle(handle_);
  int written = 0;
  if (ColumnNumeric(n)) {
    double value = 0;
    if (!ReadNumber(text, value)) return Fail(kTableNotNumber);
    written = DBFWriteDoubleAttribute(handle, current_ - 1, n - 1, value);
  } else {
    written = DBFWriteStringAttribute(handle, current_ - 1, n - 1, text.c_str());
  }
  DBFUpdateHeader(handle);
  return written ? true : Fail(kTableWriteFailed);
}

bool ChainTable::SetDeleted(int record, bool deleted) {
  if (!handle_) return Fail(kTableNotOpen);
  if (!writable_) return Fail(kTableReadOnly);
  if (record < 1 || record > recordCount_) return Fail(kTableNoRecord);
  if (!DBFMarkRecordDeleted(Handle(handle_), record - 1, deleted ? 1 : 0))
    return Fail(kTableWriteFailed);
  DBFUpdateHeader(Handle(handle_));
  BuildOrder();
  return true;
}

bool ChainTable::Append() {
  if (!handle_) return Fail(kTableNotOpen);
  if (!writable_) return Fail(kTableReadOnly);
  DBFHandle handle = Handle(handle_);
  const int record = recordCount_;  // 0-based number of the new row
  bool written = true;
  for (int n = 1; n <= ColumnCount(); ++n)
    written = written && (ColumnNumeric(n) ? DBFWriteDoubleAttribute(handle, record, n - 1, 0)
                                           : DBFWriteStringAttribute(handle, record, n - 1, ""));
  DBFUpdateHeader(handle);
  recordCount_ = DBFGetRecordCount(handle);
  if (!written || recordCount_ != record + 1) return Fail(kTableWriteFailed);
  // The new row goes to the end of the order until the index is rebuilt.
  if (!indexOrder_.empty()) indexOrder_.push_back(recordCount_);
  BuildOrder();
  current_ = recordCount_;
  endOfTable_ = false;
  return true;
}

bool ChainTable::Pack() {
  namespace fs = std::filesystem;
  if (!handle_) return Fail(kTableNotOpen);
  if (!writable_) return Fail(kTableReadOnly);
  DBFHandle handle = Handle(handle_);
  DBFUpdateHeader(handle);
  std::string base = path_;
  if (base.size() > 4 && UpperCase(base.substr(base.size() - 4)) == ".DBF")
    base.resize(base.size() - 4);
  const std::string packed = base + "~pack.dbf";
  DBFHandle copy = DBFCloneEmpty(handle, packed.c_str());
  if (!copy) return Fail(kTableWriteFailed);
  bool written = true;
  int kept = 0;
  for (int r = 0; r < recordCount_ && written; ++r) {
    if (DBFIsRecordDeleted(handle, r)) continue;
    const char* tuple = DBFReadTuple(handle, r);
    written = tuple && DBFWriteTuple(copy, kept, const_cast<char*>(tuple));
    ++kept;
  }
  DBFUpdateHeader(copy);
  written = written && DBFGetRecordCount(copy) == kept;
  DBFClose(copy);
  std::error_code error;
  if (!written) {
    fs::remove(packed, error);
    return Fail(kTableWriteFailed);
  }
  const std::string path = path_, title1 = title1_, title2 = title2_;
  const std::string indexColumn = indexColumn_, indexFile = indexFile_;
  const bool temporaryCopy = temporaryCopy_, showDeleted = showDeleted_;
  DBFClose(handle);
  handle_ = nullptr;
  fs::rename(packed, path, error);
  if (error) fs::remove(packed, error);
  const bool renamed = !error;
  if (!Open(path)) return false;
  temporaryCopy_ = temporaryCopy;
  SetTitles(title1, title2);
  SetShowDeleted(showDeleted);
  if (!indexColumn.empty() && !BuildIndex(indexColumn, indexFile)) return false;
  return renamed ? true : Fail(kTableWriteFailed);
}

}  // namespace kv5
