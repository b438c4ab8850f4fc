// SPDX-License-Identifier: Apache-2.0
// The status monitor through the whole chain: the real window runs the real tarn, which asks
// a private cupsd for the queue and talks through dexo1.so to the emulated printers.
#include "StatusTestSupport.h"

#include "TestBed.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <map>

namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

struct Producible {
    const char* name;
    Fields fields;
    int detail;
    int group;
};

// Every detail the emulated printer can be brought to, and how.
std::vector<Producible> producibleDetails() {
    std::vector<Producible> list = {
        {"ready", {}, 600, 6},
        {"fatal error", {{"state", "ER"}, {"error", "FE"}}, 100, 1},
        {"ink undetected",
         {{"state", "ER"}, {"error", "IE"}, {"inkC", "NA"}, {"inkY", "CI"}},
         203,
         2},
        {"ink to replace",
         {{"state", "ER"}, {"error", "IE"}, {"inkK", "RR"}, {"inkC", "RN"}},
         204,
         2},
        {"no paper, internal", {{"state", "ER"}, {"error", "SN"}}, 205, 2},
        {"no paper, rear", {{"state", "ER"}, {"error", "SN"}, {"paperSource", "ER"}}, 206, 2},
        {"unknown error code", {{"state", "ER"}, {"error", "XX"}}, 0, 2},
        {"panel", {{"state", "PS"}, {"pause", "UN"}}, 300, 3},
        {"memory full", {{"state", "PS"}, {"pause", "SF"}}, 301, 3},
        {"clogged while printing", {{"state", "PS"}, {"pause", "NC"}}, 302, 3},
        {"paused", {{"state", "PS"}, {"pause", "NW"}}, 303, 3},
        {"printing SP", {{"state", "SP"}}, 400, 4},
        {"printing NSU", {{"state", "PR"}, {"warnings", "NSU"}}, 401, 4},
        {"printing NCR", {{"state", "PR"}, {"warnings", "NCR"}}, 402, 4},
        {"printing WNC", {{"state", "PR"}, {"warnings", "WNC"}}, 403, 4},
        {"printing", {{"state", "PR"}}, 601, 6},
        {"paper prompt, internal", {{"paperPrompt", "T"}}, 500, 5},
        {"paper prompt, rear", {{"paperPrompt", "T"}, {"paperSource", "ER"}}, 501, 5},
        {"head clogged", {{"warnings", "WNC,IK1"}}, 502, 5},
        {"adjustment soon", {{"warnings", "WSC"}}, 503, 5},
        {"box nearly full", {{"warnings", "MNF"}}, 504, 5},
        {"ink low", {{"warnings", "IC1,IY1"}}, 505, 5},
        {"head status unknown", {{"warnings", "NSU"}}, 506, 5},
        {"processing", {{"state", "WT"}}, 602, 6},
        {"cleaning", {{"state", "CL"}}, 603, 6},
        {"charging", {{"state", "FC"}}, 604, 6},
        {"unknown main state", {{"state", "ZZ"}}, 0, 6},
    };
    const char* plainErrors[] = {"NI", "CO", "SJ", "SS", "ST", "MF", "SR", "CI", "MN", "CM",
                                 "SE", "LT", "CS", "CF", "CR", "CG", "SC", "IC", "MC", "SM"};
    const int details[] = {200, 201, 202, 207, 208, 209, 210, 211, 212, 213,
                           214, 215, 216, 217, 218, 219, 220, 221, 222, 223};
    for (int i = 0; i < 20; ++i)
        list.push_back(
            {plainErrors[i], {{"state", "ER"}, {"error", plainErrors[i]}}, details[i], 2});
    return list;
}

struct Family {
    const char* queue;
    int pictureList;
};

// One queue per status picture list.
const Family families[] = {{"c5020a", 0}, {"c2000", 1}, {"d5510p", 2}, {"c9000", 3}};

} // namespace

class StatusChainTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void firstReadShowsThePrinter();
    void eachQueueSetsUpThePages_data();
    void eachQueueSetsUpThePages();
    void everyDetail_data();
    void everyDetail();
    void gauges_data();
    void gauges();
    void silentPrinterIsACommunicationError();
    void printerThatIsOff();
    void busyPrinterSendsTheStepBackToTheStatusPage();

private:
    bool select(const QString& queue);
    bool bringTo(const std::string& queue, const Fields& fields);
    QString toolValue(const std::string& queue, const std::string& key);
    void refresh() { widget<QPushButton>(*window, "Startup", "btnUpdatePrinterStatus")->click(); }
    QString title() {
        return widget<QTextEdit>(*window, "STM", "textPrinterStatusAbstract")->toPlainText();
    }
    QString advice() {
        return widget<QPlainTextEdit>(*window, "STM", "textPrinterStatusDetail")->toPlainText();
    }

    std::unique_ptr<testbed::TestBed> bed;
    std::unique_ptr<ScratchDir> dir;
    std::unique_ptr<MainFrame> window;
    QStringList firstTitles;
};

void StatusChainTest::initTestCase() {
    SKIP_IF_TOOL_INSTALLED();
    bed = std::make_unique<testbed::TestBed>();
    QVERIFY2(bed->ok(), bed->error().c_str());
    // A queue whose printer is switched off: nobody listens on its port.
    QVERIFY(bed->cups().addQueue("off", "socket://127.0.0.1:1", harness::shippedPpd("RV-C9000")));
    for (const auto& variable : bed->environment())
        qputenv(variable.first.c_str(), QByteArray::fromStdString(variable.second));
    for (const std::string& name : harness::TempCups::unsetVariables())
        qunsetenv(name.c_str());

    // The window runs ./tarn, and tarn loads ./dexo1.so, from the working folder.
    dir = std::make_unique<ScratchDir>();
    const QString bin = QString::fromStdString(testbed::TestBed::binDir());
    QVERIFY(QFile::link(bin + "/tarn", dir->file("tarn")));
    QVERIFY(QFile::link(bin + "/dexo1.so", dir->file("dexo1.so")));

    window = std::make_unique<MainFrame>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    firstTitles << title();
    QTRY_VERIFY_WITH_TIMEOUT(title() != firstTitles.first(), 20000);
    firstTitles << title();
}

void StatusChainTest::cleanupTestCase() {
    window.reset();
    dir.reset();
    bed.reset();
}

bool StatusChainTest::select(const QString& queue) {
    auto* queues = widget<QComboBox>(*window, "Startup", "selectPrintQueue");
    const int index = queues->findText(queue);
    if (index < 0)
        return false;
    queues->setCurrentIndex(index);
    return queues->currentText() == queue;
}

bool StatusChainTest::bringTo(const std::string& queue, const Fields& fields) {
    if (!bed->control().reset(queue))
        return false;
    for (const auto& field : fields) {
        const bool done = field.first == "paperSource"
                              ? bed->control().setSetting(queue, field.first, field.second)
                              : bed->control().set(queue, field.first, field.second);
        if (!done)
            return false;
    }
    return true;
}

QString StatusChainTest::toolValue(const std::string& queue, const std::string& key) {
    const harness::RunResult r = bed->tarn({"-p", queue, "-o", key});
    for (const QString& line : QString::fromStdString(r.out).split('\n')) {
        if (line.startsWith(QString::fromStdString(key) + ": "))
            return line.mid(int(key.size()) + 2);
    }
    return QString();
}

void StatusChainTest::firstReadShowsThePrinter() {
    // Built: the printer is being searched for; then the first read shows the first queue.
    QCOMPARE(firstTitles.value(0), QString("Searching..."));
    QCOMPARE(firstTitles.value(1), QString("Ready to print"));
    QCOMPARE(widget<QProgressBar>(*window, "STM", "barInkK")->value(), 100);
}

