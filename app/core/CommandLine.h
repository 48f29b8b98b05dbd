// The program's command line: pixkura [--lang ja|en] [FILE], --help, --version.
// The GUI toolkit's own options (-style fusion, -platform xcb, ...) are left
// in place for it and do not count as FILE.
#pragma once

#include <string>
#include <vector>

namespace pixkura {

struct TCommandLine {
  enum class TAction { Run, Help, Version, UsageError };
  TAction Action = TAction::Run;
  std::string Language;  // "ja", "en", or empty: follow the locale
  std::string File;      // the picture to open after start-up, or empty
  std::string Error;     // what was wrong, for UsageError
};

// args: argv without the program name.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed by --help (to stdout) and after a usage error (to stderr).
std::string UsageText(const std::string& programName);
// "Pixkura VERSION".
std::string VersionText();

}  // namespace pixkura
