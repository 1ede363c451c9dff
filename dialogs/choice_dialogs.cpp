#include "dialogs/choice_dialogs.h"

#include <algorithm>
#include <vector>

#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/text_conversion.h"

namespace kv5 {

ChoiceItemTable choiceItems;
short currentHelpTopic = 0;

std::string& ChoiceItemTable::operator[](int item) {
  if (item < 1 || item > kChoiceItemCount) {
    scratch_.clear();
    return scratch_;
  }
  return items_[item - 1];
}

const std::string& ChoiceItemTable::operator[](int item) const {
  static const std::string kNone;
  if (item < 1 || item > kChoiceItemCount) return kNone;
  return items_[item - 1];
}

void ChoiceItemTable::Reset() {
  items_.fill(std::string(kChoiceItemBlanks, ' '));
  scratch_.clear();
}

void SetHelpTopic(int topic) {
  currentHelpTopic = static_cast<short>(topic);
}

void InitChoiceDialogs() {
  currentHelpTopic = 0;
  choiceItems.Reset();
}

void AskChoice(const std::string& title, int count, int& index) {
  count = std::min(count, kChoiceItemCount);
  if (count < 1) {
    abortFlag = true;
    return;
  }
  if (index < 1 || index > count) index = 1;
  std::vector<std::string> items;
  items.reserve(count);
  for (int i = 1; i <= count; ++i) items.push_back(DosToDisplay(choiceItems[i]));
  ChoiceStyle style = count > kRadioChoiceLimit ? ChoiceStyle::List : ChoiceStyle::RadioButtons;
  std::optional<int> chosen =
      CurrentPlatform().AskChoice(DosToDisplay(title), items, index - 1, style);
  if (!chosen || *chosen < 0 || *chosen >= count) {
    abortFlag = true;
    return;
  }
  abortFlag = false;
  index = *chosen + 1;
}

void AskYesNoChoice(const std::string& question, bool& answer) {
  std::optional<bool> chosen = CurrentPlatform().AskYesNoChoice(DosToDisplay(question), answer);
  if (!chosen) {
    abortFlag = true;
    return;
  }
  abortFlag = false;
  answer = *chosen;
}

}  // namespace kv5
