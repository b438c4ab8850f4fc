// SPDX-License-Identifier: Apache-2.0
// The status monitor of the real window, driven through a scripted stand-in tarn that prints
// chosen report lines: every status detail, the gauges, failed reads and the way back.
#include "StatusTestSupport.h"

#include <QAccessible>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>

namespace {

const StandInPrinter c5020a{"RV-C5020A", "MFG:VARDA;MDL:RV-C5020A;CMD:VLCL;CLS:PRINTER;",
                            "CUTTER",    "IC-50BK",
                            "MB-50",     "KCMY"};
const StandInPrinter c2000{"RV-C2000", "MFG:VARDA;MDL:RV-C2000;CMD:VLCL;CLS:PRINTER;",
                           "CUTTER",   "IC-20BK",
                           "MB-50",    "KCMY"};
const StandInPrinter d5510p{"RV-D5510P", "MFG:VARDA;MDL:RV-D5510P;CMD:VLCL;CLS:PRINTER;",
                            "PEELER",    "IC-55MK",
                            "MB-50",     "KYMC"};
const StandInPrinter c9000{"RV-C9000", "MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;",
                           "CUTTER",   "IC-90BK",
                           "MB-50",    "KCMY"};
const StandInPrinter unknownModel{
    "XY-100", "MFG:OTHER;MDL:XY-100;CLS:PRINTER;", "CUTTER", "IC-1BK", "MB-50", "KCMY"};

// Shows which context and disambiguation the window passed for each text.
class TaggingTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* comment,
                      int) const override {
        if (QByteArray(context) != "QObject")
            return QString();
        return QString("<%1|%2>").arg(comment ? comment : "", QString::fromUtf8(source));
    }
    bool isEmpty() const override { return false; }
};

struct StatusPage {
    explicit StatusPage(MainFrame& w)
        : title(widget<QTextEdit>(w, "STM", "textPrinterStatusAbstract")),
          advice(widget<QPlainTextEdit>(w, "STM", "textPrinterStatusDetail")),
          picture(widget<QLabel>(w, "STM", "iconSelectedPrinter")),
          startTitle(widget<QPlainTextEdit>(w, "Startup", "textPrinterStatusAbstract")),
          startPicture(widget<QLabel>(w, "Startup", "iconSelectedPrinter")),
          update(widget<QPushButton>(w, "Startup", "btnUpdatePrinterStatus")),
          queues(widget<QComboBox>(w, "Startup", "selectPrintQueue")) {}
    QTextEdit* title;
    QPlainTextEdit* advice;
    QLabel* picture;
    QPlainTextEdit* startTitle;
    QLabel* startPicture;
    QPushButton* update;
    QComboBox* queues;
};

const char* const gaugeNames[5] = {"barInkK", "barInkC", "barInkM", "barInkY", "barInkMN"};

} // namespace

class StatusMonitorTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SKIP_IF_TOOL_INSTALLED(); }

    void everyDetail_data();
    void everyDetail();
    void picturesOfEachFamily_data();
    void picturesOfEachFamily();
    void familyTexts_data();
    void familyTexts();
    void inkListAndMaintenanceBox();
    void gauges_data();
    void gauges();
    void gaugesTellTheirInk();
    void failedRead_data();
    void failedRead();
    void emptyQueueNameIsACommunicationError();
    void firstReadFollowsStartUp();
    void readDisablesTheQueueListWhileTheToolRuns();
    void emptyQueueListReadsNoStatus();
    void queueChangeReadsOptionsBeforeStatus();
    void returnPage();
    void gaugeStyles();
    void gaugesFollowTheCartridgeLayout_data();
    void gaugesFollowTheCartridgeLayout();
    void statusPageUpdateButton();
    void statusPageRefreshesItself();
    void noRefreshWhereItMustNotRead_data();
    void noRefreshWhereItMustNotRead();
};

void StatusMonitorTest::everyDetail_data() {
    QTest::addColumn<int>("detail");
    QTest::addColumn<int>("group");
    for (const CatalogueRow& row : catalogue)
        QTest::addRow("%d", row.detail) << row.detail << 2;
    // Numbers the enumeration does not hold read as a communication error.
    for (int detail : {605, 4, 224, -7})
        QTest::addRow("outside %d", detail) << detail << 6;
}

