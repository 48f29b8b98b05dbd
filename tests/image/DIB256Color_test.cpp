#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/Exception.h"
#include "image/DIB256.h"

namespace pixkura {
namespace {

THSL Hsl(TColor c) {
  THSL h;
  ColorToHSL(c, h);
  return h;
}

TEST(DIB256Color, ColorToHSLAtTheCorners) {
  const THSL white = Hsl(clWhite);
  EXPECT_EQ(white.H, 0.0);
  EXPECT_EQ(white.L, 1.0);
  EXPECT_EQ(white.S, 0.0);

  const THSL red = Hsl(RGB(255, 0, 0));
  EXPECT_EQ(red.H, 0.0);
  EXPECT_EQ(red.L, 0.5);
  EXPECT_EQ(red.S, 1.0);

  EXPECT_EQ(Hsl(RGB(0, 0, 255)).H, 240.0);
  EXPECT_EQ(Hsl(RGB(0, 255, 0)).H, 120.0);
  // Magenta: red ties with blue and takes the red formula, (g - b) / d < 0.
  EXPECT_EQ(Hsl(RGB(255, 0, 255)).H, 300.0);
  // A dark colour uses d / (max + min), a light one d / (2 - (max + min)).
  EXPECT_DOUBLE_EQ(Hsl(RGB(128, 0, 0)).S, 1.0);
  EXPECT_DOUBLE_EQ(Hsl(RGB(255, 128, 128)).S, 1.0);
  const THSL grey = Hsl(RGB(64, 64, 64));
  EXPECT_EQ(grey.S, 0.0);
  EXPECT_EQ(grey.H, 0.0);
}

TEST(DIB256Color, FloatModOnlyReducesValuesAboveN) {
  EXPECT_EQ(FloatMod(360, 360.0), 360.0);
  EXPECT_EQ(FloatMod(360, 720.0), 360.0);
  EXPECT_EQ(FloatMod(360, 380.0), 20.0);
  EXPECT_EQ(FloatMod(360, 1000.5), 280.5);
  EXPECT_EQ(FloatMod(360, -30.0), -30.0);
  // Values where repeated subtraction would never finish.
  EXPECT_LE(FloatMod(360, 1e300), 360.0);
  EXPECT_TRUE(std::isnan(FloatMod(360, std::numeric_limits<double>::infinity())));
  EXPECT_EQ(FloatMod(0, 5.0), 5.0);
  EXPECT_EQ(FloatMod(-3, 5.0), 5.0);
}

TEST(DIB256Color, HueValueSegments) {
  EXPECT_EQ(HueValue(30, 0.2, 0.8), 0.5);
  EXPECT_EQ(HueValue(100, 0.2, 0.8), 0.8);
  EXPECT_EQ(HueValue(210, 0.2, 0.8), 0.5);
  EXPECT_EQ(HueValue(300, 0.2, 0.8), 0.2);
  // 360 stays 360 and counts as "at least 240"; a negative hue folds once.
  EXPECT_EQ(HueValue(360, 0.2, 0.8), 0.2);
  EXPECT_EQ(HueValue(-330, 0.2, 0.8), 0.5);
  EXPECT_EQ(HueValue(390, 0.2, 0.8), 0.5);
}

TEST(DIB256Color, HSLToColorRoundTripsAndClamps) {
  EXPECT_EQ(HSLToColor(THSL{360, 0.5, 1}), RGB(255, 0, 0));
  EXPECT_EQ(HSLToColor(THSL{0, 0.5, 1}), RGB(255, 0, 0));
  EXPECT_EQ(HSLToColor(THSL{240, 0.5, 1}), RGB(0, 0, 255));
  EXPECT_EQ(HSLToColor(THSL{0, 7, -2}), clWhite);  // L above 1, S below 0
  EXPECT_EQ(HSLToColor(THSL{0, -1, 0}), clBlack);
  // Mean lightness 0.5 of black and white: 127.5 rounds to the even 128.
  EXPECT_EQ(HSLToColor(THSL{0, 0.5, 0}), RGB(128, 128, 128));
  // 0.5 / 255 * 255 style halves: 2.5 -> 2, 3.5 -> 4.
  EXPECT_EQ(GetRValue(HSLToColor(THSL{0, 2.5 / 255, 0})), 2);
  EXPECT_EQ(GetRValue(HSLToColor(THSL{0, 3.5 / 255, 0})), 4);
  for (TColor c : {RGB(12, 200, 99), RGB(255, 255, 0), RGB(1, 2, 3), RGB(250, 10, 128), RGB(77, 77, 78)})
    EXPECT_EQ(HSLToColor(Hsl(c)), c) << std::hex << c;
}

TEST(DIB256Color, HSLToColorRejectsUnreachableChannels) {
  // A NaN hue falls through every hue segment to m1: a colour, not an error.
  EXPECT_EQ(HSLToColor(THSL{std::numeric_limits<double>::quiet_NaN(), 0.5, 1}), RGB(0, 0, 0));
  // A hue far below zero folds only once and leaves the channel range.
  EXPECT_THROW(HSLToColor(THSL{-1000, 0.5, 1}), ERangeError);
}

TEST(DIB256Color, MixHSLTakesTheShorterArc) {
  THSL m;
  MixHSL(THSL{350, 0.5, 1}, THSL{10, 0.5, 1}, m);
  EXPECT_EQ(m.H, 360.0);
  EXPECT_EQ(HSLToColor(m), RGB(255, 0, 0));
  MixHSL(THSL{100, 0.5, 1}, THSL{300, 0.5, 1}, m);
  EXPECT_EQ(m.H, 380.0);
  EXPECT_EQ(HSLToColor(m), HSLToColor(THSL{20, 0.5, 1}));
  MixHSL(THSL{100, 0.2, 1}, THSL{140, 0.6, 0.5}, m);
  EXPECT_EQ(m.H, 120.0);
  EXPECT_DOUBLE_EQ(m.L, 0.4);
  EXPECT_EQ(m.S, 0.75);
  // Exactly opposite: through 0.
  MixHSL(THSL{0, 0.5, 1}, THSL{180, 0.5, 1}, m);
  EXPECT_EQ(m.H, 270.0);
  // A grey takes the other colour's hue.
  MixHSL(THSL{0, 1, 0}, THSL{200, 0.5, 1}, m);
  EXPECT_EQ(m.H, 200.0);
  EXPECT_EQ(m.S, 0.5);
  // The result may alias an argument.
  THSL a{350, 0.5, 1};
  MixHSL(a, THSL{10, 0.5, 1}, a);
  EXPECT_EQ(a.H, 360.0);
}

}  // namespace
}  // namespace pixkura
