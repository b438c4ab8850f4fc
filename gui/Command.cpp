// SPDX-License-Identifier: Apache-2.0
#include "Command.h"

#include "RunFlags.h"
#include "UserInput.h"
#include "WaitCursor.h"

#include <QCoreApplication>
#include <QEvent>

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char* const kInstalledTool = "/opt/varda/tarn-utility/tarn";
const char* const kLocalTool = "./tarn";
const char* const kNoTool = "/dev/null"; // every command then fails in the shell, silently

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
bool compose(char (&buffer)[Command::kBufferSize], const char* format, Args... args) {
    std::memset(buffer, 0, sizeof buffer);
    const int length = std::snprintf(buffer, sizeof buffer, format, args...);
    return length >= 0 && static_cast<size_t>(length) < sizeof buffer;
}

// How long one wait for the tool's output lasts before the window paints again.
constexpr int kPaintEveryMs = 30;

// Input that reaches the program while a tool run holds it: dropped, so that clicks and keys
// made during a slow run do not replay as further runs once it has ended.
class InputDrop : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return isUserInput(event->type()); }
};

// Processes what is pending except input, which the drop filter eats.
void keepPainting() {
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPaintEveryMs);
    }
}

// The tool's output, a line at a time, read while the window keeps painting.
class ToolOutput {
public:
    explicit ToolOutput(FILE* pipe) : fd(fileno(pipe)) {}

