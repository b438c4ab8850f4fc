// SPDX-License-Identifier: Apache-2.0
// The window adapting itself to the printer of the selected queue: model captions, functions,
// status pictures, option lists with their packed keys, ranges in the locale's unit, ink names
// and columns. The printers are scripted by a stand-in tarn.
#include "StatusTestSupport.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLocale>
#include <QPushButton>
#include <QTest>

namespace {

int packed(const char* value) {
    int key = 0;
    for (const char* c = value; *c; ++c)
        key = (key << 8) | static_cast<unsigned char>(*c);
    return key;
}

QStringList itemsOf(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        const int key = box->itemData(i, Qt::UserRole).toInt();
        QString text;
        for (int shift = 16; shift >= 0; shift -= 8) {
            if (const int c = (key >> shift) & 0xFF)
                text += QChar(c);
        }
        items << box->itemText(i) + "=" + text;
        if (packed(text.toLatin1().constData()) != key)
            items << "not a packed key";
    }
    return items;
}

StandInPrinter printerWithID(const char* deviceID, const char* inkK = "IC-1BK",
                             const char* layout = "KCMY") {
    return {nullptr, deviceID, "CUTTER", inkK, "MB-9", layout};
}

// Pages that carry the model caption, and those that keep their own.
const char* const captionedPages[] = {"STM",
                                      "NozzleCheck1",
                                      "NozzleCheck2",
                                      "HeadCleaning1",
                                      "HeadCleaning2",
                                      "HeadCleaning3",
                                      "PowerInkFlushing1",
                                      "PowerInkFlushing2",
                                      "PowerInkFlushing3",
                                      "PaperSetting1",
                                      "PaperSetting2",
                                      "PaperSetting3",
                                      "AfterPrinting1",
                                      "AfterPrinting2",
                                      "PrinterSetting1",
                                      "PrinterSetting2",
                                      "GeometrySetting1A",
                                      "GeometrySetting1P",
                                      "GeometrySetting2"};

const QStringList sources3 = {"Internal (Roll)=RIR", "Rear Feed (Fanfold)=FER",
                              "Rear Feed (Roll)=RER"};
const QStringList sources2 = {"Internal=IR", "Rear Feed=ER"};
const QStringList formTexts = {
    "Die-cut label (gap detection)",           "Die-cut label (black mark detection)",
    "Continuous label (black mark detection)", "Continuous label (no detection)",
    "Continuous paper (black mark detection)", "Continuous paper (no detection)"};
const QStringList formPictures6 = {
    "://images/DetectType_GAP.png", "://images/DetectType_BM.png",
    "://images/DetectType_BM.png",  "://images/DetectType_NoDetect.png",
    "://images/DetectType_BM.png",  "://images/DetectType_NoDetect.png"};

QStringList formsWith(const QStringList& keys, const QString& seventh = QString()) {
    QStringList forms;
    for (int i = 0; i < 6; ++i)
        forms << formTexts[i] + "=" + keys[i];
    if (!seventh.isEmpty())
        forms << seventh;
    return forms;
}

QStringList statusPictures(const QString& pattern) {
    const char* indices[12] = {"01",  "03", "04", "05", "06", "07",
                               "8,9", "10", "11", "12", "13", "14"};
    QStringList list;
    for (const char* index : indices)
        list << QString("://images/") + pattern.arg(index) + ".png";
    return list;
}

QStringList rv2000Pictures() {
    QStringList list = statusPictures("status_RV2000_%1");
    list[6] = "://images/status_RV2000_06.png";
    return list;
}

QStringList rv9000Pictures() {
    const QString idle = "://images/status_RV9000_03_12_13_14.png";
    const QString error = "://images/status_RV9000_04_05_06_07_10_11.png";
    return {"://images/status_RV9000_01.png",
            idle,
            error,
            error,
            error,
            error,
            error,
            error,
            error,
            idle,
            idle,
            idle};
}

bool metric() {
    return QLocale::system().measurementSystem() == QLocale::MetricSystem;
}

struct Field {
    const char* page;
    const char* box;
    const char* unit;
    const char* range;
};

const Field cutterV{"GeometrySetting1A", "numericPrintPositionV", "labelPrintPositionVUnit",
                    "labelPrintPositionVRange"};
