#pragma once
// Icon files with several sizes in one file. Qt's own ICO writer stores one image per file, so
// this writes the container itself: 32-bit images with their alpha channel and the 1-bit mask
// that older readers use (1 where a pixel is fully transparent).

#include <QImage>
#include <QList>
#include <QString>

bool writeIcoFile(const QString& path, const QList<QImage>& images);
