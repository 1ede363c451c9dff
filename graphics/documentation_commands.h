// The commands of the documentation menu: the change log (new, modify,
// delete, show and print the change protocol), the drawing information and
// the document links. The window layer shows the three dialogs modally over
// their logic through the hooks; tests install scripted hooks. Without a
// hook a dialog counts as cancelled.
#pragma once

#include <functional>

#include "dialogs/change_dialog.h"
#include "dialogs/document_links_dialog.h"
#include "dialogs/drawing_info_dialog.h"

namespace kv5 {

struct DocumentationHooks {
  std::function<void(ChangeDialog&)> editChange;
  std::function<void(DrawingInfoDialog&)> drawingInfo;
  std::function<void(DocumentLinksDialog&)> documentLinks;
};
void SetDocumentationHooks(DocumentationHooks hooks);

enum ChangeOperation { kChangeNew = 1, kChangeModify, kChangeDelete, kChangeShow, kChangePrint };

// op 1 new change (refused beyond 25 with "Max. Änderungen = 25 !"),
// 2 modify the newest, 3 delete the newest, 4 show, 5 print the protocol.
// A new entry stays counted when its dialog is cancelled; a cancelled
// dialog shows no protocol.
void ChangeCommand(int op);
// The change dialog for entry n (1..25).
void EditChange(int n);
// The change protocol on the text output channel: kind 1 the screen, 0 the
// configured default channel.
void WriteChangeProtocol(int kind);
// The drawing information dialog.
void ShowDrawingInfo();
// The document links dialog; marks the project modified on OK.
void ShowDocumentLinks();

}  // namespace kv5
