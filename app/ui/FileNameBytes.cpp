#include "app/ui/FileNameBytes.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace pixkura {

namespace fs = std::filesystem;

std::string AbsoluteFileName(const std::string& fileName) {
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(fileName), error);
  return (error ? fs::path(fileName) : absolute).lexically_normal().string();
}

std::string FileNameOfChoice(const QString& chosen) {
  const std::string utf8 = QFile::encodeName(chosen).toStdString();
  std::error_code error;
  if (fs::exists(utf8, error)) return utf8;
  const QFileInfo info(chosen);
  const QString shown = info.fileName();
  std::string found;
  for (fs::directory_iterator it(QFile::encodeName(info.absolutePath()).toStdString(), error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (QFile::decodeName(QByteArray::fromStdString(name)) != shown) continue;
    if (!found.empty()) return utf8;  // two names shown alike: neither is surely the one
    found = it->path().string();
  }
  return found.empty() ? utf8 : found;
}

std::string FileNameOfUrl(const QUrl& url) {
  if (!url.isLocalFile()) return {};
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

}  // namespace pixkura
