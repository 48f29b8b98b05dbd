#include "base/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <vector>

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

// The user's home as the password database has it; empty when it has none.
std::string PasswordHome() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !entry.pw_dir)
    return {};
  return entry.pw_dir;
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
  return UserConfigFolder(facts.XdgConfigHome, facts.Home);
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
  if (facts.Home.empty()) facts.Home = PasswordHome();
  return facts;
}

std::string SettingsFolder() {
  // Decided once per program folder, so that the palette is read and written
  // in the same place for the whole run (tests move the program folder).
  static std::mutex lock;
  static std::string decidedFor, decided;
  static bool isDecided = false;
  const std::string program = ProgramFolder();
  const std::lock_guard<std::mutex> guard(lock);
  if (!isDecided || decidedFor != program) {
    isDecided = true;
    decidedFor = program;
    decided = ChooseSettingsFolder(GatherFolderFacts(program));
    if (!decided.empty() && decided != program) MakeFolders(decided);
  }
  return decided;
}

std::string InstalledPluginFolder() {
  const std::string prefix = InstallPrefixOf(ProgramFolder());
  if (prefix.empty()) return {};
  return (prefix == "/" ? std::string() : prefix) + "/lib/pixkura/plugins";
}

}  // namespace pixkura
