// SPDX-License-Identifier: Apache-2.0
// The settings pages and the maintenance wizards of the real window, through the whole chain:
// window -> tarn -> private cupsd -> dexo1.so -> emulated printers. Every expectation about the
// printer is read back from the emulator: its stored settings and the log of its commands.
#include "ChainBed.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

struct Stored {
    const char* key;
    const char* value;
};

// A spin box of a page and the value it shows, in millimetres and in inches.
struct Shown {
    const char* box;
    double mm;
    double in;
};

struct Entry {
    const char* startButton; // on the start page
    const char* page;        // the edit page it opens
};

const Entry MediaEntry{"btnPaperSetting", "PaperSetting1"};
const Entry CutterEntry{"btnGeometrySetting", "GeometrySetting1A"};
const Entry PeelerEntry{"btnGeometrySetting", "GeometrySetting1P"};
const Entry AfterPrintingEntry{"btnAfterPrinting", "AfterPrinting1"};
const Entry PrinterSettingEntry{"btnPrinterSetting", "PrinterSetting1"};

bool imperial() {
    return QLocale::system().measurementSystem() != QLocale::MetricSystem;
}

double inUnit(const Shown& shown) {
    return imperial() ? shown.in : shown.mm;
}

bool showsPicture(const QLabel* label, const char* path) {
    const QPixmap shown = label->pixmap(Qt::ReturnByValue);
    return !shown.isNull() && shown.toImage().convertToFormat(QImage::Format_ARGB32) ==
                                  QPixmap(path).toImage().convertToFormat(QImage::Format_ARGB32);
}

// For review by eye: the page on display, when a folder for screenshots is given.
void saveScreenshot(MainFrame& window, const QString& name) {
    const QString dir = qEnvironmentVariable("TARN_SCREENSHOT_DIR");
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return;
    if (QWidget* shown = pageOnDisplay(window))
        shown->grab().save(dir + "/settings-" + name + ".png");
}

} // namespace

class SettingsChain : public QObject {
    Q_OBJECT

    std::unique_ptr<ChainBed> chain;

    emulator::ControlClient& control() { return chain->control(); }

    void store(const std::string& printer, const std::vector<Stored>& settings) {
        for (const Stored& s : settings)
            QVERIFY2(control().setSetting(printer, s.key, s.value),
                     qPrintable(QString("%1=%2 refused").arg(s.key, s.value)));
    }

    // Opens the edit page of entry for queue, as the user does from the start page.
    std::unique_ptr<MainFrame> openPage(const std::string& queue, const Entry& entry) {
        std::unique_ptr<MainFrame> window = chain->openWindow(queue);
        if (!window)
            return nullptr;
        if (!press(*window, "Startup", entry.startButton))
            return nullptr;
        return window;
    }

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void mediaPageReadsAndWritesEachFamily_data();
    void mediaPageReadsAndWritesEachFamily();
    void applyingEveryPageUntouchedKeepsEverySetting_data();
    void applyingEveryPageUntouchedKeepsEverySetting();
    void untouchedFieldsSendTheDotsRead_data();
    void untouchedFieldsSendTheDotsRead();
    void changedFieldsSendTheirValueInsideTheRange_data();
    void changedFieldsSendTheirValueInsideTheRange();
    void narrowGapWarning_data();
    void narrowGapWarning();
    void warningCancelReturnsToTheEditPageUnchanged();
    void positionPageOfEachVariant_data();
    void positionPageOfEachVariant();
    void afterPrintingAndPrinterSetting();
    void wizardSendsItsCommandOnce_data();
    void wizardSendsItsCommandOnce();
    void powerCleaningNeedsConsentEachTime();
    void stepsRefuseWhilePrintingOrInError_data();
    void stepsRefuseWhilePrintingOrInError();
    void failedToolRunShowsCommunicationError_data();
    void failedToolRunShowsCommunicationError();
};

void SettingsChain::initTestCase() {
    SKIP_IF_TOOL_INSTALLED();
    chain = std::make_unique<ChainBed>();
    QVERIFY2(chain->ok(), chain->error.c_str());
}

void SettingsChain::init() {
    QVERIFY(chain->resetPrinters());
}

void SettingsChain::cleanupTestCase() {
    chain.reset();
}

// ---------------------------------------------------------------------------------------------
// Media settings

