#include "dialogs/change_dialog.h"

#include <algorithm>

#include "graphics/drawing_info.h"
#include "model/drive_model.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

// A typed text kept as a program text. The conversion refuses texts of
// full length (a description of 255 characters); such a text is kept as
// typed rather than lost.
std::string Kept(const std::string& text) {
  std::string kept = DisplayToDos(text);
  return kept.empty() ? text : kept;
}
std::string Shown(const std::string& text) {
  std::string shown = DosToDisplay(text);
  return shown.empty() ? text : shown;
}

}  // namespace

ChangeDialog::ChangeDialog(int n) : n_(std::clamp(n, 1, kMaxChanges)) {
  const AendRecord& r = documentData.changes[n_];
  fields_.changeText = LeftStr(Shown(r.changeText), kChangeTextLength);
  fields_.changeDate = LeftStr(r.changeDate, kDateLength);
  fields_.changeBy = LeftStr(Shown(r.changeBy), kEditorLength);
  fields_.description = LeftStr(Shown(r.description), kDescriptionLength);
}

std::string ChangeDialog::Caption() const {
  return LabelText(Label::Change) + " " + std::to_string(n_);
}
std::string ChangeDialog::ChangeTextLabel() {
  return LabelText(Label::ChangeText);
}
std::string ChangeDialog::DateLabel() {
  return LabelText(Label::Date);
}
std::string ChangeDialog::EditorLabel() {
  return LabelText(Label::Editor);
}
std::string ChangeDialog::DescriptionLabel() {
  return LabelText(Label::Description);
}
std::string ChangeDialog::DateButtonCaption() {
  return "<" + FormatDate();
}

void ChangeDialog::SetChangeText(const std::string& text) {
  fields_.changeText = LeftStr(text, kChangeTextLength);
}
void ChangeDialog::SetChangeDate(const std::string& text) {
  fields_.changeDate = LeftStr(text, kDateLength);
}
void ChangeDialog::SetChangeBy(const std::string& text) {
  fields_.changeBy = LeftStr(text, kEditorLength);
}
void ChangeDialog::SetDescription(const std::string& text) {
  fields_.description = LeftStr(text, kDescriptionLength);
}
void ChangeDialog::TakeToday() {
  fields_.changeDate = FormatDate();
}

bool ChangeDialog::Ok() {
  abortFlag = false;
  AendRecord& r = documentData.changes[n_];
  r.changeText = Kept(fields_.changeText);
  r.changeDate = fields_.changeDate;  // as typed
  r.changeBy = Kept(fields_.changeBy);
  r.description = Kept(fields_.description);
  return true;
}

bool ChangeDialog::Cancel() {
  abortFlag = true;
  return true;
}

void ChangeDialog::Help() const {
  if (showHelp) showHelp(kHelpTopic);
}

}  // namespace kv5
