#pragma once
// The main window (class "zembo"): the current direction's names and icons on a green gradient,
// the four tool buttons, the language menu, and the settings of every window kept in win.ini.

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <string>

#include "resources/commands.h"
#include "windowkit/toolwindow.h"

class QMenu;

namespace zembo {

// Command identifiers of the main window.
class MainWindow : public ZemboWindow, public ToolHost {
  Q_OBJECT
 public:
  MainWindow();
  ~MainWindow() override;

  void command(int id, int code) override;

  // ToolHost
  void showAgain() override;
  QMenu* languageMenu() override { return languageMenu_; }
  void popupLanguageMenu(ZemboWindow* receiver, const QPoint& globalPos) override;
  void loadDirectionIcons() override;

  // Builds the language pop-up from the direction list and puts it into the menu bar at
  // position 1, with the check mark on the direction chosen at start-up.
  void buildLanguageMenu();
  ToolWindow* openToolWindow() const { return tool_; }
  bool destroyed() const { return destroyed_; }
  // The end of the program: settings written, the store closed, the event loop told to quit.
  void destroyWindow();
  // The File menu's review item: enabled with a current list, its text ending in the number of
  // cards to review now.
  void updateReviewItem();

 protected:
  void paintClient(QPainter& painter) override;
  void clientMousePress(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void readSettings();
  void writeSettings();
  void loadLogo();
  void openTool(int id);
  void startPractice();
  void createPracticeList();
  void toggleStayOnTop();
  void switchToReverse();
  void switchDirectionSorted(int menuId);
  void importDictionaryFromMenu();
  // After an import: the directions read again, the language menu built anew and the imported
  // language's direction current.
  void reloadLanguages(const std::string& languageName);

  QMenu* languageMenu_ = nullptr;
  QPointer<ZemboWindow> languageReceiver_;  // who gets the language menu's choice
  QPixmap sourceIcon_, targetIcon_;
  QImage logo_;  // its transparent colour already made transparent
  QPointer<ToolWindow> tool_;
  bool destroyed_ = false;
  QString reviewItemText_;  // the review item's text without the count
};

// Fills the client area with the green gradient: 64 shades by row, one green below 24 bits of
// colour, and a dark top line.
void paintMainBackground(QPainter& painter, int width, int height, int colourDepth);
int screenColourDepth();

extern MainWindow* mainWindow;

}  // namespace zembo
