// The one QApplication of a UI test program, made on first use.
#pragma once

class QApplication;

namespace pixkura::test {

QApplication& QtTestApp();

}  // namespace pixkura::test
