#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "addwords/addwords.h"
#include "addwords/addwordswindow.h"
#include "addwords/wordlistdialog.h"
#include "app/aboutbox.h"
#include "app/importdialog.h"
#include "app/startup.h"
#include "lookup/recordwindow.h"
#include "lookup/searchwindow.h"
#include "lookup/soundfiles.h"
#include "lookup/textwindow.h"
#include "platform/hostpath.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "practice/listeditor.h"
#include "practice/practicewindow.h"
#include "practice/reviewdeck.h"
#include "practice/reviewwindow.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/currentdirection.h"
#include "store/store.h"
#include "windowkit/helpwindow.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

MainWindow* mainWindow = nullptr;

namespace {

constexpr const char* section = "Dictionary";

struct PositionKeys {
  WindowPos ToolWindowState::*pos;
  const char* left;
  const char* top;
};

// The tool windows' saved positions, in the order they are written at exit.
const PositionKeys toolPositions[] = {
    {&ToolWindowState::practisePos, "WinPosLeftPractise", "WinPosTopPractise"},
    {&ToolWindowState::makelistPos, "WinPosLeftMakelist", "WinPosTopMakelist"},
    {&ToolWindowState::addPos, "WinPosLeftAdd", "WinPosTopAdd"},
    {&ToolWindowState::translatePos, "WinPosLeftTranslate", "WinPosTopTranslate"},
    {&ToolWindowState::searchPos, "WinPosLeftSearch", "WinPosTopSearch"},
    {&ToolWindowState::reviewPos, "WinPosLeftReview", "WinPosTopReview"},
};

void writeNumber(const char* key, long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%ld", value);
  writeProfileString(section, key, text, "win.ini");
}

WindowPos readPosition(const char* left, const char* top) {
  return {readProfileInt(section, left, 9999, "win.ini"), readProfileInt(section, top, 9999, "win.ini")};
}

QPixmap loadIcon(const char* iconName) {
  const QString path = QString::fromStdString(hostPath(uiTextCopy(textIconFolder) + iconName).string());
  return QIcon(path).pixmap(32, 32);
}

// A language's icon, or where it has none (an imported language), a plain label in its square:
// the code that would name its icon.
void paintIcon(QPainter& painter, QPoint at, const QPixmap& icon, std::string_view iconName) {
  if (!icon.isNull()) {
    painter.drawPixmap(at, icon);
    return;
  }
  if (iconName.ends_with(".ico")) iconName.remove_suffix(4);
  const QRect square(at, QSize(32, 32));
  painter.fillRect(square, QColor(255, 255, 240));
  painter.setPen(QColor(50, 50, 50));
  painter.drawRect(square.adjusted(0, 0, -1, -1));
  QFont font = uiFonts.fontSmallBold.font;
  font.setPixelSize(11);  // three letters fit the square
  painter.setFont(font);
  painter.drawText(square, Qt::AlignCenter, toQString(iconName, uiFonts.fontSmallBold.charset));
}

bool insideIconSquare(const QPoint& p) {
  return p.x() >= 60 && p.x() <= 91 && ((p.y() >= 107 && p.y() <= 138) || (p.y() >= 177 && p.y() <= 208));
}

}  // namespace

int screenColourDepth() {
  const QScreen* screen = QApplication::primaryScreen();
  return screen ? screen->depth() : 32;
}

void paintMainBackground(QPainter& painter, int width, int height, int colourDepth) {
  QColor pens[64];
  for (int i = 0; i < 64; ++i) pens[i] = QColor(0, 200 - 3 * i, 0);
  for (int y = 0; y < height; ++y) painter.fillRect(0, y, width, 1, pens[colourDepth < 24 ? 32 : y * 63 / height]);
  painter.fillRect(0, 0, width, 1, QColor(25, 25, 25));
}

