// The choice dialog "Auswahl" over the shared item table, the yes/no
// choice, and the help topic that the help buttons of every dialog show.
#pragma once

#include <array>
#include <string>

namespace kv5 {

inline constexpr int kChoiceItemCount = 135;
// Choices of up to this many items are offered as radio buttons, longer
// ones in a list box.
inline constexpr int kRadioChoiceLimit = 7;
// Start-up text of every choice item: 65 blanks.
inline constexpr int kChoiceItemBlanks = 65;

// The shared item table of AskChoice, items 1..135, filled by the caller.
class ChoiceItemTable {
 public:
  ChoiceItemTable() { Reset(); }
  // Item 1..135. Any other number gives a scratch text that no dialog
  // shows, so a wrong number can never write past the table.
  std::string& operator[](int item);
  const std::string& operator[](int item) const;
  // Every item back to 65 blanks.
  void Reset();

 private:
  std::array<std::string, kChoiceItemCount> items_;
  std::string scratch_;
};
extern ChoiceItemTable choiceItems;

// The help topic of the dialog about to be opened: its help buttons show
// help text or help picture number currentHelpTopic.
extern short currentHelpTopic;
void SetHelpTopic(int topic);

// currentHelpTopic := 0 and every choice item 65 blanks (program start).
void InitChoiceDialogs();

// Offers the first `count` items of choiceItems (at most 135) with item
// `index` (1-based) preselected; an index outside 1..count is first set to
// 1. On OK `index` := the chosen item; on cancel, or when there is nothing
// to choose (count < 1), it is unchanged and abortFlag is set.
void AskChoice(const std::string& title, int count, int& index);

// The yes/no dialog "Eingabe": `answer` preselects "&Ja" (true) or "&Nein"
// (false); on OK `answer` := whether "&Ja" was chosen; on cancel it is
// unchanged and abortFlag is set.
void AskYesNoChoice(const std::string& question, bool& answer);

}  // namespace kv5