const Field cutterH{"GeometrySetting1A", "numericPrintPositionH", "labelPrintPositionHUnit",
                    "labelPrintPositionHRange"};
const Field cut{"GeometrySetting1A", "numericCutPosition", "labelCutPositionUnit",
                "labelCutPositionRange"};
const Field peelA{"GeometrySetting1P", "numericPeelPositionA", "labelPeelPositionAUnit",
                  "labelPeelPositionRange"};
const Field peelB{"GeometrySetting1P", "numericPeelPositionB", "labelPeelPositionBUnit",
                  "labelPeelPositionRange"};
const Field peelerV{"GeometrySetting1P", "numericPrintPositionV", "labelPrintPositionVUnit",
                    "labelPrintPositionVRange"};
const Field peelerH{"GeometrySetting1P", "numericPrintPositionH", "labelPrintPositionHUnit",
                    "labelPrintPositionHRange"};
const Field formGap{"PaperSetting1", "numericFormGap", "labelFormGapUnit", "labelFormGapRange"};
const Field sideMargin{"PaperSetting1", "numericSideMargin", "labelSideMarginUnit",
                       "labelSideMarginRange"};
const Field rightMargin{"PaperSetting1", "numericRightMargin", "labelRightMarginUnit",
                        "labelRightMarginRange"};
const Field edgeHole{"PaperSetting1", "numericEdgetoHole", "labelEdgetoHoleUnit",
                     "labelEdgetoHoleRange"};
const Field afterPeelB{"AfterPrinting1", "numericPeelPositionB", "labelPeelPositionBUnit",
                       "labelPeelPositionBRange"};

// The range a field shows: "unit caption min max decimals step".
QString rangeOf(MainFrame& w, const Field& f) {
    auto* box = widget<QDoubleSpinBox>(w, f.page, f.box);
    auto* unit = widget<QLabel>(w, f.page, f.unit);
    auto* range = widget<QLabel>(w, f.page, f.range);
    if (!box || !unit || !range)
        return QString("missing widget of ") + f.box;
    return QString("%1 %2 %3 %4 %5 %6")
        .arg(unit->text(), range->text())
        .arg(box->minimum())
        .arg(box->maximum())
        .arg(box->decimals())
        .arg(box->singleStep());
}

} // namespace

Q_DECLARE_METATYPE(StandInPrinter)

class ModelCapabilitiesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SKIP_IF_TOOL_INSTALLED(); }

    void family_data();
    void family();
    void familyRanges_data();
    void familyRanges();
    void rangesOfAnEarlierPrinterDoNotStay();
    void inkNamesAndColumns_data();
    void inkNamesAndColumns();
    void failedOptionReadLeavesNoEarlierPrinter();
    void emptyPrinterList();
    void lengthConversions_data();
    void lengthConversions();
    void imperialRanges_data();
    void imperialRanges();
    void imperialConversions();
};