namespace {

struct MediaCase {
    const char* name;
    const char* queue;
    std::vector<Stored> stored;
    const char* sourceText;
    const char* formText;
    std::vector<Shown> shown;
    std::vector<const char*> visibleRows; // spin boxes of the margin rows that show
    const char* sideCaption;              // labelSideMargin's text when its row shows
    std::function<void(MainFrame&)> edit;
    std::vector<Stored> expected;
    const char* picture;          // of the form read
    const char* pictureAfterEdit; // of the form chosen
};

QDoubleSpinBox* mediaBox(MainFrame& w, const char* name) {
    return widgetOf<QDoubleSpinBox>(w, "PaperSetting1", name);
}

QComboBox* mediaList(MainFrame& w, const char* name) {
    return widgetOf<QComboBox>(w, "PaperSetting1", name);
}

const std::vector<MediaCase>& mediaCases() {
    static const std::vector<MediaCase> cases = {
        {"RV-C9000 tag, gap changed",
         "c9000",
         {{"paperSource", "ER"},
          {"paperShape", "FP"},
          {"paperForm", "TG"},
          {"formDetectionType", "H"},
          {"formGap", "100"},
          {"sideMargin", "200"},
          {"rightMargin", "300"},
          {"edgeHole", "1000"}},
         "Rear Feed (Fanfold)",
         "Tag (hole detection)",
         {{"numericFormGap", 4.2, 0.17},
          {"numericSideMargin", 8.5, 0.33},
          {"numericRightMargin", 12.7, 0.50},
          {"numericEdgetoHole", 42.3, 1.67}},
         {"numericSideMargin", "numericRightMargin", "numericEdgetoHole"},
         "Left Gap:",
         [](MainFrame& w) { mediaBox(w, "numericFormGap")->setValue(imperial() ? 0.20 : 5.0); },
         {{"paperSource", "ER"},
          {"paperShape", "FP"},
          {"paperForm", "TG"},
          {"formDetectionType", "H"},
          {"formGap", imperial() ? "120" : "118"},
          {"sideMargin", "200"},
          {"rightMargin", "300"},
          {"edgeHole", "1000"}},
         "://images/DetectType_Tag.png",
         "://images/DetectType_Tag.png"},
        {"RV-C9000 die-cut to continuous paper, one gap for both edges",
         "c9000",
         {{"paperSource", "IR"},
          {"paperShape", "RP"},
          {"paperForm", "DL"},
          {"formDetectionType", "W"},
          {"formGap", "72"},
          {"sideMargin", "60"},
          {"rightMargin", "300"}},
         "Internal (Roll)",
         "Die-cut label (gap detection)",
         {{"numericFormGap", 3.0, 0.12}, {"numericSideMargin", 2.5, 0.10}},
         {"numericSideMargin"},
         "Left & Right Gap:",
         [](MainFrame& w) {
             QVERIFY(choose(mediaList(w, "selectFormDetectionType"),
                            "Continuous paper (no detection)"));
         },
         {{"paperSource", "IR"},
          {"paperShape", "RP"},
          {"paperForm", "CP"},
          {"formDetectionType", "N"},
          {"formGap", "72"},
          {"sideMargin", "60"},
          {"rightMargin", "60"},
          {"edgeHole", "0"}},
         "://images/DetectType_GAP.png",
         "://images/DetectType_NoDetect.png"},
        {"RV-C2000 wristband to die-cut: the gap moves into the new range",
         "c2000",
         {{"paperSource", "IR"},
          {"paperShape", "RP"},
          {"paperForm", "WB"},
          {"formDetectionType", "M"},
          {"formGap", "30"},
          {"sideMargin", "100"}},
         "Internal (Roll)",
         "Wristband (black mark detection)",
         {{"numericFormGap", 1.3, 0.05}},
         {},
         "",
         [](MainFrame& w) {
             QVERIFY(
                 choose(mediaList(w, "selectFormDetectionType"), "Die-cut label (gap detection)"));
         },
         {{"paperSource", "IR"},
          {"paperShape", "RP"},
          {"paperForm", "DL"},
          {"formDetectionType", "W"},
          {"formGap", "48"},
          {"sideMargin", "47"}},
         "://images/DetectType_BM.png",
         "://images/DetectType_GAP.png"},
        {"RV-C2000 continuous paper: no side margin",
         "c2000",
         {{"paperSource", "ER"},
          {"paperShape", "FP"},
          {"paperForm", "CP"},
          {"formDetectionType", "N"},
          {"formGap", "20"},
          {"sideMargin", "100"}},
         "Rear Feed (Fanfold)",
         "Continuous paper (no detection)",
         {{"numericFormGap", 0.8, 0.03}},
         {},
         "",
         nullptr,
         {{"paperSource", "ER"},
          {"paperShape", "FP"},
          {"paperForm", "CP"},
          {"formDetectionType", "N"},
          {"formGap", "20"},
          {"sideMargin", "0"}},
         "://images/DetectType_NoDetect.png",
         "://images/DetectType_NoDetect.png"},
        {"RV-D5000 peeler, side gap changed",
         "d5510p",
         {{"paperSource", "ER"},
          {"formDetectionType", "N"},
          {"formGap", "10"},
          {"sideMargin", "60"}},
         "Rear Feed",
         "Continuous label (no detection)",
         {{"numericFormGap", 0.4, 0.02}, {"numericSideMargin", 2.5, 0.10}},
         {"numericSideMargin"},
         "Left & Right Gap:",
         [](MainFrame& w) { mediaBox(w, "numericSideMargin")->setValue(imperial() ? 0.12 : 3.0); },
         {{"paperSource", "ER"},
          {"formDetectionType", "N"},
          {"formGap", "10"},
          {"sideMargin", imperial() ? "72" : "71"}},
         "://images/DetectType_NoDetect.png",
         "://images/DetectType_NoDetect.png"},
        {"RV-D5000 cutter, gap detection to none",
         "d5500a",
         {{"paperSource", "ER"},
          {"formDetectionType", "W"},
          {"formGap", "142"},
          {"sideMargin", "142"}},
         "Rear Feed",
         "Die-cut label (gap detection)",
         {{"numericFormGap", 6.0, 0.24}, {"numericSideMargin", 6.0, 0.24}},
         {"numericSideMargin"},
         "Left & Right Gap:",
         [](MainFrame& w) {
             QVERIFY(choose(mediaList(w, "selectFormDetectionType"),
                            "Continuous label (no detection)"));
         },
         {{"paperSource", "ER"},
          {"formDetectionType", "N"},
          {"formGap", "142"},
          {"sideMargin", "142"}},
         "://images/DetectType_GAP.png",
         "://images/DetectType_NoDetect.png"},
        {"RV-C5000 black mark: the first item of that key",
         "c5020a",
         {{"paperSource", "IR"},
          {"formDetectionType", "M"},
          {"formGap", "100"},
          {"sideMargin", "47"}},
         "Internal",
         "Die-cut label (black mark detection)",
         {{"numericFormGap", 4.2, 0.17}, {"numericSideMargin", 2.0, 0.08}},
         {"numericSideMargin"},
         "Left & Right Gap:",
         [](MainFrame& w) { mediaBox(w, "numericFormGap")->setValue(imperial() ? 0.14 : 3.5); },
         {{"paperSource", "IR"},
          {"formDetectionType", "M"},
          {"formGap", imperial() ? "84" : "83"},
          {"sideMargin", "47"}},
         "://images/DetectType_BM.png",
         "://images/DetectType_BM.png"},
        {"RV-C5000 peeler, source changed",
         "c5000p",
         {{"paperSource", "IR"},
          {"formDetectionType", "N"},
          {"formGap", "0"},
          {"sideMargin", "100"}},
         "Internal",
         "Continuous label (no detection)",
         {{"numericFormGap", 0.0, 0.0}, {"numericSideMargin", 4.2, 0.17}},
         {"numericSideMargin"},
         "Left & Right Gap:",
         [](MainFrame& w) { QVERIFY(choose(mediaList(w, "selectPaperSource"), "Rear Feed")); },
         {{"paperSource", "ER"},
          {"formDetectionType", "N"},
          {"formGap", "0"},
          {"sideMargin", "100"}},
         "://images/DetectType_NoDetect.png",
         "://images/DetectType_NoDetect.png"},
    };
    return cases;
}

} // namespace

