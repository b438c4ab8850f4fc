// SPDX-License-Identifier: Apache-2.0
// The tarn binary against a real private cupsd: the supported-printer list and the device
// record report lines, compared byte for byte.
#include "QueueLookup.h"
#include "SilentServer.h"
#include "TempCups.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>

namespace fs = std::filesystem;
using harness::RunResult;
using harness::TempCups;

namespace {

const std::string kTarn = TARN_BINARY;
const std::string kRecordOptions[] = {"deviceID", "deviceOption", "inkNameC",          "inkNameM",
                                      "inkNameY", "inkNameMN",    "inkCartridgeLayout"};

std::vector<std::string> recordArgs(const std::string& queue) {
    std::vector<std::string> argv{kTarn, "-n", "-p", queue};
    for (const auto& o : kRecordOptions) {
        argv.push_back("-o");
        argv.push_back(o);
    }
    return argv;
}

bool emptyDir(const std::string& dir) {
    return fs::is_empty(dir);
}

class TarnWithCups : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(cups.ok()) << cups.error(); }
    void TearDown() override {
        EXPECT_TRUE(emptyDir(cups.tmpDir())) << "a temporary PPD copy was left in TMPDIR";
    }
    RunResult tarn(const std::vector<std::string>& argv) {
        RunResult r = cups.run(argv, cups.root(), std::chrono::seconds(60));
        EXPECT_TRUE(r.started);
        EXPECT_FALSE(r.timedOut);
        return r;
    }
    void add(const std::string& queue, const std::string& uri, const std::string& model = "") {
        ASSERT_TRUE(cups.addQueue(queue, uri, model.empty() ? "" : harness::shippedPpd(model)))
            << cups.lastError();
    }
    TempCups cups;
};

} // namespace

TEST_F(TarnWithCups, ListPrintsOneDestinationLinePerSupportedQueue) {
    add("a-c9000", "socket://127.0.0.1:9100", "RV-C9000");
    add("b-c2000-usb", "usb://VARDA/RV-C2000", "RV-C2000");
    add("c-d5510p", "vardaUSB://RV-D5510P?serial=7", "RV-D5510P");
    add("d-d5500a-file", "file:/dev/null", "RV-D5500A");
    add("e-plain", "socket://127.0.0.1:9100");
    add("f-c5000p", "dnssd://RV-C5000P._ipp._tcp.local/", "RV-C5000P");
    ASSERT_TRUE(cups.addInstance("a-c9000", "copy")) << cups.lastError();

    RunResult r = tarn({kTarn, "-l"});
    EXPECT_EQ(r.out, "destination: a-c9000\n"
                     "destination: c-d5510p\n"
                     "destination: f-c5000p\n");
    EXPECT_EQ(r.status, 0);
}

TEST_F(TarnWithCups, NamedQueueComesFirstAndAgainAmongTheSupportedOnes) {
    add("c2", "lpd://127.0.0.1/q", "RV-C2000");
    add("c5", "ipp://127.0.0.1/ipp/print", "RV-C5020A");
    RunResult r = tarn({kTarn, "-n", "-p", "c5", "-l", "-o", "deviceOption"});
    EXPECT_EQ(r.out, "dryrun mode\n"
                     "destination: c5\n"
                     "deviceOption: CUTTER\n"
                     "destination: c2\n"
                     "deviceOption: CUTTER\n"
                     "destination: c5\n"
                     "deviceOption: CUTTER\n");
}

TEST_F(TarnWithCups, ReportsTheDeviceRecordOfEachPrinterFamily) {
    struct Case {
        const char* model;
        const char* option;
        const char* ink;
        const char* layout;
    };
    const Case cases[] = {
        {"RV-C9000", "CUTTER", "IC-90", "KCMY"},  {"RV-C2000", "CUTTER", "IC-20", "KYMC"},
        {"RV-D5510P", "PEELER", "IC-55", "KCMY"}, {"RV-D5500A", "CUTTER", "IC-55", "KCMY"},
        {"RV-C5020A", "CUTTER", "IC-50", "KYMC"}, {"RV-C5000P", "PEELER", "IC-50", "KYMC"},
    };
    for (const auto& c : cases) {
        add(c.model, "socket://127.0.0.1:9100", c.model);
    }
    for (const auto& c : cases) {
        const std::string model = c.model, ink = c.ink;
        RunResult r = tarn(recordArgs(model));
        EXPECT_EQ(r.out, "dryrun mode\n"
                         "destination: " +
                             model +
                             "\n"
                             "deviceID: MFG:VARDA;MDL:" +
                             model + ";CMD:VLCL;CLS:PRINTER;DES:VARDA " + model +
                             ";\n"
                             "deviceOption: " +
                             c.option +
                             "\n"
                             "inkNameC: " +
                             ink +
                             "C\n"
                             "inkNameM: " +
                             ink +
                             "M\n"
                             "inkNameY: " +
                             ink +
                             "Y\n"
                             "inkNameMN: MB-" +
                             ink.substr(3) +
                             "\n"
                             "inkCartridgeLayout: " +
                             c.layout + "\n");
        EXPECT_EQ(r.status, 0);
    }
}

TEST_F(TarnWithCups, QueuesWithoutPpdDataReportNotAvailable) {
    add("plain", "socket://127.0.0.1:9100");
    const std::string na = "deviceID: N/A\ndeviceOption: N/A\ninkNameC: N/A\ninkNameM: N/A\n"
                           "inkNameY: N/A\ninkNameMN: N/A\ninkCartridgeLayout: N/A\n";
    for (const std::string queue : {"plain", "nosuchqueue"}) {
        RunResult r = tarn(recordArgs(queue));
        EXPECT_EQ(r.out, "dryrun mode\ndestination: " + queue + "\n" + na) << queue;
    }
}

