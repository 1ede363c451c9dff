#include "app/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>

#include "app/core/help_menu.h"
#include "app/core/identity.h"
#include "app/core/main_commands.h"
#include "app/core/recent_files.h"
#include "app/core/stl_menu.h"
#include "app/qt/documentation_dialogs.h"
#include "app/qt/form_hints.h"
#include "app/qt/graphics_view.h"
#include "app/qt/main_window_dialogs.h"
#include "app/qt/qt_platform.h"
#include "graphics/animation.h"
#include "graphics/documentation_commands.h"
#include "graphics/drive_drawings.h"
#include "graphics/graphics_window.h"
#include "graphics/help_texts.h"
#include "model/chain_tables.h"
#include "model/drive_model.h"
#include "text/configuration.h"
#include "text/interface_texts.h"
#include "text/menu_texts.h"
#include "text/messages.h"

namespace kv5 {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName("Thh");
  view_ = new GraphicsView(graphicsWindow, this);
  setCentralWidget(view_);
  view_->setFocus();
  statusBar();
  BuildMenus();
  InstallHooks();
  RefreshWindow();
}

MainWindow::~MainWindow() {
  // A wait cursor that a repaint would have ended does not outlive the window.
  CurrentPlatform().SetBusy(false);
  MainWindowDestroyed();
  SetMainWindowHooks({});
  chainTable().Close();
  ChainTable::SetBrowseHook({});
  RemoveDocumentationDialogs();
  SetFormHints({});
}