void SettingsChain::mediaPageReadsAndWritesEachFamily_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < mediaCases().size(); ++i)
        QTest::newRow(mediaCases()[i].name) << static_cast<int>(i);
}

void SettingsChain::mediaPageReadsAndWritesEachFamily() {
    QFETCH(int, row);
    const MediaCase& c = mediaCases()[row];
    store(c.queue, c.stored);

    std::unique_ptr<MainFrame> w = openPage(c.queue, MediaEntry);
    QVERIFY(w);
    QCOMPARE(pageShown(*w), QString("PaperSetting1"));
    QCOMPARE(mediaList(*w, "selectPaperSource")->currentText(), QString(c.sourceText));
    QCOMPARE(mediaList(*w, "selectFormDetectionType")->currentText(), QString(c.formText));
    for (const Shown& shown : c.shown)
        QCOMPARE(mediaBox(*w, shown.box)->value(), inUnit(shown));
    for (const char* box : {"numericSideMargin", "numericRightMargin", "numericEdgetoHole"}) {
        bool visible = false;
        for (const char* expected : c.visibleRows)
            visible = visible || std::string(expected) == box;
        QVERIFY2(mediaBox(*w, box)->isHidden() != visible, box);
    }
    if (!c.visibleRows.empty())
        QCOMPARE(widgetOf<QLabel>(*w, "PaperSetting1", "labelSideMargin")->text(),
                 QString(c.sideCaption));
    auto* picture = widgetOf<QLabel>(*w, "PaperSetting1", "labelFormDetectionTypeImage");
    QVERIFY2(showsPicture(picture, c.picture), c.picture);
    saveScreenshot(*w, QString("PaperSetting1-%1").arg(c.queue));

    if (c.edit)
        c.edit(*w);
    QVERIFY2(showsPicture(picture, c.pictureAfterEdit), c.pictureAfterEdit);
    QVERIFY(control().clearLog(c.queue));
    QVERIFY(press(*w, "PaperSetting1", "btnSend"));
    QCOMPARE(pageShown(*w), QString("PaperSetting2"));
    for (const Stored& s : c.expected)
        QCOMPARE(QString::fromStdString(control().setting(c.queue, s.key)), QString(s.value));
    QVERIFY(press(*w, "PaperSetting2", "btnFinish"));
    QCOMPARE(pageShown(*w), QString("Startup"));
}

// ---------------------------------------------------------------------------------------------
// Fields the user leaves alone

namespace {

struct UntouchedCase {
    const char* name;
    const char* queue;
    std::vector<Stored> stored;
    Entry entry;
    Shown shown;
    std::vector<Stored> expected; // the stored values that change on Apply
};

const std::vector<UntouchedCase>& untouchedCases() {
    static const std::vector<UntouchedCase> cases = {
        // Values whose rounded display converts to other dots.
        {"gap of 46 dots",
         "d5500a",
         {{"formDetectionType", "N"}, {"formGap", "46"}},
         MediaEntry,
         {"numericFormGap", 1.9, 0.08},
         {{"formGap", "46"}}},
        {"stop position of 500 dots",
         "c9000",
         {{"peelPositionB", "500"}},
         AfterPrintingEntry,
         {"numericPeelPositionB", 21.2, 0.83},
         {{"peelPositionB", "500"}}},
        {"peeler print start of 10 dots",
         "d5510p",
         {{"printPositionH", "10"}},
         PeelerEntry,
         {"numericPrintPositionH", 0.4, 0.02},
         {{"printPositionH", "10"}}},
        {"cutter print start of 13 dots",
         "c2000",
         {{"printPositionH", "13"}},
         CutterEntry,
         {"numericPrintPositionH", 0.6, 0.02},
         {{"printPositionH", "13"}}},
        {"cut position of -100 dots",
         "c5020a",
         {{"cutPosition", "-100"}},
         CutterEntry,
         {"numericCutPosition", -4.2, -0.167},
         {{"cutPosition", "-100"}}},
        {"RV-C9000 cut position at its lower limit",
         "c9000",
         {{"cutPosition", "-472"}},
         CutterEntry,
         {"numericCutPosition", -20.0, -0.787},
         {{"cutPosition", "-472"}}},
        {"peel position of -25 dots",
         "c5000p",
         {{"peelPositionB", "-25"}},
         PeelerEntry,
         {"numericPeelPositionB", -1.1, -0.042},
         {{"peelPositionB", "-25"}}},
        // Values the printer holds outside the field's range: shown clamped, sent clamped.
        {"RV-C9000 gap below the form's minimum",
         "c9000",
         {{"paperForm", "DL"}, {"formDetectionType", "W"}, {"formGap", "24"}},
         MediaEntry,
         {"numericFormGap", 3.0, 0.12},
         {{"formGap", "72"}}},
        {"RV-D5000 gap below the gap-detection minimum",
         "d5500a",
         {{"formDetectionType", "W"}, {"formGap", "24"}},
         MediaEntry,
         {"numericFormGap", 2.0, 0.08},
         {{"formGap", "48"}}},
        {"RV-C9000 side gap above the die-cut maximum",
         "c9000",
         {{"paperForm", "DL"}, {"formDetectionType", "W"}, {"sideMargin", "300"}},
         MediaEntry,
         {"numericSideMargin", 6.0, 0.24},
         {{"sideMargin", "142"}, {"rightMargin", "142"}}},
    };
    return cases;
}

} // namespace

void SettingsChain::untouchedFieldsSendTheDotsRead_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < untouchedCases().size(); ++i)
        QTest::newRow(untouchedCases()[i].name) << static_cast<int>(i);
}

