// SPDX-License-Identifier: Apache-2.0
// Queue lookup against a real private cupsd: device records from PPDs, the device URI table from
// CUPS-Get-Printers and the scan for supported queues.
#include "QueueLookup.h"
#include "SilentServer.h"
#include "Switches.h"
#include "TempCups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <regex>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;
using harness::inFreshCupsThread;
using harness::PpdAttr;
using harness::SilentServer;
using harness::TempCups;
using Clock = std::chrono::steady_clock;

namespace {

std::vector<std::string> fieldsOf(const DeviceIDs& d) {
    return {d.deviceID, d.deviceOption, d.inkNameBK, d.inkNameMK,         d.inkNameC,
            d.inkNameM, d.inkNameY,     d.inkNameMN, d.inkCartridgeLayout};
}

const std::vector<std::string> kEmptyRecord(9);

// Each in a run of its own.
DeviceIDs lookup(const std::string& queue) {
    return inFreshCupsThread([&] {
        CupsRun run;
        return GetDeviceIDFromQueue(queue, run);
    });
}

DeviceUriTable uriTable() {
    return inFreshCupsThread([] {
        CupsRun run;
        return listupDevicesByIPP(run);
    });
}

struct Listing {
    std::vector<std::string> queues;
    std::map<std::string, DeviceIDs> records;
};

Listing listSupported(const DeviceUriTable& uris, std::vector<std::string> before = {}) {
    return inFreshCupsThread([&] {
        Listing l{std::move(before), {}};
        CupsRun run;
        listSupportedQueues(uris, l.queues, l.records, run);
        return l;
    });
}

std::vector<std::string> entriesOf(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    return names;
}

// Every test checks that no temporary PPD copy is left behind.
class QueueLookup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(cups.ok()) << cups.error();
        cups.applyToProcess();
        fs::create_directories(ppdDir());
    }
    void TearDown() override {
        EXPECT_EQ(entriesOf(cups.tmpDir()), std::vector<std::string>{})
            << "a temporary PPD copy was left in TMPDIR";
    }

    std::string ppdDir() const { return cups.root() + "/generated"; }

    // Adds a queue whose PPD carries exactly the given attributes.
    void addQueueWithPpd(const std::string& queue, const std::string& uri,
                         const std::vector<PpdAttr>& attrs) {
        const std::string path = ppdDir() + "/" + queue + ".ppd";
        ASSERT_TRUE(harness::writePpd(path, attrs));
        ASSERT_TRUE(cups.addQueue(queue, uri, path)) << cups.lastError();
    }

    TempCups cups;
};

} // namespace

TEST(DeviceOption, FollowsTheModelNumberAndSuffix) {
    struct Case {
        const char* deviceID;
        const char* option;
    };
    const Case cases[] = {
        {"MFG:VARDA;MDL:RV-C5000P;", "PEELER"},
        {"MFG:VARDA;MDL:RV-D5510P;CMD:VLCL;", "PEELER"},
        {"MFG:VARDA;MDL:RV-C5550PX;", "PEELER"},
        {"MFG:VARDA;MDL:RV-D5550A;", "CUTTER"},
        {"MFG:VARDA;MDL:RV-C5020A;CLS:PRINTER;", "CUTTER"},
        {"MFG:VARDA;MDL:RV-C2000;", "CUTTER"},
        {"MFG:VARDA;MDL:RV-C2050X;", "CUTTER"},
        {"MFG:VARDA;MDL:RV-C9000;", "CUTTER"},
        {"MFG:VARDA;MDL:RV-D9050XY;", "CUTTER"},
        // Neither pattern: the manufacturer must come first, then the model.
        {"CMD:VLCL;MFG:VARDA;MDL:RV-C5000P;", ""},
        {"MDL:RV-C5000P;MFG:VARDA;", ""},
        {"MFG:VARDA;MDL:RV-C5000;", ""},
        {"MFG:VARDA;MDL:RV-C5060P;", ""},
        {"MFG:VARDA;MDL:RV-C5000B;", ""},
        {"MFG:VARDA;MDL:RV-E9000;", ""},
        {"MFG:VARDA;MDL:RV-C9000", ""},
        {"MFG:OTHER;MDL:RV-C9000;", ""},
        {"mfg:varda;mdl:rv-c9000;", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(deviceOptionOf(c.deviceID), c.option) << c.deviceID;
    }
}

TEST_F(QueueLookup, ReadsTheRecordOfEveryShippedPrinterPpd) {
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
        ASSERT_TRUE(cups.addQueue(c.model, "socket://127.0.0.1:9100", harness::shippedPpd(c.model)))
            << cups.lastError();
    }
    for (const auto& c : cases) {
        const std::string ink = c.ink;
        const std::string mn = "MB-" + ink.substr(3);
        const std::vector<std::string> expected{std::string("MFG:VARDA;MDL:") + c.model +
                                                    ";CMD:VLCL;CLS:PRINTER;DES:VARDA " + c.model +
                                                    ";",
                                                c.option,
                                                ink + "BK",
                                                ink + "MK",
                                                ink + "C",
                                                ink + "M",
                                                ink + "Y",
                                                mn,
                                                c.layout};
        EXPECT_EQ(fieldsOf(lookup(c.model)), expected) << c.model;
    }
}

