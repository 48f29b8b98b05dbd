#include "base/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/Exception.h"

namespace pixkura {
namespace {

// Links followed before giving up, as the system does (a loop ends here).
constexpr int kMaxLinkDepth = 40;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
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

// The folder takes no new file, but the file may be written: it is
// overwritten where it stands.
void WriteInPlace(const std::string& fileName, const std::string& target, const void* data, size_t size) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) throw EFCreateError(FileCreateErrorMessage(fileName));
  int err = 0;
  if (!WriteAll(fd, data, size) || ::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::fsync(fd) != 0)
    err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) ThrowTransferError(fileName, err);
}

// Makes the folder's entry for the renamed file durable too; a folder that
// cannot be opened or flushed costs only that.
void FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
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
  const std::string target = ResolveWriteTarget(fileName);
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  const bool regular = exists && S_ISREG(st.st_mode);
  if (regular && !MayWrite(target, st)) throw EFCreateError(FileCreateErrorMessage(fileName));

  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    if (!regular) throw EFCreateError(FileCreateErrorMessage(fileName));
    WriteInPlace(fileName, target, data, size);
    return;
  }
  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    ThrowTransferError(fileName, err);
  };
  // mkstemp makes the file private; give it the mode a newly created file
  // would have, or the mode and owner of the file it replaces.
  mode_t modeBits = 0;
  if (exists) {
    modeBits = st.st_mode & 07777;
    // Only root may give a file away; anyone else keeps being its owner.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)::fchown(fd, st.st_uid, st.st_gid);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    modeBits = 0666 & ~mask;
  }
  if (::fchmod(fd, modeBits) != 0) fail(errno);
  if (!WriteAll(fd, data, size)) fail(errno);
  if (::fsync(fd) != 0) fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    ThrowTransferError(fileName, err);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    ThrowTransferError(fileName, err);
  }
  FlushFolder(FolderOf(target));
}

}  // namespace pixkura
