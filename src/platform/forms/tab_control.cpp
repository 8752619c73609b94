#include "platform/forms/tab_control.h"

namespace tavrello::forms {
namespace {

std::string defaultCaption(int page) { return "Tab " + std::to_string(page); }

}  // namespace

TabControl::TabControl(Form* form, std::string name) : Control(form, ControlKind::TabControl, std::move(name)) {
  captions_ = {defaultCaption(0)};
}

void TabControl::Tabs(int count) {
  if (count < 1) throw invalidPropertyValue();
  if (count == Tabs()) return;
  while (Tabs() < count) captions_.push_back(defaultCaption(Tabs()));
  captions_.resize(static_cast<std::size_t>(count));
  changed(Property::Tabs);
  if (tab_ >= count) Tab(count - 1);
}

void TabControl::Tab(int page) {
  if (page < 0 || page >= Tabs()) throw invalidPropertyValue();
  if (page == tab_) return;
  tab_ = page;
  changed(Property::Tab);
  raise(Event::Click);
}

const std::string& TabControl::TabCaption(int page) const {
  if (page < 0 || page >= Tabs()) throw invalidPropertyValue();
  return captions_[static_cast<std::size_t>(page)];
}

void TabControl::TabCaption(int page, std::string caption) {
  if (page < 0 || page >= Tabs()) throw invalidPropertyValue();
  captions_[static_cast<std::size_t>(page)] = std::move(caption);
  changed(Property::Tabs);
}

void TabControl::userSelectTab(int page) {
  if (!Enabled()) return;
  asUser([&] {
    SetFocus();
    Tab(page);
  });
}

}  // namespace tavrello::forms
