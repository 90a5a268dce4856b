#pragma once
// The client area: a 640x480 picture that holds what the window shows (the window
// surface) and hands the pointer's presses, moves and releases on in game pixels. It has
// a fixed size at the scale of the device pixel ratio, or at the player's zoom; in
// fullscreen it fills the screen and shows the picture at the largest whole scale, centred
// on black, and a pointer off the picture is off the game.

#include <QImage>
#include <QWidget>
#include <functional>

#include "app/pointer_input.h"
#include "gfx/picture.h"
#include "platform/qt/paint_batch.h"
#include "platform/qt/screen_scale.h"

namespace velmora {

class ScreenWidget : public QWidget {
  Q_OBJECT

 public:
  explicit ScreenWidget(QWidget* parent = nullptr);

  // What the client area shows, one pixel per game pixel.
  const QImage& Surface() const { return surface_; }
  // Paints Picture onto the surface at (x, y); it reaches the screen at the next
  // ShowPainted, so that the strips of one wipe step are shown together.
  void Paint(const Picture& picture, int x, int y);
  // Puts everything painted since the last call on the screen before returning, in one
  // paint, so a wipe that blocks the thread is still seen step by step.
  void ShowPainted() { painted_.Show(); }
  bool HasUnshownPaint() const { return painted_.HasUnshown(); }
  // Makes the surface a copy of Picture, or black for none; the part that changed is
  // shown on the next repaint, and nothing is repainted when nothing changed.
  void ShowPicture(const Picture* picture);
  // The scale for the device pixel ratio, the zoom and the size the widget has now.
  ScreenScale CurrentScale() const;
  // Sizes the widget for the screen it is on (call again when the ratio changes).
  void AdaptToScreen();
  // A whole scale chosen by the player, in device pixels per game pixel; 0 follows the
  // device pixel ratio (the default).
  void SetZoom(int scale);
  int Zoom() const { return zoom_; }
  // Filling: the widget takes whatever size it is given (fullscreen) and fits the picture.
  void SetFilling(bool filling);
  bool Filling() const { return filling_; }

  // The game's pointer handlers, given game pixels.
  std::function<void(MouseButton, int, int)> OnPress;
  std::function<void(int, int)> OnMove;
  std::function<void(MouseButton, int, int)> OnRelease;
  // The wheel turned one notch toward the player.
  std::function<void()> OnWheelTowardPlayer;
  // The wheel turned one notch away from the player (the backlog's way in).
  std::function<void()> OnWheelAway;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QImage surface_;
  PaintBatch painted_;
  bool watchingScreen_ = false;
  int zoom_ = 0;
  bool filling_ = false;
  // Buttons whose press reached the game: only their releases follow it there.
  Qt::MouseButtons pressedOnPicture_;
  int wheelTurn_ = 0;  // eighths of a degree toward the player, not yet a whole notch
  int wheelAway_ = 0;  // the same away from the player
};

}  // namespace velmora
