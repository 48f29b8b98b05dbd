#include "formats/PaletteColors.h"

#include "base/Exception.h"

namespace pixkura {

namespace {
constexpr TColor kRGBBits = 0x00FFFFFF;
}

TPaletteColors::TPaletteColors(std::vector<TColor> colors) {
  if (colors.size() > kMaxCount) throw ERangeError("TPaletteColors: more than 256 colours");
  colors_ = std::move(colors);
  for (TColor& c : colors_) c &= kRGBBits;
}

TColor TPaletteColors::operator[](size_t index) const {
  if (index >= colors_.size()) throw ERangeError("TPaletteColors: index out of range");
  return colors_[index];
}

void TPaletteColors::Add(TColor color) {
  if (Full()) throw ERangeError("TPaletteColors: more than 256 colours");
  colors_.push_back(color & kRGBBits);
}

std::array<TColor, 256> Overlaid(std::array<TColor, 256> base, const TPaletteColors& read) {
  for (size_t i = 0; i < read.Count(); ++i) base[i] = read[i];
  return base;
}

}  // namespace pixkura
