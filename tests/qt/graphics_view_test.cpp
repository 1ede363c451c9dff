#include "app/qt/graphics_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "tests/test_support.h"
#include "text/configuration.h"

namespace kv5 {
namespace {

constexpr QRgb kRed = 0xFF0000;     // colour 12
constexpr QRgb kYellow = 0xFFFF00;  // colour 14
constexpr QRgb kBlack = 0x000000;

struct Pixels {
  int count = 0;
  int minX = 1 << 30, maxX = -1;
  int minY = 1 << 30, maxY = -1;
  int width() const { return count ? maxX - minX + 1 : 0; }
  int height() const { return count ? maxY - minY + 1 : 0; }
};

Pixels PixelsOf(const QImage& image, QRgb colour) {
  Pixels p;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == colour) {
        ++p.count;
        p.minX = std::min(p.minX, x);
        p.maxX = std::max(p.maxX, x);
        p.minY = std::min(p.minY, y);
        p.maxY = std::max(p.maxY, y);
      }
  return p;
}

void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), w.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &event);
}

void SendWheel(QWidget& w, int delta) {
  QWheelEvent event(QPointF(100, 100), w.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, delta),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &event);
}

// A 640 × 480 drawing area with a 100 × 75 world: a red line across the
// middle and a yellow square.
class GraphicsViewTest : public testing::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    storedSettings.mainWindowWidth = 640;
    storedSettings.mainWindowHeight = 480;
    window_.mapping.areaWidth = 640;
    window_.mapping.areaHeight = 480;
    window_.Clear();
    window_.Header(0, 0, 100, 75);
    window_.SetColor(12);
    window_.line(0, 37.5, 100, 37.5);
    window_.SetColor(14);
    window_.Solid(10, 10, 20, 10, 20, 20, 10, 20);
    view_ = std::make_unique<GraphicsView>(window_);
    view_->resize(640, 480);
    initialZoom_ = window_.mapping.zoom;
  }
  void TearDown() override {
    view_.reset();
    ProgramTest::TearDown();
  }
  GraphicsWindow window_;
  std::unique_ptr<GraphicsView> view_;
  ZoomRect initialZoom_;
};

TEST_F(GraphicsViewTest, PaintsTheListInItsColours) {
  const QImage image = view_->grab().toImage();
  const Pixels red = PixelsOf(image, kRed);
  EXPECT_GT(red.count, 600);  // the line runs across the whole area
  EXPECT_LE(red.minX, 2);
  EXPECT_GE(red.maxX, 637);
  EXPECT_GT(PixelsOf(image, kYellow).count, 60 * 60);
  EXPECT_GT(PixelsOf(image, kBlack).count, 640 * 480 / 2);  // background colour 0
  EXPECT_FALSE(view_->replayPending());

  // Colour 0 draws in the background colour: the line is erased again.
  window_.SetColor(0);
  window_.line(0, 37.5, 100, 37.5);
  window_.ClearViewPort();
  EXPECT_TRUE(view_->replayPending());
  EXPECT_EQ(PixelsOf(view_->grab().toImage(), kRed).count, 0);
}

// Each drawing record reaches the screen: circle, arc, text, dashed and
// wide lines, each alone in a fresh list in colour 13 (magenta).
TEST_F(GraphicsViewTest, EveryRecordKindIsPainted) {
  constexpr QRgb kMagenta = 0xFF00FF;
  struct Case {
    const char* name;
    std::function<void(GraphicsWindow&)> draw;
  };
  const Case cases[] = {
      {"solid line", [](GraphicsWindow& w) { w.line(10, 40, 90, 40); }},
      {"dashed line",
       [](GraphicsWindow& w) {
         w.SetLineStyle(3);
         w.line(10, 40, 90, 40);
       }},
      {"wide line",
       [](GraphicsWindow& w) {
         w.SetLineWidth(4);
         w.line(10, 40, 90, 40);
       }},
      {"circle", [](GraphicsWindow& w) { w.circle(50, 37.5, 20); }},
      {"arc", [](GraphicsWindow& w) { w.Arc(50, 37.5, 0, 90, 20, 90); }},
      {"text",
       [](GraphicsWindow& w) {
         w.SetTextStyle(1, 0, 5, 5);
         w.OutTextXY("Teilung", 20, 40);
       }},
      {"rotated text",
       [](GraphicsWindow& w) {
         w.SetTextStyle(1, 90, 5, 5);
         w.OutTextXY("Teilung", 50, 10);
       }},
  };
  std::map<std::string, Pixels> painted;
  for (const Case& c : cases) {
    window_.Clear();
    window_.Header(0, 0, 100, 75);
    window_.SetColor(13);
    c.draw(window_);
    painted[c.name] = PixelsOf(view_->grab().toImage(), kMagenta);
    EXPECT_GT(painted[c.name].count, 20) << c.name;
  }
  const int solid = painted["solid line"].count;
  EXPECT_LT(painted["dashed line"].count, solid * 9 / 10);
  EXPECT_GT(painted["wide line"].count, solid * 3);
  EXPECT_LT(painted["arc"].count, painted["circle"].count / 2);  // a quarter of it
  // Upright text runs along x, rotated text stands on end.
  const Pixels& upright = painted["text"];
  const Pixels& rotated = painted["rotated text"];
  EXPECT_GT(upright.width(), upright.height());
  EXPECT_GT(rotated.height(), rotated.width());
  EXPECT_NEAR(upright.width(), rotated.height(), 2) << "the same text turned by 90°";
}

