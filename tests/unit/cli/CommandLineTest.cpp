// SPDX-License-Identifier: Apache-2.0
// The three-pass command line: outcomes and messages of the checks, and the run description.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Args = std::vector<std::string>;

// A compact picture of a run description, for comparing whole results in one line.
std::string describe(const ParseResult& result) {
    const RunDescription& run = result.run;
    std::string text = "queues=";
    for (const auto& queue : run.queues) {
        text += queue + ",";
    }
    text += " keys=";
    for (const auto& key : run.optionKeys) {
        text += key + ",";
    }
    text += " settings=";
    for (const auto& [key, value] : run.settings) {
        text += key + ":" + value + ",";
    }
    text += " functions=";
    for (const auto& function : run.functions) {
        text += function + ",";
    }
    text += " in=" + (run.inputGiven ? run.inputPath : "-");
    text += " out=" + (run.outputGiven ? run.outputPath : "-");
    text += std::string(" list=") + (run.listMode ? "1" : "0");
    text += std::string(" file=") + (run.commandFileMode ? "1" : "0");
    text += std::string(" vdn=") + (result.switches.verbose ? "1" : "0") +
            (result.switches.debug ? "1" : "0") + (result.switches.dryrun ? "1" : "0");
    return text;
}

struct RefusedCase {
    const char* name;
    Args args;
    const char* message; // printed before the usage text
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedCommandLine : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCommandLine, ShowsTheUsageText) {
    const RefusedCase& c = GetParam();
    const ParseResult result = parseCommandLine(c.args);
    EXPECT_EQ(result.outcome, ParseOutcome::Usage);
    EXPECT_EQ(result.message, c.message);
}

const char kNoQueue[] = "\033[1mNo queue specified\033[0m\n";
const char kNoOption[] = "\033[1mNo option specified\033[0m\n";
const char kNoInput[] = "\033[1mNo inputfile specified\033[0m\n";

INSTANTIATE_TEST_SUITE_P(
    Grammar, RefusedCommandLine,
    ::testing::Values(RefusedCase{"NoArguments", {}, ""},
                      RefusedCase{"BareQueueName", {"q1", "-o", "status"}, ""},
                      RefusedCase{"WordWithoutDashAfterValue", {"-p", "q", "x", "-o", "a"}, ""},
                      RefusedCase{"LoneDash", {"-p", "q", "-"}, ""},
                      RefusedCase{"UnknownLetter", {"-p", "q", "-o", "a", "-x"}, ""},
                      RefusedCase{"UpperCaseLetter", {"-P", "q", "-o", "a"}, ""},
                      RefusedCase{"QueueWithoutValue", {"-p"}, ""},
                      RefusedCase{"QueueFollowedByOption", {"-p", "-o", "a"}, ""},
                      RefusedCase{"InputWithoutValue", {"-p", "q", "-o", "a", "-i"}, ""},
                      RefusedCase{"OutputWithoutValue", {"-p", "q", "-o", "a", "-u", "-v"}, ""},
                      RefusedCase{"OptionSwallowsNextWordInFirstPass", {"-p", "q", "-o", "-v"}, ""},
                      RefusedCase{"OptionWithoutValue", {"-p", "q", "-o"}, ""},
                      RefusedCase{"FunctionWithoutValue", {"-p", "q", "-o", "a", "-f"}, ""},
                      RefusedCase{"NoQueue", {"-o", "status"}, kNoQueue},
                      RefusedCase{"NoQueueDespiteDryRun", {"-n", "-v", "-d"}, kNoQueue},
                      RefusedCase{"NoOption", {"-p", "q"}, kNoOption},
                      RefusedCase{"OutputIsNoOption", {"-p", "q", "-u", "out"}, kNoOption},
                      RefusedCase{"CommandFileWithoutInput", {"-p", "q", "-c"}, kNoInput},
                      RefusedCase{"CommandFileWithoutInputBeforeMissingQueue", {"-c"}, kNoInput},
                      // An earlier pass wins: an unknown letter beats the missing input path of -c.
                      RefusedCase{"UnknownLetterBeatsMissingInput", {"-c", "-p", "q", "-z"}, ""}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

struct AcceptedCase {
    const char* name;
    Args args;
    const char* description;
};

void PrintTo(const AcceptedCase& c, std::ostream* os) {
    *os << c.name;
}

class AcceptedCommandLine : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedCommandLine, DescribesTheRun) {
    const AcceptedCase& c = GetParam();
    const ParseResult result = parseCommandLine(c.args);
    EXPECT_EQ(result.outcome, ParseOutcome::Run) << result.message;
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(describe(result), c.description);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, AcceptedCommandLine,
    ::testing::Values(
        AcceptedCase{"OneQueueOneOption",
                     {"-p", "q", "-o", "status"},
                     "queues=q, keys=status, settings= functions= in=- out=- list=0 file=0 "
                     "vdn=000"},
        AcceptedCase{"KeyValueSplitsAtTheFirstEquals",
                     {"-p", "q", "-o", "a=b=c"},
                     "queues=q, keys=a, settings=a:b=c, functions= in=- out=- list=0 file=0 "
                     "vdn=000"},
        AcceptedCase{"EmptyValueIsAValue",
                     {"-p", "q", "-o", "paperSource="},
                     "queues=q, keys=paperSource, settings=paperSource:, functions= in=- out=- "
                     "list=0 file=0 vdn=000"},
        AcceptedCase{"KeyTwiceKeepsLastValueAndBothKeys",
                     {"-p", "q", "-o", "formGap=1", "-o", "formGap=2", "-o", "formGap"},
                     "queues=q, keys=formGap,formGap,formGap, settings=formGap:2, functions= "
                     "in=- out=- list=0 file=0 vdn=000"},
        AcceptedCase{"QueuesInOrderWithDuplicates",
                     {"-p", "q1", "-p", "q2", "-p", "q1", "-o", "a"},
                     "queues=q1,q2,q1, keys=a, settings= functions= in=- out=- list=0 file=0 "
                     "vdn=000"},
        AcceptedCase{"OnlyTheSecondCharacterCounts",
                     {"-verbose", "-pqueue", "q", "-origin", "a", "-debug", "-nothing"},
                     "queues=q, keys=a, settings= functions= in=- out=- list=0 file=0 vdn=111"},
        AcceptedCase{"FunctionsVerbatim",
                     {"-p", "q", "-f", "startCleaningHead=H", "-f", "printNozzleCheck"},
                     "queues=q, keys= settings= functions=startCleaningHead=H,printNozzleCheck, "
                     "in=- out=- list=0 file=0 vdn=000"},
        AcceptedCase{"ListAloneNeedsNoQueueNorOption",
                     {"-l"},
                     "queues= keys= settings= functions= in=- out=- list=1 file=0 vdn=000"},
        AcceptedCase{"ListWithQueueAndOption",
                     {"-p", "q", "-l", "-o", "deviceID"},
                     "queues=q, keys=deviceID, settings= functions= in=- out=- list=1 file=0 "
                     "vdn=000"},
        AcceptedCase{"ReplyFileOutsideCommandFileMode",
                     {"-p", "q", "-o", "paperSource", "-u", "reply.txt"},
                     "queues=q, keys=paperSource, settings= functions= in=- out=reply.txt list=0 "
                     "file=0 vdn=000"}),
    [](const ::testing::TestParamInfo<AcceptedCase>& info) { return info.param.name; });

class CommandFileLine : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarn-cmdline-XXXXXX";
        const int fd = mkstemp(pattern);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, "~H(CLM,P", 8), 8);
        close(fd);
        path_ = pattern;
    }
    void TearDown() override { unlink(path_.c_str()); }
    std::string path_;
};

