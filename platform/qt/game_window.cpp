#include "platform/qt/game_window.h"


#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/live_targets.h"
#include "gfx/canvas.h"
#include "platform/case_insensitive_path.h"
#include "platform/entry.h"
#include "platform/qt/screenshot.h"

namespace velmora {

namespace {

// Marks the window busy for one entry or one message box, also when an error passes.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~BusyScope() { flag_ = was_; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& flag_;
  bool was_;
};

QColor ToQColor(uint32_t rgb) { return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

GameWindow::GameWindow(ShellServices services)
    : services_(std::move(services)),
      screen_(new ScreenWidget(this)),
      overlay_(new ShellOverlay(screen_)),
      screenshotFolder_(DefaultScreenshotFolder()),
      menus_(*menuBar(), [this](MenuItem& item) {
        Entry([this, &item] { form_->MenuClick(item); });
        // Qt flips a checkable action by itself; the game's check marks are the truth.
        menus_.MirrorAll();
      }),
      timers_([this](TimerId id) { Entry([this, id] { form_->TimerTick(id); }); }) {
  clock_.start();
  storyTextToStdout_ = qEnvironmentVariable("VELMORA_TEXTHOOK") == QLatin1String("1");
  // Single border: minimise and the system menu, no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  QFont font(QString::fromUtf8(kWindowFontFace));
  font.setPointSize(9);
  setFont(font);
  setCentralWidget(screen_);
  screen_->setAutoFillBackground(false);
  screen_->OnPress = [this](MouseButton button, int x, int y) {
    for (const auto& watch : PointerWatchers) watch();
    Entry([this, button, x, y] { form_->ImageBaMouseDown(button, x, y); });
  };
  screen_->OnMove = [this](int x, int y) {
    for (const auto& watch : PointerMoveWatchers) watch();
    Entry([this, x, y] { form_->ImageBaMouseMove(x, y); });
  };
  screen_->OnRelease = [this](MouseButton button, int x, int y) {
    Entry([this, button, x, y] { form_->ImageBaMouseUp(button, x, y); });
  };
  screen_->OnWheelTowardPlayer = [this] { AdvancePage(); };
  screen_->OnWheelAway = [this] { Perform(ShellAction::OpenBacklog); };
  // Keys reach the window through the client area, which passes them on.
  screen_->setFocusPolicy(Qt::StrongFocus);
  screen_->setFocus();
}

GameWindow::~GameWindow() {
  timers_.StopAll();
  closed_ = true;
}

TForm1& GameWindow::Start() {
  form_ = std::make_unique<TForm1>(*this);
  menus_.Build(form_->MainMenu1, font());
  // Before the game starts, so no tick of its mode timer falls while the box is open.
  if (services_.JapaneseFontAvailable && !services_.JapaneseFontAvailable()) ShowMessage(kNoJapaneseFontNotice);
  Entry([this] { form_->FormCreate(); });
  return *form_;
}

void GameWindow::Entry(const std::function<void()>& handler) {
  if (busy_ || closed_ || !form_) return;
  {
    BusyScope busy(busy_);
    RunEntry(*this, handler);
  }
  Present();
  form_->Feed.Settle();
  if (AfterEntry) AfterEntry();
  for (const auto& watch : EntryWatchers) watch();
}

void GameWindow::Present() {
  if (!form_) return;
  screen_->ShowPicture(form_->ImageBa.Visible ? &form_->ImageBa.Bitmap : nullptr);
}

// A wipe paints a step's strips and then reads the clock to wait for the step's
// deadline: what it painted is shown then, in one paint (see PaintBatch), and also
// before a sleep, a message box, a timer change and at the end of the entry, so every
// step is on the screen before the game waits or goes on.
void GameWindow::ShowWipePaints() {
  if (!screen_->HasUnshownPaint()) return;
  screen_->ShowPainted();
  compositor_.Flush();
}

uint32_t GameWindow::Milliseconds() {
  ShowWipePaints();
  // A wipe's step lasts well under a second: a second ahead on every reading, each of
  // its deadlines has passed when it looks.
  if (hurry_) hurryAhead_ += 1000;
  return static_cast<uint32_t>(clock_.elapsed()) + hurryAhead_;
}

void GameWindow::Sleep(uint32_t ms) {
  if (hurry_) return;
  ShowWipePaints();
  // While the wipe waits, the compositor's answers are taken in (see CompositorLink).
  compositor_.Flush();
  QThread::msleep(ms);
}

void GameWindow::PaintWindow(const Picture& picture, int x, int y) {
  if (hurry_) return;  // the entry ends on the wipe's last frame, which is shown then
  screen_->Paint(picture, x, y);
}

void GameWindow::ShowMessage(const std::string& text) {
  ShowWipePaints();
  for (const auto& watch : MessageWatchers) watch();
  // Nothing of the game runs while the box is open: ticks and clicks are dropped.
  BusyScope busy(busy_);
  services_.ShowMessageBox(this, QString::fromStdString(text));
}

void GameWindow::PlaySound(const std::string& path) {
  if (hurry_) {
    if (clock_.elapsed() - lastHurriedSound_ < kHurriedSoundGapMs) return;
    lastHurriedSound_ = clock_.elapsed();
  }
  // The sound thread needs an absolute path: it does not share our idea of "here".
  services_.PlaySound(QFileInfo(QString::fromStdString(path)).absoluteFilePath());
}

bool GameWindow::FileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(ResolvePath(path), error);
}

std::string GameWindow::ResolvePath(const std::string& path) {
  // Relative to the working directory; a game folder copied from a system that ignores
  // letter case may spell DATA/QELVART.RED.
  return FindPathIgnoringCase("", path);
}

void GameWindow::TimerChanged(const GameTimer& timer) {
  ShowWipePaints();
  if (closed_) return;
  timers_.Mirror(timer, hurry_);
}

void GameWindow::SetHurry(bool on) {
  if (on == hurry_) return;
  hurry_ = on;
  if (!form_ || closed_) return;
  for (const GameTimer* timer : {&form_->G_Timer, &form_->CG_Timer, &form_->Play_Timer})
    if (timer->Enabled()) timers_.Mirror(*timer, hurry_);
}

void GameWindow::MenuChanged(const MenuItem& item) { menus_.Mirror(item); }

void GameWindow::WindowChanged() {
  if (!form_) return;
  setWindowTitle(QString::fromStdString(form_->Caption));
  // The window's colour is the background of the client area only; the menu bar keeps
  // the desktop's own colours, or its black text would stand on black.
  QPalette palette = screen_->palette();
  palette.setColor(QPalette::Window, ToQColor(form_->Color));
  screen_->setPalette(palette);
  Present();
}

void GameWindow::CloseWindow() { close(); }

void GameWindow::StoryText(const std::string& line) {
  if (!storyTextToStdout_) return;
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void GameWindow::closeEvent(QCloseEvent* event) {
  if (!closed_ && form_) {
    closed_ = true;
    timers_.StopAll();
    BusyScope busy(busy_);
    RunEntry(*this, [this] { form_->FormClose(); });
  }
  event->accept();
}

void GameWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centred_ || fullscreen_) return;
  centred_ = true;
  if (QScreen* on = screen()) {
    adjustSize();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), on->availableGeometry()));
  }
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
  const ShellAction action = ShellActionFor(*event);
  for (const auto& watch : KeyWatchers) watch(*event, action);
  if (action == ShellAction::None) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  event->accept();
  Perform(action);
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
  for (const auto& watch : KeyReleaseWatchers) watch(*event);
  QMainWindow::keyReleaseEvent(event);
}

