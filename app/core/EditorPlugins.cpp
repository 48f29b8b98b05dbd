#include "app/core/EditorPlugins.h"

#include <memory>

#include "app/core/Editor.h"
#include "formats/ProgramPlugins.h"
#include "formats/SPIs.h"

namespace pixkura {

void CreatePluginManager(TEditor& editor) {
  // One manager per program: when another editor of this process has made it
  // already, loads go through that one.
  if (editor.SPI || ActiveSPIs()) return;
  auto manager = std::make_shared<TSPIs>();
  LoadProgramPlugins(*manager);
  editor.SPI = std::move(manager);
}

}  // namespace pixkura
