// SPDX-License-Identifier: Apache-2.0
// The bridge to tarn: every read, write and function of the printer is one run of the tool.
#pragma once

#include "StatusTypes.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>
#include <vector>

using ReplyMap = std::map<std::string, std::string>;

// Cuts the string at its first line feed.
void trimRightLF(char* text);
// Position just after the first occurrence of pattern in text, or null.
const char* strstr_tail(const char* text, size_t unused, const char* pattern);
// The queue name as one shell word: single-quoted, with every ' written as '\''.
std::string shellQuoted(const std::string& word);

class Command : public QObject {
    Q_OBJECT
public:
    static constexpr size_t kBufferSize = 1024;

    Command();

    const char* tool() const { return toolCommand; }

    // True while a run of the tool is under way. The window keeps painting and its timers keep
    // firing while the tool runs, but every key and click is dropped; a timer that would start
    // a run of its own (a periodic status read, the cleaning watch) checks this first and lets
    // its turn pass.
    bool toolRunning() const { return runsUnderWay > 0; }

    // Marks a tool run for its scope, for a caller whose run begins before the tool starts (a
    // status read processes events first); marks nest with the runs of the tool itself.
    class RunMark {
    public:
        explicit RunMark(Command& command) : command(command) { ++command.runsUnderWay; }
        ~RunMark() { --command.runsUnderWay; }
        RunMark(const RunMark&) = delete;
        RunMark& operator=(const RunMark&) = delete;

    private:
        Command& command;
    };

    // Runs the tool on one queue with the options and fills reply. False when the tool reported
    // "ERROR", when the command does not fit its buffer, or when the pipe cannot be opened.
    bool callCmdline(ReplyMap& reply, const std::string& queue, const char* options);
    void enumQueue(const std::function<int(const std::string&)>& callback);
    void enumCapability(const std::function<int(const std::string&)>& callback);

    // What the last run of callCmdline reported: true when the report carried a value for key
    // (a number for answeredNumber). A printer that did not answer leaves its keys empty, and an
    // empty value must not pass for the 0 it converts to.
    bool answered(const char* key) const;
    bool answeredNumber(const char* key) const;

    // The keys of the last write whose value read back differs from the value sent: the
    // settings the printer did not take. Empty after a run that failed for another reason.
    const std::vector<std::string>& settingsNotTaken() const { return notTaken; }

    static void dump(const ReplyMap& reply);
    static int getValueAsInt(const ReplyMap& reply, const char* key, int mode);
    static int getValueAsKey(const ReplyMap& reply, const char* key);
    static std::string getStrForKey(int key);

    bool readDeviceOption(const std::string& queue, std::string& deviceOption,
                          std::string& deviceID, std::string& inkNameK, std::string& inkNameC,
                          std::string& inkNameM, std::string& inkNameY, std::string& inkNameMN,
                          std::string& inkCartridgeLayout);
    bool readStatus(const std::string& queue, StatusDetail& status, StatusGroup& statusGroup,
                    std::vector<int>& inksOfErrorReason, InkStatus& inkStatusK,
                    InkAmount& inkAmountK, InkStatus& inkStatusC, InkAmount& inkAmountC,
                    InkStatus& inkStatusM, InkAmount& inkAmountM, InkStatus& inkStatusY,
                    InkAmount& inkAmountY, InkStatus& inkStatusMN, InkAmount& inkAmountMN);
    bool readPaperSource(const std::string& queue, std::string& deviceID, int& paperSource,
                         int& paperShape, int& paperForm, int& formDetectionType, int& formGap,
                         int& sideMargin, int& rightMargin, int& edgeHole);
    bool readPrintPositionAdjustmentA(const std::string& queue, int& printPositionH,
                                      int& printPositionV, int& cutPosition);
    bool readPrintPositionAdjustmentP(const std::string& queue, int& printPositionH,
                                      int& printPositionV, int& peelPositionA, int& peelPositionB);
    bool readAfterPrinting(const std::string& queue, int& peelPositionB);
    bool readPrinterSetting(const std::string& queue, int& head_mediaClearanceHeight,
                            int& incomplete_labelTreatment);

    bool printNozzleCheckPattern(const std::string& queue);
    bool doHeadCleaning(const std::string& queue, char kind);
    bool writePaperSource(const std::string& queue, int paperSource, int paperShape, int paperForm,
                          int formDetectionType, int formGap, int sideMargin);
    bool writePaperSource_9000(const std::string& queue, int paperSource, int paperShape,
                               int paperForm, int formDetectionType, int formGap, int sideMargin,
                               int rightMargin, int edgeHole);
    bool writePrintPositionAdjustmentA(const std::string& queue, int printPositionH,
                                       int printPositionV, int cutPosition);
    bool writePrintPositionAdjustmentP(const std::string& queue, int printPositionH,
                                       int printPositionV, int peelPositionA, int peelPositionB);
    bool writeAfterPrinting(const std::string& queue, int& peelPositionB);
    bool writePrinterSetting(const std::string& queue, int head_mediaClearanceHeight,
                             int incomplete_labelTreatment);

private:
    // A key of a write and the value sent for it.
    struct Sent {
        const char* key;
        std::string value;
    };
    // Runs a composed write or function; prints failureLine when it does not succeed. A write
    // succeeds only when every sent value reads back unchanged.
    bool runOperation(const std::string& queue, const char* options, const char* failureLine,
                      const std::vector<Sent>& sent = {});
    // Sends every value as "-o key=value", in the given order, and reads them back.
    bool writeSettings(const std::string& queue, const char* failureLine,
                       const std::vector<Sent>& sent);
    // Runs the tool with extra arguments and hands every line that holds marker to callback,
    // with the text after the marker.
    void enumLines(const char* arguments, const char* marker,
                   const std::function<int(const std::string&)>& callback);

    class ToolRun;

    char toolCommand[kBufferSize];
    int runsUnderWay = 0;
    ReplyMap lastReply;
    std::vector<std::string> notTaken;
};
