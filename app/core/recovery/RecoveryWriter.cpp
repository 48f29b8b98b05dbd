#include "app/core/recovery/RecoveryWriter.h"

#include <unistd.h>

#include "base/FileReplace.h"

namespace pixkura {

void TRecoveryWriter::Write(const TRecoveryCopy& copy) {
  std::set<std::string> named;
  auto writePart = [&](const TRecoveryPicture& picture) {
    const std::string name = RecoveryPartName(picture);
    if (named.insert(name).second && !inFolder_.contains(name)) {
      WriteFileAtomically(folder_ + "/" + name, picture.data(), picture.size());
      inFolder_.insert(name);
      ++partsWritten_;
    }
  };
  writePart(copy.Sheet);
  for (const auto& slot : copy.UndoSlots) writePart(slot);
  const std::string index = FormatRecoveryIndex(copy);
  WriteFileAtomically(folder_ + "/" + kRecoveryIndexName, index.data(), index.size());
  for (auto it = inFolder_.begin(); it != inFolder_.end();) {
    if (named.contains(*it)) {
      ++it;
      continue;
    }
    ::unlink((folder_ + "/" + *it).c_str());
    it = inFolder_.erase(it);
  }
}

void TRecoveryWriter::Remove() {
  ::unlink((folder_ + "/" + kRecoveryIndexName).c_str());
  for (const auto& name : inFolder_) ::unlink((folder_ + "/" + name).c_str());
  inFolder_.clear();
}

}  // namespace pixkura
