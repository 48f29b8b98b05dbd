// The editor's keeper of recovery copies: its own locked folder, the
// schedule and the worker that writes. It reads the document and the place
// the editor gives it; it never reaches into a view.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/document/SheetDocument.h"
#include "app/core/recovery/RecoveryFolders.h"
#include "app/core/recovery/RecoverySchedule.h"
#include "app/core/recovery/RecoveryWorker.h"

namespace pixkura {

// The cell and the zoom a copy keeps beside the document.
struct TRecoveryPlace {
  int32_t CellX = 0, CellY = 0, LupeX = 0, LupeY = 0;
  uint8_t Bairitu = 3;
};

class TRecoveryKeeper {
 public:
  using TTime = TRecoverySchedule::TTime;

  // Ending without Stop (the program ends some other way) keeps the copy
  // for the next start: only a close that lost nothing removes it.
  ~TRecoveryKeeper() = default;

  // Keeps copies under root from now on; false when its folder could not be
  // made (nothing is kept then).
  bool Start(const std::string& root);
  const std::string& Root() const { return root_; }
  TRecoverySchedule Schedule;

  enum class TOutcome { Nothing, Written, Removed, WriteFailed };
  // One tick of the window's timer: a failed write reported by the worker
  // (WriteFailed, once until a write succeeds again), the copy removed when
  // nothing is unsaved, or a new copy handed to the worker when one is due.
  TOutcome Tick(const TSheetDocument& document, const TRecoveryPlace& place, bool stroke, TTime now);
  // Writes a copy now and waits for it (after a recovery, before the copy it
  // came from goes).
  bool WriteNow(const TSheetDocument& document, const TRecoveryPlace& place);
  // The editor closes with nothing unsaved: the copy and the folder go.
  void Stop();
  // Waits for the worker (tests).
  void Wait() {
    if (worker_) worker_->Wait();
  }
  const std::string& Folder() const { return own_ ? own_->Folder : root_; }

 private:
  TRecoveryCopy Capture(const TSheetDocument& document, const TRecoveryPlace& place) const;

  std::string root_;
  std::optional<TOwnRecoveryFolder> own_;
  std::unique_ptr<TRecoveryWorker> worker_;
  bool hasCopy_ = false;
  bool failureShown_ = false;
};

}  // namespace pixkura
