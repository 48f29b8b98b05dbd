#include "settings/IntegerText.h"

namespace pixkura {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Accumulates digits of the given base into a 64-bit magnitude, stopping as
// soon as the value exceeds limit (so no overflow is ever computed).
std::optional<uint64_t> ParseMagnitude(std::string_view digits, unsigned base, uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (const char c : digits) {
    const int d = HexDigitValue(c);
    if (d < 0 || static_cast<unsigned>(d) >= base) return std::nullopt;
    value = value * base + static_cast<unsigned>(d);
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i < text.size() && text[i] == '$') {
    // Hexadecimal spells a bit pattern: up to 32 bits, taken as two's complement.
    const auto magnitude = ParseMagnitude(text.substr(i + 1), 16, 0xFFFFFFFFu);
    if (!magnitude) return std::nullopt;
    uint32_t bits = static_cast<uint32_t>(*magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  // Decimal: the magnitude may reach 2^31 only for a negative value.
  const uint64_t limit = negative ? uint64_t{0x80000000u} : uint64_t{0x7FFFFFFFu};
  const auto magnitude = ParseMagnitude(text.substr(i), 10, limit);
  if (!magnitude) return std::nullopt;
  return negative ? static_cast<int32_t>(-static_cast<int64_t>(*magnitude))
                  : static_cast<int32_t>(*magnitude);
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) { return TryStrToInt(text).value_or(fallback); }

}  // namespace pixkura
