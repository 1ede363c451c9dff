// A scripted headless platform that also keeps what each dialog was shown,
// and can pretend that a person is there to answer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "tests/test_support.h"

namespace kv5::testing {

struct ShownChoice {
  std::string title;
  std::vector<std::string> items;
  int preselected = 0;
  ChoiceStyle style = ChoiceStyle::List;
};

struct ShownText {
  std::string prompt;
  int maxLength = 0;
  std::string current;
};

struct ShownExplanation {
  std::string message;
  std::string cause;
  std::string remedy;
};

class DialogPlatform : public HeadlessPlatform {
 public:
  std::optional<int> AskChoice(const std::string& title, const std::vector<std::string>& items,
                               int preselected, ChoiceStyle style) override {
    choices.push_back({title, items, preselected, style});
    return HeadlessPlatform::AskChoice(title, items, preselected, style);
  }
  std::optional<std::string> AskText(const std::string& prompt, int maxLength,
                                     const std::string& current) override {
    texts.push_back({prompt, maxLength, current});
    return HeadlessPlatform::AskText(prompt, maxLength, current);
  }
  std::optional<ExplanationTexts> ShowExplanation(const std::string& message,
                                                  const std::string& cause,
                                                  const std::string& remedy) override {
    explanations.push_back({message, cause, remedy});
    return HeadlessPlatform::ShowExplanation(message, cause, remedy);
  }
  bool Interactive() const override { return interactive; }

  // The texts of the message boxes shown so far.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> out;
    for (const ShownMessage& m : Messages()) out.push_back(m.text);
    return out;
  }

  std::vector<ShownChoice> choices;
  std::vector<ShownText> texts;
  std::vector<ShownExplanation> explanations;
  bool interactive = false;
};

// ProgramTest with the dialog platform installed instead.
class DialogTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    dialogs_.SetEcho(false);
    SetPlatform(&dialogs_);
  }
  DialogPlatform dialogs_;
};

}  // namespace kv5::testing
