#include "text/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <vector>

namespace kv5 {

namespace {

// Length of the UTF-8 sequence that starts at text[i], or 0 if invalid.
size_t Utf8SequenceLength(const std::string& text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  size_t len;
  if (c < 0x80)
    return 1;
  else if ((c & 0xE0) == 0xC0 && c >= 0xC2)
    len = 2;
  else if ((c & 0xF0) == 0xE0)
    len = 3;
  else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
    len = 4;
  else
    return 0;
  if (i + len > text.size()) return 0;
  for (size_t k = 1; k < len; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and code points above U+10FFFF are invalid.
  unsigned char second = static_cast<unsigned char>(text[i + 1]);
  if (c == 0xE0 && second < 0xA0) return 0;
  if (c == 0xED && second > 0x9F) return 0;
  if (c == 0xF0 && second < 0x90) return 0;
  if (c == 0xF4 && second > 0x8F) return 0;
  return len;
}

// One-character conversion through iconv; the descriptors are opened once.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  // Converts one unit; false when it has no counterpart.
  bool Convert(const char* in, size_t inLen, std::string& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* inPtr = const_cast<char*>(in);
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t r = iconv(cd_, &inPtr, &inLen, &outPtr, &outLeft);
    if (r == static_cast<size_t>(-1) || inLen != 0) return false;
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
  std::mutex mutex_;
};

// A 256-entry table from a single-byte page to UTF-8, built with iconv.
struct ByteTable {
  std::string toUtf8[256];
};

ByteTable BuildTable(const char* page) {
  ByteTable table;
  Converter conv("UTF-8", page);
  for (int b = 0; b < 256; ++b) {
    char c = static_cast<char>(b);
    if (b < 0x80 || !conv.Convert(&c, 1, table.toUtf8[b])) {
      table.toUtf8[b].assign(1, b < 0x80 ? c : '?');
    }
  }
  return table;
}

const ByteTable& Cp850Table() {
  static const ByteTable table = BuildTable("CP850");
  return table;
}
const ByteTable& Cp1252Table() {
  static const ByteTable table = BuildTable("CP1252");
  return table;
}

std::string FromUtf8(const std::string& text, const char* page, bool keepInvalidBytes) {
  static Converter to850("CP850", "UTF-8");
  static Converter to1252("CP1252", "UTF-8");
  Converter& conv = std::string(page) == "CP850" ? to850 : to1252;
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    }
    size_t len = Utf8SequenceLength(text, i);
    if (len == 0) {
      out += keepInvalidBytes ? static_cast<char>(c) : '?';
      ++i;
      continue;
    }
    if (!conv.Convert(text.data() + i, len, out)) out += '?';
    i += len;
  }
  return out;
}

std::string ToUtf8(const std::string& bytes, const ByteTable& table) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (unsigned char c : bytes) out += table.toUtf8[c];
  return out;
}

}  // namespace

std::string Cp850ToUtf8(const std::string& bytes) {
  return ToUtf8(bytes, Cp850Table());
}
std::string Cp1252ToUtf8(const std::string& bytes) {
  return ToUtf8(bytes, Cp1252Table());
}
std::string Utf8ToCp850(const std::string& text) {
  return FromUtf8(text, "CP850", true);
}
std::string Utf8ToCp1252(const std::string& text) {
  return FromUtf8(text, "CP1252", false);
}

bool IsValidUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    size_t len = Utf8SequenceLength(text, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

size_t Utf8Length(const std::string& text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++count) {
    size_t len = Utf8SequenceLength(text, i);
    i += len == 0 ? 1 : len;
  }
  return count;
}

size_t Utf8CharBytes(const std::string& text, size_t i) {
  if (i >= text.size()) return 0;
  size_t len = Utf8SequenceLength(text, i);
  return len == 0 ? 1 : len;
}

size_t Utf8Offset(const std::string& text, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < text.size() && count < n; ++count) i += Utf8CharBytes(text, i);
  return i;
}

std::string Utf8Left(const std::string& text, size_t n) {
  return text.substr(0, Utf8Offset(text, n));
}

}  // namespace kv5
