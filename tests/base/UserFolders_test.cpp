#include "base/UserFolders.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/ProgramFolder.h"

namespace pixkura {
namespace {

namespace fs = std::filesystem;

class TempTree {
 public:
  TempTree() {
    std::string pattern = (fs::temp_directory_path() / "pixkura-folders-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
  }
  ~TempTree() {
    std::error_code ec;
    for (const auto& entry : fs::recursive_directory_iterator(root_, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }
  std::string Make(const std::string& relative) const {
    fs::create_directories(fs::path(root_) / relative);
    return Path(relative);
  }
  std::string Path(const std::string& relative) const { return (fs::path(root_) / relative).string(); }

 private:
  std::string root_;
};

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, had_ = true;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_)
      ::setenv(name_, old_.c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

TFolderFacts Facts(bool installed, bool writable) {
  TFolderFacts f;
  f.ProgramFolder = "/opt/px/bin";
  f.Installed = installed;
  f.ProgramFolderWritable = writable;
  f.XdgConfigHome = "/home/u/.cfg";
  f.Home = "/home/u";
  return f;
}

TEST(SettingsFolderRule, BuildOrUnpackedFolderKeepsItsFilesBesideTheProgram) {
  EXPECT_EQ(ChooseSettingsFolder(Facts(false, true)), "/opt/px/bin");
}

TEST(SettingsFolderRule, InstalledOrReadOnlyProgramUsesTheUsersFolder) {
  EXPECT_EQ(ChooseSettingsFolder(Facts(true, true)), "/home/u/.cfg/pixkura");  // installed, even writable
  EXPECT_EQ(ChooseSettingsFolder(Facts(true, false)), "/home/u/.cfg/pixkura");
  EXPECT_EQ(ChooseSettingsFolder(Facts(false, false)), "/home/u/.cfg/pixkura");  // read-only folder
}

TEST(SettingsFolderRule, UserFolderFollowsXdgThenHome) {
  EXPECT_EQ(UserConfigFolder("/x/cfg", "/home/u"), "/x/cfg/pixkura");
  // Unset, empty or relative XDG_CONFIG_HOME: ~/.config.
  EXPECT_EQ(UserConfigFolder("", "/home/u"), "/home/u/.config/pixkura");
  EXPECT_EQ(UserConfigFolder("relative/cfg", "/home/u"), "/home/u/.config/pixkura");
  EXPECT_EQ(UserConfigFolder("", "/"), "/.config/pixkura");
  EXPECT_EQ(UserConfigFolder("", ""), "");
  EXPECT_EQ(UserConfigFolder("", "relative"), "");

  // Without any user folder an installed program has none: it writes nothing.
  TFolderFacts f = Facts(true, false);
  f.XdgConfigHome.clear();
  f.Home.clear();
  EXPECT_EQ(ChooseSettingsFolder(f), "");
}

TEST(RecoveryFolderRule, BesideTheProgramOrInTheUsersStateFolder) {
  TFolderFacts f = Facts(false, true);
  f.XdgStateHome = "/home/u/.st";
  EXPECT_EQ(ChooseRecoveryFolder(f), "/opt/px/bin/recovery");
  f.Installed = true;
  EXPECT_EQ(ChooseRecoveryFolder(f), "/home/u/.st/pixkura/recovery");
  f.XdgStateHome = "relative";  // unset, empty or relative: ~/.local/state
  EXPECT_EQ(ChooseRecoveryFolder(f), "/home/u/.local/state/pixkura/recovery");
}

TEST(InstallLayout, APrefixIsBinBesideShareFolder) {
  TempTree t;
  const std::string bin = t.Make("prefix/bin");
  EXPECT_EQ(InstallPrefixOf(bin), "");  // no share/pixkura yet: a plain folder named bin
  t.Make("prefix/share/pixkura");
  EXPECT_EQ(InstallPrefixOf(bin), t.Path("prefix"));
  // Only a folder named exactly bin counts.
  const std::string sbin = t.Make("prefix/sbin");
  EXPECT_EQ(InstallPrefixOf(sbin), "");
  EXPECT_EQ(InstallPrefixOf(t.Make("build/bin")), "");
}

TEST(InstallLayout, GatheredFactsSeeTheLayoutAndTheEnvironment) {
  TempTree t;
  const std::string bin = t.Make("p/bin");
  t.Make("p/share/pixkura");
  const ScopedEnv xdg("XDG_CONFIG_HOME", "/somewhere/cfg");
  const ScopedEnv home("HOME", "/somewhere/home");
  const TFolderFacts f = GatherFolderFacts(bin);
  EXPECT_EQ(f.ProgramFolder, bin);
  EXPECT_TRUE(f.Installed);
  EXPECT_TRUE(f.ProgramFolderWritable);  // a fresh temporary folder
  EXPECT_EQ(f.XdgConfigHome, "/somewhere/cfg");
  EXPECT_EQ(f.Home, "/somewhere/home");
  // A missing folder is not a refusal: writing there reports its own error.
  EXPECT_TRUE(GatherFolderFacts(t.Path("p/none")).ProgramFolderWritable);
  const ScopedEnv noHome("HOME", nullptr);  // then the password database's home
  EXPECT_EQ(GatherFolderFacts(bin).Home, ::getpwuid(::geteuid())->pw_dir);
}

TEST(InstallLayout, AFolderTheUserMayNotWriteIsSeenAsReadOnly) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any folder; the end-to-end run checks this as nobody";
  TempTree t;
  const std::string bin = t.Make("ro");
  fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(GatherFolderFacts(bin).ProgramFolderWritable);
}

TEST(SettingsFolderOfTheProgram, InstalledProgramCreatesAndUsesTheUsersFolderAndThePluginFolder) {
  TempTree t;
  const std::string bin = t.Make("prefix/bin");
  t.Make("prefix/share/pixkura");
  const ScopedEnv xdg("XDG_CONFIG_HOME", t.Path("home/cfg").c_str());
  SetProgramFolderForTesting(bin);
  EXPECT_EQ(SettingsFolder(), t.Path("home/cfg/pixkura"));
  EXPECT_TRUE(fs::is_directory(t.Path("home/cfg/pixkura")));
  struct stat st {};
  ASSERT_EQ(::stat(t.Path("home/cfg/pixkura").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(InstalledPluginFolder(), t.Path("prefix/lib/pixkura/plugins"));

  // A build folder keeps everything beside the program and has no plug-in folder of its own.
  const std::string build = t.Make("build/bin");
  SetProgramFolderForTesting(build);
  EXPECT_EQ(SettingsFolder(), build);
  EXPECT_EQ(InstalledPluginFolder(), "");
  SetProgramFolderForTesting("");
}

}  // namespace
}  // namespace pixkura