void StatusMonitorTest::everyDetail() {
    QFETCH(int, detail);
    QFETCH(int, group);
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    bed.tool.setReply(StandInTool::Run::Status, statusLines(detail, group));
    page.update->click();

    const CatalogueRow& row = rowOf(detail);
    QCOMPARE(page.title->toPlainText(), QString::fromUtf8(row.title));
    QCOMPARE(page.advice->toPlainText(), QString::fromUtf8(row.advice));
    QCOMPARE(page.startTitle->toPlainText(), QString::fromUtf8(row.title));
    QVERIFY(showsPicture(page.picture, picturePath(0, row.picture)));
    QVERIFY(showsPicture(page.startPicture, picturePath(0, row.picture)));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), group);
}

void StatusMonitorTest::picturesOfEachFamily_data() {
    QTest::addColumn<int>("printer");
    QTest::addColumn<int>("detail");
    // One detail per picture index, so every picture of every list is shown once.
    const int detailOfIndex[12] = {600, 502, 202, 211, 217, 212, 201, 206, 205, 300, 501, 500};
    const char* names[4] = {"RV-C5020A", "RV-C2000", "RV-D5510P", "RV-C9000"};
    for (int printer = 0; printer < 4; ++printer) {
        for (int index = 0; index < 12; ++index)
            QTest::addRow("%s index %d", names[printer], index) << printer << detailOfIndex[index];
    }
}

void StatusMonitorTest::picturesOfEachFamily() {
    QFETCH(int, printer);
    QFETCH(int, detail);
    const StandInPrinter* printers[4] = {&c5020a, &c2000, &d5510p, &c9000};
    StandInBed bed(*printers[printer], statusLines(detail, 2));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    const CatalogueRow& row = rowOf(detail);
    QCOMPARE(page.title->toPlainText(), QString::fromUtf8(row.title));
    QVERIFY2(showsPicture(page.picture, picturePath(printer, row.picture)),
             qPrintable(picturePath(printer, row.picture)));
    QVERIFY(showsPicture(page.startPicture, picturePath(printer, row.picture)));
}

void StatusMonitorTest::familyTexts_data() {
    QTest::addColumn<int>("printer");
    QTest::addColumn<int>("detail");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("advice");
    const struct {
        const char* name;
        const char* series;
    } printers[] = {{"RV-C5020A", "RV-C2000C5000series"},
                    {"RV-C2000", "RV-C2000C5000series"},
                    {"RV-D5510P", "RV-C2000C5000series"},
                    {"RV-C9000", "RV-C9000series"},
                    // A model of no known family is told in the texts of the series its pages
                    // are set up for, instead of keeping the texts of an earlier state.
                    {"XY-100", "RV-C2000C5000series"}};
    const struct {
        int detail;
        const char* title;
        const char* advice;
    } details[] = {
        {201, "Roll paper cover open", "Close the roll paper cover."},
        {203, "Ink cartridge undetected",
         "Varda recommends the genuine Varda cartridges listed above."},
        {216, "The paper cover is open.", "Close the paper cover."},
        {217, "The front cover is open.", "Close the front cover."},
    };
    for (int p = 0; p < 5; ++p) {
        for (const auto& d : details) {
            QTest::addRow("%s %d", printers[p].name, d.detail)
                << p << d.detail << QString("<%1|%2>").arg(printers[p].series, d.title)
                << QString("<%1|%2>").arg(printers[p].series, d.advice);
        }
    }
    // Details that read the same for every family carry no series.
    QTest::addRow("RV-C9000 204") << 3 << 204 << "<|Replace ink cartridge>"
                                  << "<|Varda recommends the genuine Varda cartridges listed "
                                     "above.>";
    QTest::addRow("RV-C9000 205") << 3 << 205 << "<Status_ER_SN_IR|Paper not loaded>"
                                  << "<|Load the paper.>";
    QTest::addRow("RV-C2000 206") << 1 << 206 << "<|Paper not loaded>"
                                  << "<Status_ER_SN_ER|Remove any paper which is still in the "
                                     "printer and load new paper.>";
    QTest::addRow("RV-C2000 500") << 1 << 500 << "<Status_IL_PAPT_IR|Paper not loaded>"
                                  << "<|Load the paper.>";
    QTest::addRow("RV-C5020A 501") << 0 << 501 << "<|Paper not loaded>"
                                   << "<Status_IL_PAPT_ER|Remove any paper which is still in "
                                      "the printer and load new paper.>";
    QTest::addRow("RV-C5020A 221")
        << 0 << 221 << "<|Insufficient ink to perform cleaning>"
        << "<Status_ER_IC|See the LCD screen on the product and follow the instructions.>";
    QTest::addRow("RV-C9000 222")
        << 3 << 222 << "<|Cannot start cleaning because the Maintenance Box is near full.>"
        << "<Status_ER_MC|Printer features except cleaning are available.>";
}

