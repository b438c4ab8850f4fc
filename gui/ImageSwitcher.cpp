// SPDX-License-Identifier: Apache-2.0
#include "ImageSwitcher.h"

#include <QFile>
#include <QLabel>
#include <QPixmap>

// On a high-density screen the @2x drawing keeps the picture sharp; the reader marks a file
// named @2x as density 2, so it takes the same room on the page as the plain one.
static QPixmap pictureFor(const QString& path, qreal ratio) {
    if (ratio > 1.0) {
        const int dot = path.lastIndexOf(QLatin1Char('.'));
        const QString dense = path.left(dot) + QLatin1String("@2x") + path.mid(dot);
        if (dot > 0 && QFile::exists(dense)) {
            return QPixmap(dense);
        }
    }
    return QPixmap(path);
}

void ImageSwitcher::switchImage(int index) {
    if (index < 0 || index >= images.size()) {
        return;
    }
    for (QLabel* label : labels) {
        label->setPixmap(pictureFor(images.at(index), label->devicePixelRatioF()));
    }
}
