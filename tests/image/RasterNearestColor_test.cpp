// The nearest-entry search for many colours at once, against a plain linear
// search over the table.
#include "image/RasterNearestColor.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace pixkura {
namespace {

struct TLinear {
  int Index;
  int Distance;
};

TLinear LinearSearch(const std::vector<TRGBQuad>& table, int count, TColor c) {
  TLinear best{0, 1 << 30};
  for (int i = 0; i < count; ++i) {
    const int dr = table[i].rgbRed - GetRValue(c), dg = table[i].rgbGreen - GetGValue(c),
              db = table[i].rgbBlue - GetBValue(c);
    const int d = dr * dr + dg * dg + db * db;
    if (d < best.Distance) best = {i, d};
  }
  return best;
}

TEST(NearestColor, ManyColoursGetTheLinearSearchsAnswersInTheirOwnOrder) {
  std::mt19937 rng(9);
  for (int round = 0; round < 12; ++round) {
    std::vector<TRGBQuad> table(256);
    const int count = round % 3 == 0 ? 256 : 1 + static_cast<int>(rng() % 256);
    for (auto& q : table) {
      // Odd rounds: few distinct levels, so many ties and duplicates.
      const auto level = [&] { return static_cast<uint8_t>(round % 2 ? (rng() % 5) * 60 : rng() % 256); };
      q = TRGBQuad{level(), level(), level(), 0};
    }
    // Random colours, and a run of 700 colours inside one cell (more than
    // are searched together in one go).
    std::vector<TColor> colors;
    for (int i = 0; i < 2000; ++i) colors.push_back(rng() & 0xFFFFFF);
    for (int i = 0; i < 700; ++i) colors.push_back(RGB(100 + rng() % 20, 40 + rng() % 20, 200 + rng() % 20));
    std::vector<uint8_t> index(colors.size());
    std::vector<int32_t> distance(colors.size());
    TNearestColor search(table.data(), count);
    search.NearestOfMany(colors.data(), colors.size(), index.data(), distance.data());
    TNearestColor single(table.data(), count);
    for (size_t p = 0; p < colors.size(); ++p) {
      const TLinear expected = LinearSearch(table, count, colors[p]);
      ASSERT_EQ(index[p], expected.Index) << round << " " << p;
      ASSERT_EQ(distance[p], expected.Distance) << round << " " << p;
      ASSERT_EQ(single.Nearest(colors[p]), expected.Index) << round << " " << p;
    }
  }
}

TEST(NearestColor, NoColoursIsNoWork) {
  const std::vector<TRGBQuad> table(4, TRGBQuad{1, 2, 3, 0});
  TNearestColor search(table.data(), 4);
  search.NearestOfMany(nullptr, 0, nullptr, nullptr);
  EXPECT_EQ(search.Nearest(RGB(3, 2, 1)), 0);
}

}  // namespace
}  // namespace pixkura
