#include "lookup/wordrows.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include <algorithm>
#include <optional>

#include "directions/directions.h"
#include "platform/qt/painting.h"
#include "resources/commands.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/collate.h"
#include "store/store.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"
#include "windowkit/zembowindow.h"

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

// The keys a search field hands to its window.
std::optional<ControlKey> searchFieldKeyOf(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return ControlKey::enter;
    case Qt::Key_Up:
      return ControlKey::up;
    case Qt::Key_Down:
      return ControlKey::down;
    default:
      return std::nullopt;
  }
}

}  // namespace

SearchField::SearchField(ZemboWindow* window, QWidget* parent) : QLineEdit(parent), window_(window) {
  setValidator(new FitsFieldValidator(this));
  setTextMargins(0, 0, 0, 0);
}

void SearchField::keyPressEvent(QKeyEvent* event) {
  if (const std::optional<ControlKey> key = searchFieldKeyOf(event->key())) {
    window_->controlKey(idSearchField, *key);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void SearchField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (onFocus_) onFocus_();
}

RowField::RowField(QWidget* parent) : QLineEdit(parent) {
  setTextMargins(0, 0, 0, 0);
  // A click would give the focus whatever the button; mousePressEvent gives it for the others.
  setFocusPolicy(Qt::TabFocus);
}

void RowField::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) setFocus(Qt::MouseFocusReason);
  QLineEdit::mousePressEvent(event);
}

WordRows::WordRows(QWidget* client, int rowCount, int pageStep, const QRect& scrollBarGeometry, ShowRecord showRecord)
    : QObject(client), rowCount_(rowCount), pageStep_(pageStep), showRecord_(std::move(showRecord)) {
  scrollBar_ = new QScrollBar(Qt::Vertical, client);
  scrollBar_->setGeometry(scrollBarGeometry);
  scrollBar_->setTracking(false);
  scrollBar_->setPageStep(1);
  // Its menu's Top and Bottom would move the thumb without the rows.
  scrollBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  connect(scrollBar_, &QScrollBar::actionTriggered, this, &WordRows::scrollAction);
  connect(scrollBar_, &QScrollBar::sliderReleased, this, [this] { moveView(10 * scrollBar_->sliderPosition()); });
  // Beside "Search", under the search field: where the eye goes after the word appears there.
  noEntryNote_ = new QLabel(uiQText(textNoEntry), client);
  noEntryNote_->setGeometry(110, 328, 495, 20);
  noEntryNote_->setFont(uiFonts.fontSmall.font);
  noEntryNote_->setStyleSheet("color: #b00000");
  noEntryNote_->hide();
}

int WordRows::lastTop() const { return store.wordCount - rowCount_; }

void WordRows::showRows(int top) {
  for (int i = 0; i < rowCount_; ++i) {
    WordRecord record;
    if (readWordRecord(top + i, record) != 0) return;
    showRecord_(i, &record);
  }
}

void WordRows::showIfChanged() {
  if (topIndex_ == shownTopIndex_) return;
  if (store.wordCount - topIndex_ < rowCount_) topIndex_ = std::max(0, lastTop());
  showRows(topIndex_);
  scrollBar_->setSliderPosition(topIndex_ / 10);
  shownTopIndex_ = topIndex_;
}

void WordRows::moveView(int newTop) {
  topIndex_ = newTop;
  showIfChanged();
}

void WordRows::lookUp(const QString& searchText, int charset) {
  ++fieldLookUps_;
  moveView(findTypedWord(fromQString(searchText.left(37), charset)));
}

void WordRows::searchFieldKey(ControlKey key, QLineEdit* searchField) {
  switch (key) {
    case ControlKey::enter:
      searchField->clear();
      break;
    case ControlKey::up:
      moveView(std::max(0, topIndex_ - 1));
      break;
    case ControlKey::down:
      moveView(std::max(0, std::min(lastTop(), topIndex_ + 1)));
      break;
    default:
      break;
  }
}

void WordRows::followSearchField(QLineEdit* searchField) {
  connect(searchField, &QLineEdit::textChanged, this, [this](const QString& text) {
    noEntryNote_->hide();
    lookUp(text, directions.currentDirection->sourceCharset);
  });
}

void WordRows::showWholeWord(QLineEdit* searchField, const QString& form, int index, bool found) {
  {
    // The word was looked up already: the field's change is not a search of its own.
    const QSignalBlocker sameLookUp(searchField);
    searchField->setText(form);
  }
  moveView(index);
  noEntryNote_->setVisible(!found && !form.isEmpty());
}

void WordRows::showFromTop() {
  resetScrollRange();
  showRows(0);
}

void WordRows::restart() {
  noEntryNote_->hide();
  // Rows past the new file's end would still show the previous file's words.
  for (int i = 0; i < rowCount_; ++i) showRecord_(i, nullptr);
  topIndex_ = shownTopIndex_ = 0;
  showRows(0);
  resetScrollRange();
}

void WordRows::resetScrollRange() {
  scrollBar_->setRange(0, std::max(0, lastTop() / 10));
  scrollBar_->setSliderPosition(0);
}

void WordRows::scrollAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      topIndex_ = std::max(0, topIndex_ - 1);
      break;
    case QAbstractSlider::SliderSingleStepAdd:
      topIndex_ = std::min(lastTop(), topIndex_ + 1);
      break;
    case QAbstractSlider::SliderPageStepSub:
      topIndex_ = std::max(0, topIndex_ - pageStep_);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      topIndex_ = std::min(lastTop(), topIndex_ + pageStep_);
      break;
    case QAbstractSlider::SliderMove:
      // Dragging moves the view on release; a move by the wheel takes the rows along at once.
      if (scrollBar_->isSliderDown()) return;
      topIndex_ = 10 * scrollBar_->sliderPosition();
      break;
    default:
      break;  // top and bottom do nothing
  }
  if (topIndex_ < 0) topIndex_ = 0;
  showIfChanged();
  // The bar moves only with the view.
  scrollBar_->setSliderPosition(shownTopIndex_ / 10);
}

void makeColumnFonts(UiFont& source, UiFont& target) {
  source = createUiFont(11, 400, "Times New Roman", directions.currentDirection->sourceCharset);
  target = createUiFont(11, 400, "Times New Roman", directions.currentDirection->targetCharset);
}

void paintLookupHeadings(QPainter& painter, int clientWidth) {
  painter.fillRect(0, 0, clientWidth, 1, QColor(224, 224, 224));
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine;
  QRect source = winRect(20, 10, 235, 40);
  drawShadowText(painter, source, directions.currentDirection->sourceName, flags, uiFonts.fontSmallBold);
  QRect target = winRect(255, 10, 605, 40);
  drawShadowText(painter, target, directions.currentDirection->targetName, flags, uiFonts.fontSmallBold);
  drawUiText(painter, winRect(20, 330, 100, 350), loadUiText(textSearch),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, uiFonts.fontSmall, Qt::black);
}

}  // namespace zembo