MainWindow::MainWindow() {
  mainWindow = this;
  setToolHost(this);
  setWindowTitle(uiQText(textMainTitle));
  setMenuResource(findMenu(std::string(uiLanguage.uiLanguageName) + "_zembo"));
  setOuterSize(565, 332);
  loadDirectionIcons();
  if (screenColourDepth() > 15) loadLogo();
  readSettings();
  addButton(cmdAddWords, uiTextCopy(textAddWords), QRect(10, 280, 120, 30));
  addButton(cmdCreatePracticeList, uiTextCopy(textCreatePracticeList), QRect(150, 280, 120, 30));
  addButton(cmdStartPractice, uiTextCopy(textStartPractice), QRect(290, 280, 120, 30));
  addButton(cmdSearch, uiTextCopy(textSearchButton), QRect(430, 280, 120, 30));
  if (startup.recordMode) addButton(cmdRecord, "Record", QRect(10, 240, 120, 30));
  setTopmost(tools.stayOnTop);
  checkMenuItem(cmdStayOnTop, tools.stayOnTop);
  checkMenuItem(cmdSpeakWords, soundFiles.wordsSpoken);
  if (QAction* item = menuItem(cmdReviewList)) {
    reviewItemText_ = item->text();
    // The count is taken when the menu opens, so that it is the number due at that moment.
    if (QMenu* file = menuBar() ? menuBar()->actions().value(0)->menu() : nullptr)
      connect(file, &QMenu::aboutToShow, this, &MainWindow::updateReviewItem);
  }
  placeCentred();
  placeAt(tools.mainPos);
}

MainWindow::~MainWindow() {
  if (tools.toolHost == this) setToolHost(nullptr);
  if (mainWindow == this) mainWindow = nullptr;
}

void MainWindow::readSettings() {
  setStayOnTop(readProfileInt(section, "StayOnTop", 0, "win.ini"));
  setSavedPosition(&ToolWindowState::mainPos, readPosition("WinPosLeftMain", "WinPosTopMain"));
  for (const PositionKeys& keys : toolPositions) setSavedPosition(keys.pos, readPosition(keys.left, keys.top));
  setClipboardSearchOn(readProfileInt(section, "ClipSearch", 0, "win.ini"));
  setSpeakWords(readProfileInt(section, "SpeakWords", 1, "win.ini") != 0);
  setAviDelay(readProfileInt(section, loadUiText(textAviDelayKey), 0, "win.ini"));
  setArticlePane(readProfileInt(section, "ArticlePane", 1, "win.ini"),
                 readProfileInt(section, "ArticlePaneWidth", tools.articlePaneWidth, "win.ini"));
}

void MainWindow::writeSettings() {
  writeNumber("StayOnTop", tools.stayOnTop);
  if (tools.mainPos.top != 9999) {
    const WindowPos now = normalPosition();
    writeNumber("WinPosLeftMain", now.left);
    writeNumber("WinPosTopMain", now.top);
  }
  for (const PositionKeys& keys : toolPositions)
    if ((tools.*keys.pos).top != 9999) {
      writeNumber(keys.left, (tools.*keys.pos).left);
      writeNumber(keys.top, (tools.*keys.pos).top);
    }
  writeNumber("ClipSearch", tools.clipboardSearchOn);
  writeNumber("SpeakWords", soundFiles.wordsSpoken ? 1 : 0);
  writeNumber("ArticlePane", tools.articlePaneOn);
  writeNumber("ArticlePaneWidth", tools.articlePaneWidth);
  writeNumber("ReviewNewCards", newCardsPerDay());
  if (store.practiceListName[0]) {
    writeProfileString(section, "PracticeList", store.practiceListName, "win.ini");
    writeNumber("ListID", lists.listId);
  }
}

void MainWindow::loadLogo() {
  QImage picture(QString::fromStdString(hostPath("logo.bmp").string()));
  if (picture.isNull()) return;
  // The top-left pixel's colour is transparent, so the gradient shows through there.
  logo_ = withTransparentColour(picture, picture.pixel(0, 0));
}

void MainWindow::loadDirectionIcons() {
  sourceIcon_ = loadIcon(activeSourceIconName(directions.currentDirection));
  targetIcon_ = loadIcon(activeTargetIconName(directions.currentDirection));
  client()->update();
}

