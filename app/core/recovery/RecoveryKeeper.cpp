#include "app/core/recovery/RecoveryKeeper.h"

#include <ctime>
#include <utility>

#include "app/core/recovery/RecoveryCapture.h"

namespace pixkura {

bool TRecoveryKeeper::Start(const std::string& root) {
  Stop();
  root_ = root;
  if (root.empty()) return false;  // no folder for the program's own files at all
  own_ = MakeOwnRecoveryFolder(root);
  if (own_) worker_ = std::make_unique<TRecoveryWorker>(own_->Folder);
  return own_.has_value();
}

TRecoveryCopy TRecoveryKeeper::Capture(const TSheetDocument& document, const TRecoveryPlace& place) const {
  TRecoveryCopy copy;
  copy.Time = static_cast<int64_t>(std::time(nullptr));
  copy.CellX = place.CellX, copy.CellY = place.CellY, copy.LupeX = place.LupeX, copy.LupeY = place.LupeY;
  copy.Bairitu = place.Bairitu;
  CaptureDocument(document, copy);
  return copy;
}

TRecoveryKeeper::TOutcome TRecoveryKeeper::Tick(const TSheetDocument& document, const TRecoveryPlace& place,
                                                bool stroke, TTime now) {
  if (!worker_) return TOutcome::Nothing;
  if (const auto written = worker_->TakeOutcome()) {
    if (!*written) {
      Schedule.Failed(now);
      if (!std::exchange(failureShown_, true)) return TOutcome::WriteFailed;
    } else {
      failureShown_ = false;
    }
  }
  if (!document.Modified()) {
    Schedule.Due(document.Changes(), false, now);
    Schedule.Taken();  // nothing unsaved: nothing the copy lacks
    if (!std::exchange(hasCopy_, false)) return TOutcome::Nothing;
    worker_->Remove();
    return TOutcome::Removed;
  }
  if (!Schedule.Due(document.Changes(), stroke, now)) return TOutcome::Nothing;
  worker_->Write(Capture(document, place));
  Schedule.Taken();
  hasCopy_ = true;
  return TOutcome::Written;
}

bool TRecoveryKeeper::WriteNow(const TSheetDocument& document, const TRecoveryPlace& place) {
  if (!worker_) return false;
  worker_->Write(Capture(document, place));
  worker_->Wait();
  hasCopy_ = true;
  Schedule.Due(document.Changes(), false, {});
  Schedule.Taken();
  const auto written = worker_->TakeOutcome();
  return written && *written;
}

void TRecoveryKeeper::Stop() {
  if (!worker_) return;
  worker_->Remove();
  worker_.reset();  // waits for the removal
  RemoveRecoveryFolder(own_->Folder);
  own_.reset();
  hasCopy_ = false;
}

}  // namespace pixkura