TEST_F(CommandFileLine, TurnsListModeOffAndSkipsOptionsAndFunctions) {
    // -o and -f are skipped with the word after them, and a missing value is no error.
    const ParseResult result = parseCommandLine(
        {"-l", "-p", "q", "-o", "paperSource=R", "-c", "-i", path_, "-f", "x", "-o"});
    EXPECT_EQ(result.outcome, ParseOutcome::Run) << result.message;
    EXPECT_EQ(describe(result),
              "queues=q, keys= settings= functions= in=" + path_ + " out=- list=0 file=1 vdn=000");
    EXPECT_EQ(result.run.commandText.view(), "~H(CLM,P\n");
}

TEST_F(CommandFileLine, NeedsNoOption) {
    const ParseResult result = parseCommandLine({"-c", "-i", path_, "-p", "q", "-u", "r.txt"});
    EXPECT_EQ(result.outcome, ParseOutcome::Run);
    EXPECT_TRUE(result.run.commandFileMode);
    EXPECT_EQ(result.run.outputPath, "r.txt");
}

TEST_F(CommandFileLine, StillNeedsAQueue) {
    const ParseResult result = parseCommandLine({"-c", "-i", path_, "-l"});
    EXPECT_EQ(result.outcome, ParseOutcome::Usage);
    EXPECT_EQ(result.message, kNoQueue);
}

TEST_F(CommandFileLine, OptionWordBeforeCommandFileLetterIsNotTheLetter) {
    // Pass 1 and 2 skip "-c" as the value of -o; pass 3 then finds -o without a value.
    const ParseResult result = parseCommandLine({"-p", "q", "-o", "-c", "-i", path_});
    EXPECT_EQ(result.outcome, ParseOutcome::Usage);
    EXPECT_EQ(result.message, "");
}

TEST(CommandFileLoadFailure, EndsWithStatusOne) {
    const ParseResult result =
        parseCommandLine({"-p", "q", "-i", "/nonexistent/commands.txt", "-c"});
    EXPECT_EQ(result.outcome, ParseOutcome::FileError);
    EXPECT_EQ(result.message, "Failed to open file.\n");
}

} // namespace
