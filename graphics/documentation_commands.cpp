#include "graphics/documentation_commands.h"

#include <algorithm>

#include "app/core/identity.h"
#include "dialogs/message_boxes.h"
#include "graphics/drawing_info.h"
#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/output_channel.h"
#include "text/string_routines.h"

namespace kv5 {

namespace {

DocumentationHooks documentationHooks;

template <typename Dialog>
void ShowModal(const std::function<void(Dialog&)>& hook, Dialog& dialog) {
  if (hook)
    hook(dialog);
  else
    abortFlag = true;
}

// "a", "b", … for every index style but "1,2,3...".
std::string ChangeLabel(int i) {
  if (indexStyle == 1) return std::to_string(i);
  return std::string(1, static_cast<char>(96 + i));
}

}  // namespace

void SetDocumentationHooks(DocumentationHooks hooks) {
  documentationHooks = std::move(hooks);
}

void ChangeCommand(int op) {
  abortFlag = false;
  DocumentData& d = documentData;
  switch (op) {
    case kChangeNew:
      if (d.changeCount < kMaxChanges) {
        ++d.changeCount;
        d.changes[d.changeCount].changeDate = FormatDate();
        EditChange(d.changeCount);
        WriteChangeProtocol(1);
      } else {
        ReportError(LabelText(Label::Max) + " " + LabelText(Label::Changes) + " = " +
                    std::to_string(kMaxChanges) + " !");
      }
      break;
    case kChangeModify:
      if (d.changeCount > 0) EditChange(d.changeCount);
      WriteChangeProtocol(1);
      break;
    case kChangeDelete:
      if (d.changeCount > 0) --d.changeCount;
      WriteChangeProtocol(1);
      break;
    case kChangeShow:
      WriteChangeProtocol(1);
      break;
    case kChangePrint:
      WriteChangeProtocol(0);
      break;
    default:
      break;
  }
}

void EditChange(int n) {
  ChangeDialog dialog(n);
  ShowModal(documentationHooks.editChange, dialog);
}

void WriteChangeProtocol(int kind) {
  const DocumentData& d = documentData;
  const DrawingInfo& info = d.drawingInfo;
  const DriveModel& m = model;
  SetPageHeader(std::string(programName) + " V" + programVersion, LabelText(Label::ChangeProtocol),
                m.infoText[0], m.infoText[1], m.infoText[2], 0);
  OpenOutput(kind, projectName + ".TXT");
  if (abortFlag) return;
  StartOutputFile();
  if (abortFlag) {
    DiscardOutput();
    return;
  }
  if (kind != 1) WritePageHeader(0, 0);
  WriteLine("");
  WriteLine(LabelText(Label::CreationDate) + ": " + info.createdDate + "     " +
            LabelText(Label::CreatedBy) + ": " + info.createdBy);
  if (!info.replacementFor.empty()) {
    WriteLine("");
    WriteLine(LabelText(Label::ReplacementFor) + ": " + PadRight(info.replacementFor, 15));
  }
  if (!info.replacedBy.empty()) {
    WriteLine("");
    WriteLine(LabelText(Label::ReplacedBy) + ": " + PadRight(info.replacedBy, 15));
  }
  WriteLine("");
  WriteLine(PadRight(LabelText(Label::Index), 6) + "  " + PadRight(LabelText(Label::Date), 10) +
            "   " + PadRight(LabelText(Label::Drawn), 6) + "   " +
            PadRight(LabelText(Label::Change), 20));
  WriteLine(DoubleRule());
  for (int i = 1; i <= std::min<int>(d.changeCount, kMaxChanges); ++i) {
    const AendRecord& r = d.changes[i];
    WriteLine("  " + ChangeLabel(i) + "     " + PadRight(r.changeDate, 10) + "   " +
              PadRight(r.changeBy, 6) + "   " + PadRight(r.changeText, 20));
    WriteLine(" " + r.description);
    WriteLine(Rule());
  }
  CloseOutput();
  CurrentPlatform().SetBusy(false);
}

void ShowDrawingInfo() {
  abortFlag = false;
  DrawingInfoDialog dialog;
  ShowModal(documentationHooks.drawingInfo, dialog);
}

void ShowDocumentLinks() {
  abortFlag = false;
  DocumentLinksDialog dialog;
  ShowModal(documentationHooks.documentLinks, dialog);
  if (!abortFlag) modified = true;
}

}  // namespace kv5
