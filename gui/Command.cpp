#include "Command.h"

#include "RunFlags.h"
#include "WaitCursor.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char* const InstalledTool = "/opt/varda/tarn-utility/tarn";
const char* const LocalTool = "./tarn";
const char* const NoTool = "/dev/null"; // every command then fails in the shell, silently

bool isRegularFile(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); } // waits for the tool to end
};
using Pipe = std::unique_ptr<FILE, PipeCloser>;

Pipe openPipe(const char* command) {
    return Pipe(popen(command, "r"));
}

// snprintf into a fixed buffer; false when the text does not fit, so nothing is cut short.
template <typename... Args>
bool compose(char (&buffer)[Command::BufferSize], const char* format, Args... args) {
    std::memset(buffer, 0, sizeof buffer);
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    return length >= 0 && static_cast<size_t>(length) < sizeof buffer;
}

// One line of the tool's output, cut to the buffer; the rest of a longer line is dropped, so that
// it cannot pass for a line of its own (a printer's value of capitals could read "ERROR").
bool readLine(FILE* pipe, char (&line)[Command::BufferSize]) {
    if (!std::fgets(line, sizeof line, pipe))
        return false;
    if (!std::strchr(line, '\n')) {
        int c;
        do
            c = std::fgetc(pipe);
        while (c != EOF && c != '\n');
    }
    return true;
}

