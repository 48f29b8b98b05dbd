#include "app/core/recovery/RecoverySchedule.h"

#include <algorithm>

namespace pixkura {

void TRecoverySchedule::SetInterval(std::chrono::seconds interval) {
  interval_ = std::clamp(interval, kMinInterval, kMaxInterval);
}

bool TRecoverySchedule::Due(uint64_t changes, bool stroke, TTime now) {
  if (changes != seen_) {
    seen_ = changes;
    lastChange_ = now;
    if (!unwrittenSince_) unwrittenSince_ = now;
  }
  if (!unwrittenSince_ || stroke) return false;
  return now - lastChange_ >= interval_ || now - *unwrittenSince_ >= std::max(kCeiling, interval_);
}

void TRecoverySchedule::Failed(TTime now) {
  lastChange_ = now;
  unwrittenSince_ = now;
}

}  // namespace pixkura
