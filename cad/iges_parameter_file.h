// The Parameter Data records of an IGES file, kept in a spool file until
// the Directory Entry section is complete. The spool lives in the private
// folder of this process (cad/block_files.h), so two runs never share it.
#pragma once

#include <cstdio>
#include <string>

#include "cad/cad_output_file.h"

namespace kv5 {

class IgesParameterFile {
 public:
  IgesParameterFile() = default;
  IgesParameterFile(const IgesParameterFile&) = delete;
  IgesParameterFile& operator=(const IgesParameterFile&) = delete;
  ~IgesParameterFile() { Remove(); }

  // False (error box, abortFlag) when the spool cannot be created.
  bool Create();
  void PutRecord(const std::string& record);
  // Appends every record to `sink` and removes the spool. False (error box,
  // abortFlag) after any I/O error of the spool.
  bool CopyTo(CadLineSink& sink);
  void Remove();
  bool Failed() const { return failed_; }
  const std::string& FileName() const { return name_; }

 private:
  void Fail(int errorNumber);

  std::FILE* file_ = nullptr;
  std::string name_;
  bool failed_ = false;
};

}  // namespace kv5
