#include "platform/headless_platform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace kv5 {

void HeadlessPlatform::ClearLog() {
  messages_.clear();
  questions_.clear();
  started_.clear();
  textFiles_.clear();
  status_.clear();
}

ScriptedAnswer HeadlessPlatform::NextAnswer(const std::string& question) {
  questions_.push_back(question);
  if (answers_.empty()) return ScriptedCancel{};
  ScriptedAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

void HeadlessPlatform::MessageBox(const std::string& caption, const std::string& text) {
  messages_.push_back({caption, text});
  if (echo_) std::fprintf(stderr, "%s %s\n", caption.c_str(), text.c_str());
}

YesNoCancel HeadlessPlatform::AskYesNoCancel(const std::string& caption,
                                             const std::string& question) {
  ScriptedAnswer a = NextAnswer(caption + " " + question);
  if (auto* v = std::get_if<YesNoCancel>(&a)) return *v;
  if (auto* b = std::get_if<bool>(&a)) return *b ? YesNoCancel::Yes : YesNoCancel::No;
  return YesNoCancel::Cancel;
}

std::optional<int> HeadlessPlatform::AskChoice(const std::string& title,
                                               const std::vector<std::string>& items,
                                               int preselected, ChoiceStyle style) {
  (void)style;
  ScriptedAnswer a = NextAnswer(title);
  if (auto* v = std::get_if<int>(&a)) {
    if (*v >= 0 && *v < static_cast<int>(items.size())) return *v;
    return preselected;
  }
  return std::nullopt;
}

std::optional<std::string> HeadlessPlatform::AskText(const std::string& prompt, int maxLength,
                                                     const std::string& current) {
  (void)current;
  ScriptedAnswer a = NextAnswer(prompt);
  if (auto* v = std::get_if<std::string>(&a)) {
    if (maxLength > 0 && static_cast<int>(v->size()) > maxLength) return v->substr(0, maxLength);
    return *v;
  }
  return std::nullopt;
}

std::optional<bool> HeadlessPlatform::AskYesNoChoice(const std::string& question, bool current) {
  (void)current;
  ScriptedAnswer a = NextAnswer(question);
  if (auto* v = std::get_if<bool>(&a)) return *v;
  if (auto* y = std::get_if<YesNoCancel>(&a)) {
    if (*y == YesNoCancel::Cancel) return std::nullopt;
    return *y == YesNoCancel::Yes;
  }
  return std::nullopt;
}

std::optional<ExplanationTexts> HeadlessPlatform::ShowExplanation(const std::string& message,
                                                                  const std::string& cause,
                                                                  const std::string& remedy) {
  (void)cause;
  (void)remedy;
  ScriptedAnswer a = NextAnswer(message);
  if (auto* v = std::get_if<ExplanationTexts>(&a)) return *v;
  return std::nullopt;
}

std::optional<std::string> HeadlessPlatform::AskOpenFile(const FileDialogRequest& request) {
  ScriptedAnswer a = NextAnswer(request.title.empty() ? "open " + request.filter : request.title);
  if (auto* v = std::get_if<std::string>(&a)) return *v;
  return std::nullopt;
}

std::optional<std::string> HeadlessPlatform::AskSaveFile(const FileDialogRequest& request) {
  ScriptedAnswer a = NextAnswer(request.title.empty() ? "save " + request.filter : request.title);
  if (auto* v = std::get_if<std::string>(&a)) return *v;
  return std::nullopt;
}

bool HeadlessPlatform::StartProgram(const std::string& commandLine) {
  started_.push_back(commandLine);
  if (recordOnlyStarts_) return true;
  // Started in the background; the program never waits for it.
  std::string cmd = commandLine + " >/dev/null 2>&1 &";
  return std::system(cmd.c_str()) == 0;
}

bool HeadlessPlatform::OpenWithAssociatedProgram(const std::string& fileName) {
  started_.push_back("open " + fileName);
  return true;  // Headless: there is nobody to show the file to.
}

void HeadlessPlatform::ShowTextFile(const std::string& fileName, const std::string& caption) {
  textFiles_.push_back({fileName, caption});
}

void HeadlessPlatform::Sleep(int milliseconds) {
  if (realSleep_ && milliseconds > 0)
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

HeadlessPlatform& DefaultHeadlessPlatform() {
  static HeadlessPlatform platform;
  return platform;
}

}  // namespace kv5
