// SPDX-License-Identifier: Apache-2.0
// The real main window against a scripted stand-in ./tarn: construction, the page graph, page
// changes, the start page's function buttons and the case of no tool or no printer.
#include "GuiTestSupport.h"

#include "RunFlags.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMovie>
#include <QProgressBar>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

const char* const Usage = "usage: tarn [-v] [-d] [-n] -p queue ...\n"
                          "        - deviceID [O]\n"
                          "        - status [O]\n"
                          "        - printNozzleCheck\n"
                          "        - startCleaningHead\n";
const char* const ReadyStatus = "destination: Q1\n"
                                "status: 600, Status_IL_PAPF\n"
                                "statusGroup: 6, Others\n"
                                "inksOfErrorReason: \n"
                                "inkK: 0 21064\n"
                                "inkC: 0 21069\n"
                                "inkM: 0 21068\n"
                                "inkY: 0 21070\n"
                                "inkMN: 0 21064\n";

// A working folder with a stand-in tool that lists two printers and both functions.
struct Bench {
    Bench() : tool(scratch) {
        tool.setReply(StandInTool::Run::List, "destination: Q1\ndestination: Q2\n");
        tool.setReply(StandInTool::Run::Usage, Usage);
        tool.setReply(StandInTool::Run::Status, ReadyStatus);
        tool.setReply(StandInTool::Run::Options, "destination: Q1\ndeviceOption: CUTTER\n");
        tool.setReply(StandInTool::Run::Function, "destination: Q1\n");
    }
    std::unique_ptr<MainFrame> window() {
        StreamCapture out(1); // the command echo is not this test's business
        return std::make_unique<MainFrame>();
    }
    ScratchDir scratch;
    StandInTool tool;
};

QStringList warnings;
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings << message;
}

