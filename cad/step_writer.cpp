#include "cad/step_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "app/core/identity.h"

namespace kv5 {

std::string FormatStepReal(Real x) {
  if (!std::isfinite(x) || x == 0) return "0.00000E+000";
  char buffer[64];
  // to_chars never uses the locale's decimal mark.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 5);
  std::string text(buffer, result.ptr);  // "d.ddddde+XX"
  size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  char sign = text[e + 1];
  std::string digits = text.substr(e + 2);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return mantissa + "E" + sign + digits;
}

namespace {

// The next code point of UTF-8 text at i; advances i. A byte that does not
// start a valid sequence is returned as it is (ISO 8859-1).
std::uint32_t NextCodePoint(const std::string& text, size_t& i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  int length = 0;
  std::uint32_t code = 0, minimum = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  }
  bool valid = length > 0 && i + length <= text.size();
  for (int k = 1; valid && k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      valid = false;
    else
      code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
    valid = false;
  if (!valid) {
    ++i;
    return lead;
  }
  i += length;
  return code;
}

std::string Hex(std::uint32_t code, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(digits, '0');
  for (int k = digits - 1; k >= 0; --k, code >>= 4) text[k] = kDigits[code & 0xF];
  return text;
}

}  // namespace

std::string StepString(const std::string& text) {
  std::string out = "'";
  // 0: plain characters; 2 or 4: inside \X2\ or \X4\.
  int directive = 0;
  for (size_t i = 0; i < text.size();) {
    const std::uint32_t code = NextCodePoint(text, i);
    const bool plain = code >= 0x20 && code <= 0x7E;
    const int wanted = plain ? 0 : (code > 0xFFFF ? 4 : 2);
    if (wanted != directive) {
      if (directive != 0) out += "\\X0\\";
      if (wanted != 0) out += wanted == 2 ? "\\X2\\" : "\\X4\\";
      directive = wanted;
    }
    if (!plain) {
      out += Hex(code, directive == 2 ? 4 : 8);
    } else if (code == '\'') {
      out += "''";
    } else if (code == '\\') {
      out += "\\\\";
    } else {
      out += static_cast<char>(code);
    }
  }
  if (directive != 0) out += "\\X0\\";
  return out + "'";
}

std::string StepRef(long n) {
  return "#" + std::to_string(n);
}

void StepWriter::Header(const std::string& filePath, const DateTime& when,
                        const std::string& author) {
  sink_.PutLine("ISO-10303-21;");
  sink_.PutLine("HEADER;");
  sink_.PutLine("FILE_DESCRIPTION(('KELMARO Software'),'2;1');");
  sink_.PutLine("FILE_NAME(" + StepString(filePath) + ",'" + FormatIsoDate(when) + "T" +
                FormatClock(when) + "',(" + StepString(author) +
                "),(''),'KELMARO STEP processor 1.0','" + programName + "','');");
  sink_.PutLine("FILE_SCHEMA(('AUTOMOTIVE_DESIGN'));");
  sink_.PutLine("ENDSEC;");
  sink_.PutLine("");
  lastNumber_ = 0;
  output_ = false;
}

long StepWriter::Entity(const std::string& text) {
  ++lastNumber_;
  if (output_) sink_.PutLine(StepRef(lastNumber_) + " = " + text);
  return lastNumber_;
}

void StepWriter::Plain(const std::string& text) {
  if (output_) sink_.PutLine(text);
}

}  // namespace kv5
