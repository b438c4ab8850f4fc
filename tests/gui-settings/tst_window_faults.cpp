// SPDX-License-Identifier: Apache-2.0
// What a user does wrong or in a hurry, and what a printer does wrong, through the whole chain
// (window -> tarn -> private cupsd -> dexo1.so -> emulated printers): a key pressed after a
// step, a read that brings no value, a write the printer does not take, maintenance while the
// printer is busy. The emulator's log and stored settings show what reached the printer.
#include "ChainBed.h"
#include "FieldDots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QMovie>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

void saveScreenshot(QWidget& window, const QString& name) {
    const QString dir = qEnvironmentVariable("TARN_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    window.grab().save(dir + "/faults-" + name + ".png");
}

// A key as the user types it: to the control that has the window's focus.
void typeKey(MainFrame& window, Qt::Key key) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(target, key);
}

// True when the window's focus lies on a visible control of the page on display.
bool focusOnDisplayedPage(MainFrame& window) {
    QWidget* focus = window.focusWidget();
    QWidget* shown = pageOnDisplay(window);
    return focus && shown && shown->isAncestorOf(focus) && focus->isVisible();
}

} // namespace

class WindowFaults : public QObject {
    Q_OBJECT

    std::unique_ptr<ChainBed> chain;
    emulator::ControlClient& control() { return chain->control(); }

private slots:
    void initTestCase() {
        SKIP_IF_TOOL_INSTALLED();
        chain = std::make_unique<ChainBed>();
        QVERIFY2(chain->ok(), chain->error.c_str());
    }
    void init() { QVERIFY(chain->resetPrinters()); }
    void cleanupTestCase() { chain.reset(); }

    void keysAfterAMaintenanceStepSendNothingMore_data();
    void keysAfterAMaintenanceStepSendNothingMore();
    void returnOnTheFinishedPageWritesNothingMore();
    void readWithoutValuesOpensNoPage_data();
    void readWithoutValuesOpensNoPage();
    void writeWithoutReadBackReportsNoSuccess_data();
    void writeWithoutReadBackReportsNoSuccess();
    void refusedValueIsNamed();
    void maintenanceWaitsWhileTheInkIsBusy_data();
    void maintenanceWaitsWhileTheInkIsBusy();
    void cleaningCompletesOnlyAfterThePrinterHasFinished_data();
    void cleaningCompletesOnlyAfterThePrinterHasFinished();
    void cancelEndsTheWatch();
    void clicksDuringASlowRunAreDropped();
    void rangesFollowThePrinterSelectedNow();
    void noPrinterSaysWhatToDoAndUpdateListsAgain();
    void returnInAFieldAppliesNothingEscapeGoesBack();
    void tabOrderFollowsTheReadingOrder_data();
    void tabOrderFollowsTheReadingOrder();
    void focusOnAReadOnlyTextShows();
};

void WindowFaults::keysAfterAMaintenanceStepSendNothingMore_data() {
    QTest::addColumn<int>("wizard");
    QTest::addColumn<bool>("byKeyboard");
    for (int i = 0; i < 3; ++i) {
        QTest::newRow(QByteArray(Wizards[i].name).append(", clicked").constData()) << i << false;
        QTest::newRow(QByteArray(Wizards[i].name).append(", Return").constData()) << i << true;
    }
}

void WindowFaults::keysAfterAMaintenanceStepSendNothingMore() {
    QFETCH(int, wizard);
    QFETCH(bool, byKeyboard);
    const Wizard& wz = Wizards[wizard];
    std::unique_ptr<MainFrame> w = chain->openWindow("c5020a");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", wz.startButton));
    QVERIFY(focusOnDisplayedPage(*w));
    if (wz.checkBox)
        widgetOf<QCheckBox>(*w, wz.page, wz.checkBox)->setChecked(true);
    QVERIFY(control().clearLog("c5020a"));
    if (byKeyboard) {
        typeKey(*w, Qt::Key_Return);
    } else {
        QVERIFY(press(*w, wz.page, wz.action));
    }
    QCOMPARE(pageShown(*w), QString(wz.next));
    QVERIFY2(focusOnDisplayedPage(*w),
             qPrintable(w->focusWidget() ? w->focusWidget()->objectName() : QString("no focus")));
    saveScreenshot(*w, QString("focus-after-%1").arg(wz.next));

    // The keys a hurried user presses next reach the new page, never the step's button.
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Return, Qt::Key_Space})
        typeKey(*w, key);
    const std::vector<std::string> log = control().log("c5020a");
    QVERIFY2(countOf(log, wz.command) == 1, qPrintable(joined(log)));
    QVERIFY2(functionCommands(log) == 1, qPrintable(joined(log)));
}

