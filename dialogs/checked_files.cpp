#include "dialogs/checked_files.h"

#include <cerrno>

#include "dialogs/message_boxes.h"

namespace kv5 {

namespace {

bool DiskFull(int errorNumber) {
  return errorNumber == ENOSPC || errorNumber == EDQUOT || errorNumber == EFBIG;
}

constexpr const char* kDiskFull = "Diskette/Platte voll";

bool Fail(const std::string& text) {
  ReportError(text);
  abortFlag = true;
  return false;
}

}  // namespace

std::string WriteFailureText(int errorNumber) {
  return DiskFull(errorNumber) ? kDiskFull : "Fehler bei Zugriff auf Diskette/Platte";
}

std::string CloseFailureText(int errorNumber) {
  return DiskFull(errorNumber) ? kDiskFull : "Fehler beim Schließen einer Datei";
}

std::string CreateFailureText(int errorNumber) {
  return DiskFull(errorNumber) ? kDiskFull : "file write error";
}

bool CreateChecked(LineWriter& writer, const std::string& fileName) {
  if (writer.Open(fileName)) return true;
  return Fail(CreateFailureText(writer.ErrorNumber()));
}

bool WriteChecked(LineWriter& writer, const std::string& line, bool utf8) {
  const bool failedBefore = writer.Failed();
  if (utf8)
    writer.WriteUtf8Line(line);
  else
    writer.WriteTextLine(line);
  if (!writer.Failed()) return true;
  if (failedBefore) {
    abortFlag = true;
    return false;
  }
  return Fail(WriteFailureText(writer.ErrorNumber()));
}

bool CloseChecked(LineWriter& writer) {
  const bool failedBefore = writer.Failed();
  if (writer.Close()) return true;
  if (failedBefore) {
    abortFlag = true;
    return false;
  }
  return Fail(CloseFailureText(writer.ErrorNumber()));
}

}  // namespace kv5
