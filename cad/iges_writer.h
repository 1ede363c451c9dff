// Record formatting of IGES files: fixed 80-column records with the section
// letter in column 73 and the sequence number in columns 74..80, Hollerith
// strings, parameter data cut into records, directory entries and the
// terminate record.
//
// Texts go out in code page 1252, one byte per character, so that Hollerith
// counts and record columns are counted in the bytes of the file; control
// characters become blanks because a line break would break the record.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

inline constexpr size_t kIgesRecordWidth = 80;
inline constexpr size_t kIgesContentWidth = 72;    // S and G records: columns 1..72
inline constexpr size_t kIgesParameterWidth = 64;  // P records: columns 1..64

// One record: content, blanks, `rightField` right-aligned ending in column
// 72, the section letter and the 7-digit sequence number. Content longer
// than its columns is cut.
std::string IgesRecord(const std::string& content, char section, int sequence,
                       const std::string& rightField = std::string());

// A UTF-8 text as the file's bytes (code page 1252, control characters as
// blanks).
std::string IgesFileText(const std::string& text);
// Hollerith form of a text: byte count + "H" + the bytes (FILE → 4HFILE).
std::string IgesHollerith(const std::string& text);

// A parameter string cut into pieces of at most `width` bytes. Each cut is
// made after the last delimiter ("," or ";") that lies within the width and
// outside a Hollerith string; a piece without one is cut at the width, so a
// long string fills its record to the last column and goes on in the next.
std::vector<std::string> SplitIgesParameters(const std::string& parameters, size_t width);

// Numbers: coordinates and lengths with 4 decimals, matrix entries and
// angles with 6, shifted by the decimals setting; always with ".".
std::string IgesLength(Real x);
std::string IgesMatrixEntry(Real x);
std::string IgesAngle(Real radians);

// The fields of one directory entry (two D records).
struct IgesDirectoryEntry {
  int type = 0;
  int parameterPointer = 1;
  int lineFont = 1;
  int level = 0;
  std::string transform;  // "" blank, else the pointer
  std::string status = "00000000";
  int colour = 0;
  int parameterCount = 0;
  std::string form;   // "" blank
  std::string label;  // "" blank; cut to 8 characters
};
// The two D records; `sequence` is the number of the first one.
std::array<std::string, 2> IgesDirectoryRecords(const IgesDirectoryEntry& entry, int sequence);

// "S0000002G0000005D0000002P0000001" as the T record.
std::string IgesTerminateRecord(int s, int g, int d, int p);

// Colour index 0..15 of the pen table to the IGES colour number; other
// indices (configured DXF colours) by their hue.
int IgesColourNumber(int colourIndex);

}  // namespace kv5
