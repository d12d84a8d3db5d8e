#include "lookup/searchwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include <algorithm>

#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/sortingwindow.h"
#include "lookup/charsetwindow.h"
#include "lookup/entryfield.h"
#include "resources/uilanguage.h"
#include "resources/uitext.h"
#include "store/collate.h"
#include "store/sort.h"
#include "store/store.h"

namespace zembo {

namespace {

// Without horizontal scrolling a field takes no more text than it can show.
class FitsFieldValidator : public QValidator {
 public:
  explicit FitsFieldValidator(QLineEdit* field) : QValidator(field), field_(field) {}
  State validate(QString& input, int&) const override {
    QStyleOptionFrame option;
    option.initFrom(field_);
    const int room = field_->style()->subElementRect(QStyle::SE_LineEditContents, &option, field_).width() - 4;
    return field_->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
  }

 private:
  QLineEdit* field_;
};

int virtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    default: return 0;
  }
}

}  // namespace

SearchField::SearchField(ZemboWindow* window, QWidget* parent) : QLineEdit(parent), window_(window) {
  setValidator(new FitsFieldValidator(this));
  setTextMargins(0, 0, 0, 0);
}

void SearchField::keyPressEvent(QKeyEvent* event) {
  if (const int vk = virtualKeyOf(event->key())) {
    window_->command(idSearchField, fieldKeyNotification | (vk << 16));
    return;
  }
  QLineEdit::keyPressEvent(event);
}

SearchWindow::SearchWindow() : ToolWindow(searchPos) {
  setWindowTitle(uiQText(textSearchWords));
  setMenuResource(findMenu(std::string(uiLanguageName) + "_zoeken"));
  setOuterSize(630, 362);
  recordMenu_ = makeRecordMenu(85);
  deletedRecordMenu_ = makeRecordMenu(86);
  charsetWindowOn_ = false;
  makeFonts();
  charsetCode = currentDirection->sourceCharset;
  charsetLanguage = currentDirection->sourceName;

  addButton(cmdDone, uiTextCopy(textDone), QRect(505, 300, 100, 30));
  searchField_ = new SearchField(this, client());
  searchField_->setGeometry(20, 300, 215, 25);
  for (int i = 0; i < rows; ++i) {
    wordFields_[i] = new EntryField(this, i, false);
    wordFields_[i]->setGeometry(20, 40 + 23 * i, 215, 25);
    translationFields_[i] = new EntryField(this, i, true);
    translationFields_[i]->setGeometry(255, 40 + 23 * i, 350, 25);
  }
  scrollBar_ = new QScrollBar(Qt::Vertical, client());
  scrollBar_->setGeometry(235, 40, 20, 230);
  scrollBar_->setTracking(false);
  scrollBar_->setPageStep(1);
  // Its menu's Top and Bottom would move the thumb without the rows.
  scrollBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  connect(scrollBar_, &QScrollBar::actionTriggered, this, &SearchWindow::scrollAction);
  connect(scrollBar_, &QScrollBar::sliderReleased, this, [this] { moveView(10 * scrollBar_->sliderPosition()); });
  applyFonts();

  needsSort = 0;
  charsetReceiver = searchField_;
  searchField_->setFocus();
  connect(searchField_, &QLineEdit::textChanged, this, &SearchWindow::lookUp);

  resetScrollRange();
  topIndex_ = shownTopIndex_ = 0;
  showRows(0);
  place();
  checkMenuItem(cmdClipboardOn, clipboardSearchOn);
  checkMenuItem(cmdClipboardOff, !clipboardSearchOn);
  if (clipboardSearchOn) setClipboardSearch(true);
  checkMenuItem(cmdCharsetOn, false);
  checkMenuItem(cmdCharsetOff, true);
  show();
  charsetOwner = this;
  charsetWindow = nullptr;
}

SearchWindow::~SearchWindow() { disconnect(clipboardViewer_); }

QMenu* SearchWindow::makeRecordMenu(int firstItemText) {
  auto* menu = new QMenu(this);
  const int items[][2] = {{cmdDeleteRecord, firstItemText}, {cmdCopy, 88}, {cmdPaste, 89}, {cmdPlay, 90}};
  for (const auto& item : items) menu->addAction(uiQText(item[1]))->setData(item[0]);
  return menu;
}

