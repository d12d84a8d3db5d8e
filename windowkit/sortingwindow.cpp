#include "windowkit/sortingwindow.h"

#include <QPainter>

#include "directions/directions.h"
#include "platform/messagebox.h"
#include "platform/qt/painting.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/uifont.h"

namespace zembo {

namespace {

const QColor lightGrey(192, 192, 192);

// White is the frames' transparent colour.
QImage loadFrame(int number) {
  return withTransparentColour(QImage(QString(":/images/frame%1.png").arg(number, 2, 10, QChar('0'))),
                               qRgb(255, 255, 255));
}

}  // namespace

SortingWindow::SortingWindow(const DictionaryDirection& direction)
    : ProgressWindow(350, 120, textSortTitle), font_(createUiFont(12, 700, "Arial", uiFonts.uiCharset)) {
  for (int i = 0; i < 12; ++i) frames_[i] = loadFrame(i + 1);

  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  const std::string names = std::string(direction.sourceName) + " - " + direction.targetName;
  QRect heading = winRect(0, 5, 350, 30);
  drawShadowText(painter, heading, names, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, font_);
  drawUiText(painter, winRect(0, 25, 350, 120), loadUiText(textSortingWait),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, font_, Qt::black);
  patch_ = surface_.copy(10, 5, 30, 30);
  showSortProgressOn(this);
}

SortingWindow::~SortingWindow() {
  if (sorting.sortProgress == this) showSortProgressOn(nullptr);
}

void SortingWindow::showProgressText(const std::string& text) {
  text_ = text;
  QPainter painter(&surface_);
  const QRect area = winRect(110, 65, 270, 95);
  painter.fillRect(area, lightGrey);
  drawUiText(painter, area, text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, font_, QColor(50, 50, 50));
}

void SortingWindow::drawNextFrame() {
  QPainter painter(&surface_);
  painter.drawImage(10, 5, patch_);
  painter.drawImage(10, 5, frames_[frameIndex_]);
  frameIndex_ = (frameIndex_ + 1) % 12;
  ++framesDrawn_;
  painter.end();
  // Progress comes faster than a screen shows it: paint at most 25 times a second.
  if (!sincePaint_.isValid() || sincePaint_.elapsed() >= 40) {
    sincePaint_.restart();
    paintNow();
  }
}

SortingWindow* showSortingWindow(const DictionaryDirection& direction) {
  auto* window = new SortingWindow(direction);
  window->show();
  window->waitUntilOnScreen();
  return window;
}

bool runUnderSortingWindow(const WordFile& file, const std::function<int()>& sort) {
  SortingWindow* window = showSortingWindow(*file.direction);
  const bool sorted = sort() == 0;
  if (!sorted) messageBox(window, loadUiText(textSortFailed), uiTextCopy(textError), MB_OK | MB_ICONWARNING);
  delete window;
  return sorted;
}

}  // namespace zembo
