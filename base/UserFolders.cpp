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

// XDG's rule for a base folder: the variable when it is absolute, else the
// default under HOME; then the program's own subfolder.
std::string XdgFolder(const std::string& xdgValue, const std::string& home, const char* homeDefault) {
  if (!xdgValue.empty() && xdgValue.front() == '/') return xdgValue + "/pixkura";
  if (!home.empty() && home.front() == '/') return (home == "/" ? std::string() : home) + homeDefault + "/pixkura";
  return {};
}

// The program's folder when it keeps its own files, else the user folder
// (empty when there is none: no home at all).
std::string ChooseFolder(const TFolderFacts& facts, const std::string& userFolder) {
  if (!facts.Installed && facts.ProgramFolderWritable) return facts.ProgramFolder;
  return userFolder;
}

// Decides a folder once per program folder, so that a file is read and
// written in the same place for the whole run (tests move the program folder).
// A user folder is made when it is chosen.
class TDecidedFolder {
 public:
  explicit TDecidedFolder(std::string (*choose)(const TFolderFacts&)) : choose_(choose) {}
  std::string Get() {
    const std::string program = ProgramFolder();
    const std::lock_guard<std::mutex> guard(lock_);
    if (!isDecided_ || decidedFor_ != program) {
      isDecided_ = true;
      decidedFor_ = program;
      decided_ = choose_(GatherFolderFacts(program));
      if (!decided_.empty() && decided_ != program) MakeFolders(decided_);
    }
    return decided_;
  }

 private:
  std::string (*choose_)(const TFolderFacts&);
  std::mutex lock_;
  std::string decidedFor_, decided_;
  bool isDecided_ = false;
};

}  // namespace

std::string UserConfigFolder(const std::string& xdgConfigHome, const std::string& home) {
  return XdgFolder(xdgConfigHome, home, "/.config");
}

std::string UserStateFolder(const std::string& xdgStateHome, const std::string& home) {
  return XdgFolder(xdgStateHome, home, "/.local/state");
}

std::string ChooseSettingsFolder(const TFolderFacts& facts) {
  return ChooseFolder(facts, UserConfigFolder(facts.XdgConfigHome, facts.Home));
}

std::string ChooseRecoveryFolder(const TFolderFacts& facts) {
  const std::string folder = ChooseFolder(facts, UserStateFolder(facts.XdgStateHome, facts.Home));
  return folder.empty() ? folder : folder + "/recovery";
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
  facts.XdgStateHome = Env("XDG_STATE_HOME");
  facts.Home = Env("HOME");
  if (facts.Home.empty()) facts.Home = PasswordHome();
  return facts;
}

std::string SettingsFolder() {
  static TDecidedFolder folder(ChooseSettingsFolder);
  return folder.Get();
}

std::string RecoveryFolder() {
  static TDecidedFolder folder(ChooseRecoveryFolder);
  return folder.Get();
}

std::string InstalledPluginFolder() {
  const std::string prefix = InstallPrefixOf(ProgramFolder());
  if (prefix.empty()) return {};
  return (prefix == "/" ? std::string() : prefix) + "/lib/pixkura/plugins";
}

}  // namespace pixkura
