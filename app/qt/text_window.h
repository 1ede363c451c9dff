// The text window of the screen channel: shows a text file (a report),
// prints it page by page, hands it to the text program, selects and copies
// it, and remembers where it stood on the screen.
#pragma once

#include <QDialog>
#include <QStringList>
#include <string>

#include "text/configuration.h"

class QPlainTextEdit;
class QPrinter;

namespace kv5 {

// Files larger than this are not loaded into the window.
inline constexpr qint64 kMaxShownTextBytes = 64 * 1024 * 1024;

// Pages of a text for printing: a line that begins with a form feed starts
// the next page and is not printed itself.
int CountTextPages(const QStringList& lines);

// Prints pages from … to (1-based, inclusive) with linesPerPage lines on a
// page; a page that holds more lines continues on a new sheet. Pages above
// 255 are never printed. Returns the number of sheets printed.
int PrintTextLines(QPrinter& printer, const QStringList& lines, int fromPage, int toPage,
                   int linesPerPage, const QFont& font);

class TForm_showtextfile : public QDialog {
  Q_OBJECT
 public:
  // `bounds` keeps position and size between windows (the configuration's
  // textWindowBounds unless the caller gives another).
  TForm_showtextfile(const std::string& fileName, const std::string& caption,
                     WindowBounds* bounds = &textWindowBounds, QWidget* parent = nullptr);

  // Loads the file into the memo; a missing or unreadable file gives the
  // box "<name> not found !" and false.
  bool Load();
  const QStringList& lines() const { return lines_; }
  QPlainTextEdit* memo() const { return Memo1; }

  // Menu commands.
  void Print();             // print dialog; a PDF file where no printer is installed
  void ExportNotepad();     // the configured text program
  void ExportAssociated();  // the program associated with text files
  void MarkAll();
  void Copy();

  // Printing without the dialog (pages as CountTextPages counts them).
  int PrintTo(QPrinter& printer, int fromPage, int toPage) const;

 protected:
  void done(int result) override;

 private:
  std::string fileName_;
  WindowBounds* bounds_;
  QStringList lines_;
  QPlainTextEdit* Memo1;
};

}  // namespace kv5
