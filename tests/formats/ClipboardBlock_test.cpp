// The editor's own clipboard format: a block comes back exactly; bytes that
// are not exactly one block of 1..256 on each side are refused.
#include "formats/ClipboardBlock.h"

#include <gtest/gtest.h>

namespace pixkura {

TEST(ClipboardBlock, ABlockComesBackExactlyAndAnythingElseIsRefused) {
  for (const auto& [w, h] : {std::pair{1, 1}, {3, 5}, {256, 256}}) {
    TIndexedBlock b{w, h, {}, 7, std::vector<uint8_t>(size_t(w * h), 9)};
    b.Colors[5] = RGB(1, 2, 3);
    EXPECT_EQ(DecodeIndexedBlock(EncodeIndexedBlock(b)), b);
  }
  const std::vector<uint8_t> good = EncodeIndexedBlock({1, 3, {}, 0, std::vector<uint8_t>(3)});
  const auto changed = [&](size_t at, uint8_t v, size_t size) {
    std::vector<uint8_t> b = good;
    b[at] = v;
    b.resize(size);
    return b;
  };
  const size_t n = good.size();
  // A side of 257 (0x0101) is refused even with the length it would need.
  for (const auto& bytes : {changed(0, 'Q', n), changed(4, 2, n), changed(6, 0, n), changed(8, 0, n),
                            changed(9, 0, n + 1), changed(9, 0, n - 1), changed(7, 1, 10 + 768 + 257 * 3)})
    EXPECT_FALSE(DecodeIndexedBlock(bytes));
}

}  // namespace pixkura