void ModelCapabilitiesTest::family_data() {
    QTest::addColumn<StandInPrinter>("printer");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("afterPrinting");
    QTest::addColumn<QStringList>("pictures");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<QStringList>("forms");
    QTest::addColumn<QStringList>("formPictures");
    QTest::addColumn<QStringList>("clearance");
    QTest::addColumn<QStringList>("incomplete");

    const QStringList keys3 = {"DLW", "DLM", "CLM", "CLN", "CPM", "CPN"};
    const QStringList keys1 = {"W", "M", "M", "N", "M", "N"};
    QStringList tagPictures = formPictures6;
    tagPictures << "://images/DetectType_Tag.png";
    QStringList wristbandPictures = formPictures6;
    wristbandPictures << "://images/DetectType_BM.png";
    const QStringList defaults = statusPictures("status_%1");
    const QStringList dPictures = statusPictures("status_%1D");

    QTest::newRow("RV-C9000") << printerWithID("MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;")
                              << "RV-C9000" << true << rv9000Pictures() << sources3
                              << formsWith(keys3, "Tag (hole detection)=TGH") << tagPictures
                              << QStringList{"1=1", "2=2", "3=3", "4=4"}
                              << QStringList{"Cut=Y", "Do not Cut=N"};
    QTest::newRow("RV-C9050P") << printerWithID("MFG:VARDA;MDL:RV-C9050P;CLS:PRINTER;")
                               << "RV-C9050P" << true << rv9000Pictures() << sources3
                               << formsWith(keys3, "Tag (hole detection)=TGH") << tagPictures
                               << QStringList{"1=1", "2=2", "3=3", "4=4"}
                               << QStringList{"Cut=Y", "Do not Cut=N"};
    QTest::newRow("RV-C2000") << printerWithID("MFG:VARDA;MDL:RV-C2000;CMD:VLCL;CLS:PRINTER;")
                              << "RV-C2000" << false << rv2000Pictures() << sources3
                              << formsWith(keys3, "Wristband (black mark detection)=WBM")
                              << wristbandPictures << QStringList() << QStringList();
    QTest::newRow("RV-D5510P") << printerWithID("MFG:VARDA;MDL:RV-D5510P;CMD:VLCL;CLS:PRINTER;")
                               << "RV-D5510P" << false << dPictures << sources2 << formsWith(keys1)
                               << formPictures6 << QStringList() << QStringList();
    QTest::newRow("RV-D5000AP two-letter suffix")
        << printerWithID("MFG:VARDA;MDL:RV-D5000AP;X") << "RV-D5000AP" << false << dPictures
        << sources2 << formsWith(keys1) << formPictures6 << QStringList() << QStringList();
    // Without the suffix the D model matches no family: the lists are the same, the pictures
    // are those without the D.
    QTest::newRow("RV-D5510 without suffix")
        << printerWithID("MFG:VARDA;MDL:RV-D5510;CMD:VLCL;CLS:PRINTER;") << "RV-D5510" << false
        << defaults << sources2 << formsWith(keys1) << formPictures6 << QStringList()
        << QStringList();
    QTest::newRow("RV-C5020A") << printerWithID("MFG:VARDA;MDL:RV-C5020A;CMD:VLCL;CLS:PRINTER;")
                               << "RV-C5020A" << false << defaults << sources2 << formsWith(keys1)
                               << formPictures6 << QStringList() << QStringList();
    QTest::newRow("other maker") << printerWithID("MFG:OTHER;MDL:RV-C9000;CLS:PRINTER;")
                                 << "RV-C9000" << false << defaults << sources2 << formsWith(keys1)
                                 << formPictures6 << QStringList() << QStringList();
    QTest::newRow("no MDL field") << printerWithID("MFG:VARDA;CMD:VLCL;CLS:PRINTER;")
                                  << "Unknown model name" << false << defaults << sources2
                                  << formsWith(keys1) << formPictures6 << QStringList()
                                  << QStringList();
    QTest::newRow("empty device ID")
        << printerWithID("") << "Unknown model name" << false << defaults << sources2
        << formsWith(keys1) << formPictures6 << QStringList() << QStringList();
}

void ModelCapabilitiesTest::family() {
    QFETCH(StandInPrinter, printer);
    QFETCH(QString, caption);
    QFETCH(bool, afterPrinting);
    QFETCH(QStringList, pictures);
    QFETCH(QStringList, sources);
    QFETCH(QStringList, forms);
    QFETCH(QStringList, formPictures);
    QFETCH(QStringList, clearance);
    QFETCH(QStringList, incomplete);
    StandInBed bed(printer, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);

    for (const char* name : captionedPages)
        QCOMPARE(widget<QLabel>(*w, name, "labelDeviceName")->text(), caption);
    // The alignment pages keep their own caption.
    QCOMPARE(widget<QLabel>(*w, "BidAdjust1", "labelDeviceName")->text(), QString("RV-C5020A"));

    for (const char* name :
         {"btnAfterPrinting", "btnPrinterSetting", "labelAfterPrinting", "labelPrinterSetting"})
        QCOMPARE(!widget<QWidget>(*w, "Startup", name)->isHidden(), afterPrinting);

    QCOMPARE(MainFrameTestAccess::statusImages(*w).items(), pictures);
    QVERIFY(showsPicture(widget<QLabel>(*w, "STM", "iconSelectedPrinter"), pictures[0]));

    QCOMPARE(itemsOf(widget<QComboBox>(*w, "PaperSetting1", "selectPaperSource")), sources);
    QCOMPARE(itemsOf(widget<QComboBox>(*w, "PaperSetting1", "selectFormDetectionType")), forms);
    QCOMPARE(MainFrameTestAccess::formImages(*w).items(), formPictures);
    QVERIFY(showsPicture(widget<QLabel>(*w, "PaperSetting1", "labelFormDetectionTypeImage"),
                         "://images/DetectType_NoDetect.png"));
    QCOMPARE(widget<QLabel>(*w, "PaperSetting1", "labelFormDetectionType")->text(),
             QString("Media form (detection)"));
    QCOMPARE(widget<QLabel>(*w, "PaperSetting1", "labelFormGap")->text(),
             QString("Gap between labels:"));
    QCOMPARE(itemsOf(widget<QComboBox>(*w, "PrinterSetting1", "selectHeadMediaClearanceHeight")),
             clearance);
    QCOMPARE(itemsOf(widget<QComboBox>(*w, "PrinterSetting1", "selectIncompleteLabelTreatment")),
             incomplete);
}

