// Program entry: the command line, the application object with the user's
// language, the one window, the picture named on the command line, the
// event loop.
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "app/core/CommandLine.h"
#include "app/ui/AfterFirstPaint.h"
#include "app/ui/FileNameBytes.h"
#include "app/ui/MainForm.h"
#include "app/ui/Translation.h"

int main(int argc, char** argv) {
  // --help, --version and mistakes are answered before Qt starts, so that
  // they need no display.
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const pixkura::TCommandLine command = pixkura::ParseCommandLine(args);
  const std::string program = "pixkura";
  switch (command.Action) {
    case pixkura::TCommandLine::TAction::Help:
      std::fputs(pixkura::UsageText(program).c_str(), stdout);
      return 0;
    case pixkura::TCommandLine::TAction::Version:
      std::fputs(pixkura::VersionText().c_str(), stdout);
      return 0;
    case pixkura::TCommandLine::TAction::UsageError:
      std::fprintf(stderr, "%s: %s\n%s", program.c_str(), command.Error.c_str(),
                   pixkura::UsageText(program).c_str());
      return 2;
    case pixkura::TCommandLine::TAction::Run:
      break;
  }

  QApplication app(argc, argv);
  // The application's title. Set as its name, not its display name, which
  // Qt would append to the window's caption.
  QApplication::setApplicationName(QStringLiteral("Pixkura -pixkura-"));
  // The desktop entry of an installed program.
  QApplication::setDesktopFileName(QStringLiteral("io.github.pixkura.Pixkura"));
  pixkura::InstallTranslations(app,
                               pixkura::ChooseUiLanguage(command.Language, QLocale::system().uiLanguages()));

  pixkura::TMainForm form;
  form.RunFormCreate();
  form.show();
  // The icon an installed program finds in the icon theme. Looking it up reads
  // the theme's index, which takes about as long as building the whole
  // window, so it waits until the window is on the screen.
  pixkura::RunAfterFirstPaint(form, [] {
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("io.github.pixkura.Pixkura")));
  });
  form.StartRecovery();
  // After start-up, from the event loop: the window is there for the
  // question about recovery copies and the loader's messages. The file named
  // on the command line opens once the question is answered (through the
  // unsaved-changes question when work was recovered).
  const std::string file = command.File.empty() ? std::string() : pixkura::AbsoluteFileName(command.File);
  QTimer::singleShot(0, &form, [&form, file] {
    form.OfferRecovery();
    if (!file.empty()) form.OpenPictureFile(file);
  });
  return app.exec();
}