TEST_F(QueueLookup, TakesTheFirstValuedAttributeOfARepeatedKeyword) {
    struct Case {
        const char* queue;
        std::vector<PpdAttr> attrs;
        std::string DeviceIDs::*field;
        const char* expected;
    };
    const Case cases[] = {
        {"second", {{"inkNameC", ""}, {"inkNameC", "IC-2C"}}, &DeviceIDs::inkNameC, "IC-2C"},
        {"bare",
         {{"inkNameC", std::nullopt}, {"inkNameC", "IC-2C"}},
         &DeviceIDs::inkNameC,
         "IC-2C"},
        {"first", {{"inkNameM", "IC-1M"}, {"inkNameM", "IC-2M"}}, &DeviceIDs::inkNameM, "IC-1M"},
        {"specifier",
         {{"inkNameY Spare", "IC-SY"}, {"inkNameY", "IC-2Y"}},
         &DeviceIDs::inkNameY,
         "IC-SY"},
        {"none", {{"inkNameMN", ""}, {"inkNameMN", std::nullopt}}, &DeviceIDs::inkNameMN, ""},
        {"layout",
         {{"inkCartridgeLayout", ""}, {"inkCartridgeLayout", "KYMC"}},
         &DeviceIDs::inkCartridgeLayout,
         "KYMC"},
        {"devid",
         {{"1284DeviceID", ""}, {"1284DeviceID", "MFG:VARDA;MDL:RV-C5000P;"}},
         &DeviceIDs::deviceOption,
         "PEELER"},
        {"absent", {{"inkNameBK", "IC-BK"}}, &DeviceIDs::inkNameMK, ""},
    };
    for (const auto& c : cases) {
        addQueueWithPpd(c.queue, "socket://127.0.0.1:9100", c.attrs);
    }
    for (const auto& c : cases) {
        EXPECT_EQ(lookup(c.queue).*c.field, c.expected) << c.queue;
    }
}

TEST_F(QueueLookup, QueuesWithoutUsablePpdGiveAnEmptyRecord) {
    ASSERT_TRUE(cups.addQueue("noppd", "socket://127.0.0.1:9100")) << cups.lastError();
    ASSERT_TRUE(cups.addQueue("broken", "socket://127.0.0.1:9100", harness::shippedPpd("RV-C9000")))
        << cups.lastError();
    // The scheduler serves the file as it is on disk; garbage there cannot be opened as a PPD.
    std::ofstream(cups.root() + "/ppd/broken.ppd", std::ios::trunc) << "not a PPD\n";
    addQueueWithPpd("modelless", "socket://127.0.0.1:9100", {{"inkNameC", "IC-C"}});

    EXPECT_EQ(fieldsOf(lookup("noppd")), kEmptyRecord);
    EXPECT_EQ(fieldsOf(lookup("broken")), kEmptyRecord);
    EXPECT_EQ(fieldsOf(lookup("nosuchqueue")), kEmptyRecord);
    EXPECT_EQ(fieldsOf(lookup("")), kEmptyRecord);
    DeviceIDs modelless = lookup("modelless");
    EXPECT_EQ(modelless.deviceID, "");
    EXPECT_EQ(modelless.deviceOption, "");
    EXPECT_EQ(modelless.inkNameC, "IC-C");
}

