#include "app/core/recovery/RecoveryWorker.h"

#include <utility>

namespace pixkura {

TRecoveryWorker::TRecoveryWorker(std::string folder) : writer_(std::move(folder)), thread_([this] { Run(); }) {}

TRecoveryWorker::~TRecoveryWorker() {
  {
    const std::lock_guard<std::mutex> guard(lock_);
    stop_ = true;
  }
  wake_.notify_all();
  thread_.join();
}

void TRecoveryWorker::Write(TRecoveryCopy copy) {
  {
    const std::lock_guard<std::mutex> guard(lock_);
    copy_ = std::move(copy);
    request_ = TRequest::Write;
  }
  wake_.notify_all();
}

void TRecoveryWorker::Remove() {
  {
    const std::lock_guard<std::mutex> guard(lock_);
    request_ = TRequest::Remove;
  }
  wake_.notify_all();
}

void TRecoveryWorker::Wait() {
  std::unique_lock<std::mutex> guard(lock_);
  wake_.wait(guard, [this] { return request_ == TRequest::None && !busy_; });
}

std::optional<bool> TRecoveryWorker::TakeOutcome() {
  const std::lock_guard<std::mutex> guard(lock_);
  return std::exchange(outcome_, std::nullopt);
}

void TRecoveryWorker::Run() {
  std::unique_lock<std::mutex> guard(lock_);
  for (;;) {
    wake_.wait(guard, [this] { return request_ != TRequest::None || stop_; });
    if (request_ == TRequest::None) return;  // stopping with nothing left to do
    const TRequest request = std::exchange(request_, TRequest::None);
    const TRecoveryCopy copy = request == TRequest::Write ? std::move(copy_) : TRecoveryCopy();
    busy_ = true;
    guard.unlock();
    bool ok = true;
    try {
      if (request == TRequest::Write) writer_.Write(copy);
      else writer_.Remove();
    } catch (const std::exception&) {
      ok = false;  // disk full, folder gone or unwritable: the keeper reports it
    }
    guard.lock();
    busy_ = false;
    if (request == TRequest::Write) outcome_ = ok;
    wake_.notify_all();
  }
}

}  // namespace pixkura
