#pragma once
// One item of the main menu: caption, tag and the enabled, visible and checked states,
// with its sub-items. The host builds its menu bar from the tree and mirrors changes.

#include <functional>
#include <string>
#include <vector>

namespace velmora {

class MenuItem {
 public:
  MenuItem(const char* name, std::string caption, int tag = 0) : name_(name), caption_(std::move(caption)), tag_(tag) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const char* Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  int Tag() const { return tag_; }
  bool Enabled() const { return enabled_; }
  bool Visible() const { return visible_; }
  bool Checked() const { return checked_; }
  const std::vector<MenuItem*>& Items() const { return items_; }

  void SetCaption(std::string caption) { Set(caption_, std::move(caption)); }
  void SetEnabled(bool enabled) { Set(enabled_, enabled); }
  void SetVisible(bool visible) { Set(visible_, visible); }
  void SetChecked(bool checked) { Set(checked_, checked); }
  void Add(MenuItem& child) { items_.push_back(&child); }

  // The click handler; items without one only open their sub-menu.
  std::function<void(MenuItem& sender)> OnClick;
  // Told of every change of caption or state (the host listens here).
  std::function<void(const MenuItem&)> OnChange;

 private:
  template <typename T>
  void Set(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    if (OnChange) OnChange(*this);
  }

  const char* name_;
  std::string caption_;
  int tag_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  std::vector<MenuItem*> items_;
};

}  // namespace velmora
