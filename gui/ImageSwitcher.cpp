#include "ImageSwitcher.h"

#include <QLabel>
#include <QPixmap>

void ImageSwitcher::switchImage(int index) {
    if (index < 0 || index >= images.size())
        return;
    for (QLabel* label : labels)
        label->setPixmap(QPixmap(images.at(index)));
}
