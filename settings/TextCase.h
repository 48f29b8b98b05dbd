// Letter-case folding for names the settings compare: ASCII letters only,
// which is safe on UTF-8 (no byte of a multi-byte character is ASCII).
#pragma once

#include <string_view>

namespace pixkura {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// a equals b ignoring the case of ASCII letters.
constexpr bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace pixkura
