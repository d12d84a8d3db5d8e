#include "windowkit/toolwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include <algorithm>

#include "store/currentdirection.h"

namespace zembo {

namespace {
ToolWindowState toolsState;  // the one mutable instance
}  // namespace
const ToolWindowState& tools = toolsState;

void setToolHost(ToolHost* host) { toolsState.toolHost = host; }
void markToolWindowOpen() { toolsState.toolWindowOpen = 1; }
void markToolWindowClosed() { toolsState.toolWindowOpen = 0; }
void setCheckedLanguageId(int menuId) { toolsState.checkedLanguageId = menuId; }
void setStayOnTop(int on) { toolsState.stayOnTop = on; }
void setClipboardSearchOn(int on) { toolsState.clipboardSearchOn = on; }
void setAviDelay(int delay) { toolsState.aviDelay = delay; }
void setArticlePane(int on, int width) {
  toolsState.articlePaneOn = on ? 1 : 0;
  toolsState.articlePaneWidth = std::max(width, minimumArticlePaneWidth);
}
void setSavedPosition(WindowPos ToolWindowState::*record, const WindowPos& pos) { toolsState.*record = pos; }
void resetToolWindowState() { toolsState = {}; }

DictionaryDirection* directionOfMenuId(int menuId) {
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (d->menuId == menuId) return d;
  return nullptr;
}

namespace {

void setLanguageCheck(int menuId, bool checked) {
  if (!toolsState.toolHost || !toolsState.toolHost->languageMenu()) return;
  for (QAction* action : toolsState.toolHost->languageMenu()->actions())
    if (action->data().toInt() == menuId && !action->isSeparator()) setMenuCheck(action, checked);
}

}  // namespace

void switchDirection(int menuId) {
  DictionaryDirection* direction = directionOfMenuId(menuId);
  setLanguageCheck(toolsState.checkedLanguageId, false);
  if (!direction) return;
  toolsState.checkedLanguageId = menuId;
  setLanguageCheck(menuId, true);
  setCurrentDirection(direction);
  activateDirection();
  if (toolsState.toolHost) toolsState.toolHost->loadDirectionIcons();
}

ToolWindow::ToolWindow(WindowPos ToolWindowState::*savedPos)
    : savedPos_(toolsState.*savedPos),
      savePosition_([savedPos](const WindowPos& pos) { setSavedPosition(savedPos, pos); }) {}

ToolWindow::ToolWindow(const WindowPos& savedPos, void (*savePosition)(const WindowPos&))
    : savedPos_(savedPos), savePosition_(savePosition) {}

ToolWindow::~ToolWindow() {
  savePosition_(normalPosition());
  toolsState.toolWindowOpen = 0;
  if (toolsState.toolHost) toolsState.toolHost->showAgain();
}

void ToolWindow::place() {
  placeCentred();
  placeAt(savedPos_);
  setTopmost(toolsState.stayOnTop);
}

void ToolWindow::finish() {
  closeDown();
  hide();
  deleteLater();
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  finish();
}

}  // namespace zembo
