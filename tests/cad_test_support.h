// Helpers of the CAD output tests: a line sink in memory, the lines of a
// written file, the display list records of a screen drawing, and a fixture
// whose temporary and CAD folders are a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cad/cad_channel.h"
#include "cad/cad_output_file.h"
#include "cad/cad_settings.h"
#include "graphics/graphics_window.h"
#include "tests/recording_platform.h"
#include "text/configuration.h"
#include "text/number_format.h"

namespace kv5::testing {

class StringSink : public CadLineSink {
 public:
  void PutLine(const std::string& bytes) override { lines.push_back(bytes); }
  std::string Text() const {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }
  std::vector<std::string> lines;
};

// The lines of a file with CR LF line ends; a line end other than CR LF
// shows as a line "<bad line end>".
inline std::vector<std::string> FileLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back("<bad line end>" + bytes.substr(start));
      break;
    }
    std::string line = bytes.substr(start, end - start);
    if (line.find('\n') != std::string::npos || line.find('\r') != std::string::npos)
      lines.push_back("<bad line end>");
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

// Fields of a record separated by `separator`.
inline std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t end = line.find(separator, start);
    fields.push_back(
        line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return fields;
    start = end + 1;
  }
}

// The numbers of the display list records with the code, one vector per
// record (the text of a text record is dropped).
inline std::vector<std::vector<double>> RecordsWithCode(int code) {
  std::vector<std::vector<double>> records;
  for (const std::string& record : graphicsWindow.displayList) {
    std::vector<std::string> fields = SplitFields(record, ';');
    if (ParseInt(fields[0]) != code) continue;
    std::vector<double> values;
    size_t count = code == kRecordText ? 3 : fields.size();
    for (size_t i = 1; i < count && i < fields.size(); ++i)
      values.push_back(static_cast<double>(ParseNumber(fields[i])));
    records.push_back(values);
  }
  return records;
}

class CadTest : public RecordingTest {
 protected:
  void SetUp() override {
    RecordingTest::SetUp();
    tempFolder = folder_.path();
    cadFolder = folder_.path();
    projectName = "test";
    projectFolder = folder_.path();
    cadOpenAfterExport = false;
  }
  // Queues the answer of the save dialog of the next CadBegin.
  void AnswerSaveDialog(const std::string& name) { recorder_.QueueAnswer(name); }
  std::vector<std::string> Lines(const std::string& file) const {
    return FileLines(ReadFileBytes(folder_.File(file)));
  }
  TempFolder folder_;
};

}  // namespace kv5::testing
