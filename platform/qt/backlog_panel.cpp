#include "platform/qt/backlog_panel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "app/form.h"
#include "app/live_targets.h"
#include "gfx/canvas.h"
#include "platform/qt/game_window.h"

namespace velmora {

namespace {

constexpr int kGamePixelsPerText = 16;  // the game's story text, 12 points at 96 dpi
constexpr int kMarginGamePixels = 24;
constexpr int kWheelNotch = 120;
constexpr int kRowsPerNotch = 3;

}  // namespace

bool BacklogMayOpen(const TForm1& form) {
  if (form.G_Timer.Enabled() || form.CG_Timer.Enabled() || form.Play_Timer.Enabled()) return false;
  const GameState& s = form.State;
  const bool choiceLive = s.ScreenMode == 4 && s.TownPhase == 4 && s.ChoiceSet != 0;
  return choiceLive || PageButtonTarget(form).has_value();
}

BacklogPanel::BacklogPanel(GameWindow& window) : QWidget(&window.Screen()), window_(window) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // a move over the panel is not the game's either
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  font_ = QFont(QString::fromUtf8(kWindowFontFace));
  hide();
  window.SetActionHandler(ShellAction::OpenBacklog, [this] { Open(); });
}

bool BacklogPanel::Open() {
  if (IsOpen() || window_.Busy() || !BacklogMayOpen(window_.Form())) return false;
  BuildRows();
  Place();
  wheel_ = 0;
  ScrollTo(static_cast<int>(rows_.size()));
  show();
  raise();
  setFocus(Qt::OtherFocusReason);
  return true;
}

void BacklogPanel::Close() {
  if (!IsOpen()) return;
  hide();
  window_.Screen().setFocus(Qt::OtherFocusReason);
}

void BacklogPanel::BuildRows() {
  rows_.clear();
  for (const ReadUnit& unit : window_.Form().Feed.History()) {
    if (!rows_.empty()) rows_.push_back({QString(), Row::Look::Gap});
    for (const std::string& line : unit.Lines) rows_.push_back({QString::fromStdString(line), Row::Look::Line});
    for (size_t i = 0; i < unit.Options.size(); ++i) {
      const bool taken = unit.Taken == static_cast<int>(i);
      rows_.push_back({(taken ? QStringLiteral("▶ ") : QStringLiteral("　 ")) + QString::fromStdString(unit.Options[i]),
                       taken ? Row::Look::Taken : Row::Look::Option});
    }
    // A choice whose options are pictures: the number of the option taken.
    if (unit.Kind == UnitKind::Choice && unit.Options.empty() && unit.Taken >= 0)
      rows_.push_back({QStringLiteral("▶ %1").arg(unit.Taken + 1), Row::Look::Taken});
  }
}

void BacklogPanel::Place() {
  const ScreenScale scale = window_.Screen().CurrentScale();
  const QRectF picture = scale.PictureRect();
  setGeometry(picture.toAlignedRect());
  // The game's face at the size its pages have, at the window's scale.
  font_.setPixelSize(std::max(8, static_cast<int>(picture.height() * kGamePixelsPerText / ScreenScale::kHeight)));
}

int BacklogPanel::RowHeight() const { return QFontMetrics(font_).height() * 5 / 4; }

int BacklogPanel::RowsShown() const {
  const int margin = height() * kMarginGamePixels / ScreenScale::kHeight;
  return std::max(1, (height() - 2 * margin) / std::max(1, RowHeight()));
}

void BacklogPanel::ScrollTo(int first) {
  const int last = std::max(0, static_cast<int>(rows_.size()) - RowsShown());
  first_ = std::clamp(first, 0, last);
  update();
}

void BacklogPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 24, 225));
  painter.setFont(font_);
  const int margin = height() * kMarginGamePixels / ScreenScale::kHeight;
  const int rowHeight = RowHeight();
  const QFontMetrics metrics(font_);
  const int shown = RowsShown();
  // Short histories sit at the bottom, as the newest line always does.
  int y = margin + std::max(0, shown - static_cast<int>(rows_.size())) * rowHeight;
  for (int i = first_; i < static_cast<int>(rows_.size()) && i < first_ + shown; ++i, y += rowHeight) {
    const Row& row = rows_[static_cast<size_t>(i)];
    if (row.Style == Row::Look::Gap) continue;
    painter.setPen(row.Style == Row::Look::Option ? QColor(160, 160, 170)
                   : row.Style == Row::Look::Taken ? QColor(255, 220, 120)
                                                   : QColor(240, 240, 240));
    const QString text = metrics.elidedText(row.Text, Qt::ElideRight, width() - 2 * margin);
    painter.drawText(margin, y + metrics.ascent(), text);
  }
  // Where the view stands in the whole history.
  if (static_cast<int>(rows_.size()) > shown) {
    const int track = height() - 2 * margin;
    const int top = margin + track * first_ / static_cast<int>(rows_.size());
    const int length = std::max(4, track * shown / static_cast<int>(rows_.size()));
    painter.fillRect(width() - margin / 2 - 2, top, 3, length, QColor(255, 255, 255, 120));
  }
}

void BacklogPanel::keyPressEvent(QKeyEvent* event) {
  event->accept();  // every key is the panel's while it is open
  const int page = std::max(1, RowsShown() - 1);
  switch (event->key()) {
    case Qt::Key_Escape: Close(); break;
    case Qt::Key_Up: ScrollTo(first_ - 1); break;
    case Qt::Key_Down: ScrollTo(first_ + 1); break;
    case Qt::Key_PageUp: ScrollTo(first_ - page); break;
    case Qt::Key_PageDown: ScrollTo(first_ + page); break;
    case Qt::Key_Home: ScrollTo(0); break;
    case Qt::Key_End: ScrollTo(static_cast<int>(rows_.size())); break;
    default: break;
  }
}

void BacklogPanel::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

void BacklogPanel::wheelEvent(QWheelEvent* event) {
  event->accept();
  wheel_ -= event->angleDelta().y();  // toward the player is a negative angle
  while (wheel_ >= kWheelNotch || wheel_ <= -kWheelNotch) {
    const bool toward = wheel_ > 0;
    wheel_ += toward ? -kWheelNotch : kWheelNotch;
    const int bottom = std::max(0, static_cast<int>(rows_.size()) - RowsShown());
    if (toward && first_ >= bottom) {
      Close();
      return;
    }
    ScrollTo(first_ + (toward ? kRowsPerNotch : -kRowsPerNotch));
  }
}

void BacklogPanel::mousePressEvent(QMouseEvent* event) {
  event->accept();
  Close();
}

// The release and a double click of the closing press stay here too: the game saw no
// press, so it gets no release.
void BacklogPanel::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void BacklogPanel::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void BacklogPanel::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

}  // namespace velmora
