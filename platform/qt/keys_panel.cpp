#include "platform/qt/keys_panel.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "platform/qt/game_window.h"
#include "platform/qt/shell_keys.h"

namespace velmora {

namespace {

// Sizes in pixels of the 640x480 picture, grown with the client area (zoom, fullscreen).
constexpr double kTextPx = 15;
constexpr double kMarginPx = 16;
constexpr double kColumnGapPx = 16;
constexpr double kSmallestTextPx = 7;
const QString kTitle = QStringLiteral("Keys (any key or click closes this)");

// The two columns laid out at one text size: the height they take.
struct Layout {
  QFont Font;
  double KeysWidth = 0;
  std::vector<double> Heights;  // one per KeyHelp() line
  double Total = 0;
};

Layout LayOut(QFont font, double textPx, double width) {
  Layout layout;
  font.setPixelSize(std::max(1, static_cast<int>(textPx)));
  layout.Font = font;
  const QFontMetricsF metrics(font);
  for (const KeyHelpLine& line : KeyHelp()) layout.KeysWidth = std::max(layout.KeysWidth, metrics.horizontalAdvance(line.Keys));
  const double doesWidth = std::max(1.0, width - layout.KeysWidth - kColumnGapPx * textPx / kTextPx);
  layout.Total = metrics.height() * 1.6;  // the title and a gap
  for (const KeyHelpLine& line : KeyHelp()) {
    const QRectF does = metrics.boundingRect(QRectF(0, 0, doesWidth, 1e6), Qt::TextWordWrap, line.Does);
    layout.Heights.push_back(std::max(does.height(), metrics.height()) + metrics.height() * 0.25);
    layout.Total += layout.Heights.back();
  }
  return layout;
}

}  // namespace

KeysPanel::KeysPanel(GameWindow& window) : QWidget(&window.Screen()), window_(window) {
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Keys"));
  hide();
  parentWidget()->installEventFilter(this);  // to follow the client area's size
  window_.SetActionHandler(ShellAction::ShowKeys, [this] { Open(); });
}

KeysPanel::~KeysPanel() { window_.SetActionHandler(ShellAction::ShowKeys, nullptr); }

void KeysPanel::Open() {
  setGeometry(parentWidget()->rect());
  show();
  raise();
  setFocus(Qt::OtherFocusReason);
  update();
}

void KeysPanel::Close() {
  if (!isVisible()) return;
  hide();
  window_.Screen().setFocus(Qt::OtherFocusReason);
}

QString KeysPanel::Text() const {
  QString text = kTitle + u'\n';
  for (const KeyHelpLine& line : KeyHelp()) text += line.Keys + QStringLiteral(": ") + line.Does + u'\n';
  return text;
}

bool KeysPanel::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:  // no shortcut of the window or its menus fires meanwhile
      event->accept();
      return true;
    case QEvent::KeyPress:  // every key, Tab too (QWidget would move the focus with it)
      Close();
      return true;
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      event->accept();
      return true;
    case QEvent::MouseButtonRelease:  // the press and its release both stay here
      Close();
      return true;
    default:
      return QWidget::event(event);
  }
}

bool KeysPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible()) setGeometry(parentWidget()->rect());
  return false;
}

void KeysPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 0, 225));
  // Laid out over the picture's area at its scale, so the panel reads alike at every zoom
  // and in fullscreen; a smaller size only when the lines would not fit.
  const double grown = std::min(width() / 640.0, height() / 480.0);
  const double margin = kMarginPx * grown;
  const QRectF area = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
  double textPx = kTextPx * grown;
  Layout layout = LayOut(font(), textPx, area.width());
  while (layout.Total > area.height() && textPx > kSmallestTextPx) {
    textPx -= 0.5;
    layout = LayOut(font(), textPx, area.width());
  }
  painter.setFont(layout.Font);
  const QFontMetricsF metrics(layout.Font);
  painter.setPen(QColor(255, 230, 150));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), metrics.height()), Qt::AlignLeft, kTitle);
  double y = area.top() + metrics.height() * 1.6;
  const double doesLeft = area.left() + layout.KeysWidth + kColumnGapPx * textPx / kTextPx;
  const auto& lines = KeyHelp();
  for (size_t i = 0; i < lines.size(); ++i) {
    painter.setPen(QColor(255, 230, 150));
    painter.drawText(QRectF(area.left(), y, layout.KeysWidth, layout.Heights[i]), Qt::AlignLeft | Qt::AlignTop,
                     lines[i].Keys);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(doesLeft, y, area.right() - doesLeft, layout.Heights[i]),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines[i].Does);
    y += layout.Heights[i];
  }
}

}  // namespace velmora
