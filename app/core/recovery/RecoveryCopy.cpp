#include "app/core/recovery/RecoveryCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <limits>

namespace pixkura {
namespace {

constexpr const char* kMagic = "pixkura-recovery 1";
constexpr size_t kMaxIndexSize = 64 * 1024;
constexpr size_t kMaxFileNameSize = 4096;  // PATH_MAX: a longer name names no file

std::string Hex(uint64_t value, int digits) {
  char text[17];
  std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
  return text;
}

std::string HexBytes(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) text += Hex(c, 2);
  return text;
}

std::optional<std::string> BytesOfHex(std::string_view text) {
  if (text.size() % 2 != 0 || text.size() / 2 > kMaxFileNameSize) return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
    if (ec != std::errc() || end != text.data() + i + 2) return std::nullopt;
    bytes += static_cast<char>(value);
  }
  return bytes;
}

// The index read line by line, each line as words split at single spaces; a
// malformed line makes every later read fail.
class TIndexReader {
 public:
  explicit TIndexReader(std::string_view text) : rest_(text) {}

  // The words of the next line when it starts with key and has count words
  // after it.
  std::optional<std::vector<std::string_view>> Line(std::string_view key, size_t count) {
    const size_t end = rest_.find('\n');
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    std::vector<std::string_view> words;
    for (size_t space; (space = line.find(' ')) != std::string_view::npos; line.remove_prefix(space + 1))
      words.push_back(line.substr(0, space));
    words.push_back(line);
    if (words.size() != count + 1 || words[0] != key) return std::nullopt;
    words.erase(words.begin());
    return words;
  }
  bool AtEnd() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

// A whole decimal (or hex) number of the given type, and inside [lo, hi].
template <typename T>
std::optional<T> Number(std::string_view text, int64_t lo, int64_t hi, int base = 10) {
  int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi)
    return std::nullopt;
  return static_cast<T>(value);
}

std::optional<uint64_t> Checksum(std::string_view text) {
  uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.size() != 16 || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Reads a whole file of at most limit bytes; nullopt when it cannot be read
// or is longer.
std::optional<std::vector<uint8_t>> ReadSmallFile(const std::string& name, size_t limit) {
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return std::nullopt;
  std::vector<uint8_t> data(limit + 1);
  size_t got = 0;
  for (ssize_t n; got < data.size() && (n = ::read(fd, data.data() + got, data.size() - got)) != 0;) {
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  if (got > limit) return std::nullopt;
  data.resize(got);
  return data;
}

std::string PartLine(const TRecoveryPicture& picture) {
  return "part " + RecoveryPartName(picture) + " " + std::to_string(picture.size()) + " " +
         Hex(RecoveryChecksum(picture.data(), picture.size()), 16) + "\n";
}

// The picture a part line names, fetched and checked.
std::optional<TRecoveryPicture> ReadPart(TIndexReader& index, const TRecoveryFetch& fetch) {
  const auto words = index.Line("part", 3);
  if (!words) return std::nullopt;
  const auto size = Number<size_t>((*words)[1], kRecoveryPictureSize, kRecoveryPictureSize);
  const auto sum = Checksum((*words)[2]);
  if (!size || !sum || (*words)[0] != "p-" + Hex(*sum, 16)) return std::nullopt;
  auto data = fetch(std::string((*words)[0]));
  if (!data || data->size() != *size || RecoveryChecksum(data->data(), data->size()) != *sum) return std::nullopt;
  return data;
}

}  // namespace

uint64_t RecoveryChecksum(const uint8_t* data, size_t size) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ull;
  return hash;
}

std::string RecoveryPartName(const TRecoveryPicture& picture) {
  return "p-" + Hex(RecoveryChecksum(picture.data(), picture.size()), 16);
}

