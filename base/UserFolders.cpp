#include "base/UserFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "base/ProgramFolder.h"

namespace pixkura {
namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// mkdir -p, each new level private to the user.
void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return;
    if (slash == std::string::npos) return;
  }
}

}  // namespace

std::string UserConfigFolder(const std::string& xdgConfigHome, const std::string& home) {
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') return xdgConfigHome + "/pixkura";
  if (!home.empty() && home.front() == '/') return (home == "/" ? std::string() : home) + "/.config/pixkura";
  return {};
}

std::string ChooseSettingsFolder(const TFolderFacts& facts) {
  if (!facts.Installed && facts.ProgramFolderWritable) return facts.ProgramFolder;
  const std::string user = UserConfigFolder(facts.XdgConfigHome, facts.Home);
  return user.empty() ? facts.ProgramFolder : user;
}

std::string InstallPrefixOf(const std::string& programFolder) {
  const size_t slash = programFolder.rfind('/');
  if (slash == std::string::npos || programFolder.compare(slash, std::string::npos, "/bin") != 0) return {};
  const std::string prefix = programFolder.substr(0, slash);
  return IsFolder(prefix + "/share/pixkura") ? (prefix.empty() ? std::string("/") : prefix) : std::string();
}

TFolderFacts GatherFolderFacts(const std::string& programFolder) {
  TFolderFacts facts;
  facts.ProgramFolder = programFolder;
  facts.Installed = !InstallPrefixOf(programFolder).empty();
  // Only a refusal counts: a folder that is missing (a test's, or one being
  // removed) is no reason to write elsewhere; writing there reports the error.
  facts.ProgramFolderWritable =
      ::access(programFolder.c_str(), W_OK) == 0 || (errno != EACCES && errno != EPERM && errno != EROFS);
  facts.XdgConfigHome = Env("XDG_CONFIG_HOME");
  facts.Home = Env("HOME");
  return facts;
}

std::string SettingsFolder() {
  // Decided once per program folder, so that the palette is read and written
  // in the same place for the whole run (tests move the program folder).
  static std::mutex lock;
  static std::string decidedFor, decided;
  const std::string program = ProgramFolder();
  const std::lock_guard<std::mutex> guard(lock);
  if (decided.empty() || decidedFor != program) {
    decidedFor = program;
    decided = ChooseSettingsFolder(GatherFolderFacts(program));
    if (decided != program) MakeFolders(decided);
  }
  return decided;
}

std::string InstalledPluginFolder() {
  const std::string prefix = InstallPrefixOf(ProgramFolder());
  if (prefix.empty()) return {};
  return (prefix == "/" ? std::string() : prefix) + "/lib/pixkura/plugins";
}

}  // namespace pixkura
