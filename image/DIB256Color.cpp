// The HSL colour helpers behind the half-transparent blend tool.
#include <cmath>

#include "base/Exception.h"
#include "image/DIB256.h"
#include "image/HSLArithmetic.h"

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
  // One subtraction folds hues up to 720; larger ones need FloatMod's loop.
  return hsl::HueChannel(hue > 720 ? FloatMod(360, hue) : hue, m1, m2);
}

namespace {

[[noreturn, gnu::cold, gnu::noinline]] void ThrowRangeError() { throw ERangeError("Range check error"); }

}  // namespace

TColor HSLToColor(const THSL& hsl) {
  const double s = hsl::Clamp01(hsl.S);
  const double l = hsl::Clamp01(hsl.L);
  double h = FloatMod(360, hsl.H);
  if (h < 0) h += 360;
  const hsl::TChannels c = hsl::Channels(h, l, s);
  if (!hsl::InByteRange(c)) ThrowRangeError();
  return RGB(static_cast<uint8_t>(c.Red), static_cast<uint8_t>(c.Green), static_cast<uint8_t>(c.Blue));
}

void MixHSL(const THSL& a, const THSL& b, THSL& result) {
  // Read everything first: result may be a or b.
  const double s = (a.S + b.S) / 2;
  const double l = (a.L + b.L) / 2;
  const double h = hsl::MeanHue(a.H, a.S, b.H, b.S);
  result.S = s;
  result.L = l;
  result.H = h;
}

}  // namespace pixkura