void WindowFaults::returnOnTheFinishedPageWritesNothingMore() {
    std::unique_ptr<MainFrame> w = chain->openWindow("c2000");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", "btnPaperSetting"));
    QCOMPARE(pageShown(*w), QString("PaperSetting1"));
    QVERIFY(control().clearLog("c2000"));
    typeKey(*w, Qt::Key_Return);
    QCOMPARE(pageShown(*w), QString("PaperSetting2"));
    const std::size_t writes = settingWrites(control().log("c2000")).size();
    QVERIFY(writes > 0);
    QVERIFY(focusOnDisplayedPage(*w));

    typeKey(*w, Qt::Key_Return);
    QCOMPARE(pageShown(*w), QString("Startup"));
    typeKey(*w, Qt::Key_Return);
    typeKey(*w, Qt::Key_Space);
    const std::vector<std::string> log = control().log("c2000");
    QVERIFY2(settingWrites(log).size() == writes, qPrintable(joined(log)));
}

namespace {

struct ReadPage {
    const char* name;
    const char* queue;
    const char* startButton;
    const char* page;
    const char* fault; // data-channel fault of the printer
};

const ReadPage ReadPages[] = {
    {"media, RV-C9000, silent", "c9000", "btnPaperSetting", "PaperSetting1", "silent"},
    {"media, RV-C5000, silent", "c5020a", "btnPaperSetting", "PaperSetting1", "silent"},
    {"media, RV-C2000, garbage", "c2000", "btnPaperSetting", "PaperSetting1", "garbage"},
    {"cutter position, silent", "c9000", "btnGeometrySetting", "GeometrySetting1A", "silent"},
    {"peeler position, closing", "c5000p", "btnGeometrySetting", "GeometrySetting1P", "close"},
    {"after printing, silent", "c9000", "btnAfterPrinting", "AfterPrinting1", "silent"},
    {"printer setting, cut short", "c9000", "btnPrinterSetting", "PrinterSetting1", "cut"},
};

} // namespace

void WindowFaults::readWithoutValuesOpensNoPage_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(ReadPages); ++i)
        QTest::newRow(ReadPages[i].name) << static_cast<int>(i);
}

void WindowFaults::readWithoutValuesOpensNoPage() {
    QFETCH(int, row);
    const ReadPage& r = ReadPages[row];
    // Values that a made-up 0 would overwrite.
    QVERIFY(control().setSetting("c9000", "printPositionV", "-40"));
    QVERIFY(control().setSetting("c9000", "cutPosition", "-120"));
    QVERIFY(control().setSetting("c5000p", "printPositionV", "200"));
    const std::map<std::string, std::string> before = storedSettings(control(), r.queue);
    std::unique_ptr<MainFrame> w = chain->openWindow(r.queue);
    QVERIFY(w);
    QVERIFY(control().fault(r.queue, r.fault, "data"));
    QVERIFY(control().clearLog(r.queue));
    QVERIFY(press(*w, "Startup", r.startButton));

    QCOMPARE(pageShown(*w), QString("STM"));
    QCOMPARE(widgetOf<QTextEdit>(*w, "STM", "textPrinterStatusAbstract")->toPlainText(),
             QString("Communication error"));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), 0);
    saveScreenshot(*w, QString("read-without-values-%1").arg(r.page));
    QVERIFY(press(*w, "STM", "btnBack"));
    QCOMPARE(pageShown(*w), QString("Startup"));
    QVERIFY2(settingWrites(control().log(r.queue)).empty(),
             qPrintable(joined(control().log(r.queue))));
    QVERIFY(storedSettings(control(), r.queue) == before);

    // Once the printer answers again the page opens with the printer's values.
    QVERIFY(control().fault(r.queue, "none"));
    QVERIFY(press(*w, "Startup", r.startButton));
    QCOMPARE(pageShown(*w), QString(r.page));
}

