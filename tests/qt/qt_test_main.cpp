// Test entry of the window layer: one QApplication for all tests, on the
// off-screen platform unless QT_QPA_PLATFORM chooses another.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// The off-screen platform warns about every dialog it cannot size natively.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.contains("propagateSizeHints")) return;
  std::fprintf(stderr, "%s\n", qPrintable(message));
  if (type == QtFatalMsg) std::abort();
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