QAction* MainWindow::action(const std::string& componentName) const {
  auto it = actions_.find(componentName);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::AddMenu(const char* componentName, const char* caption) {
  QMenu* menu = menuBar()->addMenu(Q(caption));
  menu->setObjectName(componentName);
  actions_[componentName] = menu->menuAction();
  return menu;
}

QAction* MainWindow::AddItem(QMenu* menu, const char* componentName, const char* caption,
                             std::function<void()> command) {
  QAction* item = menu->addAction(Q(caption));
  item->setObjectName(componentName);
  actions_[componentName] = item;
  if (command) {
    connect(item, &QAction::triggered, this, [this, command] { RunCommand(command); });
  } else {
    item->setEnabled(false);  // periphery of another program: shown, not offered
  }
  return item;
}

// Commands run modally one at a time; a second one while a dialog of the
// first is open is ignored.
void MainWindow::RunCommand(const std::function<void()>& command) {
  if (inCommand_) return;
  inCommand_ = true;
  command();
  inCommand_ = false;
  RefreshWindow();
}

void MainWindow::BuildMenus() {
  QMenu* file = AddMenu("mi_file", "&Datei");
  AddItem(file, "mi_fileNew", "&Neu...", FileNew)->setShortcut(QKeySequence("Ctrl+N"));
  AddItem(file, "mi_fileOpen", "Ö&ffnen...", FileOpen)->setShortcut(QKeySequence("Ctrl+O"));
  AddItem(file, "mi_fileOpentable", "Ö&ffnen... (&Tabelle)", FileOpenTable);
  AddItem(file, "mi_FileSave", "&Speichern...", FileSave);
  AddItem(file, "mi_FileSaveAs", "Speichern &Unter...", FileSaveAs);
  file->addSeparator();
  AddItem(file, "mi_fileprint", "&Drucken...", [this] {
    view_->Print();
  })->setShortcut(QKeySequence("Ctrl+P"));
  AddItem(file, "mi_fileprintersetup", "Druckereinstellung", [this] {
    PrinterSetup();
  })->setVisible(false);
  AddItem(file, "mi_fileConfig", "E&instellungen", nullptr);
  recentSeparator_ = file->addSeparator();
  for (int i = 0; i < kRecentFileCount; ++i) {
    const std::string name = "mi_file" + std::to_string(i + 1);
    QAction* item = AddItem(file, name.c_str(), "", [i] { FileOpenRecent(i); });
    item->setShortcut(QKeySequence(Qt::SHIFT | static_cast<Qt::Key>(Qt::Key_F1 + i)));
  }
  file->addSeparator();
  AddItem(file, "mi_fileexit", "&Beenden", [this] { close(); });

  QMenu* edit = AddMenu("mi_Edit", "&Bearbeiten");
  AddItem(edit, "mi_editquick", "&Neu...", EditQuick);
  AddItem(edit, "mi_EditText", "Te&xt", EditText);
  AddItem(edit, "mi_editabmessungen", "&Abmessungen", EditGeometry);
  AddItem(edit, "mi_editLast", "&Last", EditLoad);
  AddItem(edit, "mi_editvorauslegung", "&Vorauslegung", EditPreDesign);

  QMenu* view = AddMenu("mi_View", "&Ansicht");
  AddItem(view, "mi_ViewStandard", "&Ausdruck", ViewReport);
  AddItem(view, "mi_viewQuick", "Quick &1", [] { ViewDrawing(kDrawQuick); });
  AddItem(view, "mi_viewquick3", "Quick &3", [] { ViewDrawing(kDrawQuick3); });
  AddItem(view, "mi_viewkettentrieb", "&Getriebe", [] { ViewDrawing(kDrawAssembly); });
  AddItem(view, "mi_viewrad1", "Ketten&rad", [] { ViewDrawing(kDrawWheel1Production); });
  AddItem(view, "mi_viewrad2", "Triebstock", [] { ViewDrawing(kDrawWheel2Production); });
  AddItem(view, "mi_viewrad12", "Ketten&rad + Triebstock",
          [] { ViewDrawing(kDrawBothProduction); });
  AddItem(view, "mi_viewanimation", "&Animation", RunAnimation);
  AddItem(view, "mi_viewErrorMessages", "&Fehlermeldungen", ShowMessages);

  QMenu* cad = AddMenu("mi_CAD", "&CAD");
  const struct {
    const char* name;
    int item;
  } cadItems[] = {{"mi_cadkettentrieb", 1}, {"mi_cadrad1", 2},      {"mi_cadrad2", 3},
                  {"mi_cadrad1SA", 4},      {"mi_cadrad2sa", 5},    {"mi_cadRad1Fert", 6},
                  {"mi_CadRad2Fert", 7},    {"mi_cadrad12fert", 8}, {"mi_cadcarrier", 11},
                  {"mi_cadquick", 9},       {"mi_cadquick3", 10}};
  for (const auto& c : cadItems) {
    const int item = c.item;
    AddItem(cad, c.name, c.name, [item] { CadDrawing(item); });
    if (item == 11) AddItem(cad, "mi_cadjoch", "&Joch", CadYoke);
  }
  action("mi_cadcarrier")->setText("Carrier");

  QMenu* stl = AddMenu("mi_STL", "STL");
  AddItem(stl, "mi_stlrad1", "Ketten&rad", MenuStlRad1);
  AddItem(stl, "mi_stlrad2", "Triebstock", MenuStlRad2);
  AddItem(stl, "mi_stlCarrier", "Carrier", MenuStlCarrier);
  AddItem(stl, "mi_stljoch", "&Joch", MenuStlJoch);

  QMenu* database = AddMenu("mi_database", "Datenban&k");
  AddItem(database, "mi_dbfkette", "DIN 8187/88", [] {
    abortFlag = false;
    BrowseDinTable(BrowseMode::Edit);
  });
  AddItem(database, "mi_dbiso606", "ISO 606", [] {
    abortFlag = false;
    EditIsoTable();
  });

  QMenu* documentation = AddMenu("mi_documentation", "D&okument");
  AddItem(documentation, "mi_docdrawinginfo", "&Zeichnungsdaten", ShowDrawingInfo);
  AddItem(documentation, "mi_docuNewChange", "&Neue Änderung", [] { ChangeCommand(kChangeNew); });
  AddItem(documentation, "mi_docuModifyChanges", "Änderungen",
          [] { ChangeCommand(kChangeModify); });
  AddItem(documentation, "mi_docudeleteChange", "Änderung löschen",
          [] { ChangeCommand(kChangeDelete); });
  AddItem(documentation, "mi_docuShowChanges1", "Änderungen - &Info",
          [] { ChangeCommand(kChangeShow); });
  AddItem(documentation, "mi_docuPrintChanges", "Änderungen - &Ausdruck",
          [] { ChangeCommand(kChangePrint); });
  AddItem(documentation, "mi_DocumentSetup", "Dokument &Setup", ShowDocumentLinks);

  QMenu* ole = AddMenu("mi_ole", "OLE");
  AddItem(ole, "mi_oleStartExcel", "Start", nullptr);
  AddItem(ole, "mi_oleExportExcel", "Export", nullptr);
  AddItem(ole, "mi_oleImportExcel", "Import", nullptr);
  AddItem(ole, "mi_olePrintoutExcel", "Printout", nullptr);

  QMenu* help = AddMenu("mi_Help", "&Hilfe");
  AddItem(help, "mi_HelpHilfebild", "Hilfebild", MenuHelpPicture);
  AddItem(help, "mi_helpErrorMessages", "&Fehlermeldungen", ShowMessages);
  QMenu* language = help->addMenu("Menü &Sprache");
  language->setObjectName(kLanguageMenuItem);
  actions_[kLanguageMenuItem] = language->menuAction();
  const struct {
    const char* name;
    int number;
  } languages[] = {{"mi_helplanguageDeutsch", 1},
                   {"mi_helplanguageEnglish", 2},
                   {"mi_helplanguageKorea", 8},
                   {"mi_helplanguageChinese", 12}};
  for (const auto& l : languages) {
    const int number = l.number;
    AddItem(language, l.name, l.name, [number] { SwitchInterfaceLanguage(number); });
  }
  action("mi_helplanguageDeutsch")->setText("&Deutsch");
  action("mi_helplanguageEnglish")->setText("&English");
  action("mi_helplanguageKorea")->setText("&Korea");
  action("mi_helplanguageChinese")->setText("&Chinese");
  AddItem(help, "mi_helpSysInfo", "System Info", [this] { ShowAbout(); });
  AddItem(help, "mi_HelpAbout", programName, [this] { ShowAbout(); });
}

void MainWindow::InstallHooks() {
  MainWindowHooks hooks = DialogHooks(this);
  hooks.refreshWindow = [this] { RefreshWindow(); };
  SetMainWindowHooks(hooks);
  InstallDocumentationDialogs(this);
  SetFormHints(HintText);
  if (auto* platform = dynamic_cast<QtPlatform*>(&CurrentPlatform())) {
    platform->dialogParent = this;
    platform->help = ShowHelpOfKind;
    platform->showStatus = [this](const std::string& text) { statusBar()->showMessage(Q(text)); };
  }
}

void MainWindow::ApplyMenuTexts() {
  for (const auto& [name, caption] : MenuCaptions(MessageCount())) {
    if (QAction* item = action(name)) item->setText(Q(caption));
  }
}

void MainWindow::ApplyMenuState() {
  const MenuState state = CurrentMenuState();
  if (QAction* item = action("mi_viewErrorMessages")) {
    item->setText(Q(ErrorMessagesCaption(MessageCount())));
    item->setEnabled(state.errorMessagesEnabled);
  }
  for (const char* name : {"mi_cadcarrier", "mi_stlCarrier"})
    if (QAction* item = action(name)) item->setVisible(state.carrierVisible);
  for (const char* name : {"mi_cadjoch", "mi_stljoch"})
    if (QAction* item = action(name)) item->setVisible(state.yokeVisible);
}

void MainWindow::ShowRecentFiles() {
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction* item = action("mi_file" + std::to_string(i + 1));
    const std::string& path = recentFiles[static_cast<size_t>(i)];
    item->setVisible(!path.empty());
    item->setText(Q("&" + std::to_string(i + 1) + " " + ShownRecentPath(path)));
  }
  recentSeparator_->setVisible(!recentFiles[0].empty());
}