namespace {

struct WritePage {
    const char* name;
    const char* queue;
    const char* startButton;
    const char* page;
    const char* done;
    const char* fault;
    int faultMs;
};

const WritePage WritePages[] = {
    {"printer setting, data closing", "c9000", "btnPrinterSetting", "PrinterSetting1",
     "PrinterSetting2", "close", 0},
    {"after printing, data silent", "c9000", "btnAfterPrinting", "AfterPrinting1", "AfterPrinting2",
     "silent", 0},
    {"cutter position, data cut short", "c2000", "btnGeometrySetting", "GeometrySetting1A",
     "GeometrySetting2", "cut", 0},
    {"media, read-back too slow", "c5020a", "btnPaperSetting", "PaperSetting1", "PaperSetting2",
     "slow", 3000},
};

// The failure on screen: the status monitor's communication error, or the message that names
// the settings the printer did not confirm.
QString failureShown(MainFrame& w) {
    if (auto* box = w.findChild<QMessageBox*>("SettingsNotTaken"); box && box->isVisible())
        return box->text();
    if (pageShown(w) == "STM")
        return widgetOf<QTextEdit>(w, "STM", "textPrinterStatusAbstract")->toPlainText();
    return QString();
}

} // namespace

void WindowFaults::writeWithoutReadBackReportsNoSuccess_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(WritePages); ++i)
        QTest::newRow(WritePages[i].name) << static_cast<int>(i);
}

void WindowFaults::writeWithoutReadBackReportsNoSuccess() {
    QFETCH(int, row);
    const WritePage& r = WritePages[row];
    std::unique_ptr<MainFrame> w = chain->openWindow(r.queue);
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", r.startButton));
    QCOMPARE(pageShown(*w), QString(r.page));
    QVERIFY(control().fault(r.queue, r.fault, "data", r.faultMs));
    QVERIFY(press(*w, r.page, "btnSend"));
    if (pageShown(*w) == "PaperSetting3")
        QVERIFY(press(*w, "PaperSetting3", "btnSend"));

    QVERIFY(pageShown(*w) != r.done);
    const QString shown = failureShown(*w);
    QVERIFY2(shown == "Communication error" || shown.contains("did not confirm"),
             qPrintable(shown));
    saveScreenshot(*w, QString("write-not-confirmed-%1").arg(r.page));
}

void WindowFaults::refusedValueIsNamed() {
    QVERIFY(control().setSetting("c9000", "printPositionV", "-40"));
    QVERIFY(control().setSetting("c9000", "printPositionH", "10"));
    std::unique_ptr<MainFrame> w = chain->openWindow("c9000");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", "btnGeometrySetting"));
    QCOMPARE(pageShown(*w), QString("GeometrySetting1A"));
    // A field whose range reaches past what the printer takes (as a wrong range would): the
    // printer refuses the value and keeps its own.
    auto* vertical = widgetOf<QDoubleSpinBox>(*w, "GeometrySetting1A", "numericPrintPositionV");
    vertical->setMinimum(-20.0);
    fielddots::setRange(vertical, -472, 472);
    vertical->setValue(-10.0);
    auto* horizontal = widgetOf<QDoubleSpinBox>(*w, "GeometrySetting1A", "numericPrintPositionH");
    horizontal->setValue(0.5);
    QVERIFY(press(*w, "GeometrySetting1A", "btnSend"));

    QCOMPARE(pageShown(*w), QString("GeometrySetting1A"));
    const QString shown = failureShown(*w);
    QVERIFY2(shown.contains("did not confirm") && shown.contains("Vertical") &&
                 !shown.contains("Horizontal"),
             qPrintable(shown));
    QCOMPARE(QString::fromStdString(control().setting("c9000", "printPositionV")), QString("-40"));
    QCOMPARE(QString::fromStdString(control().setting("c9000", "printPositionH")), QString("12"));
    saveScreenshot(*w, "write-refused");
    saveScreenshot(*w->findChild<QMessageBox*>("SettingsNotTaken"), "write-refused-message");
}

