#include "windowkit/commandbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace zembo {

void CommandButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString label = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
  painter.setPen(palette().color(isEnabled() ? QPalette::ButtonText : QPalette::PlaceholderText));
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, label);
}

}  // namespace zembo
