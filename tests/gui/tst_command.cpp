// SPDX-License-Identifier: Apache-2.0
// The tool bridge against a scripted stand-in ./tarn: command lines, reply parsing, conversions
// and the failure paths of every printer operation.
#include "GuiTestSupport.h"

#include "Command.h"
#include "RunFlags.h"

#include <QCursor>
#include <QGuiApplication>
#include <QtTest>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

const std::string Queue = "Q 1";

// One printer operation as the tests call it: the options it must pass and its failure line.
struct Operation {
    const char* name;
    std::function<bool(Command&)> run;
    const char* options;
    const char* failure;
    StandInTool::Run kind;
};

std::vector<Operation> operations() {
    using Run = StandInTool::Run;
    return {
        {"readDeviceOption",
         [](Command& c) {
             std::string a, b, k, cc, m, y, mn, l;
             return c.readDeviceOption(Queue, a, b, k, cc, m, y, mn, l);
         },
         "-o deviceOption -o deviceID -o inkNameK -o inkNameC -o inkNameM -o inkNameY -o "
         "inkNameMN -o inkCartridgeLayout",
         "readDeviceOption() FAILED", Run::Options},
        {"readStatus",
         [](Command& c) {
             StatusDetail d;
             StatusGroup g;
             std::vector<int> inks;
             InkStatus s[5];
             InkAmount a[5];
             return c.readStatus(Queue, d, g, inks, s[0], a[0], s[1], a[1], s[2], a[2], s[3], a[3],
                                 s[4], a[4]);
         },
         "-o status -o statusGroup -o inksOfErrorReason -o inkK -o inkC -o inkM -o inkY -o inkMN",
         "readStatus() FAILED", Run::Status},
        {"readPaperSource",
         [](Command& c) {
             std::string id;
             int v[8];
             return c.readPaperSource(Queue, id, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
         },
         "-o deviceID -o paperSource -o paperShape -o paperForm -o formDetectionType -o formGap "
         "-o sideMargin -o rightMargin -o edgeHole",
         "readPaperSource() FAILED", Run::Options},
        {"readPrintPositionAdjustmentA",
         [](Command& c) {
             int h, v, cut;
             return c.readPrintPositionAdjustmentA(Queue, h, v, cut);
         },
         "-o printPositionH -o printPositionV -o cutPosition",
         "readPrintPositionAdjustmentA() FAILED", Run::Options},
        {"readPrintPositionAdjustmentP",
         [](Command& c) {
             int h, v, a, b;
             return c.readPrintPositionAdjustmentP(Queue, h, v, a, b);
         },
         "-o printPositionH -o printPositionV -o peelPositionA -o peelPositionB",
         "readPrintPositionAdjustmentP() FAILED", Run::Options},
        {"readAfterPrinting",
         [](Command& c) {
             int b;
             return c.readAfterPrinting(Queue, b);
         },
         "-o peelPositionB", "readAfterPrinting() FAILED", Run::Options},
        {"readPrinterSetting",
         [](Command& c) {
             int h, t;
             return c.readPrinterSetting(Queue, h, t);
         },
         "-o head_mediaClearanceHeight -o incomplete_labelTreatment", "readPrinterSetting() FAILED",
         Run::Options},
        {"printNozzleCheckPattern", [](Command& c) { return c.printNozzleCheckPattern(Queue); },
         "-f printNozzleCheck", "printNozzleCheckPattern() FAILED", Run::Function},
        {"doHeadCleaning A", [](Command& c) { return c.doHeadCleaning(Queue, 'A'); },
         "-f startCleaningHead=A", "doHeadCleaning('A') FAILED", Run::Function},
        {"doHeadCleaning H", [](Command& c) { return c.doHeadCleaning(Queue, 'H'); },
         "-f startCleaningHead=H", "doHeadCleaning('H') FAILED", Run::Function},
        {"writePaperSource",
         [](Command& c) { return c.writePaperSource(Queue, 80, 'R', 0x444C, 'W', 0, 24); },
         "-o paperSource=P -o paperShape=R -o paperForm=DL -o formDetectionType=W -o formGap=0 "
         "-o sideMargin=24",
         "writePaperSource() FAILED", Run::Options},
        {"writePaperSource_9000",
         [](Command& c) {
             return c.writePaperSource_9000(Queue, 0x4952, 'F', 0x434C, 'M', 72, 12, -30, 3614);
         },
         "-o paperSource=IR -o paperShape=F -o paperForm=CL -o formDetectionType=M -o formGap=72 "
         "-o sideMargin=12 -o rightMargin=-30 -o edgeHole=3614",
         "writePaperSource_9000() FAILED", Run::Options},
        {"writePrintPositionAdjustmentA",
         [](Command& c) { return c.writePrintPositionAdjustmentA(Queue, -24, 47, -472); },
         "-o printPositionH=-24 -o printPositionV=47 -o cutPosition=-472",
         "writePrintPositionAdjustmentA() FAILED", Run::Options},
        {"writePrintPositionAdjustmentP",
         [](Command& c) { return c.writePrintPositionAdjustmentP(Queue, 36, -36, -255, 1181); },
         "-o printPositionH=36 -o printPositionV=-36 -o peelPositionA=-255 -o peelPositionB=1181",
         "writePrintPositionAdjustmentP() FAILED", Run::Options},
        {"writeAfterPrinting",
         [](Command& c) {
             int peel = 500;
             return c.writeAfterPrinting(Queue, peel) && peel == 500;
         },
         "-o peelPositionB=500", "writeAfterPrinting() FAILED", Run::Options},
        {"writePrinterSetting", [](Command& c) { return c.writePrinterSetting(Queue, '3', 'N'); },
         "-o head_mediaClearanceHeight=3 -o incomplete_labelTreatment=N",
         "writePrinterSetting() FAILED", Run::Options},
    };
}

// The lines the tool prints for the keys a write sets: each value read back as it was sent.
QString readBackOf(const QString& options) {
    QString lines;
    const QStringList words = options.split(' ', Qt::SkipEmptyParts);
    for (int i = 1; i < words.size(); ++i) {
        const int equals = words[i].indexOf('=');
        if (words[i - 1] == "-o" && equals > 0)
            lines += words[i].left(equals) + ": " + words[i].mid(equals + 1) + "\n";
    }
    return lines;
}

} // namespace

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        SKIP_IF_TOOL_INSTALLED();
        verbose = false;
        dryrun = false;
    }
    void cleanup() {
        verbose = false;
        dryrun = false;
    }

    void operationPassesItsExactOptions() {
        for (const Operation& op : operations()) {
            ScratchDir scratch;
            StandInTool tool(scratch);
            // A write is confirmed by the values the tool reads back.
            tool.setReply(StandInTool::Run::Options, readBackOf(op.options));
            Command command;
            StreamCapture out(1);
            const bool ok = op.run(command);
            const QString printed = out.text();
            QVERIFY2(ok, op.name);
            QCOMPARE(tool.calls(), QStringList{"[-p][Q 1]" + bracketed(op.options)});
            // The echo shows the command line as the shell gets it, the queue quoted.
            QVERIFY2(printed.contains(QString("call \"./tarn -p 'Q 1' %1\"\n").arg(op.options)),
                     qPrintable(printed));
            QVERIFY2(!printed.contains("FAILED"), op.name);
        }
    }

    void writeFailsWhenAValueReadsBackOtherwise() {
        for (const Operation& op : operations()) {
            const QString readBack = readBackOf(op.options);
            if (readBack.isEmpty())
                continue; // a read or a function: nothing to confirm
            // The last value read back differs, or is missing altogether.
            QStringList lines = readBack.split('\n', Qt::SkipEmptyParts);
            const QString last = lines.takeLast();
            const QString key = last.left(last.indexOf(": "));
            for (const QString& reply :
                 {lines.join('\n') + '\n' + key + ": 9Z\n", lines.join('\n') + '\n' + key + ": \n",
                  lines.join('\n') + '\n'}) {
                ScratchDir scratch;
                StandInTool tool(scratch);
                tool.setReply(StandInTool::Run::Options, reply);
                Command command;
                StreamCapture out(1);
                const bool ok = op.run(command);
                const QString printed = out.text();
                QVERIFY2(!ok, op.name);
                QVERIFY2(printed.endsWith(QString(op.failure) + "\n"), qPrintable(printed));
                QCOMPARE(command.settingsNotTaken(), std::vector<std::string>{key.toStdString()});
            }
        }
    }

    void operationFailsOnErrorLine() {
        for (const Operation& op : operations()) {
            ScratchDir scratch;
            StandInTool tool(scratch);
            tool.setReplyForAll("destination: Q 1\nERROR\n");
            Command command;
            StreamCapture out(1);
            const bool ok = op.run(command);
            const QString printed = out.text();
            QVERIFY2(!ok, op.name);
            QVERIFY2(printed.endsWith(QString(op.failure) + "\n"), qPrintable(printed));
            QCOMPARE(printed.count("FAILED"), 1);
        }
    }

    void unknownCleaningKindStartsNothing() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        Command command;
        StreamCapture out(1);
        QVERIFY(!command.doHeadCleaning(Queue, 'X'));
        QCOMPARE(out.text(), QString("doHeadCleaning('X') FAILED\n"));
        QVERIFY(tool.calls().isEmpty());
    }

    void replyLinesBecomeEntries_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("key and value") << "paperSource: P\n"
                                       << true << "paperSource"
                                       << "P";
        QTest::newRow("empty value") << "formGap: \n"
                                     << true << "formGap"
                                     << "";
        QTest::newRow("no separator") << "dryrun mode\n"
                                      << true << "dryrun mode"
                                      << "";
        QTest::newRow("second separator stays in value") << "a: b: c\n"
                                                         << true << "a"
                                                         << "b: c";
        QTest::newRow("later line wins") << "k: 1\nk: 2\n"
                                         << true << "k"
                                         << "2";
        QTest::newRow("line without line feed") << "k: last" << true << "k"
                                                << "last";
        QTest::newRow("value keeps spaces") << "k:  two  \n"
                                            << true << "k"
                                            << " two  ";
        QTest::newRow("ERROR alone") << "ERROR\n"
                                     << false << "ERROR"
                                     << "";
        QTest::newRow("ERROR with text") << "ERROR: no channel\n"
                                         << false << "ERROR"
                                         << "no channel";
        QTest::newRow("ERROR is a prefix") << "ERRORS\n"
                                           << true << "ERRORS"
                                           << "";
        QTest::newRow("ERROR then words") << "ERROR again\n"
                                          << true << "ERROR again"
                                          << "";
        QTest::newRow("ERROR among lines") << "a: 1\nERROR\nb: 2\n"
                                           << false << "b"
                                           << "2";
    }
    void replyLinesBecomeEntries() {
        QFETCH(QString, reply);
        QFETCH(bool, result);
        QFETCH(QString, key);
        QFETCH(QString, value);
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::Options, reply);
        Command command;
        ReplyMap map;
        StreamCapture out(1);
        QCOMPARE(command.callCmdline(map, Queue, "-o x"), result);
        const auto entry = map.find(key.toStdString());
        QVERIFY(entry != map.end());
        QCOMPARE(QString::fromStdString(entry->second), value);
    }

    void valuesConvertToNumbers_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("number");
        QTest::newRow("status with name") << "600, Status_IL_PAPF" << 0 << 600;
        QTest::newRow("leading blanks and sign") << "  -12x" << 0 << -12;
        QTest::newRow("not a number") << "abc" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("ink amount") << "21070 21069" << 1 << 21069;
        QTest::newRow("ink status") << "21070 21069" << 0 << 21070;
        QTest::newRow("amount missing") << "5" << 1 << 0;
        QTest::newRow("negative amount") << "-1 -1" << 1 << -1;
    }
    void valuesConvertToNumbers() {
        QFETCH(QString, value);
        QFETCH(int, mode);
        QFETCH(int, number);
        const ReplyMap reply{{"k", value.toStdString()}};
        QCOMPARE(Command::getValueAsInt(reply, "k", mode), number);
        QCOMPARE(Command::getValueAsInt(reply, "missing", mode), 0);
    }

    void valuesPackIntoKeys_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("key");
        QTest::newRow("one character") << "P" << 80;
        QTest::newRow("two characters") << "RP" << 21072;
        QTest::newRow("three characters") << "RIR" << (('R' << 16) | ('I' << 8) | 'R');
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("four characters") << "ABCD" << 0;
    }
    void valuesPackIntoKeys() {
        QFETCH(QString, value);
        QFETCH(int, key);
        const ReplyMap reply{{"k", value.toStdString()}};
        QCOMPARE(Command::getValueAsKey(reply, "k"), key);
        QCOMPARE(Command::getValueAsKey(reply, "missing"), 0);
        if (key != 0)
            QCOMPARE(QString::fromStdString(Command::getStrForKey(key)), value);
    }

    void keysUnpackToCharacters() {
        QCOMPARE(Command::getStrForKey(0), std::string(1, '\0'));
        QCOMPARE(std::string(Command::getStrForKey(0).c_str()), std::string());
        QCOMPARE(Command::getStrForKey(-1), std::string(1, '\xff'));
        QCOMPARE(Command::getStrForKey(0x4E), std::string("N"));
    }

    void statusReadFillsEveryValue() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::Status, "destination: Q 1\n"
                                                "status: 204, Status_ER_IE_RR\n"
                                                "statusGroup: 2, Error\n"
                                                "inksOfErrorReason: Y,K\n"
                                                "inkK: 21074 21070\n"
                                                "inkC: 0 21064\n"
                                                "inkM: 21070 21070\n"
                                                "inkY: 20033 -1\n"
                                                "inkMN: 0 21069\n");
        Command command;
        StatusDetail detail = Status_Unsettled;
        StatusGroup group = BeforeComm;
        std::vector<int> inks{1};
        InkStatus s[5] = {};
        InkAmount a[5] = {};
        StreamCapture out(1);
        QVERIFY(command.readStatus(Queue, detail, group, inks, s[0], a[0], s[1], a[1], s[2], a[2],
                                   s[3], a[3], s[4], a[4]));
        QCOMPARE(int(detail), 204);
        QCOMPARE(int(group), 2);
        // Appended to what the caller had, always in the order K, C, M, Y.
        QCOMPARE(inks, (std::vector<int>{1, 'K', 'Y'}));
        const int statuses[5] = {21074, 0, 21070, 20033, 0};
        const int amounts[5] = {21070, 21064, 21070, -1, 21069};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(int(s[i]), statuses[i]);
            QCOMPARE(int(a[i]), amounts[i]);
        }
    }

    void inksOfErrorReasonInFixedOrder_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("inks");
        QTest::newRow("K,M") << "K,M" << QList<int>{'K', 'M'};
        QTest::newRow("Y,K") << "Y,K" << QList<int>{'K', 'Y'};
        QTest::newRow("all reversed") << "Y,M,C,K" << QList<int>{'K', 'C', 'M', 'Y'};
        QTest::newRow("maintenance box never") << "MN" << QList<int>{'M'};
        QTest::newRow("empty") << "" << QList<int>{};
    }
    void inksOfErrorReasonInFixedOrder() {
        QFETCH(QString, value);
        QFETCH(QList<int>, inks);
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::Status, "inksOfErrorReason: " + value + "\n");
        Command command;
        StatusDetail d;
        StatusGroup g;
        std::vector<int> listed;
        InkStatus s[5];
        InkAmount a[5];
        StreamCapture out(1);
        QVERIFY(command.readStatus(Queue, d, g, listed, s[0], a[0], s[1], a[1], s[2], a[2], s[3],
                                   a[3], s[4], a[4]));
        QCOMPARE(listed, std::vector<int>(inks.begin(), inks.end()));
    }

    void failedReadLeavesOutParameters() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReplyForAll("status: 600, Status_IL_PAPF\nstatusGroup: 6, Others\n"
                            "inksOfErrorReason: K\ninkK: 1 2\npaperSource: IR\nformGap: 72\n"
                            "peelPositionB: 9\nhead_mediaClearanceHeight: 3\nERROR\n");
        Command command;
        StreamCapture out(1);
        StatusDetail detail = Status_ER_SS;
        StatusGroup group = Pause;
        std::vector<int> inks{7};
        InkStatus s[5] = {InkStatus_NA, InkStatus_NA, InkStatus_NA, InkStatus_NA, InkStatus_NA};
        InkAmount a[5] = {InkAmount_RL, InkAmount_RL, InkAmount_RL, InkAmount_RL, InkAmount_RL};
        QVERIFY(!command.readStatus(Queue, detail, group, inks, s[0], a[0], s[1], a[1], s[2], a[2],
                                    s[3], a[3], s[4], a[4]));
        QCOMPARE(detail, Status_ER_SS);
        QCOMPARE(group, Pause);
        QCOMPARE(inks, std::vector<int>{7});
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(s[i], InkStatus_NA);
            QCOMPARE(a[i], InkAmount_RL);
        }
        std::string id = "kept";
        int v[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        QVERIFY(
            !command.readPaperSource(Queue, id, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]));
        QCOMPARE(id, std::string("kept"));
        for (int i = 0; i < 8; ++i)
            QCOMPARE(v[i], i + 1);
        int peel = -5;
        QVERIFY(!command.readAfterPrinting(Queue, peel));
        QCOMPARE(peel, -5);
        int height = 11, treatment = 12;
        QVERIFY(!command.readPrinterSetting(Queue, height, treatment));
        QCOMPARE(height, 11);
        QCOMPARE(treatment, 12);
    }

    void settingReadsConvertTheirValues() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::Options, "destination: Q 1\n"
                                                 "deviceID: MFG:VARDA;MDL:RV-C9000;\n"
                                                 "paperSource: IR\n"
                                                 "paperShape: R\n"
                                                 "paperForm: DL\n"
                                                 "formDetectionType: W\n"
                                                 "formGap: 72\n"
                                                 "sideMargin: \n"
                                                 "rightMargin: 12abc\n"
                                                 "edgeHole: -30\n"
                                                 "printPositionH: -24\n"
                                                 "printPositionV: 47\n"
                                                 "cutPosition: -472\n"
                                                 "peelPositionA: -255\n"
                                                 "peelPositionB: 1181\n"
                                                 "head_mediaClearanceHeight: 4\n"
                                                 "incomplete_labelTreatment: ABCD\n"
                                                 "deviceOption: PEELER\n"
                                                 "inkNameK: IC-90MK\n"
                                                 "inkNameMN: MB-90\n"
                                                 "inkCartridgeLayout: KYMC\n");
        Command command;
        StreamCapture out(1);

        std::string id;
        int source, shape, form, detection, gap, side, right, hole;
        QVERIFY(command.readPaperSource(Queue, id, source, shape, form, detection, gap, side, right,
                                        hole));
        QCOMPARE(id, std::string("MFG:VARDA;MDL:RV-C9000;"));
        QCOMPARE(source, ('I' << 8) | 'R');
        QCOMPARE(shape, int('R'));
        QCOMPARE(form, ('D' << 8) | 'L');
        QCOMPARE(detection, int('W'));
        QCOMPARE(gap, 72);
        QCOMPARE(side, 0);
        QCOMPARE(right, 12);
        QCOMPARE(hole, -30);
        // The media read lists the whole reply, the tool's destination line included.
        const QString printed = out.text();
        QVERIFY(printed.contains("destination: Q 1\n"));
        QVERIFY(printed.contains("sideMargin: \n"));
        QVERIFY(printed.contains("paperSource: IR\n"));

        int h, v, cut, a, b;
        QVERIFY(command.readPrintPositionAdjustmentA(Queue, h, v, cut));
        QCOMPARE(h, -24);
        QCOMPARE(v, 47);
        QCOMPARE(cut, -472);
        QVERIFY(command.readPrintPositionAdjustmentP(Queue, h, v, a, b));
        QCOMPARE(a, -255);
        QCOMPARE(b, 1181);
        int peel = 0;
        QVERIFY(command.readAfterPrinting(Queue, peel));
        QCOMPARE(peel, 1181);
        int height = -1, treatment = -1;
        QVERIFY(command.readPrinterSetting(Queue, height, treatment));
        QCOMPARE(height, int('4'));
        QCOMPARE(treatment, 0);

        std::string option, deviceID, k, c, m, y, mn, layout = "old";
        QVERIFY(command.readDeviceOption(Queue, option, deviceID, k, c, m, y, mn, layout));
        QCOMPARE(option, std::string("PEELER"));
        QCOMPARE(deviceID, std::string("MFG:VARDA;MDL:RV-C9000;"));
        QCOMPARE(k, std::string("IC-90MK"));
        QCOMPARE(c, std::string()); // missing keys read empty
        QCOMPARE(mn, std::string("MB-90"));
        QCOMPARE(layout, std::string("KYMC"));
    }

    void queueNameReachesToolAsOneWord_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("semicolon") << "a;touch pwned";
        QTest::newRow("ampersand") << "a&touch pwned";
        QTest::newRow("dollar") << "$(touch pwned)";
        QTest::newRow("backquote") << "`touch pwned`";
        QTest::newRow("pipe") << "a|touch pwned";
        QTest::newRow("single quote") << "it's';touch pwned;'";
        QTest::newRow("double quote") << "say \"hi\";touch pwned";
        QTest::newRow("parentheses") << "(touch pwned)";
        QTest::newRow("spaces") << "two  words here";
        QTest::newRow("variable") << "$HOME";
        QTest::newRow("glob") << "*";
        QTest::newRow("redirection") << "a>pwned";
        QTest::newRow("backslash") << "back\\slash";
    }
    void queueNameReachesToolAsOneWord() {
        QFETCH(QString, name);
        ScratchDir scratch;
        StandInTool tool(scratch);
        Command command;
        int peel = 0;
        StreamCapture out(1);
        QVERIFY(command.readAfterPrinting(name.toStdString(), peel));
        QCOMPARE(tool.calls(), QStringList{"[-p][" + name + "][-o][peelPositionB]"});
        QVERIFY2(!scratch.exists("pwned"), "the shell ran part of the queue name");
    }

    void commandThatDoesNotFitIsRefused() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        Command command;
        // "./tarn -p '" + name + "' -o peelPositionB" fills 1023 bytes and leaves room for
        // the NUL; one more character would not fit.
        const int fixed = int(std::strlen("./tarn -p '' -o peelPositionB"));
        const std::string fits(Command::kBufferSize - 1 - fixed, 'q');
        int peel = 7;
        {
            StreamCapture out(1);
            QVERIFY(command.readAfterPrinting(fits, peel));
            QCOMPARE(tool.calls().size(), 1);
        }
        tool.clearCalls();
        StreamCapture out(1);
        peel = 7;
        QVERIFY(!command.readAfterPrinting(fits + "q", peel));
        QCOMPARE(out.text(), QString("readAfterPrinting() FAILED\n"));
        QCOMPARE(peel, 7);
        QVERIFY(tool.calls().isEmpty());

        // Writes compose their options first; the queue then decides.
        StreamCapture writeOut(1);
        QVERIFY(!command.writePaperSource(fits, 'P', 'R', 0x444C, 'W', 72, 12));
        QVERIFY(writeOut.text().endsWith("writePaperSource() FAILED\n"));
        QVERIFY(tool.calls().isEmpty());
    }

    void pipeThatCannotOpenIsAFailure() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        Command command;
        StreamCapture out(1);
        bool opened = true;
        int peel = 3;
        std::vector<std::string> queues;
        {
            // Use up every descriptor, so no pipe can be made.
            rlimit saved;
            getrlimit(RLIMIT_NOFILE, &saved);
            rlimit low = saved;
            low.rlim_cur = 256;
            setrlimit(RLIMIT_NOFILE, &low);
            std::vector<int> held;
            for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
                held.push_back(fd);
            opened = command.readAfterPrinting(Queue, peel);
            command.enumQueue([&](const std::string& q) {
                queues.push_back(q);
                return 0;
            });
            for (int fd : held)
                close(fd);
            setrlimit(RLIMIT_NOFILE, &saved);
        }
        QVERIFY(!opened);
        QCOMPARE(peel, 3);
        QVERIFY(queues.empty());
        QVERIFY(out.text().endsWith("readAfterPrinting() FAILED\n"));
        QVERIFY(tool.calls().isEmpty());
    }

    void listingAndUsageLinesAreFound() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        tool.setReply(StandInTool::Run::List, "arg: x\n"
                                              "destination: first\n"
                                              "nothing here\n"
                                              "info destination: second queue\n"
                                              "destination: third destination: x\n");
        tool.setReply(StandInTool::Run::Usage, "usage: tarn [-p queue] ...\n"
                                               "        - deviceID [O]\n"
                                               "       - short indent\n"
                                               "        -no space\n"
                                               "\t        - printNozzleCheck\n"
                                               "        - startCleaningHead\n");
        Command command;
        std::vector<std::string> queues, items;
        command.enumQueue([&](const std::string& q) {
            queues.push_back(q);
            return 1;
        });
        command.enumCapability([&](const std::string& item) {
            items.push_back(item);
            return 1;
        });
        QCOMPARE(queues,
                 (std::vector<std::string>{"first", "second queue", "third destination: x"}));
        QCOMPARE(items, (std::vector<std::string>{"deviceID [O]", "printNozzleCheck",
                                                  "startCleaningHead"}));
        QCOMPARE(tool.calls(), (QStringList{"[-l]", ""}));
    }

    void dryRunSwitchLeadsEveryCommand() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        dryrun = true;
        Command command;
        QCOMPARE(QString(command.tool()), QString("./tarn -n"));
        StreamCapture out(1);
        QVERIFY(command.printNozzleCheckPattern(Queue));
        command.enumQueue([](const std::string&) { return 0; });
        command.enumCapability([](const std::string&) { return 0; });
        QCOMPARE(tool.calls(),
                 (QStringList{"[-n][-p][Q 1][-f][printNozzleCheck]", "[-n][-l]", "[-n]"}));
        QVERIFY(out.text().contains("call \"./tarn -n -p 'Q 1' -f printNozzleCheck\"\n"));
    }

    void verboseEchoesEveryRunOnStandardError() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        verbose = true;
        Command command;
        StreamCapture err(2);
        StreamCapture out(1);
        QVERIFY(command.printNozzleCheckPattern(Queue));
        command.enumQueue([](const std::string&) { return 0; });
        command.enumCapability([](const std::string&) { return 0; });
        const QString printed = out.text();
        QCOMPARE(err.text(), QString("call \"./tarn -p 'Q 1' -f printNozzleCheck\"\n"
                                     "call \"./tarn -l\"\n"
                                     "call \"./tarn\"\n"));
        // Only the run on a queue is echoed on standard output.
        QCOMPARE(printed, QString("call \"./tarn -p 'Q 1' -f printNozzleCheck\"\n"));
    }

    void toolPathIsChosenOnce_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("tool");
        QTest::newRow("script") << "script"
                                << "./tarn";
        QTest::newRow("not executable") << "plain"
                                        << "./tarn";
        QTest::newRow("link to a file") << "link"
                                        << "./tarn";
        QTest::newRow("folder") << "folder"
                                << "/dev/null";
        QTest::newRow("dangling link") << "dangling"
                                       << "/dev/null";
        QTest::newRow("nothing") << "none"
                                 << "/dev/null";
    }
    void toolPathIsChosenOnce() {
        QFETCH(QString, setup);
        QFETCH(QString, tool);
        ScratchDir scratch;
        if (setup == "script") {
            StandInTool standIn(scratch);
        } else if (setup == "plain") {
            QFile file(scratch.file("tarn"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("echo 'k: v'\n");
        } else if (setup == "link") {
            QFile file(scratch.file("real"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QVERIFY(QFile::link(scratch.file("real"), scratch.file("tarn")));
        } else if (setup == "folder") {
            QVERIFY(QDir(scratch.path()).mkdir("tarn"));
        } else if (setup == "dangling") {
            QVERIFY(QFile::link(scratch.file("gone"), scratch.file("tarn")));
        }
        Command command;
        QCOMPARE(QString(command.tool()), tool);
    }

    void missingToolGivesEmptyReplies() {
        ScratchDir scratch;
        Command command;
        QCOMPARE(QString(command.tool()), QString("/dev/null"));
        ReplyMap reply;
        StreamCapture err(2);
        StreamCapture out(1);
        QVERIFY(command.callCmdline(reply, Queue, "-o status"));
        QVERIFY(reply.empty());
        StatusDetail detail = Status_ER_SS;
        StatusGroup group = Pause;
        std::vector<int> inks;
        InkStatus s[5];
        InkAmount a[5];
        QVERIFY(command.readStatus(Queue, detail, group, inks, s[0], a[0], s[1], a[1], s[2], a[2],
                                   s[3], a[3], s[4], a[4]));
        QCOMPARE(int(detail), 0);
        QCOMPARE(int(group), 0);
        QCOMPARE(int(a[4]), 0);
        int calls = 0;
        command.enumQueue([&](const std::string&) { return ++calls; });
        command.enumCapability([&](const std::string&) { return ++calls; });
        QCOMPARE(calls, 0);
    }

    void waitCursorShowsWhileToolRuns() {
        ScratchDir scratch;
        StandInTool tool(scratch);
        // The tool announces that it runs and waits, bounded, until the test has looked.
        tool.setHook(QString("touch '%1/running'\n"
                             "i=0; while [ ! -f '%1/release' ] && [ $i -lt 1000 ]; do "
                             "sleep 0.01; i=$((i+1)); done\n")
                         .arg(tool.dir()));
        Command command;
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        std::atomic<int> shape{-1};
        const QString running = tool.dir() + "/running";
        const QString release = tool.dir() + "/release";
        std::thread observer([&] {
            const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!QFileInfo::exists(running) && std::chrono::steady_clock::now() < limit)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            // The window's thread is blocked in the read of the pipe now.
            if (const QCursor* cursor = QGuiApplication::overrideCursor())
                shape = cursor->shape();
            QFile marker(release);
            marker.open(QIODevice::WriteOnly);
        });
        StreamCapture out(1);
        int peel = 0;
        const bool ok = command.readAfterPrinting(Queue, peel);
        observer.join();
        QVERIFY(ok);
        QCOMPARE(shape.load(), int(Qt::WaitCursor));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(CommandTest)
#include "tst_command.moc"