void WindowFaults::maintenanceWaitsWhileTheInkIsBusy_data() {
    QTest::addColumn<int>("wizard");
    QTest::addColumn<QString>("state");
    for (int i = 0; i < 3; ++i) {
        for (const char* state : {"CL", "FC"})
            QTest::newRow(QByteArray(Wizards[i].name).append(", state ").append(state).constData())
                << i << QString(state);
    }
}

void WindowFaults::maintenanceWaitsWhileTheInkIsBusy() {
    QFETCH(int, wizard);
    QFETCH(QString, state);
    const Wizard& wz = Wizards[wizard];
    std::unique_ptr<MainFrame> w = chain->openWindow("d5510p");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", wz.startButton));
    if (wz.checkBox)
        widgetOf<QCheckBox>(*w, wz.page, wz.checkBox)->setChecked(true);
    QVERIFY(control().set("d5510p", "state", state.toStdString()));
    QVERIFY(control().clearLog("d5510p"));
    QVERIFY(press(*w, wz.page, wz.action));

    QCOMPARE(pageShown(*w), QString("STM"));
    QCOMPARE(functionCommands(control().log("d5510p")), 0);
    saveScreenshot(*w, QString("maintenance-refused-%1").arg(state));
    // Once the printer is ready the same button starts the function, once.
    QVERIFY(control().set("d5510p", "state", "IL"));
    QVERIFY(press(*w, "STM", "btnBack"));
    QCOMPARE(pageShown(*w), QString(wz.page));
    QVERIFY(press(*w, wz.page, wz.action));
    QCOMPARE(pageShown(*w), QString(wz.next));
    QCOMPARE(countOf(control().log("d5510p"), wz.command), 1);
}

void WindowFaults::cleaningCompletesOnlyAfterThePrinterHasFinished_data() {
    QTest::addColumn<int>("wizard");
    QTest::newRow("head cleaning") << 1;
    QTest::newRow("power cleaning") << 2;
}

void WindowFaults::cleaningCompletesOnlyAfterThePrinterHasFinished() {
    QFETCH(int, wizard);
    const Wizard& wz = Wizards[wizard];
    // The cleaning runs until the test ends it.
    QVERIFY(control().set("c9000", "functionMs", "-1"));
    std::unique_ptr<MainFrame> w = chain->openWindow("c9000");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", wz.startButton));
    if (wz.checkBox)
        widgetOf<QCheckBox>(*w, wz.page, wz.checkBox)->setChecked(true);
    QVERIFY(control().clearLog("c9000"));
    QVERIFY(press(*w, wz.page, wz.action));
    QCOMPARE(pageShown(*w), QString(wz.next));
    auto* next = widgetOf<QPushButton>(*w, wz.next, "btnNext");
    QVERIFY(!next->isEnabled());
    QVERIFY(MainFrameTestAccess::cleaningAnimation(*w)->state() == QMovie::Running);

    // Status reads every few seconds find the printer still cleaning.
    QTRY_VERIFY_WITH_TIMEOUT(countStartingWith(control().log("c9000"), "~H(SMA,S") >= 3, 15000);
    QVERIFY(!next->isEnabled());
    typeKey(*w, Qt::Key_Return);
    QCOMPARE(pageShown(*w), QString(wz.next));
    saveScreenshot(*w, QString("cleaning-watched-%1").arg(wz.next));

    QVERIFY(control().finish("c9000"));
    QTRY_VERIFY_WITH_TIMEOUT(next->isEnabled(), 10000);
    QCOMPARE(w->focusWidget(), static_cast<QWidget*>(next));
    typeKey(*w, Qt::Key_Return);
    QCOMPARE(pageShown(*w), QString(wizard == 1 ? "HeadCleaning3" : "PowerInkFlushing3"));
    const std::vector<std::string> log = control().log("c9000");
    QVERIFY2(functionCommands(log) == 1, qPrintable(joined(log)));
}

