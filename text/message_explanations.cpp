#include "text/message_explanations.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "app/core/command_line.h"
#include "app/core/identity.h"
#include "dialogs/checked_files.h"
#include "dialogs/choice_dialogs.h"
#include "dialogs/file_checks.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/messages.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

constexpr int kListHelpTopic = 2070;
constexpr int kChoiceHelpTopic = 1210;
constexpr int kExplanationHelpTopic = 1970;

// The message of list entry `index`, or nothing when there is none.
std::optional<std::string> ListedMessage(int index) {
  if (index < 1 || index > MessageCount()) return std::nullopt;
  return MessageText(index);
}

bool SameKey(const std::string& line, const std::string& message) {
  return Utf8Left(line, kExplanationKeyLength) == Utf8Left(message, kExplanationKeyLength);
}

// The lines of the explanation file, or nothing when it cannot be read.
std::optional<std::vector<std::string>> ReadExplanationLines() {
  LineReader reader;
  if (!reader.Open(ExplanationFileName())) return std::nullopt;
  std::vector<std::string> lines;
  lines.reserve(reader.LineCount());
  std::string line;
  while (reader.ReadTextLine(line)) lines.push_back(line);
  return lines;
}

// The line that starts the record of `message`: the first line whose key
// equals the message's. A match on the last line has no cause and counts
// as missing, and so does an empty message.
std::optional<size_t> FindRecordLine(const std::vector<std::string>& lines,
                                     const std::string& message) {
  if (message.empty()) return std::nullopt;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!SameKey(lines[i], message)) continue;
    if (i + 1 >= lines.size()) return std::nullopt;
    return i;
  }
  return std::nullopt;
}

struct Explanation {
  std::string cause;
  std::string remedy;
};

std::optional<Explanation> RecordAt(const std::vector<std::string>& lines, size_t first) {
  Explanation found;
  found.cause = lines[first + 1];
  if (first + 2 < lines.size()) found.remedy = lines[first + 2];
  return found;
}

// Cause and remedy for MessageCause and MessageRemedy.
struct LookUp {
  bool fileRead = false;
  std::optional<Explanation> record;
};

LookUp LookUpMessage(int index) {
  LookUp result;
  std::optional<std::string> message = ListedMessage(index);
  if (!message) return result;
  std::optional<std::vector<std::string>> lines = ReadExplanationLines();
  if (!lines) return result;
  result.fileRead = true;
  if (std::optional<size_t> first = FindRecordLine(*lines, *message))
    result.record = RecordAt(*lines, *first);
  return result;
}

// Saving one explanation must not change the others: a file that holds
// UTF-8 text stays UTF-8, and so does one whose lines code page 850 cannot
// hold; any other file stays in code page 850.
bool WriteBackAsUtf8(const std::string& fileName, const std::vector<std::string>& lines) {
  std::string bytes;
  if (ReadWholeFile(fileName, bytes) && IsValidUtf8(bytes) &&
      std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }))
    return true;
  return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return Cp850ToUtf8(Utf8ToCp850(line)) != line;
  });
}

// A memo text as one line of the file: every line break becomes a blank.
std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += ' ';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += ' ';
    } else {
      out += text[i];
    }
  }
  return out;
}

// Batch runs: nobody can pick from the list, so every message is shown.
void ShowMessagesWithoutList() {
  for (int i = 1; i <= MessageCount(); ++i) ShowInfo(MessageText(i));
}

}  // namespace

std::string ExplanationFileName() {
  return AddBackslash(pltFolder) + programFileBase + ".err";
}

std::string MessageCause(int index) {
  LookUp found = LookUpMessage(index);
  if (!found.fileRead) return "";
  return found.record ? found.record->cause : kNoExplanation;
}

std::string MessageRemedy(int index) {
  LookUp found = LookUpMessage(index);
  return found.record ? found.record->remedy : "";
}

void ExplainMessage(int index) {
  std::optional<std::string> message = ListedMessage(index);
  if (!message) return;
  const std::string fileName = ExplanationFileName();
  if (!CheckFileReadable(fileName)) return;
  std::optional<std::vector<std::string>> lines = ReadExplanationLines();
  if (!lines) {
    abortFlag = true;
    return;
  }
  std::optional<size_t> first = FindRecordLine(*lines, *message);
  if (!first) {
    ShowTitled("Meldung", kNoExplanation);
    return;
  }
  std::optional<Explanation> record = RecordAt(*lines, *first);
  SetHelpTopic(kExplanationHelpTopic);
  std::optional<ExplanationTexts> edited = CurrentPlatform().ShowExplanation(
      DosToDisplay(*message), DosToDisplay(record->cause), DosToDisplay(record->remedy));
  if (!edited) return;
  if (!AskYesNo("Save Changes ?")) return;
  // The message itself goes back as it is listed, not as displayed: a
  // transliterated display text would no longer find its record.
  SaveExplanation(*message, DisplayToDos(edited->cause), DisplayToDos(edited->remedy));
}

void ShowMessageList() {
  if (NoGuiRequested()) return;
  const int count = MessageCount();
  if (count == 0) {
    ShowInfo(kNoMessagesText);
    return;
  }
  if (!CurrentPlatform().Interactive()) {
    ShowMessagesWithoutList();
    return;
  }
  abortFlag = false;
  for (int i = 1; i <= count; ++i) choiceItems[i] = MessageText(i);
  const int leave = count + 1;
  choiceItems[leave] = kMessageListLeave;
  SetHelpTopic(kListHelpTopic);
  // Beginners start on "Weiter/zurück..." so that Enter leaves at once.
  int selection = helpLevel >= 2 ? 1 : leave;
  for (;;) {
    SetHelpTopic(kChoiceHelpTopic);
    AskChoice(kMessageListTitle, leave, selection);
    if (abortFlag || selection == leave) return;
    ExplainMessage(selection);
    if (abortFlag) return;
    ++selection;
    if (selection >= leave) return;
  }
}

void SaveExplanation(const std::string& message, const std::string& cause,
                     const std::string& remedy) {
  const std::string fileName = ExplanationFileName();
  const std::string newCause = OneLine(cause);
  const std::string newRemedy = OneLine(remedy);
  if (Utf8Length(newCause) > static_cast<size_t>(kMaxExplanationLength) ||
      Utf8Length(newRemedy) > static_cast<size_t>(kMaxExplanationLength)) {
    ShowError("Ursache und Abhilfe höchstens " + std::to_string(kMaxExplanationLength) +
              " Zeichen !");
    return;
  }
  if (!CheckFileReadable(fileName)) return;
  std::optional<std::vector<std::string>> lines = ReadExplanationLines();
  if (!lines) {
    abortFlag = true;
    return;
  }
  // The same record that the look-up shows, so that an edit never lands on
  // a neighbour whose message starts alike.
  std::optional<size_t> first = FindRecordLine(*lines, message);
  if (!first) {
    ShowError(message + " not found.");
    return;
  }
  (*lines)[*first + 1] = newCause;
  if (*first + 2 < lines->size())
    (*lines)[*first + 2] = newRemedy;
  else
    lines->push_back(newRemedy);
  const bool utf8 = WriteBackAsUtf8(fileName, *lines);
  LineWriter writer;
  if (!CreateChecked(writer, fileName)) return;
  for (const std::string& line : *lines)
    if (!WriteChecked(writer, line, utf8)) break;
  if (writer.Failed()) {
    writer.Discard();
    return;
  }
  CloseChecked(writer);
}

}  // namespace kv5
