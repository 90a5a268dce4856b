#include "platform/qt/screen_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <map>

#include "app/live_targets.h"
#include "app/page_feed.h"
#include "platform/qt/focus_ring.h"
#include "platform/qt/game_window.h"

namespace velmora {

namespace {

// The bridge of each client area, for the factory Qt asks.
std::map<QObject*, QPointer<ScreenAccessible>>& Bridges() {
  static std::map<QObject*, QPointer<ScreenAccessible>> bridges;
  return bridges;
}

// Where the story text stands: the message window.
constexpr Rect kTextArea{20, 380, 520, 470};

// A part of the client area without an object of its own: the text or the focused target.
class ScreenPart : public QAccessibleInterface {
 public:
  ScreenPart(ScreenAccessible& bridge, bool isText) : bridge_(&bridge), isText_(isText) {}

  bool isValid() const override { return !bridge_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return bridge_ ? bridge_->Window().windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return bridge_ ? QAccessible::queryAccessibleInterface(&bridge_->Window().Screen()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (!bridge_ || (t != QAccessible::Name && t != QAccessible::Description)) return {};
    if (t == QAccessible::Description) return {};
    return isText_ ? bridge_->ScreenText() : bridge_->FocusedName();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!bridge_) return {};
    const LiveTarget* target = isText_ ? nullptr : bridge_->Focused();
    const Rect area = target ? target->Area : kTextArea;
    ScreenWidget& screen = bridge_->Window().Screen();
    const QRect local = screen.CurrentScale().LogicalRect(area);
    return QRect(screen.mapToGlobal(local.topLeft()), local.size());
  }
  QAccessible::Role role() const override {
    if (isText_) return QAccessible::StaticText;
    return QAccessible::Button;
  }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!bridge_) {
      s.invalid = true;
      return s;
    }
    s.focusable = true;
    const bool targetFocused = bridge_->Focused() != nullptr;
    s.focused = isText_ ? !targetFocused : targetFocused;
    s.readOnly = isText_;
    return s;
  }

 private:
  QPointer<ScreenAccessible> bridge_;
  bool isText_;
};

// The client area: its children are the text and the focused target.
class ScreenRoot : public QAccessibleWidget {
 public:
  ScreenRoot(QWidget* widget, ScreenAccessible* bridge)
      : QAccessibleWidget(widget, QAccessible::Client, QStringLiteral("Velmora")), bridge_(bridge) {}

  int childCount() const override { return bridge_ ? (bridge_->TargetItem() ? 2 : 1) : 0; }
  QAccessibleInterface* child(int index) const override {
    if (!bridge_) return nullptr;
    if (index == 0) return bridge_->TextItem();
    if (index == 1) return bridge_->TargetItem();
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!bridge_ || !child) return -1;
    if (child == bridge_->TextItem()) return 0;
    if (child == bridge_->TargetItem()) return 1;
    return -1;
  }
  QAccessibleInterface* focusChild() const override {
    if (!bridge_) return nullptr;
    return bridge_->TargetItem() ? bridge_->TargetItem() : bridge_->TextItem();
  }
  QString text(QAccessible::Text t) const override {
    if (bridge_ && t == QAccessible::Description) return bridge_->ScreenText();
    return QAccessibleWidget::text(t);
  }

 private:
  QPointer<ScreenAccessible> bridge_;
};

QAccessibleInterface* ScreenFactory(const QString&, QObject* object) {
  const auto found = Bridges().find(object);
  if (found == Bridges().end() || found->second.isNull()) return nullptr;
  return new ScreenRoot(static_cast<QWidget*>(object), found->second.data());
}

}  // namespace

ScreenAccessible::ScreenAccessible(GameWindow& window, FocusRing& ring) : window_(window), ring_(ring) {
  static const bool installed = [] {
    QAccessible::installFactory(ScreenFactory);
    return true;
  }();
  (void)installed;
  Bridges()[&window.Screen()] = this;
  textItem_ = new ScreenPart(*this, true);
  targetItem_ = new ScreenPart(*this, false);
  // Qt owns them from here and gives each a lasting id for the screen reader.
  QAccessible::registerAccessibleInterface(textItem_);
  QAccessible::registerAccessibleInterface(targetItem_);
  window.Form().Feed.OnUnit([this](const ReadUnit&) { OnUnit(); });
  ring.FocusWatchers.push_back([this] { OnFocus(); });
  TakeText();
}

ScreenAccessible::~ScreenAccessible() {
  Bridges().erase(&window_.Screen());
  QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(textItem_));
  QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(targetItem_));
}

const LiveTarget* ScreenAccessible::Focused() const { return ring_.Focus().Focused(); }

QAccessibleInterface* ScreenAccessible::TargetItem() const { return Focused() ? targetItem_ : nullptr; }

QString ScreenAccessible::FocusedName() const {
  const LiveTarget* target = Focused();
  return target ? QString::fromStdString(target->Name) : QString();
}

void ScreenAccessible::OnUnit() {
  if (TakeText() && !Focused()) Announce(textItem_);  // a new page is read where no target is focused
}

void ScreenAccessible::OnFocus() {
  if (TakeText() && !Focused()) Announce(textItem_);
  if (!QAccessible::isActive()) return;
  if (QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window_.Screen())) {
    QAccessibleEvent children(root, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&children);
  }
  if (!Focused()) return;
  QAccessibleEvent named(targetItem_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  Announce(targetItem_);
}

bool ScreenAccessible::TakeText() {
  // The page, the choice, the remark; where there is none, what the screen asks.
  const ReadUnit* unit = window_.Form().Feed.Current();
  const QString text = QString::fromStdString(unit ? UnitText(*unit) : ScreenPrompt(ring_.Focus().Targets()));
  if (text == text_) return false;
  text_ = text;
  if (!QAccessible::isActive()) return false;
  QAccessibleEvent named(textItem_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&named);
  if (QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window_.Screen())) {
    QAccessibleEvent described(root, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
  }
  return !text_.isEmpty();
}

void ScreenAccessible::Announce(QAccessibleInterface* item) {
  QAccessibleEvent focus(item, QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

}  // namespace velmora
