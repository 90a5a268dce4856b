#include "platform/qt/reading_control.h"

#include <QKeyEvent>
#include <QPainter>
#include <cstdio>

#include "app/form.h"
#include "app/live_targets.h"
#include "app/page_feed.h"
#include "app/reading_pace.h"
#include "platform/qt/backlog_panel.h"
#include "platform/qt/game_window.h"
#include "platform/qt/shell_keys.h"

namespace velmora {

namespace {

constexpr int kMarkMargin = 8;
constexpr int kMarkPadding = 5;

}  // namespace

ReadingMark::ReadingMark(QWidget* over) : QWidget(over) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void ReadingMark::Show(const QString& text) {
  if (text.isEmpty()) {
    hide();
    return;
  }
  text_ = text;
  const QSize box = fontMetrics().size(0, text_) + QSize(2 * kMarkPadding, 2 * kMarkPadding);
  const QWidget* over = parentWidget();
  setGeometry(over->width() - box.width() - kMarkMargin, kMarkMargin, box.width(), box.height());
  show();
  raise();
  update();
}

void ReadingMark::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 0, 170));
  painter.setPen(Qt::white);
  painter.drawText(rect(), Qt::AlignCenter, text_);
}

ReadingControl::ReadingControl(GameWindow& window, std::function<std::string()> memoryPath, BacklogPanel* backlog)
    : window_(window),
      memoryPath_(std::move(memoryPath)),
      backlog_(backlog),
      mark_(new ReadingMark(&window.Screen())),
      pageSeconds_(kDefaultPageSeconds) {
  holdTimer_.setSingleShot(true);
  holdTimer_.setInterval(kHoldDelayMs);
  connect(&holdTimer_, &QTimer::timeout, this, [this] {
    if (!ctrlDown_) return;
    held_ = true;
    Changed();
  });
  memoryTimer_.setSingleShot(true);
  memoryTimer_.setInterval(kMemoryWriteDelayMs);
  connect(&memoryTimer_, &QTimer::timeout, this, [this] { WriteMemory(); });
  autoTimer_.setSingleShot(true);
  connect(&autoTimer_, &QTimer::timeout, this, [this] {
    armed_ = false;
    if (backlog_ && backlog_->IsOpen()) return StopAutoRead();  // the game gets no input then
    if (!auto_ || window_.Busy() || !PageButtonTarget(window_.Form())) return Post();
    window_.AdvancePage();
  });

  window.Form().Feed.OnUnit([this](const ReadUnit& unit) { UnitShown(unit); });
  window.SetActionHandler(ShellAction::ToggleSkip, [this] { ToggleSkip(); });
  window.SetActionHandler(ShellAction::ToggleAutoRead, [this] { ToggleAutoRead(); });
  window.SetActionHandler(ShellAction::AutoReadSlower, [this] { ChangePageSeconds(SlowerPageSeconds(pageSeconds_)); });
  window.SetActionHandler(ShellAction::AutoReadFaster, [this] { ChangePageSeconds(FasterPageSeconds(pageSeconds_)); });
  window.KeyWatchers.push_back([this](const QKeyEvent& event, ShellAction action) { KeyPressed(event, action); });
  window.KeyReleaseWatchers.push_back([this](const QKeyEvent& event) { KeyReleased(event); });
  window.PointerWatchers.push_back([this] { StopAll(); });
  window.MessageWatchers.push_back([this] { StopAll(); });
  window.EntryWatchers.push_back([this] {
    if (Skipping() || auto_) Post();
  });
}

ReadingControl::~ReadingControl() {
  window_.SetHurry(false);
  WriteMemory();
}

void ReadingControl::UnitShown(const ReadUnit& unit) {
  if (!memory_) {
    const std::string path = memoryPath_ ? memoryPath_() : std::string();
    if (!path.empty()) {
      memory_ = std::make_unique<ReadMemory>(path);
      const std::string told = memory_->Load();
      if (!told.empty()) std::fprintf(stderr, "velmora: %s\n", told.c_str());
    }
  }
  // Without a memory (the asset file is not known) nothing counts as read.
  const bool read = memory_ && memory_->Mark(unit.Id);
  if (memory_ && memory_->Unwritten() && !memoryTimer_.isActive()) memoryTimer_.start();
  unreadShown_ = read ? std::string() : unit.Id;
  armed_ = false;  // a new page: its own pause
  if (!read || unit.Kind == UnitKind::Choice) StopSkip();
}

void ReadingControl::WriteMemory() {
  if (!memory_ || !memory_->Unwritten()) return;
  std::string problem;
  if (!memory_->Write(problem)) std::fprintf(stderr, "velmora: %s\n", problem.c_str());
}

