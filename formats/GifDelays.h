// Frame delays in the hundredths of a second a GIF file stores. Each frame
// is rounded so that it ends at its exact end time rounded to the nearest
// hundredth (halves up): the rounding errors never add up, and a whole loop
// lasts its exact total time rounded once. Three frames of 25 ms become 3, 2
// and 3 hundredths: 80 ms in all for 75.
//
// Delays under 20 ms are refused rather than written: most viewers (every
// web browser) show a delay of 0 or 1 hundredth as 100 ms, so what the file
// says and what a viewer shows would part. 20 ms and more always round to at
// least 2 hundredths.
#pragma once

#include <cstdint>
#include <vector>

namespace pixkura {

inline constexpr int32_t kGifMinDelayMs = 20;
inline constexpr int32_t kGifMaxDelayMs = 655350;  // 65535 hundredths, the most a frame can store

// The stored delays of frames shown delaysMs milliseconds each. ERangeError
// for a delay outside kGifMinDelayMs..kGifMaxDelayMs.
std::vector<uint16_t> GifDelaysOf(const std::vector<int32_t>& delaysMs);

}  // namespace pixkura