void SettingsChain::untouchedFieldsSendTheDotsRead() {
    QFETCH(int, row);
    const UntouchedCase& c = untouchedCases()[row];
    store(c.queue, c.stored);
    std::map<std::string, std::string> before = storedSettings(control(), c.queue);

    std::unique_ptr<MainFrame> w = openPage(c.queue, c.entry);
    QVERIFY(w);
    QCOMPARE(pageShown(*w), QString(c.entry.page));
    QCOMPARE(widgetOf<QDoubleSpinBox>(*w, c.entry.page, c.shown.box)->value(), inUnit(c.shown));

    QVERIFY(control().clearLog(c.queue));
    QVERIFY(press(*w, c.entry.page, "btnSend"));
    QVERIFY2(pageShown(*w).endsWith("2"), qPrintable(pageShown(*w)));

    // Every other setting is as it was; this one is the printer's own value, or that value
    // clamped into the field's range.
    for (const Stored& changed : c.expected)
        before[changed.key] = changed.value;
    const std::map<std::string, std::string> after = storedSettings(control(), c.queue);
    for (const auto& [key, value] : before)
        QCOMPARE(QString::fromStdString(key + "=" + after.at(key)),
                 QString::fromStdString(key + "=" + value));
}

// Every page of a printer opened and applied without a change: the printer keeps every value,
// also those whose rounded display converts to other dots (13, 46, 101, 299, 500, 1001 dots).

namespace {

struct RoundTripCase {
    const char* queue;
    std::vector<Stored> stored;
    std::vector<Entry> pages;
};

const std::vector<RoundTripCase>& roundTripCases() {
    static const std::vector<RoundTripCase> cases = {
        {"c9000",
         {{"paperSource", "ER"},
          {"paperShape", "FP"},
          {"paperForm", "TG"},
          {"formDetectionType", "H"},
          {"formGap", "101"},
          {"sideMargin", "299"},
          {"rightMargin", "46"},
          {"edgeHole", "1001"},
          {"cutPosition", "-101"},
          {"printPositionV", "46"},
          {"printPositionH", "13"},
          {"peelPositionB", "500"},
          {"head_mediaClearanceHeight", "2"},
          {"incomplete_labelTreatment", "Y"}},
         {MediaEntry, CutterEntry, AfterPrintingEntry, PrinterSettingEntry}},
        {"c2000",
         {{"paperForm", "DL"},
          {"formDetectionType", "W"},
          {"formGap", "101"},
          {"sideMargin", "47"},
          {"cutPosition", "101"},
          {"printPositionV", "46"},
          {"printPositionH", "13"}},
         {MediaEntry, CutterEntry}},
        {"d5510p",
         {{"paperSource", "ER"},
          {"formDetectionType", "N"},
          {"formGap", "46"},
          {"sideMargin", "101"},
          {"printPositionH", "-13"},
          {"printPositionV", "-101"},
          {"peelPositionA", "13"},
          {"peelPositionB", "-46"}},
         {MediaEntry, PeelerEntry}},
        {"d5500a",
         {{"formDetectionType", "W"},
          {"formGap", "101"},
          {"sideMargin", "101"},
          {"cutPosition", "-13"},
          {"printPositionV", "101"},
          {"printPositionH", "46"}},
         {MediaEntry, CutterEntry}},
        {"c5020a",
         {{"paperSource", "ER"},
          {"formDetectionType", "M"},
          {"formGap", "101"},
          {"sideMargin", "46"},
          {"cutPosition", "46"},
          {"printPositionV", "-46"},
          {"printPositionH", "-13"}},
         {MediaEntry, CutterEntry}},
        {"c5000p",
         {{"formDetectionType", "N"},
          {"formGap", "13"},
          {"sideMargin", "101"},
          {"printPositionH", "46"},
          {"printPositionV", "13"},
          {"peelPositionA", "-101"},
          {"peelPositionB", "101"}},
         {MediaEntry, PeelerEntry}},
    };
    return cases;
}

} // namespace

void SettingsChain::applyingEveryPageUntouchedKeepsEverySetting_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < roundTripCases().size(); ++i)
        QTest::newRow(roundTripCases()[i].queue) << static_cast<int>(i);
}

void SettingsChain::applyingEveryPageUntouchedKeepsEverySetting() {
    QFETCH(int, row);
    const RoundTripCase& c = roundTripCases()[row];
    store(c.queue, c.stored);
    const std::map<std::string, std::string> before = storedSettings(control(), c.queue);
    std::unique_ptr<MainFrame> w = chain->openWindow(c.queue);
    QVERIFY(w);
    for (const Entry& entry : c.pages) {
        QVERIFY(press(*w, "Startup", entry.startButton));
        QCOMPARE(pageShown(*w), QString(entry.page));
        QVERIFY(control().clearLog(c.queue));
        QVERIFY(press(*w, entry.page, "btnSend"));
        // A narrow gap read from the printer asks first.
        if (pageShown(*w) == "PaperSetting3")
            QVERIFY(press(*w, "PaperSetting3", "btnSend"));
        const QString done = pageShown(*w);
        QVERIFY2(done.endsWith("2"), qPrintable(done));
        // Each page did write: an unchanged printer is no accident of nothing sent.
        QVERIFY2(!settingWrites(control().log(c.queue)).empty(), entry.page);
        QVERIFY(press(*w, qPrintable(done), "btnFinish"));
    }
    const std::map<std::string, std::string> after = storedSettings(control(), c.queue);
    for (const auto& [key, value] : before)
        QCOMPARE(QString::fromStdString(key + "=" + after.at(key)),
                 QString::fromStdString(key + "=" + value));
}

// ---------------------------------------------------------------------------------------------
// Fields the user changes

