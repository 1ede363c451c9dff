#include "cad/cad_output_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "dialogs/message_boxes.h"

namespace kv5 {

std::string CadIoErrorText(const std::string& fileName, int errorNumber) {
  return "I/O-Error " + std::to_string(errorNumber) + " (" + std::strerror(errorNumber) +
         "): " + fileName;
}

void CadOutputFile::ReportFailure(int errorNumber) {
  if (!failed_) ShowError(CadIoErrorText(fileName_, errorNumber ? errorNumber : EIO));
  failed_ = true;
  abortFlag = true;
}

bool CadOutputFile::Create(const std::string& fileName) {
  Discard();
  fileName_ = fileName;
  failed_ = false;
  if (!writer_.Open(fileName)) {
    ReportFailure(writer_.ErrorNumber());
    return false;
  }
  open_ = true;
  return true;
}

void CadOutputFile::PutLine(const std::string& bytes) {
  if (!open_ || failed_) return;
  writer_.WriteUtf8Line(bytes);  // writes the bytes as they are
  if (writer_.Failed()) ReportFailure(writer_.ErrorNumber());
}

bool CadOutputFile::Close() {
  if (!open_) return false;
  open_ = false;
  if (failed_) {
    writer_.Discard();
    abortFlag = true;
    return false;
  }
  if (!writer_.Close()) {
    ReportFailure(writer_.ErrorNumber());
    return false;
  }
  return true;
}

void CadOutputFile::Discard() {
  if (open_) writer_.Discard();
  open_ = false;
}

std::string FormatCadFixed(Real x, int decimals) {
  if (!std::isfinite(x)) return std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf");
  if (decimals < 0) decimals = 0;
  std::vector<char> buffer(static_cast<size_t>(decimals) + 64);
  for (;;) {
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                std::chars_format::fixed, decimals);
    if (result.ec == std::errc()) {
      std::string text(buffer.data(), result.ptr);
      if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
      return text;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace kv5