    // One line, cut to the buffer; the rest of a longer line is dropped, so that it cannot pass
    // for a line of its own (a printer's value of capitals could read "ERROR").
    bool readLine(char (&line)[Command::kBufferSize]) {
        for (;;) {
            const std::size_t end = pending.find('\n');
            if (end != std::string::npos || (ended && !pending.empty())) {
                const std::size_t length = std::min<std::size_t>(
                    end == std::string::npos ? pending.size() : end, sizeof line - 1);
                std::memcpy(line, pending.data(), length);
                line[length] = '\0';
                pending.erase(0, end == std::string::npos ? pending.size() : end + 1);
                return true;
            }
            if (ended) {
                return false;
            }
            fill();
        }
    }

private:
    void fill() {
        pollfd ready{fd, POLLIN, 0};
        const int polled = poll(&ready, 1, kPaintEveryMs);
        if (polled == 0 || (polled < 0 && errno == EINTR)) {
            keepPainting();
            return;
        }
        char chunk[4096];
        const ssize_t got = polled < 0 ? -1 : read(fd, chunk, sizeof chunk);
        if (got > 0) {
            pending.append(chunk, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            ended = true;
        }
    }

    int fd;
    std::string pending;
    bool ended = false;
};

// The option value as the command line carries it: a packed key of 0 sends nothing.
std::string sentKey(int key) {
    return Command::getStrForKey(key).c_str();
}

void printFailure(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

// The wait cursor and the input drop for the length of one run; input that came in during the
// run is flushed into the drop before the window takes input again.
class Command::ToolRun {
public:
    explicit ToolRun(Command& command) : command(command) {
        ++command.runsUnderWay;
        if (QCoreApplication* app = QCoreApplication::instance()) {
            app->installEventFilter(&drop);
        }
    }
    ~ToolRun() {
        keepPainting();
        --command.runsUnderWay;
    }
    ToolRun(const ToolRun&) = delete;
    ToolRun& operator=(const ToolRun&) = delete;

private:
    Command& command;
    WaitCursor waiting;
    InputDrop drop; // removed from the application when it is destroyed
};

void trimRightLF(char* text) {
    if (char* lf = std::strchr(text, '\n')) {
        *lf = '\0';
    }
}

const char* strstr_tail(const char* text, size_t, const char* pattern) {
    const char* found = std::strstr(text, pattern);
    return found ? found + std::strlen(pattern) : nullptr;
}

std::string shellQuoted(const std::string& word) {
    // An empty name stays empty, so the tool sees no queue at all and answers with its usage.
    if (word.empty()) {
        return word;
    }
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    quoted += '\'';
    return quoted;
}

Command::Command() {
    setObjectName("Command");
    std::memset(toolCommand, 0, sizeof toolCommand);
    const char* path = kNoTool;
    if (isRegularFile(kInstalledTool)) {
        path = kInstalledTool;
    } else if (isRegularFile(kLocalTool)) {
        path = kLocalTool;
    }
    std::snprintf(toolCommand, sizeof toolCommand, "%s%s", path, dryrun ? " -n" : "");
}

bool Command::callCmdline(ReplyMap& reply, const std::string& queue, const char* options) {
    lastReply.clear();
    notTaken.clear();
    char command[kBufferSize];
    if (!compose(command, "%s -p %s %s", toolCommand, shellQuoted(queue).c_str(), options)) {
        return false;
    }
    if (verbose) {
        std::fprintf(stderr, "call \"%s\"\n", command);
    }
    std::printf("call \"%s\"\n", command);
    std::fflush(stdout);

    ToolRun run(*this);
    Pipe pipe = openPipe(command);
    if (!pipe) {
        return false;
    }
    bool result = true;
    char line[kBufferSize];
    ToolOutput output(pipe.get());
    while (output.readLine(line)) {
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
        if (key == "ERROR") {
            result = false;
        }
    }
    lastReply = reply;
    return result;
}

bool Command::answered(const char* key) const {
    // A dry run has no printer to answer: its empty values stand for the values a printer
    // would give, so that the pages can be tried out.
    if (dryrun) {
        return true;
    }
    const auto entry = lastReply.find(key);
    return entry != lastReply.end() && !entry->second.empty();
}

bool Command::answeredNumber(const char* key) const {
    if (dryrun) {
        return true;
    }
    if (!answered(key)) {
        return false;
    }
    const std::string& value = lastReply.find(key)->second;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(value.c_str(), &end, 10);
    return errno == 0 && end != value.c_str() && *end == '\0' && number >= INT_MIN &&
           number <= INT_MAX;
}

void Command::enumLines(const char* arguments, const char* marker,
                        const std::function<int(const std::string&)>& callback) {
    char command[kBufferSize];
    if (!compose(command, "%s%s", toolCommand, arguments)) {
        return;
    }
    if (verbose) {
        std::fprintf(stderr, "call \"%s\"\n", command);
    }

    ToolRun run(*this);
    Pipe pipe = openPipe(command);
    if (!pipe) {
        return;
    }
    char line[kBufferSize];
    ToolOutput output(pipe.get());
    while (output.readLine(line)) {
        trimRightLF(line);
        if (const char* item = strstr_tail(line, sizeof line, marker)) {
            callback(item);
        }
    }
}

void Command::enumQueue(const std::function<int(const std::string&)>& callback) {
    enumLines(" -l", "destination: ", callback);
}

void Command::enumCapability(const std::function<int(const std::string&)>& callback) {
    enumLines("", "        - ", callback);
}

void Command::dump(const ReplyMap& reply) {
    for (const auto& [key, value] : reply) {
        std::printf("%s: %s\n", key.c_str(), value.c_str());
    }
    std::fflush(stdout);
}

int Command::getValueAsInt(const ReplyMap& reply, const char* key, int mode) {
    const auto entry = reply.find(key);
    if (entry == reply.end()) {
        return 0;
    }
    const char* value = entry->second.c_str();
    if (mode == 0) {
        return std::atoi(value);
    }
    const char* space = std::strchr(value, ' ');
    return space ? std::atoi(space + 1) : 0;
}

int Command::getValueAsKey(const ReplyMap& reply, const char* key) {
    const auto entry = reply.find(key);
    if (entry == reply.end()) {
        return 0;
    }
    const std::string& value = entry->second;
    if (value.empty() || value.size() > 3) {
        return 0;
    }
    // Shifted as unsigned: a byte above 0x7F is a negative signed byte, and shifting a negative
    // int is undefined. The bits are the same.
    unsigned packed = 0;
    for (char c : value) {
        packed = (packed << 8) | static_cast<unsigned>(static_cast<signed char>(c));
    }
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

bool Command::runOperation(const std::string& queue, const char* options, const char* failureLine,
                           const std::vector<Sent>& sent) {
    ReplyMap reply;
    if (!callCmdline(reply, queue, options)) {
        printFailure(failureLine);
        return false;
    }
    // The tool reads every written key back in the same run; a value that did not arrive, or
    // that the printer refused, reads back empty or as the old value.
    for (const Sent& s : dryrun ? std::vector<Sent>() : sent) {
        const auto entry = reply.find(s.key);
        if (entry == reply.end() || entry->second != s.value) {
            notTaken.push_back(s.key);
        }
    }
    if (!notTaken.empty()) {
        printFailure(failureLine);
        return false;
    }
    return true;
}

bool Command::writeSettings(const std::string& queue, const char* failureLine,
                            const std::vector<Sent>& sent) {
    std::string joined;
    for (const Sent& s : sent) {
        joined += (joined.empty() ? "-o " : " -o ") + std::string(s.key) + "=" + s.value;
    }
    char options[kBufferSize];
    if (!compose(options, "%s", joined.c_str())) {
        printFailure(failureLine);
        return false;
    }
    return runOperation(queue, options, failureLine, sent);
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
        if (listed.find(ink) != std::string::npos) {
            inksOfErrorReason.push_back(ink);
        }
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
        if (cleaning.kind == kind) {
            return runOperation(queue, cleaning.options, failure);
        }
    }
    printFailure(failure);
    return false;
}

bool Command::writePaperSource(const std::string& queue, int paperSource, int paperShape,
                               int paperForm, int formDetectionType, int formGap, int sideMargin) {
    return writeSettings(queue, "writePaperSource() FAILED",
                         {{"paperSource", sentKey(paperSource)},
                          {"paperShape", sentKey(paperShape)},
                          {"paperForm", sentKey(paperForm)},
                          {"formDetectionType", sentKey(formDetectionType)},
                          {"formGap", std::to_string(formGap)},
                          {"sideMargin", std::to_string(sideMargin)}});
}

bool Command::writePaperSource_9000(const std::string& queue, int paperSource, int paperShape,
                                    int paperForm, int formDetectionType, int formGap,
                                    int sideMargin, int rightMargin, int edgeHole) {
    return writeSettings(queue, "writePaperSource_9000() FAILED",
                         {{"paperSource", sentKey(paperSource)},
                          {"paperShape", sentKey(paperShape)},
                          {"paperForm", sentKey(paperForm)},
                          {"formDetectionType", sentKey(formDetectionType)},
                          {"formGap", std::to_string(formGap)},
                          {"sideMargin", std::to_string(sideMargin)},
                          {"rightMargin", std::to_string(rightMargin)},
                          {"edgeHole", std::to_string(edgeHole)}});
}

bool Command::writePrintPositionAdjustmentA(const std::string& queue, int printPositionH,
                                            int printPositionV, int cutPosition) {
    return writeSettings(queue, "writePrintPositionAdjustmentA() FAILED",
                         {{"printPositionH", std::to_string(printPositionH)},
                          {"printPositionV", std::to_string(printPositionV)},
                          {"cutPosition", std::to_string(cutPosition)}});
}

bool Command::writePrintPositionAdjustmentP(const std::string& queue, int printPositionH,
                                            int printPositionV, int peelPositionA,
                                            int peelPositionB) {
    return writeSettings(queue, "writePrintPositionAdjustmentP() FAILED",
                         {{"printPositionH", std::to_string(printPositionH)},
                          {"printPositionV", std::to_string(printPositionV)},
                          {"peelPositionA", std::to_string(peelPositionA)},
                          {"peelPositionB", std::to_string(peelPositionB)}});
}

bool Command::writeAfterPrinting(const std::string& queue, int& peelPositionB) {
    return writeSettings(queue, "writeAfterPrinting() FAILED",
                         {{"peelPositionB", std::to_string(peelPositionB)}});
}

bool Command::writePrinterSetting(const std::string& queue, int head_mediaClearanceHeight,
                                  int incomplete_labelTreatment) {
    return writeSettings(queue, "writePrinterSetting() FAILED",
                         {{"head_mediaClearanceHeight", sentKey(head_mediaClearanceHeight)},
                          {"incomplete_labelTreatment", sentKey(incomplete_labelTreatment)}});
}