void StatusMonitorTest::familyTexts() {
    QFETCH(int, printer);
    QFETCH(int, detail);
    QFETCH(QString, title);
    QFETCH(QString, advice);
    const StandInPrinter* printers[5] = {&c5020a, &c2000, &d5510p, &c9000, &unknownModel};
    StandInBed bed(*printers[printer], statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    TaggingTranslator tagging;
    QCoreApplication::installTranslator(&tagging);
    bed.tool.setReply(StandInTool::Run::Status, statusLines(detail, 2));
    page.update->click();
    QCoreApplication::removeTranslator(&tagging);
    QCOMPARE(page.title->toPlainText(), title);
    QCOMPARE(page.advice->toPlainText(), advice);
}

void StatusMonitorTest::inkListAndMaintenanceBox() {
    // The D printer has a matte black cartridge; its name leads the black ink's line.
    StandInBed bed(d5510p, statusLines(203, 2, "C,Y"));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    QCOMPARE(page.advice->toPlainText(),
             QString("- Cyan: IC-C\n- Yellow: IC-Y\nVarda recommends the genuine Varda "
                     "cartridges listed above."));

    bed.tool.setReply(StandInTool::Run::Status, statusLines(204, 2, "Y,K"));
    page.update->click();
    QCOMPARE(page.advice->toPlainText(),
             QString("- Matte Black: IC-55MK\n- Yellow: IC-Y\nVarda recommends the genuine "
                     "Varda cartridges listed above."));

    bed.tool.setReply(StandInTool::Run::Status, statusLines(505, 5, "M"));
    page.update->click();
    QVERIFY(page.advice->toPlainText().startsWith("- Magenta: IC-M\nPrepare a new ink"));

    bed.tool.setReply(StandInTool::Run::Status, statusLines(209, 2));
    page.update->click();
    QVERIFY(page.advice->toPlainText().startsWith("-MB-50\nReplace the maintenance box."));
}

void StatusMonitorTest::gauges_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hatch");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("words");
    const int RH = TwoCharCode('R', 'H'), RM = TwoCharCode('R', 'M'), RL = TwoCharCode('R', 'L'),
              RN = TwoCharCode('R', 'N'), RR = TwoCharCode('R', 'R'), NA = TwoCharCode('N', 'A'),
              CI = TwoCharCode('C', 'I');
    const QString error = "://images/inkIconError.png";
    const QString warning = "://images/inkIconWarning.png";
    QTest::newRow("normal RH") << 0 << RH << 100 << true << false << ""
                               << "100%";
    QTest::newRow("normal RM") << 0 << RM << 75 << true << false << ""
                               << "75%";
    QTest::newRow("normal RL") << 0 << RL << 30 << true << false << ""
                               << "30%";
    QTest::newRow("normal RN") << 0 << RN << 15 << true << false << ""
                               << "15%";
    QTest::newRow("normal, no amount") << 0 << -1 << 0 << false << false << ""
                                       << "level unknown";
    QTest::newRow("low RN") << RN << RN << 15 << true << false << warning << "low, 15%";
    QTest::newRow("low, no amount") << RN << -1 << 0 << false << false << ""
                                    << "level unknown";
    QTest::newRow("replace") << RR << -1 << 10 << true << false << error << "to be replaced";
    QTest::newRow("replace, amount RH")
        << RR << RH << 10 << true << false << error << "to be replaced";
    QTest::newRow("not available") << NA << -1 << 0 << true << true << error << "not available";
    QTest::newRow("CI") << CI << -1 << 0 << false << false << ""
                        << "level unknown";
    QTest::newRow("undetermined") << -1 << -1 << 0 << false << false << ""
                                  << "level unknown";
    QTest::newRow("undetermined, amount RH") << -1 << RH << 0 << false << false << ""
                                             << "level unknown";
    QTest::newRow("dry run") << -2 << RM << 0 << false << false << ""
                             << "level unknown";
}

