// The drawing surface of the main window: paints the graphics window's
// display list with the Qt replay, forwards keys, mouse and wheel to its
// zoom and pan, shows the rubber band while a zoom area is drawn, and prints
// the drawing.
#pragma once

#include <QImage>
#include <QWidget>

#include "graphics/graphics_window.h"

class QPainter;
class QPrinter;

namespace kv5 {

// Replays the window's list onto an image of any size, 1:1 in pixels of the
// drawing area, on the window's background colour. Keeps the mapping the
// list leaves in the window, as a repaint does. `onPause` (may be empty)
// runs at every pause record, `processMessages` (may be empty) after every
// 50,000 records.
ReplayResult PaintGraphicsWindow(GraphicsWindow& window, QImage& image,
                                 const std::function<void(int ms)>& onPause = {},
                                 const std::function<void()>& processMessages = {});

// Replays the window's list onto a printer page of `page` pixels (the
// page's own coordinates, top left 0, 0) with the configured print scale,
// origin and colour mode; nothing goes to the screen and pauses are skipped.
ReplayResult PrintGraphicsWindow(GraphicsWindow& window, QPainter& page, QSize pageSize);

class GraphicsView : public QWidget, public GraphicsWindowView {
  Q_OBJECT
 public:
  explicit GraphicsView(GraphicsWindow& window = graphicsWindow, QWidget* parent = nullptr);
  ~GraphicsView() override;

  GraphicsWindow& window() { return window_; }

  // GraphicsWindowView. A list with pauses (the animation) is replayed at
  // once, showing each frame while it waits; any other list as soon as the
  // event loop runs again, answering events on long lists.
  void RequestRepaint() override;
  void MoveCanvasPen(ScreenPoint) override {}

  // Print dialog, then the drawing on one page; a PDF file in the temporary
  // folder where no printer is installed.
  void Print();
  // Prints onto a prepared printer (no dialog).
  void PrintTo(QPrinter& printer);

  // Whether the next paint replays the list (false while the picture is current).
  bool replayPending() const { return dirty_; }
  bool replaying() const { return replaying_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // livePauses: show the picture and wait at each pause record;
  // answerEvents: let the event loop run on long lists (never inside a paint).
  void Replay(bool livePauses, bool answerEvents);
  void Invalidate();

  GraphicsWindow& window_;
  QImage picture_;
  bool dirty_ = true;
  bool replaying_ = false;
  bool replayScheduled_ = false;
  bool ownsStepDialog_ = false;  // the step dialog of the window is this view's
};

}  // namespace kv5
