#include "app/qt/text_window.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "platform/platform.h"

namespace kv5 {

namespace {

constexpr int kHighestPrintedPage = 255;

bool StartsPage(const QString& line) {
  return line.startsWith('\f');
}

QFont TextFont() {
  QFont font(QString::fromStdString(textFont));
  font.setStyleHint(QFont::Monospace);  // reports are laid out in columns
  font.setFixedPitch(true);
  font.setPointSize(textFontSize > 0 ? textFontSize : 10);
  font.setBold(textFontStyle & 1);
  font.setItalic(textFontStyle & 2);
  font.setUnderline(textFontStyle & 4);
  font.setStrikeOut(textFontStyle & 8);
  return font;
}

QString Quoted(const std::string& fileName) {
  return "\"" + QString::fromStdString(fileName) + "\"";
}

}  // namespace

int CountTextPages(const QStringList& lines) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), StartsPage));
}

int PrintTextLines(QPrinter& printer, const QStringList& lines, int fromPage, int toPage,
                   int linesPerPage, const QFont& font) {
  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  const QRect area = painter.viewport();
  const int lineHeight = std::max(area.height() / std::max(linesPerPage, 1), 1);
  QFont printFont = font;
  printFont.setPixelSize(std::max(lineHeight * 9 / 10, 1));
  painter.setFont(printFont);
  const int ascent = painter.fontMetrics().ascent();

  int sheets = 1;
  int page = 1;
  int y = 0;
  bool sheetUsed = false;
  auto newSheet = [&] {
    printer.newPage();
    ++sheets;
    y = 0;
    sheetUsed = false;
  };
  for (const QString& line : lines) {
    if (StartsPage(line)) {
      ++page;
      if (page > fromPage && page <= toPage && page <= kHighestPrintedPage) newSheet();
      y = 0;
      continue;
    }
    if (page < fromPage || page > toPage || page > kHighestPrintedPage) continue;
    // A page longer than the sheet goes on, no line is lost at the bottom.
    if (sheetUsed && y + lineHeight > area.height()) newSheet();
    painter.drawText(0, y + ascent, line);
    y += lineHeight;
    sheetUsed = true;
  }
  painter.end();
  return sheets;
}

TForm_showtextfile::TForm_showtextfile(const std::string& fileName, const std::string& caption,
                                       WindowBounds* bounds, QWidget* parent)
    : QDialog(parent), fileName_(fileName), bounds_(bounds) {
  setObjectName("TForm_showtextfile");
  setWindowTitle(QString::fromStdString(caption));
  setSizeGripEnabled(true);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* menu = new QMenuBar(this);
  QMenu* file = menu->addMenu("&Datei");
  file->setObjectName("mi_Datei");
  QMenu* edit = menu->addMenu("&Bearbeiten");
  edit->setObjectName("mi_Edit");
  auto item = [this](QMenu* m, const char* name, const QString& text, auto slot) {
    QAction* action = m->addAction(text);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  item(file, "mi_dateiExportNotepad", "Export &Notepad", &TForm_showtextfile::ExportNotepad);
  item(file, "ExportWordpad1", "Export &Wordpad", &TForm_showtextfile::ExportAssociated);
  item(file, "mi_DateiDrucken", "&Drucken...", &TForm_showtextfile::Print)
      ->setShortcut(QKeySequence::Print);
  file->addSeparator();
  item(file, "mi_dateiBeenden", "&Beenden", &QDialog::accept);
  item(edit, "mi_EditMarkAll", "Alles auswählen", &TForm_showtextfile::MarkAll)
      ->setShortcut(QKeySequence::SelectAll);
  item(edit, "mi_EditCopy", "Kopieren", &TForm_showtextfile::Copy)->setShortcut(QKeySequence::Copy);
  layout->setMenuBar(menu);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setFont(TextFont());
  layout->addWidget(Memo1);

  if (bounds_ && bounds_->width > 0 && bounds_->height > 0)
    setGeometry(bounds_->left, bounds_->top, bounds_->width, bounds_->height);
  else
    resize(630, 520);
}

bool TForm_showtextfile::Load() {
  const QString name = QString::fromStdString(fileName_);
  QFile file(name);
  // Only regular files: a FIFO or device would block the window.
  const QFileInfo info(name);
  if (!info.isFile() || info.size() > kMaxShownTextBytes || !file.open(QIODevice::ReadOnly)) {
    ShowInfo(fileName_ + " not found !");
    return false;
  }
  QString text = QString::fromUtf8(file.readAll());
  text.replace("\r\n", "\n");
  lines_ = text.split('\n');
  if (!lines_.isEmpty() && lines_.back().isEmpty()) lines_.removeLast();
  Memo1->setPlainText(text);
  return true;
}

int TForm_showtextfile::PrintTo(QPrinter& printer, int fromPage, int toPage) const {
  printer.setDocName(QString::fromStdString(projectName));
  return PrintTextLines(printer, lines_, fromPage, toPage, linesPerPage, TextFont());
}

void TForm_showtextfile::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Portrait);
  const bool noPrinter = QPrinterInfo::availablePrinters().isEmpty();
  QString pdf;
  if (noPrinter) {
    const QString base = projectName.empty()
                             ? QString("outwin")
                             : QFileInfo(QString::fromStdString(projectName)).completeBaseName();
    pdf = QString::fromStdString(tempFolder) + base + ".pdf";
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  }
  const int pages = std::max(CountTextPages(lines_), 1);
  QPrintDialog dialog(&printer, this);
  dialog.setMinMax(1, pages);
  dialog.setFromTo(1, pages);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dialog.exec() != QDialog::Accepted) return;
  int from = 1, to = pages;
  if (printer.printRange() == QPrinter::PageRange) {
    from = printer.fromPage();
    to = printer.toPage();
  }
  PrintTo(printer, from, to);
  if (printer.outputFormat() == QPrinter::PdfFormat)
    CurrentPlatform().SetStatusText(printer.outputFileName().toStdString());
}

void TForm_showtextfile::ExportNotepad() {
  const std::string command = textProgram + " " + Quoted(fileName_).toStdString();
  if (!CurrentPlatform().StartProgram(command)) ReportError(textProgram + " not found");
}

void TForm_showtextfile::ExportAssociated() {
  if (!CurrentPlatform().OpenWithAssociatedProgram(fileName_))
    ReportError(fileName_ + " not found");
}

void TForm_showtextfile::MarkAll() {
  Memo1->selectAll();
}

void TForm_showtextfile::Copy() {
  Memo1->copy();
}

void TForm_showtextfile::done(int result) {
  if (bounds_) {
    const QRect g = geometry();
    *bounds_ = WindowBounds{g.left(), g.top(), g.width(), g.height()};
  }
  QDialog::done(result);
}

}  // namespace kv5
