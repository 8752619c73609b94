#include "support/number_text.h"

#include <charconv>

#include "platform/system/failure.h"

namespace tavrello {

std::int32_t wholeNumberFromText(std::string_view text) {
  const auto blank = text.find_first_not_of(' ');
  if (blank == std::string_view::npos) throw Failure::typeMismatch();
  text.remove_prefix(blank);
  text.remove_suffix(text.size() - 1 - text.find_last_not_of(' '));
  bool negative = false;
  if (text.front() == '+' || text.front() == '-') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') throw Failure::typeMismatch();
  std::int64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (end != text.data() + text.size()) throw Failure::typeMismatch();
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (error == std::errc::result_out_of_range || value < INT32_MIN || value > INT32_MAX) throw Failure::overflow();
  return static_cast<std::int32_t>(value);
}

}  // namespace tavrello
