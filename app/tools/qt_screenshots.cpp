// Grabs the windows of the program into PNG files, off-screen: the
// geometry, load, pre-design and document texts dialogs, the chain table
// window in its edit mode, the text window with the
// report of a project, the explanation window, a choice dialog and the
// graphics view with both production drawings.
//
//   kv5_qt_screenshots <output folder> [project file]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/core/program_state.h"
#include "app/qt/animation_form.h"
#include "app/qt/document_texts_form.h"
#include "app/qt/drawing_info_form.h"
#include "app/qt/explanation_window.h"
#include "app/qt/geometry_form.h"
#include "app/qt/graphics_view.h"
#include "app/qt/input_dialogs.h"
#include "app/qt/load_form.h"
#include "app/qt/pre_design_form.h"
#include "app/qt/table_window.h"
#include "app/qt/text_window.h"
#include "cad/cad_backend.h"
#include "cad/cad_channel.h"
#include "graphics/animation.h"
#include "graphics/drawing_info.h"
#include "graphics/drive_drawings.h"
#include "graphics/frame_settings.h"
#include "model/chain_tables.h"
#include "model/drive_calculation.h"
#include "model/drive_model.h"
#include "model/project_file.h"
#include "platform/headless_platform.h"
#include "text/configuration.h"
#include "text/output_channel.h"
#include "text/report.h"