void StatusChainTest::eachQueueSetsUpThePages_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("pictureList");
    QTest::addColumn<bool>("afterPrinting");
    QTest::addColumn<int>("sources");
    QTest::addColumn<int>("forms");
    QTest::newRow("c9000") << "c9000"
                           << "RV-C9000" << 3 << true << 3 << 7;
    QTest::newRow("c2000") << "c2000"
                           << "RV-C2000" << 1 << false << 3 << 7;
    QTest::newRow("d5510p") << "d5510p"
                            << "RV-D5510P" << 2 << false << 2 << 6;
    QTest::newRow("d5500a") << "d5500a"
                            << "RV-D5500A" << 2 << false << 2 << 6;
    QTest::newRow("c5020a") << "c5020a"
                            << "RV-C5020A" << 0 << false << 2 << 6;
    QTest::newRow("c5000p") << "c5000p"
                            << "RV-C5000P" << 0 << false << 2 << 6;
}

void StatusChainTest::eachQueueSetsUpThePages() {
    QFETCH(QString, queue);
    QFETCH(QString, model);
    QFETCH(int, pictureList);
    QFETCH(bool, afterPrinting);
    QFETCH(int, sources);
    QFETCH(int, forms);
    const std::string q = queue.toStdString();
    QVERIFY(bringTo(q, {}));
    QVERIFY(select(queue));
    QCOMPARE(widget<QLabel>(*window, "STM", "labelDeviceName")->text(), model);
    QCOMPARE(widget<QLabel>(*window, "PaperSetting1", "labelDeviceName")->text(), model);
    QCOMPARE(MainFrameTestAccess::statusImages(*window).items().value(9),
             picturePath(pictureList, 9));
    QVERIFY(showsPicture(widget<QLabel>(*window, "STM", "iconSelectedPrinter"),
                         picturePath(pictureList, 0)));
    QCOMPARE(!widget<QWidget>(*window, "Startup", "btnAfterPrinting")->isHidden(), afterPrinting);
    QCOMPARE(widget<QComboBox>(*window, "PaperSetting1", "selectPaperSource")->count(), sources);
    QCOMPARE(widget<QComboBox>(*window, "PaperSetting1", "selectFormDetectionType")->count(),
             forms);

    // The cartridges the queue names, in the order they sit.
    const char* keys[] = {"inkNameK", "inkNameC", "inkNameM", "inkNameY", "inkNameMN"};
    const char* labels[] = {"labelInkNameK", "labelInkNameC", "labelInkNameM", "labelInkNameY",
                            "labelInkNameMN"};
    for (int i = 0; i < 5; ++i) {
        const QString name = toolValue(q, keys[i]);
        QVERIFY(!name.isEmpty());
        QCOMPARE(widget<QLabel>(*window, "STM", labels[i])->text(), name);
    }
    auto* grid = widget<QGridLayout>(*window, "STM", "gridLayout");
    QVERIFY(grid);
    const bool yellowFirst = toolValue(q, "inkCartridgeLayout") == "KYMC";
    const char* order[3] = {yellowFirst ? "barInkY" : "barInkM",
                            yellowFirst ? "barInkM" : "barInkC",
                            yellowFirst ? "barInkC" : "barInkY"};
    for (int column = 1; column <= 3; ++column) {
        int row = -1, at = -1, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(widget<QWidget>(*window, "STM", order[column - 1])),
                              &row, &at, &rows, &columns);
        QCOMPARE(at, column);
    }
}

void StatusChainTest::everyDetail_data() {
    QTest::addColumn<QString>("queue");
    QTest::addColumn<int>("pictureList");
    QTest::addColumn<int>("index"); // into the producible details
    const std::vector<Producible> details = producibleDetails();
    for (const Family& f : families) {
        for (std::size_t i = 0; i < details.size(); ++i)
            QTest::addRow("%s %s", f.queue, details[i].name) << f.queue << f.pictureList << int(i);
    }
}

