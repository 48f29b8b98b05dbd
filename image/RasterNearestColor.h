// The palette entry nearest to a colour: smallest squared RGB distance, the
// lowest index among equally near entries. Stands in for the platform's
// nearest-palette-entry search wherever a colour meets an indexed bitmap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Color.h"
#include "image/IxDIBTypes.h"

namespace pixkura {

class TNearestColor {
 public:
  // The first count entries of table (count is clamped to 1..256), copied.
  TNearestColor(const TRGBQuad* table, int32_t count);
  // Not const: the candidates of a colour-space cell are worked out the first
  // time a colour falls into it.
  uint8_t Nearest(TColor color);
  // The nearest entry of each of count colours and its squared distance, the
  // same answers as Nearest. Colours that fall into one cell are searched
  // together, so the work runs on vectors across the colours.
  void NearestOfMany(const TColor* colors, size_t count, uint8_t* index, int32_t* distance);

 private:
  // The colour cube is cut into 8 x 8 x 8 cells. An entry can only be the
  // nearest to some colour of a cell when its least distance to the cell is
  // at most the smallest greatest distance of any entry to the cell; a
  // search scans just those candidates (usually a handful).
  static constexpr int kCellBits = 5;               // cell side 32
  static constexpr int kLevels = 256 >> kCellBits;  // cells per axis
  static constexpr int kCells = kLevels * kLevels * kLevels;
  struct TSpan {
    int32_t First = -1;  // -1: not worked out yet
    int32_t Count = 0;
  };
  static int32_t CellOf(TColor color);
  const TSpan& Candidates(int32_t cell);
  // Searches the candidates of one cell for count colours at once.
  void SearchCell(const TSpan& span, const TColor* colors, size_t count, uint8_t* index,
                  int32_t* distance) const;

  // The entries' channels, one array each, so the scans run on vectors.
  // Squared distances of byte channels stay below 2^18, exact in a float.
  std::array<float, 256> r_{}, g_{}, b_{};
  int32_t count_ = 0;
  std::array<TSpan, kCells> spans_{};
  std::vector<uint8_t> pool_;  // candidate indices of the cells worked out, ascending per cell
};

}  // namespace pixkura
