#include "app/core/recovery/RecoveryFolders.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace pixkura {
namespace {

constexpr const char* kLockName = "lock";
constexpr const char* kDiscardedName = "discarded";

// The entries of folder other than "." and "..".
std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) return;
  }
}

}  // namespace

std::optional<TFolderLock> TFolderLock::TryTake(const std::string& folder) {
  const int fd = ::open((folder + "/" + kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return std::nullopt;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return std::nullopt;
  }
  return TFolderLock(fd);
}

TFolderLock& TFolderLock::operator=(TFolderLock&& other) noexcept {
  std::swap(fd_, other.fd_);
  return *this;
}

TFolderLock::~TFolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<TOwnRecoveryFolder> MakeOwnRecoveryFolder(const std::string& root) {
  MakeFolders(root);
  // The process id and the start time in nanoseconds: unique on this machine.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const std::string name = std::to_string(::getpid()) + "-" +
                           std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
  // Made and locked under a hidden name, so that no other editor starting
  // now takes it for a dead editor's folder before the lock is held.
  const std::string hidden = root + "/." + name, folder = root + "/" + name;
  if (::mkdir(hidden.c_str(), 0700) != 0) return std::nullopt;
  auto lock = TFolderLock::TryTake(hidden);
  if (!lock || ::rename(hidden.c_str(), folder.c_str()) != 0) {
    RemoveRecoveryFolder(hidden);
    return std::nullopt;
  }
  return TOwnRecoveryFolder{folder, std::move(*lock)};
}

std::vector<TRecoveryOffer> FindRecoveryCopies(const std::string& root) {
  std::vector<TRecoveryOffer> offers;
  for (const auto& name : Entries(root)) {
    const std::string folder = root + "/" + name;
    if (name == kDiscardedName || name.front() == '.' || !IsFolder(folder)) continue;
    auto lock = TFolderLock::TryTake(folder);
    if (!lock) continue;  // a live editor's
    if (auto copy = ReadRecoveryCopy(folder)) {
      offers.push_back({folder, std::move(*copy), std::move(*lock)});
    } else if (::access((folder + "/" + kRecoveryIndexName).c_str(), F_OK) != 0) {
      RemoveRecoveryFolder(folder);  // a dead editor that had nothing unsaved
    }
  }
  std::stable_sort(offers.begin(), offers.end(),
                   [](const TRecoveryOffer& a, const TRecoveryOffer& b) { return a.Copy.Time > b.Copy.Time; });
  return offers;
}

void RemoveRecoveryFolder(const std::string& folder) {
  ::unlink((folder + "/" + kRecoveryIndexName).c_str());
  for (const auto& name : Entries(folder)) ::unlink((folder + "/" + name).c_str());
  ::rmdir(folder.c_str());
}

void DiscardRecoveryFolder(const std::string& root, const std::string& folder, int64_t now) {
  const std::string discarded = root + "/" + kDiscardedName;
  ::mkdir(discarded.c_str(), 0700);
  const std::string target = discarded + "/" + folder.substr(folder.rfind('/') + 1);
  // The folder's time says when it was discarded.
  if (::rename(folder.c_str(), target.c_str()) == 0) ::utimensat(AT_FDCWD, target.c_str(), nullptr, 0);
  for (const auto& name : Entries(discarded)) {
    struct stat st {};
    const std::string old = discarded + "/" + name;
    if (::lstat(old.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && now - st.st_mtime > kDiscardedKeptSeconds)
      RemoveRecoveryFolder(old);
  }
}

}  // namespace pixkura
