// Explanations of the calculation messages (cause and remedy from the
// explanation file kv5.err), the message list window, the closing section
// of every report and the message report.
//
// The explanation file lies in pltFolder. It is code page 850 with CR LF
// line ends and holds records of three lines: the message as the program
// emits it, its cause, its remedy. A record is found by the first 15
// characters of its message line, wherever that line stands.
#pragma once

#include <string>

namespace kv5 {

// Characters of a message that find its record.
inline constexpr int kExplanationKeyLength = 15;
// Cause and remedy are single lines shorter than this (longer texts cannot
// be shown in the explanation window).
inline constexpr int kMaxExplanationLength = 254;

inline constexpr const char* kNoExplanation = "keine Beschreibung dieser Fehlermeldung vorhanden.";
inline constexpr const char* kNoMessagesText = "Berechnung erfolgreich ohne Fehlermeldungen";
inline constexpr const char* kMessageListTitle =
    "Berechnungsmodul meldet Warnungen oder Fehler, siehe Ursache und Abhilfe.";
inline constexpr const char* kMessageListLeave = "Weiter/zurück...";
inline constexpr const char* kMessageSectionTitle = "BEMERKUNGEN, WARNUNGEN, FEHLERMELDUNGEN";

// The explanation file: pltFolder + "kv5.err".
std::string ExplanationFileName();

// Cause and remedy of message `index` (1..MessageCount()): both empty when
// the file is missing or unreadable or the index names no message; without
// a record the cause is kNoExplanation and the remedy empty.
std::string MessageCause(int index);
std::string MessageRemedy(int index);

// The explanation window of message `index`. A missing file gives the box
// "Datei <name> nicht gefunden oder kein Zugriffsrecht !" and abortFlag; a
// missing record the box kNoExplanation. Edited texts are saved after the
// question "Save Changes ?" (Cancel sets abortFlag).
void ExplainMessage(int index);

// The message list window: the messages to pick one for its explanation.
// Nothing under "/NOGUI"; without a person to answer (batch runs) every
// message is shown in a box instead (on standard error there).
void ShowMessageList();

// The closing section of a report on the open output channel: every
// message with its cause and remedy.
void WriteMessageSection();
// A cause or remedy as table lines: whole on tab-separated and HTML
// channels and up to 72 characters, else in pieces of at most 64.
void WriteWrapped(const std::string& text);
// The view-menu command: the messages as a report on the screen channel,
// or the message list when the last calculation failed.
void ShowMessageReport();

// Replaces cause and remedy of the record that the look-up finds for
// `message`; line breaks in the texts become blanks. The file is written
// anew and replaces the old one only when complete (a failed write sets
// abortFlag). Refused with a box, the file unchanged, without a record
// ("<message> not found.") and for texts of more than
// kMaxExplanationLength characters.
void SaveExplanation(const std::string& message, const std::string& cause,
                     const std::string& remedy);

}  // namespace kv5
