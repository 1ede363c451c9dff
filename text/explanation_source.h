// The reviewable source of the delivered explanation file: UTF-8 text with
// one record of three lines (message, cause, remedy) per paragraph, records
// separated by empty lines, lines starting with "#" ignored. The build turns
// it into kv5.err (code page 850, CR LF, records back to back).
#pragma once

#include <string>
#include <vector>

namespace kv5 {

struct ExplanationRecord {
  std::string message;
  std::string cause;
  std::string remedy;
  int sourceLine = 0;  // 1-based line of the message in the source
};

struct ExplanationSource {
  std::vector<ExplanationRecord> records;
  // One text per fault, with its source line; empty when the source is
  // sound: every paragraph has three lines, every line is valid UTF-8,
  // fits code page 850, is not empty and has at most
  // kMaxExplanationLength characters.
  std::vector<std::string> errors;
};

ExplanationSource ParseExplanationSource(const std::string& text);

// The explanation file: every record as three lines in code page 850, each
// ending in CR LF.
std::string ExplanationFileBytes(const std::vector<ExplanationRecord>& records);

}  // namespace kv5
