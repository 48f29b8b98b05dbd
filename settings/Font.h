// A font as the settings store keeps it: face name, size in points and
// colour. Plain data, free of any GUI toolkit; the window turns it into its
// toolkit's font.
#pragma once

#include <cstdint>
#include <string>

#include "base/Color.h"

namespace pixkura {

struct TFont {
  std::string Name;
  int32_t Size = 9;
  TColor Color = clWindowText;
};

}  // namespace pixkura
