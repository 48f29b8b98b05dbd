#include "tools/pixkura-convert/ArgumentText.h"

#include <charconv>

namespace pixkura {

std::optional<int32_t> TakeNumber(std::string_view& text) {
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data() || text.front() == '-') return std::nullopt;
  text.remove_prefix(static_cast<size_t>(end - text.data()));
  return value;
}

std::optional<int32_t> ParseInteger(std::string_view text, int32_t min, int32_t max) {
  const std::optional<int32_t> value = TakeNumber(text);
  if (!value || !text.empty() || *value < min || *value > max) return std::nullopt;
  return value;
}

bool TakeChar(std::string_view& text, char c) {
  if (!text.starts_with(c)) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace pixkura
