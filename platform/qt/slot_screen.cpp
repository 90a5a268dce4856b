#include "platform/qt/slot_screen.h"

#include <QBuffer>
#include <QDateTime>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>

#include "gfx/canvas.h"
#include "platform/qt/game_window.h"
#include "save/rest_guard.h"
#include "save/save_format.h"

namespace velmora {

namespace {

// The layout, in game pixels: the panel is drawn over the 640x480 picture at its scale.
constexpr int kHeaderHeight = 40;
constexpr int kCellLeft = 10;
constexpr int kCellTop = 44;
constexpr int kCellWidth = 204;
constexpr int kCellHeight = 198;
constexpr int kCellGap = 4;
constexpr int kThumbLeft = (kCellWidth - kThumbnailWidth) / 2;
constexpr int kThumbTop = 22;
const QRect kPrevPage(232, 8, 26, 24);
const QRect kNextPage(382, 8, 26, 24);
const QRect kQuestionBox(130, 170, 380, 130);
const QRect kYesButton(190, 256, 110, 30);
const QRect kNoButton(340, 256, 110, 30);

const QColor kBackground(14, 18, 34, 248);
const QColor kCellColour(34, 40, 66);
const QColor kSelectedColour(62, 72, 118);
const QColor kEdgeColour(90, 100, 140);
const QColor kSelectedEdge(255, 214, 102);
const QColor kDimText(170, 176, 200);
const QColor kWarnText(255, 150, 140);

QRect CellRect(int index) {
  const int column = index % SlotScreen::kColumns;
  const int row = index / SlotScreen::kColumns;
  return QRect(kCellLeft + column * (kCellWidth + kCellGap), kCellTop + row * (kCellHeight + kCellGap), kCellWidth,
               kCellHeight);
}

QFont PanelFont(int pixels, bool bold = false) {
  QFont font(QString::fromUtf8(kWindowFontFace));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QString SlotName(SlotId id) {
  switch (id.Of) {
    case SlotId::Kind::Auto: return QStringLiteral("オートセーブ (朝)");
    case SlotId::Kind::Quick: return QStringLiteral("クイックセーブ (F5)");
    case SlotId::Kind::Numbered: break;
  }
  return QStringLiteral("No. %1").arg(id.Number);
}

QString RealTime(int64_t ms) {
  return QDateTime::fromMSecsSinceEpoch(ms).toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

}  // namespace

SlotScreen::SlotScreen(GameWindow& window, SaveKeeper& keeper)
    : QWidget(&window.Screen()), window_(window), keeper_(keeper) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_NoSystemBackground);
  hide();
  parentWidget()->installEventFilter(this);
  window_.SetActionHandler(ShellAction::SaveScreen, [this] { OpenSave(); });
  window_.SetActionHandler(ShellAction::LoadScreen, [this] { OpenLoad(); });
}

SlotScreen::~SlotScreen() {
  window_.SetActionHandler(ShellAction::SaveScreen, nullptr);
  window_.SetActionHandler(ShellAction::LoadScreen, nullptr);
}

QImage SlotScreen::Thumbnail(const QImage& screen) {
  return screen.scaled(kThumbnailWidth, kThumbnailHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_RGB888);
}

std::vector<uint8_t> SlotScreen::EncodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  // Light compression: 17 kB instead of 15 kB for the town map, in half the time.
  image.save(&buffer, "PNG", 80);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void SlotScreen::OpenSave() {
  if (window_.Busy() || IsOpen()) return;
  // Where F5 may save, and nowhere else; F5's own words say why not.
  if (!keeper_.StateToSave()) return Tell(kSaveOnlyOnMapMessage, false);
  Open(Mode::Save);
}

void SlotScreen::OpenLoad() {
  if (window_.Busy() || IsOpen()) return;
  if (!GameIdle(window_.Form())) return Tell(kLoadBusyMessage, false);
  Open(Mode::Load);
}

bool SlotScreen::PrepareStore() {
  const std::string folder = keeper_.Folder();
  if (folder.empty()) return false;
  // One asset file for the whole run: its folder and fingerprint do not change.
  if (!store_) store_ = std::make_unique<SlotStore>(folder, keeper_.Fingerprint());
  return true;
}

void SlotScreen::Open(Mode mode) {
  if (!PrepareStore()) return;
  mode_ = mode;
  pages_.clear();
  question_.reset();
  wheel_ = 0;
  if (mode == Mode::Load) {
    pages_.emplace_back();
    for (SlotId::Kind kind : {SlotId::Kind::Auto, SlotId::Kind::Quick})
      pages_.back().push_back({store_->Read({kind, 0}), std::nullopt});
  }
  for (int number = 1; number <= kSlotCount; ++number) {
    if ((number - 1) % kPerPage == 0) pages_.emplace_back();
    pages_.back().push_back({store_->Read({SlotId::Kind::Numbered, number}), std::nullopt});
  }
  // The save screen opens on the first empty slot (the oldest save when all are full),
  // the load screen on the newest save.
  int bestPage = mode == Mode::Save ? -1 : 0, bestIndex = 0;
  for (int p = 0; p < PageCount(); ++p) {
    for (int i = 0; i < CountOn(p); ++i) {
      const SlotEntry& entry = Cell(p, i).Entry;
      const SlotEntry* best = bestPage >= 0 ? &Cell(bestPage, bestIndex).Entry : nullptr;
      bool better;
      if (mode == Mode::Save)
        better = !best || (best->Filled() && (!entry.Filled() || entry.SavedAtMs < best->SavedAtMs));
      else
        better = entry.State == SlotEntry::Status::Ready &&
                 (best->State != SlotEntry::Status::Ready || entry.SavedAtMs > best->SavedAtMs);
      if (better) bestPage = p, bestIndex = i;
    }
  }
  Select(std::max(bestPage, 0), bestIndex);
  setGeometry(parentWidget()->rect());
  show();
  raise();
  setFocus();
}

void SlotScreen::Close() {
  if (!IsOpen()) return;
  hide();
  question_.reset();
  pages_.clear();
  window_.Screen().setFocus();
}

QImage SlotScreen::PictureOf(int page, int index) {
  SlotCell& cell = pages_[page][index];
  if (!cell.Picture) {
    // A picture that cannot be read, or of another size, is shown as an empty frame.
    QImage image;
    if (!cell.Entry.Thumbnail.empty())
      image.loadFromData(cell.Entry.Thumbnail.data(), static_cast<int>(cell.Entry.Thumbnail.size()), "PNG");
    if (image.size() != QSize(kThumbnailWidth, kThumbnailHeight)) image = QImage();
    cell.Picture = image;
  }
  return *cell.Picture;
}

void SlotScreen::Select(int page, int index) {
  page_ = std::clamp(page, 0, PageCount() - 1);
  selected_ = std::clamp(index, 0, CountOn(page_) - 1);
  update();
}

void SlotScreen::Move(int dx, int dy) {
  const int column = selected_ % kColumns;
  const int row = selected_ / kColumns;
  if (dy != 0) {
    const int to = (row + dy) * kColumns + column;
    if (row + dy >= 0 && to < CountOn(page_)) Select(page_, to);
    return;
  }
  // Left of the first column is the previous page's last, right of the last the next
  // page's first, in the same row.
  if (column + dx >= 0 && column + dx < kColumns && selected_ + dx < CountOn(page_)) return Select(page_, selected_ + dx);
  const int page = page_ + dx;
  if (page < 0 || page >= PageCount()) return;
  Select(page, row * kColumns + (dx > 0 ? 0 : kColumns - 1));
}

void SlotScreen::TurnPage(int by) {
  if (page_ + by < 0 || page_ + by >= PageCount()) return;
  Select(page_ + by, selected_);
}

void SlotScreen::Activate() {
  const SlotEntry& entry = SelectedEntry();
  if (mode_ == Mode::Load) return LoadSelected();
  if (!entry.Filled()) return SaveInto(entry.Id.Number, false);
  question_ = Ask{QStringLiteral("No. %1 のセーブを、いまの状態で上書きしますか？").arg(entry.Id.Number), false,
                  entry.Id.Number, false};
  update();
}

void SlotScreen::AskToRemove() {
  const SlotEntry& entry = SelectedEntry();
  if (!entry.Filled()) return;
  if (entry.Id.Of != SlotId::Kind::Numbered)
    return Tell("オートセーブとクイックセーブはここでは消せません。", false);
  question_ = Ask{QStringLiteral("No. %1 のセーブを消しますか？").arg(entry.Id.Number), false, entry.Id.Number, true};
  update();
}

void SlotScreen::Answer(bool yes) {
  const Ask asked = *question_;
  question_.reset();
  update();
  if (!yes) return;
  if (!asked.Remove) return SaveInto(asked.Number, true);
  std::string problem;
  if (!store_->Remove(asked.Number, problem)) Tell(problem, true);
  else Tell("セーブを消しました", false);
  Reread(page_, selected_);
}

void SlotScreen::SaveInto(int number, bool replace) {
  const std::optional<GameState> state = keeper_.StateToSave();
  if (!state) {
    Close();
    return Tell(kSaveOnlyOnMapMessage, false);
  }
  const std::vector<uint8_t> png = EncodePng(Thumbnail(window_.Screen().Surface()));
  std::string problem;
  if (!store_->Write(number, EncodeSave(*state, keeper_.Fingerprint()), png, NowMs(), replace, problem)) {
    Reread(page_, selected_);
    return Tell(problem, true);
  }
  Close();
  Tell(std::string(kSavedMessage) + " (No. " + std::to_string(number) + ")", false);
}

void SlotScreen::LoadSelected() {
  const SlotEntry& entry = SelectedEntry();
  if (!entry.Filled()) return Tell("このスロットは空です。", false);
  if (entry.State != SlotEntry::Status::Ready) return Tell(entry.Problem, false);
  const std::vector<uint8_t> bytes = entry.Save;
  const char* success = entry.Id.Of == SlotId::Kind::Auto ? kLoadedAutosaveMessage : kLoadedMessage;
  Close();
  // The load changes the game: one entry of its own, as F9's is.
  SaveKeeper::Outcome outcome{false, kLoadBusyMessage};
  window_.RunGameEntry([&] { outcome = keeper_.Load(bytes, success); });
  Tell(outcome.Message, !outcome.Ok && outcome.Message != kLoadBusyMessage);
}

void SlotScreen::Reread(int page, int index) {
  SlotCell& cell = pages_[page][index];
  cell = SlotCell{store_->Read(cell.Entry.Id), std::nullopt};
  update();
}

void SlotScreen::Tell(const std::string& message, bool failure) {
  window_.Overlay().Show(QString::fromStdString(message));
  // A failure of the files also goes to the log, as F5's and F9's do.
  if (failure) std::fprintf(stderr, "velmora: %s\n", message.c_str());
}

QPoint SlotScreen::GamePoint(QPointF at) const { return window_.Screen().CurrentScale().GamePixel(at); }

int SlotScreen::CellAt(QPoint game) const {
  for (int i = 0; i < CountOn(page_); ++i)
    if (CellRect(i).contains(game)) return i;
  return -1;
}

void SlotScreen::keyPressEvent(QKeyEvent* event) {
  // Every key stays here while the screen is open: the game gets none.
  event->accept();
  const int key = event->key();
  if (question_) {
    switch (key) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Tab:
        question_->Yes = !question_->Yes;
        update();
        break;
      case Qt::Key_Y: Answer(true); break;
      case Qt::Key_N:
      case Qt::Key_Escape: Answer(false); break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Space:
        if (!event->isAutoRepeat()) Answer(question_->Yes);
        break;
      default: break;
    }
    return;
  }
  switch (key) {
    case Qt::Key_Left: Move(-1, 0); break;
    case Qt::Key_Right: Move(1, 0); break;
    case Qt::Key_Up: Move(0, -1); break;
    case Qt::Key_Down: Move(0, 1); break;
    case Qt::Key_PageUp: TurnPage(-1); break;
    case Qt::Key_PageDown: TurnPage(1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (!event->isAutoRepeat()) Activate();
      break;
    case Qt::Key_Delete:
      if (!event->isAutoRepeat()) AskToRemove();
      break;
    case Qt::Key_Escape: Close(); break;
    default: break;
  }
}

void SlotScreen::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const QPoint at = GamePoint(event->position());
  if (event->button() == Qt::RightButton) {
    if (question_) Answer(false);
    else Close();
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (question_) {
    if (kYesButton.contains(at)) Answer(true);
    else if (kNoButton.contains(at)) Answer(false);
    return;
  }
  if (kPrevPage.contains(at)) return TurnPage(-1);
  if (kNextPage.contains(at)) return TurnPage(1);
  const int cell = CellAt(at);
  if (cell < 0) return;
  Select(page_, cell);
  Activate();
}

void SlotScreen::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void SlotScreen::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const QPoint at = GamePoint(event->position());
  if (question_) {
    const bool yes = kYesButton.contains(at), no = kNoButton.contains(at);
    if ((yes || no) && question_->Yes != yes) {
      question_->Yes = yes;
      update();
    }
    return;
  }
  const int cell = CellAt(at);
  if (cell >= 0 && cell != selected_) Select(page_, cell);
}

