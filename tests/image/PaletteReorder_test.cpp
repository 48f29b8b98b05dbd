// The palette operations whose pixels follow their index: where each entry
// goes, and that no pixel changes colour or leaves the palette.
#include "image/PaletteReorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "base/Exception.h"

namespace pixkura {
namespace {

const TColor kRed = RGB(200, 0, 0), kGrey = RGB(128, 128, 128), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0),
             kDark = RGB(10, 10, 10), kYellow = RGB(255, 255, 0);
// Entries 3 and 7 repeat 0 and 2; 5 and 7 are unused.
const std::vector<TColor> kPalette = {kRed, kGrey, kBlue, kRed, kGreen, kDark, kYellow, kBlue};
const std::vector<uint8_t> kPixels = {0, 0, 0, 1, 2, 2, 3, 4, 4, 4, 4, 6, 6, 1, 3};  // 5 x 3

class PaletteReorder : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet_.SetWidth(5);  // rows of odd length: the padding stays out of the pass
    sheet_.SetHeight(3);
    sheet_.SetBitCount(8);
    sheet_.SetPaletteSize(8);
    for (size_t i = 0; i < kPalette.size(); ++i) sheet_.SetColors(int32_t(i), kPalette[i]);
    for (size_t i = 0; i < kPixels.size(); ++i) sheet_.SetPixels(int32_t(i % 5), int32_t(i / 5), kPixels[i]);
  }
  TIxDIB sheet_;
};

TEST_F(PaletteReorder, CountsTheUseOfEveryEntry) {
  const TEntryUse use = CountEntryUse(sheet_);
  EXPECT_EQ(std::vector<uint32_t>(use.begin(), use.begin() + 9), (std::vector<uint32_t>{3, 2, 2, 2, 4, 0, 2, 0, 0}));
}

TEST_F(PaletteReorder, EachOperationMovesEntriesAndPixelsKeepTheirColours) {
  const TEntryUse use = CountEntryUse(sheet_);
  const struct {
    const char* what;
    std::function<TPaletteReorder()> run;
    std::vector<uint8_t> map;  // old index -> new index
  } cases[] = {
      {"swap 0:7", [] { return SwapEntries(kPalette, 0, 7); }, {7, 1, 2, 3, 4, 5, 6, 0}},
      {"swap 3:3", [] { return SwapEntries(kPalette, 3, 3); }, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"move 0:7", [] { return MoveEntry(kPalette, 0, 7); }, {7, 0, 1, 2, 3, 4, 5, 6}},
      {"move 7:0", [] { return MoveEntry(kPalette, 7, 0); }, {1, 2, 3, 4, 5, 6, 7, 0}},
      {"move 2:5", [] { return MoveEntry(kPalette, 2, 5); }, {0, 1, 5, 2, 3, 4, 6, 7}},
      {"luminance 0-7", [] { return SortByLuminance(kPalette, 0, 7); }, {3, 5, 1, 4, 6, 0, 7, 2}},
      {"luminance 7-0", [] { return SortByLuminance(kPalette, 7, 0); }, {3, 5, 1, 4, 6, 0, 7, 2}},
      {"luminance 4-4", [] { return SortByLuminance(kPalette, 4, 4); }, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"luminance 1-3", [] { return SortByLuminance(kPalette, 1, 3); }, {0, 3, 1, 2, 4, 5, 6, 7}},
      {"hue 0-7", [] { return SortByHue(kPalette, 0, 7); }, {2, 1, 6, 3, 5, 0, 4, 7}},
      {"use 0-7", [&] { return SortByUse(kPalette, use, 0, 7); }, {1, 2, 3, 4, 0, 6, 5, 7}},
      {"use 1-3 (equal counts)", [&] { return SortByUse(kPalette, use, 1, 3); }, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"merge", [] { return MergeDuplicates(kPalette); }, {0, 1, 2, 0, 4, 5, 6, 2}},
      {"compact", [&] { return CompactEntries(kPalette, use, std::nullopt); }, {0, 1, 2, 3, 4, 6, 5, 7}},
      {"compact keeping 7", [&] { return CompactEntries(kPalette, use, 7); }, {0, 1, 2, 3, 4, 7, 5, 6}},
  };
  for (const auto& c : cases) {
    const TPaletteReorder reorder = c.run();
    EXPECT_EQ(std::vector<uint8_t>(reorder.Map.begin(), reorder.Map.begin() + 8), c.map) << c.what;
    EXPECT_EQ(reorder.Map[8], 8) << c.what;  // beyond the palette nothing moves
    // The same colours, each where its entry went.
    std::vector<TColor> sortedOld = kPalette, sortedNew = reorder.Colors;
    std::sort(sortedOld.begin(), sortedOld.end());
    std::sort(sortedNew.begin(), sortedNew.end());
    EXPECT_EQ(sortedNew, sortedOld) << c.what;
    TIxDIB sheet;
    sheet.Assign(&sheet_);
    ApplyPaletteReorder(sheet, reorder);
    EXPECT_EQ(sheet.GetPaletteSize(), 8);
    for (size_t i = 0; i < kPixels.size(); ++i) {
      const int32_t now = sheet.GetPixels(int32_t(i % 5), int32_t(i / 5));
      EXPECT_EQ(now, c.map[kPixels[i]]) << c.what << " pixel " << i;
      EXPECT_EQ(sheet.GetColors(now), kPalette[kPixels[i]]) << c.what << " pixel " << i;
    }
    EXPECT_EQ(sheet_.GetPixels(0, 0), 0) << "the shared copy kept for undo changed";
  }
}

TEST(PaletteReorderBounds, TheWholePaletteAndIndicesJustOutside) {
  std::vector<TColor> palette(256);
  for (size_t i = 0; i < 256; ++i) palette[i] = RGB(uint8_t(i), 0, 0);
  EXPECT_EQ(MoveEntry(palette, 0, 255).Map[0], 255);
  EXPECT_EQ(MoveEntry(palette, 0, 255).Map[255], 254);
  EXPECT_EQ(SwapEntries(palette, 255, 0).Colors[0], RGB(255, 0, 0));
  // The last entry of an 8-entry palette is 7; 8 is outside.
  EXPECT_NO_THROW(SwapEntries(kPalette, 7, 0));
  for (const auto& outside : std::vector<std::function<void()>>{
           [] { SwapEntries(kPalette, 0, 8); }, [] { MoveEntry(kPalette, 8, 0); },
           [] { SortByHue(kPalette, 0, 8); }, [] { CompactEntries(kPalette, TEntryUse{}, 8); }})
    EXPECT_THROW(outside(), ERangeError);
  TIxDIB fourBits;
  fourBits.SetBitCount(4);
  EXPECT_THROW(ApplyIndexMap(fourBits, IdentityIndexMap()), EIxDIBBadDIBType);
}

}  // namespace
}  // namespace pixkura
