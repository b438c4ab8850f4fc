// SPDX-License-Identifier: Apache-2.0
// Faults through the whole chain: the real tarn, a private cupsd, the project's dexo1.so and the
// emulated printers. Each fault must end with the documented output and exit status, within the
// time-outs, with nothing lost: writes that can arrive do arrive, an earlier reply file survives a
// run that read no reply, and no report line comes from anything but the tool.
#include "SharedTestBed.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr long long kCommandLimit = 293601280; // 280 MiB

const char kCommError[] = "status: 3, Status_CommError\nstatusGroup: 0, BeforeComm\ninkK: -1 -1\n";
const char kReady[] = "status: 600, Status_IL_PAPF\nstatusGroup: 6, Others\ninkK: 0 21064\n";
const char kInitial[] = "status: 0, Status_Unsettled\nstatusGroup: 0, BeforeComm\ninkK: -1 -1\n";

long long millisSince(Clock::time_point start) {
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start).count();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

// Standard output as PrintBinary writes a reply: printable bytes as they are, others escaped.
std::string escaped(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (std::isprint(c)) {
            text += static_cast<char>(c);
        } else {
            char code[32];
            std::snprintf(code, sizeof code, "\033[34m\\x%02X\033[0m", c);
            text += code;
        }
    }
    return text;
}

