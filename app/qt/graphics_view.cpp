#include "app/qt/graphics_view.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <chrono>
#include <optional>

#include "app/qt/animation_form.h"
#include "graphics/render/qt_display_list_painter.h"
#include "model/drive_model.h"
#include "platform/platform.h"
#include "text/configuration.h"

namespace kv5 {

namespace {

QColor ToQColor(RgbColour c) {
  return QColor(c.r, c.g, c.b);
}

// The screen while printing: the printer alone gets the picture.
class NoScreen : public DisplayListPainter {
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

// The Qt replay with the pauses handed on (the animation shows its frames).
class ScreenPainter : public QtDisplayListPainter {
 public:
  ScreenPainter(QPainter& painter, const std::function<void(int)>& onPause)
      : QtDisplayListPainter(painter), onPause_(onPause) {}
  void Pause(int milliseconds) override {
    QtDisplayListPainter::Pause(milliseconds);
    if (onPause_) onPause_(milliseconds);
  }

 private:
  const std::function<void(int)>& onPause_;
};

bool HasPauses(const DisplayList& list) {
  return std::any_of(list.begin(), list.end(),
                     [](const std::string& r) { return r.rfind("13;", 0) == 0; });
}

std::optional<GraphicsKey> KeyOf(const QKeyEvent& event) {
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  switch (event.key()) {
    case Qt::Key_Escape:
      return GraphicsKey::Escape;
    case Qt::Key_F5:
      return GraphicsKey::F5;
    case Qt::Key_Up:
      return GraphicsKey::Up;
    case Qt::Key_Down:
      return GraphicsKey::Down;
    case Qt::Key_Left:
      return GraphicsKey::Left;
    case Qt::Key_Right:
      return GraphicsKey::Right;
    case Qt::Key_PageUp:
      return GraphicsKey::PageUp;
    case Qt::Key_PageDown:
      return GraphicsKey::PageDown;
    case Qt::Key_Plus:
      if (keypad) return GraphicsKey::NumPlus;
      break;
    case Qt::Key_Minus:
      if (keypad) return GraphicsKey::NumMinus;
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace

ReplayResult PaintGraphicsWindow(GraphicsWindow& window, QImage& image,
                                 const std::function<void(int ms)>& onPause,
                                 const std::function<void()>& processMessages) {
  // GraphicsWindow::Paint with the message pump of the window added.
  ReplayOptions options = window.MakeReplayOptions();
  options.processMessages = processMessages;
  image.fill(ToQColor(options.background));
  QPainter painter(&image);
  ScreenPainter screen(painter, onPause);
  CurrentPlatform().SetBusy(true);
  ReplayResult result = ReplayDisplayList(window.displayList, screen, options);
  window.mapping = result.mapping;
  window.singleStep = result.singleStep;
  CurrentPlatform().SetBusy(false);
  return result;
}

ReplayResult PrintGraphicsWindow(GraphicsWindow& window, QPainter& page, QSize pageSize) {
  const bool wasPrinting = window.printing;
  window.printing = true;
  QtDisplayListPainter printer(page);
  NoScreen screen;
  TargetScale scale;
  scale.pageWidth = pageSize.width();
  scale.pageHeight = pageSize.height();
  ReplayResult result = window.Paint(screen, &printer, scale);
  window.printing = wasPrinting;
  return result;
}

GraphicsView::GraphicsView(GraphicsWindow& window, QWidget* parent)
    : QWidget(parent), window_(window) {
  setObjectName("TFkelmgra");
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  window_.view = this;
  // The animation's single-step mode asks at each erase record.
  if (!window_.stepDialog) {
    window_.stepDialog = [this] { return ShowAnimationStep(this); };
    ownsStepDialog_ = true;
  }
}

GraphicsView::~GraphicsView() {
  if (window_.view == this) window_.view = nullptr;
  if (ownsStepDialog_) window_.stepDialog = nullptr;
}

void GraphicsView::Invalidate() {
  dirty_ = true;
  if (replayScheduled_) return;
  replayScheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    replayScheduled_ = false;
    if (!dirty_ || replaying_) return;
    Replay(isVisible() && HasPauses(window_.displayList), true);
  });
}

void GraphicsView::RequestRepaint() {
  if (replaying_) {
    dirty_ = true;  // once more after the running replay
    return;
  }
  if (isVisible() && HasPauses(window_.displayList)) {
    Replay(true, true);
    return;
  }
  Invalidate();
}

void GraphicsView::Replay(bool livePauses, bool answerEvents) {
  replaying_ = true;
  dirty_ = false;
  if (picture_.size() != size()) picture_ = QImage(size().expandedTo({1, 1}), QImage::Format_RGB32);
  std::function<void(int)> onPause;
  if (livePauses) {
    // Show the frame drawn so far, then wait with the event loop running,
    // until the pause has passed since the last one ended: the time spent
    // drawing a frame counts within its pause, so the frames come at the
    // pace the pauses set. A frame that takes longer than its pause is
    // shown at once, and the later frames do not hurry to make up for it.
    onPause = [this, deadline = std::chrono::steady_clock::now()](int ms) mutable {
      repaint();
      deadline += std::chrono::milliseconds(ms);
      const auto now = std::chrono::steady_clock::now();
      if (deadline < now) deadline = now;
      // Sleep(0) when behind still lets the window answer its events.
      const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
      CurrentPlatform().Sleep(static_cast<int>(wait.count()));
    };
  }
  std::function<void()> processMessages;
  if (answerEvents) {
    // Posted events too: the event loop does not hand them out while it is
    // inside one of them (the replay itself may run from one).
    processMessages = [] {
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
    };
  }
  PaintGraphicsWindow(window_, picture_, onPause, processMessages);
  replaying_ = false;
  if (!answerEvents) return;  // inside a paint: the picture is shown next
  if (dirty_)
    Invalidate();  // changed while it was drawn: once more
  else if (livePauses)
    repaint();
  else
    update();
}

void GraphicsView::paintEvent(QPaintEvent*) {
  if (!replaying_ && (dirty_ || picture_.size() != size())) {
    // On the screen the list is drawn outside the paint, where the window
    // can answer events meanwhile; the old picture stands until then. A
    // hidden view (grabbed into an image) draws at once.
    if (isVisible())
      Invalidate();
    else
      Replay(false, false);
  }
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(window_.MakeReplayOptions().background));
  painter.drawImage(0, 0, picture_);
  if (window_.dragging) {
    // The band inverts what lies below it, as on the canvas.
    const PixelBand& b = window_.band;
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(b.x1, b.y1), QPoint(b.x2, b.y2)).normalized());
  }
}

