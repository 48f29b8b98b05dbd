// Writes and removes the recovery copy on a thread of its own, so that the
// editor's thread only takes the copy of the data. Requests are served in
// order; a newer copy replaces one still waiting, and a removal replaces a
// waiting copy.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "app/core/recovery/RecoveryWriter.h"

namespace pixkura {

class TRecoveryWorker {
 public:
  explicit TRecoveryWorker(std::string folder);
  // Finishes what was asked, then ends the thread.
  ~TRecoveryWorker();
  TRecoveryWorker(const TRecoveryWorker&) = delete;
  TRecoveryWorker& operator=(const TRecoveryWorker&) = delete;

  void Write(TRecoveryCopy copy);
  void Remove();
  // Waits until every request so far is done.
  void Wait();
  // Whether the last write finished since the previous call succeeded
  // (nullopt when none finished).
  std::optional<bool> TakeOutcome();

 private:
  enum class TRequest { None, Write, Remove };
  void Run();

  TRecoveryWriter writer_;
  std::mutex lock_;
  std::condition_variable wake_;
  TRequest request_ = TRequest::None;
  TRecoveryCopy copy_;
  bool busy_ = false, stop_ = false;
  std::optional<bool> outcome_;
  std::thread thread_;  // last: starts when everything it uses is there
};

}  // namespace pixkura
