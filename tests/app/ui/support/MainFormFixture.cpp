#include "tests/app/ui/support/MainFormFixture.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

#include "base/ProgramFolder.h"
#include "tests/app/ui/support/QtTestApp.h"
#include "tests/app/ui/support/UiEvents.h"

namespace pixkura::test {

void MainFormFixture::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pixkura-ui-XXXXXX").string();
  ASSERT_TRUE(::mkdtemp(pattern.data()));
  folder = pattern;
  SetProgramFolderForTesting(folder);
  QtTestApp();
  form = std::make_unique<TMainForm>();
  form->RunFormCreate();
  form->show();
  ASSERT_TRUE(WaitExposed(*form));
}

void MainFormFixture::TearDown() {
  form.reset();
  SetProgramFolderForTesting("");
  std::error_code ec;
  if (!folder.empty()) std::filesystem::remove_all(folder, ec);
}

}  // namespace pixkura::test