void GraphicsView::resizeEvent(QResizeEvent* event) {
  dirty_ = true;
  QWidget::resizeEvent(event);
}

void GraphicsView::keyPressEvent(QKeyEvent* event) {
  std::optional<GraphicsKey> key = KeyOf(*event);
  if (!key) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (window_.ProcessKey(*key)) Invalidate();
}

void GraphicsView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::RightButton) {
    window_.MouseRightDown();
    Invalidate();
  } else if (event->button() == Qt::LeftButton) {
    window_.MouseLeftDown(p.x(), p.y());
    update();
  }
}

void GraphicsView::mouseMoveEvent(QMouseEvent* event) {
  if (!window_.dragging) return;
  const QPoint p = event->position().toPoint();
  window_.MouseMove(p.x(), p.y());
  update();  // only the band moves; the picture stays
}

void GraphicsView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  if (window_.MouseLeftUp(p.x(), p.y(), width(), height()))
    Invalidate();
  else
    update();  // the band goes
}

void GraphicsView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) window_.MouseDoubleClick();
}

void GraphicsView::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  if (window_.MouseWheel(delta)) Invalidate();
  event->accept();
}

void GraphicsView::PrintTo(QPrinter& printer) {
  QPainter page;
  if (!page.begin(&printer)) return;
  PrintGraphicsWindow(window_, page, page.viewport().size());
  page.end();
}

void GraphicsView::Print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(storedSettings.printerOrientation == 2 ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    const QString base = projectName.empty()
                             ? QString("kv5")
                             : QFileInfo(QString::fromStdString(projectName)).completeBaseName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(tempFolder) + base + "_grafik.pdf");
  }
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);
  if (printer.outputFormat() == QPrinter::PdfFormat)
    CurrentPlatform().SetStatusText(printer.outputFileName().toStdString());
}

}  // namespace kv5
