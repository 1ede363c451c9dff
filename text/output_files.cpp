#include "text/output_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <vector>

#include "dialogs/checked_files.h"
#include "text/codepage.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

std::string FolderOf(const std::string& fileName) {
  size_t slash = fileName.find_last_of('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

bool WriteAll(int fd, const std::string& bytes, int& errorNumber) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      errorNumber = errno;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

FileFailure Failure(FileFailure::Stage stage, int errorNumber) {
  return FileFailure{stage, errorNumber ? errorNumber : EIO};
}

// Devices and pipes (a printer) cannot be replaced; they are written as
// they are.
FileFailure WriteInPlace(const std::string& destination, const std::string& bytes) {
  int fd = open(destination.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Failure(FileFailure::Stage::Create, errno);
  int error = 0;
  if (!WriteAll(fd, bytes, error)) {
    close(fd);
    return Failure(FileFailure::Stage::Write, error);
  }
  if (close(fd) != 0) return Failure(FileFailure::Stage::Close, errno);
  return {};
}

}  // namespace

std::string FileFailureText(const FileFailure& failure) {
  switch (failure.stage) {
    case FileFailure::Stage::Create:
      return CreateFailureText(failure.errorNumber);
    case FileFailure::Stage::Write:
      return WriteFailureText(failure.errorNumber);
    case FileFailure::Stage::Close:
      return CloseFailureText(failure.errorNumber);
    case FileFailure::Stage::None:
      break;
  }
  return "";
}

bool CreateExclusive(const std::string& name, int& errorNumber) {
  int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    errorNumber = errno;
    return false;
  }
  close(fd);
  return true;
}

FileFailure ReplaceFile(const std::string& destination, const std::string& bytes) {
  struct stat existing;
  bool exists = stat(destination.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode))
    return WriteInPlace(destination, bytes);
  if (exists && S_ISDIR(existing.st_mode)) return Failure(FileFailure::Stage::Create, EISDIR);

  // The new file lies beside the destination so that the rename stays on
  // one file system and is atomic.
  std::string pattern = FolderOf(destination) + ".kv5out.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return Failure(FileFailure::Stage::Create, errno);
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, exists ? (existing.st_mode & 07777) : (0666 & ~mask));

  FileFailure failure;
  int error = 0;
  if (!WriteAll(fd, bytes, error)) failure = Failure(FileFailure::Stage::Write, error);
  if (!failure.Failed() && fsync(fd) != 0 && errno != EINVAL)
    failure = Failure(FileFailure::Stage::Close, errno);
  if (close(fd) != 0 && !failure.Failed()) failure = Failure(FileFailure::Stage::Close, errno);
  if (!failure.Failed() && std::rename(name.data(), destination.c_str()) != 0)
    failure = Failure(FileFailure::Stage::Close, errno);
  if (failure.Failed()) unlink(name.data());
  return failure;
}

bool ReadWholeFile(const std::string& name, std::string& bytes) {
  bytes.clear();
  struct stat info;
  if (stat(name.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  bytes = buffer.str();
  return true;
}

std::string DisplayLine(const std::string& line) {
  constexpr size_t kPiece = 200;  // characters, safely below the conversion limit
  if (Utf8Length(line) < kMaxConvertedTextLength) return DosToDisplay(line);
  std::string result;
  size_t offset = 0;
  while (offset < line.size()) {
    size_t end = offset;
    for (size_t k = 0; k < kPiece && end < line.size(); ++k) end += Utf8CharBytes(line, end);
    result += DosToDisplay(line.substr(offset, end - offset));
    offset = end;
  }
  return result;
}

}  // namespace kv5
