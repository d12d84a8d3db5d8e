// Draws the pictures of the program and of its sample dictionaries: the window icon (also in the
// desktop's icon sizes, packaging/icons), the frames of the sorting animation, the language
// icons, the logo of the main window and the frames of the About animation (tools/make-art.sh
// turns those into dict.avi). The outputs are committed; this is run only to make them again.
//
//   mkart images ROOT          icons, logo and sorting frames, below the repository root ROOT
//   mkart animation DIR        the About animation, DIR/000.png, 001.png, ...
//   mkart show FILE.ico DIR    each image of an icon file as DIR/<name>-<size>.png, to look at

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <QtMath>

#include <cmath>
#include <cstdio>
#include <functional>

#include "icofile.h"

namespace {

QImage transparentImage(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// The frames of the sorting animation are drawn over the window with white as the transparent
// colour: a pixel is either the picture or pure white, never a blend of the two, and no pixel of
// the picture itself may be pure white.
QImage onWhiteKey(const QImage& drawn) {
  const QImage src = drawn.convertToFormat(QImage::Format_ARGB32);
  QImage out(src.size(), QImage::Format_RGB32);
  for (int y = 0; y < src.height(); ++y) {
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      if (qAlpha(in[x]) < 128) {
        o[x] = qRgb(255, 255, 255);
      } else {
        int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
        if (r == 255 && g == 255 && b == 255) b = 254;
        o[x] = qRgb(r, g, b);
      }
    }
  }
  return out;
}

// ---- language icons --------------------------------------------------------------------------

using FlagPainter = std::function<void(QPainter&, const QRectF&)>;

void stripes(QPainter& p, const QRectF& r, const QList<QColor>& colours, bool vertical) {
  const int n = static_cast<int>(colours.size());
  for (int i = 0; i < n; ++i) {
    QRectF band = vertical ? QRectF(r.left() + r.width() * i / n, r.top(), r.width() / n, r.height())
                           : QRectF(r.left(), r.top() + r.height() * i / n, r.width(), r.height() / n);
    p.fillRect(band, colours[i]);
  }
}

void frenchFlag(QPainter& p, const QRectF& r) {
  stripes(p, r, {QColor(0, 85, 164), QColor(250, 250, 250), QColor(239, 65, 53)}, true);
}

void germanFlag(QPainter& p, const QRectF& r) {
  stripes(p, r, {QColor(20, 20, 20), QColor(221, 0, 0), QColor(255, 206, 0)}, false);
}

void dutchFlag(QPainter& p, const QRectF& r) {
  stripes(p, r, {QColor(174, 28, 40), QColor(250, 250, 250), QColor(33, 70, 139)}, false);
}

void britishFlag(QPainter& p, const QRectF& r) {
  const QColor blue(1, 33, 105), red(200, 16, 46), white(250, 250, 250);
  p.fillRect(r, blue);
  p.save();
  p.setClipRect(r);
  const QLineF d1(r.topLeft(), r.bottomRight()), d2(r.bottomLeft(), r.topRight());
  p.setPen(QPen(white, r.height() * 0.2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(d1);
  p.drawLine(d2);
  p.setPen(QPen(red, r.height() * 0.075, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(d1);
  p.drawLine(d2);
  const QPointF c = r.center();
  const qreal wide = r.height() / 3, narrow = r.height() / 5;
  p.fillRect(QRectF(r.left(), c.y() - wide / 2, r.width(), wide), white);
  p.fillRect(QRectF(c.x() - wide / 2, r.top(), wide, r.height()), white);
  p.fillRect(QRectF(r.left(), c.y() - narrow / 2, r.width(), narrow), red);
  p.fillRect(QRectF(c.x() - narrow / 2, r.top(), narrow, r.height()), red);
  p.restore();
}

// A flag on a 32 x 32 icon: a slightly rounded cloth with a soft shadow and a thin dark edge, a
// light sheen over the upper half, transparent around it.
QImage flagIcon(const FlagPainter& paint) {
  QImage image = transparentImage(32, 32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF cloth(1, 6, 30, 21);
  QPainterPath outline;
  outline.addRoundedRect(cloth, 2, 2);
  p.fillPath(outline.translated(1, 1.5), QColor(0, 0, 0, 70));
  p.save();
  p.setClipPath(outline);
  p.setRenderHint(QPainter::Antialiasing, false);
  paint(p, cloth);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sheen(cloth.topLeft(), cloth.bottomLeft());
  sheen.setColorAt(0, QColor(255, 255, 255, 90));
  sheen.setColorAt(0.45, QColor(255, 255, 255, 15));
  sheen.setColorAt(0.5, QColor(0, 0, 0, 0));
  sheen.setColorAt(1, QColor(0, 0, 0, 40));
  p.fillRect(cloth, sheen);
  p.restore();
  p.setPen(QPen(QColor(40, 40, 40, 200), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(outline);
  return image;
}

// ---- the window icon -------------------------------------------------------------------------

// A green dictionary with a golden Z on its cover and the pages' edge showing at the side. The
// small size is drawn pixel by pixel, so that it stays sharp.
QImage windowIcon(int size) {
  QImage image = transparentImage(size, size);
  QPainter p(&image);
  const QColor pageColour(250, 246, 228), pageEdge(90, 80, 60), coverEdge(0, 45, 0), gold(255, 208, 60);
  if (size == 16) {
    p.fillRect(QRect(3, 2, 12, 14), pageEdge);
    p.fillRect(QRect(4, 3, 10, 12), pageColour);
    p.fillRect(QRect(1, 0, 12, 15), coverEdge);
    QLinearGradient green(2, 0, 12, 0);
    green.setColorAt(0, QColor(0, 95, 0));
    green.setColorAt(0.3, QColor(0, 160, 0));
    green.setColorAt(1, QColor(0, 125, 0));
    p.fillRect(QRect(2, 1, 10, 13), green);
    p.fillRect(QRect(3, 1, 1, 13), QColor(0, 70, 0));
    // Z: two bars of two rows and a diagonal two pixels wide
    p.fillRect(QRect(5, 3, 6, 2), gold);
    p.fillRect(QRect(5, 10, 6, 2), gold);
    for (int row = 0; row < 5; ++row) p.fillRect(QRect(9 - row, 5 + row, 2, 1), gold);
    return image;
  }
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(size / 32.0, size / 32.0);
  // pages
  QPainterPath pages;
  pages.addRoundedRect(QRectF(6.5, 4.5, 23, 26), 1.5, 1.5);
  p.fillPath(pages, pageColour);
  p.setPen(QPen(QColor(150, 140, 110), 0.8));
  for (qreal y = 8; y < 29; y += 3) p.drawLine(QPointF(26.5, y), QPointF(28.5, y));
  p.setPen(QPen(pageEdge, 1));
  p.drawPath(pages);
  // cover
  QPainterPath cover;
  cover.addRoundedRect(QRectF(2.5, 1.5, 23, 27), 2.5, 2.5);
  QLinearGradient green(3, 0, 26, 0);
  green.setColorAt(0, QColor(0, 80, 0));
  green.setColorAt(0.22, QColor(0, 115, 0));
  green.setColorAt(0.3, QColor(0, 160, 0));
  green.setColorAt(1, QColor(0, 125, 0));
  p.fillPath(cover, green);
  p.setPen(QPen(coverEdge, 1));
  p.drawPath(cover);
  p.setPen(QPen(QColor(0, 60, 0), 1));
  p.drawLine(QPointF(7.5, 2.5), QPointF(7.5, 27.5));
  // title letter
  QFont font("Liberation Serif");
  font.setBold(true);
  font.setPixelSize(21);
  p.setFont(font);
  const QRectF face(8, 2, 17, 26);
  p.setPen(QColor(0, 40, 0));
  p.drawText(face.translated(1, 1), Qt::AlignCenter, "Z");
  p.setPen(gold);
  p.drawText(face, Qt::AlignCenter, "Z");
  return image;
}

// ---- the sorting animation -------------------------------------------------------------------

// An hourglass 24 pixels tall: level 0 has all the sand in the upper bulb, level 1 all of it in
// the lower one; the painter may be turned about the glass's centre.
void drawHourglass(QPainter& p, qreal level) {
  const QColor wood(125, 72, 22), woodDark(80, 44, 10), glass(70, 70, 90), sand(224, 164, 40);
  QPainterPath upper, lower;
  upper.moveTo(-7, -10);
  upper.lineTo(7, -10);
  upper.cubicTo(7, -4, 1.2, -2.5, 1.2, 0);
  upper.lineTo(-1.2, 0);
  upper.cubicTo(-1.2, -2.5, -7, -4, -7, -10);
  upper.closeSubpath();
  QTransform flip;
  flip.scale(1, -1);
  lower = flip.map(upper);
  // sand in the upper bulb: what lies below its surface line
  const qreal top = -9.5 + 9.5 * level;
  if (level < 1) {
    QPainterPath below;
    below.addRect(QRectF(-8, top, 16, -top));
    p.fillPath(upper.intersected(below), sand);
  }
  // sand in the lower bulb: a heap that grows from the bottom
  if (level > 0) {
    const qreal surface = 10 - 9 * level;
    QPainterPath heap;
    heap.moveTo(-8, 10.5);
    heap.lineTo(-8, surface + 2);
    heap.quadTo(0, surface - 2.5, 8, surface + 2);
    heap.lineTo(8, 10.5);
    heap.closeSubpath();
    p.fillPath(lower.intersected(heap), sand);
  }
  // the running stream
  if (level > 0 && level < 1) {
    p.setPen(QPen(sand, 1.2));
    p.drawLine(QPointF(0, -0.5), QPointF(0, 10 - 9 * level));
  }
  p.setPen(QPen(glass, 1.1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(upper);
  p.drawPath(lower);
  // the wooden ends and their posts
  p.setPen(Qt::NoPen);
  p.setBrush(wood);
  p.drawRoundedRect(QRectF(-9, -12.5, 18, 3), 1, 1);
  p.drawRoundedRect(QRectF(-9, 9.5, 18, 3), 1, 1);
  p.setBrush(woodDark);
  p.drawRect(QRectF(-8.5, -9.5, 1.2, 19));
  p.drawRect(QRectF(7.3, -9.5, 1.2, 19));
}

// Twelve frames: the sand runs down in eight, then the glass turns over in four; after the last
// frame the first one shows the turned glass, full at the top again.
QImage sortingFrame(int index) {
  QImage image = transparentImage(30, 30);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(15, 15);
  if (index < 8) {
    drawHourglass(p, index / 7.0);
  } else {
    p.rotate(36.0 * (index - 7));
    drawHourglass(p, 1);
  }
  p.end();
  return onWhiteKey(image);
}

// ---- the logo --------------------------------------------------------------------------------

// The main window's background behind the logo: its green gradient, row by row, for a logo of
// the given height drawn centred in the top 96 rows of a client area 326 rows tall.
QColor windowGreenAt(int logoRow, int logoHeight) {
  const int y = (96 - logoHeight) / 2 + logoRow;
  return QColor(0, 200 - 3 * (y * 63 / 326), 0);
}

// An open book, its pages fanned, with a red bookmark.
void drawOpenBook(QPainter& p, const QRectF& r) {
  const qreal cx = r.center().x(), top = r.top(), bottom = r.bottom(), half = r.width() / 2;
  QPainterPath cover;
  cover.moveTo(cx, bottom);
  cover.cubicTo(cx - half * 0.4, bottom - 5, cx - half * 0.8, bottom - 2, r.left(), bottom);
  cover.lineTo(r.left(), top + 8);
  cover.lineTo(cx, top + 12);
  cover.lineTo(r.right(), top + 8);
  cover.lineTo(r.right(), bottom);
  cover.cubicTo(cx + half * 0.8, bottom - 2, cx + half * 0.4, bottom - 5, cx, bottom);
  p.fillPath(cover, QColor(110, 40, 20));
  p.setPen(QPen(QColor(50, 15, 5), 1.2));
  p.drawPath(cover);
  for (int side : {-1, 1}) {
    QPainterPath page;
    const qreal outer = cx + side * (half - 3);
    page.moveTo(cx, bottom - 4);
    page.cubicTo(cx + side * half * 0.35, bottom - 10, cx + side * half * 0.7, bottom - 6, outer, bottom - 5);
    page.lineTo(outer, top + 3);
    page.cubicTo(cx + side * half * 0.7, top - 1, cx + side * half * 0.35, top + 3, cx, top + 8);
    page.closeSubpath();
    QLinearGradient shade(cx, 0, outer, 0);
    shade.setColorAt(0, QColor(215, 205, 175));
    shade.setColorAt(0.25, QColor(252, 248, 232));
    shade.setColorAt(1, QColor(240, 232, 205));
    p.fillPath(page, shade);
    p.setPen(QPen(QColor(120, 105, 70), 1));
    p.drawPath(page);
    // lines of text on the page
    p.setPen(QPen(QColor(120, 120, 120), 1.3));
    for (int i = 0; i < 6; ++i) {
      const qreal y = top + 12 + i * 6.5;
      const qreal from = cx + side * 5, to = outer - side * 4;
      p.drawLine(QPointF(from, y + 2 - 0.4 * i), QPointF(to, y - 1.5));
    }
  }
  QPainterPath ribbon;
  ribbon.moveTo(cx + 3, top + 9);
  ribbon.lineTo(cx + 8, top + 9);
  ribbon.lineTo(cx + 8, bottom + 6);
  ribbon.lineTo(cx + 5.5, bottom + 3);
  ribbon.lineTo(cx + 3, bottom + 6);
  ribbon.closeSubpath();
  p.fillPath(ribbon, QColor(200, 20, 30));
}

// "Dictionary" beside an open book, about 400 x 70, in 24 bits; the colour of the top-left pixel
// (magenta) is the transparent colour. Edges are blended with the window's green at their row, so
// the letters sit smoothly on the gradient where the program lets it show through.
QImage logo() {
  const int w = 400, h = 70;
  QImage drawn = transparentImage(w, h);
  QPainter p(&drawn);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  drawOpenBook(p, QRectF(4, 9, 84, 52));
  QFont font("Liberation Serif");
  font.setBold(true);
  font.setItalic(true);
  font.setPixelSize(58);
  QPainterPath text;
  text.addText(0, 0, font, "Dictionary");
  const QRectF box = text.boundingRect();
  text.translate(96 - box.left() + (w - 96 - box.width()) / 2, (h - box.height()) / 2 - box.top());
  p.fillPath(text.translated(3, 3), QColor(0, 0, 0, 150));
  QLinearGradient fill(0, 8, 0, 62);
  fill.setColorAt(0, QColor(255, 255, 255));
  fill.setColorAt(0.55, QColor(238, 238, 226));
  fill.setColorAt(1, QColor(255, 222, 120));
  p.fillPath(text, fill);
  p.setPen(QPen(QColor(0, 60, 0), 1.2));
  p.drawPath(text);
  p.end();

  const QImage src = drawn.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = qRgb(255, 0, 255);
  QImage out(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    const QColor green = windowGreenAt(y, h);
    const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int a = qAlpha(in[x]);
      if (a < 24) {
        o[x] = key;
        continue;
      }
      const auto mix = [a](int c, int bg) { return (c * a + bg * (255 - a)) / 255; };
      QRgb c = qRgb(mix(qRed(in[x]), green.red()), mix(qGreen(in[x]), green.green()), mix(qBlue(in[x]), green.blue()));
      if (c == key) c = qRgb(254, 0, 255);
      o[x] = c;
    }
  }
  out.setPixel(0, 0, key);
  return out;
}

// ---- the About animation ---------------------------------------------------------------------

constexpr int animationFrames = 45;  // three seconds at 15 frames a second

// A book lies open in the night; its page turns and letters of its languages rise out of it and
// fade. Every motion repeats after animationFrames frames, so the loop has no seam.
QImage animationFrame(int f) {
  const int w = 140, h = 110;
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QRadialGradient sky(w / 2.0, h * 0.8, w * 0.8);
  sky.setColorAt(0, QColor(30, 60, 120));
  sky.setColorAt(1, QColor(2, 6, 28));
  p.fillRect(image.rect(), sky);
  // a few stars that twinkle with the loop
  const QPointF stars[] = {{12, 14}, {34, 8}, {58, 20}, {88, 10}, {117, 17}, {129, 36}, {22, 40}, {104, 44}};
  for (int i = 0; i < 8; ++i) {
    const qreal glow = 0.5 + 0.5 * qSin(2 * M_PI * (f / qreal(animationFrames) * 2 + i / 8.0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 230, int(80 + 160 * glow)));
    p.drawEllipse(stars[i], 0.8 + 0.6 * glow, 0.8 + 0.6 * glow);
  }
  const qreal cx = w / 2.0, top = 72, bottom = 100, half = 48;
  // rising letters, behind the book's pages
  const QString letters[] = {"A", QString::fromUtf8("é"), QString::fromUtf8("ß"),
                             "Z", QString::fromUtf8("ö"), QString::fromUtf8("ç")};
  // Neighbours are half a rise apart, so that they never cover each other.
  const int phase[] = {0, 3, 1, 4, 2, 5};
  for (int k = 0; k < 6; ++k) {
    const qreal q = std::fmod(f / qreal(animationFrames) + phase[k] / 6.0, 1.0);
    const qreal x = cx + (k - 2.5) * 15 + 4 * qSin(2 * M_PI * (q + k / 6.0));
    const qreal y = top + 4 - q * 66;
    QFont font("Liberation Serif");
    font.setBold(true);
    font.setPixelSize(int(13 + 9 * q));
    p.setFont(font);
    p.setPen(QColor(255, 215, 90, int(255 * qSin(M_PI * q))));
    p.drawText(QRectF(x - 15, y - 15, 30, 30), Qt::AlignCenter, letters[k]);
  }
  // the book: cover, two resting pages and the turning one
  QPainterPath cover;
  cover.addRoundedRect(QRectF(cx - half - 4, top + 2, 2 * half + 8, bottom - top + 2), 3, 3);
  p.fillPath(cover, QColor(110, 40, 20));
  const auto page = [&](qreal outerX, qreal lift) {
    QPainterPath path;
    path.moveTo(cx, bottom);
    path.quadTo((cx + outerX) / 2, bottom - 3 - lift, outerX, bottom - 1 - lift);
    path.lineTo(outerX, top - lift);
    path.quadTo((cx + outerX) / 2, top - 3 - lift, cx, top + 2);
    path.closeSubpath();
    return path;
  };
  const QColor paper(246, 240, 220), edge(120, 105, 70);
  p.setPen(QPen(edge, 0.8));
  p.setBrush(paper);
  p.drawPath(page(cx - half, 0));
  p.drawPath(page(cx + half, 0));
  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (int i = 0; i < 4; ++i) {
    const qreal y = top + 6 + i * 5.5;
    p.drawLine(QPointF(cx - half + 6, y), QPointF(cx - 6, y + 1));
    p.drawLine(QPointF(cx + 6, y + 1), QPointF(cx + half - 6, y));
  }
  constexpr int turnFrames = 30;
  if (f < turnFrames) {
    const qreal angle = M_PI * (f + 0.5) / turnFrames;
    const qreal outer = cx + half * qCos(angle);
    const int shade = int(200 + 46 * qAbs(qCos(angle)));
    p.setPen(QPen(edge, 0.8));
    p.setBrush(QColor(shade, shade - 6, shade - 26));
    p.drawPath(page(outer, 10 * qSin(angle)));
  }
  return image;
}

// ---- commands --------------------------------------------------------------------------------

bool save(const QImage& image, const QString& path, const char* format) {
  QDir().mkpath(QFileInfo(path).path());
  if (!image.save(path, format)) {
    std::fprintf(stderr, "mkart: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

bool saveIcon(const QList<QImage>& images, const QString& path) {
  QDir().mkpath(QFileInfo(path).path());
  if (!writeIcoFile(path, images)) {
    std::fprintf(stderr, "mkart: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// The program icon as a desktop theme wants it: one PNG per usual size, drawn at that size
// rather than scaled, so that the small ones stay sharp.
bool makeDesktopIcons(const QString& hicolor) {
  bool ok = true;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    ok &= save(windowIcon(size), hicolor + QString("/%1x%1/apps/zembo.png").arg(size), "PNG");
  return ok;
}

int makeImages(const QString& root) {
  bool ok = true;
  ok &= saveIcon({windowIcon(32), windowIcon(16)}, root + "/resources/images/zemboicon.ico");
  for (int i = 0; i < 12; ++i)
    ok &= save(sortingFrame(i), root + QString("/resources/images/frame%1.png").arg(i + 1, 2, 10, QChar('0')), "PNG");
  ok &= saveIcon({flagIcon(frenchFlag)}, root + "/data/icons/Fre.ico");
  ok &= saveIcon({flagIcon(germanFlag)}, root + "/data/icons/Ger.ico");
  ok &= saveIcon({flagIcon(britishFlag)}, root + "/data/icons/Eng.ico");
  ok &= saveIcon({flagIcon(dutchFlag)}, root + "/dist/icons/Nederlands.ico");
  ok &= saveIcon({flagIcon(britishFlag)}, root + "/dist/icons/Engels.ico");
  ok &= saveIcon({flagIcon(frenchFlag)}, root + "/dist/icons/Frans.ico");
  ok &= save(logo(), root + "/data/logo.bmp", "BMP");
  ok &= makeDesktopIcons(root + "/packaging/icons/hicolor");
  return ok ? 0 : 1;
}

int makeAnimation(const QString& dir) {
  for (int f = 0; f < animationFrames; ++f)
    if (!save(animationFrame(f), dir + QString("/%1.png").arg(f, 3, 10, QChar('0')), "PNG")) return 1;
  return 0;
}

// Reads an icon file back as the program will and writes each of its images as a PNG.
int showIcon(const QString& path, const QString& dir) {
  QImageReader reader(path);
  int count = 0;
  for (QImage image = reader.read(); !image.isNull(); image = reader.read()) {
    const QString name = QString("%1/%2-%3.png").arg(dir, QFileInfo(path).completeBaseName()).arg(image.width());
    if (!save(image, name, "PNG")) return 1;
    std::printf("%s: %dx%d%s\n", qPrintable(name), image.width(), image.height(),
                image.hasAlphaChannel() ? " with alpha" : "");
    ++count;
    if (!reader.jumpToNextImage()) break;
  }
  if (count == 0) {
    std::fprintf(stderr, "mkart: cannot read %s: %s\n", qPrintable(path), qPrintable(reader.errorString()));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 2 && args[0] == "images") return makeImages(args[1]);
  if (args.size() == 2 && args[0] == "animation") return makeAnimation(args[1]);
  if (args.size() == 3 && args[0] == "show") return showIcon(args[1], args[2]);
  std::fprintf(stderr, "usage: mkart images ROOT | mkart animation DIR | mkart show FILE.ico DIR\n");
  return 2;
}
