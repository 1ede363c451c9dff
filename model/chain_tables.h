// The two chain tables delivered with the program, kv1chain (roller chains
// after DIN 8187/8188 and related DIN standards) and iso606 (roller chains
// after ISO 606): locating and opening them in the table folder (or a copy
// in the temporary folder), positioning, reading a row into the profile
// record of the drive, and browsing for a row.
#pragma once

#include <string>

#include "model/chain_table.h"

namespace kv5 {

// The one table object of the program; one table is open at a time.
ChainTable& chainTable();

inline constexpr const char* kDinTableName = "kv1chain";
inline constexpr const char* kIsoTableName = "iso606";
inline constexpr const char* kDinTableTitle = "Rollenketten nach DIN 8187/8188/8181/8154/8164";
inline constexpr const char* kIsoTableTitle = "Rollenketten nach ISO 606";
inline constexpr int kDinTableHelpTopic = 9510;
inline constexpr int kIsoTableHelpTopic = 9520;
// The note of the edit mode when the table is a copy in the temporary
// folder.
inline constexpr const char* kTemporaryCopyNote =
    "Kein Schreibrecht für dbf-Ordner !  Bearbeitung im Temporär-Ordner.";

// Opens the table file `name` (".dbf" added when the name has no "."),
// from the temporary folder when the program works on copies, else from
// the table folder. A table that may not be written there (the folder is
// not writable, or the file is read-only) is copied into the temporary
// folder and the copy is opened. The file name is matched without regard
// to case when no file of exactly that name exists. Failures show their
// message and set abortFlag.
bool OpenChainTable(const std::string& name);

// Builds the index on column `column` of the open table into temporary
// folder + name + ".ndx" and opens it.
void IndexChainTable(int column, const std::string& name);

// Record n current: beyond the end the message "DBF #<n> not found." and
// the last record; n ≤ 0 the first.
void GotoRecord(int n);

// The current row into model.chain (the ISO reader also sets d2 and b2 and
// derives the joint areas); ReadChainRow reads with the reader of the
// model's chain standard.
void ReadDinRow();
void ReadIsoRow();
void ReadChainRow();

// The Database-menu (edit) and geometry-dialog (choose) commands: open,
// index on the pitch, go to chainRecordNo, browse; on OK the row into
// model.chain and chainRecordNo. Cancel sets abortFlag.
void BrowseDinTable(BrowseMode mode);
void BrowseIsoTable(BrowseMode mode);
// The Database menu's ISO entry: the ISO table in the edit mode of the
// browser, without taking a row into the model.
void EditIsoTable();

// Browses the open table; shows the temporary-copy note first in the edit
// mode. Cancel sets abortFlag.
void BrowseChainTable(BrowseMode mode, int helpTopic);

// Start state: no table open, no browse window installed, the table
// folder not yet tested.
void InitChainTables();

}  // namespace kv5