void StatusChainTest::everyDetail() {
    QFETCH(QString, queue);
    QFETCH(int, pictureList);
    QFETCH(int, index);
    const Producible p = producibleDetails()[index];
    const std::string q = queue.toStdString();
    QVERIFY(select(queue));
    QVERIFY(bringTo(q, p.fields));
    refresh();

    const CatalogueRow& row = rowOf(p.detail);
    QString expected = QString::fromUtf8(row.advice);
    expected.replace("MB-50", toolValue(q, "inkNameMN"));
    const QString black = toolValue(q, "inkNameK").endsWith("MK") ? "Matte Black" : "Black";
    if (p.detail == 203)
        expected = "- Cyan: " + toolValue(q, "inkNameC") +
                   "\n- Yellow: " + toolValue(q, "inkNameY") + "\n" + expected;
    if (p.detail == 204)
        expected = "- " + black + ": " + toolValue(q, "inkNameK") +
                   "\n- Cyan: " + toolValue(q, "inkNameC") + "\n" + expected;
    if (p.detail == 505)
        expected = "- Cyan: " + toolValue(q, "inkNameC") +
                   "\n- Yellow: " + toolValue(q, "inkNameY") + "\n" + expected;

    QCOMPARE(title(), QString::fromUtf8(row.title));
    QCOMPARE(advice(), expected);
    QCOMPARE(widget<QPlainTextEdit>(*window, "Startup", "textPrinterStatusAbstract")->toPlainText(),
             QString::fromUtf8(row.title));
    const QString picture = picturePath(pictureList, row.picture);
    QVERIFY2(showsPicture(widget<QLabel>(*window, "STM", "iconSelectedPrinter"), picture),
             qPrintable(picture));
    QVERIFY(showsPicture(widget<QLabel>(*window, "Startup", "iconSelectedPrinter"), picture));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*window), p.group);
}

void StatusChainTest::gauges_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("gauge"); // K, C, M, Y, maintenance box
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hatch");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("words");
    const char* fields[] = {"inkK", "inkC", "inkM", "inkY", "maintenanceBox"};
    const struct {
        const char* code;
        int level;
        bool enabled;
        bool hatch;
        const char* icon;
        const char* words;
    } states[] = {
        {"RH", 100, true, false, "", "100%"},
        {"RM", 75, true, false, "", "75%"},
        {"RL", 30, true, false, "", "30%"},
        {"RN", 15, true, false, "://images/inkIconWarning.png", "low, 15%"},
        {"RR", 10, true, false, "://images/inkIconError.png", "to be replaced"},
        {"NA", 0, true, true, "://images/inkIconError.png", "not available"},
        {"CI", 0, false, false, "", "level unknown"},
    };
    for (int g = 0; g < 5; ++g) {
        for (const auto& s : states)
            QTest::addRow("%s %s", fields[g], s.code)
                << fields[g] << s.code << g << s.level << s.enabled << s.hatch << s.icon << s.words;
    }
}

void StatusChainTest::gauges() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, gauge);
    QFETCH(int, level);
    QFETCH(bool, enabled);
    QFETCH(bool, hatch);
    QFETCH(QString, icon);
    QFETCH(QString, words);
    QVERIFY(select("c9000"));
    QVERIFY(bringTo("c9000", {{field.toStdString(), value.toStdString()}}));
    refresh();
    const char* names[5] = {"barInkK", "barInkC", "barInkM", "barInkY", "barInkMN"};
    for (int g = 0; g < 5; ++g) {
        auto* bar = widget<QProgressBar>(*window, "STM", names[g]);
        QLabel* hatchLabel = MainFrameTestAccess::inkGaugeLabel(*window, g);
        QLabel* iconLabel = MainFrameTestAccess::inkGaugeLabel(*window, g + 5);
        // The other gauges stay full.
        QCOMPARE(bar->value(), g == gauge ? level : 100);
        QCOMPARE(bar->isEnabled(), g == gauge ? enabled : true);
        QCOMPARE(!hatchLabel->isHidden(), g == gauge && hatch);
        QCOMPARE(!iconLabel->isHidden(), g == gauge && !icon.isEmpty());
    }
    auto* bar = widget<QProgressBar>(*window, "STM", names[gauge]);
    if (!icon.isEmpty())
        QVERIFY(showsPixmap(MainFrameTestAccess::inkGaugeLabel(*window, gauge + 5),
                            QPixmap(icon).scaledToWidth(bar->width(), Qt::SmoothTransformation)));
    const char* colours[5] = {"Black", "Cyan", "Magenta", "Yellow", "Maintenance box"};
    const char* parts[5] = {"inkNameK", "inkNameC", "inkNameM", "inkNameY", "inkNameMN"};
    QString colour = colours[gauge];
    if (gauge == 0 && toolValue("c9000", "inkNameK").endsWith("MK"))
        colour = "Matte Black";
    QCOMPARE(bar->accessibleDescription(),
             QString("%1 %2: %3").arg(colour, toolValue("c9000", parts[gauge]), words));
}

