#pragma once
// zembo started on a dictionary whose French word file the test chooses, with the search window
// open as a user opens it (Alt+S).

#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "lookup/entryfield.h"
#include "lookup/searchwindow.h"
#include "store/store.h"
#include "tests/support/dictionaryfixture.h"

#include <functional>

namespace zembo::test {

// Lets the event loop run until the condition holds or the time is up. What another process does
// (a compositor, the shell, Xwayland, wl-copy) may take long on a slow machine or under
// sanitizers: the limit is one that such a machine meets, and a condition that holds ends the
// wait at once.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds = 30000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > milliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class SearchTest : public DictionaryTest {
 protected:
  // Words w000, w001, ... with translations t000, ...
  static std::vector<WordPair> numberedWords(int count) { return numberedPairs(count); }
  void openSearch(const std::vector<WordPair>& french) {
    writeSampleDictionary();
    writeWords("language/Fre_Eng.zb", french);
    ASSERT_EQ(start(), -1);
    QTest::keyClick(mainWindow, Qt::Key_S, Qt::AltModifier);
    search = qobject_cast<SearchWindow*>(mainWindow->openToolWindow());
    ASSERT_NE(search, nullptr);
    processEvents();
  }
  std::string rowWord(int row) const { return search->wordField(row)->text().toStdString(); }
  std::string rowTranslation(int row) const { return search->translationField(row)->text().toStdString(); }
  void type(const char* text) { QTest::keyClicks(search->searchField(), text); }
  void key(Qt::Key k) { QTest::keyClick(search->searchField(), k); }
  void closeSearch() {
    search->command(cmdDone, commandClicked);
    processEvents();
  }

  // A right click as the window system delivers it: the press, then the request for a context
  // menu, then the release.
  static void rightClick(QWidget* widget, QPoint at = QPoint(10, 10)) {
    QTest::mousePress(widget, Qt::RightButton, {}, at);
    if (widget) {
      QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
      QApplication::sendEvent(widget, &request);
    }
    QTest::mouseRelease(widget, Qt::RightButton, {}, at);
  }
  // The first item of every pop-up menu that opens while a user's action is handled and a moment
  // after; each is closed with Escape as soon as it is seen.
  static std::vector<std::string> menusOpenedBy(const std::function<void()>& action) {
    std::vector<std::string> seen;
    QMenu* last = nullptr;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) last = nullptr;
      if (!menu || menu == last || !menu->isVisible()) return;
      last = menu;
      seen.push_back(menu->actions().isEmpty() ? "" : menu->actions()[0]->text().toStdString());
      QTest::keyClick(menu, Qt::Key_Escape);
    });
    watch.start(20);
    action();
    processEvents(200);
    return seen;
  }

  SearchWindow* search = nullptr;
};

}  // namespace zembo::test
