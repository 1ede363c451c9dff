// Shared fixture: every test starts from the program's start-up state and
// talks to a fresh headless platform whose answers it can script.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/core/program_state.h"
#include "platform/headless_platform.h"

namespace kv5::testing {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgramState();
    platform_.SetEcho(false);
    SetPlatform(&platform_);
  }
  void TearDown() override {
    SetPlatform(nullptr);
    ResetProgramState();
  }
  HeadlessPlatform platform_;
};

// A fresh empty folder below the system's temporary folder, removed with
// its contents when the object ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder, ending with "/".
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Whole file as bytes ("" when missing).
std::string ReadFileBytes(const std::string& fileName);

// Runs `body` in a forked child process whose files may grow to at most
// maxBytes (SIGXFSZ ignored, so a write beyond fails like a full disk).
// Returns 0 when body returned true, 1 when it returned false, -1 when the
// child did not end normally. Nothing the child changes reaches the test.
int ExitCodeUnderFileSizeLimit(long maxBytes, const std::function<bool()>& body);
void WriteFileBytes(const std::string& fileName, const std::string& bytes);

}  // namespace kv5::testing
