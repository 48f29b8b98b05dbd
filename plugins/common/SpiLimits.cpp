#include "plugins/common/SpiLimits.h"

#include "formats/SusiePlugin.h"

namespace pixkura::spi {

int32_t CheckPictureSize(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return SPI_BROKEN_DATA;
  // Both factors are positive 64-bit values below 2^32 in every caller, but
  // check anyway: the product is what allocation sizes are built from.
  int64_t pixels = 0;
  if (__builtin_mul_overflow(width, height, &pixels) || pixels > kMaxPixels) return SPI_NO_MEMORY;
  return SPI_SUCCESS;
}

int32_t CheckInputCanDeliver(int64_t units, int64_t inputBytes, int64_t unitsPerByte) {
  if (units < 0 || inputBytes < 0 || unitsPerByte <= 0) return SPI_BROKEN_DATA;
  int64_t most = 0;
  if (__builtin_mul_overflow(inputBytes, unitsPerByte, &most)) return SPI_SUCCESS;
  return units <= most ? SPI_SUCCESS : SPI_BROKEN_DATA;
}

uint16_t PelsPerMeterToDpi(int64_t pelsPerMeter) {
  if (pelsPerMeter <= 0) return 0;
  // 1 inch = 0.0254 m; rounded to the nearest whole dot.
  if (pelsPerMeter > (int64_t{1} << 40)) return UINT16_MAX;
  const int64_t dpi = (pelsPerMeter * 254 + 5000) / 10000;
  return dpi > UINT16_MAX ? UINT16_MAX : static_cast<uint16_t>(dpi);
}

}  // namespace pixkura::spi
