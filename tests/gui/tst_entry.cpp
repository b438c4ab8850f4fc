// SPDX-License-Identifier: Apache-2.0
// The start-up of tarnqt: its switches, the start-up lines, the translators and the image-format
// probe; in-process and as the real program.
#include "GuiTestSupport.h"

#include "AppEntry.h"
#include "CompatiblityCheck.h"
#include "RunFlags.h"

#include <QImageReader>
#include <QImageWriter>
#include <QLibraryInfo>
#include <QLocale>
#include <QMovie>
#include <QProcess>
#include <QTranslator>
#include <QtTest>

namespace {

QString formatList(const QList<QByteArray>& formats) {
    QString text;
    for (const QByteArray& format : formats)
        text += QString::fromLatin1(format) + ", ";
    return text;
}

bool catalogueInstalled() {
    return QFileInfo::exists("/opt/varda/tarn-utility/tr/tarnqt_" + QLocale::system().name() +
                             ".qm");
}

} // namespace

class EntryTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        verbose = false;
        dryrun = false;
    }
    void cleanup() { init(); }

    void switchesAreReadLiterally_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<bool>("verboseSet");
        QTest::addColumn<bool>("dryrunSet");
        QTest::newRow("program only") << QStringList{"tarnqt"} << "arg: tarnqt\n" << false << false;
        QTest::newRow("-n then -v") << QStringList{"./tarnqt", "-n", "-v"}
                                    << "arg: ./tarnqt\narg: -n\ndryrun mode\narg: -v\n"
                                    << true << true;
        QTest::newRow("-v then -n") << QStringList{"./tarnqt", "-v", "-n"}
                                    << "arg: ./tarnqt\narg: -v\narg: -n\ndryrun mode\n"
                                    << true << true;
        QTest::newRow("-n twice") << QStringList{"t", "-n", "-n"}
                                  << "arg: t\narg: -n\ndryrun mode\narg: -n\ndryrun mode\n"
                                  << false << true;
        QTest::newRow("combined letters")
            << QStringList{"t", "-vn", "-nv"} << "arg: t\narg: -vn\narg: -nv\n"
            << false << false;
        QTest::newRow("words and case")
            << QStringList{"t", "--verbose", "--dryrun", "-V", "n"}
            << "arg: t\narg: --verbose\narg: --dryrun\narg: -V\narg: n\n"
            << false << false;
        QTest::newRow("spaces kept")
            << QStringList{"t", " -v", "-n "} << "arg: t\narg:  -v\narg: -n \n"
            << false << false;
    }
    void switchesAreReadLiterally() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, printed);
        QFETCH(bool, verboseSet);
        QFETCH(bool, dryrunSet);
        StreamCapture out(1);
        scanArguments(arguments);
        QCOMPARE(out.text(), printed);
        QCOMPARE(verbose, verboseSet);
        QCOMPARE(dryrun, dryrunSet);
    }

    void localeIsDumpedOnlyWhenVerbose() {
        {
            StreamCapture out(1);
            printLocaleDiagnostics();
            QCOMPARE(out.text(), QString());
        }
        verbose = true;
        StreamCapture out(1);
        printLocaleDiagnostics();
        const QLocale locale = QLocale::system();
        const QString expected =
            QString("locale\n\tname: %1\n\tlanguage: %2\n\tzeroDigit: %3\n\tpositiveSign: %4\n"
                    "\tnegativeSign: %5\n\tdecimalPoint: %6\n%7\n")
                .arg(locale.name(), QLocale::languageToString(locale.language()),
                     QString(locale.zeroDigit()), QString(locale.positiveSign()),
                     QString(locale.negativeSign()), QString(locale.decimalPoint()),
                     QLibraryInfo::location(QLibraryInfo::TranslationsPath));
        QCOMPARE(out.text(), expected);
    }

    void missingCatalogueIsReportedByLocaleName() {
        if (catalogueInstalled())
            QSKIP("a catalogue for this locale is installed");
        QTranslator toolkit, utility;
        StreamCapture out(1);
        installTranslators(*QCoreApplication::instance(), toolkit, utility);
        QCOMPARE(out.text(),
                 QString("ERROR: language file %1 is not found\n").arg(QLocale::system().name()));
        QCoreApplication::removeTranslator(&toolkit);
        QCoreApplication::removeTranslator(&utility);
    }

    void imageFormatsAreProbedOnce_data() {
        QTest::addColumn<bool>("verboseSet");
        QTest::newRow("quiet") << false;
        QTest::newRow("verbose") << true;
    }
    void imageFormatsAreProbedOnce() {
        QFETCH(bool, verboseSet);
        verbose = verboseSet;
        StreamCapture err(2);
        StreamCapture out(1);
        const CompatiblityCheck check;
        const QString printed = out.text();
        const QString diagnosed = err.text();
        const QList<QByteArray> readable = QImageReader::supportedImageFormats();
        QCOMPARE(check.mngSupported, readable.contains("mng"));
        if (!verboseSet) {
            QCOMPARE(printed, QString());
            QCOMPARE(diagnosed, QString());
            return;
        }
        QCOMPARE(printed, "QMovie::supportedFormats(): " + formatList(QMovie::supportedFormats()) +
                              "\nQImageWriter::supportedImageFormats(): " +
                              formatList(QImageWriter::supportedImageFormats()) + "\n");
        QString expected = "QImageReader::supportedImageFormats(): ";
        for (const QByteArray& format : readable) {
            expected += QString::fromLatin1(format) + ", ";
            if (format == "mng")
                expected += "mng supported\n";
        }
        QCOMPARE(diagnosed, expected + "\n");
    }

    void programPrintsItsStartUpLines_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("after");
        QTest::newRow("dry run") << QStringList{"-n", "-x"} << "arg: -n\ndryrun mode\narg: -x\n";
        QTest::newRow("verbose") << QStringList{"-v"} << "arg: -v\nlocale\n\tname: ";
    }
    void programPrintsItsStartUpLines() {
        SKIP_IF_TOOL_INSTALLED();
        QFETCH(QStringList, arguments);
        QFETCH(QString, after);
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::List, "destination: Q1\n");
        QProcess program;
        program.setWorkingDirectory(scratch.path());
        program.start(TARNQT_PATH, arguments);
        QVERIFY(program.waitForStarted(10000));
        // Read until the window runs its first tool command, then end the program.
        QByteArray out;
        QElapsedTimer clock;
        clock.start();
        while (!out.contains("call \"") && clock.elapsed() < 30000) {
            program.waitForReadyRead(200);
            out += program.readAllStandardOutput();
        }
        program.kill();
        program.waitForFinished(10000);
        const QString text = QString::fromLocal8Bit(out);
        // The first line names the program as it was started.
        QVERIFY2(text.startsWith(QString("arg: %1\n").arg(TARNQT_PATH) + after), qPrintable(text));
        if (!catalogueInstalled())
            QVERIFY(text.contains("ERROR: language file " + QLocale::system().name() +
                                  " is not found\n"));
        QVERIFY2(text.contains("call \"./tarn" + QString(arguments.contains("-n") ? " -n" : "") +
                               " -p 'Q1' "),
                 qPrintable(text));
    }
};

QTEST_MAIN(EntryTest)
#include "tst_entry.moc"
