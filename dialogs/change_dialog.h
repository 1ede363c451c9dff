// The change dialog "Änderung" without its window: one entry of the change
// log (change text, date, editor, description) as the person types it, the
// date button and the storing rule of OK.
#pragma once

#include <functional>
#include <string>

namespace kv5 {

class ChangeDialog {
 public:
  struct Fields {
    std::string changeText;   // at most 20 characters
    std::string changeDate;   // 10
    std::string changeBy;     // 5
    std::string description;  // 255
  };
  static constexpr int kChangeTextLength = 20;
  static constexpr int kDateLength = 10;
  static constexpr int kEditorLength = 5;
  static constexpr int kDescriptionLength = 255;
  static constexpr int kHelpTopic = 3000;

  std::function<void(int topic)> showHelp;

  // Entry n (1..25) of the change log.
  explicit ChangeDialog(int n);

  int entry() const { return n_; }
  std::string Caption() const;  // "Änderung <n>"
  static std::string ChangeTextLabel();
  static std::string DateLabel();
  static std::string EditorLabel();
  static std::string DescriptionLabel();
  static std::string DateButtonCaption();  // "<" + today's date

  const Fields& fields() const { return fields_; }
  // Typed texts, cut to their lengths.
  void SetChangeText(const std::string& text);
  void SetChangeDate(const std::string& text);
  void SetChangeBy(const std::string& text);
  void SetDescription(const std::string& text);
  void TakeToday();  // the date button

  bool Ok();      // clears abortFlag, stores the four fields into the entry
  bool Cancel();  // sets abortFlag, stores nothing
  void Help() const;

 private:
  int n_;
  Fields fields_;
};

}  // namespace kv5
