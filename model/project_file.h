// The project file <name>.kv5: the inputs of the one drive, its document
// texts, change log and document links, one value per line in a fixed
// order (CR LF line ends, code page 850, "." as decimal mark). Results are
// never stored; reading a project ends with a calculation.
//
// Reading a damaged file. Every line of a project file ends with a line
// end, so a last line without one was cut and is not read. The reader first
// takes the file as laid out by the writer. When that layout does not hold
// (the file ends early, a block does not start where expected, a count or
// a closing line is wrong), it reads again tolerantly:
//  - The three block first lines ("ÄNDERUNGEN", "Dokumente",
//    "ISO 7200 Header") are never taken as values: a section that meets one
//    ends there, its remaining fields keep their values.
//  - A block is looked for from the current line onwards up to the next
//    block first line; lines in between (extra lines, garbage) are passed
//    over. A block that is not found is left out and the reader goes on
//    where it stood.
//  - A change record or document link counts only when its closing line of
//    "-" follows (or the file ends); the first record that fails this ends
//    the list there, so a wrong count cannot swallow the lines after it.
//    Change records also go on past a count that is too low, up to the line
//    of drawing information; drawing texts are the lines of their shape.
//    At most 25 changes and 8 drawing texts are kept; further records in
//    the file are passed over.
// Texts are kept whole, however long: saving writes them back unchanged.
// Texts of 255 characters or more come out empty wherever a text is made
// ready for display (drawings, CAD files, input fields), so reading says so
// once per file, naming the first such line.
// Everything is read into a copy of the model and the document data; the
// copy replaces them only when the file was a project file at all. Fields
// the file does not reach keep their current values.
#pragma once

#include <string>

#include "model/line_file.h"
#include "text/codepage.h"
#include "text/text_conversion.h"

namespace kv5 {

// First lines of the three blocks of the project file.
inline constexpr const char* kChangeLogMarker = "ÄNDERUNGEN";
inline constexpr const char* kDocumentLinksMarker = "Dokumente";
inline constexpr const char* kTitleHeaderMarker = "ISO 7200 Header";

bool IsBlockMarker(const std::string& line);
// A line made only of "-" (at least one).
bool IsRuleLine(const std::string& line);

// The lines of a project file as the section readers take them.
class ProjectLineReader {
 public:
  // `tolerant`: block first lines end sections and blocks are searched for
  // (see above); otherwise every line is a value in its place.
  ProjectLineReader(LineReader& lines, bool tolerant) : lines_(lines), tolerant_(tolerant) {}

  bool Tolerant() const { return tolerant_; }
  bool AtEnd() const { return lines_.AtEnd(); }
  // No value can be taken here: the end of the file or, when tolerant, a
  // block first line.
  bool AtSectionEnd() const;
  std::string Peek() const { return lines_.PeekLine(); }
  size_t Position() const { return lines_.LineNumber(); }
  void RewindTo(size_t position) { lines_.RewindTo(position); }
  void Skip() { lines_.SkipLines(1); }

  // Each takes the next line into `value` and returns true; at a section
  // end it returns false and leaves `value` as it was.
  bool Text(std::string& value) {
    if (!Take([&] { return lines_.ReadTextLine(value); })) return false;
    if (firstLongText_ == 0 && Utf8Length(value) >= kMaxConvertedTextLength) {
      firstLongText_ = lines_.LineNumber();
      firstLongTextLength_ = Utf8Length(value);
    }
    return true;
  }
  bool Integer(int& value) {
    return Take([&] { return lines_.ReadIntegerLine(value); });
  }
  bool Number(Real& value) {
    return Take([&] { return lines_.ReadRealLine(value); });
  }
  bool Number(double& value) {
    return Take([&] { return lines_.ReadRealLine(value); });
  }
  bool Bool(bool& value) {
    return Take([&] { return lines_.ReadBoolLine(value); });
  }

  // Moves past the line `marker`: when it is the next line, or (tolerant)
  // the first such line before any other block first line. False, with the
  // position unchanged, when it is not found.
  bool EnterBlock(const std::string& marker);
  // Moves past the next line when it is a rule line (only "-"); otherwise
  // stays and returns false.
  bool ExpectRule();

  // Whether every line so far was what the writer puts there (the strict
  // reading keeps its result only then).
  bool LayoutHeld() const { return layoutHeld_; }
  void MarkLayoutBroken() { layoutHeld_ = false; }

  // Line number (from 1) and length of the first text taken that is too
  // long for display; 0 when there was none.
  size_t FirstLongTextLine() const { return firstLongText_; }
  size_t FirstLongTextLength() const { return firstLongTextLength_; }

 private:
  template <typename Read>
  bool Take(Read read) {
    if (AtSectionEnd()) {
      MarkLayoutBroken();
      return false;
    }
    return read();
  }

  LineReader& lines_;
  bool tolerant_;
  bool layoutHeld_ = true;
  size_t firstLongText_ = 0;
  size_t firstLongTextLength_ = 0;
};

// The reader is defined here, so that the block readers of the document
// data depend on nothing else of the project file.
inline bool IsBlockMarker(const std::string& line) {
  return line == kChangeLogMarker || line == kDocumentLinksMarker || line == kTitleHeaderMarker;
}

inline bool IsRuleLine(const std::string& line) {
  return !line.empty() && line.find_first_not_of('-') == std::string::npos;
}

inline bool ProjectLineReader::AtSectionEnd() const {
  return lines_.AtEnd() || (tolerant_ && IsBlockMarker(lines_.PeekLine()));
}

inline bool ProjectLineReader::EnterBlock(const std::string& marker) {
  if (!lines_.AtEnd() && lines_.PeekLine() == marker) {
    lines_.SkipLines(1);
    return true;
  }
  MarkLayoutBroken();
  if (!tolerant_) return false;
  size_t start = lines_.LineNumber();
  while (!lines_.AtEnd()) {
    std::string line = lines_.PeekLine();
    lines_.SkipLines(1);
    if (line == marker) return true;
    if (IsBlockMarker(line)) break;
  }
  lines_.RewindTo(start);
  return false;
}

inline bool ProjectLineReader::ExpectRule() {
  if (!lines_.AtEnd() && IsRuleLine(lines_.PeekLine())) {
    lines_.SkipLines(1);
    return true;
  }
  MarkLayoutBroken();
  return false;
}

// Writes the current model and document data. `name`: empty (save dialog),
// a bare project name (in projectFolder, extension kv5) or a file name
// with "." (used as it is). False and abortFlag when nothing was saved;
// an existing file is then unchanged.
bool WriteProjectFile(const std::string& name);

// Reads a project into the model and the document data (same name rules;
// empty: open dialog) and calculates the drive. False and abortFlag when
// the file was not read.
bool ReadProjectFile(const std::string& name);

// The full file name of the current project: empty without a name; the
// name as given while openedFromCommandLine; otherwise folder, name, "."
// and kv5.
std::string ProjectFileName();

}  // namespace kv5
