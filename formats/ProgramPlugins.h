// Where the program's own tools (the editor and the converter) find their
// import plug-ins. Both go through this one routine, so that a picture one of
// them reads the other reads too, installed or run from the build folder.
#pragma once

namespace pixkura {

class TSPIs;

// Loads every "*.spi" plug-in into manager: first from the user's plug-in
// folder (named in the per-user key store), then from the program's folder,
// then, for an installed program, from PREFIX/lib/pixkura/plugins (a plug-in
// found in an earlier place already stays as it is).
void LoadProgramPlugins(TSPIs& manager);

}  // namespace pixkura
