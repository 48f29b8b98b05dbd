// The colours of a palette as palette files of other programs hold them: 1 to
// 256 entries, entry 0 first, each an RGB colour value (red in the low byte,
// top byte 0). A palette of fewer than 256 colours stands for its first
// entries only; whoever applies it leaves the others as they are. A file of
// more colours gives its first 256 and counts the ones it left out.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "base/Color.h"

namespace pixkura {

class TPaletteColors {
 public:
  static constexpr size_t kMaxCount = 256;

  TPaletteColors() = default;
  // ERangeError when colors holds more than kMaxCount values.
  explicit TPaletteColors(std::vector<TColor> colors);

  size_t Count() const { return colors_.size(); }
  bool Empty() const { return colors_.empty(); }
  bool Full() const { return colors_.size() == kMaxCount; }
  // ERangeError when index is not below Count().
  TColor operator[](size_t index) const;
  const std::vector<TColor>& Colors() const { return colors_; }

  // Appends a colour (its top byte dropped); ERangeError when already full.
  void Add(TColor color);

  // The colours a file held beyond the first kMaxCount, not kept.
  size_t LeftOut() const { return leftOut_; }
  void LeaveOut() { ++leftOut_; }

  friend bool operator==(const TPaletteColors&, const TPaletteColors&) = default;

 private:
  std::vector<TColor> colors_;
  size_t leftOut_ = 0;
};

// base with its first entries replaced by read's colours: a palette of fewer
// colours sets only the entries it holds.
std::array<TColor, 256> Overlaid(std::array<TColor, 256> base, const TPaletteColors& read);

}  // namespace pixkura
