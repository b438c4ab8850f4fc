// SPDX-License-Identifier: Apache-2.0
// The status and media-form pictures stay sharp on high-density screens: on a screen of
// density 2 the switcher shows the @2x drawing at the size of the plain one.
#include "ImageSwitcher.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

class DensityTest : public QObject {
    Q_OBJECT
private slots:
    void switcherTakesTheDrawingOfTheScreensDensity_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("status picture") << QStringLiteral("://images/status_01.png");
        QTest::newRow("name with a comma") << QStringLiteral("://images/status_8,9.png");
        QTest::newRow("media form") << QStringLiteral("://images/DetectType_GAP.png");
    }
    void switcherTakesTheDrawingOfTheScreensDensity() {
        QFETCH(QString, path);
        const QImage plain(path);
        QVERIFY(!plain.isNull());

        QLabel label;
        ImageSwitcher switcher;
        switcher.bindLabel(&label);
        switcher.addItem(path);
        switcher.switchImage(0);

        const QPixmap shown = label.pixmap(Qt::ReturnByValue);
        const qreal ratio = label.devicePixelRatioF();
        QCOMPARE(shown.devicePixelRatio(), ratio > 1.0 ? 2.0 : 1.0);
        // Same room on the page either way.
        QCOMPARE(shown.size() / shown.devicePixelRatio(), plain.size());
    }
};

QTEST_MAIN(DensityTest)
#include "tst_density.moc"
