// The editor's own clipboard format: a block comes back exactly, and bytes
// that are not exactly one block of 1..256 on each side are refused.
#include "formats/ClipboardBlock.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

TIndexedBlock Block(int32_t w, int32_t h) {
  TIndexedBlock b{w, h, {}, 7, {}};
  for (size_t i = 0; i < 256; ++i) b.Colors[i] = RGB(uint8_t(i), uint8_t(255 - i), uint8_t(i * 3));
  for (int32_t p = 0; p < w * h; ++p) b.Indices.push_back(static_cast<uint8_t>(p * 7));
  return b;
}

TEST(ClipboardBlock, ABlockComesBackExactlyUpToTheSheetsSize) {
  for (const auto& [w, h] : {std::pair{1, 1}, {3, 5}, {256, 256}}) {
    const TIndexedBlock b = Block(w, h);
    EXPECT_EQ(DecodeIndexedBlock(EncodeIndexedBlock(b)), b) << w << "x" << h;
  }
}

TEST(ClipboardBlock, BytesOtherThanOneWholeBlockAreRefused) {
  const std::vector<uint8_t> good = EncodeIndexedBlock(Block(2, 3));
  const auto changed = [&](size_t at, uint8_t v) {
    std::vector<uint8_t> b = good;
    b[at] = v;
    return b;
  };
  std::vector<uint8_t> longer = good, shorter = good;
  longer.push_back(0);
  shorter.pop_back();
  // A side of 257 (0x0101) with the length it would need is still refused.
  std::vector<uint8_t> wide = changed(7, 1);
  wide[6] = 1;
  wide.resize(10 + 768 + 257 * 3);
  for (const auto& bytes : {longer, shorter, changed(0, 'Q'), changed(4, 2), changed(6, 0), changed(8, 0), wide,
                            std::vector<uint8_t>(good.begin(), good.begin() + 9)})
    EXPECT_FALSE(DecodeIndexedBlock(bytes));
}

}  // namespace
}  // namespace pixkura
