// SPDX-License-Identifier: Apache-2.0
// The window with the real tarn as ./tarn in dry-run mode, against a private cupsd whose queues
// carry the printers' PPDs: the printer list, the function list and the operations all come
// from the tool itself.
#include "GuiTestSupport.h"

#include "RunFlags.h"
#include "TempCups.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QtTest>

#include <memory>

namespace {

// CUPS allows these in a queue name; the shell must see none of them.
const char* const HostileQueue = "c2;touch_pwned&(x)|`y`$z";

} // namespace

class RealToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        SKIP_IF_TOOL_INSTALLED();
        cups = std::make_unique<harness::TempCups>();
        QVERIFY2(cups->ok(), cups->error().c_str());
        QVERIFY2(cups->addQueue("C9000", "socket://127.0.0.1:9", harness::shippedPpd("RV-C9000")),
                 cups->lastError().c_str());
        QVERIFY2(
            cups->addQueue(HostileQueue, "socket://127.0.0.1:9", harness::shippedPpd("RV-C2000")),
            cups->lastError().c_str());
        cups->applyToProcess(); // the tool runs inherit the private server's environment
    }
    void cleanupTestCase() { cups.reset(); }
    void init() {
        verbose = false;
        dryrun = true;
    }
    void cleanup() { dryrun = false; }

    void windowLiveOnTheToolsListings() {
        ScratchDir scratch;
        QVERIFY(QFile::link(TARN_PATH, scratch.file("tarn")));
        MessageBoxCloser closer;
        StreamCapture out(1);
        MainFrame window;
        const QString printed = out.text();
        QVERIFY2(!closer.seen(), "the no-printer warning came up");

        QWidget* start = page(window, "Startup");
        auto* queues = start->findChild<QComboBox*>("selectPrintQueue");
        QStringList names;
        for (int i = 0; i < queues->count(); ++i)
            names << queues->itemText(i);
        names.sort();
        QCOMPARE(names, (QStringList{"C9000", HostileQueue}));
        // The tool's usage text lists both functions.
        for (const char* name : {"btnNozzleCheck", "btnHeadCleaning", "btnPowerInkFlushing"})
            QVERIFY2(start->findChild<QAbstractButton*>(name)->isEnabled(), name);
        QVERIFY2(printed.contains("call \"./tarn -n -p '"), qPrintable(printed));
        QVERIFY(!scratch.exists("touch_pwned"));
    }

    void operationsSucceedInDryRun_data() {
        QTest::addColumn<QString>("queue");
        QTest::newRow("plain name") << "C9000";
        QTest::newRow("name with shell characters") << HostileQueue;
    }
    void operationsSucceedInDryRun() {
        QFETCH(QString, queue);
        ScratchDir scratch;
        QVERIFY(QFile::link(TARN_PATH, scratch.file("tarn")));
        Command command;
        const std::string q = queue.toStdString();
        StreamCapture out(1);

        StatusDetail detail = Status_ER_SS;
        StatusGroup group = Pause;
        std::vector<int> inks;
        InkStatus s[5];
        InkAmount a[5];
        QVERIFY(command.readStatus(q, detail, group, inks, s[0], a[0], s[1], a[1], s[2], a[2], s[3],
                                   a[3], s[4], a[4]));
        QVERIFY(command.printNozzleCheckPattern(q));
        QVERIFY(command.doHeadCleaning(q, 'A'));
        QVERIFY(command.doHeadCleaning(q, 'H'));
        std::string id;
        int v[8];
        QVERIFY(command.readPaperSource(q, id, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]));
        QVERIFY(command.writePrinterSetting(q, '2', 'Y'));
        std::string option, deviceID, k, c, m, y, mn, layout;
        QVERIFY(command.readDeviceOption(q, option, deviceID, k, c, m, y, mn, layout));
        QVERIFY2(deviceID.find("MFG:VARDA;") == 0, deviceID.c_str());

        const QString printed = out.text();
        // The tool saw the queue as one word: it names it back in its destination line, which
        // the media read lists.
        QVERIFY2(printed.contains("destination: " + queue + "\n"), qPrintable(printed));
        QVERIFY(!printed.contains("FAILED"));
        QVERIFY(!scratch.exists("touch_pwned"));
    }

private:
    std::unique_ptr<harness::TempCups> cups;
};

QTEST_MAIN(RealToolTest)
#include "tst_realtool.moc"
