#include "app/page_feed.h"

namespace velmora {

const char* UnitKindName(UnitKind kind) {
  switch (kind) {
    case UnitKind::Page:
      return "page";
    case UnitKind::Choice:
      return "choice";
    case UnitKind::Remark:
      return "remark";
    case UnitKind::Ending:
      return "ending";
  }
  return "unit";
}

std::string UnitText(const ReadUnit& unit) {
  std::string text;
  for (const std::vector<std::string>* part : {&unit.Lines, &unit.Options})
    for (const std::string& line : *part) {
      if (!text.empty()) text += '\n';
      text += line;
    }
  return text;
}

void PageFeed::OnUnit(Listener listener) { unitListeners_.push_back(std::move(listener)); }

void PageFeed::OnChoiceTaken(Listener listener) { takenListeners_.push_back(std::move(listener)); }

const ReadUnit* PageFeed::Current() const { return shown_ && !history_.empty() ? &history_.back() : nullptr; }

void PageFeed::Begin(UnitKind kind, std::string id) {
  pending_ = ReadUnit{kind, std::move(id), {}, {}, -1};
  open_ = true;
  options_ = false;
}

void PageFeed::BeginOptions() { options_ = true; }

void PageFeed::End() { open_ = false; }

void PageFeed::Line(const std::string& utf8) {
  if (!open_ || !pending_) return;
  (options_ ? pending_->Options : pending_->Lines).push_back(utf8);
}

void PageFeed::Take(int option) {
  if (pending_ && pending_->Kind == UnitKind::Choice) Settle();
  if (!shown_ || history_.empty() || history_.back().Kind != UnitKind::Choice) return;
  ReadUnit& unit = history_.back();
  unit.Taken = option;
  for (const Listener& listen : takenListeners_) listen(unit);
}

void PageFeed::Clear() {
  shown_ = false;
  pending_.reset();
  open_ = false;
}

void PageFeed::Settle() {
  open_ = false;
  if (!pending_) return;
  ReadUnit unit = std::move(*pending_);
  pending_.reset();
  if (Current() != nullptr && Current()->Id == unit.Id && Current()->Lines == unit.Lines &&
      Current()->Options == unit.Options)
    return;
  history_.push_back(std::move(unit));
  if (history_.size() > kHistoryLength) history_.pop_front();
  shown_ = true;
  // A listener may take a copy; the unit stays where it is until the next one comes.
  const ReadUnit& told = history_.back();
  for (const Listener& listen : unitListeners_) listen(told);
}

}  // namespace velmora
