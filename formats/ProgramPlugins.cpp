#include "formats/ProgramPlugins.h"

#include <string>

#include "base/UserFolders.h"
#include "formats/SPIs.h"

namespace pixkura {

void LoadProgramPlugins(TSPIs& manager) {
  manager.SearchOptions = TSPISearchOptions{TSPISearchOption::spsSusieDir, TSPISearchOption::spsAppDir};
  manager.Loaded();
  // An installed program keeps its shipped plug-ins apart from its binaries.
  if (const std::string shipped = InstalledPluginFolder(); !shipped.empty()) manager.Search(shipped + "/*.spi");
}

}  // namespace pixkura