void GameWindow::SetActionHandler(ShellAction action, std::function<void()> handler) {
  if (handler) actionHandlers_[action] = std::move(handler);
  else actionHandlers_.erase(action);
}

void GameWindow::Perform(ShellAction action) {
  switch (action) {
    case ShellAction::ToggleFullscreen:
      SetFullscreen(!fullscreen_);
      TellDisplayChoice();
      break;
    case ShellAction::Escape:
      if (escapeHandler_ && escapeHandler_()) return;
      if (!fullscreen_) return;
      SetFullscreen(false);
      TellDisplayChoice();
      break;
    case ShellAction::ZoomIn:
    case ShellAction::ZoomOut:
    case ShellAction::ZoomDefault:
      // Fullscreen already shows the largest picture that fits.
      if (fullscreen_) return;
      if (action == ShellAction::ZoomIn) ZoomIn();
      else if (action == ShellAction::ZoomOut) ZoomOut();
      else SetZoom(0);
      overlay_->Show(QStringLiteral("%1x").arg(screen_->CurrentScale().Scale()));
      TellDisplayChoice();
      break;
    case ShellAction::AdvancePage:
      if (!AdvancePage()) RunHandler(action);
      break;
    case ShellAction::Screenshot: TakeScreenshot(); break;
    case ShellAction::QuickSave:
      if (OnQuickSave) OnQuickSave();
      break;
    case ShellAction::QuickLoad:
      if (OnQuickLoad) Entry(OnQuickLoad);  // it changes the game: one entry of its own
      break;
    case ShellAction::None: break;
    default: RunHandler(action); break;
  }
}

