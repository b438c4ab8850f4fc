// SPDX-License-Identifier: Apache-2.0
// The device exchange against a stand-in library that logs every call and fails chosen ones:
// the order of calls, what each failure leads to, and the guards against a library that
// claims more bytes than the buffer it was given.
#include "DeviceExchange.h"
#include "Switches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARN_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(TARN_TEST_ASAN)
// The exchange asks for huge buffers without throwing and expects a refusal, as the standard
// allocator gives it; AddressSanitizer would otherwise stop the test at the request.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
#endif

namespace {

// A reply naming an error (ER/NI), the ink model and the inks, so that a decoded state differs
// from both the initial and the communication-error state.
const std::string kStatus = "\x02^S(SMA,S,ER\x02^S(SEA,E,NI\x02^S(IMM,I,GL00\x02IQ,RH,RM,RL,RN,"
                            "\x02MN,RM\x02^S(SEA,F,0";
const std::string kReply = "^S(CLM,P,IR^S(CLS,C,24";
const std::string kUri = "socket://printer:9100";

const std::string kInit = "DEXOInitialize 2 null";
const std::string kOpen = "DEXOOpen \"" + kUri + "\"";
const std::string kIoctl = "DEXOIOCTL 1 device ~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(IMF,V~H("
                           "QMN~H(QIQ~H(IMP,S~H(SPA,P~H(SPA,S~H(SPA,O~H(SEA,F \\x02^S(SMA,S, "
                           "\\x02^S(SEA,F,";
const std::string kGetSize = "DEXOGetSize device";
const std::string kOpenChannel = "DEXOOpenChannel device 1 null 10000";
const std::string kPeek = "DEXORead channel 10000 null";
const std::string kCloseChannel = "DEXOCloseChannel channel 10000";
const std::string kClose = "DEXOClose device";
const std::string kRelease = "DEXORelease";
const std::string kPreamble = "^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^XZ";

std::string getStatus(size_t size) {
    return "DEXOGetStatus device " + std::to_string(size) + " -1";
}
std::string writeOf(const std::string& data) {
    return "DEXOWrite channel 10000 " + data;
}
std::string readOf(size_t size) {
    return "DEXORead channel 10000 " + std::to_string(size);
}

std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

const std::vector<std::string> kStatusSteps = {kIoctl, kGetSize, getStatus(kStatus.size())};
const std::vector<std::string> kWrites = {writeOf(kPreamble),    writeOf("SET"),
                                          writeOf("GET"),        kPeek,
                                          readOf(kReply.size()), writeOf("FN")};
const std::vector<std::string> kClosing = {kCloseChannel, kClose, kRelease};
const std::vector<std::string> kEverything =
    concat({{kInit, kOpen}, kStatusSteps, {kOpenChannel}, kWrites, kClosing});

enum class State { Initial, CommError, Parsed, ParsedThenCommError };

// Everything the report reads from a parser.
std::string describe(const KorelStatusParser& parser) {
    std::ostringstream text;
    text << "group " << parser.GetStatusGroup() << " detail " << parser.GetStatusDetail()
         << " model " << parser.GetInkModel() << " inks";
    for (int ink : parser.GetInksOfErrorReason()) {
        text << ' ' << ink;
    }
    for (int ink : {int{'K'}, int{'C'}, int{'M'}, int{'Y'}, kInkKeyMN}) {
        text << " | " << parser.GetInkStatus(ink) << ' ' << parser.GetInkAmount(ink);
    }
    return text.str();
}

std::string expectedState(State state) {
    KorelStatusParser parser;
    if (state == State::Parsed || state == State::ParsedThenCommError) {
        parser.Parse(kStatus.data(), static_cast<int>(kStatus.size()));
    }
    if (state == State::CommError || state == State::ParsedThenCommError) {
        parser.SetAsCommError();
    }
    return describe(parser);
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        all.push_back(line);
    }
    return all;
}

class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarn-exchange-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        setenv("STANDIN_LOG", (dir_ + "/log").c_str(), 1);
        for (const char* name :
             {"STANDIN_FAIL", "STANDIN_WAITING", "STANDIN_STATUS_EXTRA", "STANDIN_READ_EXTRA"}) {
            unsetenv(name);
        }
        setenv("STANDIN_STATUS", kStatus.c_str(), 1);
        setenv("STANDIN_REPLY", kReply.c_str(), 1);
        debug = false;
        dryrun = false;
        verbose = false;
        input_.uri = kUri;
        input_.statusFlag = true;
        input_.unitFlag = true;
        input_.setRequest = "SET";
        input_.getRequest = "GET";
        input_.functionRequest = "FN";
        input_.libraryPaths = {STANDIN_PATH};
    }

    void TearDown() override {
        unload();
        std::string command = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    // Runs the exchange; what it wrote for the report lands in out_.
    ExchangeResult run() {
        FILE* out = tmpfile();
        EXPECT_NE(out, nullptr);
        ExchangeResult result = runExchange(input_, out);
        fflush(out);
        rewind(out);
        out_.clear();
        for (int c; (c = fgetc(out)) != EOF;) {
            out_.push_back(static_cast<char>(c));
        }
        fclose(out);
        return result;
    }

    std::vector<std::string> log() const { return lines(readFile(dir_ + "/log")); }

    std::string dir_;
    ExchangeInput input_;
    std::string out_;
};

