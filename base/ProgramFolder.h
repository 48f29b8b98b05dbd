// The folder of the running program, where its plug-ins, palette file and
// settings file live.
#pragma once

#include <string>

namespace pixkura {

// Folder of /proc/self/exe without a trailing separator.
std::string ProgramFolder();
// Tests point the program's files elsewhere; an empty folder restores the real one.
void SetProgramFolderForTesting(const std::string& folder);

}  // namespace pixkura