namespace {

bool Save(QWidget& widget, const QString& folder, const char* name) {
  widget.show();
  QApplication::processEvents();
  const QString file = folder + "/" + name;
  const bool saved = widget.grab().save(file, "PNG");
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(file));
  widget.hide();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kv5_qt_screenshots <output folder> [project file]\n");
    return 2;
  }
  const QString folder = QDir(argv[1]).absolutePath();
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
    return 1;
  }
  const std::string project = argc > 2 ? argv[2]
                                       : std::string(KV5_SOURCE_DATA_DIR) +
                                             "/../tests/data/projects/pinwheel_iso_bores.kv5";

  kv5::ResetProgramState();
  kv5::HeadlessPlatform headless;
  headless.SetEcho(false);
  kv5::SetPlatform(&headless);
  const std::string temp = (folder + "/tmp/").toStdString();
  QDir().mkpath(QString::fromStdString(temp));
  kv5::tempFolder = temp;
  if (!kv5::ReadProjectFile(project)) {
    std::fprintf(stderr, "cannot read the project %s\n", project.c_str());
    return 1;
  }
  kv5::abortFlag = false;
  kv5::projectName = QFileInfo(QString::fromStdString(project)).completeBaseName().toStdString();
  kv5::CalculateDrive();

  bool ok = true;
  {
    kv5::TForm_kv5geo form;
    ok &= Save(form, folder, "geometry_form.png");
  }
  {
    kv5::TForm_kv1last form;
    ok &= Save(form, folder, "load_form.png");
  }
  {
    kv5::TForm_qeluni3 form;
    ok &= Save(form, folder, "document_texts_form.png");
  }
  {
    kv5::TForm_kv5vor form;
    ok &= Save(form, folder, "pre_design_form.png");
  }
  {
    // A pin wheel shows the ratio group with u, z1 and z2.
    const bool pinRack = kv5::model.pinRack;
    kv5::model.pinRack = false;
    kv5::TForm_kv5vor form;
    ok &= Save(form, folder, "pre_design_form_pin_wheel.png");
    kv5::model.pinRack = pinRack;
  }
  {
    // The delivered DIN table, one row deleted, in the edit mode.
    const std::string table = temp + "kv1chain.dbf";
    QFile::remove(QString::fromStdString(table));
    QFile::copy(KV5_BUILD_DATA_DIR "/kv1chain.dbf", QString::fromStdString(table));
    QFile::setPermissions(QString::fromStdString(table),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    kv5::ChainTable& chains = kv5::chainTable();
    chains.SetTitles("", kv5::kDinTableTitle);
    bool opened = chains.Open(table);
    if (opened) {
      chains.SetDeleted(3, true);
      chains.SetShowDeleted(true);
      chains.Go(5);
      kv5::TableWindow window(chains, {kv5::BrowseMode::Edit, kv5::kDinTableHelpTopic});
      opened = Save(window, folder, "table_window.png");
      chains.Close();
    }
    ok &= opened;
  }

  // The report on the screen channel: the headless platform keeps the text
  // file that the window would show.
  kv5::askChannel = false;
  kv5::WriteReport(kv5::kChannelScreen);
  if (headless.ShownTextFiles().empty()) {
    std::fprintf(stderr, "the report was not written (abort flag %d)\n", kv5::abortFlag);
    ok = false;
  } else {
    const kv5::ShownTextFile& shown = headless.ShownTextFiles().back();
    kv5::WindowBounds bounds;
    kv5::TForm_showtextfile window(shown.fileName, shown.caption, &bounds);
    ok &= window.Load() && Save(window, folder, "text_window.png");
    // The first page break in view: the form feed line between two pages.
    const int pageBreak = static_cast<int>(window.lines().indexOf(QRegularExpression("^\\f")));
    if (pageBreak > 0) {
      QTextCursor cursor(window.memo()->document()->findBlockByNumber(pageBreak));
      window.memo()->setTextCursor(cursor);
      window.memo()->centerCursor();
      ok &= Save(window, folder, "text_window_page_break.png");
    }
  }

  {
    kv5::Thelperr window("Warnung: Zähnezahl z1 < 7", "Sehr kleine Zähnezahl.",
                         "Zähnezahl z1 erhöhen.", {});
    ok &= Save(window, folder, "explanation_window.png");
  }
  {
    kv5::Tin_radiodialog dialog("Ausgabe auf", {"Bildschirm", "Drucker", "Textdatei"}, 0, 0, {});
    ok &= Save(dialog, folder, "choice_dialog.png");
  }
  {
    // A 4:3 area: the window takes its pixels as 4:3, so circles stay round.
    kv5::storedSettings.mainWindowWidth = 1280;
    kv5::storedSettings.mainWindowHeight = 960;
    kv5::InitGraphicsWindow();
    kv5::GraphicsView view;
    view.resize(1280, 960);
    kv5::DrawDriveMenu(kv5::kDrawBothProduction, kv5::kCadScreen);
    ok &= Save(view, folder, "graphics_view.png");
    // The meshing animation after its run: the last position stays.
    kv5::AnimationParameters p;
    p.frames = 8;
    kv5::CadBegin(kv5::kCadScreen);
    kv5::DrawAnimationFrames(p);
    ok &= Save(view, folder, "animation_frame.png");
  }
  {
    kv5::AnimationDialog logic;
    logic.Preset(135, 90, 20);
    kv5::TForm_ani2 form(logic);
    ok &= Save(form, folder, "animation_form.png");
  }
  {
    kv5::DocumentData& d = kv5::documentData;
    d.drawingInfo.createdBy = "Kr";
    d.drawingInfo.approvedBy = "Mü";
    d.drawingInfo.replacementFor = "KV-100 a";
    d.drawingInfo.responsibleDept = "Konstruktion";
    d.drawingInfo.documentType = "Fertigungszeichnung";
    d.drawingTextCount = 2;
    d.drawingTexts[0] = {20, 30, 3.5L, 0, "Kanten gebrochen", 3};
    d.drawingTexts[1] = {20, 25, 3.5L, 0, "Verzahnung gehärtet", 3};
    for (int style : {kv5::kDinFull, kv5::kIsoFig2}) {
      kv5::titleBlockStyle = style;
      kv5::DrawingInfoDialog logic;
      kv5::TForm_zeichInfo form(logic);
      ok &= Save(form, folder,
                 style == kv5::kDinFull ? "drawing_info_din.png" : "drawing_info_iso.png");
    }
  }
  kv5::SetPlatform(nullptr);
  return ok ? 0 : 1;
}
