// SPDX-License-Identifier: Apache-2.0
// Shows every page of the window and saves a picture of it for review. The folder is
// $TARN_SCREENSHOT_DIR, or screenshots/ in the build folder.
#include "GuiTestSupport.h"

#include "RunFlags.h"

#include <QAbstractButton>
#include <QImage>
#include <QtTest>

namespace {

QString screenshotDir() {
    const QString fromEnvironment = qEnvironmentVariable("TARN_SCREENSHOT_DIR");
    return fromEnvironment.isEmpty() ? QString(TARN_DEFAULT_SCREENSHOT_DIR) : fromEnvironment;
}

} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageIsPhotographed() {
        SKIP_IF_TOOL_INSTALLED();
        ScratchDir scratch;
        StandInTool tool(scratch);
        scriptWholePrinter(tool, "600, Status_IL_PAPF", "6, Others");

        StreamCapture out(1);
        MainFrame window;
        window.show();
        // Let the first status read come, then open the pages that read the printer, so they
        // show values.
        QTRY_VERIFY_WITH_TIMEOUT(tool.calls().filter("[status]").size() > 0, 5000);
        QWidget* start = page(window, "Startup");
        for (const char* button :
             {"btnPaperSetting", "btnGeometrySetting", "btnAfterPrinting", "btnPrinterSetting"}) {
            qobject_cast<Page*>(start)->show();
            if (auto* b = start->findChild<QAbstractButton*>(button))
                b->click();
        }

        const QString folder = screenshotDir();
        QVERIFY(QDir().mkpath(folder));
        const QList<Page*> pages =
            window.findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(pages.size(), 28);
        int number = 0;
        for (Page* p : pages) {
            p->show();
            QCoreApplication::processEvents();
            const QImage picture = window.grab().toImage();
            QCOMPARE(picture.size() / picture.devicePixelRatio(), p->size());
            const QString file = QString("%1/%2-%3.png")
                                     .arg(folder)
                                     .arg(++number, 2, 10, QChar('0'))
                                     .arg(p->objectName());
            QVERIFY2(picture.save(file), qPrintable(file));
            // A page that drew nothing would be a single colour.
            const QRgb first = picture.pixel(0, 0);
            bool drawn = false;
            for (int y = 0; y < picture.height() && !drawn; y += 3) {
                for (int x = 0; x < picture.width() && !drawn; x += 3)
                    drawn = picture.pixel(x, y) != first;
            }
            QVERIFY2(drawn, qPrintable(p->objectName()));
        }
        out.text();
        std::printf("screenshots of %d pages in %s\n", number, qPrintable(folder));
    }
};

QTEST_MAIN(ScreenshotTest)
#include "tst_screenshots.moc"
