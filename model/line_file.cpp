#include "model/line_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string_view>

#include "text/codepage.h"
#include "text/number_format.h"

namespace kv5 {

namespace {
std::string FolderOf(const std::string& fileName) {
  size_t slash = fileName.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

}  // namespace

LineWriter::~LineWriter() {
  Discard();
}

bool LineWriter::Open(const std::string& fileName) {
  Discard();
  failed_ = false;
  error_.clear();
  errorNumber_ = 0;
  target_ = fileName;
  // The new file lies beside the target so that the final rename stays on
  // one file system.
  std::string pattern = FolderOf(fileName) + ".kv5tmp.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) {
    errorNumber_ = errno;
    error_ = std::strerror(errorNumber_);
    failed_ = true;
    return false;
  }
  // Keep the permissions a newly created file would get.
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  struct stat existing;
  if (stat(fileName.c_str(), &existing) == 0) fchmod(fd, existing.st_mode & 07777);
  file_ = fdopen(fd, "wb");
  if (!file_) {
    errorNumber_ = errno;
    error_ = std::strerror(errorNumber_);
    close(fd);
    unlink(name.data());
    failed_ = true;
    return false;
  }
  temporary_ = name.data();
  return true;
}

void LineWriter::Fail(int errorNumber) {
  if (!failed_) {
    error_ = std::strerror(errorNumber);
    errorNumber_ = errorNumber;
  }
  failed_ = true;
  abortFlag = true;
}

void LineWriter::WriteRaw(const std::string& bytes) {
  if (!file_) {
    Fail(EBADF);
    return;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
      std::fwrite("\r\n", 1, 2, file_) != 2)
    Fail(errno ? errno : EIO);
}

// A line break inside a text would shift every later line of a positional
// file, so it is stored as "|".
void LineWriter::WriteTextLine(const std::string& text) {
  WriteRaw(Utf8ToCp850(SingleLineText(text)));
}
void LineWriter::WriteIntegerLine(long long value) {
  WriteRaw(std::to_string(value));
}
void LineWriter::WriteRealLine(Real value) {
  WriteRaw(RealLineText(value));
}
void LineWriter::WriteBoolLine(bool value) {
  WriteRaw(value ? "TRUE" : "FALSE");
}
void LineWriter::WriteAutoRealLine(Real value) {
  WriteRaw(AutoRealLineText(value));
}
void LineWriter::WriteUtf8Line(const std::string& text) {
  WriteRaw(text);
}

bool LineWriter::Close() {
  if (!file_) {
    abortFlag = true;
    return false;
  }
  if (std::fflush(file_) != 0) Fail(errno);
  if (fsync(fileno(file_)) != 0 && errno != EINVAL) Fail(errno);
  if (std::fclose(file_) != 0) Fail(errno);
  file_ = nullptr;
  if (!failed_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  if (failed_) {
    unlink(temporary_.c_str());
    temporary_.clear();
    abortFlag = true;
    return false;
  }
  temporary_.clear();
  return true;
}

void LineWriter::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    unlink(temporary_.c_str());
    temporary_.clear();
  }
}

namespace {
// Formats with the unshifted number of decimals while it lives.
class UnshiftedDecimals {
 public:
  UnshiftedDecimals() : saved_(decimalsSetting) { decimalsSetting = 3; }
  ~UnshiftedDecimals() { decimalsSetting = saved_; }
  UnshiftedDecimals(const UnshiftedDecimals&) = delete;
  UnshiftedDecimals& operator=(const UnshiftedDecimals&) = delete;

 private:
  int saved_;
};
}  // namespace

std::string SingleLineText(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      line += '|';
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  return line;
}

bool ReadWholeFile(const std::string& name, std::string& bytes) {
  bytes.clear();
  // Only regular files: a FIFO would block the open, a device such as
  // /dev/zero would never end.
  struct stat info;
  if (stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  bytes = buffer.str();
  return true;
}

std::string RealLineText(Real value) {
  UnshiftedDecimals unshifted;
  if (value < 1 && std::fabs(value - std::nearbyint(value)) < 1e-10L) return FormatAuto(value);
  std::string text = FormatFixed(1, 7, value);
  size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? text : text.substr(first);
}

std::string AutoRealLineText(Real value) {
  UnshiftedDecimals unshifted;
  return FormatAuto(value);
}

bool LineReader::Open(const std::string& fileName) {
  lines_.clear();
  next_ = 0;
  error_.clear();
  // Only regular files: a FIFO would block the open, a device such as
  // /dev/zero would never end.
  struct stat info;
  if (stat(fileName.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    error_ = std::strerror(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    return false;
  }
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    error_ = std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    error_ = std::strerror(errno ? errno : EIO);
    return false;
  }
  OpenText(buffer.str());
  return true;
}

void LineReader::OpenText(const std::string& bytes) {
  lines_.clear();
  next_ = 0;
  // Editors on this platform may put a byte order mark in front of UTF-8.
  std::string_view body(bytes);
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  // Files written by the program are code page 850; a file that is valid
  // UTF-8 throughout (edited on this platform) is taken as it is.
  bool utf8 = IsValidUtf8(std::string(body));
  std::string line;
  auto push = [&] {
    lines_.push_back(utf8 ? line : Cp850ToUtf8(line));
    line.clear();
  };
  for (size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    if (c == '\r') {
      push();
      if (i + 1 < body.size() && body[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      push();
    } else {
      line += c;
    }
  }
  if (!line.empty()) push();
}

bool LineReader::ReadTextLine(std::string& value) {
  if (AtEnd()) return false;
  value = lines_[next_++];
  return true;
}

bool LineReader::ReadIntegerLine(int& value) {
  if (AtEnd()) return false;
  value = ParseInt(lines_[next_++]);
  return true;
}

bool LineReader::ReadIntegerLine(short& value) {
  int wide = 0;
  if (!ReadIntegerLine(wide)) return false;
  value = (wide > 32767 || wide < -32768) ? 0 : static_cast<short>(wide);
  return true;
}

bool LineReader::ReadRealLine(Real& value) {
  if (AtEnd()) return false;
  std::string text = lines_[next_++];
  for (char& c : text)
    if (c == ',') c = '.';
  value = ParseNumber(text);
  return true;
}

bool LineReader::ReadRealLine(double& value) {
  Real wide = 0;
  if (!ReadRealLine(wide)) return false;
  // A value beyond the range of the table's 64-bit reals reads as 0.
  value = std::isfinite(static_cast<double>(wide)) ? static_cast<double>(wide) : 0.0;
  return true;
}

bool LineReader::ReadBoolLine(bool& value) {
  if (AtEnd()) return false;
  std::string text = lines_[next_++];
  value = text.size() == 4 && (text[0] | 0x20) == 't' && (text[1] | 0x20) == 'r' &&
          (text[2] | 0x20) == 'u' && (text[3] | 0x20) == 'e';
  return true;
}

std::string LineReader::PeekLine() const {
  return AtEnd() ? std::string() : lines_[next_];
}

void LineReader::SkipLines(size_t count) {
  next_ = next_ + count > lines_.size() ? lines_.size() : next_ + count;
}

void LineReader::RewindTo(size_t lineNumber) {
  next_ = lineNumber > lines_.size() ? lines_.size() : lineNumber;
}

bool FileReadable(const std::string& fileName) {
  struct stat info;
  if (stat(fileName.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return access(fileName.c_str(), R_OK) == 0;
}

bool FileExists(const std::string& fileName) {
  struct stat info;
  return stat(fileName.c_str(), &info) == 0;
}

}  // namespace kv5
