#pragma once
// The tool windows (search, text-file search, recording, list editor, practice, add words) and
// the main window that opens them one at a time: while a tool is open the main window is hidden,
// and the tool shows it again when it closes.

#include <functional>

#include "directions/directions.h"
#include "resources/commands.h"
#include "windowkit/zembowindow.h"

class QMenu;

namespace zembo {

class ToolHost;

// Settings of the main window that the tool windows read, and the host that opens them.
struct ToolWindowState {
  int toolWindowOpen = 0;
  int stayOnTop = 0;
  int clipboardSearchOn = 0;
  int aviDelay = 0;
  WindowPos mainPos, practisePos, makelistPos, addPos, translatePos, searchPos, reviewPos;
  int checkedLanguageId = 0;
  ToolHost* toolHost = nullptr;
  // The article pane of the look-up windows: shown or hidden, and its width in pixels.
  int articlePaneOn = 1;
  int articlePaneWidth = 330;
};
extern const ToolWindowState& tools;

// What a tool window needs of the main window.
class ToolHost {
 public:
  virtual ~ToolHost() = default;
  virtual void showAgain() = 0;       // after a tool window closed
  virtual QMenu* languageMenu() = 0;  // the pop-up of all directions, command ids 200...
  // Shows the language menu at a screen point; the chosen id goes to receiver's command().
  virtual void popupLanguageMenu(ZemboWindow* receiver, const QPoint& globalPos) = 0;
  virtual void loadDirectionIcons() = 0;  // after the current direction changed
};
// The main window as the host of the tool windows, when it exists.
void setToolHost(ToolHost* host);
// A tool window is open from markToolWindowOpen until it is destroyed.
void markToolWindowOpen();
void markToolWindowClosed();
// The direction whose item of the language menu carries the check mark.
void setCheckedLanguageId(int menuId);
void setStayOnTop(int on);
void setClipboardSearchOn(int on);
void setAviDelay(int delay);
// The article pane shown or hidden, and its width (kept no narrower than the pane can be read).
void setArticlePane(int on, int width);
constexpr int minimumArticlePaneWidth = 160;
// The position record a window saves to, by its name in win.ini ("Main", "Practise", ...).
void setSavedPosition(WindowPos ToolWindowState::*record, const WindowPos& pos);
// No tool window, no host and no settings read, as at process start.
void resetToolWindowState();

// Moves the language menu's check mark to the direction with this menu id, makes it current and
// activates it (collation, recorded choice, store), then reloads the main window's icons.
// Nothing happens when no direction has the id.
void switchDirection(int menuId);
DictionaryDirection* directionOfMenuId(int menuId);

enum class CloseDownSorts { none, currentFile, bothFiles };

class ToolWindow : public ZemboWindow {
  Q_OBJECT
 public:
  // The tool's saved position lives in one of the position records above.
  explicit ToolWindow(WindowPos ToolWindowState::*savedPos);
  // Or elsewhere: read from savedPos when the window is placed, handed to savePosition when it goes.
  ToolWindow(const WindowPos& savedPos, void (*savePosition)(const WindowPos&));
  ~ToolWindow() override;

  // Places the window centred, then at its saved position when it has one, topmost when
  // stayOnTop is set.
  void place();
  // The tool's own close-down (a pending sort, for instance), which the main window also runs
  // when the program ends while the tool is open.
  virtual void closeDown() {}
  // The sorts closeDown tries, so that the program's end does not try (and report the failure of)
  // the same sort a second time.
  virtual CloseDownSorts sortsOnCloseDown() const { return CloseDownSorts::none; }
  // Close-down, then the window goes: at once out of sight, destroyed when control returns to
  // the event loop.
  void finish();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  const WindowPos& savedPos_;
  std::function<void(const WindowPos&)> savePosition_;
};

}  // namespace zembo
