// String routines shared by the whole program.
#pragma once

#include <string>

namespace kv5 {

// The folder with a closing separator ("/"; a folder already ending in "/"
// or "\\" stays as it is). An empty folder stays empty: a file name built
// from it then lies in the current folder.
std::string AddBackslash(const std::string& folder);

// Key "Date Code": 1 d.m.y, 2 m/d/y, 3 y-m-d, 4 d/m/y, other y/m/d.
extern short dateFormat;

}  // namespace kv5