void StatusMonitorTest::gauges() {
    QFETCH(int, status);
    QFETCH(int, amount);
    QFETCH(int, value);
    QFETCH(bool, enabled);
    QFETCH(bool, hatch);
    QFETCH(QString, icon);
    QFETCH(QString, words);
    // A drawn state first, so that every part the row hides was shown before.
    InkValues drawn;
    for (int i = 0; i < 5; ++i) {
        drawn.status[i] = TwoCharCode('N', 'A');
        drawn.amount[i] = -1;
    }
    StandInBed bed(c5020a, statusLines(600, 6, QString(), drawn));
    auto w = bed.open();
    QVERIFY(w);
    InkValues values;
    for (int i = 0; i < 5; ++i) {
        values.status[i] = status;
        values.amount[i] = amount;
    }
    bed.tool.setReply(StandInTool::Run::Status, statusLines(600, 6, QString(), values));
    widget<QPushButton>(*w, "Startup", "btnUpdatePrinterStatus")->click();

    const char* colours[5] = {"Black IC-50BK", "Cyan IC-C", "Magenta IC-M", "Yellow IC-Y",
                              "Maintenance box MB-50"};
    for (int i = 0; i < 5; ++i) {
        QProgressBar* bar = widget<QProgressBar>(*w, "STM", gaugeNames[i]);
        QLabel* hatchLabel = MainFrameTestAccess::inkGaugeLabel(*w, i);
        QLabel* iconLabel = MainFrameTestAccess::inkGaugeLabel(*w, i + 5);
        QVERIFY(bar && hatchLabel && iconLabel);
        QCOMPARE(bar->value(), value);
        QCOMPARE(bar->isEnabled(), enabled);
        QCOMPARE(!hatchLabel->isHidden(), hatch);
        if (hatch) {
            QVERIFY(showsPixmap(hatchLabel,
                                QPixmap("://images/inkHatch.png").scaledToWidth(bar->width())));
            QCOMPARE(hatchLabel->pos(), QPoint(0, 0));
        }
        QCOMPARE(!iconLabel->isHidden(), !icon.isEmpty());
        if (!icon.isEmpty()) {
            QVERIFY(showsPixmap(
                iconLabel, QPixmap(icon).scaledToWidth(bar->width(), Qt::SmoothTransformation)));
            QCOMPARE(iconLabel->pos(), QPoint(0, 8));
        }
        QCOMPARE(bar->accessibleDescription(), QString("%1: %2").arg(colours[i], words));
    }
}

void StatusMonitorTest::gaugesTellTheirInk() {
    // A different state on every gauge: each lands on its own gauge.
    InkValues v;
    const int states[5][2] = {{0, TwoCharCode('R', 'H')},
                              {TwoCharCode('R', 'N'), TwoCharCode('R', 'N')},
                              {TwoCharCode('N', 'A'), -1},
                              {TwoCharCode('R', 'R'), -1},
                              {0, TwoCharCode('R', 'L')}};
    for (int i = 0; i < 5; ++i) {
        v.status[i] = states[i][0];
        v.amount[i] = states[i][1];
    }
    StandInBed bed(c9000, statusLines(600, 6, QString(), v));
    auto w = bed.open();
    QVERIFY(w);
    const int values[5] = {100, 15, 0, 10, 30};
    const bool hatches[5] = {false, false, true, false, false};
    const bool icons[5] = {false, true, true, true, false};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(widget<QProgressBar>(*w, "STM", gaugeNames[i])->value(), values[i]);
        QCOMPARE(!MainFrameTestAccess::inkGaugeLabel(*w, i)->isHidden(), hatches[i]);
        QCOMPARE(!MainFrameTestAccess::inkGaugeLabel(*w, i + 5)->isHidden(), icons[i]);
    }
    QCOMPARE(widget<QProgressBar>(*w, "STM", "barInkC")->accessibleDescription(),
             QString("Cyan IC-C: low, 15%"));
    QCOMPARE(widget<QProgressBar>(*w, "STM", "barInkMN")->accessibleDescription(),
             QString("Maintenance box MB-50: 30%"));
}

void StatusMonitorTest::failedRead_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("group");
    QTest::newRow("no channel to the printer") << "destination: q1\nERROR\n"
                                               << "Communication error" << 2 << 0;
    QTest::newRow("error line with reason") << "ERROR: no reply\n"
                                            << "Communication error" << 2 << 0;
    // The tool reached no printer: the parser's initial state.
    InkValues unknown;
    for (int i = 0; i < 5; ++i)
        unknown.status[i] = unknown.amount[i] = -1;
    QTest::newRow("device not opened")
        << statusLines(0, 0, QString(), unknown) << "Searching..." << 0 << 0;
    QTest::newRow("printer silent")
        << statusLines(3, 0, QString(), unknown) << "Communication error" << 2 << 0;
}