struct FailureCase {
    const char* name;
    const char* fail; // STANDIN_FAIL
    std::vector<std::string> log;
    State state;
    bool replyRead;
    bool channelFailed;
    std::string out;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class ExchangeFailureTest : public ExchangeTest,
                            public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ExchangeFailureTest, FollowsTheFailureTable) {
    const FailureCase& c = GetParam();
    setenv("STANDIN_FAIL", c.fail, 1);
    const ExchangeResult result = run();
    EXPECT_EQ(result.end, ExchangeEnd::Completed);
    EXPECT_EQ(log(), c.log);
    ASSERT_NE(result.parser, nullptr);
    EXPECT_EQ(describe(*result.parser), expectedState(c.state));
    EXPECT_EQ(result.replyRead, c.replyRead);
    EXPECT_EQ(result.reply, c.replyRead ? kReply : "");
    EXPECT_EQ(result.channelFailed, c.channelFailed);
    EXPECT_EQ(out_, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, ExchangeFailureTest,
    ::testing::Values(
        FailureCase{"NothingFails", "", kEverything, State::Parsed, true, false, ""},
        FailureCase{"Initialize", "DEXOInitialize", {kInit}, State::Initial, false, false, ""},
        FailureCase{"Open",
                    "DEXOOpen",
                    {kInit, kOpen, "DEXOClose null", kRelease},
                    State::Initial,
                    false,
                    false,
                    ""},
        FailureCase{"IOCTL", "DEXOIOCTL",
                    concat({{kInit, kOpen, kIoctl, kOpenChannel}, kWrites, kClosing}),
                    State::Initial, true, false, ""},
        FailureCase{"GetSize", "DEXOGetSize",
                    concat({{kInit, kOpen, kIoctl, kGetSize, kOpenChannel}, kWrites, kClosing}),
                    State::Initial, true, false, ""},
        FailureCase{"GetStatus", "DEXOGetStatus", kEverything, State::CommError, true, false, ""},
        FailureCase{"OpenChannel", "DEXOOpenChannel",
                    concat({{kInit, kOpen},
                            kStatusSteps,
                            {kOpenChannel, "DEXOCloseChannel null 10000", kClose, kRelease}}),
                    State::ParsedThenCommError, false, true, "ERROR\n"},
        FailureCase{"WriteOfTheGetRequest", "DEXOWrite#3",
                    concat({{kInit, kOpen},
                            kStatusSteps,
                            {kOpenChannel, writeOf(kPreamble), writeOf("SET"), writeOf("GET"),
                             writeOf("FN")},
                            kClosing}),
                    State::Parsed, false, false, ""},
        FailureCase{"FirstRead", "DEXORead#1",
                    concat({{kInit, kOpen},
                            kStatusSteps,
                            {kOpenChannel, writeOf(kPreamble), writeOf("SET"), writeOf("GET"),
                             kPeek, writeOf("FN")},
                            kClosing}),
                    State::Parsed, false, false, ""},
        FailureCase{"WriteOfThePreamble", "DEXOWrite#1", kEverything, State::Parsed, true, false,
                    ""},
        FailureCase{"WriteOfTheSetRequest", "DEXOWrite#2", kEverything, State::Parsed, true, false,
                    ""},
        FailureCase{"WriteOfTheFunctionRequest", "DEXOWrite#4", kEverything, State::Parsed, true,
                    false, ""},
        FailureCase{"Closing", "DEXOCloseChannel DEXOClose DEXORelease", kEverything, State::Parsed,
                    true, false, ""}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(ExchangeTest, SecondReadFailureIsNoReply) {
    setenv("STANDIN_FAIL", "DEXORead#2", 1);
    const ExchangeResult result = run();
    EXPECT_EQ(log(), kEverything);
    // The failed copy wrote nothing: its zero-filled buffer is not taken for a reply.
    EXPECT_FALSE(result.replyRead);
    EXPECT_EQ(result.reply, "");
}

TEST_F(ExchangeTest, StatusOfZeroBytesIsACommunicationError) {
    setenv("STANDIN_STATUS", "", 1);
    const ExchangeResult result = run();
    EXPECT_EQ(
        log(),
        concat({{kInit, kOpen, kIoctl, kGetSize, getStatus(0), kOpenChannel}, kWrites, kClosing}));
    EXPECT_EQ(describe(*result.parser), expectedState(State::CommError));
}

TEST_F(ExchangeTest, NothingWaitingIsNoReply) {
    setenv("STANDIN_REPLY", "", 1);
    const ExchangeResult result = run();
    EXPECT_EQ(log(), concat({{kInit, kOpen},
                             kStatusSteps,
                             {kOpenChannel, writeOf(kPreamble), writeOf("SET"), writeOf("GET"),
                              kPeek, writeOf("FN")},
                             kClosing}));
    EXPECT_FALSE(result.replyRead);
}

struct RequestCase {
    const char* name;
    bool statusFlag;
    bool unitFlag;
    const char* set;
    const char* get;
    const char* function;
    std::vector<std::string> log;
};

void PrintTo(const RequestCase& c, std::ostream* os) {
    *os << c.name;
}

class ExchangeRequestTest : public ExchangeTest,
                            public ::testing::WithParamInterface<RequestCase> {};

TEST_P(ExchangeRequestTest, OpensWhatTheRequestsNeed) {
    const RequestCase& c = GetParam();
    input_.statusFlag = c.statusFlag;
    input_.unitFlag = c.unitFlag;
    input_.setRequest = c.set;
    input_.getRequest = c.get;
    input_.functionRequest = c.function;
    run();
    EXPECT_EQ(log(), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ExchangeRequestTest,
    ::testing::Values(
        RequestCase{"StatusOnlyOpensNoChannel", true, false, "", "", "",
                    concat({{kInit, kOpen}, kStatusSteps, {kClose, kRelease}})},
        RequestCase{
            "FunctionOnlyWritesAndReadsNothing",
            false,
            false,
            "",
            "",
            "~W(PNC",
            {kInit, kOpen, kOpenChannel, writeOf("~W(PNC"), kCloseChannel, kClose, kRelease}},
        RequestCase{"SetWithoutGetReadsNothing",
                    false,
                    false,
                    "SET",
                    "",
                    "",
                    {kInit, kOpen, kOpenChannel, writeOf("SET"), kCloseChannel, kClose, kRelease}},
        RequestCase{"PreambleFirstThenSetThenGet",
                    false,
                    true,
                    "SET",
                    "GET",
                    "",
                    {kInit, kOpen, kOpenChannel, writeOf(kPreamble), writeOf("SET"), writeOf("GET"),
                     kPeek, readOf(kReply.size()), kCloseChannel, kClose, kRelease}},
        RequestCase{"NoRequestAndNoStatusOnlyOpensAndCloses",
                    false,
                    false,
                    "",
                    "",
                    "",
                    {kInit, kOpen, kClose, kRelease}}),
    [](const ::testing::TestParamInfo<RequestCase>& info) { return info.param.name; });

TEST_F(ExchangeTest, ReplyClaimedLongerThanItsBufferIsCutToTheBuffer) {
    setenv("STANDIN_READ_EXTRA", "4096", 1);
    const ExchangeResult result = run();
    EXPECT_EQ(result.reply, kReply);
}

TEST_F(ExchangeTest, StatusClaimedLongerThanItsBufferIsCutToTheBuffer) {
    setenv("STANDIN_STATUS_EXTRA", "4096", 1);
    debug = true;
    const ExchangeResult result = run();
    debug = false;
    EXPECT_EQ(describe(*result.parser), expectedState(State::Parsed));
    // The status dump shows the held bytes and nothing behind them.
    const std::string dumped = out_.substr(0, out_.find("]\n"));
    EXPECT_EQ(dumped.find("\\x00"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("^S(SEA,F,0"), std::string::npos) << dumped;
}

TEST_F(ExchangeTest, ReplyThatCannotBeHeldIsNoReply) {
    const std::vector<std::string> sizes = {"18446744073709551615", "18446744073709551614",
                                            "1152921504606846976"};
    for (const std::string& size : sizes) {
        SCOPED_TRACE(size);
        setenv("STANDIN_WAITING", size.c_str(), 1);
        unlink((dir_ + "/log").c_str());
        const ExchangeResult result = run();
        EXPECT_FALSE(result.replyRead);
        const std::vector<std::string> calls = log();
        EXPECT_EQ(std::count(calls.begin(), calls.end(), kPeek), 1);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), readOf(kReply.size())), 0);
    }
}

TEST_F(ExchangeTest, ReplyIsStoredAndEchoedWithOutputFile) {
    setenv("STANDIN_REPLY", "A\nB", 1);
    const std::string path = dir_ + "/reply.txt";
    input_.outputPath = &path;
    const ExchangeResult result = run();
    EXPECT_EQ(result.end, ExchangeEnd::Completed);
    EXPECT_EQ(readFile(path), "A\nB");
    EXPECT_EQ(out_, "A\033[34m\\x0A\033[0mB");
}

TEST_F(ExchangeTest, OutputFileThatCannotBeOpenedEndsTheRunButClosesTheDevice) {
    const std::string path = dir_ + "/missing/reply.txt";
    input_.outputPath = &path;
    const ExchangeResult result = run();
    EXPECT_EQ(result.end, ExchangeEnd::OutputOpenFailed);
    EXPECT_EQ(out_, "Outputfile Open Error.");
    // The function request is not sent; channel, device and library are still closed.
    EXPECT_EQ(log(), concat({{kInit, kOpen},
                             kStatusSteps,
                             {kOpenChannel, writeOf(kPreamble), writeOf("SET"), writeOf("GET"),
                              kPeek, readOf(kReply.size())},
                             kClosing}));
}

TEST_F(ExchangeTest, DebugDumpsGoToTheReportStreamInOrder) {
    setenv("STANDIN_STATUS",
           "\x02"
           "A\n\x02"
           "B",
           1);
    setenv("STANDIN_REPLY", "L1\nL2", 1);
    input_.unitFlag = false;
    input_.setRequest = "";
    debug = true;
    run();
    debug = false;
    EXPECT_EQ(out_, "\t\033[36m[000]\033[0m \033[34m\\x02\033[0mA\033[34m\\x0A\033[0m\n"
                    "\t\033[36m[003]\033[0m \033[34m\\x02\033[0mB]\n"
                    "GET]\n"
                    "\t\033[36m[000]\033[0m L1\033[34m\\x0A\033[0m\n"
                    "\t\033[36m[003]\033[0m L2]\n"
                    "FN]\n");
}

TEST_F(ExchangeTest, ReplyEndingInItsOnlyLineEndIsDumpedOnOneLine) {
    setenv("STANDIN_REPLY", "L1\n", 1);
    input_.statusFlag = false;
    input_.unitFlag = false;
    input_.setRequest = "";
    input_.functionRequest = "";
    debug = true;
    run();
    debug = false;
    EXPECT_EQ(out_, "GET]\nL1\033[34m\\x0A\033[0m]\n");
}

struct LoadCase {
    const char* name;
    std::vector<std::string> paths;
    const char* messageHas; // part of the loader's message
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class ExchangeLoadTest : public ExchangeTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ExchangeLoadTest, EndsTheRunWithTheLoadFailureLine) {
    const LoadCase& c = GetParam();
    input_.libraryPaths = c.paths;
    const ExchangeResult result = run();
    EXPECT_EQ(result.end, ExchangeEnd::LoadFailed);
    EXPECT_EQ(result.parser, nullptr);
    EXPECT_EQ(out_.rfind("dexo1.so load error, ", 0), 0u) << out_;
    EXPECT_NE(out_.find(c.messageHas), std::string::npos) << out_;
    EXPECT_EQ(out_.back(), '\n');
    EXPECT_TRUE(log().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, ExchangeLoadTest,
    ::testing::Values(
        LoadCase{"NoFile", {"/nonexistent/first.so", "/nonexistent/second.so"}, "second.so"},
        LoadCase{"LastNameMissing", {STANDIN_NOVERSION_PATH}, "DEXOGetVersion"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(ExchangeTest, SecondPathIsTriedWhenTheFirstFails) {
    input_.libraryPaths = {"/nonexistent/dexo1.so", STANDIN_NOVERSION_PATH, STANDIN_PATH};
    const ExchangeResult result = run();
    EXPECT_EQ(result.end, ExchangeEnd::Completed);
    EXPECT_EQ(log(), kEverything);
}

TEST_F(ExchangeTest, DryRunCallsNoLibraryAndReadsNoReply) {
    dryrun = true;
    input_.libraryPaths = {"/nonexistent/dexo1.so"};
    const ExchangeResult result = run();
    dryrun = false;
    EXPECT_EQ(result.end, ExchangeEnd::Completed);
    EXPECT_TRUE(log().empty());
    EXPECT_NE(dynamic_cast<KorelStatusParserDryrun*>(result.parser.get()), nullptr);
    EXPECT_FALSE(result.replyRead);
    EXPECT_FALSE(result.channelFailed);
    EXPECT_EQ(out_, "");
}

} // namespace
