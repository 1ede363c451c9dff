#include "text/explanation_source.h"

#include "text/codepage.h"
#include "text/message_explanations.h"

namespace kv5 {

namespace {

struct SourceLine {
  std::string text;
  int number = 0;
};

std::vector<SourceLine> SplitLines(const std::string& text) {
  std::vector<SourceLine> lines;
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back({line, ++number});
    start = end + 1;
  }
  return lines;
}

void CheckLine(const SourceLine& line, std::vector<std::string>& errors) {
  const std::string where = "line " + std::to_string(line.number) + ": ";
  if (!IsValidUtf8(line.text)) {
    errors.push_back(where + "not UTF-8");
    return;
  }
  if (line.text.empty()) errors.push_back(where + "empty");
  if (Utf8Length(line.text) > static_cast<size_t>(kMaxExplanationLength))
    errors.push_back(where + "longer than " + std::to_string(kMaxExplanationLength) +
                     " characters");
  if (Cp850ToUtf8(Utf8ToCp850(line.text)) != line.text)
    errors.push_back(where + "character outside code page 850");
}

void AddParagraph(const std::vector<SourceLine>& paragraph, ExplanationSource& source) {
  if (paragraph.empty()) return;
  if (paragraph.size() != 3) {
    source.errors.push_back("line " + std::to_string(paragraph.front().number) + ": record of " +
                            std::to_string(paragraph.size()) + " lines, not 3");
    return;
  }
  for (const SourceLine& line : paragraph) CheckLine(line, source.errors);
  source.records.push_back(
      {paragraph[0].text, paragraph[1].text, paragraph[2].text, paragraph[0].number});
}

}  // namespace

ExplanationSource ParseExplanationSource(const std::string& text) {
  ExplanationSource source;
  std::vector<SourceLine> paragraph;
  for (const SourceLine& line : SplitLines(text)) {
    if (!line.text.empty() && line.text[0] == '#') continue;
    if (line.text.find_first_not_of(" \t") == std::string::npos) {
      AddParagraph(paragraph, source);
      paragraph.clear();
      continue;
    }
    paragraph.push_back(line);
  }
  AddParagraph(paragraph, source);
  if (source.records.empty() && source.errors.empty()) source.errors.push_back("no records");
  return source;
}

std::string ExplanationFileBytes(const std::vector<ExplanationRecord>& records) {
  std::string bytes;
  for (const ExplanationRecord& record : records)
    for (const std::string* line : {&record.message, &record.cause, &record.remedy})
      bytes += Utf8ToCp850(*line) + "\r\n";
  return bytes;
}

}  // namespace kv5
