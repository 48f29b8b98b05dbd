// The program's main window as the program starts it, for UI tests: in a
// fresh program folder of the test's own (so settings, the palette file and
// plug-ins are only what the test puts there), plug-ins searched and the
// start-up handler run, shown and exposed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/ui/MainForm.h"

namespace pixkura::test {

class MainFormFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  // The window goes without its close handler, which would write the settings.
  void TearDown() override;

  TEditor& Ed() { return form->Editor(); }

  std::string folder;  // the program folder while the test runs
  std::unique_ptr<TMainForm> form;
};

}  // namespace pixkura::test