void ModelCapabilitiesTest::familyRanges_data() {
    QTest::addColumn<StandInPrinter>("printer");
    QTest::addColumn<QStringList>("ranges"); // the twelve fields in start-up order
    const QString cut255 = "mm (-10.8 - 10.8) -10.8 10.8 1 0.1";
    const QString v258 = "mm (-10.9 - 10.9) -10.9 10.9 1 0.1";
    const QString h36 = "mm (-1.5 - 1.5) -1.5 1.5 1 0.1";
    const QString h47 = "mm (-2.0 - 2.0) -2 2 1 0.1";
    const QString gap = "mm (0.0 - 6.0) 0 6 1 0.1";
    const QString right = "mm (0.0 - 30.0) 0 30 1 0.1";
    const QString edge = "mm (0.0 - 153.0) 0 153 1 0.1";
    const QString stop = "mm (0.0 - 50.0) 0 50 1 0.1";
    // The start-up ranges, with what the family narrows.
    QTest::newRow("RV-C5020A") << printerWithID("MFG:VARDA;MDL:RV-C5020A;CLS:PRINTER;")
                               << QStringList{cut255, v258, h47, cut255, cut255, v258,
                                              h47,    gap,  gap, right,  edge,   stop};
    QTest::newRow("RV-D5510P") << printerWithID("MFG:VARDA;MDL:RV-D5510P;CLS:PRINTER;")
                               << QStringList{cut255, v258, h47, cut255, cut255, v258,
                                              h47,    gap,  gap, right,  edge,   stop};
    QTest::newRow("RV-C2000") << printerWithID("MFG:VARDA;MDL:RV-C2000;CLS:PRINTER;")
                              << QStringList{cut255, v258, h36, cut255, cut255, v258,
                                             h36,    gap,  gap, right,  edge,   stop};
    QTest::newRow("RV-C9000") << printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;")
                              << QStringList{"mm (-20.0 - 1.5) -20 1.5 1 0.1",
                                             h47,
                                             "mm (-1.0 - 1.0) -1 1 1 0.1",
                                             cut255,
                                             cut255,
                                             v258,
                                             h36,
                                             gap,
                                             gap,
                                             right,
                                             edge,
                                             stop};
}

