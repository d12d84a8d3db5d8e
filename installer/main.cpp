// The installer of a dictionary distribution, started in the distribution's folder:
//
//   install                       shows the window; the user chooses the folder and presses Start
//   install --target DIR [--yes]  installs into DIR at once, as if DIR had been typed and Start
//                                 pressed; message boxes are answered OK by themselves (shown on
//                                 standard error) with --yes or when standard input is no terminal.
//                                 Exit code 0 on success, 1 on a fatal error.

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "installer/core/script.h"
#include "installer/core/wordlists.h"
#include "installer/window/installwindow.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/qt/qtmessagebox.h"

namespace {

struct Options {
  std::string target;
  bool hasTarget = false;
  bool yes = false;
  bool valid = true;
};

Options readOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--target") == 0 && i + 1 < argc) {
      options.target = argv[++i];
      options.hasTarget = true;
      // An empty folder would leave the window waiting for a user who is not there.
      if (options.target.empty()) options.valid = false;
    } else if (std::strcmp(argv[i], "--yes") == 0)
      options.yes = true;
    else
      options.valid = false;
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const Options options = readOptions(argc, argv);
  if (!options.valid) {
    std::fprintf(stderr, "usage: install [--target DIR [--yes]]\n");
    return 2;
  }
  const bool unattended = options.hasTarget;
  if (!unattended || (!options.yes && ::isatty(STDIN_FILENO))) zembo::installQtMessageBoxes();

  zembo::resetScriptState();
  zembo::setSourceDir(std::filesystem::current_path());
  zembo::readHeader();
  zembo::resetDrawingRows();
  zembo::InstallWindow window;
  window.showFullScreen();
  if (unattended) {
    window.setDirectoryText(QString::fromStdString(options.target));
    QTimer::singleShot(0, &window, [&app, &window] {
      // Nothing is processed while the installation runs, so the window must be on the screen
      // before it starts, or the user would see none of its progress.
      QElapsedTimer waited;
      waited.start();
      while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 3000)
        app.processEvents(QEventLoop::AllEvents, 50);
      if (!window.start()) zembo::exitProcess(1);
    });
  }
  return app.exec();
}
