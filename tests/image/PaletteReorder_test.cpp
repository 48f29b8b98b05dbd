// The palette operations whose pixels follow their index: where each entry
// goes, and that no pixel changes colour or leaves the palette.
#include "image/PaletteReorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/Exception.h"

namespace pixkura {
namespace {

const TColor kRed = RGB(200, 0, 0), kBlue = RGB(0, 0, 255);
// Entries 3 and 7 repeat 0 and 2; 5 and 7 are unused; 1 and 5 are greys.
const std::vector<TColor> kPalette = {
    kRed, RGB(128, 128, 128), kBlue, kRed, RGB(0, 255, 0), RGB(10, 10, 10), RGB(255, 255, 0), kBlue};
const std::vector<uint8_t> kPixels = {0, 0, 0, 1, 2, 2, 3, 4, 4, 4, 4, 6, 6, 1, 3};  // 5 x 3

TEST(PaletteReorder, EachOperationMovesEntriesAndPixelsKeepTheirColours) {
  TIxDIB sheet;
  sheet.SetWidth(5);  // rows of odd length: the padding stays out of the pass
  sheet.SetHeight(3);
  sheet.SetPaletteSize(8);
  for (size_t i = 0; i < kPalette.size(); ++i) sheet.SetColors(int32_t(i), kPalette[i]);
  for (size_t i = 0; i < kPixels.size(); ++i) sheet.SetPixels(int32_t(i % 5), int32_t(i / 5), kPixels[i]);
  const TEntryUse use = CountEntryUse(sheet);
  const std::pair<std::function<TPaletteReorder()>, std::vector<uint8_t>> cases[] = {
      {[] { return SwapEntries(kPalette, 0, 7); }, {7, 1, 2, 3, 4, 5, 6, 0}},
      {[] { return SwapEntries(kPalette, 3, 3); }, {0, 1, 2, 3, 4, 5, 6, 7}},
      {[] { return MoveEntry(kPalette, 0, 7); }, {7, 0, 1, 2, 3, 4, 5, 6}},
      {[] { return MoveEntry(kPalette, 7, 0); }, {1, 2, 3, 4, 5, 6, 7, 0}},
      {[] { return MoveEntry(kPalette, 2, 5); }, {0, 1, 5, 2, 3, 4, 6, 7}},
      {[] { return SortByLuminance(kPalette, 7, 0); }, {3, 5, 1, 4, 6, 0, 7, 2}},
      {[] { return SortByLuminance(kPalette, 4, 4); }, {0, 1, 2, 3, 4, 5, 6, 7}},
      {[] { return SortByLuminance(kPalette, 1, 3); }, {0, 3, 1, 2, 4, 5, 6, 7}},
      {[] { return SortByHue(kPalette, 0, 7); }, {2, 1, 6, 3, 5, 0, 4, 7}},
      {[&] { return SortByUse(kPalette, use, 0, 7); }, {1, 2, 3, 4, 0, 6, 5, 7}},
      {[&] { return SortByUse(kPalette, use, 1, 3); }, {0, 1, 2, 3, 4, 5, 6, 7}},
      {[] { return MergeDuplicates(kPalette); }, {0, 1, 2, 0, 4, 5, 6, 2}},
      {[&] { return CompactEntries(kPalette, use, std::nullopt); }, {0, 1, 2, 3, 4, 6, 5, 7}},
      {[&] { return CompactEntries(kPalette, use, 7); }, {0, 1, 2, 3, 4, 7, 5, 6}},
  };
  for (size_t n = 0; n < std::size(cases); ++n) {
    const TPaletteReorder reorder = cases[n].first();
    const std::vector<uint8_t>& map = cases[n].second;  // old index -> new
    EXPECT_EQ(std::vector<uint8_t>(reorder.Map.begin(), reorder.Map.begin() + 8), map) << "case " << n;
    EXPECT_TRUE(std::is_permutation(reorder.Colors.begin(), reorder.Colors.end(), kPalette.begin())) << n;
    TIxDIB reordered;
    reordered.Assign(&sheet);
    ApplyPaletteReorder(reordered, reorder);
    for (size_t i = 0; i < kPixels.size(); ++i) {
      const int32_t now = reordered.GetPixels(int32_t(i % 5), int32_t(i / 5));
      EXPECT_EQ(now, map[kPixels[i]]) << "case " << n << " pixel " << i;
      EXPECT_EQ(reordered.GetColors(now), kPalette[kPixels[i]]) << "case " << n << " pixel " << i;
    }
    EXPECT_EQ(sheet.GetPixels(0, 0), 0) << "the shared copy kept for undo changed";
  }
  EXPECT_EQ(MoveEntry(std::vector<TColor>(256), 0, 255).Map[0], 255);  // the whole palette
  EXPECT_THROW(SortByHue(kPalette, 0, 8), ERangeError);                // 7 is the last entry
}

}  // namespace
}  // namespace pixkura