TEST_F(GraphicsViewTest, KeysZoomAndPanAsTheWindowRules) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::optional<GraphicsKey> expected;  // nothing: the key is not a zoom key
  };
  const Case cases[] = {
      {Qt::Key_Up, Qt::NoModifier, GraphicsKey::Up},
      {Qt::Key_Down, Qt::NoModifier, GraphicsKey::Down},
      {Qt::Key_Left, Qt::NoModifier, GraphicsKey::Left},
      {Qt::Key_Right, Qt::NoModifier, GraphicsKey::Right},
      {Qt::Key_PageUp, Qt::NoModifier, GraphicsKey::PageUp},
      {Qt::Key_PageDown, Qt::NoModifier, GraphicsKey::PageDown},
      {Qt::Key_Plus, Qt::KeypadModifier, GraphicsKey::NumPlus},
      {Qt::Key_Minus, Qt::KeypadModifier, GraphicsKey::NumMinus},
      {Qt::Key_Plus, Qt::NoModifier, std::nullopt},  // only the numeric keypad zooms
      {Qt::Key_A, Qt::NoModifier, std::nullopt},
  };
  for (const Case& c : cases) {
    window_.ResetZoom();
    QTest::keyClick(view_.get(), c.key, c.modifiers);
    const ZoomRect expected =
        c.expected ? ZoomRectAfterKey(initialZoom_, *c.expected, storedSettings.zoomStep,
                                      storedSettings.panStep)
                   : initialZoom_;
    EXPECT_EQ(window_.mapping.zoom, expected) << "key " << c.key;
    EXPECT_NE(c.expected.has_value(), window_.mapping.zoom == initialZoom_) << "key " << c.key;
  }
  for (Qt::Key reset : {Qt::Key_Escape, Qt::Key_F5}) {
    QTest::keyClick(view_.get(), Qt::Key_PageDown);
    QTest::keyClick(view_.get(), reset);
    EXPECT_EQ(window_.mapping.zoom, initialZoom_);
  }
}

