// Every route of SetPixelFormat, from each format to each other format and to
// both half-tones, on bottom-up and top-down pictures of an odd width: the
// result has the requested format and shows the same colours.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "image/IxDIB.h"
#include "tests/image/ConvertTestSupport.h"

namespace pixkura {
namespace {

using test::BitsOf;
using test::IsRLE;

constexpr TIxPixelFormat kFormats[] = {ixPf1Bit, ixPf4Bit, ixPf4BitRLE, ixPf8Bit, ixPf8BitRLE, ixPf24Bit};
constexpr TIxPixelFormat kTargets[] = {ixPf1Bit,    ixPf4Bit,  ixPf4BitRLE,  ixPf8Bit,
                                       ixPf8BitRLE, ixPf24Bit, ixPfHalftone, ixPfHalftoneBW};

const char* Name(TIxPixelFormat f) {
  static const char* const names[] = {"1Bit",    "4Bit",  "4BitRLE",  "8Bit",
                                      "8BitRLE", "24Bit", "Halftone", "HalftoneBW"};
  return names[f];
}

// Colours the route can carry unchanged: black and white through 1 bit, the
// half-tones and the 24-bit reductions (whose split may merge close colours);
// 16 distinct colours through every index-preserving route.
std::vector<TColor> ColorsFor(TIxPixelFormat from, TIxPixelFormat to) {
  const bool twoColours =
      from == ixPf1Bit || from == ixPf24Bit || to == ixPf1Bit || to == ixPfHalftone || to == ixPfHalftoneBW;
  if (twoColours) return {clBlack, clWhite};
  std::vector<TColor> colors;
  for (int i = 0; i < 16; ++i)
    colors.push_back(
        RGB(static_cast<uint8_t>(i * 17), static_cast<uint8_t>(255 - i * 13), static_cast<uint8_t>(i * 5)));
  return colors;
}

// What the result must hold: the requested format, or for the half-tones an
// 8-bit picture on the colour half-tone palette / a 1-bit black-and-white one.
TIxPixelFormat Expected(TIxPixelFormat to) {
  if (to == ixPfHalftone) return ixPf8Bit;
  if (to == ixPfHalftoneBW) return ixPf1Bit;
  return to;
}

using TRoute = std::tuple<TIxPixelFormat, TIxPixelFormat, bool>;

class ConvertRoute : public testing::TestWithParam<TRoute> {};

TEST_P(ConvertRoute, ReachesFormatWithSameColours) {
  const auto [from, to, topDown] = GetParam();
  const std::vector<TColor> colors = ColorsFor(from, to);
  const auto n = static_cast<int>(colors.size());
  constexpr int32_t w = 13, h = 6;
  auto indexOf = [n](int32_t x, int32_t y) { return (x * 7 + y * 3 + x / 4) % n; };
  TIxDIB dib;
  test::MakePicture(dib, from, w, h, topDown, colors, indexOf);
  ASSERT_EQ(dib.GetPixelFormat(), from);

  dib.SetPixelFormat(to);
  const TIxInternalDIB& d = dib.InternalDIB();
  EXPECT_EQ(dib.GetPixelFormat(), Expected(to));
  EXPECT_EQ(d.Header().biHeight, topDown ? -h : h);
  EXPECT_EQ(dib.GetWidth(), w);
  EXPECT_EQ(dib.GetHeight(), h);
  if (IsRLE(to)) {
    EXPECT_EQ(d.Header().biSizeImage, d.BitsSize);
  } else {
    EXPECT_EQ(d.Header().biSizeImage, 0u);
    EXPECT_EQ(d.BitsSize, static_cast<uint32_t>(d.RowSize() * h));
  }
  if (to == ixPfHalftone)
    EXPECT_EQ(dib.GetPaletteSize(), static_cast<int32_t>(HalftonePalette()->entries.size()));
  if (to == ixPf24Bit) EXPECT_EQ(dib.GetPaletteSize(), 0);
  if (Expected(to) != ixPf24Bit) EXPECT_LE(dib.GetPaletteSize(), 1 << BitsOf(Expected(to)));

  const test::TColorReader color(dib);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      ASSERT_EQ(color(x, y), colors[static_cast<size_t>(indexOf(x, y))]) << "at " << x << ", " << y;
}

std::vector<TRoute> AllRoutes() {
  std::vector<TRoute> routes;
  for (const TIxPixelFormat from : kFormats)
    for (const TIxPixelFormat to : kTargets)
      if (from != to)
        for (const bool topDown : {false, true}) routes.emplace_back(from, to, topDown);
  return routes;
}

std::string RouteName(const testing::TestParamInfo<TRoute>& info) {
  const TIxPixelFormat from = std::get<0>(info.param), to = std::get<1>(info.param);
  return std::string(Name(from)) + "_to_" + Name(to) + (std::get<2>(info.param) ? "_TopDown" : "_BottomUp");
}

INSTANTIATE_TEST_SUITE_P(EveryPair, ConvertRoute, testing::ValuesIn(AllRoutes()), RouteName);

TEST(ConvertRoutes, EqualFormatAndUnknownRequestsAreRefused) {
  TIxDIB dib;
  test::MakePicture(dib, ixPf8Bit, 3, 3, false, {clBlack, clWhite}, [](int32_t x, int32_t) { return x & 1; });
  TIxInternalDIB& d = dib.MutableInternalDIB();
  for (const int value : {static_cast<int>(ixPf8Bit), 8, 200})
    test::ExpectThrowWithMessage<EIxDIBAssert>(
        [&] {
          ConvertInternalDIB(
              d, static_cast<TIxPixelFormat>(value), 0, [] {}, clWhite);
        },
        "TIxIntenalDIB.SetPixelsFormat: PixelFormat Error");
  EXPECT_EQ(dib.GetPixelFormat(), ixPf8Bit);
  EXPECT_EQ(dib.GetPixels(1, 0), 1);
}

}  // namespace
}  // namespace pixkura
