// SPDX-License-Identifier: Apache-2.0
// With an image reader that cannot decode MNG, the cleaning animation is the GIF one.
#include "GuiTestSupport.h"

#include "RunFlags.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QLibraryInfo>
#include <QMovie>
#include <QtTest>

class NoMngTest : public QObject {
    Q_OBJECT

private slots:
    void gifAnimationWithoutMngReader() {
        SKIP_IF_TOOL_INSTALLED();
        if (QImageReader::supportedImageFormats().contains("mng"))
            QSKIP("the MNG reader was loaded before the plug-in folders were emptied");
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::List, "destination: Q1\n");
        std::unique_ptr<MainFrame> w;
        {
            StreamCapture out(1);
            w = std::make_unique<MainFrame>();
        }
        QVERIFY(!MainFrameTestAccess::mngSupported(*w));
        QMovie* movie = MainFrameTestAccess::cleaningAnimation(*w);
        QCOMPARE(movie->fileName(), QString("://images/CleaningProgress.gif"));
        QVERIFY(movie->isValid());
        QCOMPARE(w->findChild<QWidget*>("HeadCleaning2")
                     ->findChild<QLabel*>("labelCleaningProgress")
                     ->movie(),
                 movie);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // A plug-in folder that holds the GIF reader alone, so the MNG reader is not found.
    QTemporaryDir plugins;
    QDir(plugins.path()).mkdir("imageformats");
    const QString gif =
        QLibraryInfo::location(QLibraryInfo::PluginsPath) + "/imageformats/libqgif.so";
    QFile::link(gif, plugins.path() + "/imageformats/libqgif.so");
    QCoreApplication::setLibraryPaths({plugins.path()});
    NoMngTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_nomng.moc"