namespace {

struct ChangedCase {
    const char* name;
    const char* queue;
    std::vector<Stored> stored;
    Entry entry;
    const char* box;
    double mm;
    double in;
    const char* key;
    const char* expected;
};

const std::vector<ChangedCase>& changedCases() {
    static const std::vector<ChangedCase> cases = {
        {"RV-C9000 gap set to the shown minimum",
         "c9000",
         {{"paperForm", "DL"}, {"formDetectionType", "W"}, {"formGap", "100"}},
         MediaEntry,
         "numericFormGap",
         3.0,
         0.12,
         "formGap",
         "72"},
        {"RV-C2000 print start set to the shown maximum",
         "c2000",
         {},
         CutterEntry,
         "numericPrintPositionH",
         1.5,
         0.06,
         "printPositionH",
         imperial() ? "36" : "35"},
        {"stop position set to a value of its own",
         "c9000",
         {{"peelPositionB", "0"}},
         AfterPrintingEntry,
         "numericPeelPositionB",
         21.2,
         0.83,
         "peelPositionB",
         imperial() ? "498" : "501"},
        {"stop position set to the maximum",
         "c9000",
         {},
         AfterPrintingEntry,
         "numericPeelPositionB",
         50.0,
         1.97,
         "peelPositionB",
         "1181"},
    };
    return cases;
}

} // namespace

void SettingsChain::changedFieldsSendTheirValueInsideTheRange_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < changedCases().size(); ++i)
        QTest::newRow(changedCases()[i].name) << static_cast<int>(i);
}

void SettingsChain::changedFieldsSendTheirValueInsideTheRange() {
    QFETCH(int, row);
    const ChangedCase& c = changedCases()[row];
    store(c.queue, c.stored);
    std::unique_ptr<MainFrame> w = openPage(c.queue, c.entry);
    QVERIFY(w);
    QCOMPARE(pageShown(*w), QString(c.entry.page));
    auto* box = widgetOf<QDoubleSpinBox>(*w, c.entry.page, c.box);
    box->setValue(imperial() ? c.in : c.mm);
    QCOMPARE(box->value(), imperial() ? c.in : c.mm);
    QVERIFY(press(*w, c.entry.page, "btnSend"));
    QVERIFY2(pageShown(*w).endsWith("2"), qPrintable(pageShown(*w)));
    QCOMPARE(QString::fromStdString(control().setting(c.queue, c.key)), QString(c.expected));
}

// ---------------------------------------------------------------------------------------------
// The warning before a narrow left or right gap

namespace {

struct WarningCase {
    const char* name;
    const char* queue;
    std::vector<Stored> stored;
    std::function<void(MainFrame&)> edit;
    bool warns;
    std::vector<Stored> expected;
};

const std::vector<WarningCase>& warningCases() {
    const auto setSide = [](double mm, double in) {
        return [mm, in](MainFrame& w) {
            mediaBox(w, "numericSideMargin")->setValue(imperial() ? in : mm);
        };
    };
    static const std::vector<WarningCase> cases = {
        {"RV-C9000 continuous paper, 1.9 mm entered",
         "c9000",
         {{"paperForm", "CP"}, {"formDetectionType", "N"}, {"sideMargin", "100"}},
         setSide(1.9, 0.07),
         true,
         {{"sideMargin", imperial() ? "42" : "45"}, {"rightMargin", imperial() ? "42" : "45"}}},
        {"RV-C9000 46 dots read and left alone",
         "c9000",
         {{"paperForm", "CP"}, {"formDetectionType", "N"}, {"sideMargin", "46"}},
         nullptr,
         true,
         {{"sideMargin", "46"}, {"rightMargin", "46"}}},
        {"RV-C9000 47 dots read and left alone",
         "c9000",
         {{"paperForm", "CP"}, {"formDetectionType", "N"}, {"sideMargin", "47"}},
         nullptr,
         false,
         {{"sideMargin", "47"}, {"rightMargin", "47"}}},
        {"RV-C9000 tag, right gap alone narrow",
         "c9000",
         {{"paperForm", "TG"},
          {"formDetectionType", "H"},
          {"sideMargin", "71"},
          {"rightMargin", "24"}},
         nullptr,
         true,
         {{"sideMargin", "71"}, {"rightMargin", "24"}}},
        {"RV-C9000 tag, left gap alone narrow",
         "c9000",
         {{"paperForm", "TG"},
          {"formDetectionType", "H"},
          {"sideMargin", "24"},
          {"rightMargin", "71"}},
         nullptr,
         true,
         {{"sideMargin", "24"}, {"rightMargin", "71"}}},
        {"RV-C5000 2.0 mm",
         "c5020a",
         {{"sideMargin", "47"}},
         nullptr,
         false,
         {{"sideMargin", "47"}}},
        {"RV-D5000 46 dots",
         "d5510p",
         {{"sideMargin", "46"}},
         nullptr,
         true,
         {{"sideMargin", "46"}}},
        {"RV-D5000 no gap at all",
         "d5500a",
         {{"sideMargin", "0"}},
         nullptr,
         true,
         {{"sideMargin", "0"}}},
        {"RV-C2000 never warns: its margin follows the form",
         "c2000",
         {{"paperForm", "CL"}, {"formDetectionType", "N"}, {"sideMargin", "0"}},
         nullptr,
         false,
         {{"sideMargin", "47"}}},
    };
    return cases;
}

} // namespace

void SettingsChain::narrowGapWarning_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < warningCases().size(); ++i)
        QTest::newRow(warningCases()[i].name) << static_cast<int>(i);
}

void SettingsChain::narrowGapWarning() {
    QFETCH(int, row);
    const WarningCase& c = warningCases()[row];
    store(c.queue, c.stored);
    std::unique_ptr<MainFrame> w = openPage(c.queue, MediaEntry);
    QVERIFY(w);
    QCOMPARE(pageShown(*w), QString("PaperSetting1"));
    if (c.edit)
        c.edit(*w);
    QVERIFY(control().clearLog(c.queue));

    QVERIFY(press(*w, "PaperSetting1", "btnSend"));
    if (c.warns) {
        QCOMPARE(pageShown(*w), QString("PaperSetting3"));
        QVERIFY2(settingWrites(control().log(c.queue)).empty(),
                 qPrintable(joined(control().log(c.queue))));
        QVERIFY(press(*w, "PaperSetting3", "btnSend"));
    }
    QCOMPARE(pageShown(*w), QString("PaperSetting2"));
    for (const Stored& s : c.expected)
        QCOMPARE(QString::fromStdString(control().setting(c.queue, s.key)), QString(s.value));
}

