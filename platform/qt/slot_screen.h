#pragma once
// The save and load screens: pages of six slots (three by two), each with a picture of the
// screen at the moment of saving, the game's day, weekday and clock as the status panel
// shows them, the partner and the real date and time of saving. Ctrl+S opens the save
// screen where F5 may save, Ctrl+L or Ctrl+O the load screen where F9 may load; the load
// screen's first page holds the autosave and the quick save. The screen is a panel over
// the client area, drawn at the window's scale, never into the game's pictures; while it
// is open it has the keyboard and the pointer to itself, and the game rests.
//
// Keys: arrows choose a slot, PageUp/PageDown (and the wheel) turn pages, Enter saves or
// loads, Delete removes, Esc (and a right click) closes. Replacing or removing a save asks
// first, with the keyboard (Left/Right, Enter, Y/N, Esc) as with the mouse.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "save/save_keeper.h"
#include "save/slot_store.h"

namespace velmora {

class GameWindow;

class SlotScreen : public QWidget {
  Q_OBJECT

 public:
  enum class Mode { Save, Load };
  static constexpr int kColumns = 3;
  static constexpr int kPerPage = 6;

  // Registers the save and load screen keys with Window; Keeper saves and loads.
  SlotScreen(GameWindow& window, SaveKeeper& keeper);
  ~SlotScreen() override;

  // What Ctrl+S and Ctrl+L do: open the screen, or say in the overlay why not now.
  void OpenSave();
  void OpenLoad();
  void Close();

  // What a test looks at.
  bool IsOpen() const { return isVisible(); }
  Mode Showing() const { return mode_; }
  int Page() const { return page_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  int Selected() const { return selected_; }
  const SlotEntry& SelectedEntry() const { return Cell(page_, selected_).Entry; }
  // The picture shown for a slot (null: an empty frame).
  QImage PictureOf(int page, int index);
  // The question up now ("replace?", "remove?"), empty when none is.
  QString Question() const { return question_ ? question_->Text : QString(); }

  // The 160x120 picture of a 640x480 screen, and its PNG bytes.
  static QImage Thumbnail(const QImage& screen);
  static std::vector<uint8_t> EncodePng(const QImage& image);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct SlotCell {
    SlotEntry Entry;
    std::optional<QImage> Picture;  // decoded when first shown
  };
  struct Ask {
    QString Text;
    bool Yes = false;  // the answer chosen now; no until the player moves to yes
    int Number = 0;    // the slot asked about
    bool Remove = false;
  };

  void Open(Mode mode);
  bool PrepareStore();
  const SlotCell& Cell(int page, int index) const { return pages_[page][index]; }
  int CountOn(int page) const { return static_cast<int>(pages_[page].size()); }
  void Select(int page, int index);
  void Move(int dx, int dy);
  void TurnPage(int by);
  void Activate();
  void AskToRemove();
  void Answer(bool yes);
  void SaveInto(int number, bool replace);
  void LoadSelected();
  void Reread(int page, int index);
  void Tell(const std::string& message, bool failure);
  // The game pixel under a position in the widget, and what lies there.
  QPoint GamePoint(QPointF at) const;
  int CellAt(QPoint game) const;

  GameWindow& window_;
  SaveKeeper& keeper_;
  std::unique_ptr<SlotStore> store_;
  Mode mode_ = Mode::Save;
  std::vector<std::vector<SlotCell>> pages_;
  int page_ = 0;
  int selected_ = 0;
  std::optional<Ask> question_;
  int wheel_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace velmora
