#include "platform/forms/combo_box.h"

#include <algorithm>
#include <cctype>

namespace tavrello::forms {
namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

void ComboBox::Style(ComboStyle style) {
  if (style == style_) return;
  style_ = style;
  changed(Property::Style);
}

void ComboBox::Text(std::string text) {
  if (style_ == ComboStyle::DropDownList) {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [&](const std::string& item) { return equalsIgnoringCase(item, text); });
    if (found == items_.end()) {
      if (text.empty() && listIndex_ < 0) return;
      throw Failure(383, "'Text' property is read-only");
    }
    ListIndex(static_cast<int>(found - items_.begin()));
    return;
  }
  const auto found = std::find(items_.begin(), items_.end(), text);
  const int index = found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
  const bool textChanged = text != text_;
  text_ = std::move(text);
  if (index != listIndex_) {
    listIndex_ = index;
    changed(Property::ListIndex);
  }
  if (!textChanged) return;
  changed(Property::Text);
  raise(Event::Change);
}

void ComboBox::checkIndex(int index) const {
  if (index < 0 || index >= ListCount()) throw Failure::invalidCall();
}

void ComboBox::AddItem(std::string item, int index) {
  if (index < -1 || index > ListCount()) throw Failure::invalidCall();
  if (index == -1) index = ListCount();
  items_.insert(items_.begin() + index, std::move(item));
  if (listIndex_ >= index) ++listIndex_;
  changed(Property::List);
}

void ComboBox::RemoveItem(int index) {
  checkIndex(index);
  items_.erase(items_.begin() + index);
  if (listIndex_ == index) {
    listIndex_ = -1;
    if (style_ == ComboStyle::DropDownList) text_.clear();
  } else if (listIndex_ > index) {
    --listIndex_;
  }
  changed(Property::List);
}

void ComboBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  text_.clear();
  changed(Property::List);
}

const std::string& ComboBox::List(int index) const {
  checkIndex(index);
  return items_[static_cast<std::size_t>(index)];
}

void ComboBox::List(int index, std::string item) {
  checkIndex(index);
  items_[static_cast<std::size_t>(index)] = std::move(item);
  if (index == listIndex_) text_ = items_[static_cast<std::size_t>(index)];
  changed(Property::List);
}

void ComboBox::ListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw invalidPropertyValue();
  listIndex_ = index;
  text_ = index < 0 ? std::string() : items_[static_cast<std::size_t>(index)];
  changed(Property::ListIndex);
  if (index >= 0) raise(Event::Click);
}

void ComboBox::userSelect(int index) {
  if (!Enabled()) return;
  asUser([&] {
    SetFocus();
    ListIndex(index);
  });
}

void ComboBox::userSetText(std::string text) {
  if (!Enabled() || style_ == ComboStyle::DropDownList) return;
  asUser([&] {
    SetFocus();
    Text(std::move(text));
  });
}

}  // namespace tavrello::forms
