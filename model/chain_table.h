// One dBASE table file (.dbf, no memo files) opened for reading, browsing
// and editing: positioning in index or file order, columns read as text,
// an index on one column, and the modal browse window, which the window
// layer installs as a hook (tests install scripted ones).
//
// The file is read and written through shapelib's dBASE reader. Before
// shapelib sees a file, its header is checked against the file size, so a
// truncated or damaged file gives an error code instead of a read past the
// end.
//
// The index is this program's own format, a text file:
//   line 1  "KV5 index 1"
//   line 2  the column name
//   line 3  the record count of the table when the index was built
//   then    one record number per line, in ascending order of the column
//           (numerically for numeric columns, ties in file order).
// It is kept in memory once opened; opening checks that it matches the
// table (same record count, every record exactly once).
//
// Record numbers are 1-based, in file order. Deleted rows are skipped by
// the navigation unless SetShowDeleted(true) (the edit mode of the window).
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kv5 {

class ChainTable;

// Error codes of the table engine (LastError).
enum ChainTableError {
  kTableOk = 0,
  kTableCannotOpen = 1,    // the file cannot be opened
  kTableDamaged = 2,       // not a dBASE table, or its header does not fit the file
  kTableNoRecord = 3,      // record number outside the table
  kTableNoColumn = 4,      // column number or name not in the table
  kTableIndexWrite = 5,    // the index file cannot be written
  kTableIndexInvalid = 6,  // the index file is missing, damaged or not of this table
  kTableWriteFailed = 7,   // a change could not be written
  kTableNotOpen = 8,       // no table is open
  kTableNotNumber = 9,     // text for a numeric column is not a number
  kTableReadOnly = 10,     // the table was opened for reading only
};

// The browse window: choose a row (navigation only, deleted rows hidden) or
// edit the table (editing, appending, deleting, packing; deleted rows
// shown).
enum class BrowseMode { Edit = 0, Choose = 1 };

struct BrowseRequest {
  BrowseMode mode = BrowseMode::Choose;
  int helpTopic = 0;
};

// Shows the table modally; returns true for OK with the chosen row current,
// false for Cancel.
using BrowseHook = std::function<bool(ChainTable& table, const BrowseRequest& request)>;

class ChainTable {
 public:
  ChainTable() = default;
  ~ChainTable();
  ChainTable(const ChainTable&) = delete;
  ChainTable& operator=(const ChainTable&) = delete;

  // Opens the file (for writing too when it is writable); the first row
  // becomes current. False with LastError set when it fails.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }
  const std::string& path() const { return path_; }
  bool writable() const { return writable_; }
  // Whether the file is a copy in the temporary folder (set by the opener).
  bool temporaryCopy() const { return temporaryCopy_; }
  void SetTemporaryCopy(bool copy) { temporaryCopy_ = copy; }

  void SetTitles(const std::string& title1, const std::string& title2);
  const std::string& title1() const { return title1_; }
  const std::string& title2() const { return title2_; }

  // Navigation in index order (file order without an index).
  void First();
  void Last();
  // Moves by n rows; a move past the last row leaves the last row current
  // and sets the end-of-table flag, a move before the first row stops at
  // the first.
  void Move(int n);
  bool EndOfTable() const { return endOfTable_; }
  int RecordNumber() const { return current_; }  // 0 when the table has no row
  // Makes record n current; LastError kTableNoRecord when there is none.
  bool Go(int n);
  int RecordCount() const { return recordCount_; }

  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  // Column n (1-based) of the current row as text, blanks trimmed; empty
  // with LastError set when there is no such column or row.
  std::string Column(int n) const;
  std::string ColumnName(int n) const;
  bool ColumnNumeric(int n) const;

  // Builds an index on the named column into file and opens it.
  bool BuildIndex(const std::string& columnName, const std::string& file);
  bool OpenIndex(const std::string& file);

  // The browse window (the installed hook; without one the current row is
  // taken as chosen).
  bool Browse(const BrowseRequest& request);
  static void SetBrowseHook(BrowseHook hook);

  int LastError() const { return lastError_; }
  void ResetError() { lastError_ = kTableOk; }

  // Edit mode of the browse window.
  void SetShowDeleted(bool show);
  bool showDeleted() const { return showDeleted_; }
  bool IsDeleted(int record) const;
  // The records the navigation passes, in its order.
  const std::vector<int>& Order() const { return order_; }
  // Writes text into column n of the current row (numbers for a numeric
  // column, "," or "." as decimal point).
  bool WriteColumn(int n, const std::string& text);
  bool SetDeleted(int record, bool deleted);
  // Appends an empty row (texts empty, numbers 0) and makes it current.
  bool Append();
  // Removes the deleted rows from the file. The packed table is written
  // beside the file and renamed over it, so a failure leaves the file as it
  // was; an open index is built again.
  bool Pack();

 private:
  struct Column_ {
    std::string name;
    char type = 'C';
    int width = 0;
    int decimals = 0;
  };
  bool Fail(int code) const {
    lastError_ = code;
    return false;
  }
  bool ReadStructure();
  void BuildOrder();
  int PositionOfCurrent() const;
  bool WriteIndexFile(const std::string& file) const;

  void* handle_ = nullptr;  // shapelib's DBFHandle
  std::string path_;
  bool writable_ = false;
  bool temporaryCopy_ = false;
  std::string title1_, title2_;
  std::vector<Column_> columns_;
  int recordCount_ = 0;
  std::vector<int> indexOrder_;  // all records in index order; empty: file order
  std::string indexColumn_, indexFile_;
  std::vector<int> order_;  // the records the navigation passes
  bool showDeleted_ = false;
  int current_ = 0;
  bool endOfTable_ = false;
  mutable int lastError_ = kTableOk;
};

// Checks the dBASE header of a file image against its size: header and
// record lengths, field descriptors and their widths, the record count. An
// empty text when the file can be trusted, else what is wrong.
std::string CheckDbaseHeader(const std::string& bytes);

}  // namespace kv5
