#pragma once
// The desktop shell: the game's one main window. A fixed 640x480 client area under a
// real menu bar, one QTimer per game timer, modal message boxes and sound, all behind
// the host seam. Every entry from Qt's event loop into the game (a tick, a pointer
// event, a menu pick, the creation handler) runs one at a time through RunEntry; what
// arrives while one runs, or while a message box is open, is dropped, as the game's
// own busy flags expect.

#include <QElapsedTimer>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/form.h"
#include "platform/host.h"
#include "platform/qt/compositor_link.h"
#include "platform/qt/menu_bar_mirror.h"
#include "platform/qt/display_settings.h"
#include "platform/qt/screen_widget.h"
#include "platform/qt/shell_keys.h"
#include "platform/qt/shell_overlay.h"
#include "platform/qt/shell_services.h"
#include "platform/qt/timer_mirror.h"

namespace velmora {

// Shown once at start-up when no installed face can draw Japanese (in English too,
// since the Japanese half may itself come out as boxes).
inline constexpr const char* kNoJapaneseFontNotice =
    "日本語を表示できるフォントが見つかりません。ゲームの文字が正しく表示されません。\n"
    "No installed font can display Japanese, so the game's text will not show correctly.\n"
    "Install one, for example the IPA Gothic fonts (Debian: fonts-ipafont-gothic).";

class GameWindow : public QMainWindow, public Host {
  Q_OBJECT

 public:
  explicit GameWindow(ShellServices services = DesktopServices());
  ~GameWindow() override;

  // Creates the game, builds the menu bar from its menu and runs its creation handler,
  // as the program entry does before it shows the window; first says so when Japanese
  // cannot be drawn.
  TForm1& Start();
  TForm1& Form() { return *form_; }

  // The parts a test looks at.
  ScreenWidget& Screen() { return *screen_; }
  MenuBarMirror& Menus() { return menus_; }
  const TimerMirror& Timers() const { return timers_; }
  ShellOverlay& Overlay() { return *overlay_; }

  // --- the shell's comforts, each reached only by the player's own key or option ---
  // Fullscreen: the picture at the largest whole scale that fits, centred on black, the
  // menu bar kept.
  void SetFullscreen(bool on);
  bool Fullscreen() const { return fullscreen_; }
  // The window's whole scale (device pixels per game pixel); 0 is the default, which
  // follows the device pixel ratio. Kept within what fits the screen's free area.
  void SetZoom(int scale);
  int Zoom() const { return screen_->Zoom(); }
  // The largest whole scale at which the window fits the screen's free area.
  int LargestZoom() const;
  void ZoomIn();
  void ZoomOut();
  // A left click on the page button, press and release, where it is live; otherwise
  // nothing. Says whether there was a page button to press.
  bool AdvancePage();
  // Whether the game is inside an entry or a message box (input is dropped then).
  bool Busy() const { return busy_; }
  // Puts on the screen now what a wipe has painted since it last waited (the host calls
  // that are not paints do this first).
  void ShowWipePaints();
  // Writes the window's picture into the screenshot folder and says where, or why not.
  void TakeScreenshot();
  void SetScreenshotFolder(const QString& folder) { screenshotFolder_ = folder; }
  // Runs what a shell key asks for.
  void Perform(ShellAction action);
  // Hurrying (while read pages are skipped): the clock the game paces its wipes by runs
  // ahead, so every step of a wipe is due at once; its sleeps return at once; its paints
  // are not shown, so the entry ends on the wipe's last frame; and of the sound effects
  // only one in each kHurriedSoundGapMs is played, so page clicks do not pile up; and the
  // game's timers tick every millisecond (a mode change's 300 ms pause passes at once).
  // Off, the clock, sleeps, paints, sounds and timers are exactly as without it (a timer
  // running when it ends starts its own interval afresh).
  static constexpr int kHurriedSoundGapMs = 400;
  void SetHurry(bool on);
  bool Hurry() const { return hurry_; }
  // Runs one entry into the game on the player's behalf (as a click's press or release
  // does): one at a time, shown when it is done, watched like every other entry.
  void RunGameEntry(const std::function<void()>& handler) { Entry(handler); }

  // The extras' hooks. Each room of the shell registers what it answers; actions with no
  // handler do nothing. Enter and Space turn the page where the page button is live and
  // otherwise run the handler of ShellAction::AdvancePage. Esc runs the handler of
  // ShellAction::Escape when it returns true (it closed something), else leaves
  // fullscreen.
  void SetActionHandler(ShellAction action, std::function<void()> handler);
  void SetEscapeHandler(std::function<bool()> handler) { escapeHandler_ = std::move(handler); }
  // Told of every key press and release the window takes (after the panel widgets, which
  // keep their own keys), and of every press of a pointer button on the picture, before
  // it is handled: skipping and auto-read stop on them, the focus ring hides on a move.
  std::vector<std::function<void(const QKeyEvent&, ShellAction)>> KeyWatchers;
  std::vector<std::function<void(const QKeyEvent&)>> KeyReleaseWatchers;
  std::vector<std::function<void()>> PointerWatchers;      // a press on the picture
  std::vector<std::function<void()>> PointerMoveWatchers;  // a move over the picture
  // Called after every entry into the game has run and been shown, in the order added.
  std::vector<std::function<void()>> EntryWatchers;
  // Told before the game's message box opens (skipping and auto-read stop there).
  std::vector<std::function<void()>> MessageWatchers;

  // Told when the player changes the zoom or fullscreen by key (to remember it).
  std::function<void(const DisplayChoice&)> OnDisplayChoice;
  // F5 and F9; without them the keys do nothing.
  std::function<void()> OnQuickSave;
  std::function<void()> OnQuickLoad;
  // Called after every entry into the game has run and been shown.
  std::function<void()> AfterEntry;

  // --- Host ---
  uint32_t Milliseconds() override;
  void Sleep(uint32_t ms) override;
  void PaintWindow(const Picture& picture, int x, int y) override;
  void ShowMessage(const std::string& text) override;
  void PlaySound(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::string ResolvePath(const std::string& path) override;
  void TimerChanged(const GameTimer& timer) override;
  void MenuChanged(const MenuItem& item) override;
  void WindowChanged() override;
  void CloseWindow() override;
  void StoryText(const std::string& line) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  // Runs one entry into the game unless another is running, then shows ImageBa.
  void Entry(const std::function<void()>& handler);
  // Puts the screen picture (or black, when it is hidden) on the window.
  void Present();
  // Keeps the whole window on its screen's free area after a change of size.
  void KeepOnScreen();
  void TellDisplayChoice();
  void RunHandler(ShellAction action);

  ShellServices services_;
  std::unique_ptr<TForm1> form_;
  ScreenWidget* screen_;
  ShellOverlay* overlay_;
  QString screenshotFolder_;
  bool fullscreen_ = false;
  MenuBarMirror menus_;
  TimerMirror timers_;
  QElapsedTimer clock_;
  CompositorLink compositor_;  // kept up to date while a wipe holds the thread
  bool busy_ = false;
  bool hurry_ = false;
  uint32_t hurryAhead_ = 0;  // how far the game's clock has run ahead while hurrying
  qint64 lastHurriedSound_ = -kHurriedSoundGapMs;
  bool closed_ = false;
  bool centred_ = false;
  bool storyTextToStdout_ = false;
  std::map<ShellAction, std::function<void()>> actionHandlers_;
  std::function<bool()> escapeHandler_;
};

}  // namespace velmora
