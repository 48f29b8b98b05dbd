// The lenient text-to-integer conversion the settings store uses for every
// number it reads back from text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pixkura {

// Accepts optional leading blanks (space, tab), an optional sign, then either
// decimal digits or "$" followed by hexadecimal digits, and nothing after.
// A decimal value must fit in 32 signed bits; a hexadecimal one gives the
// 32-bit pattern it spells ("$FFFFFFFF" is -1), as colour values need, and
// must fit in 32 bits. Anything else yields no value.
std::optional<int32_t> TryStrToInt(std::string_view text);

// TryStrToInt with a fallback for text that is no number.
int32_t StrToIntDef(std::string_view text, int32_t fallback);

}  // namespace pixkura
