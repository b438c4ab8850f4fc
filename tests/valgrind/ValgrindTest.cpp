// SPDX-License-Identifier: Apache-2.0
// tarn under valgrind through the whole chain: every run must end as it does without valgrind,
// with no invalid read or write, no use of an uninitialised value and no lost block.
#include "SharedTestBed.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kValgrindError = 99;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TarnUnderValgrind : public testbed::SharedTestBed<TarnUnderValgrind> {
public:
    static std::vector<std::string> models() { return {"RV-C9000"}; }

protected:
    void SetUp() override {
        SharedTestBed::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        // The printer answers at once; only the tool is slowed down.
        bed_->setTimeoutCapMs(0);
        char name[] = "/tmp/tarn-valgrind-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir_ = name;
    }
    void TearDown() override {
        if (!dir_.empty()) {
            std::system(("rm -rf '" + dir_ + "'").c_str());
        }
    }

    // Runs tarn under valgrind in the bin folder, with the test bed's environment.
    harness::RunResult valgrind(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TARN_VALGRIND,
                                      "--leak-check=full",
                                      "--show-leak-kinds=definite,indirect,possible",
                                      "--errors-for-leak-kinds=definite,indirect,possible",
                                      "--track-origins=yes",
                                      "--error-exitcode=" + std::to_string(kValgrindError),
                                      testbed::TestBed::tarnPath()};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<std::string> unset = harness::TempCups::unsetVariables();
        unset.push_back("DEXO1_MAX_TIMEOUT_MS");
        return harness::run(argv, testbed::TestBed::binDir(), bed_->environment(), unset,
                            std::chrono::seconds(300));
    }

    std::string dir_;
};

TEST_F(TarnUnderValgrind, StatusRead) {
    const harness::RunResult run =
        valgrind({"-p", "c9000", "-o", "status", "-o", "statusGroup", "-o", "inksOfErrorReason",
                  "-o", "inkNameK", "-o", "inkK", "-o", "inkMN", "-o", "deviceID"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "destination: c9000\n"
              "status: 600, Status_IL_PAPF\n"
              "statusGroup: 6, Others\n"
              "inksOfErrorReason: \n"
              "inkNameK: IC-90BK\n"
              "inkK: 0 21064\n"
              "inkMN: 0 21064\n"
              "deviceID: MFG:VARDA;MDL:RV-C9000;CMD:VLCL;CLS:PRINTER;DES:VARDA RV-C9000;\n");
}

TEST_F(TarnUnderValgrind, SettingsWriteAndReadBack) {
    const harness::RunResult run =
        valgrind({"-p", "c9000", "-o", "formGap=100", "-o", "paperSource=ER", "-o", "edgeHole",
                  "-f", "printNozzleCheck"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.out,
        "destination: c9000\nActionPrintNozzleCheck\nformGap: 100\npaperSource: ER\nedgeHole: 0\n");
    EXPECT_EQ(bed_->control().setting("c9000", "formGap"), "100");
    EXPECT_EQ(bed_->control().setting("c9000", "paperSource"), "ER");
}

TEST_F(TarnUnderValgrind, CommandFileWithReplyFile) {
    const std::string commands = dir_ + "/commands.txt";
    const std::string reply = dir_ + "/reply.bin";
    { std::ofstream(commands) << "^S(CLS,C,90\n~H(CLS,C\r\n~H(CLM,P"; }
    const harness::RunResult run = valgrind({"-c", "-i", commands, "-u", reply, "-p", "c9000"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile(reply), "\x02^S(CLS,C,90\x03\x02^S(CLM,P,IR\x03");
    EXPECT_EQ(run.out.compare(0, 19, "destination: c9000\n"), 0) << run.out;
}

// The failure paths release what they hold as well: a printer that is switched off.
TEST_F(TarnUnderValgrind, PrinterThatIsOff) {
    ASSERT_TRUE(
        bed_->cups().addQueue("off", "socket://127.0.0.1:1", harness::shippedPpd("RV-C9000")));
    const harness::RunResult run = valgrind({"-p", "off", "-o", "paperSource", "-o", "inkK"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "destination: off\nERROR\nstatus: 3, Status_CommError\npaperSource: \n"
                       "inkK: -1 -1\n");
    EXPECT_TRUE(bed_->cups().deleteQueue("off"));
}

} // namespace
