#include "app/core/project_table.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "model/drive_model.h"
#include "model/profile_designation.h"
#include "model/project_file.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/units.h"

namespace kv5 {

namespace {

namespace fs = std::filesystem;

std::string Trimmed(const std::string& text) {
  return TrimBlanks(text);
}

std::string FileDate(const fs::path& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) return {};
  const std::time_t t = status.st_mtime;
  std::tm local{};
  if (!localtime_r(&t, &local)) return {};
  char text[40];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday);
  return text;
}

// The project files of the folder, by name: the order a directory listing
// of the original file system gives.
std::vector<fs::path> ProjectFiles(const std::string& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  fs::directory_iterator it(folder.empty() ? "." : folder, error);
  if (error) return files;
  const std::string extension = std::string(".") + kProjectExtension;
  for (const fs::directory_entry& entry : it) {
    std::error_code typeError;
    if (!entry.is_regular_file(typeError)) continue;
    if (entry.path().extension() == extension) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The key figures of the drive in the model, in the order of the titles.
std::vector<std::string> RowOfModel(const std::string& file, const std::string& date) {
  const DriveModel& m = model;
  return {file,
          date,
          m.drawingNumber[1],
          m.drawingNumber[2],
          ProfileDesignation(false),
          m.pinRack ? "Triebstock" : "Triebstockrad",
          Trimmed(FormatLength(1, 2, m.chain.p)),
          Trimmed(FormatLength(1, 2, m.chain.d1)),
          Trimmed(FormatLength(1, 1, m.a)),
          FormatInt(m.z1),
          Trimmed(FormatLength(1, 1, m.d[1])),
          Trimmed(FormatFixed(1, 0, m.P * 1000)),
          Trimmed(FormatMoment(1, 0, m.T[1])),
          Trimmed(FormatForce(1, 0, m.Ft)),
          Trimmed(FormatFixed(1, 1, m.n[1])),
          Trimmed(FormatFixed(1, 0, m.v * 60)),
          Trimmed(FormatFixed(1, 2, m.SB)),
          Trimmed(FormatFixed(1, 2, m.SD)),
          m.infoText[0],
          m.infoText[1]};
}

}  // namespace

std::vector<std::string> ProjectTableTitles() {
  const std::string unit = LengthUnit();
  return {"File",      "Date  y/m/d", "No.1", "No.2",       "Profile", "Type",  "P " + unit,
          "DR" + unit, "a " + unit,   "z1",   "d1 " + unit, "P  W",    "T1",    "Ft",
          "n1 /min",   "v m/min",     "SB",   "SD",         "Text 1",  "Text 2"};
}

ProjectTable BuildProjectTable(const std::function<void(const std::string&)>& progress) {
  ProjectTable table;
  table.titles = ProjectTableTitles();
  // Faults of single files show as empty rows, not as a box per file.
  const bool boxesBefore = showErrorBoxes;
  showErrorBoxes = false;
  for (const fs::path& path : ProjectFiles(projectFolder)) {
    const std::string file = path.filename().string();
    if (progress) progress(file);
    const bool read = ReadProjectFile(path.string());
    abortFlag = false;
    std::vector<std::string> row;
    if (read) {
      row = RowOfModel(file, FileDate(path));
    } else {
      // A file that cannot be read shows no figures: they would be those
      // of the project read before it.
      row.assign(table.titles.size(), "");
      row[0] = file;
      row[1] = FileDate(path);
    }
    table.rows.push_back(std::move(row));
    table.files.push_back(file);
  }
  showErrorBoxes = boxesBefore;
  return table;
}

}  // namespace kv5
