// zembo, the dictionary.

#include <QApplication>

#include <cstdlib>
#include <string>

#include "app/startup.h"
#include "platform/qt/qtmessagebox.h"

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--merge" || std::string(argv[1]) == "--write-stignore"))
    return zembo::runFolderCommand(argv[1]);
  // Sound and the About animation play through FFmpeg unless the user chose another backend.
  setenv("QT_MEDIA_BACKEND", "ffmpeg", 0);
  zembo::chooseDisplayPlatform();
  QApplication app(argc, argv);
  zembo::installQtMessageBoxes();
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
  zembo::startZembo(commandLine);
  return zembo::runMessageLoop();
}
