#include "graphics/help_texts.h"

#include "app/core/identity.h"
#include "dialogs/choice_dialogs.h"
#include "graphics/graphics_window.h"
#include "graphics/help_picture.h"
#include "model/drive_model.h"
#include "model/line_file.h"
#include "platform/platform.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/number_format.h"
#include "text/string_routines.h"
#include "text/text_conversion.h"

namespace kv5 {

namespace {

constexpr int kTopicsPerFile = 4000;  // topics from here on are the program's own file

// The number of a numbered line (its first four characters), or −1.
int LineNumber(const std::string& line) {
  int n;
  return TryParseInt(Utf8Left(line, 4), n) ? n : -1;
}

std::string PictureName(const std::string& line) {
  const size_t colon = line.find(':');
  return colon == std::string::npos ? "NULL" : TrimBlanks(line.substr(colon + 1));
}

HelpTopic MissingTopic(int topic) {
  HelpTopic missing;
  missing.lines[0] = "Hilfetext Nr " + std::to_string(topic) + ": " + "keine Hilfe vorhanden" + ".";
  return missing;
}

HelpTopic SearchTopic(LineReader& reader, int topic) {
  HelpTopic result;
  std::string line;
  std::string text;
  for (;;) {
    if (!reader.ReadTextLine(line)) return MissingTopic(topic);
    const int n = LineNumber(line);
    result.picture = PictureName(line);
    if (n < 0) {
      text = line;
    } else if (!reader.ReadTextLine(text)) {
      return MissingTopic(topic);
    }
    if (n >= 0 && n == topic) break;  // a plain line is never a topic
  }
  result.found = true;
  result.lines[0] = text;
  for (int k = 1; k <= 4; ++k) {
    if (!reader.ReadTextLine(line)) break;
    const int n = LineNumber(line);
    if (n >= 0 && n % 5 == 0) {
      result.endedAtNextTopic = true;
      break;
    }
    if (n < 0) {
      result.lines[k] = line;
      continue;
    }
    if (!reader.ReadTextLine(text)) break;
    if (n == topic + k) result.lines[k] = text;
  }
  return result;
}

int EffectiveTopic(int topic) {
  return topic == 0 ? currentHelpTopic : topic;
}

}  // namespace

std::string HelpFileName(int topic) {
  if (topic < kTopicsPerFile) return AddBackslash(pltFolder) + "kelmaro.hlp";
  return AddBackslash(pltFolder) + LowerCase(programFileBase) + ".hlp";
}

HelpTopic LookUpHelpTopicInText(const std::string& text, int topic) {
  LineReader reader;
  reader.OpenText(text);
  return SearchTopic(reader, topic);
}

HelpTopic LookUpHelpTopic(int topic) {
  const std::string file = HelpFileName(topic);
  LineReader reader;
  if (!FileReadable(file) || !reader.Open(file)) {
    HelpTopic missing;
    missing.lines[0] = "Datei " + file + " " + "nicht gefunden" + " !";
    return missing;
  }
  return SearchTopic(reader, topic);
}

std::string HelpMessageText(const HelpTopic& topic) {
  std::string message;
  for (const std::string& line : topic.lines) message += DosToDisplay(line + " ");
  return message;
}

std::string HelpCaption(int topic) {
  return DosToDisplay(UpperCase("Hilfetext") + " " + "Nr" + "." + std::to_string(topic));
}

void ShowHelp(int topic, int mode) {
  topic = EffectiveTopic(topic);
  if (mode < 0 || mode > 2) mode = 0;
  const HelpTopic help = LookUpHelpTopic(topic);
  if (mode == 0 || mode == 1)
    CurrentPlatform().MessageBox(HelpCaption(topic), HelpMessageText(help));
  if (mode == 0 || mode == 2) {
    GrClear();
    GrHeader(0, 0, 160, 120);
    if (!help.picture.empty() && help.picture != "NULL")
      PlotHelpPicture(AddBackslash(pltFolder) + help.picture + ".plt");
  }
  abortFlag = false;
}

std::string HintText(int topic) {
  topic = EffectiveTopic(topic);
  HelpTopic help = LookUpHelpTopic(topic);
  if (help.found && help.endedAtNextTopic && helpLevel >= 2) {
    // After the last line that holds text, not after trailing empty ones.
    size_t last = help.lines.size() - 1;
    while (last > 0 && help.lines[last].empty()) --last;
    help.lines[last] += " (" + std::to_string(topic) + ")";
  }
  std::string hint;
  for (size_t i = 0; i < help.lines.size(); ++i) {
    if (i > 0) hint += ' ';
    hint += DosToDisplay(help.lines[i]);
  }
  return hint;
}

}  // namespace kv5
