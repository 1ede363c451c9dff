#include "cad/iges_parameter_file.h"

#include <cerrno>
#include <cstring>

#include "cad/block_files.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"

namespace kv5 {

void IgesParameterFile::Fail(int errorNumber) {
  if (!failed_) ShowError(CadIoErrorText(name_, errorNumber ? errorNumber : EIO));
  failed_ = true;
  abortFlag = true;
}

bool IgesParameterFile::Create() {
  Remove();
  failed_ = false;
  std::string folder = BlockFolder();
  name_ = (folder.empty() ? TemporaryFolder() : folder) + "RUVAVIRO.$$$";
  if (folder.empty()) {
    Fail(errno);
    return false;
  }
  file_ = std::fopen(name_.c_str(), "w+b");
  if (!file_) {
    Fail(errno);
    return false;
  }
  return true;
}

void IgesParameterFile::PutRecord(const std::string& record) {
  if (!file_ || failed_) return;
  if (std::fwrite(record.data(), 1, record.size(), file_) != record.size() ||
      std::fputc('\n', file_) == EOF)
    Fail(errno);
}

bool IgesParameterFile::CopyTo(CadLineSink& sink) {
  if (!file_ || failed_) {
    Remove();
    return false;
  }
  if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
    Fail(errno);
    Remove();
    return false;
  }
  std::string line;
  int c;
  while ((c = std::fgetc(file_)) != EOF) {
    if (c == '\n') {
      sink.PutLine(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  if (std::ferror(file_)) Fail(errno);
  const bool ok = !failed_;
  Remove();
  return ok;
}

void IgesParameterFile::Remove() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!name_.empty()) std::remove(name_.c_str());
  name_.clear();
}

}  // namespace kv5
