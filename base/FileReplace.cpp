#include "base/FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string_view>
#include <vector>

#include "base/Exception.h"

namespace pixkura {
namespace {

// Links followed before giving up, as the system does (a loop ends here).
constexpr int kMaxLinkDepth = 40;

// The temporary file's name, hidden and of one short length, so that a
// target whose name is NAME_MAX bytes long still has room beside it.
constexpr std::string_view kTempPrefix = ".pixkura-";
constexpr std::string_view kTempPattern = ".pixkura-XXXXXX";
// A temporary file older than this was left by a save that was killed.
constexpr time_t kLeftoverAge = 24 * 60 * 60;

int MakeTemporaryFile(std::string& pattern) { return ::mkstemp(pattern.data()); }
TTemporaryFileMaker temporaryFileMaker = MakeTemporaryFile;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void ThrowCreateError(const std::string& fileName) {
  throw EFCreateError(FileCreateErrorMessage(fileName));
}

[[noreturn]] void ThrowTransferError(const std::string& fileName, int err) {
  throw EInOutError(fileName + ": " + std::strerror(err));
}

// Writes all of data to fd; false with errno set when the system refuses.
bool WriteAll(int fd, const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, p + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// A file this user may write: writable by the system's rules, and with at
// least one write bit, so that a file made read-only stays so even for a
// user the system would let through (root).
bool MayWrite(const std::string& target, const struct stat& st) {
  return (st.st_mode & 0222) != 0 && ::access(target.c_str(), W_OK) == 0;
}

// A file with other names (hard links) must stay the one file they all name.
bool MayReplace(const struct stat& st) { return st.st_nlink == 1; }

// The folder refuses a new file, but may leave the old one writable.
bool RefusedByPermission(int err) { return err == EACCES || err == EPERM || err == EROFS; }

// Writes the file where it stands. A regular file is then cut to the new
// length and flushed; a pipe or a device takes the bytes as they come, as
// it cannot be cut or flushed. Whatever cannot be opened for writing (a
// folder, a socket) is the create error.
void WriteInPlace(const std::string& fileName, const std::string& target, bool regular, const void* data,
                  size_t size) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) ThrowCreateError(fileName);
  int err = 0;
  if (!WriteAll(fd, data, size) ||
      (regular && (::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::fsync(fd) != 0)))
    err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) ThrowTransferError(fileName, err);
}

// The names of path's extended attributes, one after another, each ended by
// a zero byte; none on a file system that keeps none. False when they
// cannot be listed.
bool ListAttributes(const std::string& path, std::vector<char>& names) {
  const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
  if (size <= 0) return size == 0 || errno == ENOTSUP;
  names.resize(static_cast<size_t>(size));
  const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
  names.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return got >= 0;
}

// Copies every extended attribute of source (the POSIX ACL is one) onto fd;
// false when one cannot be read or set.
bool CopyAttributes(const std::string& source, int fd) {
  std::vector<char> names, value;
  if (!ListAttributes(source, names)) return false;
  for (size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
    const char* name = names.data() + at;
    const ssize_t size = ::getxattr(source.c_str(), name, nullptr, 0);
    if (size < 0) return false;
    value.resize(static_cast<size_t>(size));
    if (size > 0 && ::getxattr(source.c_str(), name, value.data(), value.size()) != size) return false;
    if (::fsetxattr(fd, name, value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}

// Gives the new file what the replaced one had: owner and group (only root,
// or an owner passing the file to a group of its own, may), permission bits
// and extended attributes. False when any of them cannot be kept.
bool TakeOverAttributes(int fd, const std::string& target, const struct stat& st) {
  if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0)
    return false;
  return ::fchmod(fd, st.st_mode & 07777) == 0 && CopyAttributes(target, fd);
}

// The mode a newly created file gets: what the umask leaves of rw for all.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Removes the temporary files killed saves left in folder: our name, a
// regular file of ours, unchanged for more than a day (a save under way
// elsewhere is never that old).
void RemoveLeftovers(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.size() != kTempPattern.size() || !name.starts_with(kTempPrefix)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        st.st_uid == ::geteuid() && now - st.st_mtime > kLeftoverAge)
      ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Makes the folder's entry for the renamed file durable too; a folder that
// cannot be opened or flushed costs only that.
void FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Writes and flushes the temporary file and renames it over target; on any
// failure the temporary file is removed and the target is as it was.
void FinishReplacement(const std::string& fileName, const std::string& target, int fd,
                       const std::string& temp, const void* data, size_t size) {
  int err = 0;
  if (!WriteAll(fd, data, size) || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    ThrowTransferError(fileName, err);
  }
}

}  // namespace

std::string ResolveWriteTarget(const std::string& fileName) {
  std::string path = fileName;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n <= 0 || static_cast<size_t>(n) >= buffer.size()) return path;
    const std::string link(buffer.data(), static_cast<size_t>(n));
    path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
  }
  return path;
}

void WriteFileAtomically(const std::string& fileName, const void* data, size_t size) {
  // A pipe or device is opened by the name given: /dev/stdout links to names
  // like "pipe:[1234]" that are no path to follow.
  struct stat st {};
  const bool exists = ::stat(fileName.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return WriteInPlace(fileName, fileName, false, data, size);
  const std::string target = ResolveWriteTarget(fileName);
  if (exists && !MayWrite(target, st)) ThrowCreateError(fileName);
  if (exists && !MayReplace(st)) return WriteInPlace(fileName, target, true, data, size);

  const std::string folder = FolderOf(target);
  RemoveLeftovers(folder);
  std::string temp = folder + "/" + std::string(kTempPattern);
  const int fd = temporaryFileMaker(temp);
  if (fd < 0) {
    const int err = errno;
    if (exists && RefusedByPermission(err)) return WriteInPlace(fileName, target, true, data, size);
    if (RefusedByPermission(err) || err == ENOENT || err == ENOTDIR) ThrowCreateError(fileName);
    ThrowTransferError(fileName, err);
  }
  // mkstemp makes the file private; give it the mode a newly created file
  // would have, or all the replaced file had.
  const bool ready = exists ? TakeOverAttributes(fd, target, st) : ::fchmod(fd, NewFileMode()) == 0;
  if (!ready) {
    ::close(fd);
    ::unlink(temp.c_str());
    if (exists) return WriteInPlace(fileName, target, true, data, size);
    ThrowCreateError(fileName);
  }
  FinishReplacement(fileName, target, fd, temp, data, size);
  FlushFolder(folder);
}

void SetTemporaryFileMakerForTesting(TTemporaryFileMaker maker) {
  temporaryFileMaker = maker ? maker : MakeTemporaryFile;
}

}  // namespace pixkura
