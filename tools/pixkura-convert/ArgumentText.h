// Reading numbers and separators off the front of an option's value, shared
// by the options that take small structured values (geometries, operation
// lists).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pixkura {

// Takes a decimal number off the front of text; nothing when none is there
// or it does not fit 32 bits.
std::optional<int32_t> TakeNumber(std::string_view& text);

// A decimal number that is all of text and lies in min..max.
std::optional<int32_t> ParseInteger(std::string_view text, int32_t min, int32_t max);

// Takes c off the front of text when it is there.
bool TakeChar(std::string_view& text, char c);

}  // namespace pixkura