void WindowFaults::cancelEndsTheWatch() {
    QVERIFY(control().set("c2000", "functionMs", "-1"));
    std::unique_ptr<MainFrame> w = chain->openWindow("c2000");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", "btnHeadCleaning"));
    QVERIFY(press(*w, "HeadCleaning1", "btnStart"));
    QCOMPARE(pageShown(*w), QString("HeadCleaning2"));
    typeKey(*w, Qt::Key_Escape);
    QCOMPARE(pageShown(*w), QString("Startup"));
    QVERIFY(control().clearLog("c2000"));
    QTest::qWait(7000);
    QCOMPARE(countStartingWith(control().log("c2000"), "~H(SMA,S"), 0);
}

void WindowFaults::clicksDuringASlowRunAreDropped() {
    std::unique_ptr<MainFrame> w = chain->openWindow("c5020a");
    QVERIFY(w);
    auto* update = widgetOf<QPushButton>(*w, "Startup", "btnUpdatePrinterStatus");
    // What one status read sends, to hold the slow run's log against.
    QVERIFY(control().clearLog("c5020a"));
    QTest::mouseClick(update, Qt::LeftButton);
    const std::vector<std::string> oneRead = control().log("c5020a");
    QVERIFY(countStartingWith(oneRead, "~H(SMA,S") == 1);
    // Each status reply takes most of a second: the run holds the window that long.
    QVERIFY(control().fault("c5020a", "slow", "status", 700));
    QVERIFY(control().clearLog("c5020a"));
    // Update itself is disabled while it reads; the page buttons stay as they were, and each
    // would start a run of its own (the media page reads its settings first).
    const std::pair<int, const char*> clicks[] = {
        {150, "btnUpdatePrinterStatus"}, {300, "btnPaperSetting"}, {450, "btnNozzleCheck"}};
    int clicksDuringTheRun = 0;
    qint64 firstClickAt = -1;
    QElapsedTimer clock;
    for (const auto& [ms, button] : clicks) {
        QTimer::singleShot(ms, w.get(), [&, name = button] {
            if (MainFrameTestAccess::command(*w).toolRunning())
                ++clicksDuringTheRun;
            if (firstClickAt < 0)
                firstClickAt = clock.elapsed();
            QTest::mouseClick(widgetOf<QPushButton>(*w, "Startup", name), Qt::LeftButton);
        });
    }
    clock.start();
    QTest::mouseClick(update, Qt::LeftButton);
    const qint64 runEndedAt = clock.elapsed();
    // The window ran its timers (and painted) while the run still waited for the printer, not
    // only once it had ended.
    QCOMPARE(clicksDuringTheRun, 3);
    QVERIFY2(
        firstClickAt >= 0 && firstClickAt < runEndedAt - 200,
        qPrintable(
            QString("first click at %1 ms, run ended at %2 ms").arg(firstClickAt).arg(runEndedAt)));
    QTest::qWait(1000);
    const std::vector<std::string> log = control().log("c5020a");
    QVERIFY2(log == oneRead, qPrintable(joined(log)));
    QCOMPARE(pageShown(*w), QString("Startup"));
    QVERIFY(update->isEnabled());
}

void WindowFaults::rangesFollowThePrinterSelectedNow() {
    // Within the RV-C5020A's range, far outside the RV-C9000's.
    QVERIFY(control().setSetting("c5020a", "printPositionV", "200"));
    QVERIFY(control().setSetting("c5020a", "cutPosition", "-200"));
    std::unique_ptr<MainFrame> w = chain->openWindow("c9000");
    QVERIFY(w);
    // The RV-C9000's pages first, so their ranges are in place.
    QVERIFY(press(*w, "Startup", "btnGeometrySetting"));
    QCOMPARE(pageShown(*w), QString("GeometrySetting1A"));
    QVERIFY(press(*w, "GeometrySetting1A", "btnCancel"));

    auto* queues = widgetOf<QComboBox>(*w, "Startup", "selectPrintQueue");
    QVERIFY(choose(queues, "c5020a"));
    QVERIFY(press(*w, "Startup", "btnGeometrySetting"));
    QCOMPARE(pageShown(*w), QString("GeometrySetting1A"));
    auto* vertical = widgetOf<QDoubleSpinBox>(*w, "GeometrySetting1A", "numericPrintPositionV");
    QCOMPARE(vertical->value(), 8.5);
    QCOMPARE(vertical->maximum(), 10.9);
    saveScreenshot(*w, "ranges-after-switch");
    QVERIFY(control().clearLog("c5020a"));
    QVERIFY(press(*w, "GeometrySetting1A", "btnSend"));
    QCOMPARE(pageShown(*w), QString("GeometrySetting2"));
    QCOMPARE(QString::fromStdString(control().setting("c5020a", "printPositionV")), QString("200"));
    QCOMPARE(QString::fromStdString(control().setting("c5020a", "cutPosition")), QString("-200"));
    const std::vector<std::string> log = control().log("c5020a");
    QVERIFY2(countOf(log, "^S(CLE,T,200") == 1, qPrintable(joined(log)));
}

