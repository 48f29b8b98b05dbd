// Where the program keeps its own files (Pixkura.ini, Pixkura.pal) and where
// an installed program finds its shipped plug-ins.
//
// The rule: a program run from its build or an unpacked folder keeps its
// files beside itself. An installed program (its folder is PREFIX/bin and
// PREFIX/share/pixkura exists), or one whose folder cannot be written, keeps
// them in the user's configuration folder: $XDG_CONFIG_HOME/pixkura, or
// ~/.config/pixkura when XDG_CONFIG_HOME is unset, empty or not absolute.
// Without HOME the home is the one the password database gives the user;
// without that either there is no folder, and the program writes no file of
// its own. Nothing is written under an install prefix.
#pragma once

#include <string>

namespace pixkura {

// What the rule looks at, gathered from the file system and the environment.
struct TFolderFacts {
  std::string ProgramFolder;           // folder of the executable, no trailing '/'
  bool Installed = false;              // ProgramFolder is PREFIX/bin with PREFIX/share/pixkura
  bool ProgramFolderWritable = false;  // false only when writing is refused
  std::string XdgConfigHome;           // the variables' values; empty when unset
  std::string XdgStateHome;
  std::string Home;                    // HOME, else the password database's home
};

// $XDG_CONFIG_HOME/pixkura or $HOME/.config/pixkura; empty when neither
// variable gives an absolute folder.
std::string UserConfigFolder(const std::string& xdgConfigHome, const std::string& home);

// $XDG_STATE_HOME/pixkura or $HOME/.local/state/pixkura; empty when neither
// variable gives an absolute folder.
std::string UserStateFolder(const std::string& xdgStateHome, const std::string& home);

// The folder of Pixkura.ini and Pixkura.pal by the rule above; empty when
// the user folder is needed and there is none (no home at all).
std::string ChooseSettingsFolder(const TFolderFacts& facts);

// The folder of the recovery copies of unsaved work, by the same rule: the
// program's folder's "recovery" beside the settings, or the user's state
// folder's "recovery" (state, not configuration: losing it loses no setting);
// empty when there is none.
std::string ChooseRecoveryFolder(const TFolderFacts& facts);

// PREFIX when programFolder is PREFIX/bin and PREFIX/share/pixkura is a
// folder; empty otherwise.
std::string InstallPrefixOf(const std::string& programFolder);

// The facts for programFolder as this process sees them.
TFolderFacts GatherFolderFacts(const std::string& programFolder);

// The settings folder of the running program (ProgramFolder()), decided once
// per program folder; empty when there is none. A user folder is created
// (mode 0700) when it is chosen; a failure to create it shows later, when a
// file in it is written.
std::string SettingsFolder();

// The recovery folder of the running program, created (mode 0700) when it is
// a user folder; as SettingsFolder, decided once per program folder.
std::string RecoveryFolder();

// PREFIX/lib/pixkura/plugins of an installed program; empty when the program
// is not installed.
std::string InstalledPluginFolder();

}  // namespace pixkura
