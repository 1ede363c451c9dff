// Block files: the bodies of blocks kept as DXF entity lists on disk, named
// "$" + block name + ".dx$".
//
// Where they live:
//  - Block files the program writes (screen, STL and STEP runs) go into a
//    folder private to this process: a sub-folder "kv5blocks.XXXXXX" of the
//    temporary folder, created at first use and removed with its contents
//    when the process ends (or by RemoveBlockFolder when the main window
//    closes). Two programs running at once, e.g. two batch runs, therefore
//    never read or delete each other's blocks. The program writes the names
//    in lower case, so that block names compare without regard to case.
//  - Hand-made snippets ("$logo_1.dx$", "$head_0.dx$", "$LOGO_2.dx$",
//    "$insert_0.dx$" ...) are placed by the user in the temporary folder
//    itself and are only read, never written or deleted by the program.
//
// Looking up a block name therefore tries the private folder first, then
// the temporary folder with the exact name, then the temporary folder
// without regard to case. The temporary folder is tempFolder, or the
// system's temporary folder while none is configured.
#pragma once

#include <string>

namespace kv5 {

// The temporary folder in use (ends with "/").
std::string TemporaryFolder();

// The private folder of this process (ends with "/"), created on the first
// call; empty when it cannot be created.
std::string BlockFolder();

// The file a block body is written to (in the private folder); empty when
// the private folder cannot be created or the name cannot be a file name.
std::string BlockFileForWriting(const std::string& blockName);

// The file an insert of the block reads, following the rule above; empty
// when there is none.
std::string FindBlockFile(const std::string& blockName);

// Removes every block file of the private folder (the end of a screen run).
void DeleteBlockFiles();

// Removes the private folder with its contents; the next use creates a new
// one.
void RemoveBlockFolder();

// Start-up state: any private folder of an earlier state is removed.
void InitBlockFiles();

}  // namespace kv5
