#pragma once
// The backlog: what was read, the last units of the page feed (text pages, choices with
// the option taken, remarks, ending lines), newest at the bottom, in a panel over the
// client area. It opens by the wheel turned away or PageUp where the page button or a
// choice is live and nothing moves, takes every key and pointer press while open (the
// game gets none), and closes by Esc, any click, or the wheel turned toward the player
// past the newest line. The game's pictures are never touched: closing it shows the
// picture exactly as it was.

#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

namespace velmora {

class GameWindow;
class TForm1;

// Whether the backlog may open now: the game rests where the page button or a choice is
// live, with no mode change, card turn or pan under way.
bool BacklogMayOpen(const TForm1& form);

class BacklogPanel : public QWidget {
  Q_OBJECT

 public:
  // One line of the panel.
  struct Row {
    QString Text;
    enum class Look { Line, Option, Taken, Gap } Style = Look::Line;
  };

  // Registers the window's OpenBacklog action; a child of the window's client area.
  explicit BacklogPanel(GameWindow& window);

  // Opens the panel where it may open; says whether it did.
  bool Open();
  void Close();
  bool IsOpen() const { return isVisible(); }

  // What the panel holds (built when it opens) and the first row it shows.
  const std::vector<Row>& Rows() const { return rows_; }
  int FirstShown() const { return first_; }
  int RowsShown() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void BuildRows();
  void Place();
  void ScrollTo(int first);
  int RowHeight() const;

  GameWindow& window_;
  std::vector<Row> rows_;
  QFont font_;
  int first_ = 0;
  int wheel_ = 0;  // eighths of a degree not yet a whole notch (toward the player positive)
};

}  // namespace velmora
