#include "graphics/render/png_renderer.h"

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <functional>

#include "tests/test_support.h"

namespace kv5 {
namespace {

using testing::TempFolder;
using RenderTest = testing::ProgramTest;

const QRgb kBackground = qRgb(0, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);       // colour 9
const QRgb kMagenta = qRgb(255, 0, 255);  // colour 13
const QRgb kRed = qRgb(255, 0, 0);        // colour 4 and 12
const QRgb kYellow = qRgb(255, 255, 0);   // colour 14
const QRgb kWhite = qRgb(255, 255, 255);  // colour 15

// Bounding box and number of the pixels of one colour.
struct Pixels {
  int count = 0;
  int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
  int width() const { return count ? maxX - minX + 1 : 0; }
  int height() const { return count ? maxY - minY + 1 : 0; }
};

Pixels PixelsOf(const QImage& image, QRgb colour, QRect area = {}) {
  if (area.isNull()) area = image.rect();
  Pixels p;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
        ++p.count;
        p.minX = std::min(p.minX, x), p.maxX = std::max(p.maxX, x);
        p.minY = std::min(p.minY, y), p.maxY = std::max(p.maxY, y);
      }
  return p;
}

// Any pixel of the colour within `radius` of (x, y).
bool Near(const QImage& image, int x, int y, QRgb colour, int radius = 1) {
  return PixelsOf(image, colour, QRect(x - radius, y - radius, 2 * radius + 1, 2 * radius + 1))
             .count > 0;
}

// Records a drawing on the graphics window and renders its list. With
// KV5_RENDER_DUMP set, the image is also kept there for a look.
ImageRenderResult Render(const std::string& name, const std::function<void()>& draw,
                         int imageWidth = 0, int imageHeight = 0) {
  GrClear();
  draw();
  ImageRenderRequest request;
  request.imageWidth = imageWidth;
  request.imageHeight = imageHeight;
  ImageRenderResult result = RenderDisplayList(graphicsWindow.displayList, request);
  if (const char* dump = std::getenv("KV5_RENDER_DUMP")) {
    result.image.save(QString::fromStdString(std::string(dump) + "/" + name + ".png"), "PNG");
    SaveDisplayList(std::string(dump) + "/" + name + ".kdl", graphicsWindow.displayList, 640, 480);
  }
  return result;
}

int X(Real x) {
  return graphicsWindow.mapping.ScreenX(x);
}
int Y(Real y) {
  return graphicsWindow.mapping.ScreenY(y);
}

TEST_F(RenderTest, LogoShowsBothColoursAroundItsCentre) {
  ImageRenderResult r = Render("logo", [] { GrLogo(); });
  ASSERT_EQ(r.image.size(), QSize(640, 480));
  EXPECT_EQ(r.replay.recordsSkipped, 0u);
  // Ring at radius 10.5, a tooth at 0°, a blade between 3 and 7, the hub.
  EXPECT_TRUE(Near(r.image, X(18.5L + 10.5L), Y(16), kBlue));
  EXPECT_TRUE(Near(r.image, X(18.5L + 14), Y(16), kBlue));
  EXPECT_TRUE(Near(r.image, X(18.5L), Y(16 + 1.5L), kMagenta));
  EXPECT_EQ(r.image.pixel(X(18.5L), Y(16)) & 0xFFFFFF, kBackground & 0xFFFFFF);  // the bore
  // Between two teeth there is a gap.
  EXPECT_FALSE(Near(r.image, X(18.5L + 14.5L * std::cos(0.2618L)),
                    Y(16 + 14.5L * std::sin(0.2618L)), kBlue, 0));
  Pixels blue = PixelsOf(r.image, kBlue);
  // The gear is round on the screen and fills the height of the window.
  EXPECT_NEAR(blue.width(), blue.height(), 3);
  EXPECT_GT(blue.height(), 400);
}

TEST_F(RenderTest, LogoScaledIntoALargerImage) {
  ImageRenderResult r = Render(
      "logo_1280", [] { GrLogo(); }, 1280, 960);
  EXPECT_EQ(r.areaWidth, 640);
  Pixels blue = PixelsOf(r.image, kBlue);
  EXPECT_GT(blue.height(), 800);
  EXPECT_NEAR(blue.width(), blue.height(), 5);
  // An image of other proportions keeps the picture round.
  r = Render(
      "logo_wide", [] { GrLogo(); }, 1000, 300);
  blue = PixelsOf(r.image, kBlue);
  EXPECT_NEAR(blue.width(), blue.height(), 4);
  EXPECT_GT(blue.height(), 250);
}

TEST_F(RenderTest, CirclesAreOutlines) {
  ImageRenderResult r = Render("circles", [] {
    GrHeader(0, 0, 160, 120);
    GrSetColor(14);
    GrCircle(80, 60, 40);
    GrSetColor(12);
    GrCircle(80, 60, 20);
    GrSetColor(15);
    GrCircle(20, 20, 5);
  });
  EXPECT_TRUE(Near(r.image, X(120), Y(60), kYellow));
  EXPECT_TRUE(Near(r.image, X(80), Y(100), kYellow));
  EXPECT_TRUE(Near(r.image, X(60), Y(60), kRed));
  EXPECT_FALSE(Near(r.image, X(80), Y(60), kYellow, 5));  // not filled
  Pixels yellow = PixelsOf(r.image, kYellow);
  EXPECT_NEAR(yellow.width(), yellow.height(), 2);
  EXPECT_NEAR(yellow.width(), 80 * graphicsWindow.mapping.sx, 3);
}

TEST_F(RenderTest, ArcsRunCounterClockwiseFromStartToEnd) {
  ImageRenderResult r = Render("arcs", [] {
    GrHeader(0, 0, 160, 120);
    GrSetColor(14);
    GrArc(40, 60, 0, 90, 30, 90);  // first quadrant
    GrSetColor(15);
    GrArc(120, 60, 300, 30, 30, 90);  // across 0°
    GrSetColor(12);
    GrArc(40, 20, 90, 270, 15, 180);  // left half
    GrSetColor(13);
    GrArc(120, 20, 10, 12, 15, 2);  // a chord
  });
  const Real d = 30 / std::sqrt(Real(2));
  EXPECT_TRUE(Near(r.image, X(40 + d), Y(60 + d), kYellow));
  EXPECT_FALSE(Near(r.image, X(40 - d), Y(60 - d), kYellow, 3));
  EXPECT_FALSE(Near(r.image, X(40 - d), Y(60 + d), kYellow, 3));
  EXPECT_TRUE(Near(r.image, X(150), Y(60), kWhite));
  EXPECT_FALSE(Near(r.image, X(90), Y(60), kWhite, 3));
  EXPECT_TRUE(Near(r.image, X(25), Y(20), kRed));
  EXPECT_FALSE(Near(r.image, X(55), Y(20), kRed, 3));
  EXPECT_GT(PixelsOf(r.image, kMagenta).count, 0);
}

TEST_F(RenderTest, TextsFollowTheirAngle) {
  ImageRenderResult r = Render("texts", [] {
    GrHeader(0, 0, 160, 120);
    GrSetTextStyle(2, 0, 5, 3.5L);
    GrSetColor(14);
    GrOutText("Kettenrad z1 = 17", 10, 100);
    GrSetTextStyle(2, 90, 5, 3.5L);
    GrSetColor(15);
    GrOutText("Triebstock", 150, 10);
    GrSetTextStyle(2, 30, 5, 3.5L);
    GrSetColor(12);
    GrOutText("Zähnezahl 17°", 30, 20);
  });
  Pixels horizontal = PixelsOf(r.image, kYellow);
  Pixels vertical = PixelsOf(r.image, kWhite);
  Pixels slanted = PixelsOf(r.image, kRed);
  ASSERT_GT(horizontal.count, 100);
  ASSERT_GT(vertical.count, 100);
  ASSERT_GT(slanted.count, 100);
  // The program's texts are narrow (width factor 0.4 of the cell).
  EXPECT_GT(horizontal.width(), 3 * horizontal.height());
  EXPECT_GT(vertical.height(), 2 * vertical.width());
  EXPECT_GT(slanted.width(), slanted.height());
  EXPECT_GT(slanted.height(), slanted.width() / 3);
  // The base line's left end at (10, 100): the text lies above it and
  // starts there.
  EXPECT_NEAR(horizontal.minX, X(10), 4);
  EXPECT_LE(horizontal.maxY, Y(100) + 2 * graphicsWindow.mapping.sy);
  EXPECT_GE(horizontal.minY, Y(100 + 1.2L * 5) - 3);
  // Rotated by 90°: it rises from (150, 10), left of x = 150.
  EXPECT_NEAR(vertical.maxY, Y(10), 5);
  EXPECT_LE(vertical.maxX, X(150) + 2 * graphicsWindow.mapping.sx);
}

TEST_F(RenderTest, SolidsAreFilledInTheCurrentColour) {
  ImageRenderResult r = Render("solids", [] {
    GrHeader(0, 0, 160, 120);
    GrSetColor(9);
    GrSolid(10, 10, 70, 10, 70, 50, 10, 50);
    GrSetColor(13);
    GrSolid(90, 10, 150, 30, 120, 110, 100, 60);
  });
  EXPECT_EQ(r.image.pixel(X(40), Y(30)) & 0xFFFFFF, kBlue & 0xFFFFFF);
  EXPECT_EQ(r.image.pixel(X(115), Y(50)) & 0xFFFFFF, kMagenta & 0xFFFFFF);
  EXPECT_EQ(r.image.pixel(X(80), Y(30)) & 0xFFFFFF, kBackground & 0xFFFFFF);
  EXPECT_NEAR(PixelsOf(r.image, kBlue).width(), 60 * graphicsWindow.mapping.sx, 2);
}

TEST_F(RenderTest, LineStylesAndWidths) {
  ImageRenderResult r = Render("lines", [] {
    GrHeader(0, 0, 160, 120);
    GrSetColor(15);
    for (int style = 0; style <= 3; ++style) {
      GrSetLineStyle(style);
      GrLine(10, 100 - 20 * style, 150, 100 - 20 * style);
    }
    GrSetLineStyle(0);
    GrSetLineWidth(5);
    GrSetColor(14);
    GrLine(10, 10, 150, 10);
  });
  for (int style = 0; style <= 3; ++style) {
    const int y = Y(100 - 20 * style);
    const QRect row(X(20), y, X(140) - X(20), 1);
    const int lit = PixelsOf(r.image, kWhite, row).count;
    if (style == 0) {
      EXPECT_EQ(lit, row.width()) << style;
    } else {
      EXPECT_LT(lit, row.width() * 9 / 10) << style;
      EXPECT_GT(lit, row.width() / 5) << style;
    }
  }
  EXPECT_NEAR(PixelsOf(r.image, kYellow, QRect(X(80), 0, 1, 480)).count, 5, 1);
}

TEST_F(RenderTest, ColourZeroErasesWhatWasDrawn) {
  ImageRenderResult r = Render("erase", [] {
    GrHeader(0, 0, 160, 120);
    GrSetColor(4);
    GrLine(10, 10, 150, 110);
    GrCircle(80, 60, 30);
    GrSolid(20, 80, 60, 80, 60, 110, 20, 110);
    GrSolid(100, 10, 140, 10, 140, 40, 100, 40);
    GrSetColor(0);
    GrLine(10, 10, 150, 110);
    GrCircle(80, 60, 30);
    GrSolid(20, 80, 60, 80, 60, 110, 20, 110);
    GrSetColor(4);
    GrSetColor(0);  // not recorded twice: the colour is already 0
  });
  const Pixels red = PixelsOf(r.image, kRed);
  // Only the last quad is left.
  EXPECT_GT(red.count, 1000);
  EXPECT_GE(red.minX, X(100) - 1);
  EXPECT_LE(red.maxX, X(140) + 1);
  EXPECT_GE(red.minY, Y(40) - 1);
}

TEST_F(RenderTest, PngFileIsWritten) {
  TempFolder folder;
  GrLogo();
  ReplayResult replay;
  ASSERT_TRUE(
      RenderDisplayListToPng(graphicsWindow.displayList, {}, folder.File("logo.png"), &replay));
  EXPECT_EQ(replay.recordsReplayed, graphicsWindow.displayList.size());
  QImage back(QString::fromStdString(folder.File("logo.png")));
  EXPECT_EQ(back.size(), QSize(640, 480));
  EXPECT_GT(PixelsOf(back, kMagenta).count, 1000);
  EXPECT_FALSE(
      RenderDisplayListToPng(graphicsWindow.displayList, {}, folder.File("kein/ordner/logo.png")));
}

TEST(RenderAreaTest, AreaComesFromTheFirstFullWindow) {
  EXPECT_EQ(AreaOfDisplayList({"8;4", "10;1;1;1279;1023;0;0;10;10"}), std::make_pair(1280, 1024));
  EXPECT_EQ(AreaOfDisplayList({"10;0;0;800;600;0;0;1;1"}), std::make_pair(800, 600));
  EXPECT_EQ(AreaOfDisplayList({"10;x;1;2;3;4;5;6;7", "4;0;0;1;1"}), std::make_pair(640, 480));
  EXPECT_EQ(AreaOfDisplayList({}), std::make_pair(640, 480));
}

}  // namespace
}  // namespace kv5