void SearchWindow::makeFonts() {
  sourceFont_ = createUiFont(11, 400, "Times New Roman", currentDirection->sourceCharset);
  targetFont_ = createUiFont(11, 400, "Times New Roman", currentDirection->targetCharset);
}

void SearchWindow::applyFonts() {
  searchField_->setFont(sourceFont_.font);
  for (int i = 0; i < rows; ++i) {
    wordFields_[i]->setFont(sourceFont_.font);
    translationFields_[i]->setFont(targetFont_.font);
  }
}

void SearchWindow::focusSearchField() { searchField_->setFocus(); }

void SearchWindow::showRows(int top) {
  for (int i = 0; i < rows; ++i) {
    if (readWordRecord(top + i) != 0) return;  // rows past the end stay as they are
    if (currentRecord.flags == 1) {
      wordFields_[i]->showDeleted();
      translationFields_[i]->showDeleted();
    } else {
      wordFields_[i]->showBytes(wordOf(currentRecord));
      translationFields_[i]->showBytes(translationOf(currentRecord));
    }
  }
}

void SearchWindow::showIfChanged() {
  if (topIndex_ == shownTopIndex_) return;
  if (wordCount - topIndex_ < rows) topIndex_ = std::max(0, wordCount - rows);
  showRows(topIndex_);
  scrollBar_->setSliderPosition(topIndex_ / 10);
  shownTopIndex_ = topIndex_;
}

void SearchWindow::moveView(int newTop) {
  topIndex_ = newTop;
  showIfChanged();
}

void SearchWindow::lookUp() {
  const std::string key = fromQString(searchField_->text().left(37), currentDirection->sourceCharset);
  moveView(findWord(key));
}

void SearchWindow::resetScrollRange() {
  scrollBar_->setRange(0, std::max(0, (wordCount - rows) / 10));
  scrollBar_->setSliderPosition(0);
}

void SearchWindow::scrollAction(int action) {
  const int lastTop = wordCount - rows;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: topIndex_ = std::max(0, topIndex_ - 1); break;
    case QAbstractSlider::SliderSingleStepAdd: topIndex_ = std::min(lastTop, topIndex_ + 1); break;
    case QAbstractSlider::SliderPageStepSub: topIndex_ = std::max(0, topIndex_ - 10); break;
    case QAbstractSlider::SliderPageStepAdd: topIndex_ = std::min(lastTop, topIndex_ + 10); break;
    case QAbstractSlider::SliderMove:
      // Dragging moves the view on release; a move by the wheel takes the rows along at once.
      if (scrollBar_->isSliderDown()) return;
      topIndex_ = 10 * scrollBar_->sliderPosition();
      break;
    default: break;  // top and bottom do nothing
  }
  if (topIndex_ < 0) topIndex_ = 0;
  showIfChanged();
  // The bar moves only with the view.
  scrollBar_->setSliderPosition(shownTopIndex_ / 10);
}

void SearchWindow::command(int id, int code) {
  if (id == idSearchField && (code & 0xFFFF) == fieldKeyNotification) {
    switch (code >> 16) {
      case VK_RETURN: searchField_->clear(); break;
      case VK_UP: moveView(std::max(0, topIndex_ - 1)); break;
      case VK_DOWN: moveView(std::max(0, std::min(wordCount - rows, topIndex_ + 1))); break;
    }
    return;
  }
  switch (id) {
    case cmdDone:
      if (code == commandClicked) finish();
      return;
    case cmdCharsetOn:
    case cmdCharsetOff:
      charsetWindowOn_ = id == cmdCharsetOn;
      checkMenuItem(cmdCharsetOn, charsetWindowOn_);
      checkMenuItem(cmdCharsetOff, !charsetWindowOn_);
      if (charsetWindowOn_)
        reopenCharsetWindow();
      else
        closeCharsetWindow();
      return;
    case cmdClipboardOn:
      if (!clipboardSearchOn) setClipboardSearch(true);
      return;
    case cmdClipboardOff:
      if (clipboardSearchOn) setClipboardSearch(false);
      return;
    default:
      if (id >= firstLanguageId && id < firstLanguageId + directionCount) switchSearchDirection(id);
  }
}

