// What a user does wrong or in a hurry, and what a printer does wrong, through the whole chain
// (window -> tarn -> private cupsd -> dexo1.so -> emulated printers): a key pressed after a
// step, a read that brings no value, a write the printer does not take, maintenance while the
// printer is busy. The emulator's log and stored settings show what reached the printer.
#include "ChainBed.h"
#include "FieldDots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTextEdit>

#include <map>
#include <string>
#include <vector>

namespace {

QString joined(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromStdString(line);
    return list.join(" | ");
}

void saveScreenshot(MainFrame& window, const QString& name) {
    const QString dir = qEnvironmentVariable("TARN_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    window.grab().save(dir + "/faults-" + name + ".png");
}

[[maybe_unused]] std::map<std::string, std::string> storedSettings(emulator::ControlClient& control,
                                                                   const std::string& printer) {
    std::map<std::string, std::string> settings;
    for (const std::string& line : control.command("settings " + printer).lines) {
        const std::size_t first = line.find(' ');
        const std::size_t second = line.find(' ', first + 1);
        settings[line.substr(0, first)] =
            second == std::string::npos ? "" : line.substr(second + 1);
    }
    return settings;
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

struct Wizard {
    const char* name;
    const char* startButton;
    const char* page;
    const char* checkBox; // ticked before the action, or null
    const char* action;
    const char* command;
    const char* next;
};

const Wizard Wizards[] = {
    {"nozzle check", "btnNozzleCheck", "NozzleCheck1", nullptr, "btnPrint", "~W(PNC",
     "NozzleCheck2"},
    {"head cleaning", "btnHeadCleaning", "HeadCleaning1", nullptr, "btnStart", "~J(MCL,A",
     "HeadCleaning2"},
    {"power cleaning", "btnPowerInkFlushing", "PowerInkFlushing1", "checkStart", "btnStart",
     "~J(MCL,H", "PowerInkFlushing2"},
};

int functionCommands(const std::vector<std::string>& log) {
    int count = 0;
    for (const Wizard& wizard : Wizards)
        count += countOf(log, wizard.command);
    return count;
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
}

QTEST_MAIN(WindowFaults)
#include "tst_window_faults.moc"