void SlotScreen::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (question_) return;
  // A notch is 120 eighths of a degree: away from the player turns back, toward on.
  wheel_ += event->angleDelta().y();
  while (wheel_ >= 120) wheel_ -= 120, TurnPage(-1);
  while (wheel_ <= -120) wheel_ += 120, TurnPage(1);
}

bool SlotScreen::eventFilter(QObject* watched, QEvent* event) {
  // The panel covers the client area at every zoom and in fullscreen.
  if (watched == parentWidget() && event->type() == QEvent::Resize && IsOpen()) setGeometry(parentWidget()->rect());
  return QWidget::eventFilter(watched, event);
}

void SlotScreen::paintEvent(QPaintEvent*) {
  if (pages_.empty()) return;
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  // Game pixels onto the picture's place in the client area, at its whole scale.
  const QRectF picture = window_.Screen().CurrentScale().PictureRect();
  painter.translate(picture.topLeft());
  painter.scale(picture.width() / ScreenScale::kWidth, picture.height() / ScreenScale::kHeight);
  painter.setRenderHint(QPainter::TextAntialiasing);

  painter.setPen(Qt::white);
  painter.setFont(PanelFont(18, true));
  painter.drawText(QRect(16, 0, 200, kHeaderHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   mode_ == Mode::Save ? QStringLiteral("セーブ") : QStringLiteral("ロード"));
  painter.setFont(PanelFont(14));
  const bool quickPage = mode_ == Mode::Load && page_ == 0;
  const int firstNumbered = mode_ == Mode::Load ? 1 : 0;
  const QString pageLabel = quickPage ? QStringLiteral("オート / クイック")
                                      : QStringLiteral("ページ %1 / %2").arg(page_ - firstNumbered + 1).arg(kSlotCount / kPerPage);
  painter.drawText(QRect(kPrevPage.right(), 0, kNextPage.left() - kPrevPage.right(), kHeaderHeight), Qt::AlignCenter,
                   pageLabel);
  painter.setPen(page_ > 0 ? Qt::white : kEdgeColour);
  painter.drawText(kPrevPage, Qt::AlignCenter, QStringLiteral("◀"));
  painter.setPen(page_ + 1 < PageCount() ? Qt::white : kEdgeColour);
  painter.drawText(kNextPage, Qt::AlignCenter, QStringLiteral("▶"));

  for (int i = 0; i < CountOn(page_); ++i) {
    const SlotEntry& entry = Cell(page_, i).Entry;
    const QRect cell = CellRect(i);
    const bool selected = i == selected_;
    painter.fillRect(cell, selected ? kSelectedColour : kCellColour);
    painter.setPen(QPen(selected ? kSelectedEdge : kEdgeColour, selected ? 2 : 1));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    painter.setPen(selected ? kSelectedEdge : Qt::white);
    painter.setFont(PanelFont(13, true));
    painter.drawText(QRect(cell.left() + 8, cell.top() + 3, cell.width() - 16, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     SlotName(entry.Id));

    const QRect thumb(cell.left() + kThumbLeft, cell.top() + kThumbTop, kThumbnailWidth, kThumbnailHeight);
    const QImage image = PictureOf(page_, i);
    if (!image.isNull()) painter.drawImage(thumb, image);
    else painter.fillRect(thumb, Qt::black);
    painter.setPen(kEdgeColour);
    painter.drawRect(thumb.adjusted(-1, -1, 0, 0));

    QStringList lines;
    QColor colour = Qt::white;
    painter.setFont(PanelFont(13));
    if (!entry.Filled()) {
      painter.setPen(kDimText);
      painter.drawText(thumb, Qt::AlignCenter, QStringLiteral("空きスロット"));
    } else if (entry.State == SlotEntry::Status::Damaged) {
      colour = kWarnText;
      lines << QStringLiteral("壊れたセーブ (読み込めません)");
    } else {
      const SlotLabels& l = entry.Labels;
      lines << QStringLiteral("%1 (%2)  %3").arg(QString::fromStdString(l.Date), QString::fromStdString(l.Weekday),
                                                 QString::fromStdString(l.Clock));
      lines << (l.Partner.empty() ? QString() : QStringLiteral("パートナー: %1").arg(QString::fromStdString(l.Partner)));
      if (entry.State == SlotEntry::Status::Foreign) {
        lines.back() = QStringLiteral("別のゲームデータのセーブ");
        colour = kWarnText;
      }
    }
    if (entry.Filled() && entry.SavedAtMs > 0) {
      while (lines.size() < 2) lines << QString();
      lines << RealTime(entry.SavedAtMs);
    }
    painter.setPen(colour);
    for (int line = 0; line < lines.size(); ++line) {
      if (line == 2) painter.setPen(kDimText);
      painter.drawText(QRect(cell.left() + 8, thumb.bottom() + 5 + 17 * line, cell.width() - 16, 17),
                       Qt::AlignLeft | Qt::AlignVCenter, lines[line]);
    }
  }

  painter.setPen(kDimText);
  painter.setFont(PanelFont(12));
  painter.drawText(QRect(10, 448, 620, 28), Qt::AlignCenter,
                   QStringLiteral("矢印 選ぶ   Enter %1   PageUp/PageDown ページ   Delete 消す   Esc 閉じる")
                       .arg(mode_ == Mode::Save ? QStringLiteral("セーブ") : QStringLiteral("ロード")));

  if (!question_) return;
  painter.fillRect(QRect(0, 0, ScreenScale::kWidth, ScreenScale::kHeight), QColor(0, 0, 0, 120));
  painter.fillRect(kQuestionBox, kCellColour);
  painter.setPen(QPen(kSelectedEdge, 2));
  painter.drawRect(kQuestionBox.adjusted(0, 0, -1, -1));
  painter.setPen(Qt::white);
  painter.setFont(PanelFont(15));
  painter.drawText(kQuestionBox.adjusted(16, 14, -16, -60), Qt::AlignCenter | Qt::TextWordWrap, question_->Text);
  for (const bool yes : {true, false}) {
    const QRect button = yes ? kYesButton : kNoButton;
    const bool chosen = question_->Yes == yes;
    painter.fillRect(button, chosen ? kSelectedColour : kBackground);
    painter.setPen(QPen(chosen ? kSelectedEdge : kEdgeColour, chosen ? 2 : 1));
    painter.drawRect(button.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawText(button, Qt::AlignCenter, yes ? QStringLiteral("はい (Y)") : QStringLiteral("いいえ (N)"));
  }
}

}  // namespace velmora
