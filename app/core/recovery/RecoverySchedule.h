// When a recovery copy is due: a set interval after the last change, and at
// least every 30 seconds (or the interval, when it is longer) while changes
// go on, but never while a stroke is under way, so that a copy never holds
// half a stroke and drawing is never held up. A failed write is tried again
// one interval later. The clock is the caller's.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace pixkura {

class TRecoverySchedule {
 public:
  using TTime = std::chrono::steady_clock::time_point;
  static constexpr std::chrono::seconds kMinInterval{1}, kMaxInterval{600}, kDefaultInterval{5};
  static constexpr std::chrono::seconds kCeiling{30};

  // The interval after the last change, kept within kMinInterval..kMaxInterval.
  void SetInterval(std::chrono::seconds interval);
  std::chrono::seconds Interval() const { return interval_; }

  // Whether a copy is due at now, given the document's change count and
  // whether a stroke is under way.
  bool Due(uint64_t changes, bool stroke, TTime now);
  // A copy of every change so far was taken.
  void Taken() { unwrittenSince_.reset(); }
  // The write failed: the next try comes one interval after now.
  void Failed(TTime now);

 private:
  std::chrono::seconds interval_ = kDefaultInterval;
  uint64_t seen_ = 0;
  TTime lastChange_{};
  std::optional<TTime> unwrittenSince_;  // the first change the copy lacks
};

}  // namespace pixkura
