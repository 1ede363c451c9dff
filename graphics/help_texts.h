// The help texts: numbered topics of up to five lines in plain text files
// of the PLT folder (code page 850), shown in a message box, as a control's
// hint, and with the help picture that a topic names.
//
// File layout: a line is numbered when its first four characters read as
// an integer. A topic starts with its header line "NNNN" or "NNNN:picture"
// followed by its first text line; further lines are either plain lines
// (taken as they come) or pairs of a numbered line topic+k (k = 1 … 4) and
// its text line. A numbered line whose number is a multiple of 5 starts
// the next topic.
#pragma once

#include <array>
#include <string>

namespace kv5 {

// pltFolder + "kelmaro.hlp" below topic 4000, pltFolder + "kv5.hlp" from
// 4000 on.
std::string HelpFileName(int topic);

struct HelpTopic {
  std::array<std::string, 5> lines;  // program texts (UTF-8)
  std::string picture = "null";      // after the ":" of the header line; "NULL" without
  bool found = false;                // false: lines[0] holds the missing file or topic text
  bool endedAtNextTopic = false;     // the topic ended at the next topic's header
};

// The topic looked up in the file of its number (read anew each time).
HelpTopic LookUpHelpTopic(int topic);
// The same look-up in the lines of a help file already in memory.
HelpTopic LookUpHelpTopicInText(const std::string& text, int topic);

// Shows a topic (0: currentHelpTopic). mode 0: message box and picture,
// 1: message box only, 2: picture only; other modes count as 0. The
// picture goes into the graphics window, in the area (0, 0)–(160, 120) mm.
// Clears abortFlag.
void ShowHelp(int topic, int mode);

// The text of a topic as the hint of a control: the five lines joined by
// blanks; with helpLevel 2 or more " (<topic>)" follows the last text line.
std::string HintText(int topic);

// The message text and the caption ShowHelp shows for a topic.
std::string HelpMessageText(const HelpTopic& topic);
std::string HelpCaption(int topic);

}  // namespace kv5