TEST_F(GraphicsViewTest, BandZoomsToTheMarkedAreaAndRightClickResets) {
  view_->grab();  // the picture is current
  SendMouse(*view_, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(*view_, QEvent::MouseMove, {300, 250}, Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(window_.dragging);
  EXPECT_FALSE(view_->replayPending()) << "moving the band must not replay the list";
  const QImage during = view_->grab().toImage();
  EXPECT_EQ(during.pixel(200, 100) & 0xFFFFFF, 0xFFFFFFu) << "band edge inverts black";
  SendMouse(*view_, QEvent::MouseButtonRelease, {300, 250}, Qt::LeftButton, Qt::NoButton);
  const std::optional<ZoomRect> expected =
      ZoomRectOfBand(initialZoom_, PixelBand{100, 100, 300, 250}, 640, 480, window_.aspectFactor);
  ASSERT_TRUE(expected);
  EXPECT_EQ(window_.mapping.zoom, *expected);
  EXPECT_TRUE(view_->replayPending());

  SendMouse(*view_, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(window_.mapping.zoom, initialZoom_);
}

TEST_F(GraphicsViewTest, BandWithoutWidthKeepsTheZoom) {
  SendMouse(*view_, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(*view_, QEvent::MouseButtonRelease, {100, 300}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window_.mapping.zoom, initialZoom_);
  EXPECT_FALSE(window_.dragging);
}

TEST_F(GraphicsViewTest, DoubleClickThenLeftButtonReturnsToTheSavedLimits) {
  QTest::keyClick(view_.get(), Qt::Key_Plus, Qt::KeypadModifier);
  ASSERT_NE(window_.mapping.zoom, initialZoom_);
  SendMouse(*view_, QEvent::MouseButtonDblClick, {50, 50}, Qt::LeftButton, Qt::LeftButton);
  SendMouse(*view_, QEvent::MouseButtonRelease, {50, 50}, Qt::LeftButton, Qt::NoButton);
  SendMouse(*view_, QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
  EXPECT_FALSE(window_.dragging);
  EXPECT_EQ(window_.mapping.zoom, (ZoomRect{0, 0, 640, 480}));  // the whole area again
  EXPECT_EQ(window_.mapping.limits, (WorldRect{0, 0, 1, 1}));
}

TEST_F(GraphicsViewTest, WheelZoomsOnlyWhenEnabled) {
  SendWheel(*view_, -240);
  EXPECT_EQ(window_.mapping.zoom, ZoomRectAfterWheel(initialZoom_, -240, storedSettings.zoomStep));
  EXPECT_LT(window_.mapping.zoom.x2 - window_.mapping.zoom.x1, initialZoom_.x2 - initialZoom_.x1);
  window_.ResetZoom();
  window_.mouseWheelZoom = false;
  SendWheel(*view_, 120);
  EXPECT_EQ(window_.mapping.zoom, initialZoom_);
}

TEST_F(GraphicsViewTest, PrintingScalesTheAreaToThePage) {
  QImage page(1000, 1414, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  storedSettings.printMode = 1;  // black on paper
  PrintGraphicsWindow(window_, painter, page.size());
  painter.end();
  const Pixels black = PixelsOf(page, kBlack);
  EXPECT_LE(black.minX, 3);  // the line spans the page width
  EXPECT_GE(black.maxX, 995);
  EXPECT_EQ(PixelsOf(page, kRed).count, 0);
  EXPECT_FALSE(window_.printing);

  testing::TempFolder folder;
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(folder.File("grafik.pdf")));
  view_->PrintTo(printer);
  const QString pdf = QString::fromLatin1(
      QByteArray::fromStdString(testing::ReadFileBytes(folder.File("grafik.pdf"))));
  EXPECT_EQ(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")), 1);
}

TEST_F(GraphicsViewTest, LongListsAreDrawnOutsideThePaintAndAnswerEvents) {
  view_->show();
  window_.SetColor(12);
  for (int i = 0; i < 120000; ++i) window_.line(0, 37.5, 100, 37.5);
  window_.ClearViewPort();
  EXPECT_TRUE(view_->replayPending());
  bool answeredWhileDrawing = false;
  // An event posted to the window, as input and paint requests are.
  QMetaObject::invokeMethod(
      view_.get(), [&] { answeredWhileDrawing = view_->replaying(); }, Qt::QueuedConnection);
  for (int i = 0; i < 100 && view_->replayPending(); ++i) QTest::qWait(20);
  EXPECT_FALSE(view_->replayPending());
  EXPECT_TRUE(answeredWhileDrawing) << "events wait until 120,000 records are drawn";
  EXPECT_GT(PixelsOf(view_->grab().toImage(), kRed).count, 600);
}

// Sleeps are taken as the moments the animation shows a frame.
class FramePlatform : public HeadlessPlatform {
 public:
  std::function<void()> atPause;
  std::vector<int> sleeps;
  int overrunFirstSleepMs = 0;  // the first sleep lasts this long instead
  void Sleep(int ms) override {
    sleeps.push_back(ms);
    if (atPause) atPause();
    if (sleeps.size() == 1 && overrunFirstSleepMs > 0)
      std::this_thread::sleep_for(std::chrono::milliseconds(overrunFirstSleepMs));
  }
};

// The frames come at the pace the pauses set: the time a frame takes to
// draw (here: a first pause that lasts far too long) counts within the
// pauses, and a frame that is late is shown at once without the later ones
// hurrying.
TEST_F(GraphicsViewTest, PausesSetThePaceOfTheFrames) {
  FramePlatform frames;
  frames.SetEcho(false);
  frames.overrunFirstSleepMs = 1000;
  SetPlatform(&frames);
  view_->show();
  window_.SetColor(12);
  window_.line(0, 37.5, 100, 37.5);
  window_.SleepMs(400);  // sleeps about 400 ms, but takes 1000
  window_.SleepMs(400);  // late: no wait
  window_.SleepMs(400);  // a full pause again
  window_.ClearViewPort();
  ASSERT_EQ(frames.sleeps.size(), 3u);
  EXPECT_GT(frames.sleeps[0], 200);
  EXPECT_LE(frames.sleeps[0], 400);
  EXPECT_EQ(frames.sleeps[1], 0);
  EXPECT_GT(frames.sleeps[2], 200);
  EXPECT_LE(frames.sleeps[2], 400);
}

TEST_F(GraphicsViewTest, ListWithPausesShowsEveryFrameWhileItWaits) {
  FramePlatform frames;
  frames.SetEcho(false);
  SetPlatform(&frames);
  std::vector<int> redAtPause;
  frames.atPause = [&] { redAtPause.push_back(PixelsOf(view_->grab().toImage(), kRed).count); };
  view_->show();
  window_.SleepMs(10);  // frame 1: the red line
  window_.SetColor(0);
  window_.line(0, 37.5, 100, 37.5);
  window_.SleepMs(10);  // frame 2: erased
  window_.ClearViewPort();
  ASSERT_EQ(redAtPause.size(), 2u);
  EXPECT_GT(redAtPause[0], 600);
  EXPECT_EQ(redAtPause[1], 0);
}

}  // namespace
}  // namespace kv5
