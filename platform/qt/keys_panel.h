#pragma once
// The keys panel (F1): every key the shell answers and what it does, drawn by the shell
// over the client area, never into the game's pictures. Its lines come from KeyHelp(),
// the table the key handling itself reads, so the panel cannot tell another story. While
// it is open it has the keyboard and covers the picture: every key, click and wheel turn
// goes to it, and any key or click closes it, giving the keyboard back to the screen.

#include <QString>
#include <QWidget>

namespace velmora {

class GameWindow;

class KeysPanel : public QWidget {
  Q_OBJECT

 public:
  // Lies over the window's client area and answers F1.
  explicit KeysPanel(GameWindow& window);
  ~KeysPanel() override;

  void Open();
  void Close();
  bool IsOpen() const { return isVisible(); }
  // What the panel lists, one "KEYS: what they do" line each, as drawn.
  QString Text() const;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  GameWindow& window_;
};

}  // namespace velmora