void SearchWindow::reopenCharsetWindow() {
  closeCharsetWindow();
  openCharsetWindow();
  if (charsetReceiver) charsetReceiver->setFocus();
}

void SearchWindow::fieldFocused(QLineEdit* field, bool translationColumn) {
  charsetReceiver = field;
  const DictionaryDirection& d = *currentDirection;
  const int code = translationColumn ? d.targetCharset : d.sourceCharset;
  // Only the character set decides: with the same one on both sides the picker stays as it is.
  if (charsetCode == code) return;
  charsetCode = code;
  charsetLanguage = translationColumn ? d.targetName : d.sourceName;
  if (charsetWindowOn_) reopenCharsetWindow();
}

void SearchWindow::setClipboardSearch(bool on) {
  clipboardSearchOn = on;
  checkMenuItem(cmdClipboardOn, on);
  checkMenuItem(cmdClipboardOff, !on);
  disconnect(clipboardViewer_);
  if (clipboardWatch_) clipboardWatch_->stop();
  if (!on) return;
  if (!ClipboardWatch::possible()) {
    listenToToolkitClipboard();
    return;
  }
  if (!clipboardWatch_) {
    clipboardWatch_ = new ClipboardWatch(this);
    connect(clipboardWatch_, &ClipboardWatch::copied, this, &SearchWindow::lookUpCopiedText);
    // Without the watcher the toolkit still hears copies when the window gets the focus back.
    connect(clipboardWatch_, &ClipboardWatch::failed, this, [this] {
      if (clipboardSearchOn) listenToToolkitClipboard();
    });
  }
  clipboardWatch_->start();
}

void SearchWindow::listenToToolkitClipboard() {
  disconnect(clipboardViewer_);
  clipboardViewer_ = connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &SearchWindow::clipboardChanged);
}

void SearchWindow::clipboardChanged() {
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  if (clip && clip->hasText()) lookUpCopiedText(clip->text());
}

void SearchWindow::lookUpCopiedText(const QString& text) {
  // Text copied in this window itself is not looked up.
  if (isActiveWindow()) return;
  const int charset = currentDirection->sourceCharset;
  searchField_->setText(toQString(fromQString(text, charset), charset));
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void SearchWindow::switchSearchDirection(int menuId) {
  if (needsSort) sortWithSortingWindow();
  switchDirection(menuId);
  makeFonts();
  charsetCode = currentDirection->sourceCharset;
  charsetLanguage = currentDirection->sourceName;
  applyFonts();
  searchField_->setFocus();
  if (charsetWindowOn_) reopenCharsetWindow();
  client()->update();
  // Rows past the new file's end would still show the previous direction's words.
  for (int i = 0; i < rows; ++i) {
    wordFields_[i]->clear();
    translationFields_[i]->clear();
  }
  topIndex_ = shownTopIndex_ = 0;
  showRows(0);
  resetScrollRange();
}

void SearchWindow::finishSearch() {
  // The window is going: the focus that returns to it must not bring the picker back.
  charsetWindowOn_ = false;
  if (charsetWindow) closeCharsetWindow();
  if (needsSort) sortWithSortingWindow();
}

void SearchWindow::paintClient(QPainter& painter) {
  painter.fillRect(0, 0, client()->width(), 1, QColor(224, 224, 224));
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine;
  QRect source = winRect(20, 10, 235, 40);
  drawShadowText(painter, source, currentDirection->sourceName, flags, fontSmallBold);
  QRect target = winRect(255, 10, 605, 40);
  drawShadowText(painter, target, currentDirection->targetName, flags, fontSmallBold);
  drawUiText(painter, winRect(20, 330, 100, 350), loadUiText(textSearch),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, fontSmall, Qt::black);
}

void SearchWindow::clientMousePress(QMouseEvent* event) {
  if (event->button() == Qt::RightButton && toolHost)
    toolHost->popupLanguageMenu(this, event->globalPosition().toPoint());
}

void SearchWindow::changeEvent(QEvent* event) {
  ToolWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && charsetReceiver) charsetReceiver->setFocus();
}

}  // namespace zembo
