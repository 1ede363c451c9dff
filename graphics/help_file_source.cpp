#include "graphics/help_file_source.h"

#include <set>

#include "model/line_file.h"
#include "text/codepage.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

// Texts are shown through DosToDisplay after a blank is added.
constexpr size_t kMaxLineLength = kMaxConvertedTextLength - 2;

int LineNumber(const std::string& line) {
  int n;
  return TryParseInt(Utf8Left(line, 4), n) ? n : -1;
}

bool IsPictureName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

}  // namespace

HelpSource ParseHelpSource(const std::string& text, const std::string& pictureFolder) {
  HelpSource source;
  LineReader reader;
  reader.OpenText(text);
  std::vector<std::string> lines;
  for (std::string line; reader.ReadTextLine(line);) lines.push_back(line);

  auto fault = [&](size_t index, const std::string& what) {
    source.errors.push_back(std::to_string(index + 1) + ": " + what);
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    if (Cp850ToUtf8(Utf8ToCp850(lines[i])) != lines[i]) fault(i, "character outside code page 850");
    if (Utf8Length(lines[i]) > kMaxLineLength) fault(i, "line too long");
  }

  std::set<int> seen;
  size_t i = 0;
  while (i < lines.size()) {
    const std::string& header = lines[i];
    const int topic = LineNumber(header);
    if (topic < 0 || topic % 5 != 0) {
      fault(i, "topic header expected (a number that is a multiple of 5)");
      ++i;
      continue;
    }
    HelpSourceTopic entry;
    entry.topic = topic;
    if (!seen.insert(topic).second) fault(i, "topic " + std::to_string(topic) + " twice");
    const size_t colon = header.find(':');
    if (colon != std::string::npos) {
      entry.picture = TrimBlanks(header.substr(colon + 1));
      if (!IsPictureName(entry.picture)) {
        fault(i, "picture name \"" + entry.picture + "\" (lower-case letters, digits, _)");
      } else if (!pictureFolder.empty() &&
                 !FileReadable(AddBackslash(pictureFolder) + entry.picture + ".plt")) {
        fault(i, "picture " + entry.picture + ".plt missing");
      }
    }
    if (i + 1 >= lines.size() || lines[i + 1].empty()) {
      fault(i, "topic without text");
      i += 1;
      source.topics.push_back(entry);
      continue;
    }
    entry.textLines = 1;
    i += 2;
    for (int k = 1; i < lines.size(); ++k) {
      const int n = LineNumber(lines[i]);
      if (n >= 0 && n % 5 == 0) break;
      if (k > 4) {
        fault(i, "more than five text lines in topic " + std::to_string(topic));
        while (i < lines.size() && !(LineNumber(lines[i]) >= 0 && LineNumber(lines[i]) % 5 == 0))
          ++i;
        break;
      }
      if (n < 0) {
        ++i;
      } else {
        if (n != topic + k)
          fault(i,
                "number " + std::to_string(n) + " where " + std::to_string(topic + k) + " is read");
        if (i + 1 >= lines.size()) fault(i, "numbered line without text");
        i += 2;
      }
      ++entry.textLines;
    }
    source.topics.push_back(entry);
  }
  return source;
}

std::string HelpFileBytes(const std::string& utf8Source) {
  LineReader reader;
  reader.OpenText(utf8Source);
  std::string bytes;
  for (std::string line; reader.ReadTextLine(line);) bytes += Utf8ToCp850(line) + "\r\n";
  return bytes;
}

}  // namespace kv5
