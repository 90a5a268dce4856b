#pragma once
// A short note from the shell ("セーブしました", where a screenshot went, what failed),
// drawn over the client area for a moment and gone again. It is a widget of its own on
// top of the screen: nothing of it ever enters the game's pictures or a screenshot, and
// the pointer passes through it to the game.

#include <QString>
#include <QTimer>
#include <QWidget>

namespace velmora {

class ShellOverlay : public QWidget {
  Q_OBJECT

 public:
  // How long a note stays up.
  static constexpr int kShowMs = 1500;

  explicit ShellOverlay(QWidget* over);

  // Shows Text (one or more lines) at the top of the picture for kShowMs, replacing any
  // note still up.
  void Show(const QString& text);
  // The note up now, empty when none is.
  QString Text() const { return isVisible() ? text_ : QString(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Place();

  QString text_;
  QTimer hideTimer_;
};

}  // namespace velmora
