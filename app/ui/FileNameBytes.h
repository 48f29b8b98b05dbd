// File names cross into the program as bytes, as the file system holds them.
// Qt decodes names as UTF-8: a name that is no valid UTF-8 (a Latin-1 "é"
// from an old archive) comes back from QString with U+FFFD in its place and
// would name another file. These conversions keep the bytes.
#pragma once

#include <QString>
#include <QUrl>
#include <string>

namespace pixkura {

// fileName made absolute against the current folder, "." and ".." parts
// resolved by name, every other byte kept.
std::string AbsoluteFileName(const std::string& fileName);

// The file a file dialog's choice (an absolute name as Qt shows it) stands
// for: its UTF-8 form when that exists or no entry of its folder shows as it
// does, else the one entry of that folder whose name Qt shows the same way.
std::string FileNameOfChoice(const QString& chosen);

// The local file a file URL names (a dropped file), with its percent-encoded
// bytes as they are; empty when the URL is no local file.
std::string FileNameOfUrl(const QUrl& url);

}  // namespace pixkura
