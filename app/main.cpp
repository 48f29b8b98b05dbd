// Program entry: the application object, the one window, the event loop.
#include <QApplication>

#include "app/ui/MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The application's title. Set as its name, not its display name, which
  // Qt would append to the window's caption "Pixkura".
  QApplication::setApplicationName(QStringLiteral("Pixkura -pixkura-"));
  pixkura::TMainForm form;
  form.RunFormCreate();
  form.show();
  return app.exec();
}
