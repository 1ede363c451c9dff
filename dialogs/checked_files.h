// Checked creating, writing and closing of the program's own text files:
// an I/O error is reported in an error box that names it (while
// showErrorBoxes is set) and sets abortFlag. Only the first failure of a
// file is reported, so a full disk gives one box, not one per line.
#pragma once

#include <string>

#include "model/line_file.h"

namespace kv5 {

// The texts of the boxes, by the system's error number.
std::string WriteFailureText(int errorNumber);   // "Diskette/Platte voll" or
                                                 // "Fehler bei Zugriff auf Diskette/Platte"
std::string CloseFailureText(int errorNumber);   // "Diskette/Platte voll" or
                                                 // "Fehler beim Schließen einer Datei"
std::string CreateFailureText(int errorNumber);  // "Diskette/Platte voll" or "file write error"

// Each returns false (after the box and abortFlag) on failure.
bool CreateChecked(LineWriter& writer, const std::string& fileName);
bool WriteChecked(LineWriter& writer, const std::string& line, bool utf8 = false);
// Completes the file and puts it in place of the old one; on failure the
// old file stays unchanged.
bool CloseChecked(LineWriter& writer);

}  // namespace kv5