void SettingsChain::warningCancelReturnsToTheEditPageUnchanged() {
    store("c9000", {{"paperForm", "CP"}, {"formDetectionType", "N"}, {"sideMargin", "100"}});
    const std::map<std::string, std::string> before = storedSettings(control(), "c9000");
    std::unique_ptr<MainFrame> w = openPage("c9000", MediaEntry);
    QVERIFY(w);
    const double narrow = imperial() ? 0.07 : 1.9;
    mediaBox(*w, "numericSideMargin")->setValue(narrow);
    QVERIFY(control().clearLog("c9000"));

    QVERIFY(press(*w, "PaperSetting1", "btnSend"));
    QCOMPARE(pageShown(*w), QString("PaperSetting3"));
    QVERIFY(press(*w, "PaperSetting3", "btnCancel"));
    QCOMPARE(pageShown(*w), QString("PaperSetting1"));
    QCOMPARE(mediaBox(*w, "numericSideMargin")->value(), narrow);
    QCOMPARE(mediaList(*w, "selectFormDetectionType")->currentText(),
             QString("Continuous paper (no detection)"));
    QVERIFY(settingWrites(control().log("c9000")).empty());
    QCOMPARE(storedSettings(control(), "c9000"), before);
}

// ---------------------------------------------------------------------------------------------
// Position adjustment

namespace {

struct PositionCase {
    const char* name;
    const char* queue;
    Entry entry;
    std::vector<Stored> stored;
    std::vector<Shown> shown;
    const char* box; // the field changed
    double mm;
    double in;
    std::vector<Stored> expected;
};

const std::vector<PositionCase>& positionCases() {
    static const std::vector<PositionCase> cases = {
        {"RV-C9000 cutter",
         "c9000",
         CutterEntry,
         {{"printPositionH", "10"}, {"printPositionV", "-20"}, {"cutPosition", "-472"}},
         {{"numericPrintPositionH", 0.4, 0.02},
          {"numericPrintPositionV", -0.8, -0.03},
          {"numericCutPosition", -20.0, -0.787}},
         "numericPrintPositionH",
         1.0,
         0.04,
         {{"printPositionH", "24"}, {"printPositionV", "-20"}, {"cutPosition", "-472"}}},
        {"RV-C2000 cutter",
         "c2000",
         CutterEntry,
         {{"printPositionH", "-36"}, {"printPositionV", "40"}, {"cutPosition", "255"}},
         {{"numericPrintPositionH", -1.5, -0.06},
          {"numericPrintPositionV", 1.7, 0.07},
          {"numericCutPosition", 10.8, 0.425}},
         "numericCutPosition",
         -5.0,
         -0.197,
         {{"printPositionH", "-36"}, {"printPositionV", "40"}, {"cutPosition", "-118"}}},
        {"RV-D5000 cutter",
         "d5500a",
         CutterEntry,
         {{"printPositionH", "47"}, {"printPositionV", "0"}, {"cutPosition", "0"}},
         {{"numericPrintPositionH", 2.0, 0.08},
          {"numericPrintPositionV", 0.0, 0.0},
          {"numericCutPosition", 0.0, 0.0}},
         "numericPrintPositionV",
         1.0,
         0.04,
         {{"printPositionH", "47"}, {"printPositionV", "24"}, {"cutPosition", "0"}}},
        {"RV-C5000 cutter",
         "c5020a",
         CutterEntry,
         {{"printPositionH", "-47"}, {"cutPosition", "100"}},
         {{"numericPrintPositionH", -2.0, -0.08}, {"numericCutPosition", 4.2, 0.167}},
         nullptr,
         0,
         0,
         {{"printPositionH", "-47"}, {"printPositionV", "0"}, {"cutPosition", "100"}}},
        {"RV-D5000 peeler",
         "d5510p",
         PeelerEntry,
         {{"printPositionH", "10"},
          {"printPositionV", "-100"},
          {"peelPositionA", "255"},
          {"peelPositionB", "-255"}},
         {{"numericPrintPositionH", 0.4, 0.02},
          {"numericPrintPositionV", -4.2, -0.17},
          {"numericPeelPositionA", 10.8, 0.425},
          {"numericPeelPositionB", -10.8, -0.425}},
         "numericPeelPositionA",
         5.0,
         0.197,
         {{"printPositionH", "10"},
          {"printPositionV", "-100"},
          {"peelPositionA", "118"},
          {"peelPositionB", "-255"}}},
        {"RV-C5000 peeler",
         "c5000p",
         PeelerEntry,
         {},
         {{"numericPeelPositionB", 0.0, 0.0}},
         "numericPeelPositionB",
         -2.0,
         -0.079,
         {{"printPositionH", "0"},
          {"printPositionV", "0"},
          {"peelPositionA", "0"},
          {"peelPositionB", "-47"}}},
    };
    return cases;
}

} // namespace

void SettingsChain::positionPageOfEachVariant_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < positionCases().size(); ++i)
        QTest::newRow(positionCases()[i].name) << static_cast<int>(i);
}

void SettingsChain::positionPageOfEachVariant() {
    QFETCH(int, row);
    const PositionCase& c = positionCases()[row];
    store(c.queue, c.stored);
    std::unique_ptr<MainFrame> w = openPage(c.queue, c.entry);
    QVERIFY(w);
    QCOMPARE(pageShown(*w), QString(c.entry.page));
    for (const Shown& shown : c.shown)
        QCOMPARE(widgetOf<QDoubleSpinBox>(*w, c.entry.page, shown.box)->value(), inUnit(shown));
    saveScreenshot(*w, QString("%1-%2").arg(c.entry.page, c.queue));
    if (c.box)
        widgetOf<QDoubleSpinBox>(*w, c.entry.page, c.box)->setValue(imperial() ? c.in : c.mm);

    QVERIFY(press(*w, c.entry.page, "btnSend"));
    QCOMPARE(pageShown(*w), QString("GeometrySetting2"));
    for (const Stored& s : c.expected)
        QCOMPARE(QString::fromStdString(control().setting(c.queue, s.key)), QString(s.value));
    QVERIFY(press(*w, "GeometrySetting2", "btnFinish"));
    QCOMPARE(pageShown(*w), QString("Startup"));
}

// ---------------------------------------------------------------------------------------------
// After printing and printer setting (RV-C9000)