void StatusMonitorTest::failedRead() {
    QFETCH(QString, reply);
    QFETCH(QString, title);
    QFETCH(int, picture);
    QFETCH(int, group);
    StandInBed bed(c5020a, statusLines(505, 5, "K"));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), 5);
    bed.tool.setReply(StandInTool::Run::Status, reply);
    page.update->click();
    QCOMPARE(page.title->toPlainText(), title);
    QCOMPARE(page.startTitle->toPlainText(), title);
    QVERIFY(showsPicture(page.picture, picturePath(0, picture)));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), group);
    for (const char* name : gaugeNames) {
        QProgressBar* bar = widget<QProgressBar>(*w, "STM", name);
        QCOMPARE(bar->value(), 0);
        QVERIFY(!bar->isEnabled());
    }
    for (int i = 0; i < 10; ++i)
        QVERIFY(MainFrameTestAccess::inkGaugeLabel(*w, i)->isHidden());
    // The list and the button come back for the next try.
    QVERIFY(page.queues->isEnabled());
    QVERIFY(page.update->isEnabled());
}

void StatusMonitorTest::emptyQueueNameIsACommunicationError() {
    StandInBed bed(c5020a, statusLines(600, 6), "destination: \n");
    auto w = std::make_unique<MainFrame>();
    StatusPage page(*w);
    QCOMPARE(page.queues->count(), 1);
    QTRY_COMPARE(page.title->toPlainText(), QString("Communication error"));
    QCOMPARE(bed.statusReads(), 0);
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), 0);
}

void StatusMonitorTest::firstReadFollowsStartUp() {
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = std::make_unique<MainFrame>();
    StatusPage page(*w);
    // Built, but the event loop has not run: the initial state, all gauges off.
    QCOMPARE(bed.statusReads(), 0);
    QCOMPARE(page.title->toPlainText(), QString("Searching..."));
    QCOMPARE(page.startTitle->toPlainText(), QString("Searching..."));
    for (const char* name : gaugeNames)
        QVERIFY(!widget<QProgressBar>(*w, "STM", name)->isEnabled());
    QTRY_COMPARE(page.title->toPlainText(), QString("Ready to print"));
    QCOMPARE(bed.statusReads(), 1);
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), 6);
    QCOMPARE(widget<QProgressBar>(*w, "STM", "barInkK")->value(), 100);
}

void StatusMonitorTest::readDisablesTheQueueListWhileTheToolRuns() {
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    // The one pass of pending events before the tool starts fires this timer.
    bool fired = false, listOff = false, buttonOff = false;
    QTimer watcher;
    watcher.setSingleShot(true);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        fired = true;
        listOff = !page.queues->isEnabled();
        buttonOff = !page.update->isEnabled();
    });
    watcher.start(0);
    page.update->click();
    QVERIFY(fired);
    QVERIFY(listOff);
    QVERIFY(buttonOff);
    QVERIFY(page.queues->isEnabled());
    QVERIFY(page.update->isEnabled());
}

void StatusMonitorTest::emptyQueueListReadsNoStatus() {
    StandInBed bed(c5020a, statusLines(600, 6), "");
    MessageBoxCloser closer;
    auto w = std::make_unique<MainFrame>();
    QVERIFY(closer.seen());
    StatusPage page(*w);
    QCOMPARE(page.queues->count(), 0);
    SlotRecorder recorder;
    page.update->click();
    // The start-up read comes and goes without running the tool.
    QTRY_VERIFY(recorder.invoked().contains("MainFrame::updatePrinterStatus()"));
    QCOMPARE(bed.statusReads(), 0);
    // The queues were listed again; the page says none is there, not that it is searching.
    QCOMPARE(page.title->toPlainText(), QString("No supported printer found"));
    QVERIFY(page.update->isEnabled());
}

void StatusMonitorTest::queueChangeReadsOptionsBeforeStatus() {
    StandInBed bed(c9000, statusLines(600, 6), "destination: q1\ndestination: q2\n");
    // q2 is an RV-C2000 with its paper cover open.
    bed.tool.setHook(QString("case \" $* \" in\n"
                             "  *\" -p q2 \"*\"-o status \"*) printf '%1'; exit 0 ;;\n"
                             "  *\" -p q2 \"*) printf '%2'; exit 0 ;;\n"
                             "esac\n")
                         .arg(statusLines(216, 2, QString(), InkValues(), "q2"),
                              deviceOptionLines(c2000, "q2")));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    QVERIFY(showsPicture(page.picture, picturePath(3, 0)));
    bed.tool.clearCalls();
    page.queues->setCurrentIndex(1);
    const QStringList calls = bed.tool.calls();
    QCOMPARE(calls.size(), 2);
    QVERIFY2(calls[0].startsWith("[-p][q2][-o][deviceOption]"), qPrintable(calls[0]));
    QVERIFY2(calls[1].startsWith("[-p][q2][-o][status]"), qPrintable(calls[1]));
    QCOMPARE(MainFrameTestAccess::queueName(*w), std::string("q2"));
    QCOMPARE(widget<QLabel>(*w, "STM", "labelDeviceName")->text(), QString("RV-C2000"));
    QCOMPARE(page.title->toPlainText(), QString("The paper cover is open."));
    QVERIFY(showsPicture(page.picture, picturePath(1, 6)));
}

