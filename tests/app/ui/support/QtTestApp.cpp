#include "tests/app/ui/support/QtTestApp.h"

#include <QApplication>
#include <cstdlib>

namespace pixkura::test {

QApplication& QtTestApp() {
  // ctest sets the offscreen platform; a run by hand must not need a display either.
  static const bool platformSet = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 0) == 0; }();
  (void)platformSet;
  static int argc = 1;
  static char name[] = "pixkura_ui_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: tearing Qt down at exit, after other statics, is not worth the risk.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace pixkura::test
