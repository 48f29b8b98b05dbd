#include "base/ProgramFolder.h"

#include <unistd.h>

#include <climits>

namespace pixkura {
namespace {
std::string& Override() {
  static std::string folder;
  return folder;
}
}  // namespace

std::string ProgramFolder() {
  if (!Override().empty()) return Override();
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return ".";
  std::string exe(path, static_cast<size_t>(n));
  const auto slash = exe.rfind('/');
  return slash == std::string::npos || slash == 0 ? std::string(slash == 0 ? "/" : ".") : exe.substr(0, slash);
}

void SetProgramFolderForTesting(const std::string& folder) { Override() = folder; }

}  // namespace pixkura
