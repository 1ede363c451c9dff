// The report side of the message explanations: the closing section of
// every report and the message report of the view menu.
#include "app/core/identity.h"
#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/message_explanations.h"
#include "text/messages.h"
#include "text/output_channel.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

constexpr size_t kWholeLineLength = 72;
constexpr int kWrapWidth = 64;
constexpr int kFrameStyleWithoutRules = 4;

bool HtmlChannel() {
  return outputChannel.channel == kChannelHtml;
}

}  // namespace

void WriteWrapped(const std::string& text) {
  if (text.empty()) return;
  if (TabSeparatedChannel() || HtmlChannel() || Utf8Length(text) <= kWholeLineLength) {
    WriteTableLine(text);
    return;
  }
  // The wrap buffer grows as needed, so a long text is written whole.
  WrapResult pieces = WrapText(text, ' ', kWrapWidth);
  const std::vector<std::string>& lines = WrapLines();
  for (int k = 0; k < pieces.count; ++k) WriteTableLine(lines[k]);
}

void WriteMessageSection() {
  const int count = MessageCount();
  if (count == 0) return;
  WriteRawLine("");
  WriteRawLine("");
  WriteLine(kMessageSectionTitle);
  const bool tabs = TabSeparatedChannel();
  const bool html = HtmlChannel();
  if (!tabs) {
    WriteLine(DoubleRule());
    WriteRawLine("");
    WriteLine(Rule());
  }
  if (html) OpenHtmlTable();
  for (int i = 1; i <= count; ++i) {
    if (tabs) {
      WriteRawLine(MessageText(i) + "\t" + MessageCause(i) + "\t" + MessageRemedy(i));
      continue;
    }
    WriteTableLine(MessageText(i));
    WriteWrapped(MessageCause(i));
    WriteWrapped(MessageRemedy(i));
    if (frameStyle != kFrameStyleWithoutRules && !html) WriteLine(Rule());
    if (html) {
      CloseHtmlTable();
      WriteLine("");
      OpenHtmlTable();
    }
  }
  if (html) CloseHtmlTable();
}

void ShowMessageReport() {
  abortFlag = false;
  if (MessageCount() == 0) {
    ShowInfo(kNoMessagesText);
    return;
  }
  SetPageHeader(std::string(programName) + " V" + programVersion, "Error Messages",
                model.infoText[0], model.infoText[1], model.infoText[2], 1);
  if (calcFailed) {
    ShowMessageList();
    return;
  }
  OpenOutput(kChannelScreen, projectName + ".txt");
  if (!abortFlag) StartOutputFile();
  // The header set above heads the first page too (it asks the page
  // prompt itself), not only the pages after a break.
  if (!abortFlag) WritePageHeader(1, 0);
  if (!abortFlag) {
    EnsureSpace(0);
    WriteMessageSection();
    EndPage();
  }
  CloseOutput();
}

}  // namespace kv5
