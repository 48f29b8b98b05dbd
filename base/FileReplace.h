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
// - A replaced file keeps its owner, group, permission bits and extended
//   attributes (its ACL among them); a new file gets the bits the umask
//   leaves.
// - A file whose permissions allow no writing (for this user, or for anyone)
//   is refused with EFCreateError, as opening it for writing would be.
// - A file that a new one could not stand in for is overwritten in place: one
//   with more than one name (hard links), one whose owner, group or extended
//   attributes this user cannot give a new file, and one in a folder that
//   refuses a new file by permission (EACCES, EPERM, EROFS). The data are
//   complete before the first byte is written, then written, cut to length
//   and flushed.
// - A target that is no regular file (a pipe, a device) is written through,
//   as cp does: opened, written, never cut, replaced or renamed over. One
//   that cannot be opened for writing (a folder, a socket) is EFCreateError.
// - Any other failure to make the temporary file (a full disk, a quota, too
//   many open files) leaves the target untouched and is reported.
// - The temporary file is ".pixkura-" and six random letters, whatever the
//   length of the target's name. One left by a killed save is removed by the
//   next save in that folder once it is a day old (ours only: our name, our
//   file, a regular one).
// EFCreateError when the file can be neither replaced nor written in place,
// or its folder is missing or refuses it; EInOutError, with the system's
// reason, when making the temporary file, writing, flushing or renaming fails
// (the target is then untouched, except in place, where the write itself
// failed).
void WriteFileAtomically(const std::string& fileName, const void* data, size_t size);

// The file a write to fileName must change: fileName itself, or, for a
// symbolic link, the file it finally names (which need not exist yet). A
// relative link is taken from the link's own folder.
std::string ResolveWriteTarget(const std::string& fileName);

// For tests: what makes the temporary file from a mkstemp pattern, returning
// the open descriptor or -1 with errno set (a full disk is hard to come by).
// nullptr restores mkstemp.
using TTemporaryFileMaker = int (*)(std::string& pattern);
void SetTemporaryFileMakerForTesting(TTemporaryFileMaker maker);

}  // namespace pixkura