void MainWindow::RefreshWindow() {
  ApplyMenuTexts();
  ApplyMenuState();
  ShowRecentFiles();
  const QString caption = Q(MainWindowCaption());
  setWindowTitle(caption);
  view_->RequestRepaint();
}

// The client area is the configured screen size plus 1, scaled by the
// configured percentage; the drawings are laid out for that size.
void MainWindow::ApplyStartSettings() {
  const int percent = storedSettings.unlabelled.windowScalePercent;
  const double scale = percent >= 10 && percent <= 1000 ? percent / 100.0 : 1.0;
  const int width = static_cast<int>((GraphicsAreaWidth() + 1) * scale);
  const int height = static_cast<int>((GraphicsAreaHeight() + 1) * scale);
  resize(width, height + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  move(0, 0);
  ApplyStoredMenuLanguage();
  RefreshWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (inCommand_ || !MainWindowMayClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

void MainWindow::ShowAbout() {
  QMessageBox::about(this, Q(programName),
                     Q(std::string(programTitle) + "\nVersion " + programVersion +
                       "\n\nAuslegung und Nachrechnung von Triebstockverzahnungen."));
}

void MainWindow::PrinterSetup() {
  QPrinter printer;
  QPageSetupDialog dialog(&printer, this);
  dialog.exec();
}

}  // namespace kv5
