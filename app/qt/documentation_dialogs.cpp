#include "app/qt/documentation_dialogs.h"

#include "app/qt/animation_form.h"
#include "app/qt/change_form.h"
#include "app/qt/document_links_form.h"
#include "app/qt/drawing_info_form.h"
#include "app/qt/qt_platform.h"
#include "graphics/animation.h"
#include "graphics/documentation_commands.h"
#include "model/drive_model.h"

namespace kv5 {

namespace {

// The help hook of the platform when the dialog opens.
HelpHook PlatformHelp() {
  auto* platform = dynamic_cast<QtPlatform*>(&CurrentPlatform());
  if (!platform || !platform->help) return {};
  return platform->help;
}

}  // namespace

void InstallDocumentationDialogs(QWidget* parent) {
  SetAnimationHooks({[parent](AnimationDialog& logic) {
    TForm_ani2 form(logic, PlatformHelp(), parent);
    if (form.exec() != QDialog::Accepted) abortFlag = true;
  }});
  DocumentationHooks hooks;
  hooks.editChange = [parent](ChangeDialog& logic) {
    TForm_EinAend form(logic, PlatformHelp(), parent);
    if (form.exec() != QDialog::Accepted) abortFlag = true;
  };
  hooks.drawingInfo = [parent](DrawingInfoDialog& logic) {
    TForm_zeichInfo form(logic, PlatformHelp(), parent);
    if (form.exec() != QDialog::Accepted) abortFlag = true;
  };
  hooks.documentLinks = [parent](DocumentLinksDialog& logic) {
    TForm_confDoku form(logic, PlatformHelp(), parent);
    if (form.exec() != QDialog::Accepted) abortFlag = true;
  };
  SetDocumentationHooks(std::move(hooks));
}

void RemoveDocumentationDialogs() {
  SetAnimationHooks({});
  SetDocumentationHooks({});
}

}  // namespace kv5
