#include "app/qt/text_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>

#include "app/qt/qt_platform.h"
#include "tests/qt/modal_answer.h"
#include "tests/test_support.h"

namespace kv5 {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

// Pages of a PDF file as its page objects count them.
int PdfPages(const std::string& file) {
  const QString pdf = QString::fromLatin1(QByteArray::fromStdString(ReadFileBytes(file)));
  return static_cast<int>(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
}

class TextWindowTest : public testing::ProgramTest {
 protected:
  TempFolder folder_;
};

TEST_F(TextWindowTest, QtPlatformShowsTheFileAsUtf8InTheTextWindow) {
  const std::string file = folder_.File("outwin.txt");
  WriteFileBytes(file, "Zähnezahl z1    15\r\nTeilung p    12.7 mm\r\n");
  QtPlatform qt;
  SetPlatform(&qt);
  QString caption, text, kind;
  bool fixedPitch = false;
  testing::AnswerNextModal([&](QWidget* modal) {
    kind = modal->objectName();
    caption = modal->windowTitle();
    auto* memo = modal->findChild<QPlainTextEdit*>("Memo1");
    text = memo->toPlainText();
    fixedPitch = QFontInfo(memo->font()).fixedPitch();
    qobject_cast<QDialog*>(modal)->accept();
  });
  qt.ShowTextFile(file, "KV5    " + file);
  EXPECT_EQ(kind, "TForm_showtextfile");
  EXPECT_EQ(caption.toStdString(), "KV5    " + file);
  EXPECT_EQ(text, "Zähnezahl z1    15\nTeilung p    12.7 mm\n");
  EXPECT_TRUE(fixedPitch) << "report columns need a fixed-pitch font";
}

TEST_F(TextWindowTest, FilesThatCannotBeShownGiveNotFound) {
  const std::string fifo = folder_.File("fifo.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string names[] = {folder_.File("missing.txt"), folder_.path(), fifo};
  for (const std::string& name : names) {
    platform_.ClearLog();
    TForm_showtextfile window(name, "KV5");
    EXPECT_FALSE(window.Load()) << name;
    ASSERT_EQ(platform_.Messages().size(), 1u) << name;
    EXPECT_EQ(platform_.Messages()[0].text, name + " not found !");
  }
}

TEST_F(TextWindowTest, PrintsThePagesOfTheRangeBetweenFormFeeds) {
  // Three pages: each ends with a form feed line, as the report writes them.
  std::string text;
  for (int page = 1; page <= 3; ++page) {
    for (int line = 1; line <= 5; ++line)
      text += "Seite " + std::to_string(page) + " Zeile " + std::to_string(line) + "\n";
    text += "\f\n";
  }
  const std::string file = folder_.File("outwin.txt");
  WriteFileBytes(file, text);
  TForm_showtextfile window(file, "KV5");
  ASSERT_TRUE(window.Load());
  EXPECT_EQ(CountTextPages(window.lines()), 3);

  struct Case {
    int from, to, linesPerPage, sheets;
  };
  const Case cases[] = {
      {1, 3, 66, 3},  // a form feed after the last page opens no empty sheet
      {2, 2, 66, 1},
      {2, 3, 66, 2},
      {1, 3, 3, 6},  // five lines on sheets of three: every page takes two
  };
  for (const Case& c : cases) {
    linesPerPage = c.linesPerPage;
    const std::string pdf = folder_.File("print.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    EXPECT_EQ(window.PrintTo(printer, c.from, c.to), c.sheets) << c.from << ".." << c.to;
    EXPECT_EQ(PdfPages(pdf), c.sheets) << c.from << ".." << c.to;
  }
}

TEST_F(TextWindowTest, RemembersItsBoundsForTheNextWindow) {
  const std::string file = folder_.File("outwin.txt");
  WriteFileBytes(file, "x\n");
  WindowBounds bounds;
  {
    TForm_showtextfile first(file, "KV5", &bounds);
    EXPECT_EQ(first.size(), QSize(630, 520));  // nothing remembered yet
    first.show();
    first.setGeometry(40, 50, 700, 400);
    first.reject();
  }
  EXPECT_EQ(bounds, (WindowBounds{40, 50, 700, 400}));
  TForm_showtextfile second(file, "KV5", &bounds);
  EXPECT_EQ(second.geometry(), QRect(40, 50, 700, 400));
}

TEST_F(TextWindowTest, ExportsToTheTextProgramAndCopiesTheText) {
  const std::string file = folder_.File("outwin.txt");
  WriteFileBytes(file, "erste Zeile\nzweite Zeile\n");
  platform_.SetRecordOnlyStarts(true);
  textProgram = "/usr/bin/editor";
  TForm_showtextfile window(file, "KV5");
  ASSERT_TRUE(window.Load());
  window.ExportNotepad();
  window.ExportAssociated();
  ASSERT_EQ(platform_.StartedPrograms().size(), 2u);
  EXPECT_EQ(platform_.StartedPrograms()[0], "/usr/bin/editor \"" + file + "\"");
  EXPECT_EQ(platform_.StartedPrograms()[1], "open " + file);

  window.MarkAll();
  window.Copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "erste Zeile\nzweite Zeile\n");
}

}  // namespace
}  // namespace kv5