namespace {

// Points the tool at a scheduler that is not there, until destroyed.
class SchedulerAway {
public:
    SchedulerAway() : server(qgetenv("CUPS_SERVER")) {
        qputenv("CUPS_SERVER", (empty.path() + "/no-cupsd.sock").toLocal8Bit());
    }
    ~SchedulerAway() { back(); }
    void back() { qputenv("CUPS_SERVER", server); }

private:
    QTemporaryDir empty; // not a ScratchDir, which would move the working folder away from tarn
    QByteArray server;
};

} // namespace

void WindowFaults::noPrinterSaysWhatToDoAndUpdateListsAgain() {
    SchedulerAway away;
    std::unique_ptr<MainFrame> w;
    {
        MessageBoxCloser closer;
        w = std::make_unique<MainFrame>();
        w->show();
        QVERIFY(closer.seen());
        QVERIFY2(closer.text.contains("CUPS") && closer.text.contains("Update") &&
                     !closer.text.contains("Printers list box"),
                 qPrintable(closer.text));
    }
    // Past the start-up read, which finds no queue either.
    QTest::qWait(300);
    auto* queues = widgetOf<QComboBox>(*w, "Startup", "selectPrintQueue");
    auto* state = widgetOf<QPlainTextEdit>(*w, "Startup", "textPrinterStatusAbstract");
    QCOMPARE(queues->count(), 0);
    QCOMPARE(state->toPlainText(), QString("No supported printer found"));
    QVERIFY(!widgetOf<QPushButton>(*w, "Startup", "btnPaperSetting")->isEnabled());
    saveScreenshot(*w, "no-printer");

    // Update asks again: still nothing, and the start page says so.
    QVERIFY(press(*w, "Startup", "btnUpdatePrinterStatus"));
    QCOMPARE(queues->count(), 0);
    QCOMPARE(state->toPlainText(), QString("No supported printer found"));

    // The scheduler is back with its queues: Update lists them and reads the first one.
    away.back();
    QVERIFY(control().clearLog("c9000"));
    QVERIFY(press(*w, "Startup", "btnUpdatePrinterStatus"));
    QVERIFY(queues->count() >= 6);
    QVERIFY(queues->isEnabled());
    QVERIFY(widgetOf<QPushButton>(*w, "Startup", "btnPaperSetting")->isEnabled());
    QVERIFY(widgetOf<QPushButton>(*w, "Startup", "btnNozzleCheck")->isEnabled());
    QVERIFY(state->toPlainText() != "No supported printer found");
    QVERIFY(state->toPlainText() != "Searching...");
    QVERIFY(MainFrameTestAccess::lastStatusGroup(*w) != 0);
}

void WindowFaults::returnInAFieldAppliesNothingEscapeGoesBack() {
    std::unique_ptr<MainFrame> w = chain->openWindow("c9000");
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", "btnGeometrySetting"));
    QCOMPARE(pageShown(*w), QString("GeometrySetting1A"));
    QCOMPARE(w->focusWidget(), widgetOf<QWidget>(*w, "GeometrySetting1A", "btnSend"));
    QVERIFY(control().clearLog("c9000"));
    auto* vertical = widgetOf<QDoubleSpinBox>(*w, "GeometrySetting1A", "numericPrintPositionV");
    vertical->setFocus();
    vertical->selectAll();
    QTest::keyClicks(vertical, "1.5");
    QTest::keyClick(vertical, Qt::Key_Return);
    // The typed value is taken, nothing is applied.
    QCOMPARE(vertical->value(), 1.5);
    QCOMPARE(pageShown(*w), QString("GeometrySetting1A"));
    QVERIFY(settingWrites(control().log("c9000")).empty());

    typeKey(*w, Qt::Key_Escape);
    QCOMPARE(pageShown(*w), QString("Startup"));
    QVERIFY(settingWrites(control().log("c9000")).empty());
    QVERIFY(focusOnDisplayedPage(*w));
}