TEST_F(QueueLookup, RemovesADownloadedPpdCopyToo) {
    ASSERT_TRUE(cups.addQueue("c9", "socket://127.0.0.1:9100", harness::shippedPpd("RV-C9000")))
        << cups.lastError();
    // With a server root that is not the scheduler's, libcups cannot link the scheduler's file
    // and downloads a copy instead.
    const std::string elsewhere = cups.root() + "/elsewhere";
    fs::create_directories(elsewhere);
    setenv("CUPS_SERVERROOT", elsewhere.c_str(), 1);
    DeviceIDs ids = lookup("c9");
    setenv("CUPS_SERVERROOT", cups.root().c_str(), 1);
    EXPECT_EQ(ids.inkNameC, "IC-90C");
    EXPECT_EQ(ids.deviceOption, "CUTTER");
}

// Within one run a queue whose lookup failed is not asked for again; other queues still are,
// and a later run asks afresh.
TEST_F(QueueLookup, AFailedQueueIsNotAskedAgainInTheSameRun) {
    ASSERT_TRUE(cups.addQueue("known", "socket://127.0.0.1:9100", harness::shippedPpd("RV-C9000")));
    const auto [first, again, known] = inFreshCupsThread([this] {
        CupsRun run;
        const DeviceIDs missing = GetDeviceIDFromQueue("Later", run);
        EXPECT_TRUE(
            cups.addQueue("later", "socket://127.0.0.1:9100", harness::shippedPpd("RV-C2000")));
        return std::make_tuple(missing, GetDeviceIDFromQueue("LATER", run),
                               GetDeviceIDFromQueue("known", run));
    });
    EXPECT_EQ(fieldsOf(first), kEmptyRecord);
    EXPECT_EQ(fieldsOf(again), kEmptyRecord);
    EXPECT_EQ(known.deviceOption, "CUTTER");
    EXPECT_EQ(lookup("later").deviceID.substr(0, 23), "MFG:VARDA;MDL:RV-C2000;");
}

TEST_F(QueueLookup, DeviceUriTableFromTheServer) {
    const std::string outFile = cups.root() + "/spool/out";
    ASSERT_TRUE(cups.addQueue("net", "socket://127.0.0.1:9100", harness::shippedPpd("RV-C9000")));
    ASSERT_TRUE(cups.addQueue("devnull", "file:/dev/null"));
    ASSERT_TRUE(cups.addQueue("tofile", "file:" + outFile));
    ASSERT_TRUE(cups.addQueue("usb", "usb://VARDA/RV-C9000?serial=1"));
    ASSERT_TRUE(cups.addQueue("gone", "lpd://127.0.0.1/q"));
    ASSERT_TRUE(cups.deleteQueue("gone"));
    ASSERT_TRUE(cups.addInstance("net", "copy"));
    // A class is a queue of its own, with the scheduler's placeholder device.
    ASSERT_TRUE(cups.addToClass("net", "pool")) << cups.lastError();

    const DeviceUriTable expected{
        {"devnull", "/dev/null"}, {"net", "socket://127.0.0.1:9100"},       {"pool", "///dev/null"},
        {"tofile", outFile},      {"usb", "usb://VARDA/RV-C9000?serial=1"},
    };
    EXPECT_EQ(uriTable(), expected);
}