void MainWindow::buildLanguageMenu() {
  languageMenu_ = new QMenu(uiQText(textLanguageMenu), this);
  int position = 0;
  for (DictionaryDirection* d = directions.directionList; d; d = d->next, ++position) {
    if (position == directions.directionCount / 2) languageMenu_->addSeparator();
    QAction* item = languageMenu_->addAction(uiQString(std::string(d->sourceName) + "\t" + d->targetName));
    d->menuId = firstLanguageId + position;
    item->setData(d->menuId);
    const int id = d->menuId;
    connect(item, &QAction::triggered, this, [this, item, id] {
      if (item->isCheckable()) item->setChecked(true);
      (languageReceiver_ ? languageReceiver_.data() : this)->command(id, commandClicked);
    });
  }
  // The choice is delivered after aboutToHide; the receiver is forgotten only after that.
  connect(languageMenu_, &QMenu::aboutToHide, this,
          [this] { QTimer::singleShot(0, this, [this] { languageReceiver_ = nullptr; }); });
  const QList<QAction*> popups = menuBar()->actions();
  menuBar()->insertMenu(popups.size() > 1 ? popups[1] : nullptr, languageMenu_);
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (d->selected == 1) {
      setCheckedLanguageId(d->menuId);
      for (QAction* item : languageMenu_->actions())
        if (!item->isSeparator() && item->data().toInt() == d->menuId) setMenuCheck(item, true);
      break;
    }
  setOuterSize(565, 332);
}

void MainWindow::popupLanguageMenu(ZemboWindow* receiver, const QPoint& globalPos) {
  // The receiver is kept until the menu has closed and its choice, if any, has been delivered:
  // a nested exec() may return before the menu closes, so it cannot mark the end.
  languageReceiver_ = receiver;
  languageMenu_->popup(globalPos);
}

void MainWindow::paintClient(QPainter& painter) {
  const int depth = screenColourDepth();
  paintMainBackground(painter, client()->width(), client()->height(), depth);
  paintIcon(painter, QPoint(60, 107), sourceIcon_, activeSourceIconName(directions.currentDirection));
  paintIcon(painter, QPoint(60, 177), targetIcon_, activeTargetIconName(directions.currentDirection));
  if (!logo_.isNull() && depth > 15)
    painter.drawImage((565 - logo_.width()) / 2, (96 - logo_.height()) / 2, logo_);
  else
    drawRaisedText(painter, winRect(140, 20, 560, 90), toQString(loadUiText(textMainTitle), uiFonts.fontHuge.charset),
                   uiFonts.fontHuge.font);
  drawRaisedText(painter, winRect(140, 102, 560, 160),
                 toQString(directions.currentDirection->sourceName, uiFonts.fontBig.charset), uiFonts.fontBig.font);
  drawRaisedText(painter, winRect(140, 172, 560, 230),
                 toQString(directions.currentDirection->targetName, uiFonts.fontBig.charset), uiFonts.fontBig.font);
}

void MainWindow::clientMousePress(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && insideIconSquare(event->position().toPoint())) switchToReverse();
}

void MainWindow::switchToReverse() {
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (std::strcmp(d->targetName, directions.currentDirection->sourceName) == 0 &&
        std::strcmp(d->sourceName, directions.currentDirection->targetName) == 0) {
      switchDirectionSorted(d->menuId);
      return;
    }
  switchDirection(-1);  // takes the check mark away and changes nothing else
}

void MainWindow::moveEvent(QMoveEvent* event) {
  ZemboWindow::moveEvent(event);
  setSavedPosition(&ToolWindowState::mainPos, normalPosition());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  destroyWindow();
}

void MainWindow::showAgain() {
  tool_ = nullptr;
  show();
}

void MainWindow::updateReviewItem() {
  QAction* item = menuItem(cmdReviewList);
  if (!item) return;
  const bool listCurrent = store.practiceListName[0] != 0;
  item->setEnabled(listCurrent);
  item->setText(listCurrent ? reviewItemText_ + " (" + uiQString(reviewCountText(reviewCardsDue())) + ")"
                            : reviewItemText_);
}