void WindowFaults::tabOrderFollowsTheReadingOrder_data() {
    QTest::addColumn<QString>("startButton");
    QTest::addColumn<QString>("page");
    QTest::newRow("start page") << QString() << "Startup";
    QTest::newRow("media") << "btnPaperSetting"
                           << "PaperSetting1";
    QTest::newRow("position") << "btnGeometrySetting"
                              << "GeometrySetting1A";
    QTest::newRow("nozzle check") << "btnNozzleCheck"
                                  << "NozzleCheck1";
    QTest::newRow("status") << "btnPrinterWindow"
                            << "STM";
}

void WindowFaults::tabOrderFollowsTheReadingOrder() {
    QFETCH(QString, startButton);
    QFETCH(QString, page);
    std::unique_ptr<MainFrame> w = chain->openWindow("c9000");
    QVERIFY(w);
    if (!startButton.isEmpty())
        QVERIFY(press(*w, "Startup", qPrintable(startButton)));
    QCOMPARE(pageShown(*w), page);
    QWidget* shown = pageOnDisplay(*w);
    // The controls Tab visits on the page, in the order it visits them.
    std::vector<QWidget*> visited;
    QWidget* first = w->focusWidget();
    QVERIFY(first);
    for (QWidget* at = first->nextInFocusChain(); at != first; at = at->nextInFocusChain()) {
        if (shown->isAncestorOf(at) && at->isVisible() && at->isEnabled() &&
            (at->focusPolicy() & Qt::TabFocus) && !at->focusProxy())
            visited.push_back(at);
    }
    visited.insert(visited.begin(), first);
    QVERIFY(visited.size() > 1);
    // Read from the first control of the page: rows top to bottom, each left to right.
    const auto rectOf = [shown](QWidget* widget) {
        return QRect(widget->mapTo(shown, QPoint(0, 0)), widget->size());
    };
    std::rotate(visited.begin(),
                std::min_element(visited.begin(), visited.end(),
                                 [&](QWidget* a, QWidget* b) {
                                     return rectOf(a).center().y() < rectOf(b).center().y() ||
                                            (rectOf(a).center().y() == rectOf(b).center().y() &&
                                             rectOf(a).x() < rectOf(b).x());
                                 }),
                visited.end());
    for (std::size_t i = 1; i < visited.size(); ++i) {
        const QRect a = rectOf(visited[i - 1]);
        const QRect b = rectOf(visited[i]);
        const bool sameRow = b.center().y() <= a.bottom() && b.center().y() >= a.top();
        QVERIFY2(sameRow ? b.x() > a.x() : b.center().y() > a.bottom(),
                 qPrintable(visited[i - 1]->objectName() + " before " + visited[i]->objectName()));
    }
}

void WindowFaults::focusOnAReadOnlyTextShows() {
    std::unique_ptr<MainFrame> w = chain->openWindow("c9000");
    QVERIFY(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(press(*w, "Startup", "btnNozzleCheck"));
    auto* text = widgetOf<QTextEdit>(*w, "NozzleCheck1", "textInstruction");
    QVERIFY(text->isReadOnly());
    const QImage unfocused = text->grab().toImage();
    text->setFocus(Qt::TabFocusReason);
    QVERIFY(text->hasFocus());
    const QImage focused = text->grab().toImage();
    QVERIFY(focused != unfocused);
    QCOMPARE(focused.size(), unfocused.size());
    saveScreenshot(*w, "focus-on-read-only-text");
}

QTEST_MAIN(WindowFaults)
#include "tst_window_faults.moc"
