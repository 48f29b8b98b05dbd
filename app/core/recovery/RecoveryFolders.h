// The recovery folder: one subfolder per running editor, each held by an
// advisory lock (flock on its "lock" file) for the editor's lifetime, so two
// editors never take each other's copy, and the copy of an editor that died
// (whose lock the system released) is found at the next start. Discarded
// copies are moved to "discarded/" and kept there for seven days.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/core/recovery/RecoveryCopy.h"

namespace pixkura {

// The lock of one copy folder, held while the object lives.
class TFolderLock {
 public:
  // Takes the lock of folder without waiting; nullopt when another open file
  // holds it (a live editor) or the lock file cannot be made.
  static std::optional<TFolderLock> TryTake(const std::string& folder);
  TFolderLock(TFolderLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  TFolderLock& operator=(TFolderLock&& other) noexcept;
  ~TFolderLock();

 private:
  explicit TFolderLock(int fd) : fd_(fd) {}
  int fd_ = -1;
};

// This editor's own copy folder: made (0700, the root too) and locked.
struct TOwnRecoveryFolder {
  std::string Folder;
  TFolderLock Lock;
};
std::optional<TOwnRecoveryFolder> MakeOwnRecoveryFolder(const std::string& root);

// A copy left by an editor that is gone, held locked while it is offered.
struct TRecoveryOffer {
  std::string Folder;
  TRecoveryCopy Copy;
  TFolderLock Lock;
};
// The readable copies under root whose lock is free, newest first. Folders
// of dead editors that hold no copy at all are removed on the way; a copy
// that cannot be read is left for recovery by hand, never offered.
std::vector<TRecoveryOffer> FindRecoveryCopies(const std::string& root);

// Removes a copy folder with everything in it (the index first).
void RemoveRecoveryFolder(const std::string& folder);
// Moves a copy folder to root/discarded/, and removes discarded copies older
// than seven days before now (seconds since the epoch).
inline constexpr int64_t kDiscardedKeptSeconds = 7 * 24 * 3600;
void DiscardRecoveryFolder(const std::string& root, const std::string& folder, int64_t now);

}  // namespace pixkura
