#include "model/chain_tables.h"

#include <filesystem>
#include <fstream>

#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/number_format.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

namespace fs = std::filesystem;

// The writability test of the table folder runs once per run (again only
// when the folder is configured anew).
struct FolderCheck {
  std::string folder;
  bool writable = false;
  bool done = false;
};
FolderCheck folderCheck;

bool TableFolderWritable() {
  if (folderCheck.done && folderCheck.folder == tableFolder) return folderCheck.writable;
  const std::string probe = AddBackslash(tableFolder) + "TEST.$$$";
  bool writable = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    if (out) {
      out << "DBF Write Check\r\n";
      out.close();
      writable = !out.fail();
    }
  }
  std::error_code error;
  fs::remove(probe, error);
  folderCheck = {tableFolder, writable, true};
  return writable;
}

bool ReadOnlyFile(const std::string& path) {
  std::error_code error;
  const fs::perms perms = fs::status(path, error).permissions();
  return !error && (perms & fs::perms::owner_write) == fs::perms::none;
}

// The file of that name in the folder; another case of the name when no
// file of exactly that name exists.
std::string FindFile(const std::string& folder, const std::string& name) {
  const std::string exact = AddBackslash(folder) + name;
  std::error_code error;
  if (fs::is_regular_file(exact, error)) return exact;
  const std::string wanted = UpperCase(name);
  for (fs::directory_iterator it(AddBackslash(folder), error), end; !error && it != end;
       it.increment(error)) {
    if (UpperCase(it->path().filename().string()) == wanted && it->is_regular_file(error))
      return it->path().string();
  }
  return "";
}

// A copy in the temporary folder that may be written.
bool CopyToTemporaryFolder(const std::string& source, std::string& copy) {
  copy = AddBackslash(tempFolder) + fs::path(source).filename().string();
  std::error_code error;
  if (fs::exists(copy, error)) {
    fs::permissions(copy, fs::perms::owner_write, fs::perm_options::add, error);
    error.clear();
  }
  fs::copy_file(source, copy, fs::copy_options::overwrite_existing, error);
  if (error) return false;
  fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                  error);
  return !error;
}

double Number(int column) {
  return static_cast<double>(ParseNumber(chainTable().Column(column)));
}

void ReportPositionError() {
  ShowError("Fehler : Database #" + std::to_string(chainTable().LastError()));
  chainTable().ResetError();
  abortFlag = true;
}

void Browse(const char* title, const char* name, int pitchColumn, int helpTopic, BrowseMode mode,
            void (*read)()) {
  ChainTable& table = chainTable();
  table.SetTitles("", title);
  if (!OpenChainTable(name)) return;
  IndexChainTable(pitchColumn, name);
  if (!abortFlag && model.chainRecordNo != 0) GotoRecord(model.chainRecordNo);
  if (!abortFlag) BrowseChainTable(mode, helpTopic);
  if (!abortFlag && read) {
    read();
    model.chainRecordNo = table.RecordNumber();
  }
  table.Close();
}

}  // namespace

ChainTable& chainTable() {
  static ChainTable table;
  return table;
}

void InitChainTables() {
  chainTable().Close();
  chainTable().SetTitles("", "");
  ChainTable::SetBrowseHook({});
  folderCheck = {};
}

bool OpenChainTable(const std::string& name) {
  ChainTable& table = chainTable();
  table.Close();
  std::string fileName = name;
  if (fileName.find('.') == std::string::npos) fileName += ".dbf";
  const bool onCopies = storedSettings.unlabelled.workOnTableCopies;
  const std::string folder = onCopies ? tempFolder : tableFolder;
  std::string path = FindFile(folder, fileName);
  if (path.empty()) {
    ShowError("File " + AddBackslash(folder) + fileName + " not found.");
    abortFlag = true;
    return false;
  }
  bool copied = onCopies;
  if (!onCopies) {
    const bool folderWritable = TableFolderWritable();
    if (!folderWritable || ReadOnlyFile(path)) {
      std::string copy;
      if (!CopyToTemporaryFolder(path, copy)) {
        ShowError("Fehler : DBF Error " + std::to_string(kTableCannotOpen));
        abortFlag = true;
        return false;
      }
      path = copy;
      copied = true;
    }
  }
  const std::string title1 = table.title1(), title2 = table.title2();
  if (!table.Open(path)) {
    ShowError("Fehler : DBF Error " + std::to_string(table.LastError()));
    table.ResetError();
    abortFlag = true;
    return false;
  }
  table.SetTitles(title1, title2);
  table.SetTemporaryCopy(copied);
  return true;
}

