#include "settings/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "base/Exception.h"
#include "base/FileReplace.h"
#include "settings/ShiftJis.h"

namespace pixkura {
namespace {

enum class TReadResult { kOk, kMissing, kFailed };

struct TFileHandle {
  explicit TFileHandle(int f) : fd(f) {}
  ~TFileHandle() {
    if (fd >= 0) ::close(fd);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int fd;
};

// Reads the whole of a regular file. kMissing: there is no such file;
// kFailed: something is there but cannot be read as a file.
TReadResult ReadWholeFile(const std::string& fileName, std::string& out) {
  out.clear();
  // Non-blocking, so that a FIFO in the file's place cannot hang the reader;
  // anything but a regular file is then refused.
  const TFileHandle file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.fd < 0) return errno == ENOENT || errno == ENOTDIR ? TReadResult::kMissing : TReadResult::kFailed;
  struct stat st {};
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) return TReadResult::kFailed;
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t n = ::read(file.fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return TReadResult::kFailed;
    if (n == 0) return TReadResult::kOk;
    out.append(buffer.data(), static_cast<size_t>(n));
  }
}

// Text as it may stand in one line of the file: it ends at a NUL, and line
// breaks become blanks.
std::string OneLine(std::string_view text) {
  std::string line(text.substr(0, text.find('\0')));
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::string Encode(std::string_view text) { return Utf8ToShiftJis(OneLine(text)); }

}  // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view ident,
                                 std::string_view def) const {
  std::string bytes;
  if (ReadWholeFile(fileName_, bytes) != TReadResult::kOk) return std::string(def);
  const auto value = FindIniValue(bytes, Encode(section), Encode(ident));
  return value ? ShiftJisToUtf8(*value) : std::string(def);
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) const {
  TUpdate update = BeginUpdate();
  update.WriteString(section, ident, value);
  update.Save();
}

TIniFile::TUpdate TIniFile::BeginUpdate() const {
  // The update keeps every other line: a file that is there but cannot be
  // read is not replaced by one holding only the keys set.
  std::string bytes;
  if (ReadWholeFile(fileName_, bytes) == TReadResult::kFailed)
    throw EFWriteError(FileWriteErrorMessage(fileName_));
  return TUpdate(fileName_, std::move(bytes));
}

TIniFile::TUpdate::TUpdate(std::string fileName, std::string bytes)
    : fileName_(std::move(fileName)), original_(bytes), text_(std::move(bytes)) {}

void TIniFile::TUpdate::WriteString(std::string_view section, std::string_view ident,
                                    std::string_view value) {
  text_ = SetIniValue(text_, Encode(section), Encode(ident), Encode(value));
}

void TIniFile::TUpdate::Save() const {
  if (text_ == original_) return;
  try {
    WriteFileAtomically(fileName_, text_.data(), text_.size());
  } catch (const EStreamError&) {
    throw EFWriteError(FileWriteErrorMessage(fileName_));
  } catch (const EInOutError&) {
    throw EFWriteError(FileWriteErrorMessage(fileName_));
  }
}

TIniFile::TSection TIniFile::ReadSection(std::string_view section) const {
  std::string bytes;
  if (ReadWholeFile(fileName_, bytes) != TReadResult::kOk) bytes.clear();
  return TSection(TIniSectionValues(std::move(bytes), Encode(section)));
}

std::string TIniFile::TSection::ReadString(std::string_view ident, std::string_view def) const {
  const auto value = values_.Find(Encode(ident));
  return value ? ShiftJisToUtf8(*value) : std::string(def);
}

}  // namespace pixkura
