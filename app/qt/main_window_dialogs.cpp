#include "app/qt/main_window_dialogs.h"

#include "app/qt/document_texts_form.h"
#include "app/qt/geometry_form.h"
#include "app/qt/load_form.h"
#include "app/qt/pre_design_form.h"
#include "app/qt/project_table_window.h"
#include "app/qt/table_window.h"
#include "dialogs/message_boxes.h"
#include "model/chain_tables.h"
#include "model/pre_design.h"

namespace kv5 {

namespace {

// Until the help texts are delivered, a help button says which text is
// missing rather than doing nothing.
void ShowHelpTopic(int topic) {
  ShowInfo("Hilfetext " + std::to_string(topic) + " ist nicht installiert.");
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
