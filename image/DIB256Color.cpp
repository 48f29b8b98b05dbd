// The HSL colour helpers behind the half-transparent blend tool.
#include <cmath>

#include "base/Exception.h"
#include "image/DIB256.h"

namespace pixkura {

void ColorToHSL(TColor color, THSL& hsl) {
  const double r = GetRValue(color) / 255.0;
  const double g = GetGValue(color) / 255.0;
  const double b = GetBValue(color) / 255.0;
  double max = r;
  if (r < g) max = g;
  if (b > max) max = b;
  double min = r;
  if (r > g) min = g;
  if (b < min) min = b;

  hsl.L = (max + min) / 2;
  const double d = max - min;
  if (d == 0) {
    hsl.S = 0;
    hsl.H = 0;
    return;
  }
  hsl.S = hsl.L <= 0.5 ? d / (max + min) : d / (2 - (max + min));
  // Exact comparisons in this order: a tie between red and another channel
  // takes the red formula.
  double h = 0;
  if (r == max)
    h = (g - b) / d;
  else if (g == max)
    h = (b - r) / d + 2;
  else
    h = (r - g) / d + 4;
  h *= 60;
  if (h < 0) h += 360;
  hsl.H = h;
}

double FloatMod(int32_t n, double x) {
  if (n <= 0 || !(x > n)) return x;
  if (x <= 2.0 * n) return x - n;  // one subtraction (exact): the common case
  // Subtracting n while x > n is exact below 2^53 and lands in (0, n]; fmod
  // gives the same value without looping, and ends for huge values too.
  const double r = std::fmod(x, static_cast<double>(n));
  return r == 0 ? static_cast<double>(n) : r;
}

double HueValue(double hue, double m1, double m2) {
  hue = FloatMod(360, hue);
  if (hue < 0) hue += 360;
  if (hue < 60) return m1 + (m2 - m1) * hue / 60;
  if (hue < 180) return m2;
  if (hue < 240) return m1 + (m2 - m1) * (240 - hue) / 60;
  return m1;
}

namespace {

// Round to nearest, halves to the even neighbour (independent of the
// floating-point rounding mode), checked into a channel byte.
[[noreturn, gnu::cold, gnu::noinline]] void ThrowRangeError() { throw ERangeError("Range check error"); }

inline uint8_t RoundChannel(double value) {
  // Outside this range (or NaN) no rounding can land in 0..255.
  if (!(value >= -1.0 && value <= 256.0)) ThrowRangeError();
  auto rounded = static_cast<int32_t>(value);  // toward zero, then down to the floor
  if (static_cast<double>(rounded) > value) --rounded;
  const double fraction = value - rounded;
  if (fraction > 0.5 || (fraction == 0.5 && (rounded & 1) != 0)) ++rounded;
  if (rounded < 0 || rounded > 255) ThrowRangeError();
  return static_cast<uint8_t>(rounded);
}

double Clamp01(double v) {
  if (v < 0) return 0;
  if (v > 1) return 1;
  return v;
}

}  // namespace

TColor HSLToColor(const THSL& hsl) {
  const double s = Clamp01(hsl.S);
  const double l = Clamp01(hsl.L);
  double h = FloatMod(360, hsl.H);
  if (h < 0) h += 360;
  const double m2 = l <= 0.5 ? l * (1 + s) : (1 - s) * l + s;
  const double m1 = 2 * l - m2;
  const uint8_t red = RoundChannel(255 * HueValue(h + 120, m1, m2));
  const uint8_t green = RoundChannel(255 * HueValue(h, m1, m2));
  const uint8_t blue = RoundChannel(255 * HueValue(h - 120, m1, m2));
  return RGB(red, green, blue);
}

void MixHSL(const THSL& a, const THSL& b, THSL& result) {
  // Read everything first: result may be a or b.
  const double s = (a.S + b.S) / 2;
  const double l = (a.L + b.L) / 2;
  double h = 0;
  if (a.S == 0 || b.S == 0) {
    // A grey has hue 0, so this is the other colour's hue.
    h = a.H + b.H;
  } else {
    const double lo = a.H < b.H ? a.H : b.H;
    const double hi = a.H < b.H ? b.H : a.H;
    const double d1 = std::fabs(hi - lo);
    const double d2 = std::fabs(360 + lo - hi);
    // Along the shorter arc; exactly opposite hues go through 0.
    h = d1 >= d2 ? (a.H + b.H + 360) / 2 : (a.H + b.H) / 2;
  }
  result.S = s;
  result.L = l;
  result.H = h;
}

}  // namespace pixkura