void StatusMonitorTest::returnPage() {
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    QWidget* startup = page(*w, "Startup");
    QWidget* stm = page(*w, "STM");
    QWidget* nozzle = page(*w, "NozzleCheck1");
    QPushButton* back = widget<QPushButton>(*w, "STM", "btnBack");

    // From the start page and back.
    widget<QPushButton>(*w, "Startup", "btnPrinterWindow")->click();
    QCOMPARE(pageOnDisplay(*w), stm);
    QCOMPARE(MainFrameTestAccess::returnPage(*w), startup);
    back->click();
    QCOMPARE(pageOnDisplay(*w), startup);
    QCOMPARE(MainFrameTestAccess::returnPage(*w), static_cast<Page*>(nullptr));
    QCOMPARE(visiblePages(*w), QStringList{"Startup"});

    // A step of a wizard that finds the printer busy shows the status page; Back returns to
    // the wizard page that was on show.
    widget<QPushButton>(*w, "Startup", "btnNozzleCheck")->click();
    QCOMPARE(pageOnDisplay(*w), nozzle);
    bed.tool.setReply(StandInTool::Run::Status, statusLines(400, 4));
    bool ran = false;
    QVERIFY(!MainFrameTestAccess::guardedStep(*w, [&] { return ran = true; }));
    QVERIFY(!ran);
    QCOMPARE(pageOnDisplay(*w), stm);
    QCOMPARE(widget<QTextEdit>(*w, "STM", "textPrinterStatusAbstract")->toPlainText(),
             QString("Printing"));
    // Entering the status page again while it is on show keeps the way back.
    QVERIFY(QMetaObject::invokeMethod(w.get(), "entry_pageSTM"));
    QCOMPARE(MainFrameTestAccess::returnPage(*w), nozzle);
    back->click();
    QCOMPARE(pageOnDisplay(*w), nozzle);
    QCOMPARE(visiblePages(*w), QStringList{"NozzleCheck1"});

    // Leaving with nothing remembered shows the start page.
    QCOMPARE(MainFrameTestAccess::returnPage(*w), static_cast<Page*>(nullptr));
    QVERIFY(QMetaObject::invokeMethod(w.get(), "leave_pageSTM"));
    QCOMPARE(pageOnDisplay(*w), startup);
}

namespace {

QString gaugeStyle(const QStringList& groove, const QString& groove2, const QString& border,
                   const QStringList& chunk, const QStringList& disabledChunk) {
    return QString("QProgressBar {\n\tborder: 1px solid gray;\n\tborder-radius: 5px;\n\t"
                   "margin-left: 4px;\n\tmargin-right: 4px;\n\tbackground: QLinearGradient( "
                   "x1:0, y1:0, x2: 1, y2: 0,\n\t\tstop: 0 %1,\n\t\tstop: %2 %3,\n\t\tstop: 1 "
                   "%4 );\n}\n\nQProgressBar::chunk {\n\tborder-top: 0.5px solid %5;\n\t"
                   "border-radius: 3px;\n\tmargin: 0.5px;\n\tbackground: QLinearGradient( x1:0, "
                   "y1:0, x2: 1, y2: 0,\n\t\tstop: 0 %6,\n\t\tstop: 0.25 %7,\n\t\tstop: 0.4 "
                   "%8,\n\t\tstop: 0.8 %9,\n\t\tstop: 1 %10 );\n}\n\n")
               .arg(groove[0], groove2, groove[1], groove[2], border, chunk[0], chunk[1], chunk[2],
                    chunk[3])
               .arg(chunk[4]) +
           QString("QProgressBar:disabled {\n\tborder: 1px dashed gray;\n\tborder-radius: "
                   "5px;\n\tmargin-left: 4px;\n\tmargin-right: 4px;\n\tbackground: "
                   "QLinearGradient( x1:0, y1:0, x2: 1, y2: 0,\n\t\tstop: 0 #aaa,\n\t\tstop: 0.3 "
                   "#aaa,\n\t\tstop: 1 #ccc );\n}\n\nQProgressBar::chunk:disabled {\n\t"
                   "border-radius: 3px;\n\tmargin: 0.5px;\n\tbackground: QLinearGradient( x1:0, "
                   "y1:0, x2: 1, y2: 0,\n\t\tstop: 0 %1,\n\t\tstop: 0.4 %2,\n\t\tstop: 0.8 "
                   "%3,\n\t\tstop: 1 %4 );\n}")
               .arg(disabledChunk[0], disabledChunk[1], disabledChunk[2], disabledChunk[3]);
}

} // namespace

