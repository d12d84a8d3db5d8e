#include "practice/progresspicture.h"

#include <QDate>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

#include "resources/uitextrows.h"
#include "windowkit/qttext.h"
#include "windowkit/uifont.h"

namespace zembo {

namespace {

constexpr int margin = 14, panelHeight = 150, axisWidth = 36, labelHeight = 16;
const QColor gradeColours[] = {QColor(0xc0, 0x30, 0x30), QColor(0xe0, 0x90, 0x20), QColor(0x30, 0x90, 0x40),
                               QColor(0x30, 0x60, 0xc0)};

// The edition's short date without its year ("13.12." in German, "12/13" in English): the axes
// name days of this and the next month.
QString dayLabel(const QDate& date) {
  const QLocale locale = editionLocale();
  QString format = locale.dateFormat(QLocale::ShortFormat);
  const bool dotted = format.contains('.');
  format.remove(QRegularExpression("[^dM]*y+[^dM]*"));
  if (dotted && !format.endsWith('.')) format += '.';
  return locale.toString(date, format);
}

QString percent(double share) { return editionLocale().toString(share * 100, 'f', 0) + editionLocale().percent(); }

struct Panel {
  QRect area;  // where the bars go
  int maximum = 1;
};

// A panel's heading, frame, scale and date labels, every fifth day and the last.
Panel drawPanel(QPainter& p, int top, int width, const QString& heading, int maximum, QDate firstDay,
                bool percentScale) {
  const QFont& font = uiFonts.fontControl.font;
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(QRect(margin, top, width - 2 * margin, labelHeight + 4), Qt::AlignLeft | Qt::AlignVCenter, heading);
  Panel panel;
  panel.maximum = std::max(maximum, 1);
  panel.area = QRect(margin + axisWidth, top + labelHeight + 8, width - 2 * margin - axisWidth,
                     panelHeight - 2 * labelHeight - 12);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawLine(panel.area.bottomLeft(), panel.area.bottomRight());
  p.drawLine(panel.area.bottomLeft(), panel.area.topLeft());
  p.setPen(Qt::black);
  const QString scaleTop = percentScale ? percent(1) : QString::number(panel.maximum);
  p.drawText(QRect(margin, panel.area.top() - 6, axisWidth - 4, labelHeight), Qt::AlignRight, scaleTop);
  p.drawText(QRect(margin, panel.area.bottom() - labelHeight + 6, axisWidth - 4, labelHeight), Qt::AlignRight, "0");
  const double step = panel.area.width() / double(progressDays);
  for (int day = 0; day < progressDays; day += day == 25 ? 4 : 5) {
    const QRect label(panel.area.left() + int(day * step + step / 2) - 30, panel.area.bottom() + 2, 60, labelHeight);
    p.drawText(label, Qt::AlignHCenter | Qt::AlignTop, dayLabel(firstDay.addDays(day)));
  }
  return panel;
}

// One bar of a day, from its bottom up by value, in colour.
void drawBar(QPainter& p, const Panel& panel, int day, double bottom, double value, const QColor& colour) {
  const double step = panel.area.width() / double(progressDays);
  const double scale = panel.area.height() / double(panel.maximum);
  const QRectF bar(panel.area.left() + day * step + 1, panel.area.bottom() - (bottom + value) * scale, step - 2,
                   value * scale);
  p.fillRect(bar, colour);
}

}  // namespace

ProgressPicture::ProgressPicture(const ProgressFigures& figures, const QString& title, QWidget* owner)
    : QWidget(owner, Qt::Window), figures_(figures) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  setMinimumSize(560, 3 * panelHeight + 2 * margin + labelHeight);
  resize(minimumSize());
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
}

void ProgressPicture::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return void(close());
  QWidget::keyPressEvent(event);
}

void ProgressPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const ProgressFigures& f = figures_;
  const QDate firstPast = QDate(1970, 1, 1).addDays(f.firstPastDay), today = QDate(1970, 1, 1).addDays(f.today);
  int most = 0;
  for (const auto& day : f.reviews) {
    int all = 0;
    for (int n : day) all += n;
    most = std::max(most, all);
  }
  int top = margin;
  const Panel reviews = drawPanel(p, top, width(), uiQText(textReviewsPerDay), most, firstPast, false);
  for (int day = 0; day < progressDays; day++) {
    int below = 0;
    for (int g = 0; g < 4; g++) {
      drawBar(p, reviews, day, below, f.reviews[day][g], gradeColours[g]);
      below += f.reviews[day][g];
    }
  }
  // The grades' colours, named as the review window's buttons name them.
  int x = reviews.area.right();
  for (int g = 3; g >= 0; g--) {
    const QString name = uiQText(textGradeAgain + g);
    x -= QFontMetrics(p.font()).horizontalAdvance(name) + 18;
    p.fillRect(QRect(x, top + 4, 10, 10), gradeColours[g]);
    p.setPen(Qt::black);
    p.drawText(QRect(x + 13, top, 200, labelHeight + 4), Qt::AlignLeft | Qt::AlignVCenter, name);
  }
  if (most == 0) p.drawText(reviews.area, Qt::AlignCenter, uiQText(textNoReviewsYet));

  top += panelHeight;
  const Panel due =
      drawPanel(p, top, width(), uiQText(textDuePerDay), *std::max_element(f.due.begin(), f.due.end()), today, false);
  for (int day = 0; day < progressDays; day++) drawBar(p, due, day, 0, f.due[day], gradeColours[3]);

  top += panelHeight;
  const double share = f.spacedInAll ? f.rememberedInAll / double(f.spacedInAll) : 0;
  const QString heading = uiQText(textRememberedShare)
                              .arg(f.rememberedInAll)
                              .arg(f.spacedInAll)
                              .arg(f.spacedInAll ? percent(share) : QString("-"))
                              .arg(percent(f.aim));
  Panel remembered = drawPanel(p, top, width(), heading, 1000, firstPast, true);
  for (int day = 0; day < progressDays; day++)
    if (f.spaced[day] > 0) drawBar(p, remembered, day, 0, 1000.0 * f.remembered[day] / f.spaced[day], gradeColours[2]);
  const int aimY = remembered.area.bottom() - int(f.aim * remembered.area.height());
  p.setPen(QPen(gradeColours[0], 1.5, Qt::DashLine));
  p.drawLine(remembered.area.left(), aimY, remembered.area.right(), aimY);
  p.drawText(QRect(remembered.area.right() - 200, aimY - labelHeight - 1, 200, labelHeight),
             Qt::AlignRight | Qt::AlignBottom, uiQText(textAim) + " " + percent(f.aim));
}

}  // namespace zembo
