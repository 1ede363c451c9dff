// A platform without any window: for batch runs and tests.
//
// Message boxes are written to standard error (unless silenced) and kept in
// a log. Questions and dialogs take their answers from a scripted queue;
// when the queue is empty they answer "Cancel", so nothing ever waits.
#pragma once

#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace kv5 {

// One prepared answer. Cancel answers any kind of question with Cancel; an
// ExplanationTexts answer edits the explanation window.
struct ScriptedCancel {};
using ScriptedAnswer =
    std::variant<ScriptedCancel, YesNoCancel, int, std::string, bool, ExplanationTexts>;

struct ShownMessage {
  std::string caption;
  std::string text;
};

// A text file handed to the text window.
struct ShownTextFile {
  std::string fileName;
  std::string caption;
};

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform() = default;

  // Answers are taken from the front of the queue, one per question.
  void QueueAnswer(ScriptedAnswer answer) { answers_.push_back(std::move(answer)); }
  size_t PendingAnswers() const { return answers_.size(); }
  void ClearAnswers() { answers_.clear(); }

  // Everything shown so far: message boxes and the questions asked.
  const std::vector<ShownMessage>& Messages() const { return messages_; }
  const std::vector<std::string>& Questions() const { return questions_; }
  const std::vector<std::string>& StartedPrograms() const { return started_; }
  const std::vector<ShownTextFile>& ShownTextFiles() const { return textFiles_; }
  const std::string& StatusText() const { return status_; }
  void ClearLog();

  // Whether message boxes are echoed to standard error.
  void SetEcho(bool echo) { echo_ = echo; }
  // Whether a program start is only recorded (tests) or really done.
  void SetRecordOnlyStarts(bool recordOnly) { recordOnlyStarts_ = recordOnly; }
  // Whether Sleep really waits.
  void SetRealSleep(bool real) { realSleep_ = real; }

  void MessageBox(const std::string& caption, const std::string& text) override;
  YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& question) override;
  std::optional<int> AskChoice(const std::string& title, const std::vector<std::string>& items,
                               int preselected, ChoiceStyle style) override;
  std::optional<std::string> AskText(const std::string& prompt, int maxLength,
                                     const std::string& current) override;
  std::optional<bool> AskYesNoChoice(const std::string& question, bool current) override;
  // Answered by an ExplanationTexts answer; any other answer closes the
  // window unchanged.
  std::optional<ExplanationTexts> ShowExplanation(const std::string& message,
                                                  const std::string& cause,
                                                  const std::string& remedy) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  void SetBusy(bool busy) override { busy_ = busy; }
  void SetStatusText(const std::string& text) override { status_ = text; }
  void Beep() override {}
  bool StartProgram(const std::string& commandLine) override;
  bool OpenWithAssociatedProgram(const std::string& fileName) override;
  void ShowTextFile(const std::string& fileName, const std::string& caption) override;
  void Sleep(int milliseconds) override;
  int ScreenWidth() const override { return 1280; }
  int ScreenHeight() const override { return 1024; }
  int ScreenDpi() const override { return 96; }
  bool Interactive() const override { return false; }

  bool Busy() const { return busy_; }

 private:
  // The next answer, or Cancel when none is queued.
  ScriptedAnswer NextAnswer(const std::string& question);

  std::deque<ScriptedAnswer> answers_;
  std::vector<ShownMessage> messages_;
  std::vector<std::string> questions_;
  std::vector<std::string> started_;
  std::vector<ShownTextFile> textFiles_;
  std::string status_;
  bool echo_ = true;
  bool recordOnlyStarts_ = true;
  bool realSleep_ = false;
  bool busy_ = false;
};

// The built-in headless platform that is current unless another is set.
HeadlessPlatform& DefaultHeadlessPlatform();

}  // namespace kv5
