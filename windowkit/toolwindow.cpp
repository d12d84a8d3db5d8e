#include "windowkit/toolwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "store/collate.h"

namespace zembo {

int toolWindowOpen = 0;
int stayOnTop = 0;
int clipboardSearchOn = 0;
int aviDelay = 0;
WindowPos mainPos, practisePos, makelistPos, addPos, translatePos, searchPos;
int checkedLanguageId = 0;
ToolHost* toolHost = nullptr;

DictionaryDirection* directionOfMenuId(int menuId) {
  for (DictionaryDirection* d = directionList; d; d = d->next)
    if (d->menuId == menuId) return d;
  return nullptr;
}

namespace {

void setLanguageCheck(int menuId, bool checked) {
  if (!toolHost || !toolHost->languageMenu()) return;
  for (QAction* action : toolHost->languageMenu()->actions())
    if (action->data().toInt() == menuId && !action->isSeparator()) setMenuCheck(action, checked);
}

}  // namespace

void switchDirection(int menuId) {
  DictionaryDirection* direction = directionOfMenuId(menuId);
  setLanguageCheck(checkedLanguageId, false);
  if (!direction) return;
  checkedLanguageId = menuId;
  setLanguageCheck(menuId, true);
  currentDirection = direction;
  activateDirection();
  if (toolHost) toolHost->loadDirectionIcons();
}

ToolWindow::ToolWindow(WindowPos& savedPos) : savedPos_(savedPos) {}

ToolWindow::~ToolWindow() {
  savedPos_ = normalPosition();
  toolWindowOpen = 0;
  if (toolHost) toolHost->showAgain();
}

void ToolWindow::place() {
  placeCentred();
  placeAt(savedPos_);
  setTopmost(stayOnTop);
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

void resetToolWindowState() {
  toolWindowOpen = stayOnTop = clipboardSearchOn = aviDelay = 0;
  for (WindowPos* pos : {&mainPos, &practisePos, &makelistPos, &addPos, &translatePos, &searchPos}) *pos = WindowPos{};
  checkedLanguageId = 0;
  toolHost = nullptr;
}

}  // namespace zembo
