#include "app/qt/desktop_main.h"

#include <QApplication>
#include <QIcon>

#include "app/core/startup.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_platform.h"
#include "platform/platform.h"

namespace kv5 {

int RunDesktop(int& argc, char** argv, const std::vector<std::string>& parameters) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("wkv5");
  QApplication::setWindowIcon(QIcon::fromTheme("wkv5"));
  QtPlatform platform;
  SetPlatform(&platform);
  StartOutcome outcome = StartProgram(parameters);
  int code = outcome.exitCode;
  if (!outcome.endProcess) {
    MainWindow window;
    window.ApplyStartSettings();
    window.show();
    code = QApplication::exec();
  }
  FinishProgram();
  SetPlatform(nullptr);
  return code;
}

}  // namespace kv5
