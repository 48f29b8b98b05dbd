#include "app/core/EditorPlugins.h"

#include <memory>
#include <string>

#include "app/core/Editor.h"
#include "base/UserFolders.h"
#include "formats/SPIs.h"

namespace pixkura {

void CreatePluginManager(TEditor& editor) {
  // One manager per program: when another editor of this process has made it
  // already, loads go through that one.
  if (editor.SPI || ActiveSPIs()) return;
  auto manager = std::make_shared<TSPIs>();
  manager->SearchOptions = TSPISearchOptions{TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir};
  manager->Loaded();
  // An installed program keeps its shipped plug-ins in PREFIX/lib/pixkura/plugins,
  // searched after the usual places (a plug-in found there already stays as it is).
  if (const std::string shipped = InstalledPluginFolder(); !shipped.empty())
    manager->Search(shipped + "/*.spi");
  editor.SPI = std::move(manager);
}

}  // namespace pixkura
