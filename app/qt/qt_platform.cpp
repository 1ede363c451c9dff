#include "app/qt/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "app/qt/explanation_window.h"
#include "app/qt/file_filter.h"
#include "app/qt/input_dialogs.h"
#include "app/qt/text_window.h"
#include "dialogs/choice_dialogs.h"

namespace kv5 {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QStringList Items(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << Q(item);
  return list;
}

}  // namespace

void QtPlatform::MessageBox(const std::string& caption, const std::string& text) {
  // Error boxes carry the caption "Fehler : ".
  const bool error = caption.rfind("Fehler", 0) == 0;
  QMessageBox box(error ? QMessageBox::Critical : QMessageBox::Information, Q(caption), Q(text),
                  QMessageBox::Ok, dialogParent);
  box.exec();
}

YesNoCancel QtPlatform::AskYesNoCancel(const std::string& caption, const std::string& question) {
  QMessageBox box(QMessageBox::Question, Q(caption), Q(question), QMessageBox::NoButton,
                  dialogParent);
  QPushButton* yes = box.addButton("&Ja", QMessageBox::YesRole);
  QPushButton* no = box.addButton("&Nein", QMessageBox::NoRole);
  QPushButton* cancel = box.addButton("Abbrechen", QMessageBox::RejectRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return YesNoCancel::Yes;
  if (box.clickedButton() == no) return YesNoCancel::No;
  return YesNoCancel::Cancel;
}

std::optional<int> QtPlatform::AskChoice(const std::string& title,
                                         const std::vector<std::string>& items, int preselected,
                                         ChoiceStyle style) {
  if (style == ChoiceStyle::List) {
    Tin_codedialog dialog(Q(title), Items(items), preselected, currentHelpTopic, help,
                          dialogParent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return std::nullopt;
    return dialog.chosen();
  }
  Tin_radiodialog dialog(Q(title), Items(items), preselected, currentHelpTopic, help, dialogParent);
  if (dialog.exec() != QDialog::Accepted || dialog.chosen() < 0) return std::nullopt;
  return dialog.chosen();
}

std::optional<std::string> QtPlatform::AskText(const std::string& prompt, int maxLength,
                                               const std::string& current) {
  Tin_textdialog dialog(Q(prompt), maxLength, Q(current), currentHelpTopic, help, dialogParent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.text().toStdString();
}

std::optional<bool> QtPlatform::AskYesNoChoice(const std::string& question, bool current) {
  Tin_janeindialog dialog(Q(question), current, currentHelpTopic, help, dialogParent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.yes();
}

std::optional<ExplanationTexts> QtPlatform::ShowExplanation(const std::string& message,
                                                            const std::string& cause,
                                                            const std::string& remedy) {
  Thelperr window(Q(message), Q(cause), Q(remedy), help, dialogParent);
  window.exec();
  return window.Result();
}

std::optional<std::string> QtPlatform::AskFile(const FileDialogRequest& request, bool save) {
  QFileDialog dialog(dialogParent, Q(request.title), Q(request.initialFolder),
                     QtFileFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks before it replaces a file (and only where it should).
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.defaultExtension.empty()) {
    std::string suffix = request.defaultExtension;
    if (suffix.front() == '.') suffix.erase(0, 1);
    dialog.setDefaultSuffix(Q(suffix));
  }
  if (!request.initialName.empty()) dialog.selectFile(Q(request.initialName));
  // The name as accepted: the folder's contents arrive later and could
  // still select the initial name again before exec() returns.
  QString chosen;
  QObject::connect(&dialog, &QFileDialog::fileSelected,
                   [&chosen](const QString& file) { chosen = file; });
  if (dialog.exec() != QDialog::Accepted || chosen.isEmpty()) return std::nullopt;
  return QFileInfo(chosen).absoluteFilePath().toStdString();
}

std::optional<std::string> QtPlatform::AskOpenFile(const FileDialogRequest& request) {
  return AskFile(request, false);
}

std::optional<std::string> QtPlatform::AskSaveFile(const FileDialogRequest& request) {
  return AskFile(request, true);
}

void QtPlatform::SetBusy(bool busy) {
  // Busy phases do not nest in the core; one override cursor at most.
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtPlatform::SetStatusText(const std::string& text) {
  status_ = text;
  if (showStatus) showStatus(text);
}

void QtPlatform::Beep() {
  QApplication::beep();
}

bool QtPlatform::StartProgram(const std::string& commandLine) {
  QStringList arguments = QProcess::splitCommand(Q(commandLine));
  if (arguments.isEmpty()) return false;
  const QString program = arguments.takeFirst();
  return QProcess::startDetached(program, arguments);
}

bool QtPlatform::OpenWithAssociatedProgram(const std::string& fileName) {
  const QFileInfo file(Q(fileName));
  if (!file.exists()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void QtPlatform::ShowTextFile(const std::string& fileName, const std::string& caption) {
  TForm_showtextfile window(fileName, caption, &textWindowBounds, dialogParent);
  if (window.Load()) window.exec();
}

bool QtPlatform::PrintTextFile(const std::string& fileName) {
  TForm_showtextfile window(fileName, "", &textWindowBounds, dialogParent);
  if (window.Load()) window.Print();
  return true;
}

void QtPlatform::Sleep(int milliseconds) {
  if (milliseconds <= 0) return;
  // The window keeps painting and answering while the animation waits.
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

int QtPlatform::ScreenWidth() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 1280;
}

int QtPlatform::ScreenHeight() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 1024;
}

int QtPlatform::ScreenDpi() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
}

}  // namespace kv5
