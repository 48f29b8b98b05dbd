#include "app/core/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#ifndef PIXKURA_VERSION
#define PIXKURA_VERSION "unknown"
#endif

namespace pixkura {
namespace {

// The options Qt's application object reads and removes itself (checked
// against QApplication in the UI tests). They may start with one dash or two.
constexpr std::array<std::string_view, 16> kToolkitOptionsWithValue{
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "name",          "title",  "icon",
    "visual"};
constexpr std::array<std::string_view, 6> kToolkitFlags{"reverse", "widgetcount", "nograb",
                                                        "dograb",  "testability", "qmljsdebugger"};

bool Contains(const auto& list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

// The option's name without its dashes and without an "=value" part.
std::string_view OptionName(std::string_view arg) {
  arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
  return arg.substr(0, arg.find('='));
}

TCommandLine Failed(std::string error) {
  TCommandLine result;
  result.Action = TCommandLine::TAction::UsageError;
  result.Error = std::move(error);
  return result;
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TCommandLine result;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool isOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
    if (!isOption) {
      if (!result.File.empty()) return Failed("only one FILE can be opened: " + arg);
      result.File = arg;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      result.Action = TCommandLine::TAction::Help;
      return result;
    } else if (arg == "--version") {
      result.Action = TCommandLine::TAction::Version;
      return result;
    } else if (arg == "--lang" || arg.starts_with("--lang=")) {
      std::string value;
      if (arg == "--lang") {
        if (i + 1 >= args.size()) return Failed("--lang needs ja or en");
        value = args[++i];
      } else {
        value = arg.substr(7);
      }
      if (value != "ja" && value != "en") return Failed("--lang takes ja or en, not '" + value + "'");
      result.Language = value;
    } else if (const std::string_view name = OptionName(arg); Contains(kToolkitOptionsWithValue, name)) {
      // "-style fusion" or "-style=fusion": the value belongs to the option.
      if (arg.find('=') == std::string::npos) ++i;
    } else if (!Contains(kToolkitFlags, name)) {
      return Failed("unknown option " + arg);
    }
  }
  return result;
}

std::string UsageText(const std::string& programName) {
  return "Usage: " + programName +
         " [OPTION]... [FILE]\n"
         "Pixkura, an editor for 256-colour pixel art. Opens FILE (a BMP, DIB, PNG or\n"
         "any picture an import plug-in reads) after start-up.\n"
         "\n"
         "  --lang ja|en   use Japanese or English instead of the locale's language\n"
         "  --help         show this help and exit\n"
         "  --version      show the version and exit\n"
         "\n"
         "Qt's own options (-style, -platform, -reverse, ...) are accepted too.\n"
         "Exit status: 0 done, 2 wrong command line.\n";
}

std::string VersionText() { return std::string("Pixkura ") + PIXKURA_VERSION + "\n"; }

}  // namespace pixkura