TEST_F(TarnWithCups, DebugModeShowsTheDeviceOfEveryQueue) {
    add("net", "socket://127.0.0.1:9100", "RV-C9000");
    add("devnull", "file:/dev/null");
    RunResult r = tarn({kTarn, "-d", "-n", "-p", "net", "-o", "deviceOption"});
    EXPECT_NE(r.err.find("device for devnull: /dev/null\n"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("device for net: socket://127.0.0.1:9100\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "dryrun mode\ndestination: net\ndeviceOption: CUTTER\n");
}

TEST(TarnWithoutCups, NoSchedulerListsNothingAndReportsNotAvailable) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    const auto start = std::chrono::steady_clock::now();
    RunResult list = cups.run({kTarn, "-l"});
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(list.status, 0);
    RunResult record = cups.run({kTarn, "-n", "-p", "q", "-o", "deviceID", "-o", "inkNameC"});
    EXPECT_EQ(record.out, "dryrun mode\ndestination: q\ndeviceID: N/A\ninkNameC: N/A\n");
    // A refused connection is not waited on.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(TarnWithCups, QueueNamesInAnotherLetterCaseFindTheirDevice) {
    add("c9", "socket://127.0.0.1:9100", "RV-C9000");
    RunResult r = tarn({kTarn, "-d", "-n", "-p", "C9", "-o", "deviceOption", "-o", "status"});
    EXPECT_NE(r.err.find("DEXOOpen\033[0m(\"\033[36msocket://127.0.0.1:9100\033[0m\")"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("destination: C9\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("deviceOption: CUTTER\n"), std::string::npos) << r.out;
}

// The -d line of a failed CUPS-Get-Printers request names the failure of that request.
TEST(TarnWithoutCups, DebugNamesTheErrorOfTheFailedRequest) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    const std::vector<std::string> argv = {kTarn, "-d", "-n", "-p", "q", "-o", "deviceID"};
    EXPECT_EQ(cups.run(argv).err.substr(0, 37), "\033[31mNo such file or directory\033[0m\n");
    harness::SilentServer silent(cups.socketPath());
    ASSERT_TRUE(silent.ok());
    EXPECT_EQ(cups.run(argv).err.substr(0, 32), "\033[31mConnection timed out\033[0m\n");
}

// A scheduler that accepts and never answers: each run gives up at its first failed request and
// asks nothing more, so it ends within one time-out with the usual report. The bound is twice
// the time-out, so that a loaded machine does not fail the test.
TEST(TarnWithoutCups, AWedgedSchedulerCostsARunOneTimeOut) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    harness::SilentServer silent(cups.socketPath());
    ASSERT_TRUE(silent.ok());
    std::vector<std::string> recordKeys = {kTarn, "-n", "-p", "q", "-o", "inkNameK"};
    std::string na = "inkNameK: N/A\n";
    for (const auto& o : kRecordOptions) {
        recordKeys.insert(recordKeys.end(), {"-o", o});
        na += o + ": N/A\n";
    }
    struct Case {
        std::vector<std::string> argv;
        std::string out;
        bool outStartsOnly = false;
    };
    const Case cases[] = {
        // The dry-run printer's state changes from run to run: up to the status value only.
        {{kTarn, "-n", "-p", "q", "-o", "status"}, "dryrun mode\ndestination: q\nstatus: ", true},
        {{kTarn, "-l"}, ""},
        {recordKeys, "dryrun mode\ndestination: q\n" + na},
        {{kTarn, "-n", "-l", "-p", "q", "-p", "r", "-o", "deviceID"},
         "dryrun mode\ndestination: q\ndeviceID: N/A\ndestination: r\ndeviceID: N/A\n"},
    };
    using Clock = std::chrono::steady_clock;
    const auto bound = 2 * std::chrono::seconds(kCupsTimeoutSeconds);
    // Side by side: the test waits about one time-out in all.
    std::vector<std::future<std::pair<RunResult, Clock::duration>>> runs;
    for (const Case& c : cases) {
        runs.push_back(std::async(std::launch::async, [&cups, &c] {
            const auto start = Clock::now();
            RunResult r = cups.run(c.argv, cups.root(), std::chrono::seconds(120));
            return std::make_pair(r, Clock::now() - start);
        }));
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        const auto [r, took] = runs[i].get();
        const Case& c = cases[i];
        EXPECT_EQ(c.outStartsOnly ? r.out.substr(0, c.out.size()) : r.out, c.out) << c.argv[1];
        EXPECT_EQ(r.status, 0);
        EXPECT_LT(took, bound) << cases[i].out;
    }
}

// A scheduler that answers the device URI request and wedges after it: the listing's call,
// which makes more than one request, still costs one time-out.
TEST(TarnWithoutCups, ASchedulerThatWedgesLaterCostsOneTimeOutToo) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    harness::SilentServer wedged(cups.socketPath(), true);
    ASSERT_TRUE(wedged.ok());
    const auto start = std::chrono::steady_clock::now();
    const RunResult r = cups.run({kTarn, "-l"}, cups.root(), std::chrono::seconds(120));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              2 * std::chrono::seconds(kCupsTimeoutSeconds));
}
