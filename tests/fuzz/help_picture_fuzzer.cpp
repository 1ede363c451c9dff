// Help pictures of any content: the plot interpreter ends, never reads past
// the bytes, and leaves only records with finite numbers inside the clamp
// limits, which the replay then paints without fault.
#include <cmath>
#include <cstdlib>
#include <string>

#include "graphics/graphics_window.h"
#include "graphics/help_picture.h"
#include "model/drive_model.h"
#include "tests/fuzz/fuzz_support.h"

using namespace kv5;

namespace {

class NullPainter : public DisplayListPainter {
 public:
  void SetPenColour(RgbColour) override {}
  void SetPenStyle(PenStyle) override {}
  void SetPenWidth(int) override {}
  void SetBrushColour(RgbColour) override {}
  void MoveTo(ScreenPoint) override {}
  void LineTo(ScreenPoint) override {}
  void Ellipse(ScreenPoint, ScreenPoint) override {}
  void Arc(ScreenPoint, ScreenPoint, ScreenPoint, ScreenPoint) override {}
  void Polygon(const std::array<ScreenPoint, 4>&) override {}
  void Text(ScreenPoint, const TextFont&, RgbColour, const std::string&) override {}
  void Pause(int) override {}
};

// Every number of a record (a text record: its x and y) is finite and
// within the limit of the records.
void CheckRecord(const std::string& record) {
  const bool text = record.rfind("6;", 0) == 0;
  size_t start = record.find(';');
  for (int field = 1; start != std::string::npos; ++field) {
    if (text && field > 2) return;
    const char* begin = record.c_str() + start + 1;
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    if (end == begin) fuzz::Fail("a record field is not a number");
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(kHelpPictureRecordLimit))
      fuzz::Fail("a record holds a number outside the limits");
    start = record.find(';', start + 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::StartRun();
  const std::string bytes = fuzz::Bytes(data, size);
  GrClear();
  GrHeader(0, 0, 160, 120);
  const size_t header = graphicsWindow.displayList.size();
  PlotHelpPictureBytes(bytes);
  if (abortFlag) fuzz::Fail("abortFlag left set");
  const DisplayList& list = graphicsWindow.displayList;
  for (size_t i = header; i < list.size(); ++i) CheckRecord(list[i]);
  NullPainter painter;
  ReplayDisplayList(list, painter, graphicsWindow.MakeReplayOptions());
  // A second picture starts from the carried-over state.
  PlotHelpPictureBytes(bytes);
  return 0;
}
