#include "base/Color.h"

#include <array>

namespace pixkura {

TColor ColorToRGB(TColor color) {
  // The classic desktop scheme, indexed by system colour number.
  static constexpr std::array<TColor, 31> kSystemColors = {
      RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
      RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
      RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
      RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),
      RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 0, 255),     RGB(16, 132, 208),
      RGB(181, 181, 181), RGB(0, 0, 128),     RGB(192, 192, 192)};
  if ((color & kSystemColorFlag) == 0) return color & 0xFFFFFF;
  const TColor index = color & 0xFF;
  return index < kSystemColors.size() ? kSystemColors[index] : 0;
}

}  // namespace pixkura