void StatusMonitorTest::gaugeStyles() {
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    const QStringList grey = {"#aaa", "#aaa", "#eee"};
    const struct {
        const char* name;
        QString style;
        const char* tip;
    } gauges[] = {
        {"barInkK",
         gaugeStyle(grey, "0.3", "#000", {"#555", "#ccc", "#555", "#000", "#777"},
                    {"#777", "#777", "#555", "#555"}),
         "Black"},
        {"barInkM",
         gaugeStyle(grey, "0.3", "#a0a", {"#f0f", "#f7f", "#f0f", "#c0c", "#e0e"},
                    {"#d7d", "#d7d", "#c7c", "#777"}),
         "Magenta"},
        {"barInkC",
         gaugeStyle(grey, "0.3", "#0aa", {"#0ff", "#7ff", "#0ff", "#0cc", "#0ee"},
                    {"#7dd", "#7dd", "#7cc", "#777"}),
         "Cyan"},
        {"barInkY",
         gaugeStyle(grey, "0.3", "#aa0", {"#ee0", "#ffa", "#ff0", "#cc0", "#ee0"},
                    {"#dd7", "#dd7", "#cc7", "#777"}),
         "Yellow"},
        {"barInkMN",
         gaugeStyle({"#bbb", "#ccc", "#eee"}, "0.4", "#000",
                    {"#888", "#bbb", "#777", "#555", "#888"}, {"#999", "#888", "#777", "#999"}),
         nullptr},
    };
    for (const auto& g : gauges) {
        QProgressBar* bar = widget<QProgressBar>(*w, "STM", g.name);
        QVERIFY(bar);
        QCOMPARE(bar->styleSheet(), g.style);
        QCOMPARE(bar->size(), QSize(32, 48));
        QCOMPARE(bar->orientation(), Qt::Vertical);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->format(), QString());
        if (g.tip)
            QCOMPARE(bar->toolTip(), QString(g.tip));
    }
    const QString boxStyle = "QGroupBox {\n\tborder: 1px solid gray;\n\tborder-radius: 9px;\n\t"
                             "margin-top: 0.5em;\n}\n\nQGroupBox::title {\n\tsubcontrol-origin: "
                             "margin;\n\tleft: 10px;\n}";
    for (const char* name : {"groupBoxInkKCMY", "groupBoxInkMN"}) {
        QGroupBox* box = widget<QGroupBox>(*w, "STM", name);
        QVERIFY(box);
        QCOMPARE(box->styleSheet(), boxStyle);
        QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
    }
}

void StatusMonitorTest::gaugesFollowTheCartridgeLayout_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("KYMC") << "KYMC" << QStringList{"barInkK", "barInkY", "barInkM", "barInkC"};
    QTest::newRow("KCMY") << "KCMY" << QStringList{"barInkK", "barInkM", "barInkC", "barInkY"};
}

