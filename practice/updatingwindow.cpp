#include "practice/updatingwindow.h"

#include <QApplication>
#include <QPainter>

#include "resources/uitext.h"
#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

UpdatingWindow::UpdatingWindow() : ProgressWindow(350, 120, textUpdateList) {
  surface_.fill(QColor(192, 192, 192));
  QPainter painter(&surface_);
  const UiFont font{QApplication::font(), uiFonts.uiCharset};
  drawUiText(painter, QRect(50, 20, 290, 40), loadUiText(textUpdatingWait),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, font, Qt::black);
}

void UpdatingWindow::showNow() {
  show();
  waitUntilOnScreen();
}

}  // namespace zembo