void IndexChainTable(int column, const std::string& name) {
  ChainTable& table = chainTable();
  const std::string columnName = table.ColumnName(column);
  const std::string file = AddBackslash(tempFolder) + name + ".ndx";
  if (columnName.empty() || !table.BuildIndex(columnName, file)) ReportPositionError();
}

void GotoRecord(int n) {
  ChainTable& table = chainTable();
  if (n > table.RecordCount()) {
    AddMessage("DBF #" + std::to_string(n) + " not found.");
    n = table.RecordCount();
  }
  if (n <= 0) n = 1;
  if (!table.Go(n)) ReportPositionError();
}

void ReadDinRow() {
  ChainTable& table = chainTable();
  KV1CHAIN_Record& c = model.chain;
  c.designation = table.Column(1);
  c.p = Number(2);
  c.b1 = Number(3);
  c.d1 = Number(4);
  c.pt = Number(5);
  c.h2 = Number(6);
  c.width1 = Number(7);
  c.breakingForce1 = Number(8);
  c.jointArea1 = Number(9);
  c.mass1 = Number(10);
  c.width2 = Number(11);
  c.breakingForce2 = Number(12);
  c.jointArea2 = Number(13);
  c.mass2 = Number(14);
  c.width3 = Number(15);
  c.breakingForce3 = Number(16);
  c.jointArea3 = Number(17);
  c.mass3 = Number(18);
  c.standardNote = table.Column(19);
  table.ResetError();  // a shorter table reads its missing columns as 0
}

void ReadIsoRow() {
  ChainTable& table = chainTable();
  KV1CHAIN_Record& c = model.chain;
  c.designation = table.Column(1);
  c.standardNote = table.Column(2);
  c.p = Number(3);
  c.d1 = Number(4);
  c.b1 = Number(5);
  model.d2 = Number(6);
  c.h2 = Number(7);
  c.pt = Number(8);
  model.b2 = Number(9);
  c.width1 = Number(10);
  c.width2 = Number(11);
  c.width3 = Number(12);
  c.breakingForce1 = Number(13);
  c.breakingForce2 = Number(14);
  c.breakingForce3 = Number(15);
  // Joint area of the pin in the inner link, per strand, in cm².
  const double area = static_cast<double>(model.d2 * model.b2 / 100);
  c.jointArea1 = area;
  c.jointArea2 = 2 * area;
  c.jointArea3 = 3 * area;
  c.mass1 = c.mass2 = c.mass3 = 0;
  table.ResetError();
}

void ReadChainRow() {
  if (model.chainStandard == 0)
    ReadDinRow();
  else
    ReadIsoRow();
}

void BrowseChainTable(BrowseMode mode, int helpTopic) {
  ChainTable& table = chainTable();
  if (mode == BrowseMode::Edit && table.temporaryCopy()) ShowInfo(kTemporaryCopyNote);
  if (!table.Browse({mode, helpTopic})) abortFlag = true;
}

void BrowseDinTable(BrowseMode mode) {
  Browse(kDinTableTitle, kDinTableName, 2, kDinTableHelpTopic, mode, ReadDinRow);
}

void BrowseIsoTable(BrowseMode mode) {
  Browse(kIsoTableTitle, kIsoTableName, 3, kIsoTableHelpTopic, mode, ReadIsoRow);
}

void EditIsoTable() {
  const int recordBefore = model.chainRecordNo;
  model.chainRecordNo = 0;  // the model's row belongs to whichever table it came from
  Browse(kIsoTableTitle, "ISO606", 3, kIsoTableHelpTopic, BrowseMode::Edit, nullptr);
  model.chainRecordNo = recordBefore;
}

}  // namespace kv5
