// The recovery copy of unsaved work: what comes back after the program or the
// machine died. It holds the sheet and its palette exactly, the file it
// belongs to, the selected cell and the zoom, and the undo history (each
// slot's pixels and palette, the position), so that undo and redo go on as
// before.
//
// On disk a copy is a folder of part files and an index. Each picture is one
// part named after its checksum, so an undo slot that did not change is not
// written again; the index, written last, names the parts with their sizes and
// checksums and ends with its own checksum. A copy whose index is missing,
// damaged or names a part that is missing, short or different is never read.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pixkura {

// One 256 x 256 picture: the pixel indices, top row first, then the 256
// palette entries as red, green, blue, 0.
inline constexpr size_t kRecoveryPixels = 256 * 256;
inline constexpr size_t kRecoveryPictureSize = kRecoveryPixels + 256 * 4;
using TRecoveryPicture = std::vector<uint8_t>;

struct TRecoveryCopy {
  int64_t Time = 0;          // when it was taken, seconds since the epoch
  std::string FileName;      // the sheet's file, as bytes; empty for none
  int32_t CellX = 0, CellY = 0, LupeX = 0, LupeY = 0;  // the selected cell and the loupe's scroll
  uint8_t Bairitu = 3;       // the loupe's zoom exponent
  TRecoveryPicture Sheet;
  std::vector<TRecoveryPicture> UndoSlots;  // slot k of the history, UndoMax of them
  uint8_t UndoNum = 0;
  int32_t UndoPos = 0;
  bool UndoFresh = false;

  bool operator==(const TRecoveryCopy&) const = default;
};

// The checksum of parts and the index: 64-bit FNV-1a.
uint64_t RecoveryChecksum(const uint8_t* data, size_t size);
// The part file a picture is kept in: "p-" and its checksum in hex.
std::string RecoveryPartName(const TRecoveryPicture& picture);

inline const char* const kRecoveryIndexName = "index";

// The index of copy, naming its parts (the sheet first, then the slots).
std::string FormatRecoveryIndex(const TRecoveryCopy& copy);

// Reads a copy from its index text, fetching each part by name (nullopt when
// it cannot be read). nullopt when anything is missing, malformed, out of
// range, short or fails its checksum.
using TRecoveryFetch = std::function<std::optional<std::vector<uint8_t>>(const std::string& name)>;
std::optional<TRecoveryCopy> ParseRecoveryCopy(const std::string& indexText, const TRecoveryFetch& fetch);

// The copy in folder, or nullopt (see above).
std::optional<TRecoveryCopy> ReadRecoveryCopy(const std::string& folder);

}  // namespace pixkura