template <typename T> T* widget(MainFrame& w, const QString& pageName, const QString& name) {
    QWidget* p = page(w, pageName);
    return p ? p->findChild<T*>(name) : nullptr;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SKIP_IF_TOOL_INSTALLED();
        verbose = false;
        dryrun = false;
    }
    void cleanup() { verbose = false; }

    void startsOnTheStartPageAtItsSize() {
        Bench bench;
        warnings.clear();
        QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
        auto w = bench.window();
        qInstallMessageHandler(previous);
        // Every connection of the page graph found its signal and slot.
        QVERIFY2(warnings.filter("QObject::connect").isEmpty(), qPrintable(warnings.join('\n')));

        QCOMPARE(w->objectName(), QString("MainFrame"));
        QCOMPARE(w->windowTitle(), QString("Tarn Utility"));
        QVERIFY(!w->windowIcon().isNull());
        QCOMPARE(visiblePages(*w), QStringList{"Startup"});
        QWidget* start = page(*w, "Startup");
        QCOMPARE(w->size(), start->size());
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(w->geometry().center().x() - available.center().x()) <= 1);
        QVERIFY(qAbs(w->geometry().center().y() - available.center().y()) <= 1);

        auto* queues = widget<QComboBox>(*w, "Startup", "selectPrintQueue");
        QCOMPARE(queues->count(), 2);
        QCOMPARE(queues->itemText(0), QString("Q1"));
        QCOMPARE(queues->itemText(1), QString("Q2"));
        QCOMPARE(queues->currentIndex(), 0);
        QVERIFY(!queues->itemData(0).isValid());

        // Every page exists once, named after its form, and starts hidden but the first.
        const QStringList pages = {"Startup",           "STM",
                                   "NozzleCheck1",      "NozzleCheck2",
                                   "HeadCleaning1",     "HeadCleaning2",
                                   "HeadCleaning3",     "PowerInkFlushing1",
                                   "PowerInkFlushing2", "PowerInkFlushing3",
                                   "BidAdjust1",        "BidAdjust2",
                                   "BidAdjust3",        "PfAdjust1",
                                   "PfAdjust2",         "PfAdjust3",
                                   "PfAdjust4",         "PfAdjust5",
                                   "PaperSetting1",     "PaperSetting2",
                                   "PaperSetting3",     "GeometrySetting1A",
                                   "GeometrySetting1P", "GeometrySetting2",
                                   "AfterPrinting1",    "AfterPrinting2",
                                   "PrinterSetting1",   "PrinterSetting2"};
        QStringList found;
        for (Page* p : w->findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly)) {
            found << p->objectName();
            QCOMPARE(p->pos(), QPoint(0, 0));
        }
        QCOMPARE(found, pages);
    }

    void startUpReadsOptionsBeforeTheStatusIsWired() {
        Bench bench;
        SlotRecorder recorder;
        auto w = bench.window();
        // The first queue listed selects itself and reads its options through the combo box;
        // the status read is wired only afterwards, so it does not run during start-up.
        QCOMPARE(recorder.invoked(), QStringList{"MainFrame::updatePrinterOption()"});
        // Once on the first append and once more when the start page is prepared.
        QCOMPARE(bench.tool.calls().filter("[deviceOption]").size(), 2);
        QVERIFY(bench.tool.calls().filter("[status]").isEmpty());
    }

    void firstStatusReadFollowsTheEventLoop() {
        Bench bench;
        SlotRecorder recorder;
        auto w = bench.window();
        QVERIFY(!recorder.invoked().contains("MainFrame::updatePrinterStatus()"));
        QTRY_VERIFY_WITH_TIMEOUT(recorder.invoked().contains("MainFrame::updatePrinterStatus()"),
                                 5000);
    }

    void everyButtonLeadsWhereTheGraphSays_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        const char* const rows[][3] = {
            {"Startup", "btnUpdatePrinterStatus", "MainFrame::updatePrinterStatus()"},
            {"Startup", "btnPrinterWindow", "MainFrame::entry_pageSTM()"},
            {"Startup", "btnNozzleCheck", "NozzleCheck1::show()"},
            {"Startup", "btnHeadCleaning", "HeadCleaning1::show()"},
            {"Startup", "btnPowerInkFlushing", "MainFrame::entry_pagePowerInkFlushing1()"},
            {"Startup", "btnBidAdjust", "BidAdjust1::show()"},
            {"Startup", "btnPfAdjust", "PfAdjust1::show()"},
            {"Startup", "btnPaperSetting", "MainFrame::entry_pagePaperSetting1()"},
            {"Startup", "btnGeometrySetting", "MainFrame::entry_geometrySetting1()"},
            {"Startup", "btnAfterPrinting", "MainFrame::entry_pageAfterPrinting1()"},
            {"Startup", "btnPrinterSetting", "MainFrame::entry_pagePrinterSetting1()"},
            {"STM", "btnBack", "MainFrame::leave_pageSTM()"},
            {"NozzleCheck1", "btnCancel", "Startup::show()"},
            {"NozzleCheck1", "btnPrint", "MainFrame::entry_pageNozzleCheck2()"},
            {"NozzleCheck2", "btnHeadCleaning", "HeadCleaning1::show()"},
            {"NozzleCheck2", "btnFinish", "Startup::show()"},
            {"HeadCleaning1", "btnCancel", "Startup::show()"},
            {"HeadCleaning1", "btnStart", "MainFrame::entry_pageHeadCleaning2()"},
            {"HeadCleaning2", "btnCancel", "Startup::show()"},
            {"HeadCleaning2", "btnNext", "HeadCleaning3::show()"},
            {"HeadCleaning3", "btnNozzleCheck", "NozzleCheck1::show()"},
            {"HeadCleaning3", "btnFinish", "Startup::show()"},
            {"PowerInkFlushing1", "btnCancel", "Startup::show()"},
            {"PowerInkFlushing1", "btnStart", "MainFrame::entry_pagePowerInkFlushing2()"},
            {"PowerInkFlushing2", "btnCancel", "Startup::show()"},
            {"PowerInkFlushing2", "btnNext", "PowerInkFlushing3::show()"},
            {"PowerInkFlushing3", "btnNozzleCheck", "NozzleCheck1::show()"},
            {"PowerInkFlushing3", "btnFinish", "Startup::show()"},
            {"BidAdjust1", "btnCancel", "Startup::show()"},
            {"BidAdjust1", "btnPrint", "BidAdjust2::show()"},
            {"BidAdjust2", "btnCancel", "Startup::show()"},
            {"BidAdjust2", "btnSend", "BidAdjust3::show()"},
            {"BidAdjust3", "btnFinish", "Startup::show()"},
            {"PfAdjust1", "btnCancel", "Startup::show()"},
            {"PfAdjust1", "btnPrint", "PfAdjust2::show()"},
            {"PfAdjust2", "btnCancel", "Startup::show()"},
            {"PfAdjust2", "btnSend", "PfAdjust3::show()"},
            {"PfAdjust3", "btnCancel", "Startup::show()"},
            {"PfAdjust3", "btnPrint", "PfAdjust4::show()"},
            {"PfAdjust4", "btnCancel", "Startup::show()"},
            {"PfAdjust4", "btnSend", "PfAdjust5::show()"},
            {"PfAdjust5", "btnFinish", "Startup::show()"},
            {"PaperSetting1", "btnCancel", "Startup::show()"},
            {"PaperSetting1", "btnSend", "MainFrame::switch_entry_pagePaperSetting()"},
            {"PaperSetting2", "btnFinish", "Startup::show()"},
            {"PaperSetting3", "btnCancel", "PaperSetting1::show()"},
            {"PaperSetting3", "btnSend", "MainFrame::entry_pagePaperSetting2()"},
            {"GeometrySetting1A", "btnCancel", "Startup::show()"},
            {"GeometrySetting1A", "btnSend", "MainFrame::entry_geometrySetting2()"},
            {"GeometrySetting1P", "btnCancel", "Startup::show()"},
            {"GeometrySetting1P", "btnSend", "MainFrame::entry_geometrySetting2()"},
            {"GeometrySetting2", "btnFinish", "Startup::show()"},
            {"AfterPrinting1", "btnCancel", "Startup::show()"},
            {"AfterPrinting1", "btnSend", "MainFrame::entry_pageAfterPrinting2()"},
            {"AfterPrinting2", "btnFinish", "Startup::show()"},
            {"PrinterSetting1", "btnCancel", "Startup::show()"},
            {"PrinterSetting1", "btnSend", "MainFrame::entry_pagePrinterSetting2()"},
            {"PrinterSetting2", "btnFinish", "Startup::show()"},
        };
        for (const auto& row : rows)
            QTest::addRow("%s.%s", row[0], row[1]) << row[0] << row[1] << row[2];
    }
    void everyButtonLeadsWhereTheGraphSays() {
        QFETCH(QString, from);
        QFETCH(QString, button);
        QFETCH(QString, target);
        Bench bench;
        auto w = bench.window();
        w->show();
        auto* fromPage = qobject_cast<Page*>(page(*w, from));
        QVERIFY(fromPage);
        fromPage->show();
        auto* pressed = fromPage->findChild<QAbstractButton*>(button);
        QVERIFY2(pressed, qPrintable(button));
        pressed->setEnabled(true); // some buttons wait for a tick or a printer
        StreamCapture out(1);
        SlotRecorder recorder;
        pressed->click();
        QCOMPARE(recorder.invoked(), QStringList{target});
        if (target.endsWith("::show()")) {
            const QString shown = target.section("::", 0, 0);
            QCOMPARE(visiblePages(*w), QStringList{shown});
            QCOMPARE(pageOnDisplay(*w)->objectName(), shown);
            QCOMPARE(w->size(), page(*w, shown)->size());
        }
    }

    void choosingAQueueReadsOptionsBeforeStatus() {
        Bench bench;
        auto w = bench.window();
        auto* queues = widget<QComboBox>(*w, "Startup", "selectPrintQueue");
        queues->setEnabled(true);
        StreamCapture out(1);
        SlotRecorder recorder;
        queues->setCurrentIndex(1);
        QCOMPARE(recorder.invoked(), (QStringList{"MainFrame::updatePrinterOption()",
                                                  "MainFrame::updatePrinterStatus()"}));
    }

    void formDetectionChoiceSwitchesPictureFirst() {
        Bench bench;
        auto w = bench.window();
        ImageSwitcher& pictures = MainFrameTestAccess::formImages(*w);
        pictures.clear();
        pictures.addItem("://images/DetectType_GAP.png");
        pictures.addItem("://images/inkIconError.png");
        auto* combo = widget<QComboBox>(*w, "PaperSetting1", "selectFormDetectionType");
        auto* picture = widget<QLabel>(*w, "PaperSetting1", "labelFormDetectionTypeImage");
        QVERIFY(combo && picture);
        StreamCapture out(1);
        SlotRecorder recorder;
        QVERIFY(QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 1)));
        QCOMPARE(recorder.invoked(), (QStringList{"ImageSwitcher::switchImage(int)",
                                                  "MainFrame::switchFormGapRange()"}));
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).size(), QSize(32, 32));
    }

    void alignmentButtonsAreNeverShown() {
        Bench bench;
        auto w = bench.window();
        w->show();
        StreamCapture out(1);
        auto* queues = widget<QComboBox>(*w, "Startup", "selectPrintQueue");
        queues->setCurrentIndex(1);
        qobject_cast<Page*>(page(*w, "NozzleCheck1"))->show();
        qobject_cast<Page*>(page(*w, "Startup"))->show();
        for (const char* name :
             {"btnBidAdjust", "labelBidAdjust", "btnPfAdjust", "labelPfAdjust"}) {
            QWidget* hidden = widget<QWidget>(*w, "Startup", name);
            QVERIFY2(hidden, name);
            QVERIFY2(hidden->isHidden() && !hidden->isVisible(), name);
        }
        QVERIFY(widget<QWidget>(*w, "Startup", "btnNozzleCheck")->isVisible());
    }

    void pageChangesAreTracedWhenVerbose() {
        Bench bench;
        auto w = bench.window();
        w->show();
        verbose = true;
        auto* nozzle = qobject_cast<Page*>(page(*w, "NozzleCheck1"));
        StreamCapture err(2);
        widget<QAbstractButton>(*w, "Startup", "btnNozzleCheck")->click();
        nozzle->show(); // already on display: nothing is hidden
        widget<QAbstractButton>(*w, "NozzleCheck1", "btnCancel")->click();
        QCOMPARE(err.text(), QString("[Startup] -> [NozzleCheck1]\n"
                                     "(blank) -> [NozzleCheck1]\n"
                                     "[NozzleCheck1] -> [Startup]\n"));
        QCOMPARE(visiblePages(*w), QStringList{"Startup"});

        verbose = false;
        StreamCapture quiet(2);
        nozzle->show();
        QCOMPARE(quiet.text(), QString());
    }

    void pageWithoutWindowShowsItself() {
        Page orphan;
        orphan.setObjectName("Orphan");
        verbose = true;
        StreamCapture err(2);
        orphan.show();
        QCOMPARE(err.text(), QString("(blank) -> [Orphan]\n"));
        QVERIFY(orphan.isVisible());
    }

    void pageThatReachesTheCornerIsStillReplaced() {
        // A form widget sitting at (0, 0) must not stand in for its page.
        QWidget window;
        Page first, second;
        first.setObjectName("First");
        second.setObjectName("Second");
        first.setParent(&window);
        second.setParent(&window);
        first.resize(100, 80);
        second.resize(60, 40);
        QLabel corner(&first);
        corner.setGeometry(0, 0, 20, 20);
        window.show();
        first.show();
        QCOMPARE(Page::onDisplay(&window), &first);
        second.show();
        QVERIFY(first.isHidden());
        QVERIFY(!corner.isHidden());
        // The window keeps its size; the page shown takes it.
        QCOMPARE(second.size(), window.size());
    }

    void windowKeepsOneSizeFromPageToPage() {
        Bench bench;
        auto w = bench.window();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QSize size = w->size();
        // Set by the largest page, within the screen.
        QSize largest, least;
        const QList<Page*> pages = w->findChildren<Page*>(QString(), Qt::FindDirectChildrenOnly);
        for (Page* p : pages) {
            largest = largest.expandedTo(p->sizeHint()).expandedTo(p->minimumSize());
            least = least.expandedTo(p->minimumSizeHint()).expandedTo(p->minimumSize());
        }
        // ...but never below a page's least size, even on a screen smaller than that.
        largest = largest.boundedTo(QGuiApplication::primaryScreen()->availableGeometry().size());
        QCOMPARE(size, largest.expandedTo(least));
        for (Page* p : pages) {
            p->show();
            QCoreApplication::processEvents();
            QCOMPARE(w->size(), size);
            QCOMPARE(p->size(), size);
            // Every page fits in it.
            QVERIFY2(p->minimumSizeHint().width() <= size.width() &&
                         p->minimumSizeHint().height() <= size.height(),
                     qPrintable(p->objectName()));
        }

        // A size the user gives stays from page to page, and the page fills it.
        const QSize chosen = size + QSize(40, 30);
        w->resize(chosen);
        for (Page* p : pages) {
            p->show();
            QCoreApplication::processEvents();
            QCOMPARE(w->size(), chosen);
            QCOMPARE(p->size(), chosen);
        }
        // It cannot be made so small that a page is cut.
        w->resize(100, 100);
        QVERIFY(w->width() >= page(*w, "PaperSetting1")->minimumSizeHint().width());
        QVERIFY(w->height() >= page(*w, "GeometrySetting1P")->minimumSizeHint().height());
    }

    void functionButtonsFollowTheToolsList_data() {
        QTest::addColumn<QString>("usage");
        QTest::addColumn<bool>("nozzle");
        QTest::addColumn<bool>("cleaning");
        QTest::newRow("both") << Usage << true << true;
        QTest::newRow("longer items") << "        - printNozzleCheckPattern\n"
                                         "        - startCleaningHead=A or H\n"
                                      << true << true;
        QTest::newRow("item after other text") << "        - xprintNozzleCheck\n"
                                                  "        - do startCleaningHead\n"
                                               << false << false;
        QTest::newRow("only cleaning") << "        - startCleaningHead\n" << false << true;
        QTest::newRow("not an item line") << "printNozzleCheck\n  - startCleaningHead\n"
                                          << false << false;
        QTest::newRow("no listing") << "" << false << false;
    }
    void functionButtonsFollowTheToolsList() {
        QFETCH(QString, usage);
        QFETCH(bool, nozzle);
        QFETCH(bool, cleaning);
        Bench bench;
        bench.tool.setReply(StandInTool::Run::Usage, usage);
        auto w = bench.window();
        QCOMPARE(widget<QWidget>(*w, "Startup", "btnNozzleCheck")->isEnabled(), nozzle);
        QCOMPARE(widget<QWidget>(*w, "Startup", "btnHeadCleaning")->isEnabled(), cleaning);
        QCOMPARE(widget<QWidget>(*w, "Startup", "btnPowerInkFlushing")->isEnabled(), cleaning);
        QVERIFY(widget<QWidget>(*w, "Startup", "btnPaperSetting")->isEnabled());
    }

    void noPrinterWarnsAndDisablesTheFunctions_data() {
        QTest::addColumn<bool>("withTool");
        QTest::newRow("no tool") << false;
        QTest::newRow("no supported printer") << true;
    }
    void noPrinterWarnsAndDisablesTheFunctions() {
        QFETCH(bool, withTool);
        ScratchDir scratch;
        std::unique_ptr<StandInTool> tool;
        if (withTool) {
            tool = std::make_unique<StandInTool>(scratch);
            tool->setReply(StandInTool::Run::Usage, Usage);
            tool->setReply(StandInTool::Run::List, "arg: -l\n");
        }
        MessageBoxCloser closer;
        std::unique_ptr<MainFrame> w;
        {
            StreamCapture out(1);
            StreamCapture err(2);
            w = std::make_unique<MainFrame>();
        }
        QVERIFY(closer.seen());
        QCOMPARE(closer.title, QString("Tarn Utility cannot be launched."));
        // What is wrong and what to do, and no list box that the window does not have.
        QCOMPARE(closer.text,
                 QString("No supported printer queue was found, or the printing system (CUPS) "
                         "could not be reached.\n\nCheck that CUPS is running and that the "
                         "printer is turned on, connected and set up as a print queue with its "
                         "driver. Then click Update."));
        QCOMPARE(closer.icon, int(QMessageBox::Warning));
        QCOMPARE(closer.buttonCount, 1);
        QVERIFY(closer.okButton);
        QVERIFY(!closer.hasDefaultButton);
        QVERIFY(closer.parentIsMainFrame);
        QVERIFY(!closer.windowVisible);

        for (const char* name :
             {"iconSelectedPrinter", "btnPrinterWindow", "btnNozzleCheck", "btnHeadCleaning",
              "btnPowerInkFlushing", "btnBidAdjust", "btnPfAdjust", "btnPaperSetting",
              "btnGeometrySetting", "btnAfterPrinting", "btnPrinterSetting", "labelBidAdjust",
              "labelPfAdjust"})
            QVERIFY2(!widget<QWidget>(*w, "Startup", name)->isEnabled(), name);
        QCOMPARE(widget<QComboBox>(*w, "Startup", "selectPrintQueue")->count(), 0);
        QCOMPARE(visiblePages(*w), QStringList{"Startup"});
        w->show();
        QVERIFY(w->isVisible());
    }

    void iconButtonsCarryTheirCaption_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("captionLabel");
        QTest::newRow("status monitor") << "btnPrinterWindow"
                                        << "VARDA Status Monitor"
                                        << "labelPrinterWindow";
        QTest::newRow("nozzle check") << "btnNozzleCheck"
                                      << "Nozzle Check"
                                      << "labelNozzleCheck";
        QTest::newRow("head cleaning") << "btnHeadCleaning"
                                       << "Print Head Cleaning"
                                       << "labelHeadCleaning";
        QTest::newRow("power cleaning") << "btnPowerInkFlushing"
                                        << "Power Cleaning"
                                        << "label";
        QTest::newRow("vertical") << "btnBidAdjust"
                                  << "Vertical Alignment"
                                  << "labelBidAdjust";
        QTest::newRow("media") << "btnPaperSetting"
                               << "Media Setting"
                               << "labelPaperSetting";
        QTest::newRow("position") << "btnGeometrySetting"
                                  << "Position adjustment"
                                  << "labelGeometrySetting";
        QTest::newRow("after print") << "btnAfterPrinting"
                                     << "Settings For Paper Handling After Print"
                                     << "labelAfterPrinting";
        QTest::newRow("printer setting") << "btnPrinterSetting"
                                         << "Printer Setting"
                                         << "labelPrinterSetting";
        QTest::newRow("horizontal") << "btnPfAdjust"
                                    << "Horizontal Alignment"
                                    << "labelPfAdjust";
    }
    void iconButtonsCarryTheirCaption() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, captionLabel);
        Bench bench;
        auto w = bench.window();
        auto* b = widget<QAbstractButton>(*w, "Startup", button);
        QVERIFY(b);
        QVERIFY(b->text().isEmpty());
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->iconSize(), QSize(64, 64));
        QCOMPARE(b->accessibleName(), caption);
        QCOMPARE(b->toolTip(), caption);
        QCOMPARE(widget<QLabel>(*w, "Startup", captionLabel)->text(), caption);
    }

    void gaugeLabelsSitOnTheGauges() {
        Bench bench;
        auto w = bench.window();
        const char* const gauges[] = {"barInkK", "barInkC", "barInkM", "barInkY", "barInkMN"};
        for (int i = 0; i < 10; ++i) {
            QLabel* label = MainFrameTestAccess::inkGaugeLabel(*w, i);
            QVERIFY(label);
            QCOMPARE(label->parentWidget(), widget<QProgressBar>(*w, "STM", gauges[i % 5]));
        }
    }

    void cleaningAnimationIsSharedAndFitsTheReader() {
        Bench bench;
        auto w = bench.window();
        QMovie* movie = MainFrameTestAccess::cleaningAnimation(*w);
        QVERIFY(movie);
        const bool mng = QImageReader::supportedImageFormats().contains("mng");
        QCOMPARE(MainFrameTestAccess::mngSupported(*w), mng);
        QCOMPARE(movie->fileName(), QString(mng ? "://images/CleaningProgress.mng"
                                                : "://images/CleaningProgress.gif"));
        QVERIFY(movie->isValid());
        QCOMPARE(movie->state(), QMovie::Running);
        for (const char* pageName : {"HeadCleaning2", "PowerInkFlushing2"}) {
            auto* label = widget<QLabel>(*w, pageName, "labelCleaningProgress");
            QVERIFY2(label, pageName);
            QCOMPARE(label->movie(), movie);
            QVERIFY(label->testAttribute(Qt::WA_NoSystemBackground));
        }
    }

    void statusPicturesStartWithTheDefaultList() {
        Bench bench;
        auto w = bench.window();
        const QStringList expected = {
            "://images/status_01.png",  "://images/status_03.png", "://images/status_04.png",
            "://images/status_05.png",  "://images/status_06.png", "://images/status_07.png",
            "://images/status_8,9.png", "://images/status_10.png", "://images/status_11.png",
            "://images/status_12.png",  "://images/status_13.png", "://images/status_14.png"};
        QCOMPARE(MainFrameTestAccess::statusImages(*w).items(), expected);
        for (const QString& path : expected)
            QVERIFY2(!QPixmap(path).isNull(), qPrintable(path));
    }

    void imageSwitcherIgnoresIndexesOutsideItsList_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("first") << 0 << QSize(32, 48);
        QTest::newRow("last") << 1 << QSize(32, 32);
        QTest::newRow("negative") << -1 << QSize(10, 10);
        QTest::newRow("one past the end") << 2 << QSize(10, 10);
    }
    void imageSwitcherIgnoresIndexesOutsideItsList() {
        QFETCH(int, index);
        QFETCH(QSize, shown);
        ImageSwitcher switcher;
        QLabel a, b;
        QPixmap before(10, 10);
        before.fill(Qt::white);
        a.setPixmap(before);
        b.setPixmap(before);
        switcher.bindLabel(&a);
        switcher.bindLabel(&b);
        switcher.addItem("://images/inkHatch.png");
        switcher.addItem("://images/inkIconError.png");
        switcher.switchImage(index);
        QCOMPARE(a.pixmap(Qt::ReturnByValue).size(), shown);
        QCOMPARE(b.pixmap(Qt::ReturnByValue).size(), shown);

        // Clearing keeps the labels bound.
        switcher.clear();
        switcher.switchImage(0);
        QCOMPARE(a.pixmap(Qt::ReturnByValue).size(), shown);
        switcher.addItem("://images/inkIconWarning.png");
        switcher.switchImage(0);
        QCOMPARE(a.pixmap(Qt::ReturnByValue).size(), QSize(32, 28));
        QCOMPARE(b.pixmap(Qt::ReturnByValue).size(), QSize(32, 28));
    }

    void guardedStepRunsOnlyForAReadyPrinter_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<bool>("runs");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("groupAfter");
        QTest::newRow("others") << 6 << true << true << true << 6;
        QTest::newRow("warning") << 5 << true << true << true << 5;
        QTest::newRow("printing") << 4 << true << false << false << 4;
        QTest::newRow("pause") << 3 << true << false << false << 3;
        QTest::newRow("error") << 2 << true << false << false << 2;
        QTest::newRow("fatal") << 1 << true << false << false << 1;
        QTest::newRow("before communication") << 0 << true << false << false << 0;
        QTest::newRow("ready but the operation fails") << 6 << false << true << false << 0;
    }
    void guardedStepRunsOnlyForAReadyPrinter() {
        QFETCH(int, group);
        QFETCH(bool, succeeds);
        QFETCH(bool, runs);
        QFETCH(bool, result);
        QFETCH(int, groupAfter);
        Bench bench;
        bench.tool.setReply(
            StandInTool::Run::Status,
            QString("status: 600, Status_IL_PAPF\nstatusGroup: %1, x\n").arg(group));
        auto w = bench.window();
        // The group the status refresh reads, whichever way it is refreshed.
        MainFrameTestAccess::setLastStatusGroup(*w, group);
        bool ran = false;
        StreamCapture out(1);
        const bool done = MainFrameTestAccess::guardedStep(*w, [&] {
            ran = true;
            return succeeds;
        });
        QCOMPARE(ran, runs);
        QCOMPARE(done, result);
        QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), groupAfter);
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
