// SPDX-License-Identifier: Apache-2.0
// Queue names that a shell would act on, through the window's tool bridge to the real tarn, a
// private cupsd and an emulated printer. CUPS accepts these names; the shell started by popen()
// must see each as one word, so the name reaches tarn unchanged, the queue's own printer
// answers, and nothing in the name is run.
#include "Command.h"
#include "TestBed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kMarker[] = "pwned";

} // namespace

class HostileQueue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QFileInfo::exists("/opt/varda/tarn-utility/tarn"))
            QSKIP("/opt/varda/tarn-utility/tarn exists and would be used instead of ./tarn");
        bed = std::make_unique<testbed::TestBed>(std::vector<std::string>{"RV-C9000"});
        QVERIFY2(bed->ok(), bed->error().c_str());
        // The shell of popen() passes the window's environment on to tarn.
        for (const auto& [name, value] : bed->environment())
            qputenv(name.c_str(), QByteArray::fromStdString(value));
        for (const std::string& name : harness::TempCups::unsetVariables())
            qunsetenv(name.c_str());
        QVERIFY(work.isValid());
        previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        for (const char* program : {"tarn", "dexo1.so"}) {
            const QString target =
                QString::fromStdString(testbed::TestBed::binDir()) + "/" + program;
            QVERIFY2(QFile::link(target, work.filePath(program)), program);
        }
    }

    void cleanupTestCase() {
        QDir::setCurrent(previous);
        bed.reset();
    }

    void nameReachesTheToolUnchangedAndRunsNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("semicolon") << "c9;touch${IFS}pwned";
        QTest::newRow("command substitution") << "c9$(touch${IFS}pwned)";
        QTest::newRow("backquotes") << "c9`touch${IFS}pwned`";
        QTest::newRow("pipe") << "c9|touch${IFS}pwned";
        QTest::newRow("and") << "c9&&touch${IFS}pwned";
        QTest::newRow("background") << "c9&touch${IFS}pwned&";
        QTest::newRow("redirection") << "c9>pwned";
        QTest::newRow("variable") << "c9$HOME";
        QTest::newRow("glob") << "c9*";
        QTest::newRow("parentheses") << "(touch${IFS}pwned)";
    }

    void nameReachesTheToolUnchangedAndRunsNothing() {
        QFETCH(QString, name);
        const std::string queue = name.toStdString();
        const testbed::Queue* printer = bed->queue("c9000");
        QVERIFY(printer != nullptr);
        QVERIFY2(bed->cups().addQueue(queue, printer->uri, harness::shippedPpd("RV-C9000")),
                 bed->cups().lastError().c_str());
        QVERIFY(bed->resetPrinters());
        // A file that a glob in the name would expand to: a name that is no queue.
        QFile decoy(work.filePath("c9-decoy"));
        QVERIFY(decoy.open(QIODevice::WriteOnly));
        decoy.close();

        Command command;
        std::vector<std::string> listed;
        command.enumQueue([&listed](const std::string& listedName) {
            listed.push_back(listedName);
            return 0;
        });
        QVERIFY2(std::find(listed.begin(), listed.end(), queue) != listed.end(),
                 "tarn -l does not list the queue by its name");

        // The device record comes from the queue's PPD, the state from its printer: both only
        // when tarn got the name as it is.
        std::string option, deviceID, k, c, m, y, mn, layout;
        QVERIFY(command.readDeviceOption(queue, option, deviceID, k, c, m, y, mn, layout));
        QCOMPARE(deviceID, std::string("MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;DES:VARDA "
                                       "RV-C9000;"));
        StatusDetail status{};
        StatusGroup group{};
        std::vector<int> inks;
        InkStatus sK{}, sC{}, sM{}, sY{}, sMN{};
        InkAmount aK{}, aC{}, aM{}, aY{}, aMN{};
        QVERIFY(command.readStatus(queue, status, group, inks, sK, aK, sC, aC, sM, aM, sY, aY, sMN,
                                   aMN));
        QCOMPARE(int(status), 600);
        QCOMPARE(int(group), 6);
        QVERIFY(command.writePrinterSetting(queue, '3', 'N'));
        QCOMPARE(bed->control().setting("c9000", "head_mediaClearanceHeight"), std::string("3"));

        QVERIFY2(!QFileInfo::exists(work.filePath(kMarker)), "the shell ran part of the name");
        QVERIFY(QFile::remove(work.filePath("c9-decoy")));
        QVERIFY(bed->cups().deleteQueue(queue));
    }

private:
    std::unique_ptr<testbed::TestBed> bed;
    QTemporaryDir work;
    QString previous;
};

QTEST_MAIN(HostileQueue)
#include "tst_hostile_queue.moc"