void SettingsChain::afterPrintingAndPrinterSetting() {
    store("c9000", {{"peelPositionB", "1181"},
                    {"head_mediaClearanceHeight", "3"},
                    {"incomplete_labelTreatment", "N"}});
    const std::map<std::string, std::string> before = storedSettings(control(), "c9000");

    std::unique_ptr<MainFrame> w = openPage("c9000", AfterPrintingEntry);
    QVERIFY(w);
    QCOMPARE(pageShown(*w), QString("AfterPrinting1"));
    auto* stop = widgetOf<QDoubleSpinBox>(*w, "AfterPrinting1", "numericPeelPositionB");
    QCOMPARE(stop->value(), imperial() ? 1.97 : 50.0);
    QVERIFY(press(*w, "AfterPrinting1", "btnSend"));
    QCOMPARE(pageShown(*w), QString("AfterPrinting2"));
    QVERIFY(press(*w, "AfterPrinting2", "btnFinish"));

    QVERIFY(press(*w, "Startup", PrinterSettingEntry.startButton));
    QCOMPARE(pageShown(*w), QString("PrinterSetting1"));
    auto* height = widgetOf<QComboBox>(*w, "PrinterSetting1", "selectHeadMediaClearanceHeight");
    auto* treatment = widgetOf<QComboBox>(*w, "PrinterSetting1", "selectIncompleteLabelTreatment");
    QCOMPARE(height->currentText(), QString("3"));
    QCOMPARE(treatment->currentText(), QString("Do not Cut"));
    QVERIFY(control().clearLog("c9000"));
    QVERIFY(press(*w, "PrinterSetting1", "btnSend"));
    QCOMPARE(pageShown(*w), QString("PrinterSetting2"));
    // Unchanged pages write back what the printer held.
    QCOMPARE(storedSettings(control(), "c9000"), before);
    QVERIFY(countOf(control().log("c9000"), "^S(CMF,G,3") == 1);
    QVERIFY(countOf(control().log("c9000"), "^S(CWR,C,N") == 1);

    QVERIFY(press(*w, "PrinterSetting2", "btnFinish"));
    QVERIFY(press(*w, "Startup", PrinterSettingEntry.startButton));
    QVERIFY(choose(height, "1"));
    QVERIFY(choose(treatment, "Cut"));
    QVERIFY(press(*w, "PrinterSetting1", "btnSend"));
    QCOMPARE(QString::fromStdString(control().setting("c9000", "head_mediaClearanceHeight")),
             QString("1"));
    QCOMPARE(QString::fromStdString(control().setting("c9000", "incomplete_labelTreatment")),
             QString("Y"));
}

// ---------------------------------------------------------------------------------------------
// Wizards

namespace {

const char* const AllQueues[] = {"c9000", "c2000", "d5510p", "d5500a", "c5020a", "c5000p"};

} // namespace

void SettingsChain::wizardSendsItsCommandOnce_data() {
    QTest::addColumn<int>("wizard");
    QTest::addColumn<QString>("queue");
    for (const char* queue : AllQueues) {
        for (int i = 0; i < 3; ++i)
            QTest::newRow(QByteArray(Wizards[i].name).append(", ").append(queue).constData())
                << i << QString(queue);
    }
}

void SettingsChain::wizardSendsItsCommandOnce() {
    QFETCH(int, wizard);
    QFETCH(QString, queue);
    const Wizard& wz = Wizards[wizard];
    const std::string printer = queue.toStdString();
    std::unique_ptr<MainFrame> w = chain->openWindow(printer);
    QVERIFY(w);
    QVERIFY(press(*w, "Startup", wz.startButton));
    QCOMPARE(pageShown(*w), QString(wz.page));
    if (wz.checkBox)
        widgetOf<QCheckBox>(*w, wz.page, wz.checkBox)->setChecked(true);
    QVERIFY(control().clearLog(printer));

    QVERIFY(press(*w, wz.page, wz.action));
    QCOMPARE(pageShown(*w), QString(wz.next));
    const std::vector<std::string> log = control().log(printer);
    QVERIFY2(countOf(log, wz.command) == 1, qPrintable(joined(log)));
    QVERIFY2(functionCommands(log) == 1, qPrintable(joined(log)));
}

void SettingsChain::powerCleaningNeedsConsentEachTime() {
    std::unique_ptr<MainFrame> w = chain->openWindow("c5020a");
    QVERIFY(w);
    auto* consent = widgetOf<QCheckBox>(*w, "PowerInkFlushing1", "checkStart");
    auto* execute = widgetOf<QPushButton>(*w, "PowerInkFlushing1", "btnStart");
    QVERIFY(press(*w, "Startup", "btnPowerInkFlushing"));
    QCOMPARE(pageShown(*w), QString("PowerInkFlushing1"));
    QVERIFY(!consent->isChecked());
    QVERIFY(!execute->isEnabled());
    // A press without consent sends nothing.
    QVERIFY(control().clearLog("c5020a"));
    QVERIFY(!press(*w, "PowerInkFlushing1", "btnStart"));
    QTest::mouseClick(execute, Qt::LeftButton);
    QCOMPARE(pageShown(*w), QString("PowerInkFlushing1"));
    QCOMPARE(functionCommands(control().log("c5020a")), 0);

    QTest::mouseClick(consent, Qt::LeftButton);
    QVERIFY(consent->isChecked());
    QVERIFY(execute->isEnabled());
    QTest::mouseClick(consent, Qt::LeftButton);
    QVERIFY(!execute->isEnabled());
    QTest::mouseClick(consent, Qt::LeftButton);
    QVERIFY(press(*w, "PowerInkFlushing1", "btnCancel"));
    QCOMPARE(pageShown(*w), QString("Startup"));

    // Entering again asks again.
    QVERIFY(press(*w, "Startup", "btnPowerInkFlushing"));
    QVERIFY(!consent->isChecked());
    QVERIFY(!execute->isEnabled());
    QCOMPARE(functionCommands(control().log("c5020a")), 0);
}

// ---------------------------------------------------------------------------------------------
// Steps that find the printer busy or in error

