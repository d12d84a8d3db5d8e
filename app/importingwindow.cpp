#include "app/importingwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "platform/qt/painting.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/qttext.h"

namespace zembo {

namespace {
ImportingWindowState importingWindowsState;  // the one mutable instance
}  // namespace
const ImportingWindowState& importingWindows = importingWindowsState;

void actWhenImportAsksToStop(void (*act)(ImportingWindow& window)) { importingWindowsState.whenAsked = act; }
void resetImportingWindowState() { importingWindowsState = {}; }

namespace {

const QColor lightGrey(192, 192, 192);
const QRect barFrame(20, 84, 304, 16);

}  // namespace

ImportingWindow::ImportingWindow(const std::string& languageName)
    : ProgressWindow(350, 150, textImportTitle), font_(createUiFont(12, 700, "Arial", uiFonts.uiCharset)) {
  // Nothing but this window takes input while the import runs.
  setWindowModality(Qt::ApplicationModal);
  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  QRect heading = winRect(0, 5, 350, 30);
  drawShadowText(painter, heading, languageName, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, font_);
  drawUiText(painter, winRect(0, 25, 350, 80), loadUiText(textImportingWait),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, font_, Qt::black);
  painter.setPen(QColor(50, 50, 50));
  painter.drawRect(barFrame.adjusted(0, 0, -1, -1));
  painter.end();
  cancel_ = new QPushButton(uiQText(textCancel), this);
  cancel_->setGeometry(134, 110, 76, 24);
  connect(cancel_, &QPushButton::clicked, this, [this] { requestStop(); });
  showProgress(0);
}

void ImportingWindow::showProgress(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == percent_) return;
  percent_ = percent;
  QPainter painter(&surface_);
  const QRect inside = barFrame.adjusted(2, 2, -2, -2);
  painter.fillRect(inside, Qt::white);
  painter.fillRect(QRect(inside.topLeft(), QSize(inside.width() * percent / 100, inside.height())), QColor(0, 128, 0));
  painter.end();
  // Reports come faster than a screen shows them: paint at most 25 times a second, and the end.
  if (!sincePaint_.isValid() || sincePaint_.elapsed() >= 40 || percent == 100) {
    sincePaint_.restart();
    paintNow();
  }
}

bool ImportingWindow::stopRequested() {
  if (importingWindowsState.whenAsked) importingWindowsState.whenAsked(*this);
  QCoreApplication::processEvents();
  return stopRequested_;
}

void ImportingWindow::stopNoMore() {
  stoppable_ = false;
  cancel_->setEnabled(false);
  paintNow();
}

void ImportingWindow::requestStop() {
  if (!stoppable_) return;
  stopRequested_ = true;
  cancel_->setEnabled(false);
}

void ImportingWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    requestStop();
  else
    ProgressWindow::keyPressEvent(event);
}

void ImportingWindow::closeEvent(QCloseEvent* event) {
  // The close box asks for a stop; the window goes when the import has ended.
  event->ignore();
  requestStop();
}

}  // namespace zembo
