// The arithmetic of the HSL colour helpers (ColorToHSL's inverse and the
// mean of two colours) as small inline pieces without branches. The public
// helpers in DIB256.h are built from them, and loops that convert many colours
// at once (the blend table) use the same pieces, so both give identical
// results and the loops run on vectors. Every piece keeps the exact order of
// floating-point operations that the results depend on; conditions are
// combined with & and | (no short cuts), so the compiler selects instead of
// branching.
#pragma once

#include <cmath>
#include <cstdint>

namespace pixkura::hsl {

// The mean hue of two colours: along the shorter arc; exactly opposite hues go
// through 0; a grey (saturation 0, hue 0) takes the other colour's hue. The
// result may exceed 360.
inline double MeanHue(double aH, double aS, double bH, double bS) {
  const double lo = aH < bH ? aH : bH;
  const double hi = aH < bH ? bH : aH;
  const double d1 = std::fabs(hi - lo);
  const double d2 = std::fabs(360 + lo - hi);
  const double arc = d1 >= d2 ? (aH + bH + 360) / 2 : (aH + bH) / 2;
  const bool grey = (aS == 0) | (bS == 0);
  return grey ? aH + bH : arc;
}

inline double Clamp01(double v) {
  const double above = v < 0 ? 0 : v;
  return above > 1 ? 1 : above;
}

// A hue of at most 720 reduced by 360 when above 360, then raised by 360 when
// negative: FloatMod(360, hue) and the fold that follows it, for the range
// where FloatMod needs one subtraction.
inline double FoldHue(double hue) {
  const double reduced = hue > 360 ? hue - 360 : hue;
  return reduced < 0 ? reduced + 360 : reduced;
}

// HueValue for a hue of at most 720: one channel between m1 and m2.
inline double HueChannel(double hue, double m1, double m2) {
  hue = FoldHue(hue);
  // The rising and the falling edge share one formula on their own distance.
  const double edge = hue < 60 ? hue : 240 - hue;
  const double ramp = m1 + (m2 - m1) * edge / 60;
  const double flat = hue < 180 ? m2 : m1;
  const bool onEdge = (hue < 60) | ((hue >= 180) & (hue < 240));
  return onEdge ? ramp : flat;
}

// Nearest integer, halves to the even neighbour, whatever the floating-point
// rounding mode. Values outside -1..256 (and NaN) give -1000, which no caller
// takes for a channel.
inline int32_t RoundHalfEven(double value) {
  const bool inRange = (value >= -1.0) & (value <= 256.0);
  const double v = inRange ? value : -1000.0;
  int32_t rounded = static_cast<int32_t>(v);  // toward zero, then down to the floor
  rounded -= static_cast<double>(rounded) > v ? 1 : 0;
  const double fraction = v - rounded;
  const bool up = (fraction > 0.5) | ((fraction == 0.5) & ((rounded & 1) != 0));
  rounded += up ? 1 : 0;
  return rounded;
}

struct TChannels {
  int32_t Red, Green, Blue;  // each 0..255 unless the input was out of reach
};

// HSL to red, green and blue for a hue already folded to at most 360 and a
// lightness and saturation already clamped to 0..1. Always inlined, so a
// loop over many colours keeps it on vectors.
[[gnu::always_inline]] inline TChannels Channels(double h, double l, double s) {
  const double m2 = l <= 0.5 ? l * (1 + s) : (1 - s) * l + s;
  const double m1 = 2 * l - m2;
  return {RoundHalfEven(255 * HueChannel(h + 120, m1, m2)), RoundHalfEven(255 * HueChannel(h, m1, m2)),
          RoundHalfEven(255 * HueChannel(h - 120, m1, m2))};
}

inline bool InByteRange(const TChannels& c) {
  return static_cast<uint32_t>(c.Red) <= 255 && static_cast<uint32_t>(c.Green) <= 255 &&
         static_cast<uint32_t>(c.Blue) <= 255;
}

}  // namespace pixkura::hsl
