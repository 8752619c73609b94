#include "platform/forms/list_box.h"

#include <charconv>

namespace tavrello::forms {
namespace {

Failure invalidArrayIndex(const char* verb) {
  return Failure(381, std::string("Could not ") + verb + " the List property. Invalid property array index.");
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Parses "68;0;;12.5 pt" into widths in points.
std::optional<std::vector<std::optional<float>>> parseWidths(const std::string& text) {
  std::vector<std::optional<float>> widths;
  if (text.empty()) return widths;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(';', start);
    std::string part = trimmed(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (part.size() > 2 && part.compare(part.size() - 2, 2, "pt") == 0) part = trimmed(part.substr(0, part.size() - 2));
    if (part.empty()) {
      widths.emplace_back();
    } else {
      float value = 0;
      const auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
      if (ec != std::errc() || ptr != part.data() + part.size() || value < 0) return std::nullopt;
      widths.emplace_back(value);
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return widths;
}

}  // namespace

void ListBox::ColumnCount(int count) {
  if (count < 1 || count > kMaxColumns) throw invalidPropertyValue();
  if (count == columnCount_) return;
  columnCount_ = count;
  changed(Property::Columns);
}

void ListBox::ColumnWidths(std::string widths) {
  if (!parseWidths(widths)) throw invalidPropertyValue();
  if (widths == columnWidths_) return;
  columnWidths_ = std::move(widths);
  changed(Property::Columns);
}

std::vector<std::optional<float>> ListBox::columnWidthPoints() const { return parseWidths(columnWidths_).value(); }

void ListBox::BoundColumn(int column) {
  if (column < 0 || column > kMaxColumns) throw invalidPropertyValue();
  boundColumn_ = column;
}

void ListBox::checkRow(int row, const char* verb) const {
  if (row < 0 || row >= ListCount()) throw invalidArrayIndex(verb);
}

void ListBox::AddItem(std::string text, int index) {
  if (index < -1 || index > ListCount()) throw Failure::invalidCall();
  if (index == -1) index = ListCount();
  rows_.insert(rows_.begin() + index, std::vector<std::string>{std::move(text)});
  if (listIndex_ >= index) ++listIndex_;
  changed(Property::List);
}

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) throw Failure::invalidCall();
  rows_.erase(rows_.begin() + index);
  const bool selectionLost = listIndex_ == index;
  if (selectionLost) {
    listIndex_ = -1;
  } else if (listIndex_ > index) {
    --listIndex_;
  }
  changed(Property::List);
  if (selectionLost) raise(Event::Change);
}

void ListBox::Clear() {
  const bool selectionLost = listIndex_ >= 0;
  rows_.clear();
  listIndex_ = -1;
  changed(Property::List);
  if (selectionLost) raise(Event::Change);
}

std::string ListBox::List(int row, int column) const {
  checkRow(row, "get");
  if (column < 0 || column >= kMaxColumns) throw invalidArrayIndex("get");
  const auto& cells = rows_[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : std::string();
}

void ListBox::List(int row, int column, std::string text) {
  checkRow(row, "set");
  if (column < 0 || column >= kMaxColumns) throw invalidArrayIndex("set");
  auto& cells = rows_[static_cast<std::size_t>(row)];
  if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(static_cast<std::size_t>(column) + 1);
  cells[static_cast<std::size_t>(column)] = std::move(text);
  changed(Property::List);
}

void ListBox::ListIndex(int index) {
  if (index < -1 || index >= ListCount()) throw invalidPropertyValue();
  if (index == listIndex_) return;
  listIndex_ = index;
  changed(Property::ListIndex);
  raise(Event::Change);
}

bool ListBox::Selected(int row) const {
  checkRow(row, "get");
  return row == listIndex_;
}

void ListBox::Selected(int row, bool selected) {
  checkRow(row, "set");
  if (selected) {
    ListIndex(row);
  } else if (row == listIndex_) {
    ListIndex(-1);
  }
}

std::string ListBox::Value() const {
  if (listIndex_ < 0) return {};
  // Bound column 0 makes the row number the value.
  if (boundColumn_ == 0) return std::to_string(listIndex_);
  return List(listIndex_, boundColumn_ - 1);
}

void ListBox::userSelect(int row) {
  if (!Enabled()) return;
  asUser([&] {
    SetFocus();
    ListIndex(row);
  });
}

}  // namespace tavrello::forms