void StatusMonitorTest::gaugesFollowTheCartridgeLayout() {
    QFETCH(QString, layout);
    QFETCH(QStringList, order);
    // Two queues: the second printer's layout must replace the first one's.
    const QByteArray layoutText = layout.toLatin1();
    const StandInPrinter first{"RV-C5020A", "MFG:VARDA;MDL:RV-C5020A;CMD:VLCL;CLS:PRINTER;",
                               "CUTTER",    "IC-50BK",
                               "MB-50",     layout == "KYMC" ? "KCMY" : "KYMC"};
    const StandInPrinter second{"RV-C5020A", first.deviceID, "CUTTER",
                                "IC-50BK",   "MB-50",        layoutText.constData()};
    StandInBed bed(first, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    bed.tool.setReply(StandInTool::Run::Options, deviceOptionLines(second));
    QVERIFY(QMetaObject::invokeMethod(w.get(), "updatePrinterOption"));
    widget<QPushButton>(*w, "Startup", "btnPrinterWindow")->click();
    QCoreApplication::processEvents();

    // On screen, left to right.
    QStringList onScreen = order;
    std::sort(onScreen.begin(), onScreen.end(), [&](const QString& a, const QString& b) {
        return widget<QWidget>(*w, "STM", qPrintable(a))->x() <
               widget<QWidget>(*w, "STM", qPrintable(b))->x();
    });
    QCOMPARE(onScreen, order);
    // As an assistive tool lists them.
    QAccessibleInterface* group =
        QAccessible::queryAccessibleInterface(widget<QWidget>(*w, "STM", "groupBoxInkKCMY"));
    QVERIFY(group);
    QStringList listed;
    for (int i = 0; i < group->childCount(); ++i) {
        const QString name = group->child(i)->object()->objectName();
        if (name.startsWith("barInk"))
            listed << name;
    }
    QCOMPARE(listed, order);
}

void StatusMonitorTest::statusPageUpdateButton() {
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    widget<QPushButton>(*w, "Startup", "btnPrinterWindow")->click();
    QCOMPARE(pageOnDisplay(*w), ::page(*w, "STM"));
    QCOMPARE(page.title->toPlainText(), QString("Ready to print"));

    auto* update = widget<QPushButton>(*w, "STM", "btnUpdatePrinterStatus");
    QVERIFY(update);
    QCOMPARE(update->text(), QString("Update"));
    const int before = bed.statusReads();
    bed.tool.setReply(StandInTool::Run::Status, statusLines(202, 2));
    update->click();
    QCOMPARE(bed.statusReads(), before + 1);
    QCOMPARE(page.title->toPlainText(), QString("Paper jam"));
    QVERIFY(update->isEnabled());
    // The read leaves the user where they were.
    QCOMPARE(pageOnDisplay(*w), ::page(*w, "STM"));
}

void StatusMonitorTest::statusPageRefreshesItself() {
    StandInBed bed(c5020a, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    StatusPage page(*w);
    widget<QPushButton>(*w, "Startup", "btnPrinterWindow")->click();
    const int before = bed.statusReads();
    bed.tool.setReply(StandInTool::Run::Status, statusLines(211, 2));
    QTRY_COMPARE_WITH_TIMEOUT(page.title->toPlainText(), QString("Ink cartridge cover open"),
                              MainFrame::kStatusRefreshIntervalMs * 2);
    QTRY_VERIFY_WITH_TIMEOUT(bed.statusReads() >= before + 2,
                             MainFrame::kStatusRefreshIntervalMs * 3);
    QCOMPARE(pageOnDisplay(*w), ::page(*w, "STM"));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), 2);

    // Back on the start page the reads stop.
    widget<QPushButton>(*w, "STM", "btnBack")->click();
    const int after = bed.statusReads();
    QTest::qWait(MainFrame::kStatusRefreshIntervalMs * 3 / 2);
    QCOMPARE(bed.statusReads(), after);
}

void StatusMonitorTest::noRefreshWhereItMustNotRead_data() {
    QTest::addColumn<QString>("situation");
    QTest::newRow("start page") << "start page";
    QTest::newRow("settings page") << "settings page";
    QTest::newRow("window minimised") << "window minimised";
    QTest::newRow("another tool run under way") << "another tool run under way";
}

void StatusMonitorTest::noRefreshWhereItMustNotRead() {
    QFETCH(QString, situation);
    StandInBed bed(c5020a, statusLines(600, 6));
    bed.tool.setReply(StandInTool::Run::Options, deviceOptionLines(c5020a) +
                                                     "printPositionH: 0\nprintPositionV: 0\n"
                                                     "cutPosition: 0\n");
    auto w = bed.open();
    QVERIFY(w);
    std::unique_ptr<Command::RunMark> otherRun;
    if (situation == "settings page") {
        widget<QPushButton>(*w, "Startup", "btnGeometrySetting")->click();
        QCOMPARE(pageOnDisplay(*w), ::page(*w, "GeometrySetting1A"));
    } else if (situation != "start page") {
        widget<QPushButton>(*w, "Startup", "btnPrinterWindow")->click();
        QCOMPARE(pageOnDisplay(*w), ::page(*w, "STM"));
        if (situation == "window minimised")
            w->showMinimized();
        else
            otherRun = std::make_unique<Command::RunMark>(MainFrameTestAccess::command(*w));
    }
    const int before = bed.statusReads();
    QTest::qWait(MainFrame::kStatusRefreshIntervalMs * 3 / 2);
    QCOMPARE(bed.statusReads(), before);
}

QTEST_MAIN(StatusMonitorTest)
#include "tst_status_monitor.moc"
