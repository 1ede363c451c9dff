// The platform of the desktop program: message boxes, questions and the
// small input dialogs as Qt widgets, file dialogs, the busy cursor, the
// status text, starting other programs, waiting with a live event loop and
// the facts of the screen.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/qt/help_hook.h"
#include "platform/platform.h"

namespace kv5 {

class QtPlatform : public Platform {
 public:
  // Parent of every dialog (the main window); may be null.
  QPointer<QWidget> dialogParent;
  // The help buttons of the dialogs.
  HelpHook help;
  // Where status texts go (the main window's status line).
  std::function<void(const std::string&)> showStatus;

  void MessageBox(const std::string& caption, const std::string& text) override;
  YesNoCancel AskYesNoCancel(const std::string& caption, const std::string& question) override;
  std::optional<int> AskChoice(const std::string& title, const std::vector<std::string>& items,
                               int preselected, ChoiceStyle style) override;
  std::optional<std::string> AskText(const std::string& prompt, int maxLength,
                                     const std::string& current) override;
  std::optional<bool> AskYesNoChoice(const std::string& question, bool current) override;
  std::optional<ExplanationTexts> ShowExplanation(const std::string& message,
                                                  const std::string& cause,
                                                  const std::string& remedy) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  void SetBusy(bool busy) override;
  void SetStatusText(const std::string& text) override;
  void Beep() override;
  bool StartProgram(const std::string& commandLine) override;
  bool OpenWithAssociatedProgram(const std::string& fileName) override;
  // The text window, modal.
  void ShowTextFile(const std::string& fileName, const std::string& caption) override;
  // The print dialog of the text window, then the pages on its printer (a
  // PDF file in the temporary folder where no printer is installed).
  bool PrintTextFile(const std::string& fileName) override;
  void Sleep(int milliseconds) override;
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int ScreenDpi() const override;
  bool Interactive() const override { return true; }

  bool busy() const { return busy_; }
  const std::string& statusText() const { return status_; }

 private:
  std::optional<std::string> AskFile(const FileDialogRequest& request, bool save);

  bool busy_ = false;
  std::string status_;
};

}  // namespace kv5