void ReadingControl::ToggleSkip() {
  toggled_ = !toggled_;
  Changed();
}

void ReadingControl::StopSkip() {
  holdTimer_.stop();
  if (!Skipping()) return;
  toggled_ = false;
  held_ = false;  // until Ctrl is let go and held again
  Changed();
}

void ReadingControl::KeyPressed(const QKeyEvent& event, ShellAction asked) {
  if (asked != ShellAction::ToggleAutoRead && asked != ShellAction::AutoReadSlower &&
      asked != ShellAction::AutoReadFaster)
    StopAutoRead();
  if (IsSkipHoldKey(event)) {
    if (event.isAutoRepeat() || ctrlDown_) return;
    ctrlDown_ = true;
    holdTimer_.start();
    return;
  }
  // Any other key stops it (Tab's own handler switches it), and makes Ctrl part of a chord.
  holdTimer_.stop();
  if (asked != ShellAction::ToggleSkip) StopSkip();
}

void ReadingControl::KeyReleased(const QKeyEvent& event) {
  if (!IsSkipHoldKey(event) || event.isAutoRepeat()) return;
  ctrlDown_ = false;
  holdTimer_.stop();
  if (!held_) return;
  held_ = false;
  Changed();
}

void ReadingControl::ToggleAutoRead() {
  auto_ = !auto_;
  armed_ = false;
  autoTimer_.stop();
  Changed();
}

void ReadingControl::StopAutoRead() {
  if (!auto_) return;
  auto_ = false;
  autoTimer_.stop();
  Changed();
}

void ReadingControl::UseSettings(ReadingSettings settings) {
  pageSeconds_ = settings.LoadPageSeconds();
  settings_ = std::move(settings);
}

void ReadingControl::ChangePageSeconds(double seconds) {
  pageSeconds_ = seconds;
  window_.Overlay().Show(QStringLiteral("自動送り: %1 秒 / 250 文字").arg(seconds));
  if (!settings_) return;
  const QString problem = settings_->SavePageSeconds(seconds);
  if (!problem.isEmpty()) std::fprintf(stderr, "velmora: the auto-read speed was not kept: %s\n", qPrintable(problem));
}

void ReadingControl::Changed() {
  window_.SetHurry(Skipping());
  mark_->Show(Skipping() ? QStringLiteral("▶▶ SKIP") : auto_ ? QStringLiteral("▶ AUTO") : QString());
  if (Skipping() || auto_) Post();
}

void ReadingControl::Post() {
  if (posted_) return;
  posted_ = true;
  QMetaObject::invokeMethod(this, [this] {
    posted_ = false;
    Step();
  }, Qt::QueuedConnection);
}

void ReadingControl::Step() {
  if (!Skipping()) return AutoStep();
  // Inside a message box's own loop: the box stops it (an entry is running otherwise, and
  // posts the next step when it ends).
  if (window_.Busy()) return;
  if (backlog_ && backlog_->IsOpen()) return StopSkip();
  const TForm1& form = window_.Form();
  const GameState& s = form.State;
  // The album's pictures are not read pages.
  if (s.ModeArg == 2 && (s.ScreenMode == 5 || s.ScreenMode == 6)) return StopSkip();
  if (PageButtonTarget(form)) {
    const ReadUnit* current = form.Feed.Current();
    if (current && current->Id == unreadShown_) return StopSkip();
    window_.AdvancePage();
    return;
  }
  // On the way somewhere: the next entry posts the next step.
  if (form.G_Timer.Enabled() || form.Play_Timer.Enabled() || form.CG_Timer.Enabled()) return;
  StopSkip();  // at rest with no page to turn: the map, a choice, the photo game, the title
}

void ReadingControl::AutoStep() {
  if (!auto_ || window_.Busy()) return;
  if (backlog_ && backlog_->IsOpen()) return StopAutoRead();
  const TForm1& form = window_.Form();
  const GameState& s = form.State;
  if (s.ModeArg == 2 && (s.ScreenMode == 5 || s.ScreenMode == 6)) return StopAutoRead();
  // A pan or a wipe is seen to its end; the pause starts when the page rests.
  if (form.G_Timer.Enabled() || form.Play_Timer.Enabled() || form.CG_Timer.Enabled()) return;
  if (!PageButtonTarget(form)) return StopAutoRead();
  if (armed_) return;
  armed_ = true;
  autoTimer_.start(static_cast<int>(AutoReadDelayMs(form.Feed.Current(), pageSeconds_)));
}

}  // namespace velmora
