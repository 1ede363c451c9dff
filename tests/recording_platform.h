// A scripted headless platform that also keeps the file dialog requests
// and every status text, and can pretend that a person is there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "tests/test_support.h"

namespace kv5::testing {

class RecordingPlatform : public HeadlessPlatform {
 public:
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return HeadlessPlatform::AskOpenFile(request);
  }
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return HeadlessPlatform::AskSaveFile(request);
  }
  YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& question) override {
    questions.push_back(question);
    if (beforeQuestion) beforeQuestion();
    return HeadlessPlatform::AskYesNoCancel(caption, question);
  }
  void SetStatusText(const std::string& text) override {
    statusTexts.push_back(text);
    HeadlessPlatform::SetStatusText(text);
  }
  bool Interactive() const override { return interactive; }

  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<std::string> statusTexts;
  std::vector<std::string> questions;    // of the yes/no/cancel boxes
  std::function<void()> beforeQuestion;  // runs while a question is open
  bool interactive = false;
};

// ProgramTest with the recording platform installed instead.
class RecordingTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    recorder_.SetEcho(false);
    SetPlatform(&recorder_);
  }
  RecordingPlatform recorder_;
};

}  // namespace kv5::testing
