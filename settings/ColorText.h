// The text form of colour values used in settings: a colour name such as
// "clBlack" or "clWindowText", or "$" and eight hexadecimal digits.
#pragma once

#include <string>
#include <string_view>

#include "base/Color.h"

namespace pixkura {

// The colour's name when it has one, else "$" + 8 upper-case hex digits.
std::string ColorToString(TColor color);

// A colour name (any letter case) or a number in the lenient integer form;
// EConvertError for any other text.
TColor StringToColor(std::string_view text);

}  // namespace pixkura
