// Overflow-checked integer arithmetic for sizes that come from outside data.
#pragma once

#include <cstdint>
#include <limits>

namespace pixkura {

// a * b, or false when it does not fit in T.
template <typename T>
[[nodiscard]] constexpr bool CheckedMul(T a, T b, T& out) {
  return !__builtin_mul_overflow(a, b, &out);
}

template <typename T>
[[nodiscard]] constexpr bool CheckedAdd(T a, T b, T& out) {
  return !__builtin_add_overflow(a, b, &out);
}

template <typename T>
[[nodiscard]] constexpr bool CheckedSub(T a, T b, T& out) {
  return !__builtin_sub_overflow(a, b, &out);
}

// Bytes of one BMP row: (bitCount * width + 31) div 32 * 4, or -1 when it
// overflows a 32-bit signed size.
constexpr int64_t BmpRowSize(int64_t bitCount, int64_t width) {
  int64_t bits = 0;
  if (__builtin_mul_overflow(bitCount, width, &bits) || bits < 0 || bits > (int64_t{1} << 35)) return -1;
  const int64_t row = (bits + 31) / 32 * 4;
  return row > std::numeric_limits<int32_t>::max() ? -1 : row;
}

}  // namespace pixkura
