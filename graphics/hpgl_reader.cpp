#include "graphics/hpgl_reader.h"

namespace kv5 {

namespace {

bool IsSpacing(char c) {
  return c == ' ' || c == '\r' || c == '\n';
}

constexpr char kEtx = 3;

// The umlaut of a letter in code page 850, or the letter itself.
char UmlautOf(char c) {
  switch (c) {
    case 'A':
      return static_cast<char>(0x8E);
    case 'O':
      return static_cast<char>(0x99);
    case 'U':
      return static_cast<char>(0x9A);
    case 'a':
      return static_cast<char>(0x84);
    case 'o':
      return static_cast<char>(0x94);
    case 'u':
      return static_cast<char>(0x81);
    default:
      return c;
  }
}

// Digits beyond this shift would leave 64 bits; they cannot change a
// coordinate that is already far outside any picture.
constexpr int kMaxShift = 57;

}  // namespace

bool HpglReader::NextRaw(char& c) {
  if (AtEnd()) return false;
  c = bytes_[next_++];
  return true;
}

bool HpglReader::NextSignificant(char& c) {
  while (NextRaw(c))
    if (!IsSpacing(c)) return true;
  return false;
}

bool HpglReader::PeekSignificant(char& c) {
  while (!AtEnd() && IsSpacing(bytes_[next_])) ++next_;
  if (AtEnd()) return false;
  c = bytes_[next_];
  return true;
}

bool HpglReader::ReadParameter(std::string& text) {
  text.clear();
  if (endOfCommand) return true;
  char c;
  while (NextSignificant(c)) {
    if (c == ',') return true;
    if (c == ';') {
      endOfCommand = true;
      return true;
    }
    text += c;
  }
  return false;
}

void HpglReader::SkipCommand() {
  char c;
  while (NextRaw(c))
    if (c == ';') break;
  endOfCommand = true;
}

std::string HpglReader::ReadLabel(int characterSet) {
  std::string label;
  char c;
  while (NextRaw(c)) {
    if (c == kEtx) return label;
    if (c == '\r' || c == '\n') continue;
    if (characterSet == 3 && c == '}') {
      if (!label.empty()) label.back() = UmlautOf(label.back());
      continue;
    }
    if (label.size() == kMaxLabel) {
      // Too long: the rest of the text is no command either.
      while (NextRaw(c))
        if (c == kEtx) break;
      return label;
    }
    label += c;
  }
  return label;
}

Real EncodedSumToMillimetres(std::uint64_t sum) {
  const Real s = static_cast<Real>(sum);
  return (sum % 2 == 0 ? s : 1 - s) / 80;
}

HpglReader::EncodedNumber HpglReader::ReadEncodedNumber(char first, bool sevenBit) {
  const int step = sevenBit ? 5 : 6;
  const unsigned continueLast = sevenBit ? 94 : 126;
  const unsigned endFirst = sevenBit ? 95 : 191;
  const unsigned endLast = sevenBit ? 126 : 254;
  std::uint64_t sum = 0;
  int shift = 0;
  char c = first;
  for (;;) {
    const unsigned code = static_cast<unsigned char>(c);
    bool ends = false;
    std::uint64_t digit = 0;
    if (code >= 63 && code <= continueLast) {
      digit = code - 63;
    } else if (code >= endFirst && code <= endLast) {
      digit = code - endFirst;
      ends = true;
    }
    if (shift <= kMaxShift) sum += digit << shift;
    if (shift <= kMaxShift) shift += step;
    if (ends) return {EncodedSumToMillimetres(sum), true};
    // The next character of the number; a ";" closes the polyline instead.
    char next;
    if (!PeekSignificant(next) || next == ';') return {EncodedSumToMillimetres(sum), false};
    NextRaw(c);
  }
}

}  // namespace kv5
