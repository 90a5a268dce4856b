#include "platform/qt/game_window.h"


#include <QCloseEvent>
#include <QFileInfo>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <cstdio>
#include <filesystem>

#include "gfx/canvas.h"
#include "platform/case_insensitive_path.h"
#include "platform/entry.h"

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
    Entry([this, button, x, y] { form_->ImageBaMouseDown(button, x, y); });
  };
  screen_->OnMove = [this](int x, int y) { Entry([this, x, y] { form_->ImageBaMouseMove(x, y); }); };
  screen_->OnRelease = [this](MouseButton button, int x, int y) {
    Entry([this, button, x, y] { form_->ImageBaMouseUp(button, x, y); });
  };
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
}

void GameWindow::Present() {
  if (!form_) return;
  screen_->ShowPicture(form_->ImageBa.Visible ? &form_->ImageBa.Bitmap : nullptr);
}

uint32_t GameWindow::Milliseconds() { return static_cast<uint32_t>(clock_.elapsed()); }

void GameWindow::Sleep(uint32_t ms) { QThread::msleep(ms); }

void GameWindow::PaintWindow(const Picture& picture, int x, int y) { screen_->PaintNow(picture, x, y); }

void GameWindow::ShowMessage(const std::string& text) {
  // Nothing of the game runs while the box is open: ticks and clicks are dropped.
  BusyScope busy(busy_);
  services_.ShowMessageBox(this, QString::fromStdString(text));
}

void GameWindow::PlaySound(const std::string& path) {
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
  if (closed_) return;
  timers_.Mirror(timer);
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
  if (centred_) return;
  centred_ = true;
  if (QScreen* on = screen()) {
    adjustSize();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), on->availableGeometry()));
  }
}

}  // namespace velmora
