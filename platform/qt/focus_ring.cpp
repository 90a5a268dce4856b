#include "platform/qt/focus_ring.h"

#include <QEvent>
#include <QPainter>

#include "platform/qt/game_window.h"

namespace velmora {

namespace {

constexpr int kMargin = 3;  // logical pixels between the target and the ring
constexpr int kWidth = 2;

}  // namespace

FocusRing::FocusRing(GameWindow& window) : QWidget(&window.Screen()), window_(window) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
  window.Screen().installEventFilter(this);
  window.SetActionHandler(ShellAction::FocusLeft, [this] { Move(FocusDirection::Left); });
  window.SetActionHandler(ShellAction::FocusRight, [this] { Move(FocusDirection::Right); });
  window.SetActionHandler(ShellAction::FocusUp, [this] { Move(FocusDirection::Up); });
  window.SetActionHandler(ShellAction::FocusDown, [this] { Move(FocusDirection::Down); });
  window.SetActionHandler(ShellAction::AdvancePage, [this] { Activate(); });
  window.SetActionHandler(ShellAction::Back, [this] { Back(); });
  window.PointerMoveWatchers.push_back([this] {
    if (!focus_.Focused()) return;
    focus_.Hide();
    Place();
    Tell();
  });
  window.EntryWatchers.push_back([this] { Refresh(); });
  Refresh();
}

FocusRing::~FocusRing() {
  window_.Screen().removeEventFilter(this);
  for (const ShellAction action : {ShellAction::FocusLeft, ShellAction::FocusRight, ShellAction::FocusUp,
                                   ShellAction::FocusDown, ShellAction::AdvancePage, ShellAction::Back})
    window_.SetActionHandler(action, nullptr);
}

void FocusRing::Refresh() {
  const TForm1& form = window_.Form();
  const uint64_t key = ScreenKey(form);
  const LiveTarget* before = focus_.Focused();
  const int beforeId = before ? before->Id : 0;
  focus_.Update(key, LiveTargets(form));
  const LiveTarget* after = focus_.Focused();
  // A new screen, or the same one taking presses again after a mode change or a card turn.
  const bool newScreen = key != screenKey_ || focus_.Targets().empty() != hadNoTargets_;
  screenKey_ = key;
  hadNoTargets_ = focus_.Targets().empty();
  Place();
  if (newScreen || (after ? after->Id : 0) != beforeId) Tell();
}

void FocusRing::Move(FocusDirection direction) {
  if (window_.Busy()) return;
  Refresh();
  if (!focus_.Move(direction)) return;
  Place();
  Tell();
}

bool FocusRing::Activate() {
  if (window_.Busy()) return false;
  Refresh();
  const LiveTarget* target = focus_.Focused();
  return target && Press(*target);
}

bool FocusRing::Back() {
  if (window_.Busy()) return false;
  Refresh();
  const LiveTarget* target = focus_.Back();
  return target && Press(*target);
}

bool FocusRing::Press(const LiveTarget& target) {
  const Point at = target.At;
  TForm1& form = window_.Form();
  window_.RunGameEntry([&form, at] { form.ImageBaMouseDown(MouseButton::Left, at.X, at.Y); });
  window_.RunGameEntry([&form, at] { form.ImageBaMouseUp(MouseButton::Left, at.X, at.Y); });
  return true;
}

void FocusRing::Place() {
  const LiveTarget* target = focus_.Focused();
  if (!target) {
    hide();
    return;
  }
  const QRect area = window_.Screen().CurrentScale().LogicalRect(target->Area);
  const QRect ring = area.adjusted(-kMargin - kWidth, -kMargin - kWidth, kMargin + kWidth, kMargin + kWidth)
                         .intersected(window_.Screen().rect());
  setGeometry(ring);
  show();
  raise();
  update();
}

void FocusRing::Tell() {
  for (const auto& watch : FocusWatchers) watch();
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // A light line on a dark one, seen on any picture.
  painter.setPen(QPen(QColor(0, 0, 0, 200), kWidth + 2));
  painter.drawRect(rect().adjusted(kWidth, kWidth, -kWidth - 1, -kWidth - 1));
  painter.setPen(QPen(QColor(255, 220, 0), kWidth));
  painter.drawRect(rect().adjusted(kWidth, kWidth, -kWidth - 1, -kWidth - 1));
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_.Screen() && event->type() == QEvent::Resize) Place();
  return QWidget::eventFilter(watched, event);
}

}  // namespace velmora
