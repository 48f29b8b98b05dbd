// The command line on arbitrary arguments (the input split at NUL bytes):
// the parser ends in one of its four answers and never runs past the list,
// whatever options, values and names it meets.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      args.emplace_back();
    else
      args.back().push_back(static_cast<char>(data[i]));
  }
  const pixkura::TCommandLine c = pixkura::ParseCommandLine(args);
  using TAction = pixkura::TCommandLine::TAction;
  if (c.Language != "" && c.Language != "ja" && c.Language != "en") abort();
  if (c.Action == TAction::UsageError && c.Error.empty()) abort();
  if (c.Action == TAction::Run) {
    // FILE, when there is one, is one of the arguments.
    bool found = c.File.empty();
    for (const std::string& a : args) found = found || a == c.File;
    if (!found) abort();
  }
  return 0;
}