void printFailure(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

void trimRightLF(char* text) {
    if (char* lf = std::strchr(text, '\n'))
        *lf = '\0';
}

const char* strstr_tail(const char* text, size_t, const char* pattern) {
    const char* found = std::strstr(text, pattern);
    return found ? found + std::strlen(pattern) : nullptr;
}

std::string shellQuoted(const std::string& word) {
    // An empty name stays empty, so the tool sees no queue at all and answers with its usage.
    if (word.empty())
        return word;
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += '\'';
    return quoted;
}

Command::Command() {
    setObjectName("Command");
    std::memset(toolCommand, 0, sizeof toolCommand);
    const char* path = NoTool;
    if (isRegularFile(InstalledTool))
        path = InstalledTool;
    else if (isRegularFile(LocalTool))
        path = LocalTool;
    std::snprintf(toolCommand, sizeof toolCommand, "%s%s", path, dryrun ? " -n" : "");
}

bool Command::callCmdline(ReplyMap& reply, const std::string& queue, const char* options) {
    char command[BufferSize];
    if (!compose(command, "%s -p %s %s", toolCommand, shellQuoted(queue).c_str(), options))
        return false;
    if (verbose)
        std::fprintf(stderr, "call \"%s\"\n", command);
    std::printf("call \"%s\"\n", command);
    std::fflush(stdout);

    RunMark running(*this);
    WaitCursor waiting;
    Pipe pipe = openPipe(command);
    if (!pipe)
        return false;
    bool result = true;
    char line[BufferSize];
    while (readLine(pipe.get(), line)) {
        trimRightLF(line);
        std::string key;
        const char* separator = std::strstr(line, ": ");
        if (separator) {
            key.assign(line, separator - line);
            reply[key] = separator + 2;
        } else {
            key = line;
            reply[key] = "";
        }
        if (key == "ERROR")
            result = false;
    }
    return result;
}

void Command::enumLines(const char* arguments, const char* marker,
                        const std::function<int(const std::string&)>& callback) {
    char command[BufferSize];
    if (!compose(command, "%s%s", toolCommand, arguments))
        return;
    if (verbose)
        std::fprintf(stderr, "call \"%s\"\n", command);

    RunMark running(*this);
    WaitCursor waiting;
    Pipe pipe = openPipe(command);
    if (!pipe)
        return;
    char line[BufferSize];
    while (readLine(pipe.get(), line)) {
        trimRightLF(line);
        if (const char* item = strstr_tail(line, sizeof line, marker))
            callback(item);
    }
}

void Command::enumQueue(const std::function<int(const std::string&)>& callback) {
    enumLines(" -l", "destination: ", callback);
}

void Command::enumCapability(const std::function<int(const std::string&)>& callback) {
    enumLines("", "        - ", callback);
}

void Command::dump(const ReplyMap& reply) {
    for (const auto& [key, value] : reply)
        std::printf("%s: %s\n", key.c_str(), value.c_str());
    std::fflush(stdout);
}

int Command::getValueAsInt(const ReplyMap& reply, const char* key, int mode) {
    const auto entry = reply.find(key);
    if (entry == reply.end())
        return 0;
    const char* value = entry->second.c_str();
    if (mode == 0)
        return std::atoi(value);
    const char* space = std::strchr(value, ' ');
    return space ? std::atoi(space + 1) : 0;
}

int Command::getValueAsKey(const ReplyMap& reply, const char* key) {
    const auto entry = reply.find(key);
    if (entry == reply.end())
        return 0;
    const std::string& value = entry->second;
    if (value.empty() || value.size() > 3)
        return 0;
    // Shifted as unsigned: a byte above 0x7F is a negative signed byte, and shifting a negative
    // int is undefined. The bits are the same.
    unsigned packed = 0;
    for (char c : value)
        packed = (packed << 8) | static_cast<unsigned>(static_cast<signed char>(c));
    return static_cast<int>(packed);
}

std::string Command::getStrForKey(int key) {
    std::string text;
    if (key > 0xFFFF) {
        text += static_cast<char>((key >> 16) & 0xFF);
        text += static_cast<char>((key >> 8) & 0xFF);
        text += static_cast<char>(key & 0xFF);
    } else if (key > 0xFF) {
        text += static_cast<char>((key >> 8) & 0xFF);
        text += static_cast<char>(key & 0xFF);
    } else {
        text += static_cast<char>(key);
    }
    return text;
}

bool Command::runOperation(const std::string& queue, const char* options, const char* failureLine) {
    ReplyMap reply;
    if (!callCmdline(reply, queue, options)) {
        printFailure(failureLine);
        return false;
    }
    return true;
}

bool Command::readDeviceOption(const std::string& queue, std::string& deviceOption,
                               std::string& deviceID, std::string& inkNameK, std::string& inkNameC,
                               std::string& inkNameM, std::string& inkNameY, std::string& inkNameMN,
                               std::string& inkCartridgeLayout) {
    ReplyMap reply;
    if (!callCmdline(reply, queue,
                     "-o deviceOption -o deviceID -o inkNameK -o inkNameC -o inkNameM -o "
                     "inkNameY -o inkNameMN -o inkCartridgeLayout")) {
        printFailure("readDeviceOption() FAILED");
        return false;
    }
    const auto value = [&reply](const char* key) {
        const auto entry = reply.find(key);
        return entry == reply.end() ? std::string() : entry->second;
    };
    deviceOption = value("deviceOption");
    deviceID = value("deviceID");
    inkNameK = value("inkNameK");
    inkNameC = value("inkNameC");
    inkNameM = value("inkNameM");
    inkNameY = value("inkNameY");
    inkNameMN = value("inkNameMN");
    inkCartridgeLayout = value("inkCartridgeLayout");
    return true;
}

bool Command::readStatus(const std::string& queue, StatusDetail& status, StatusGroup& statusGroup,
                         std::vector<int>& inksOfErrorReason, InkStatus& inkStatusK,
                         InkAmount& inkAmountK, InkStatus& inkStatusC, InkAmount& inkAmountC,
                         InkStatus& inkStatusM, InkAmount& inkAmountM, InkStatus& inkStatusY,
                         InkAmount& inkAmountY, InkStatus& inkStatusMN, InkAmount& inkAmountMN) {
    ReplyMap reply;
    if (!callCmdline(reply, queue,
                     "-o status -o statusGroup -o inksOfErrorReason -o inkK -o inkC -o inkM -o "
                     "inkY -o inkMN")) {
        printFailure("readStatus() FAILED");
        return false;
    }
    status = static_cast<StatusDetail>(getValueAsInt(reply, "status", 0));
    statusGroup = static_cast<StatusGroup>(getValueAsInt(reply, "statusGroup", 0));

    // Always in the order K, C, M, Y, whatever order the tool printed; MN is never listed.
    const auto inks = reply.find("inksOfErrorReason");
    const std::string listed = inks == reply.end() ? std::string() : inks->second;
    for (char ink : {'K', 'C', 'M', 'Y'}) {
        if (listed.find(ink) != std::string::npos)
            inksOfErrorReason.push_back(ink);
    }

    struct InkRow {
        const char* key;
        InkStatus& status;
        InkAmount& amount;
    };
    const InkRow rows[] = {{"inkK", inkStatusK, inkAmountK},
                           {"inkC", inkStatusC, inkAmountC},
                           {"inkM", inkStatusM, inkAmountM},
                           {"inkY", inkStatusY, inkAmountY},
                           {"inkMN", inkStatusMN, inkAmountMN}};
    for (const InkRow& row : rows) {
        row.status = static_cast<InkStatus>(getValueAsInt(reply, row.key, 0));
        row.amount = static_cast<InkAmount>(getValueAsInt(reply, row.key, 1));
    }
    return true;
}

bool Command::readPaperSource(const std::string& queue, std::string& deviceID, int& paperSource,
                              int& paperShape, int& paperForm, int& formDetectionType, int& formGap,
                              int& sideMargin, int& rightMargin, int& edgeHole) {
    ReplyMap reply;
    if (!callCmdline(reply, queue,
                     "-o deviceID -o paperSource -o paperShape -o paperForm -o "
                     "formDetectionType -o formGap -o sideMargin -o rightMargin -o edgeHole")) {
        printFailure("readPaperSource() FAILED");
        return false;
    }
    dump(reply);
    const auto entry = reply.find("deviceID");
    deviceID = entry == reply.end() ? std::string() : entry->second;
    paperSource = getValueAsKey(reply, "paperSource");
    paperShape = getValueAsKey(reply, "paperShape");
    paperForm = getValueAsKey(reply, "paperForm");
    formDetectionType = getValueAsKey(reply, "formDetectionType");
    formGap = getValueAsInt(reply, "formGap", 0);
    sideMargin = getValueAsInt(reply, "sideMargin", 0);
    rightMargin = getValueAsInt(reply, "rightMargin", 0);
    edgeHole = getValueAsInt(reply, "edgeHole", 0);
    return true;
}

bool Command::readPrintPositionAdjustmentA(const std::string& queue, int& printPositionH,
                                           int& printPositionV, int& cutPosition) {
    ReplyMap reply;
    if (!callCmdline(reply, queue, "-o printPositionH -o printPositionV -o cutPosition")) {
        printFailure("readPrintPositionAdjustmentA() FAILED");
        return false;
    }
    printPositionH = getValueAsInt(reply, "printPositionH", 0);
    printPositionV = getValueAsInt(reply, "printPositionV", 0);
    cutPosition = getValueAsInt(reply, "cutPosition", 0);
    return true;
}

bool Command::readPrintPositionAdjustmentP(const std::string& queue, int& printPositionH,
                                           int& printPositionV, int& peelPositionA,
                                           int& peelPositionB) {
    ReplyMap reply;
    if (!callCmdline(reply, queue,
                     "-o printPositionH -o printPositionV -o peelPositionA -o peelPositionB")) {
        printFailure("readPrintPositionAdjustmentP() FAILED");
        return false;
    }
    printPositionH = getValueAsInt(reply, "printPositionH", 0);
    printPositionV = getValueAsInt(reply, "printPositionV", 0);
    peelPositionA = getValueAsInt(reply, "peelPositionA", 0);
    peelPositionB = getValueAsInt(reply, "peelPositionB", 0);
    return true;
}

bool Command::readAfterPrinting(const std::string& queue, int& peelPositionB) {
    ReplyMap reply;
    if (!callCmdline(reply, queue, "-o peelPositionB")) {
        printFailure("readAfterPrinting() FAILED");
        return false;
    }
    peelPositionB = getValueAsInt(reply, "peelPositionB", 0);
    return true;
}

bool Command::readPrinterSetting(const std::string& queue, int& head_mediaClearanceHeight,
                                 int& incomplete_labelTreatment) {
    ReplyMap reply;
    if (!callCmdline(reply, queue, "-o head_mediaClearanceHeight -o incomplete_labelTreatment")) {
        printFailure("readPrinterSetting() FAILED");
        return false;
    }
    head_mediaClearanceHeight = getValueAsKey(reply, "head_mediaClearanceHeight");
    incomplete_labelTreatment = getValueAsKey(reply, "incomplete_labelTreatment");
    return true;
}

bool Command::printNozzleCheckPattern(const std::string& queue) {
    return runOperation(queue, "-f printNozzleCheck", "printNozzleCheckPattern() FAILED");
}

bool Command::doHeadCleaning(const std::string& queue, char kind) {
    struct Cleaning {
        char kind;
        const char* options;
    };
    static const Cleaning cleanings[] = {{'A', "-f startCleaningHead=A"},
                                         {'H', "-f startCleaningHead=H"}};
    char failure[64];
    std::snprintf(failure, sizeof failure, "doHeadCleaning('%c') FAILED", kind);
    for (const Cleaning& cleaning : cleanings) {
        if (cleaning.kind == kind)
            return runOperation(queue, cleaning.options, failure);
    }
    printFailure(failure);
    return false;
}

bool Command::writePaperSource(const std::string& queue, int paperSource, int paperShape,
                               int paperForm, int formDetectionType, int formGap, int sideMargin) {
    const char* const failure = "writePaperSource() FAILED";
    char options[BufferSize];
    if (!compose(options,
                 "-o paperSource=%s -o paperShape=%s -o paperForm=%s -o formDetectionType=%s -o "
                 "formGap=%d -o sideMargin=%d",
                 getStrForKey(paperSource).c_str(), getStrForKey(paperShape).c_str(),
                 getStrForKey(paperForm).c_str(), getStrForKey(formDetectionType).c_str(), formGap,
                 sideMargin)) {
        printFailure(failure);
        return false;
    }
    return runOperation(queue, options, failure);
}

bool Command::writePaperSource_9000(const std::string& queue, int paperSource, int paperShape,
                                    int paperForm, int formDetectionType, int formGap,
                                    int sideMargin, int rightMargin, int edgeHole) {
    const char* const failure = "writePaperSource_9000() FAILED";
    char options[BufferSize];
    if (!compose(options,
                 "-o paperSource=%s -o paperShape=%s -o paperForm=%s -o formDetectionType=%s -o "
                 "formGap=%d -o sideMargin=%d -o rightMargin=%d -o edgeHole=%d",
                 getStrForKey(paperSource).c_str(), getStrForKey(paperShape).c_str(),
                 getStrForKey(paperForm).c_str(), getStrForKey(formDetectionType).c_str(), formGap,
                 sideMargin, rightMargin, edgeHole)) {
        printFailure(failure);
        return false;
    }
    return runOperation(queue, options, failure);
}

bool Command::writePrintPositionAdjustmentA(const std::string& queue, int printPositionH,
                                            int printPositionV, int cutPosition) {
    const char* const failure = "writePrintPositionAdjustmentA() FAILED";
    char options[BufferSize];
    if (!compose(options, "-o printPositionH=%d -o printPositionV=%d -o cutPosition=%d",
                 printPositionH, printPositionV, cutPosition)) {
        printFailure(failure);
        return false;
    }
    return runOperation(queue, options, failure);
}

bool Command::writePrintPositionAdjustmentP(const std::string& queue, int printPositionH,
                                            int printPositionV, int peelPositionA,
                                            int peelPositionB) {
    const char* const failure = "writePrintPositionAdjustmentP() FAILED";
    char options[BufferSize];
    if (!compose(options,
                 "-o printPositionH=%d -o printPositionV=%d -o peelPositionA=%d -o "
                 "peelPositionB=%d",
                 printPositionH, printPositionV, peelPositionA, peelPositionB)) {
        printFailure(failure);
        return false;
    }
    return runOperation(queue, options, failure);
}

bool Command::writeAfterPrinting(const std::string& queue, int& peelPositionB) {
    const char* const failure = "writeAfterPrinting() FAILED";
    char options[BufferSize];
    if (!compose(options, "-o peelPositionB=%d", peelPositionB)) {
        printFailure(failure);
        return false;
    }
    return runOperation(queue, options, failure);
}

bool Command::writePrinterSetting(const std::string& queue, int head_mediaClearanceHeight,
                                  int incomplete_labelTreatment) {
    const char* const failure = "writePrinterSetting() FAILED";
    char options[BufferSize];
    if (!compose(options, "-o head_mediaClearanceHeight=%s -o incomplete_labelTreatment=%s",
                 getStrForKey(head_mediaClearanceHeight).c_str(),
                 getStrForKey(incomplete_labelTreatment).c_str())) {
        printFailure(failure);
        return false;
    }
    return runOperation(queue, options, failure);
}
