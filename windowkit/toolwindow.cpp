#include "windowkit/toolwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "store/currentdirection.h"

namespace zembo {

ToolWindowState tools;

void setToolHost(ToolHost* host) { tools.toolHost = host; }
void markToolWindowOpen() { tools.toolWindowOpen = 1; }
void markToolWindowClosed() { tools.toolWindowOpen = 0; }
void setCheckedLanguageId(int menuId) { tools.checkedLanguageId = menuId; }
void setStayOnTop(int on) { tools.stayOnTop = on; }
void setClipboardSearchOn(int on) { tools.clipboardSearchOn = on; }
void setAviDelay(int delay) { tools.aviDelay = delay; }
void setSavedPosition(WindowPos ToolWindowState::*record, const WindowPos& pos) { tools.*record = pos; }

DictionaryDirection* directionOfMenuId(int menuId) {
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (d->menuId == menuId) return d;
  return nullptr;
}

namespace {

void setLanguageCheck(int menuId, bool checked) {
  if (!tools.toolHost || !tools.toolHost->languageMenu()) return;
  for (QAction* action : tools.toolHost->languageMenu()->actions())
    if (action->data().toInt() == menuId && !action->isSeparator()) setMenuCheck(action, checked);
}

}  // namespace

void switchDirection(int menuId) {
  DictionaryDirection* direction = directionOfMenuId(menuId);
  setLanguageCheck(tools.checkedLanguageId, false);
  if (!direction) return;
  tools.checkedLanguageId = menuId;
  setLanguageCheck(menuId, true);
  setCurrentDirection(direction);
  activateDirection();
  if (tools.toolHost) tools.toolHost->loadDirectionIcons();
}

ToolWindow::ToolWindow(WindowPos& savedPos) : savedPos_(savedPos) {}

ToolWindow::~ToolWindow() {
  savedPos_ = normalPosition();
  tools.toolWindowOpen = 0;
  if (tools.toolHost) tools.toolHost->showAgain();
}

void ToolWindow::place() {
  placeCentred();
  placeAt(savedPos_);
  setTopmost(tools.stayOnTop);
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
