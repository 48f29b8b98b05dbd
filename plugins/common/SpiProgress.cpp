#include "plugins/common/SpiProgress.h"

#include <algorithm>

namespace pixkura::spi {

bool TProgress::Report(int32_t num, int32_t denom) {
  if (callback_ == nullptr) return true;
  return callback_(num, denom, data_) == 0;
}

bool TProgress::Step(int64_t done, int64_t total, int64_t every) {
  if (total <= 0) return true;
  if (done % std::max<int64_t>(every, 1) != 0 && done != total) return true;
  // The callback takes 32-bit counts; scale large totals down to fit.
  const int64_t scale = total / INT32_MAX + 1;
  return Report(static_cast<int32_t>(std::min(done, total) / scale), static_cast<int32_t>(total / scale));
}

}  // namespace pixkura::spi
