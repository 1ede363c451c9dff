#include "app/qt/main_window_dialogs.h"

#include "app/qt/document_texts_form.h"
#include "app/qt/geometry_form.h"
#include "app/qt/load_form.h"
#include "app/qt/pre_design_form.h"
#include "app/qt/project_table_window.h"
#include "app/qt/table_window.h"
#include "dialogs/message_boxes.h"
#include "graphics/help_texts.h"
#include "model/chain_tables.h"
#include "model/pre_design.h"

namespace kv5 {

namespace {

// The help button of the geometry and load dialogs: the text and, in the
// window behind the dialog, the picture of the topic.
void ShowHelpTopic(int topic) {
  ShowHelp(topic, 0);
}

// Calc in a dialog: the start view of the new calculation in the window.
void ShowStartView() {
  RefreshView();
}

// "Datenbank Profil" of the geometry dialog: a row of the standard's table.
bool ChooseTableRow(int chainStandard) {
  abortFlag = false;
  if (chainStandard == 0)
    BrowseDinTable(BrowseMode::Choose);
  else
    BrowseIsoTable(BrowseMode::Choose);
  return !abortFlag;
}

}  // namespace

void ShowHelpOfKind(int topic, HelpKind kind) {
  ShowHelp(topic, kind == HelpKind::Picture ? 2 : 1);
}

MainWindowHooks DialogHooks(QWidget* parent) {
  MainWindowHooks hooks;
  hooks.documentTexts = [parent] {
    TForm_qeluni3 form(parent);
    form.exec();
  };
  hooks.geometry = [parent] {
    TForm_kv5geo form({ShowStartView, ShowHelpTopic, ChooseTableRow}, parent);
    form.exec();
  };
  hooks.load = [parent] {
    TForm_kv1last form({ShowStartView, ShowHelpTopic}, parent);
    form.exec();
  };
  hooks.preDesign = [parent] {
    PreDesign([parent] {
      TForm_kv5vor form({ShowHelpTopic}, parent);
      form.exec();
    });
  };
  ChainTable::SetBrowseHook([parent](ChainTable& table, const BrowseRequest& request) {
    return ShowTableWindow(table, request, ShowHelpTopic, parent);
  });
  hooks.projectTable = [parent](const ProjectTable& table) {
    return ShowProjectTable(table, parent);
  };
  return hooks;
}

}  // namespace kv5