void StatusChainTest::silentPrinterIsACommunicationError() {
    QVERIFY(select("d5500a"));
    QVERIFY(bringTo("d5500a", {{"warnings", "MNF"}}));
    refresh();
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*window), 5);
    QVERIFY(bed->control().fault("d5500a", "silent"));
    refresh();
    QCOMPARE(title(), QString("Communication error"));
    QVERIFY(showsPicture(widget<QLabel>(*window, "STM", "iconSelectedPrinter"), picturePath(2, 2)));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*window), 0);
    for (const char* name : {"barInkK", "barInkC", "barInkM", "barInkY"}) {
        QVERIFY(!widget<QProgressBar>(*window, "STM", name)->isEnabled());
        QCOMPARE(widget<QProgressBar>(*window, "STM", name)->value(), 0);
    }
    QVERIFY(bed->control().fault("d5500a", "none"));
    refresh();
    QCOMPARE(title(), QString("Maintenance box is nearing the end of its service life."));
}

void StatusChainTest::printerThatIsOff() {
    QVERIFY(select("c2000"));
    QVERIFY(select("off"));
    // The model comes from the queue, so the pages are set up for it; the printer says nothing.
    QCOMPARE(widget<QLabel>(*window, "STM", "labelDeviceName")->text(), QString("RV-C9000"));
    QCOMPARE(title(), QString("Communication error"));
    QCOMPARE(advice(), QString::fromUtf8(rowOf(3).advice));
    QVERIFY(showsPicture(widget<QLabel>(*window, "STM", "iconSelectedPrinter"), picturePath(3, 2)));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*window), 0);
    for (const char* name : {"barInkK", "barInkC", "barInkM", "barInkY", "barInkMN"})
        QVERIFY(!widget<QProgressBar>(*window, "STM", name)->isEnabled());
}

void StatusChainTest::busyPrinterSendsTheStepBackToTheStatusPage() {
    QVERIFY(select("c5000p"));
    widget<QPushButton>(*window, "Startup", "btnNozzleCheck")->click();
    QWidget* nozzle = page(*window, "NozzleCheck1");
    QCOMPARE(pageOnDisplay(*window), nozzle);
    const auto printNozzleCheck = [this] {
        return MainFrameTestAccess::command(*window).printNozzleCheckPattern("c5000p");
    };

    QVERIFY(bringTo("c5000p", {{"state", "ER"}, {"error", "CF"}}));
    QVERIFY(bed->control().clearLog("c5000p"));
    QVERIFY(!MainFrameTestAccess::guardedStep(*window, printNozzleCheck));
    QCOMPARE(pageOnDisplay(*window), page(*window, "STM"));
    QCOMPARE(title(), QString("The front cover is open."));
    for (const std::string& line : bed->control().log("c5000p"))
        QVERIFY2(line.find("PNC") == std::string::npos, line.c_str());
    widget<QPushButton>(*window, "STM", "btnBack")->click();
    QCOMPARE(pageOnDisplay(*window), nozzle);

    // Ready again: the step goes through to the printer.
    QVERIFY(bringTo("c5000p", {}));
    QVERIFY(MainFrameTestAccess::guardedStep(*window, printNozzleCheck));
    bool sent = false;
    for (const std::string& line : bed->control().log("c5000p"))
        sent = sent || line.find("PNC") != std::string::npos;
    QVERIFY(sent);
}

QTEST_MAIN(StatusChainTest)
#include "tst_status_chain.moc"
