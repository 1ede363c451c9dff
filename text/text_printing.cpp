// Printing of text files. The pages go to a PDF file drawn with cairo in a
// monospaced font, linesPerPage lines to an A4 portrait page; a line that
// begins with a form feed starts the next page.
#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/message_boxes.h"
#include "model/drive_model.h"
#include "text/codepage.h"
#include "text/configuration.h"
#include "text/output_channel.h"
#include "text/output_files.h"

namespace kv5 {

namespace {

constexpr double kPageWidth = 595.28;  // A4 in points
constexpr double kPageHeight = 841.89;
constexpr double kMargin = 36;  // the margin a printer cannot print on

std::vector<std::string> ReadTextLines(const std::string& fileName, bool& found) {
  std::string bytes;
  found = ReadWholeFile(fileName, bytes);
  if (!IsValidUtf8(bytes)) bytes = Cp850ToUtf8(bytes);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

int CountPages(const std::vector<std::string>& lines) {
  int pages = 0;
  bool textAfterBreak = false;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '\f') {
      ++pages;
      textAfterBreak = line.size() > 1;
    } else {
      textAfterBreak = true;
    }
  }
  // The text after the last form feed is a page of its own.
  return textAfterBreak ? pages + 1 : pages;
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

std::string PdfNameFor(const std::string& fileName) {
  size_t slash = fileName.find_last_of('/');
  size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    dot = fileName.size();
  return fileName.substr(0, dot) + ".pdf";
}

}  // namespace

int CountPrintPages(const std::string& fileName) {
  bool found = false;
  return CountPages(ReadTextLines(fileName, found));
}

void PrintTextFile(const std::string& fileName) {
  PrintTextFile(fileName, PrintOptions{});
}

bool PrintTextFile(const std::string& fileName, const PrintOptions& options) {
  bool found = false;
  std::vector<std::string> lines = ReadTextLines(fileName, found);
  if (!found) {
    ReportError(fileName + " not found !");
    abortFlag = true;
    return false;
  }
  const int from = std::max(options.fromPage, 1);
  const int to = options.toPage > 0 ? options.toPage : std::max(CountPages(lines), 1);

  std::string pdf;
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(AppendToString, &pdf, kPageWidth, kPageHeight);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, projectName.c_str());
  cairo_t* cr = cairo_create(surface);

  const double lineHeight = (kPageHeight - 2 * kMargin) / std::max(linesPerPage, 1);
  cairo_select_font_face(cr, "monospace",
                         (textFontStyle & 2) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         (textFontStyle & 1) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, std::min<double>(textFontSize > 0 ? textFontSize : 10, lineHeight));
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  cairo_set_source_rgb(cr, 0, 0, 0);

  int page = 1;
  double y = 0;
  auto print = [&](const std::string& text) {
    if (page >= from && page <= to && !text.empty()) {
      cairo_move_to(cr, kMargin, kMargin + y + font.ascent);
      cairo_show_text(cr, DisplayLine(text).c_str());
    }
    y += lineHeight;
  };
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] == '\f') {
      ++page;
      if (page > from && page <= to) cairo_show_page(cr);
      y = 0;
      // A text printer line may go on behind its form feed.
      if (line.size() > 1) print(line.substr(1));
    } else {
      print(line);
    }
  }
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    ReportError(std::string("Druckfehler: ") + cairo_status_to_string(status));
    abortFlag = true;
    return false;
  }
  FileFailure failure =
      ReplaceFile(options.pdfFile.empty() ? PdfNameFor(fileName) : options.pdfFile, pdf);
  if (failure.Failed()) {
    ReportError(FileFailureText(failure));
    abortFlag = true;
    return false;
  }
  return true;
}

}  // namespace kv5