void ModelCapabilitiesTest::familyRanges() {
    if (!metric())
        QSKIP("needs a metric locale");
    QFETCH(StandInPrinter, printer);
    QFETCH(QStringList, ranges);
    StandInBed bed(printer, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    const Field* fields[] = {&cut,     &cutterV, &cutterH,    &peelA,       &peelB,    &peelerV,
                             &peelerH, &formGap, &sideMargin, &rightMargin, &edgeHole, &afterPeelB};
    QStringList shown;
    for (const Field* f : fields)
        shown << rangeOf(*w, *f);
    // peelA and peelB share one caption: the last range written (peel B) shows there.
    QCOMPARE(shown, ranges);
}

void ModelCapabilitiesTest::rangesOfAnEarlierPrinterDoNotStay() {
    if (!metric())
        QSKIP("needs a metric locale");
    StandInBed bed(printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;"), statusLines(600, 6),
                   "destination: q1\ndestination: q2\n");
    bed.tool.setHook(
        QString("case \" $* \" in\n  *\" -p q2 \"*\"-o deviceOption \"*) printf "
                "'%1'; exit 0 ;;\nesac\n")
            .arg(deviceOptionLines(printerWithID("MFG:VARDA;MDL:RV-C2000;CLS:PRINTER;"), "q2")));
    auto w = bed.open();
    QVERIFY(w);
    QCOMPARE(rangeOf(*w, cutterV), QString("mm (-2.0 - 2.0) -2 2 1 0.1"));
    widget<QComboBox>(*w, "Startup", "selectPrintQueue")->setCurrentIndex(1);
    QCOMPARE(widget<QLabel>(*w, "STM", "labelDeviceName")->text(), QString("RV-C2000"));
    // Only the 9000 series sets its own vertical print start: the RV-C2000 gets the common
    // range again, not the narrower one of the printer selected before.
    QCOMPARE(rangeOf(*w, cutterV), QString("mm (-10.9 - 10.9) -10.9 10.9 1 0.1"));
    QCOMPARE(rangeOf(*w, cutterH), QString("mm (-1.5 - 1.5) -1.5 1.5 1 0.1"));
    QCOMPARE(rangeOf(*w, cut), QString("mm (-10.8 - 10.8) -10.8 10.8 1 0.1"));
    QVERIFY(widget<QWidget>(*w, "Startup", "btnAfterPrinting")->isHidden());
}

void ModelCapabilitiesTest::inkNamesAndColumns_data() {
    QTest::addColumn<QString>("inkK");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("black");
    QTest::addColumn<QStringList>("columns"); // colour gauges of columns 1 to 3
    const QStringList mcy = {"barInkM", "barInkC", "barInkY"};
    const QStringList ymc = {"barInkY", "barInkM", "barInkC"};
    QTest::newRow("black, KCMY") << "IC-55BK"
                                 << "KCMY"
                                 << "Black" << mcy;
    QTest::newRow("matte black, KYMC") << "IC-55MK"
                                       << "KYMC"
                                       << "Matte Black" << ymc;
    QTest::newRow("just MK") << "MK"
                             << "KYMC"
                             << "Black" << ymc;
    QTest::newRow("N/A") << "N/A"
                         << ""
                         << "Black" << mcy;
    QTest::newRow("lower-case mk") << "IC-55mk"
                                   << "kymc"
                                   << "Black" << mcy;
}

void ModelCapabilitiesTest::inkNamesAndColumns() {
    QFETCH(QString, inkK);
    QFETCH(QString, layout);
    QFETCH(QString, black);
    QFETCH(QStringList, columns);
    const QByteArray k = inkK.toUtf8(), l = layout.toUtf8();
    // Start from the other order, so every row must move the columns.
    const char* otherLayout = columns.first() == "barInkY" ? "KCMY" : "KYMC";
    StandInBed bed(printerWithID("MFG:VARDA;MDL:RV-C5020A;CLS:PRINTER;", "IC-1BK", otherLayout),
                   statusLines(600, 6), "destination: q1\ndestination: q2\n");
    StandInPrinter second =
        printerWithID("MFG:VARDA;MDL:RV-C5020A;CLS:PRINTER;", k.constData(), l.constData());
    bed.tool.setHook(
        QString("case \" $* \" in\n  *\" -p q2 \"*\"-o deviceOption \"*) printf '%1'; exit 0 "
                ";;\nesac\n")
            .arg(deviceOptionLines(second, "q2")));
    auto w = bed.open();
    QVERIFY(w);
    widget<QComboBox>(*w, "Startup", "selectPrintQueue")->setCurrentIndex(1);

    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkColorNameK")->text(), black);
    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkNameK")->text(), inkK);
    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkNameC")->text(), QString("IC-C"));
    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkNameM")->text(), QString("IC-M"));
    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkNameY")->text(), QString("IC-Y"));
    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkNameMN")->text(), QString("MB-9"));

    auto* grid = widget<QGridLayout>(*w, "STM", "gridLayout");
    QVERIFY(grid);
    auto cellOf = [&](const char* name) {
        int row = -1, column = -1, rows = 0, columnsSpan = 0;
        const int index = grid->indexOf(widget<QWidget>(*w, "STM", name));
        if (index < 0)
            return QString("not in the grid");
        grid->getItemPosition(index, &row, &column, &rows, &columnsSpan);
        const bool centred = grid->itemAt(index)->alignment() & Qt::AlignHCenter;
        return QString("%1,%2%3").arg(row).arg(column).arg(centred ? "" : " not centred");
    };
    QCOMPARE(cellOf("barInkK"), QString("0,0"));
    for (int column = 1; column <= 3; ++column) {
        const QString letter = columns[column - 1].right(1);
        const QByteArray gauge = ("barInk" + letter).toLatin1();
        const QByteArray colour = ("labelInkColorName" + letter).toLatin1();
        const QByteArray part = ("labelInkName" + letter).toLatin1();
        QCOMPARE(cellOf(gauge.constData()), QString("0,%1").arg(column));
        QCOMPARE(cellOf(colour.constData()), QString("1,%1").arg(column));
        QCOMPARE(cellOf(part.constData()), QString("2,%1").arg(column));
    }
}

void ModelCapabilitiesTest::failedOptionReadLeavesNoEarlierPrinter() {
    StandInBed bed(printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;", "IC-90MK", "KYMC"),
                   statusLines(600, 6), "destination: q1\ndestination: q2\n");
    bed.tool.setHook("case \" $* \" in\n  *\" -p q2 \"*\"-o deviceOption \"*) echo ERROR; exit 0 "
                     ";;\nesac\n");
    auto w = bed.open();
    QVERIFY(w);
    const QStringList pictures = MainFrameTestAccess::statusImages(*w).items();
    QVERIFY(!itemsOf(widget<QComboBox>(*w, "PaperSetting1", "selectPaperSource")).isEmpty());
    const QString cutRange = rangeOf(*w, cut);
    widget<QComboBox>(*w, "Startup", "selectPrintQueue")->setCurrentIndex(1);
    QCOMPARE(MainFrameTestAccess::queueName(*w), std::string("q2"));
    QCOMPARE(widget<QLabel>(*w, "STM", "labelDeviceName")->text(), QString("RV-C9000"));
    QCOMPARE(MainFrameTestAccess::statusImages(*w).items(), pictures);
    // Nothing of the earlier printer serves the queue now: no lists, the start-up ranges.
    QVERIFY(itemsOf(widget<QComboBox>(*w, "PaperSetting1", "selectPaperSource")).isEmpty());
    QVERIFY(rangeOf(*w, cut) != cutRange);
    QCOMPARE(MainFrameTestAccess::deviceOption(*w), std::string());
    QCOMPARE(widget<QLabel>(*w, "STM", "labelInkColorNameK")->text(), QString("Matte Black"));
    QVERIFY(!widget<QWidget>(*w, "Startup", "btnAfterPrinting")->isHidden());
    bool result = true;
    QVERIFY(QMetaObject::invokeMethod(w.get(), "updatePrinterOption", Q_RETURN_ARG(bool, result)));
    QVERIFY(!result);
}

void ModelCapabilitiesTest::emptyPrinterList() {
    StandInBed bed(printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;"), statusLines(600, 6), "");
    // The tool asked without a queue answers with its usage text only.
    bed.tool.setReply(StandInTool::Run::Options, usageWithFunctions);
    MessageBoxCloser closer;
    MainFrame w;
    QVERIFY(closer.seen());
    for (const char* name : captionedPages)
        QCOMPARE(widget<QLabel>(w, name, "labelDeviceName")->text(), QString("Unknown model name"));
    QCOMPARE(itemsOf(widget<QComboBox>(w, "PaperSetting1", "selectPaperSource")),
             (QStringList{"Internal=IR", "Rear Feed=ER"}));
    QCOMPARE(MainFrameTestAccess::statusImages(w).items(), statusPictures("status_%1"));
    QCOMPARE(widget<QLabel>(w, "STM", "labelInkNameC")->text(), QString());
    QCOMPARE(widget<QLabel>(w, "STM", "labelInkColorNameK")->text(), QString("Black"));
    auto* grid = widget<QGridLayout>(w, "STM", "gridLayout");
    int row, column, rs, cs;
    const char* order[] = {"barInkM", "barInkC", "barInkY"};
    for (int i = 0; i < 3; ++i) {
        grid->getItemPosition(grid->indexOf(widget<QWidget>(w, "STM", order[i])), &row, &column,
                              &rs, &cs);
        QCOMPARE(column, i + 1);
    }
}

void ModelCapabilitiesTest::lengthConversions_data() {
    QTest::addColumn<int>("dots");
    QTest::addColumn<double>("length");
    QTest::addColumn<int>("back");
    QTest::newRow("47") << 47 << 2.0 << 47;
    // 46 dots show as 1.9 mm, which is 45 dots.
    QTest::newRow("46") << 46 << 1.9 << 45;
    QTest::newRow("-46") << -46 << -1.9 << -45;
    QTest::newRow("0") << 0 << 0.0 << 0;
    QTest::newRow("-472") << -472 << -20.0 << -472;
    QTest::newRow("7228") << 7228 << 306.0 << 7228;
}

void ModelCapabilitiesTest::lengthConversions() {
    if (!metric())
        QSKIP("needs a metric locale");
    QFETCH(int, dots);
    QFETCH(double, length);
    QFETCH(int, back);
    StandInBed bed(printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;"), statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    double shown = -1;
    int written = -1;
    QVERIFY(QMetaObject::invokeMethod(w.get(), "Dot2Len", Q_RETURN_ARG(double, shown),
                                      Q_ARG(int, dots)));
    QVERIFY(QMetaObject::invokeMethod(w.get(), "Len2Dot", Q_RETURN_ARG(int, written),
                                      Q_ARG(double, shown)));
    QCOMPARE(shown, length);
    QCOMPARE(written, back);
}

void ModelCapabilitiesTest::imperialRanges_data() {
    QTest::addColumn<StandInPrinter>("printer");
    QTest::addColumn<QStringList>("ranges"); // cut, form gap, peel stop, cutter H
    QTest::newRow("RV-C9000") << printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;")
                              << QStringList{"in (-0.787 - 0.058) -0.787 0.058 3 0.001",
                                             "in (0.00 - 0.24) 0 0.24 2 0.01",
                                             "in (0.00 - 1.97) 0 1.97 2 0.01",
                                             "in (-0.04 - 0.04) -0.04 0.04 2 0.01"};
    QTest::newRow("RV-C5020A") << printerWithID("MFG:VARDA;MDL:RV-C5020A;CLS:PRINTER;")
                               << QStringList{"in (-0.425 - 0.425) -0.425 0.425 3 0.001",
                                              "in (0.00 - 0.24) 0 0.24 2 0.01",
                                              "in (0.00 - 1.97) 0 1.97 2 0.01",
                                              "in (-0.08 - 0.08) -0.08 0.08 2 0.01"};
}

void ModelCapabilitiesTest::imperialRanges() {
    if (metric())
        QSKIP("needs an imperial locale (run with LC_ALL=en_US.UTF-8)");
    QFETCH(StandInPrinter, printer);
    QFETCH(QStringList, ranges);
    StandInBed bed(printer, statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    // Two decimals in the caption, though the conversion rounds to three.
    QCOMPARE((QStringList{rangeOf(*w, cut), rangeOf(*w, formGap), rangeOf(*w, afterPeelB),
                          rangeOf(*w, cutterH)}),
             ranges);
}

void ModelCapabilitiesTest::imperialConversions() {
    if (metric())
        QSKIP("needs an imperial locale (run with LC_ALL=en_US.UTF-8)");
    StandInBed bed(printerWithID("MFG:VARDA;MDL:RV-C9000;CLS:PRINTER;"), statusLines(600, 6));
    auto w = bed.open();
    QVERIFY(w);
    const struct {
        int dots;
        double inches;
        int back;
    } cases[] = {{47, 0.078, 47}, {-47, -0.078, -47}, {600, 1.0, 600}, {142, 0.237, 142}};
    for (const auto& c : cases) {
        double shown = -1;
        int written = -1;
        QVERIFY(QMetaObject::invokeMethod(w.get(), "Dot2Len", Q_RETURN_ARG(double, shown),
                                          Q_ARG(int, c.dots)));
        QVERIFY(QMetaObject::invokeMethod(w.get(), "Len2Dot", Q_RETURN_ARG(int, written),
                                          Q_ARG(double, shown)));
        QCOMPARE(shown, c.inches);
        QCOMPARE(written, c.back);
    }
}

QTEST_MAIN(ModelCapabilitiesTest)
#include "tst_model_capabilities.moc"