std::string FormatRecoveryIndex(const TRecoveryCopy& copy) {
  std::string text = std::string(kMagic) + "\n";
  text += "time " + std::to_string(copy.Time) + "\n";
  text += "file " + HexBytes(copy.FileName) + "\n";
  text += "cell " + std::to_string(copy.CellX) + " " + std::to_string(copy.CellY) + " " +
          std::to_string(copy.LupeX) + " " + std::to_string(copy.LupeY) + "\n";
  text += "zoom " + std::to_string(copy.Bairitu) + "\n";
  text += "undo " + std::to_string(copy.UndoSlots.size()) + " " + std::to_string(copy.UndoNum) + " " +
          std::to_string(copy.UndoPos) + " " + (copy.UndoFresh ? "1" : "0") + "\n";
  text += PartLine(copy.Sheet);
  for (const auto& slot : copy.UndoSlots) text += PartLine(slot);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  return text + "end " + Hex(RecoveryChecksum(bytes, text.size()), 16) + "\n";
}

std::optional<TRecoveryCopy> ParseRecoveryCopy(const std::string& indexText, const TRecoveryFetch& fetch) {
  // The last line checks everything before it: a torn index is refused whole.
  const size_t endLine = indexText.rfind("end ");
  if (indexText.size() > kMaxIndexSize || endLine == std::string::npos) return std::nullopt;
  TIndexReader tail(std::string_view(indexText).substr(endLine));
  const auto end = tail.Line("end", 1);
  const auto* bytes = reinterpret_cast<const uint8_t*>(indexText.data());
  if (!end || !tail.AtEnd() || Checksum((*end)[0]) != RecoveryChecksum(bytes, endLine)) return std::nullopt;

  TIndexReader index(std::string_view(indexText).substr(0, endLine));
  TRecoveryCopy copy;
  const auto magic = index.Line("pixkura-recovery", 1);
  const auto time = index.Line("time", 1);
  const auto file = index.Line("file", 1);
  const auto cell = index.Line("cell", 4);
  const auto zoom = index.Line("zoom", 1);
  const auto undo = index.Line("undo", 4);
  if (!magic || (*magic)[0] != "1" || !time || !file || !cell || !zoom || !undo) return std::nullopt;
  const auto when = Number<int64_t>((*time)[0], std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
  const auto name = BytesOfHex((*file)[0]);
  int32_t place[4];
  for (int i = 0; i < 4; ++i) {
    const auto value = Number<int32_t>((*cell)[i], 0, 255);
    if (!value) return std::nullopt;
    place[i] = *value;
  }
  const auto bairitu = Number<uint8_t>((*zoom)[0], 0, 7);
  const auto slots = Number<size_t>((*undo)[0], 2, 255);
  if (!when || !name || !bairitu || !slots) return std::nullopt;
  const auto num = Number<uint8_t>((*undo)[1], 0, static_cast<int64_t>(*slots) - 1);
  const auto pos = num ? Number<int32_t>((*undo)[2], 0, *num) : std::nullopt;
  const auto fresh = Number<uint8_t>((*undo)[3], 0, 1);
  if (!num || !pos || !fresh) return std::nullopt;
  copy.Time = *when;
  copy.FileName = *name;
  copy.CellX = place[0], copy.CellY = place[1], copy.LupeX = place[2], copy.LupeY = place[3];
  copy.Bairitu = *bairitu;
  copy.UndoNum = *num;
  copy.UndoPos = *pos;
  copy.UndoFresh = *fresh == 1;

  auto sheet = ReadPart(index, fetch);
  if (!sheet) return std::nullopt;
  copy.Sheet = std::move(*sheet);
  for (size_t i = 0; i < *slots; ++i) {
    auto slot = ReadPart(index, fetch);
    if (!slot) return std::nullopt;
    copy.UndoSlots.push_back(std::move(*slot));
  }
  if (!index.AtEnd()) return std::nullopt;
  return copy;
}

std::optional<TRecoveryCopy> ReadRecoveryCopy(const std::string& folder) {
  const auto index = ReadSmallFile(folder + "/" + kRecoveryIndexName, kMaxIndexSize);
  if (!index) return std::nullopt;
  return ParseRecoveryCopy(std::string(index->begin(), index->end()), [&folder](const std::string& name) {
    return ReadSmallFile(folder + "/" + name, kRecoveryPictureSize);
  });
}

}  // namespace pixkura
