// The tarn binary against a real private cupsd: the supported-printer list and the device
// record report lines, compared byte for byte.
#include "TempCups.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

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