namespace {

struct PrinterState {
    const char* name;
    std::vector<Stored> fields; // emulator status fields
};

const PrinterState BusyStates[] = {
    {"printing", {{"state", "SP"}}},
    {"in error", {{"state", "ER"}, {"error", "CR"}}},
};

struct Step {
    const char* name;
    const char* queue;
    Entry from;            // the page the step starts on, reached from the start page
    const char* checkBox;  // ticked first, or null
    const char* button;    // the step's button on that page
    const char* forbidden; // log prefix of what the step must not send
};

const std::vector<Step>& guardedSteps() {
    static const std::vector<Step> steps = {
        {"nozzle check", "d5510p", {"btnNozzleCheck", "NozzleCheck1"}, nullptr, "btnPrint", "~W("},
        {"head cleaning",
         "c2000",
         {"btnHeadCleaning", "HeadCleaning1"},
         nullptr,
         "btnStart",
         "~J("},
        {"power cleaning",
         "c9000",
         {"btnPowerInkFlushing", "PowerInkFlushing1"},
         "checkStart",
         "btnStart",
         "~J("},
        {"media read", "c5020a", {nullptr, "Startup"}, nullptr, "btnPaperSetting", "~H(CLS"},
        {"media write", "d5500a", MediaEntry, nullptr, "btnSend", "^S(CLM"},
        {"position read", "c5000p", {nullptr, "Startup"}, nullptr, "btnGeometrySetting", "~H(CLE"},
        {"position write", "c9000", CutterEntry, nullptr, "btnSend", "^S(CLE"},
        {"after printing write", "c9000", AfterPrintingEntry, nullptr, "btnSend", "^S(CMQ"},
        {"printer setting read",
         "c9000",
         {nullptr, "Startup"},
         nullptr,
         "btnPrinterSetting",
         "~H(CMF"},
    };
    return steps;
}

} // namespace

void SettingsChain::stepsRefuseWhilePrintingOrInError_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("state");
    for (std::size_t i = 0; i < guardedSteps().size(); ++i) {
        for (int s = 0; s < 2; ++s)
            QTest::newRow(QByteArray(guardedSteps()[i].name)
                              .append(" while ")
                              .append(BusyStates[s].name)
                              .constData())
                << static_cast<int>(i) << s;
    }
}

void SettingsChain::stepsRefuseWhilePrintingOrInError() {
    QFETCH(int, step);
    QFETCH(int, state);
    const Step& s = guardedSteps()[step];
    std::unique_ptr<MainFrame> w = chain->openWindow(s.queue);
    QVERIFY(w);
    if (s.from.startButton)
        QVERIFY(press(*w, "Startup", s.from.startButton));
    QCOMPARE(pageShown(*w), QString(s.from.page));
    if (s.checkBox)
        widgetOf<QCheckBox>(*w, s.from.page, s.checkBox)->setChecked(true);

    for (const Stored& field : BusyStates[state].fields)
        QVERIFY(control().set(s.queue, field.key, field.value));
    QVERIFY(control().clearLog(s.queue));
    QVERIFY(press(*w, s.from.page, s.button));

    QCOMPARE(pageShown(*w), QString("STM"));
    const std::vector<std::string> log = control().log(s.queue);
    QVERIFY2(countStartingWith(log, s.forbidden) == 0, qPrintable(joined(log)));
    QVERIFY2(settingWrites(log).empty(), qPrintable(joined(log)));
    QVERIFY(MainFrameTestAccess::lastStatusGroup(*w) != Warning &&
            MainFrameTestAccess::lastStatusGroup(*w) != Others);
    QVERIFY(press(*w, "STM", "btnBack"));
    QCOMPARE(pageShown(*w), QString(s.from.page));
}

// ---------------------------------------------------------------------------------------------
// A tool run that fails: the printer answers the status read, then is gone

void SettingsChain::failedToolRunShowsCommunicationError_data() {
    QTest::addColumn<int>("step");
    for (std::size_t i = 0; i < guardedSteps().size(); ++i)
        QTest::newRow(guardedSteps()[i].name) << static_cast<int>(i);
}

void SettingsChain::failedToolRunShowsCommunicationError() {
    QFETCH(int, step);
    const Step& s = guardedSteps()[step];
    // The relayed printer is an RV-C9000 cutter; the cutter page stands for the position step.
    std::unique_ptr<MainFrame> w = chain->openWindow(ChainBed::RelayQueue);
    QVERIFY(w);
    if (s.from.startButton) {
        if (std::string(s.from.page) == "GeometrySetting1P")
            QSKIP("the relayed printer has no peeler page");
        QVERIFY(press(*w, "Startup", s.from.startButton));
    }
    QCOMPARE(pageShown(*w), QString(s.from.page));
    if (s.checkBox)
        widgetOf<QCheckBox>(*w, s.from.page, s.checkBox)->setChecked(true);
    // The media check reads once more before it writes: let the status read of the write
    // through as well, so that the write is the run that fails.
    const int runsThatReachThePrinter =
        std::string(s.button) == "btnSend" && std::string(s.from.page) == "PaperSetting1" ? 3 : 1;
    QVERIFY(control().clearLog(ChainBed::RelayedPrinter));
    chain->relay().allow(runsThatReachThePrinter);
    QVERIFY(press(*w, s.from.page, s.button));

    QCOMPARE(pageShown(*w), QString("STM"));
    QCOMPARE(MainFrameTestAccess::lastStatusGroup(*w), 0);
    QCOMPARE(widgetOf<QTextEdit>(*w, "STM", "textPrinterStatusAbstract")->toPlainText(),
             QString("Communication error"));
    const std::vector<std::string> log = control().log(ChainBed::RelayedPrinter);
    QVERIFY2(countStartingWith(log, s.forbidden) == 0, qPrintable(joined(log)));
    QVERIFY2(settingWrites(log).empty(), qPrintable(joined(log)));

    // The page stays behind the status monitor.
    chain->relay().allow(1 << 30);
    QVERIFY(press(*w, "STM", "btnBack"));
    QCOMPARE(pageShown(*w), QString(s.from.page));
}

QTEST_MAIN(SettingsChain)
#include "tst_settings_chain.moc"
