// The text files of the CAD output (DXF, LINPLOT DXF, plot file, contour
// listing, block files) and the number format they share.
//
// A file is written under a new name beside the target and takes the
// target's place only when it is complete, so a failed export never
// destroys a file that was there before. A create or write error shows one
// error box naming the I/O error and sets abortFlag; the lines after it are
// dropped and the new file is removed.
#pragma once

#include <string>

#include "model/drive_model.h"
#include "model/line_file.h"

namespace kv5 {

// Where the writers put their lines (bytes as they go to the file, without
// the line end).
class CadLineSink {
 public:
  virtual ~CadLineSink() = default;
  virtual void PutLine(const std::string& bytes) = 0;
};

class CadOutputFile : public CadLineSink {
 public:
  // Starts the file. False (error box, abortFlag) when it cannot be made.
  bool Create(const std::string& fileName);
  // Writes one line ended by CR LF. Nothing happens once the file failed or
  // when it is not open.
  void PutLine(const std::string& bytes) override;
  // Completes the file and puts it in place. False (error box unless one
  // was shown already, abortFlag) when anything failed; the new file is then
  // removed and an older file of that name stays as it was.
  bool Close();
  // Gives up: removes the new file, keeps an older one.
  void Discard();

  bool IsOpen() const { return open_; }
  bool Failed() const { return failed_; }
  const std::string& FileName() const { return fileName_; }

 private:
  void ReportFailure(int errorNumber);

  LineWriter writer_;
  std::string fileName_;
  bool open_ = false;
  bool failed_ = false;
};

// The text of the I/O error box for a file.
std::string CadIoErrorText(const std::string& fileName, int errorNumber);

// Fixed-point text of x with `decimals` digits after the point ("." as
// decimal mark, no padding, no minus sign for a value that rounds to 0).
// Independent of the decimals setting of the display.
std::string FormatCadFixed(Real x, int decimals);

}  // namespace kv5
