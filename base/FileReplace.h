// Writing a whole file so that a failure never leaves a damaged one behind,
// the one way every writer of the program (pictures, the palette file, the
// settings file) puts its bytes on disk.
#pragma once

#include <cstddef>
#include <string>

namespace pixkura {

// Writes size bytes to fileName so that a reader sees either the old file or
// the whole new one: a temporary file in the same folder is written, flushed
// and renamed over the target.
//
// - A symbolic link is followed: its target is replaced and the link kept.
// - A replaced file keeps its permission bits (and, where the system allows,
//   its owner); a new file gets the bits the umask leaves.
// - A file whose permissions allow no writing (for this user, or for anyone)
//   is refused with EFCreateError, as opening it for writing would be.
// - When the folder takes no new file but the file itself may be written, it
//   is overwritten in place: the data are complete before the first byte is
//   written, then written, cut to length and flushed.
// EFCreateError when the file can be neither replaced nor written in place;
// EInOutError when writing, flushing or renaming fails (the target is then
// untouched, except in place, where the write itself failed).
void WriteFileAtomically(const std::string& fileName, const void* data, size_t size);

// The file a write to fileName must change: fileName itself, or, for a
// symbolic link, the file it finally names (which need not exist yet). A
// relative link is taken from the link's own folder.
std::string ResolveWriteTarget(const std::string& fileName);

}  // namespace pixkura