TEST_F(QueueLookup, ListsSupportedModelsOnSupportedConnectionsInDestinationOrder) {
    const std::string c9 = "MFG:VARDA;MDL:RV-C9000;CMD:VLCL;";
    struct Case {
        const char* queue;
        std::string uri;
        std::optional<std::string> deviceID; // nullopt: a queue without PPD
        bool listed;
    };
    const Case cases[] = {
        {"m-c9000", "socket://127.0.0.1:9100", c9, true},
        {"m-c9050x", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C9050X;", true},
        {"m-c9000xy", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C9000XY;", false},
        {"m-c9060", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C9060;", false},
        {"m-c2050", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C2050;", true},
        {"m-c5000p", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C5000P;", true},
        {"m-c5000px", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C5000PX;", true},
        {"m-d5550a", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-D5550A;", true},
        {"m-c5000", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C5000;", false},
        {"m-c5000b", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C5000B;", false},
        {"m-cmdfirst", "socket://127.0.0.1:9100", "CMD:VLCL;MFG:VARDA;MDL:RV-C9000;", false},
        {"m-other", "socket://127.0.0.1:9100", "MFG:OTHER;MDL:RV-C9000;", false},
        {"m-nosemicolon", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-C9000", false},
        {"m-e9000", "socket://127.0.0.1:9100", "MFG:VARDA;MDL:RV-E9000;", false},
        {"m-noid", "socket://127.0.0.1:9100", "", false},
        {"m-noppd", "socket://127.0.0.1:9100", std::nullopt, false},
        {"s-lpd", "lpd://127.0.0.1/queue", c9, true},
        {"s-ipp", "ipp://127.0.0.1/ipp/print", c9, true},
        {"s-dnssd", "dnssd://RV-C9000._ipp._tcp.local/", c9, true},
        {"s-mdns", "mdns://RV-C9000", c9, true},
        {"s-vardausb", "vardaUSB://RV-C9000?serial=123", c9, true},
        {"s-usb", "usb://VARDA/RV-C9000?serial=123", c9, false},
        {"s-ipps", "ipps://127.0.0.1/ipp/print", c9, false},
        {"s-http", "http://127.0.0.1/", c9, false},
        {"s-devnull", "file:/dev/null", c9, false},
        {"s-file", "file:" + cups.root() + "/spool/out", c9, false},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        if (c.deviceID) {
            addQueueWithPpd(c.queue, c.uri, {{"1284DeviceID", *c.deviceID}, {"inkNameC", "IC-C"}});
        } else {
            ASSERT_TRUE(cups.addQueue(c.queue, c.uri)) << cups.lastError();
        }
        if (c.listed) {
            expected.push_back(c.queue);
        }
    }
    // An instance of a supported queue is the same printer: it is not listed again.
    ASSERT_TRUE(cups.addInstance("m-c9000", "copy")) << cups.lastError();
    std::sort(expected.begin(), expected.end());

    const Listing listing = listSupported(uriTable());
    EXPECT_EQ(listing.queues, expected);
    ASSERT_EQ(listing.records.size(), expected.size());
    EXPECT_EQ(listing.records.at("m-c9000").deviceID, c9);
    EXPECT_EQ(listing.records.at("m-c9000").deviceOption, "CUTTER");
    EXPECT_EQ(listing.records.at("m-c9000").inkNameC, "IC-C");
    EXPECT_EQ(listing.records.at("m-c5000p").deviceOption, "PEELER");
}

TEST_F(QueueLookup, TheUriTableDecidesTheConnectionAndQueuesNamedBeforeStay) {
    addQueueWithPpd("a-net", "socket://127.0.0.1:9100",
                    {{"1284DeviceID", "MFG:VARDA;MDL:RV-C2000;"}});
    addQueueWithPpd("b-usb", "usb://VARDA/RV-C2000", {{"1284DeviceID", "MFG:VARDA;MDL:RV-C2000;"}});
    struct Case {
        const char* what;
        DeviceUriTable uris;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"from the server", uriTable(), {"first", "a-net"}},
        {"not reported by the server", {}, {"first"}},
        {"table overrides the queue",
         {{"a-net", "usb://x"}, {"b-usb", "ipp://localhost/printers/b-usb"}},
         {"first", "b-usb"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(listSupported(c.uris, {"first"}).queues, c.expected) << c.what;
    }
}

TEST_F(QueueLookup, VerboseScanNamesEachQueueAndTheInksOfSupportedOnes) {
    ASSERT_TRUE(cups.addQueue("c2", "lpd://127.0.0.1/q", harness::shippedPpd("RV-C2000")));
    addQueueWithPpd("plain", "file:/dev/null", {{"inkNameC", "IC-C"}});
    const auto uris = uriTable();
    testing::internal::CaptureStderr();
    verbose = true;
    const Listing listing = listSupported(uris);
    verbose = false;
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(listing.queues, std::vector<std::string>{"c2"});
    EXPECT_EQ(err, "c2\n"
                   "\t\e[33mdevice-uri(cupsGetDests):\e[0m lpd://127.0.0.1/q\n"
                   "\t\e[33mdevice-uri(IPP):\e[0m lpd://127.0.0.1/q\n"
                   "\t\e[33m1284DeviceID:\e[0m MFG:VARDA;MDL:RV-C2000;CMD:VLCL;CLS:PRINTER;"
                   "DES:VARDA RV-C2000;\n"
                   "\t\e[33minkNameBK:\e[0m IC-20BK\n"
                   "\t\e[33minkNameMK:\e[0m IC-20MK\n"
                   "\t\e[33minkNameC:\e[0m IC-20C\n"
                   "\t\e[33minkNameM:\e[0m IC-20M\n"
                   "\t\e[33minkNameY:\e[0m IC-20Y\n"
                   "\t\e[33minkNameMN:\e[0m MB-20\n"
                   "\t\e[33minkCartridgeLayout:\e[0m KYMC\n"
                   "plain\n"
                   "\t\e[33mdevice-uri(cupsGetDests):\e[0m file:/dev/null\n"
                   "\t\e[33mdevice-uri(IPP):\e[0m /dev/null\n"
                   "\t\e[33m1284DeviceID:\e[0m \e[31mN/A\e[0m\n");
}

TEST_F(QueueLookup, DebugTracePrintsEveryPrinterAttribute) {
    ASSERT_TRUE(cups.addQueue("c2", "lpd://127.0.0.1/q", harness::shippedPpd("RV-C2000")));
    testing::internal::CaptureStderr();
    debug = true;
    const auto uris = uriTable();
    debug = false;
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(uris.at("c2"), "lpd://127.0.0.1/q");
    // The server chooses the attribute order; each attribute is one line.
    const char* lines[] = {
        R"(attr\[0x[0-9a-f]+\]: \{ name: "printer-name", num_values: 1, value: \{"c2"\} \}\n)",
        R"(attr\[0x[0-9a-f]+\]: \{ name: "device-uri", num_values: 1, value: \{"lpd://127.0.0.1/q"\} \}\n)",
        R"(attr\[0x[0-9a-f]+\]: \{ name: "printer-uri-supported", num_values: 1, value: \{"ipp://localhost/printers/c2"\} \}\n)",
    };
    for (const char* line : lines) {
        EXPECT_TRUE(std::regex_search(err, std::regex(line))) << line << "\nin:\n" << err;
    }
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 3) << err;
}

TEST(QueueLookupWithoutServer, NoSchedulerGivesNothingAndReturnsAtOnce) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    cups.applyToProcess();
    const auto start = Clock::now();
    EXPECT_TRUE(uriTable().empty());
    EXPECT_EQ(listSupported({{"q", "socket://x"}}).queues, std::vector<std::string>{});
    EXPECT_EQ(fieldsOf(lookup("q")), kEmptyRecord);
    // A refused connection must not be waited on.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(entriesOf(cups.tmpDir()), std::vector<std::string>{});
}

TEST(QueueLookupWithoutServer, AServerThatNeverAnswersDoesNotHangTheTool) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    cups.applyToProcess();
    SilentServer silent(cups.socketPath());
    ASSERT_TRUE(silent.ok());
    const auto start = Clock::now();
    // Side by side, so that the test waits for the slowest only.
    auto table = std::async(std::launch::async, uriTable);
    auto record = std::async(std::launch::async, [] { return lookup("q"); });
    auto listing = std::async(std::launch::async, [] {
        return listSupported({{"q", "socket://x"}});
    });
    EXPECT_TRUE(table.get().empty());
    EXPECT_EQ(fieldsOf(record.get()), kEmptyRecord);
    EXPECT_EQ(listing.get().queues, std::vector<std::string>{});
    // Unbounded, each of these waited for minutes.
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(40));
    EXPECT_EQ(entriesOf(cups.tmpDir()), std::vector<std::string>{});

    // In one run, the first silence ends all asking: the table, the listing and a record looked
    // up for every key cost one time-out together (bounded at twice that, for a loaded machine).
    const auto runStart = Clock::now();
    const Listing oneRun = inFreshCupsThread([] {
        CupsRun run;
        Listing l;
        const DeviceUriTable uris = listupDevicesByIPP(run);
        listSupportedQueues(uris, l.queues, l.records, run);
        for (int key = 0; key < 8; ++key) {
            l.records["q"] = GetDeviceIDFromQueue("q", run);
        }
        return l;
    });
    EXPECT_LT(Clock::now() - runStart, 2 * std::chrono::seconds(kCupsTimeoutSeconds));
    EXPECT_EQ(oneRun.queues, std::vector<std::string>{});
    EXPECT_EQ(fieldsOf(oneRun.records.at("q")), kEmptyRecord);
}