// Each test's own folder, removed with everything in it.
class Scratch {
public:
    Scratch() {
        char name[] = "/tmp/tarn-faults-XXXXXX";
        if (mkdtemp(name) != nullptr) {
            path_ = name;
        }
    }
    ~Scratch() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The emulated printers with a private cupsd; each test runs in a process of its own under
// ctest, and gets printers at power-on either way.
class ChainFaults : public testbed::SharedTestBed<ChainFaults> {
public:
    static std::vector<std::string> models() { return {"RV-C9000", "RV-C2000", "RV-D5500A"}; }

protected:
    static harness::RunResult tarn(const std::vector<std::string>& args) {
        return bed_->tarn(args, std::chrono::seconds(120));
    }
};

// cupsd not running -------------------------------------------------------------------------------

TEST(SchedulerFaults, NoSchedulerGivesTheInitialStateAtOnceAndReachesNoPrinter) {
    testbed::TestBed bed({"RV-C9000"});
    ASSERT_TRUE(bed.ok()) << bed.error();
    Scratch scratch;
    const std::string replyFile = scratch.file("reply.txt");
    ASSERT_TRUE(writeFile(replyFile, "earlier reply"));
    const std::string powerOn = bed.control().setting("c9000", "formGap");
    ASSERT_NE(powerOn, "100");
    bed.cups().stop();

    const auto start = Clock::now();
    const harness::RunResult run =
        bed.tarn({"-p", "c9000", "-o", "status", "-o", "statusGroup", "-o", "inkK", "-o",
                  "deviceID", "-o", "formGap=100", "-u", replyFile});
    EXPECT_EQ(run.out,
              std::string("destination: c9000\n") + kInitial + "deviceID: N/A\nformGap: \n");
    EXPECT_EQ(run.status, 0) << run.err;
    // A refused connection is not waited on.
    EXPECT_LT(millisSince(start), 3000);
    // Without its device URI the queue reaches no printer, and no reply replaces the old one.
    EXPECT_TRUE(bed.control().log("c9000").empty());
    EXPECT_EQ(bed.control().setting("c9000", "formGap"), powerOn);
    EXPECT_EQ(readFile(replyFile), "earlier reply");

    const harness::RunResult list = bed.tarn({"-l"});
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(list.status, 0);
}

// A queue deleted between listing and use ---------------------------------------------------------

TEST_F(ChainFaults, QueueDeletedAfterListingReportsNothingAndWritesNothing) {
    const harness::RunResult list = tarn({"-l"});
    ASSERT_NE(list.out.find("destination: c2000\n"), std::string::npos) << list.out;
    const std::string before = control().setting("c2000", "formGap");
    ASSERT_TRUE(bed_->cups().deleteQueue("c2000"));

    const harness::RunResult run =
        tarn({"-p", "c2000", "-o", "status", "-o", "statusGroup", "-o", "inkK", "-o", "deviceID",
              "-o", "formGap=100", "-o", "paperSource"});
    EXPECT_EQ(run.out, std::string("destination: c2000\n") + kInitial +
                           "deviceID: N/A\nformGap: \npaperSource: \n");
    EXPECT_EQ(run.status, 0);
    // The set meant for the deleted queue went to no printer at all.
    EXPECT_TRUE(control().log("c2000").empty());
    EXPECT_EQ(control().setting("c2000", "formGap"), before);

    const testbed::Queue* queue = bed_->queue("c2000");
    ASSERT_TRUE(bed_->cups().addQueue("c2000", queue->uri, harness::shippedPpd("RV-C2000")));
}

// The printer misbehaving -------------------------------------------------------------------------

TEST_F(ChainFaults, PrinterFaultsEndInTheDocumentedReportWithinTheTimeOuts) {
    struct Case {
        const char* kind;
        const char* scope;
        bool statusRead; // the status reply arrives whole
        bool replyRead;  // the settings reply arrives whole
        bool setArrives; // the printer gets the set command
    };
    const Case cases[] = {
        {"silent", "all", false, false, true}, {"cut", "all", false, false, true},
        {"close", "all", false, false, false}, {"garbage", "all", false, false, true},
        {"huge", "all", false, false, true},   {"silent", "status", false, true, true},
        {"cut", "status", false, true, true},  {"garbage", "status", false, true, true},
        {"huge", "status", false, true, true}, {"close", "status", false, true, true},
        {"silent", "data", true, false, true}, {"cut", "data", true, false, true},
        {"close", "data", true, false, false}, {"garbage", "data", true, false, true},
        {"huge", "data", true, false, true},
    };
    Scratch scratch;
    const std::string replyFile = scratch.file("reply.txt");
    const std::string reply = "\x02^S(CLS,C,100\x03\x02^S(CLM,P,IR\x03";
    for (const Case& c : cases) {
        const std::string label = std::string(c.kind) + "/" + c.scope;
        ASSERT_TRUE(control().reset("d5500a"));
        const std::string powerOn = control().setting("d5500a", "formGap");
        ASSERT_NE(powerOn, "100");
        ASSERT_TRUE(control().fault("d5500a", c.kind, c.scope)) << label;
        ASSERT_TRUE(writeFile(replyFile, "earlier reply"));

        const auto start = Clock::now();
        const harness::RunResult run =
            tarn({"-p", "d5500a", "-o", "status", "-o", "statusGroup", "-o", "inkK", "-o",
                  "formGap=100", "-o", "paperSource", "-u", replyFile});
        const long long took = millisSince(start);

        std::string expected = "destination: d5500a\n";
        if (c.replyRead) {
            expected += escaped(reply);
        }
        expected += c.statusRead ? kReady : kCommError;
        expected += c.replyRead ? "formGap: 100\npaperSource: IR\n" : "formGap: \npaperSource: \n";
        EXPECT_EQ(run.out, expected) << label;
        EXPECT_EQ(run.status, 0) << label << "\n" << run.err;
        EXPECT_FALSE(run.timedOut) << label;
        // The status poll, the read and the close each wait at most the capped time-out.
        EXPECT_LT(took, 6000) << label;
        EXPECT_EQ(readFile(replyFile), c.replyRead ? reply : "earlier reply") << label;
        EXPECT_EQ(control().setting("d5500a", "formGap"), c.setArrives ? "100" : powerOn) << label;
    }
}

// A settings read that fails does not cost the function written behind it: the nozzle check
// still reaches the printer, once, and the failed read reports empty values, never a part.
TEST_F(ChainFaults, FunctionAfterAFailedReadStillReachesThePrinter) {
    const char* kinds[] = {"silent", "cut", "garbage", "huge", "slow"};
    for (const char* kind : kinds) {
        ASSERT_TRUE(control().reset("c2000"));
        ASSERT_TRUE(control().set("c2000", "functionMs", "-1"));
        ASSERT_TRUE(control().fault("c2000", kind, "data", 3000)) << kind;
        const harness::RunResult run = tarn({"-p", "c2000", "-o", "formGap", "-o", "paperSource",
                                             "-o", "printQuality", "-f", "printNozzleCheck"});
        // The cut falls inside the second record: none of the reply is handed out.
        EXPECT_EQ(run.out, "destination: c2000\nActionPrintNozzleCheck\nformGap: \npaperSource: "
                           "\nprintQuality: \n")
            << kind;
        EXPECT_EQ(run.status, 0) << kind;
        std::vector<std::string> log;
        for (int i = 0; i < 200; ++i) {
            log = control().log("c2000");
            if (std::count(log.begin(), log.end(), "~W(PNC") > 0) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(std::count(log.begin(), log.end(), "~W(PNC"), 1) << kind;
        EXPECT_EQ(control().get("c2000", "functionState"), "nozzleCheck") << kind;
    }
}

// Without the test bed's cap, the tool's own time-outs end the wait on a silent printer: the
// status poll (the library's 5 s) and the read (10 s).
TEST_F(ChainFaults, SilentPrinterEndsWithinTheToolsOwnTimeOuts) {
    bed_->setTimeoutCapMs(0);
    ASSERT_TRUE(control().fault("c2000", "silent"));
    const auto start = Clock::now();
    const harness::RunResult run = tarn(
        {"-p", "c2000", "-o", "status", "-o", "statusGroup", "-o", "inkK", "-o", "paperSource"});
    const long long took = millisSince(start);
    EXPECT_EQ(run.out, std::string("destination: c2000\n") + kCommError + "paperSource: \n");
    EXPECT_EQ(run.status, 0);
    EXPECT_LT(took, 5000 + 10000 + 5000);
}

// The reader of the tool's output going away ------------------------------------------------------

// A listening port that accepts connections into its backlog and never serves them: a device
// connection to it waits until the port is closed.
class Gate {
public:
    Gate() {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(fd_, 16) != 0 ||
            getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        port_ = ntohs(address.sin_port);
    }
    ~Gate() { release(); }
    Gate(const Gate&) = delete;
    Gate& operator=(const Gate&) = delete;
    int port() const { return port_; }
    // Closing the port resets the waiting connections: the device calls fail at once.
    void release() {
        if (fd_ >= 0) {
            close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_ = -1;
    int port_ = 0;
};

struct Spawned {
    pid_t pid = -1;
    int out = -1; // read end of the tool's standard output
};

// Starts tarn in the bin folder with standard output into a pipe and the default SIGPIPE
// disposition, as a shell started by popen() would.
Spawned spawnTarn(const testbed::TestBed& bed, const std::vector<std::string>& args) {
    std::vector<std::string> argv{testbed::TestBed::tarnPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envStrings;
    const harness::Env env = bed.environment();
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        const auto& unset = harness::TempCups::unsetVariables();
        if (env.count(name) == 0 && name != "DEXO1_MAX_TIMEOUT_MS" &&
            std::find(unset.begin(), unset.end(), name) == unset.end()) {
            envStrings.push_back(text);
        }
    }
    for (const auto& [name, value] : env) {
        envStrings.push_back(name + "=" + value);
    }
    std::vector<char*> argp;
    for (std::string& a : argv) {
        argp.push_back(a.data());
    }
    argp.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : envStrings) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    const std::string dir = testbed::TestBed::binDir();

    Spawned spawned;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return spawned;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        // Only exec-safe calls between fork and exec: the emulator runs on a thread.
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, 0);
        dup2(devNull, 2);
        dup2(fds[1], 1);
        signal(SIGPIPE, SIG_DFL);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (chdir(dir.c_str()) == 0) {
            execve(argp[0], argp.data(), envp.data());
        }
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return spawned;
    }
    spawned.pid = pid;
    spawned.out = fds[0];
    return spawned;
}

// Reads up to the first line end; empty when none comes within the time-out.
std::string firstLine(int fd, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::string text;
    char buffer[65536];
    while (text.find('\n') == std::string::npos) {
        const long long left =
            std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
        pollfd p{fd, POLLIN, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) {
            return "";
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return "";
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    return text.substr(0, text.find('\n'));
}

// The wait status, or -1 when the process outlives the time-out (it is then killed).
int waitFor(pid_t pid, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    return status;
}

std::vector<std::string> after(const std::vector<std::string>& log, const std::string& entry) {
    const auto found = std::find(log.begin(), log.end(), entry);
    return found == log.end() ? std::vector<std::string>{}
                              : std::vector<std::string>(found + 1, log.end());
}

// The window's reader closes the pipe after the first line. The tool's next write fails, and
// the queues after it are still served in full: sets, reads and functions reach the printer.
TEST_F(ChainFaults, ReaderClosingThePipeEarlyDoesNotCutTheRun) {
    Gate gate;
    ASSERT_GT(gate.port(), 0);
    ASSERT_TRUE(bed_->cups().addQueue("gate", "socket://127.0.0.1:" + std::to_string(gate.port()),
                                      harness::shippedPpd("RV-C9000")));
    bed_->setTimeoutCapMs(0);
    std::vector<std::string> args{"-p", "c9000",       "-p", "gate",   "-p", "c2000",
                                  "-o", "formGap=100", "-o", "status", "-f", "printNozzleCheck"};
    // Keys outside the tables cost no printer time; they make each queue's report larger than
    // the output buffer, so every report is written to the pipe before the next queue.
    for (int i = 0; i < 3000; ++i) {
        args.push_back("-o");
        args.push_back("x");
    }
    const Spawned tool = spawnTarn(*bed_, args);
    ASSERT_GT(tool.pid, 0);
    const std::string line = firstLine(tool.out, std::chrono::seconds(30));
    close(tool.out);
    // The gate queue waits on its device until the pipe is gone; then its report meets a
    // closed pipe, before the last queue is served.
    gate.release();
    const int status = waitFor(tool.pid, std::chrono::seconds(60));

    EXPECT_EQ(line, "destination: c9000");
    ASSERT_TRUE(WIFEXITED(status))
        << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::vector<std::string> log = control().log("c2000");
    const std::vector<std::string> afterSet = after(log, "^S(CLS,C,100");
    const std::vector<std::string> afterQuery = after(afterSet, "~H(CLS,C");
    EXPECT_EQ(afterQuery, std::vector<std::string>{"~W(PNC"}) << testing::PrintToString(log);
    EXPECT_EQ(control().setting("c2000", "formGap"), "100");
    EXPECT_TRUE(bed_->cups().deleteQueue("gate"));
}

// Command files at the limit ----------------------------------------------------------------------

// A command file of exactly the limit reaches the printer to its last byte; one byte more is
// refused before anything is sent.
TEST_F(ChainFaults, CommandFileOfExactlyTheLimitArrivesWholeAndOneByteMoreIsRefused) {
    bed_->setTimeoutCapMs(0);
    Scratch scratch;
    const std::string commands = scratch.file("commands.txt");
    const std::string replyFile = scratch.file("reply.txt");
    const std::string head = "^S(CLS,C,77\n";
    // A read delivers the commands in pieces; repeated, some copy of the last query lies whole
    // inside one piece wherever the pieces end.
    std::string tail;
    for (int i = 0; i < 64; ++i) {
        tail += "~H(CLS,C\n";
    }
    {
        std::ofstream out(commands, std::ios::binary);
        out << head;
        out.seekp(kCommandLimit - static_cast<long long>(tail.size()));
        out << tail;
        ASSERT_TRUE(out) << "cannot write " << commands;
    }
    ASSERT_EQ(std::filesystem::file_size(commands), static_cast<uintmax_t>(kCommandLimit));

    const harness::RunResult run = tarn({"-c", "-i", commands, "-u", replyFile, "-p", "c9000"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string answer = "\x02^S(CLS,C,77\x03";
    const std::string stored = readFile(replyFile);
    EXPECT_NE(stored.find(answer), std::string::npos) << stored.substr(0, 200);
    EXPECT_EQ(run.out, "destination: c9000\n" + escaped(stored));
    EXPECT_EQ(control().setting("c9000", "formGap"), "77");

    ASSERT_TRUE(control().clearLog("c9000"));
    ASSERT_EQ(std::filesystem::remove(replyFile), true);
    {
        std::ofstream out(commands, std::ios::binary | std::ios::app);
        out << "\n";
    }
    const harness::RunResult over = tarn({"-c", "-i", commands, "-u", replyFile, "-p", "c9000"});
    EXPECT_EQ(over.out, "The input file exceeds the maximum command length.\n");
    EXPECT_EQ(over.status, 1);
    EXPECT_TRUE(control().log("c9000").empty());
    EXPECT_FALSE(std::filesystem::exists(replyFile));
}

// A reply file that cannot be written -------------------------------------------------------------

// Even as root these fail: a path through a regular file, a folder, a full device. The run ends
// at the first reply with the message and exit status 1; what the printer had been sent arrived,
// and nothing after the failed store is sent.
TEST_F(ChainFaults, ReplyFileThatCannotBeWrittenEndsTheRunWithItsMessage) {
    Scratch scratch;
    const std::string plainFile = scratch.file("plain");
    ASSERT_TRUE(writeFile(plainFile, "a file, not a folder"));
    const std::string folder = scratch.file("folder");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    struct Case {
        std::string path;
    };
    std::vector<Case> cases = {{plainFile + "/reply.txt"}, {folder}};
    if (std::filesystem::exists("/dev/full")) {
        cases.push_back({"/dev/full"});
    }
    for (const Case& c : cases) {
        ASSERT_TRUE(bed_->resetPrinters());
        const harness::RunResult run =
            tarn({"-p", "c9000", "-p", "c2000", "-o", "formGap=100", "-o", "paperSource", "-f",
                  "printNozzleCheck", "-u", c.path});
        EXPECT_EQ(run.out, "destination: c9000\nActionPrintNozzleCheck\nOutputfile Open Error.")
            << c.path;
        EXPECT_EQ(run.status, 1) << c.path;
        EXPECT_EQ(control().setting("c9000", "formGap"), "100") << c.path;
        const std::vector<std::string> log = control().log("c9000");
        EXPECT_NE(std::find(log.begin(), log.end(), "~H(CLS,C"), log.end()) << c.path;
        EXPECT_EQ(std::find(log.begin(), log.end(), "~W(PNC"), log.end()) << c.path;
        EXPECT_TRUE(control().log("c2000").empty()) << c.path;
    }
    EXPECT_EQ(readFile(plainFile), "a file, not a folder");
}

// A hostile PPD -----------------------------------------------------------------------------------

// PPD values may span lines. Printed whole, the lines after the first would pass for the tool's
// own: a forged "ERROR" makes the window report a failed run, a forged status line shows a
// state the printer never had.
TEST_F(ChainFaults, PpdValuesSpanningLinesForgeNoReportLines) {
    Scratch scratch;
    const std::string ppd = scratch.file("hostile.ppd");
    ASSERT_TRUE(harness::writePpd(
        ppd, {{"1284DeviceID", "MFG:VARDA;MDL:RV-C9000;\nERROR\nstatus: 100, Status_ER_FE"},
              {"inkNameBK", "IC-90BK\r\ninkK: 21074 -1"},
              {"inkNameC", "\nERROR"},
              {"inkCartridgeLayout", "KCMY\ndestination: elsewhere"}}));
    ASSERT_TRUE(bed_->cups().addQueue("hostile", bed_->queue("c9000")->uri, ppd));
    const harness::RunResult run =
        tarn({"-p", "hostile", "-o", "deviceID", "-o", "inkNameK", "-o", "inkNameC", "-o",
              "inkCartridgeLayout", "-o", "status", "-o", "inkK"});
    EXPECT_EQ(run.out, "destination: hostile\n"
                       "deviceID: MFG:VARDA;MDL:RV-C9000;\n"
                       "inkNameK: IC-90BK\n"
                       "inkNameC: N/A\n"
                       "inkCartridgeLayout: KCMY\n"
                       "status: 600, Status_IL_PAPF\n"
                       "inkK: 0 21064\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(bed_->cups().deleteQueue("hostile"));
}

// A PPD line holds at most 255 characters, but a quoted value may run over many lines. A
// device ID of 200 KB must not take the model patterns deeper than one line.
TEST_F(ChainFaults, HugeDeviceIdOverManyPpdLinesIsNoSupportedModel) {
    Scratch scratch;
    const std::string ppd = scratch.file("huge.ppd");
    std::string deviceID = "MFG:VARDA;MDL:RV-C9000;";
    for (int i = 0; i < 1000; ++i) {
        deviceID += std::string(200, 'x') + "\n";
    }
    ASSERT_TRUE(harness::writePpd(ppd, {{"1284DeviceID", deviceID}}));
    ASSERT_TRUE(bed_->cups().addQueue("huge", bed_->queue("c9000")->uri, ppd));
    const harness::RunResult run = tarn({"-p", "huge", "-o", "deviceID", "-o", "deviceOption"});
    EXPECT_EQ(run.out, "destination: huge\ndeviceID: MFG:VARDA;MDL:RV-C9000;" +
                           std::string(200, 'x') + "\ndeviceOption: N/A\n");
    EXPECT_EQ(run.status, 0);
    const harness::RunResult list = tarn({"-l"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out.find("destination: huge\n"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("destination: c9000\n"), std::string::npos) << list.out;
    EXPECT_TRUE(bed_->cups().deleteQueue("huge"));
}

} // namespace
