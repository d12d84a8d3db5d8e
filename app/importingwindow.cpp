#include "app/importingwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

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

ImportingWindow::ImportingWindow(const std::string& languageName)
    : BarWindow(textImportTitle, languageName, textImportingWait) {
  // Nothing but this window takes input while the import runs.
  setWindowModality(Qt::ApplicationModal);
  cancel_ = new QPushButton(uiQText(textCancel), this);
  cancel_->setGeometry(134, barBottom() + 10, 76, 24);
  connect(cancel_, &QPushButton::clicked, this, [this] { requestStop(); });
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
