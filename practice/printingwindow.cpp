#include "practice/printingwindow.h"

#include <QPainter>

#include <cstdio>

#include "platform/qt/painting.h"
#include "resources/uitext.h"
#include "resources/uitextrows.h"

namespace zembo {

namespace {

const QColor lightGrey(192, 192, 192);

}  // namespace

PrintingWindow::PrintingWindow()
    : ProgressWindow(300, 110, textPrint), font_(createUiFont(12, 700, "Arial", uiFonts.uiCharset)) {
  surface_.fill(lightGrey);
  QPainter painter(&surface_);
  drawUiText(painter, winRect(25, 20, 350, 40), loadUiText(textSendingToPrinter),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, font_, Qt::black);
}

void PrintingWindow::showProgress(int recordNumber) {
  char text[uiTextBufferSize + 16];
  std::snprintf(text, sizeof text, "%s %d", loadUiText(textWord), recordNumber);
  history_.push_back(text);
  QPainter painter(&surface_);
  const QRect area = winRect(25, 50, 350, 70);
  painter.fillRect(area, lightGrey);
  drawUiText(painter, area, text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, font_, QColor(50, 50, 50));
  painter.end();
  paintNow();
}

}  // namespace zembo
