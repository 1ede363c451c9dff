// File services of the text output: unique working files, complete-or-
// nothing replacement of destination files, and the error texts of failed
// creates, writes and closes.
#pragma once

#include <string>

namespace kv5 {

// Where a file operation failed, with the system's error number.
struct FileFailure {
  enum class Stage { None, Create, Write, Close };
  Stage stage = Stage::None;
  int errorNumber = 0;
  bool Failed() const { return stage != Stage::None; }
};

// The message of a failed create, write or close, as the checked file
// writes give it ("Diskette/Platte voll", "file write error", ...).
std::string FileFailureText(const FileFailure& failure);

// Creates `name` exclusively (it must not exist yet). False when it exists
// or cannot be created; `errorNumber` then holds the reason.
bool CreateExclusive(const std::string& name, int& errorNumber);

// Puts `bytes` in place of `destination`. A regular (or new) destination is
// written as a new file in its folder that replaces it only after the
// complete write, so a failure leaves an existing file as it was. A device
// or pipe is written directly.
FileFailure ReplaceFile(const std::string& destination, const std::string& bytes);

// The whole file ("" and false when it cannot be read).
bool ReadWholeFile(const std::string& name, std::string& bytes);

// Every line of a text ending in CR LF, LF or nothing passed through
// `convert`; line ends are kept as they are.
template <typename Convert>
std::string ConvertLines(const std::string& text, Convert convert) {
  std::string result;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string::npos ? text.size() : end + 1;
    size_t contentEnd = end == std::string::npos ? text.size() : end;
    if (contentEnd > start && text[contentEnd - 1] == '\r') --contentEnd;
    result += convert(text.substr(start, contentEnd - start));
    result.append(text, contentEnd, next - contentEnd);
    start = next;
  }
  return result;
}

// A line of any length made ready for display (DosToDisplay works on
// texts below 255 characters, so longer lines are converted piecewise).
std::string DisplayLine(const std::string& line);

}  // namespace kv5
