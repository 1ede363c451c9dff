// kv5_screenshots FOLDER PROJECT: opens the main window off-screen with a
// project and grabs PNG pictures of it with the start picture, a help
// picture and a help text, with drawings 1, 8 and 10, with the
// Korean and the Chinese menu, of the
// geometry and load dialogs, of the text window with the report and of the
// message list, for looking at them.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "app/core/help_menu.h"
#include "app/core/main_commands.h"
#include "app/core/program_state.h"
#include "app/core/startup.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "graphics/drive_drawings.h"
#include "graphics/help_texts.h"
#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/configuration.h"
#include "text/interface_texts.h"
#include "text/output_channel.h"
#include "text/report.h"

namespace {

std::string folder;

void Save(QWidget* widget, const std::string& name) {
  const std::string file = folder + "/" + name + ".png";
  if (!widget->grab().save(QString::fromStdString(file)))
    std::fprintf(stderr, "cannot write %s\n", file.c_str());
  else
    std::printf("%s\n", file.c_str());
}

// Grabs the next modal window once it has painted, then closes it.
void GrabNextModal(const std::string& name) {
  auto* timer = new QTimer;
  timer->setInterval(50);
  QObject::connect(timer, &QTimer::timeout, [timer, name] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    QPointer<QWidget> shown = modal;
    QTimer::singleShot(200, [shown, name] {
      if (!shown) return;  // closed meanwhile
      QWidget* modal = shown.data();
      Save(modal, name);
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
      else
        modal->close();
    });
  });
  timer->start();
}

void Settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kv5_screenshots FOLDER PROJECT.kv5\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  folder = argv[1];
  const std::string project = argv[2];
  kv5::ResetProgramState();
  QApplication application(argc, argv);
  kv5::QtPlatform platform;
  kv5::SetPlatform(&platform);
  kv5::StartOutcome outcome = kv5::StartProgram({project});
  if (outcome.endProcess) return outcome.exitCode;
  int code = 0;
  {
    // A screen of 1400 × 860 pixels, whatever the off-screen platform says.
    kv5::storedSettings.mainWindowWidth = 1399;
    kv5::storedSettings.mainWindowHeight = 859;
    kv5::MainWindow window;
    window.ApplyStartSettings();
    window.show();
    Settle();
    // The help files and pictures the build made beside this tool.
    kv5::pltFolder = QCoreApplication::applicationDirPath().toStdString() + "/data/";
    kv5::ShowStartPicture();
    window.RefreshWindow();
    Settle();
    Save(&window, "main_start_picture");
    kv5::ShowHelp(9010, 2);
    window.RefreshWindow();
    Settle();
    Save(&window, "main_help_picture_9010");
    for (const std::string& name : kv5::HelpPictureNames()) {
      kv5::ShowHelpPicture(name);
      window.RefreshWindow();
      Settle();
      Save(&window, "help_picture_" + name);
    }
    GrabNextModal("help_text_9020");
    kv5::ShowHelp(9020, 1);
    for (int item : {kv5::kDrawAssembly, kv5::kDrawBothProduction, kv5::kDrawQuick3}) {
      kv5::ViewDrawing(item);
      window.RefreshWindow();
      Settle();
      Save(&window, "main_item" + std::to_string(item));
    }
    // The menu in Korean and in Chinese, then German again.
    for (const auto& [language, name] :
         {std::pair{8, "main_korean"}, std::pair{12, "main_chinese"}}) {
      kv5::SwitchInterfaceLanguage(language);
      window.RefreshWindow();
      Settle();
      Save(&window, name);
    }
    kv5::SwitchInterfaceLanguage(1);
    window.RefreshWindow();
    GrabNextModal("geometry_dialog");
    kv5::EditGeometry();
    GrabNextModal("load_dialog");
    kv5::EditLoad();
    GrabNextModal("text_window_report");
    kv5::abortFlag = false;  // as every menu command starts
    kv5::WriteReport(kv5::kChannelScreen);
    GrabNextModal("message_list");
    kv5::ShowMessages();
    Settle();
  }
  kv5::FinishProgram();
  kv5::SetPlatform(nullptr);
  return code;
}
