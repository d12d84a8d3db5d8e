#include "practice/practicewindow.h"

#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cstdlib>

#include "platform/messagebox.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "store/store.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {
DrillState drillState;  // the one mutable instance
}  // namespace
const DrillState& drill = drillState;

void resetDrillState() { drillState = {}; }

namespace {

constexpr int firstTickPeriod = 100;  // the first word after opening or a size change
constexpr int hurryPeriod = 10;       // a key or a click: the next step at once

const QColor navy(0, 0, 128);

}  // namespace

int periodOfSpeed(int speed) { return 10000 - (speed - 1) * 950; }

void pickNextRecord(WordRecord& record) {
  if (drillState.drillRemaining <= 0) return;
  const int k = std::rand() % drillState.drillRemaining;
  readListRecord(drillState.drillOrder[k], record);
  drillState.drillOrder[k] = drillState.drillOrder[drillState.drillRemaining - 1];
  --drillState.drillRemaining;
}

PracticeWindow::PracticeWindow() : ToolWindow(&ToolWindowState::practisePos) {
  setWindowTitle(uiQString(uiTextCopy(textPracticeWords) + "  (" + store.practiceListName + ")"));
  setOuterSize(630, 262);
  // Unlike the other tools this window can be resized; the layout stays centred in it.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  client()->setMinimumSize(0, 0);
  client()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  setFocusPolicy(Qt::StrongFocus);
  wordFont_ = createUiFont(22, 700, "Times New Roman", directions.currentDirection->sourceCharset);
  translationFont_ = createUiFont(22, 700, "Times New Roman", directions.currentDirection->targetCharset);

  wordBox_ = new QFrame(client());
  translationBox_ = new QFrame(client());
  for (QFrame* box : {wordBox_, translationBox_}) box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  frame_ = new QFrame(client());
  frame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  // The boxes and the frame only show: a click on them is a click on the window, which hurries.
  for (QFrame* box : {wordBox_, translationBox_, frame_}) box->setAttribute(Qt::WA_TransparentForMouseEvents);
  progress_ = new QProgressBar(client());
  progress_->setTextVisible(false);
  progress_->setRange(0, store.listCount);  // an int: lists of any size count right
  progress_->setValue(0);
  slider_ = new QSlider(Qt::Horizontal, client());
  slider_->setRange(1, 11);
  slider_->setValue(6);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(1);
  slider_->setPageStep(1);
  // Keys belong to the drill: after any use of the slider the window takes the focus back.
  connect(slider_, &QSlider::valueChanged, this, [this] { setFocus(); });
  connect(slider_, &QSlider::sliderReleased, this, [this] { setFocus(); });
  quit_ = addButton(cmdDone, uiTextCopy(textQuit), QRect(0, 0, 100, 30));
  quit_->setFocusPolicy(Qt::NoFocus);
  drillState.drillSpeed = 6;

  drillState.drillOrder.resize(static_cast<std::size_t>(std::max(store.listCount, 0)));
  for (int i = 0; i < store.listCount; ++i) drillState.drillOrder[i] = i;
  drillState.drillRemaining = store.listCount;
  drillState.drillShown = 0;
  drillState.drillPhase = 0;
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &PracticeWindow::drillTick);
  startTimer(firstTickPeriod);
  resize(624, 256 + (menuBar() ? menuBar()->height() : 0));
  layOut();
  place();
  show();
  setFocus();
}

PracticeWindow::~PracticeWindow() {
  timer_.stop();
  drillState.drillOrder.clear();
}

void PracticeWindow::startTimer(int period) {
  drillState.drillPeriod = period;
  timer_.start(period);
}

void PracticeWindow::layOut() {
  layoutLeft_ = std::max((client()->width() - 630) / 2 + 15, 15);
  layoutTop_ = std::max((client()->height() - 270) / 2 + 10, 10);
  const int L = layoutLeft_, T = layoutTop_;
  wordBox_->setGeometry(L, T + 25, 595, 40);
  translationBox_->setGeometry(L, T + 100, 595, 40);
  progress_->setGeometry(L + 265, T + 170, 330, 17);
  slider_->setGeometry(L + 20, T + 200, 200, 35);
  frame_->setGeometry(L, T + 170, 240, 75);
  frame_->lower();
  quit_->setGeometry(L + 495, T + 215, 100, 30);
}

void PracticeWindow::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  layOut();
  // A new size starts the clock afresh: a translation still to come is skipped.
  timer_.stop();
  drillState.drillPhase = 0;
  if (drillState.drillPeriod != 0) startTimer(firstTickPeriod);
  client()->update();
}

void PracticeWindow::drillTick() {
  const int s = slider_->value();
  if (s != drillState.drillSpeed) {
    drillState.drillSpeed = s;
    startTimer(periodOfSpeed(s));
  }
  if (drillState.drillPeriod == hurryPeriod) startTimer(periodOfSpeed(s));
  drillState.drillPhase = !drillState.drillPhase;
  if (drillState.drillPhase == 1) {
    ++drillState.drillShown;
    if (drillState.drillShown > store.listCount) {
      endDrill();
      return;
    }
    if (drillState.drillPeriod == firstTickPeriod) startTimer(periodOfSpeed(drillState.drillSpeed));
    showNextWord();
  } else {
    showTranslation();
    progress_->setValue(store.listCount - drillState.drillRemaining);
  }
}

void PracticeWindow::endDrill() {
  timer_.stop();
  drillState.drillPeriod = 0;
  messageBox(this, loadUiText(textEndOfList), uiTextCopy(textProgramName), MB_OK);
  finish();
}

void PracticeWindow::showNextWord() {
  pickNextRecord(drawn_);
  word_ = wordOf(drawn_);
  translation_.clear();
  client()->update();
}

void PracticeWindow::showTranslation() {
  translation_ = translationOf(drawn_);
  client()->update();
}

void PracticeWindow::hurry() {
  if (drillState.drillPeriod == 0) return;
  startTimer(hurryPeriod);
}

void PracticeWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return ToolWindow::keyPressEvent(event);
  hurry();
  event->accept();
}

void PracticeWindow::clientMousePress(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) hurry();
}

void PracticeWindow::command(int id, int code) {
  if (id == cmdDone && code == commandClicked) finish();
}

QRect PracticeWindow::fastLabelRect() const {
  const int n = uiTextNumber(textFastOffset);
  return winRect(layoutLeft_ + n - 15, layoutTop_ + 180, layoutLeft_ + n + 65, layoutTop_ + 200);
}

void PracticeWindow::paintClient(QPainter& painter) {
  const int L = layoutLeft_, T = layoutTop_;
  const int line = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
  drawUiText(painter, winRect(L + 20, T + 180, L + 105, T + 200), loadUiText(textSlow), line, uiFonts.fontControl,
             Qt::black);
  drawUiText(painter, fastLabelRect(), loadUiText(textFast), line, uiFonts.fontControl, Qt::black);
  QRect source = winRect(L, T, L + 500, T + 50);
  drawShadowText(painter, source, directions.currentDirection->sourceName, line, uiFonts.fontTextBold);
  QRect target = winRect(L, T + 75, L + 500, T + 125);
  drawShadowText(painter, target, directions.currentDirection->targetName, line, uiFonts.fontTextBold);
  // The card is kept, so a window that was covered shows it again.
  const int card = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  drawUiText(painter, winRect(L + 5, T + 25, L + 589, T + 65), word_, card, wordFont_, navy);
  drawUiText(painter, winRect(L + 5, T + 100, L + 589, T + 140), translation_, card, translationFont_, navy);
}

}  // namespace zembo