void MainWindow::command(int id, int) {
  switch (id) {
    case cmdExit: {
      // A tool still open first does its own close-down, so that no sort it owes is lost; what it
      // tried there, and reported when it failed, is not tried a second time.
      const CloseDownSorts tried = tool_ ? tool_->sortsOnCloseDown() : CloseDownSorts::none;
      if (tool_) tool_->closeDown();
      if (tried == CloseDownSorts::none && resortOwed()) resortOnClose();
      if (tried == CloseDownSorts::currentFile && adding.reverse.needsSort) resortOnClose(false);
      destroyWindow();
      return;
    }
    case cmdHelp:
      showHelp(uiTextCopy(textHelpFileName));
      return;
    case cmdAbout: {
      AboutBox about(this);
      about.exec();
      return;
    }
    case cmdTextFileSearch:
    case cmdAddWords:
    case cmdSearch:
    case cmdRecord:
      openTool(id);
      return;
    case cmdStartPractice:
      startPractice();
      return;
    case cmdReviewList:
      if (store.practiceListName[0]) openTool(id);
      return;
    case cmdCreatePracticeList:
      if (!tools.toolWindowOpen) createPracticeList();
      return;
    case cmdStayOnTop:
      toggleStayOnTop();
      return;
    case cmdImportDictionary:
      importDictionaryFromMenu();
      return;
    case cmdImportWordList:
      if (!tools.toolWindowOpen) importWordList(this);
      return;
    case cmdSpeakWords:
      setSpeakWords(!soundFiles.wordsSpoken);
      checkMenuItem(cmdSpeakWords, soundFiles.wordsSpoken);
      return;
    default:
      if (id >= firstLanguageId && id < firstLanguageId + directions.directionCount) switchDirectionSorted(id);
  }
}

void MainWindow::switchDirectionSorted(int menuId) {
  // A re-sort that failed when adding words is owed by the files of this direction; once the
  // direction changes nothing would remember it, and lookups there would miss the new words.
  if (resortOwed()) resortOnClose();
  switchDirection(menuId);
}

void MainWindow::importDictionaryFromMenu() {
  if (tools.toolWindowOpen) return;
  // The import may replace the current files; a re-sort they owe is done first.
  if (resortOwed()) resortOnClose();
  std::string languageName;
  if (importFromMenu(this, languageName)) reloadLanguages(languageName);
}

void MainWindow::reloadLanguages(const std::string& languageName) {
  if (loadDirections() != 0) {
    messageBox(this, uiTextCopy(textConfigMissing), uiTextCopy(textProgramName), MB_OK | MB_ICONWARNING);
    destroyWindow();
    return;
  }
  readSelectedDirection();
  menuBar()->removeAction(languageMenu_->menuAction());
  delete languageMenu_;
  buildLanguageMenu();
  for (DictionaryDirection* d = directions.directionList; d; d = d->next)
    if (languageName == d->sourceName) {
      switchDirection(d->menuId);
      return;
    }
  makeDirectionCurrent(directions.currentDirection);
  loadDirectionIcons();
}

void MainWindow::openTool(int id) {
  if (tools.toolWindowOpen) return;
  ToolWindow* tool = nullptr;
  markToolWindowOpen();
  switch (id) {
    case cmdSearch:
      tool = new SearchWindow;
      break;
    case cmdAddWords:
      tool = new AddWordsWindow;
      break;
    case cmdStartPractice:
      tool = new PracticeWindow;
      break;
    case cmdReviewList:
      tool = new ReviewWindow;
      break;
    case cmdTextFileSearch:
      tool = new TextWindow;
      break;
    case cmdRecord:
      if (startup.recordMode) tool = new RecordWindow;
      break;
    default:
      break;  // the windows of the other tools come with them
  }
  if (!tool) {
    markToolWindowClosed();
    return;
  }
  tool_ = tool;
  hide();
}

void MainWindow::startPractice() {
  if (tools.toolWindowOpen) return;
  if (store.listCount != 0) {
    openTool(cmdStartPractice);
    return;
  }
  char text[400];
  std::snprintf(text, sizeof text, "%s (%s-%s) %s", uiTextCopy(textPracticeList).c_str(),
                directions.currentDirection->sourceName, directions.currentDirection->targetName,
                uiTextCopy(textListEmptyCreateNew).c_str());
  if (messageBox(this, text, uiTextCopy(textProgramName), MB_YESNO | MB_ICONWARNING) != IDYES) return;
  createPracticeList();
}

void MainWindow::createPracticeList() {
  // Without a named list the list-name dialog asks for one first.
  if (ToolWindow* editor = openListEditor(this)) tool_ = editor;
}

void MainWindow::toggleStayOnTop() {
  setStayOnTop(isMenuItemChecked(cmdStayOnTop) ? 0 : 1);
  checkMenuItem(cmdStayOnTop, tools.stayOnTop);
  setTopmost(tools.stayOnTop);
}

void MainWindow::destroyWindow() {
  if (destroyed_) return;
  destroyed_ = true;
  writeSettings();
  logo_ = QImage();
  closeStoreFiles();
  hide();
  releaseSingleInstance();
  QCoreApplication::exit(0);
}

}  // namespace zembo
