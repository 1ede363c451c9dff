// Line primitives of the program's positional text files (project and
// configuration files): one value per line, CR LF line ends, texts in code
// page 850 on disk and UTF-8 in memory.
//
// Writing never destroys an existing file: the lines go to a new file in the
// same folder, which replaces the old one only after a complete write.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model/drive_model.h"

namespace kv5 {

class LineWriter {
 public:
  LineWriter() = default;
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;
  ~LineWriter();  // an unclosed file is discarded; the old file stays

  // Starts writing `fileName`. False when the file cannot be created; then
  // ErrorText() names the system's reason.
  bool Open(const std::string& fileName);
  bool IsOpen() const { return file_ != nullptr; }

  // Each sets abortFlag on an I/O error; writing goes on to the end.
  // A text keeps to its one line: each line break in it (CR LF, CR or LF)
  // is written as "|".
  void WriteTextLine(const std::string& text);
  void WriteIntegerLine(long long value);
  void WriteRealLine(Real value);
  void WriteBoolLine(bool value);
  // A real always written with the compact automatic format.
  void WriteAutoRealLine(Real value);
  // A text written as UTF-8, for files whose texts code page 850 cannot
  // hold (the reader takes a file that is valid UTF-8 throughout as such).
  void WriteUtf8Line(const std::string& text);

  // Completes the file and puts it in place of the old one. False (and
  // abortFlag set) when any line or the replacement failed; the old file is
  // then unchanged and the new one removed.
  bool Close();
  // Gives up: removes the new file, keeps the old one.
  void Discard();

  bool Failed() const { return failed_; }
  const std::string& ErrorText() const { return error_; }
  int ErrorNumber() const { return errorNumber_; }  // errno of the first failure

 private:
  void WriteRaw(const std::string& bytes);
  void Fail(int errorNumber);

  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temporary_;
  bool failed_ = false;
  std::string error_;
  int errorNumber_ = 0;
};

// The text of a real as the project and configuration files store it: the
// compact format for zero and negative whole numbers, otherwise fixed-point
// with 7 decimals and no leading blanks. The decimals setting of the display
// does not apply: a file keeps its values whatever the screen shows.
std::string RealLineText(Real value);

// A text as one line of a positional file: CR LF, CR or LF each become "|",
// so a line break never moves the later values.
std::string SingleLineText(const std::string& text);

// The whole file as bytes; false when it is missing, a folder or unreadable.
bool ReadWholeFile(const std::string& name, std::string& bytes);
// The compact automatic format of a real, as WriteAutoRealLine writes it.
std::string AutoRealLineText(Real value);

class LineReader {
 public:
  // Reads the whole file. False when it cannot be opened or read; then
  // ErrorText() names the reason. Lines may end in CR LF, LF or CR. Files
  // in code page 850 and files that are valid UTF-8 both read correctly; a
  // UTF-8 byte order mark in front is dropped.
  bool Open(const std::string& fileName);
  // Reads lines from a text already in memory (same rules as a file).
  void OpenText(const std::string& bytes);

  bool AtEnd() const { return next_ >= lines_.size(); }
  size_t LineNumber() const { return next_; }  // lines consumed so far
  size_t LineCount() const { return lines_.size(); }

  // Each returns false at the end of the file and leaves `value` unchanged.
  bool ReadTextLine(std::string& value);
  // A line that is not an integer gives 0.
  bool ReadIntegerLine(int& value);
  bool ReadIntegerLine(short& value);
  // Every "," becomes "."; a line that is not a number gives 0.
  bool ReadRealLine(Real& value);
  bool ReadRealLine(double& value);
  // True only for "TRUE" in any mix of case.
  bool ReadBoolLine(bool& value);
  // The next line without consuming it (empty at the end).
  std::string PeekLine() const;
  void SkipLines(size_t count);
  // Goes back (or forward) to the line after the first `lineNumber` lines.
  void RewindTo(size_t lineNumber);

  const std::string& ErrorText() const { return error_; }

 private:
  std::vector<std::string> lines_;
  size_t next_ = 0;
  std::string error_;
};

// Whether a file exists and can be opened for reading.
bool FileReadable(const std::string& fileName);
bool FileExists(const std::string& fileName);

}  // namespace kv5
