#include "icofile.h"

#include <QByteArray>
#include <QSaveFile>

namespace {

void put16(QByteArray& out, quint16 v) {
  out.append(char(v & 0xff));
  out.append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v) {
  put16(out, quint16(v & 0xffff));
  put16(out, quint16(v >> 16));
}

// One image as a device-independent bitmap of twice its height: the colour rows (bottom row
// first, BGRA, alpha not premultiplied) followed by the mask rows, each padded to 32 bits.
QByteArray dibOf(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const int maskStride = ((w + 31) / 32) * 4;
  QByteArray out;
  put32(out, 40);
  put32(out, quint32(w));
  put32(out, quint32(2 * h));
  put16(out, 1);
  put16(out, 32);
  put32(out, 0);
  put32(out, quint32(w * h * 4 + maskStride * h));
  for (int i = 0; i < 4; ++i) put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      out.append(char(qBlue(row[x])));
      out.append(char(qGreen(row[x])));
      out.append(char(qRed(row[x])));
      out.append(char(qAlpha(row[x])));
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    QByteArray bits(maskStride, '\0');
    for (int x = 0; x < w; ++x)
      if (qAlpha(row[x]) == 0) bits[x / 8] = char(bits[x / 8] | (0x80 >> (x % 8)));
    out.append(bits);
  }
  return out;
}

}  // namespace

bool writeIcoFile(const QString& path, const QList<QImage>& images) {
  if (images.isEmpty()) return false;
  QList<QByteArray> dibs;
  for (const QImage& image : images) {
    if (image.width() > 256 || image.height() > 256) return false;
    dibs.append(dibOf(image));
  }
  QByteArray out;
  put16(out, 0);
  put16(out, 1);  // icon, not cursor
  put16(out, quint16(images.size()));
  quint32 offset = quint32(6 + 16 * images.size());
  for (int i = 0; i < images.size(); ++i) {
    out.append(char(images[i].width() & 0xff));  // 0 stands for 256
    out.append(char(images[i].height() & 0xff));
    out.append(char(0));  // no palette
    out.append(char(0));
    put16(out, 1);
    put16(out, 32);
    put32(out, quint32(dibs[i].size()));
    put32(out, offset);
    offset += quint32(dibs[i].size());
  }
  for (const QByteArray& dib : dibs) out.append(dib);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(out);
  return file.commit();
}
