#include "cad/iges_writer.h"

#include <algorithm>
#include <cctype>

#include "text/codepage.h"
#include "text/number_format.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

std::string RightAligned(const std::string& text, size_t width) {
  if (text.size() >= width) return text.substr(0, width);
  return std::string(width - text.size(), ' ') + text;
}

// IGES reals need a decimal point; with the decimals setting shifted to
// zero the fixed format has none.
std::string WithPoint(std::string text) {
  text = TrimBlanks(text);
  if (text.find_first_of(".E") == std::string::npos) text += ".";
  return text;
}

}  // namespace

std::string IgesRecord(const std::string& content, char section, int sequence,
                       const std::string& rightField) {
  std::string record = content.substr(0, kIgesContentWidth);
  record.resize(kIgesContentWidth, ' ');
  if (!rightField.empty()) {
    std::string field = rightField.substr(0, kIgesContentWidth);
    record.replace(kIgesContentWidth - field.size(), field.size(), field);
  }
  record += section;
  record += ZeroPad(sequence, 7).substr(0, 7);
  return record;
}

std::string IgesFileText(const std::string& text) {
  std::string bytes = Utf8ToCp1252(text);
  for (char& c : bytes)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return bytes;
}

std::string IgesHollerith(const std::string& text) {
  std::string bytes = IgesFileText(text);
  return std::to_string(bytes.size()) + "H" + bytes;
}

std::vector<std::string> SplitIgesParameters(const std::string& parameters, size_t width) {
  // Positions just after each delimiter outside a Hollerith string.
  std::vector<size_t> cuts;
  bool atStart = true;
  for (size_t i = 0; i < parameters.size();) {
    if (atStart && std::isdigit(static_cast<unsigned char>(parameters[i]))) {
      size_t j = i;
      while (j < parameters.size() && std::isdigit(static_cast<unsigned char>(parameters[j]))) ++j;
      if (j < parameters.size() && parameters[j] == 'H') {
        size_t length = static_cast<size_t>(std::stoul(parameters.substr(i, j - i)));
        i = std::min(parameters.size(), j + 1 + length);
        atStart = false;
        continue;
      }
    }
    const char c = parameters[i++];
    atStart = c == ',' || c == ';';
    if (atStart) cuts.push_back(i);
  }
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start < parameters.size()) {
    size_t end = std::min(parameters.size(), start + width);
    if (end < parameters.size()) {
      auto last = std::upper_bound(cuts.begin(), cuts.end(), end);
      if (last != cuts.begin() && *(last - 1) > start) end = *(last - 1);
    }
    pieces.push_back(parameters.substr(start, end - start));
    start = end;
  }
  return pieces;
}

std::string IgesLength(Real x) {
  return WithPoint(FormatDecimalsDot(4, x));
}

std::string IgesMatrixEntry(Real x) {
  return WithPoint(FormatFixedDot(0, 6, x));
}

std::string IgesAngle(Real radians) {
  return WithPoint(FormatDecimalsDot(6, radians));
}

std::array<std::string, 2> IgesDirectoryRecords(const IgesDirectoryEntry& e, int sequence) {
  auto field = [](const std::string& text) { return RightAligned(text, 8); };
  auto number = [&](int n) { return field(std::to_string(n)); };
  const std::string blank(8, ' ');
  std::string first = number(e.type) + number(e.parameterPointer) + number(1) + number(e.lineFont) +
                      number(e.level) + blank + field(e.transform) + blank + field(e.status);
  std::string label = IgesFileText(e.label).substr(0, 8);
  std::string second = number(e.type) + blank + number(e.colour) + number(e.parameterCount) +
                       field(e.form) + blank + blank + field(label) + blank;
  return {IgesRecord(first, 'D', sequence), IgesRecord(second, 'D', sequence + 1)};
}

std::string IgesTerminateRecord(int s, int g, int d, int p) {
  return IgesRecord(
      "S" + ZeroPad(s, 7) + "G" + ZeroPad(g, 7) + "D" + ZeroPad(d, 7) + "P" + ZeroPad(p, 7), 'T',
      1);
}

int IgesColourNumber(int index) {
  static const int table[16] = {0, 2, 5, 3, 7, 4, 6, 0, 8, 10, 11, 12, 13, 14, 15, 1};
  if (index >= 0 && index < 16) return table[index];
  // DXF colours 10..249 run through the hues in steps of 15 degrees from
  // red; 250..255 are greys.
  if (index >= 250) return index >= 254 ? 8 : 1;
  if (index < 10) return 0;
  const int hue = ((index / 10 - 1) * 15) % 360;
  static const int byHue[6] = {2, 5, 3, 7, 4, 6};  // red, yellow, green, cyan, blue, magenta
  return byHue[((hue + 30) / 60) % 6];
}

}  // namespace kv5