void GameWindow::RunHandler(ShellAction action) {
  const auto handler = actionHandlers_.find(action);
  if (handler != actionHandlers_.end()) handler->second();
}

void GameWindow::SetFullscreen(bool on) {
  if (on == fullscreen_) return;
  fullscreen_ = on;
  if (on) {
    // The fixed size gives way to the screen's; the picture is fitted into it.
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    screen_->SetFilling(true);
    setWindowState(windowState() | Qt::WindowFullScreen);
  } else {
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    screen_->SetFilling(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    KeepOnScreen();
  }
  screen_->setFocus();
}

int GameWindow::LargestZoom() const {
  const QScreen* on = screen();
  if (!on) return 1;
  // The free area less what the window puts round the picture: its frame (when the
  // window manager has given it one) and the menu bar.
  const QSize free = on->availableGeometry().size();
  const QSize frame = isVisible() ? frameGeometry().size() - geometry().size() : QSize(0, 0);
  const int menu = menuBar()->sizeHint().height();
  const QSizeF area(free.width() - frame.width(), free.height() - frame.height() - menu);
  return ScreenScale::LargestScaleFor(screen_->devicePixelRatioF(), area);
}

void GameWindow::SetZoom(int scale) {
  screen_->SetZoom(scale > 0 ? std::min(scale, LargestZoom()) : 0);
  if (fullscreen_) return;
  adjustSize();
  KeepOnScreen();
}

void GameWindow::ZoomIn() {
  const int next = screen_->CurrentScale().Scale() + 1;
  if (next <= LargestZoom()) SetZoom(next);
}

void GameWindow::ZoomOut() { SetZoom(std::max(1, screen_->CurrentScale().Scale() - 1)); }

void GameWindow::KeepOnScreen() {
  const QScreen* on = screen();
  if (!on || !isVisible()) return;
  const QRect free = on->availableGeometry();
  QRect frame = frameGeometry();
  if (free.contains(frame)) return;
  frame.moveRight(std::min(frame.right(), free.right()));
  frame.moveBottom(std::min(frame.bottom(), free.bottom()));
  frame.moveLeft(std::max(frame.left(), free.left()));
  frame.moveTop(std::max(frame.top(), free.top()));
  move(frame.topLeft());
}

void GameWindow::TellDisplayChoice() {
  if (OnDisplayChoice) OnDisplayChoice(DisplayChoice{screen_->Zoom(), fullscreen_});
}

bool GameWindow::AdvancePage() {
  if (busy_ || closed_ || !form_) return false;
  const std::optional<Point> at = PageButtonTarget(*form_);
  if (!at) return false;
  // A click, press and release, through the pointer's own entries and their guards.
  Entry([this, at] { form_->ImageBaMouseDown(MouseButton::Left, at->X, at->Y); });
  Entry([this, at] { form_->ImageBaMouseUp(MouseButton::Left, at->X, at->Y); });
  return true;
}

void GameWindow::TakeScreenshot() {
  const ScreenshotResult shot = SaveScreenshot(screen_->Surface(), screenshotFolder_, QDateTime::currentDateTime());
  if (shot.Saved) {
    overlay_->Show(QStringLiteral("スクリーンショットを保存しました\n%1").arg(QDir::toNativeSeparators(shot.Path)));
  } else {
    overlay_->Show(QStringLiteral("スクリーンショットを保存できませんでした\nThe screenshot was not saved: %1").arg(shot.Problem));
    std::fprintf(stderr, "velmora: the screenshot was not saved: %s\n", qPrintable(shot.Problem));
  }
}

}  // namespace velmora
