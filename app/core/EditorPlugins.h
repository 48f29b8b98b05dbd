// The editor's import plug-ins: one manager for the program's whole run,
// made before FormCreate, as the window is built.
#pragma once

namespace pixkura {

class TEditor;

// Makes editor.SPI, the plug-in manager, and loads the program's plug-ins
// (LoadProgramPlugins), registering the file types they read. Does nothing
// when the editor has its manager already.
void CreatePluginManager(TEditor& editor);

}  // namespace pixkura
