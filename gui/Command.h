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
    static constexpr size_t BufferSize = 1024;

    Command();

    const char* tool() const { return toolCommand; }

    // True while a tool run is under way: from the moment a caller marks its run (which may
    // process events before the tool starts) until the tool has ended. Work that a timer
    // starts must not begin then, or it would nest a second run inside the first.
    bool toolRunUnderWay() const { return runsUnderWay > 0; }

    // Marks a tool run for its scope; marks nest.
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
    // Runs a composed write or function; prints failureLine when it does not succeed.
    bool runOperation(const std::string& queue, const char* options, const char* failureLine);
    // Runs the tool with extra arguments and hands every line that holds marker to callback,
    // with the text after the marker.
    void enumLines(const char* arguments, const char* marker,
                   const std::function<int(const std::string&)>& callback);

    char toolCommand[BufferSize];
    int runsUnderWay = 0;
};
