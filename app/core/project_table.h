// The project table of the File menu: one row of key figures for every
// project file of the project folder, each read and calculated in turn.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kv5 {

struct ProjectTable {
  std::vector<std::string> titles;             // 20 column titles
  std::vector<std::vector<std::string>> rows;  // one per project file
  std::vector<std::string> files;              // file name (no folder) of each row
};

// Column titles; the length unit follows the current unit system.
std::vector<std::string> ProjectTableTitles();

// Reads every "*.kv5" of projectFolder in directory order and makes its
// row; the model then holds the last project read. `progress` is told the
// file about to be read (the window shows it in its caption).
ProjectTable BuildProjectTable(const std::function<void(const std::string&)>& progress = {});

}  // namespace kv5
