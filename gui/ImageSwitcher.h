// SPDX-License-Identifier: Apache-2.0
// Shows one picture of a list on every bound label at once.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QLabel;

class ImageSwitcher : public QObject {
    Q_OBJECT
public:
    ImageSwitcher() : QObject(nullptr) {}

    void bindLabel(QLabel* label) { labels.append(label); }
    void addItem(const QString& path) { images.append(path); }
    void clear() { images.clear(); } // the bound labels stay

    const QStringList& items() const { return images; }

public slots:
    // An index outside the list changes nothing.
    void switchImage(int index);

private:
    QStringList images;
    QList<QLabel*> labels; // not owned
};
