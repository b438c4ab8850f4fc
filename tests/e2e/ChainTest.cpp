// SPDX-License-Identifier: Apache-2.0
// The whole chain: the real tarn, a private cupsd with one queue per emulated printer, the
// project's dexo1.so and the emulator, as the graphical utility drives it.
#include "SharedTestBed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const std::vector<std::string> kStatusKeys = {"status",   "statusGroup", "inksOfErrorReason",
                                              "inkNameK", "inkK",        "inkC",
                                              "inkM",     "inkY",        "inkMN"};

// The report lines of one run, by key; "destination" lines are left out.
std::map<std::string, std::string> reportOf(const std::string& out) {
    std::map<std::string, std::string> report;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos && line.compare(0, colon, "destination") != 0) {
            report[line.substr(0, colon)] = line.substr(colon + 2);
        } else if (colon == std::string::npos) {
            report[line] = "";
        }
    }
    return report;
}

std::vector<std::string> options(const std::vector<std::string>& keys) {
    std::vector<std::string> args;
    for (const std::string& key : keys) {
        args.push_back("-o");
        args.push_back(key);
    }
    return args;
}

class Chain : public testbed::SharedTestBed<Chain> {
protected:
    std::map<std::string, std::string> run(const std::string& queue,
                                           const std::vector<std::string>& args,
                                           std::string* out = nullptr) {
        std::vector<std::string> argv{"-p", queue};
        argv.insert(argv.end(), args.begin(), args.end());
        const harness::RunResult result = bed_->tarn(argv);
        EXPECT_EQ(result.status, 0) << result.out << result.err;
        EXPECT_FALSE(result.timedOut);
        if (out != nullptr) {
            *out = result.out;
        }
        return reportOf(result.out);
    }
    std::map<std::string, std::string> status(const std::string& queue) {
        return run(queue, options(kStatusKeys));
    }
};

TEST_F(Chain, ListsEveryEmulatedQueue) {
    const harness::RunResult result = bed_->tarn({"-l"});
    ASSERT_EQ(result.status, 0);
    for (const testbed::Queue& queue : bed_->queues()) {
        EXPECT_NE(result.out.find("destination: " + queue.name + "\n"), std::string::npos)
            << result.out;
    }
}

// Every status detail the printer can cause, as the tool reports it.
TEST_F(Chain, StatusDetailsFromThePrinterState) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> fields;
        std::string status;
        std::string group;
        std::string inks;
    };
    std::vector<Case> cases = {
        {{}, "600, Status_IL_PAPF", "6, Others", ""},
        {{{"state", "ER"}, {"error", "FE"}}, "100, Status_ER_FE", "1, FatalError", ""},
        {{{"state", "ER"}, {"error", "IE"}, {"inkK", "RR"}, {"inkC", "RN"}},
         "204, Status_ER_IE_RR",
         "2, Error",
         "K,C"},
        {{{"state", "ER"}, {"error", "IE"}, {"inkC", "NA"}, {"inkY", "CI"}},
         "203, Status_ER_IE_NACI",
         "2, Error",
         "C,Y"},
        {{{"state", "ER"}, {"error", "SN"}}, "205, Status_ER_SN_IR", "2, Error", ""},
        {{{"state", "ER"}, {"error", "XX"}}, "0, Status_Unsettled", "2, Error", ""},
        {{{"state", "PS"}, {"pause", "UN"}}, "300, Status_PS_UN", "3, Pause", ""},
        {{{"state", "PS"}, {"pause", "SF"}}, "301, Status_PS_SF", "3, Pause", ""},
        {{{"state", "PS"}, {"pause", "NC"}}, "302, Status_PS_NC", "3, Pause", ""},
        {{{"state", "PS"}, {"pause", "NW"}}, "303, Status_PS_NW", "3, Pause", ""},
        {{{"state", "SP"}}, "400, Status_SP", "4, Printing", ""},
        {{{"state", "PR"}, {"warnings", "NSU"}}, "401, Status_PR_NSU", "4, Printing", ""},
        {{{"state", "PR"}, {"warnings", "NCR"}}, "402, Status_PR_NCR", "4, Printing", ""},
        {{{"state", "PR"}, {"warnings", "WNC"}}, "403, Status_PR_WNC", "4, Printing", ""},
        {{{"state", "PR"}}, "601, Status_PR", "6, Others", ""},
        {{{"paperPrompt", "T"}}, "500, Status_IL_PAPT_IR", "5, Warning", ""},
        {{{"warnings", "WNC,IK1"}}, "502, Status_IL_PAPF_WNC", "5, Warning", ""},
        {{{"warnings", "WSC"}}, "503, Status_IL_PAPF_WSC", "5, Warning", ""},
        {{{"warnings", "MNF"}}, "504, Status_IL_PAPF_MNF", "5, Warning", ""},
        {{{"warnings", "IC1,IY1"}}, "505, Status_IL_PAPF_Ix1", "5, Warning", "C,Y"},
        {{{"warnings", "NSU"}}, "506, Status_IL_PAPF_NSU", "5, Warning", ""},
        {{{"state", "WT"}}, "602, Status_WT", "6, Others", ""},
        {{{"state", "CL"}}, "603, Status_CL", "6, Others", ""},
        {{{"state", "FC"}}, "604, Status_FC", "6, Others", ""},
        {{{"state", "ZZ"}}, "0, Status_Unsettled", "6, Others", ""},
    };
    // The plain error codes, 200 to 223 apart from the two that look further.
    const char* errors[] = {"NI", "CO", "SJ", "",   "",   "",   "",   "SS", "ST", "MF", "SR", "CI",
                            "MN", "CM", "SE", "LT", "CS", "CF", "CR", "CG", "SC", "IC", "MC", "SM"};
    const char* names[] = {"NI", "CO", "SJ", "",   "",   "",   "",   "SS", "ST", "MF", "SR", "CI",
                           "MN", "CM", "SE", "LT", "CS", "CF", "CR", "CG", "SC", "IC", "MC", "SM"};
    for (int i = 0; i < 24; ++i) {
        if (*errors[i] != '\0') {
            cases.push_back({{{"state", "ER"}, {"error", errors[i]}},
                             std::to_string(200 + i) + ", Status_ER_" + names[i],
                             "2, Error",
                             ""});
        }
    }
    for (const Case& c : cases) {
        ASSERT_TRUE(control().reset("c9000"));
        std::string label;
        for (const auto& field : c.fields) {
            ASSERT_TRUE(control().set("c9000", field.first, field.second)) << field.first;
            label += field.first + "=" + field.second + " ";
        }
        const auto report = status("c9000");
        EXPECT_EQ(report.at("status"), c.status) << label;
        EXPECT_EQ(report.at("statusGroup"), c.group) << label;
        EXPECT_EQ(report.at("inksOfErrorReason"), c.inks) << label;
    }
    // The paper source that a missing paper is reported with is the stored setting.
    ASSERT_TRUE(control().reset("c9000"));
    ASSERT_TRUE(control().setSetting("c9000", "paperSource", "ER"));
    ASSERT_TRUE(control().set("c9000", "paperPrompt", "T"));
    EXPECT_EQ(status("c9000").at("status"), "501, Status_IL_PAPT_ER");
    ASSERT_TRUE(control().set("c9000", "state", "ER"));
    ASSERT_TRUE(control().set("c9000", "error", "SN"));
    EXPECT_EQ(status("c9000").at("status"), "206, Status_ER_SN_ER");
}

TEST_F(Chain, InkStatesAmountsAndBlackInkName) {
    struct Case {
        const char* code;
        const char* line;
    };
    const Case cases[] = {
        {"RH", "0 21064"},  {"RM", "0 21069"},  {"RL", "0 21068"},  {"RN", "21070 21070"},
        {"RR", "21074 -1"}, {"NA", "20033 -1"}, {"CI", "17225 -1"}, {"??", "-1 -1"},
    };
    const char* inks[] = {"inkK", "inkC", "inkM", "inkY"};
    for (const Case& c : cases) {
        for (const char* ink : inks) {
            ASSERT_TRUE(control().reset("c2000"));
            ASSERT_TRUE(control().set("c2000", ink, c.code));
            const auto report = status("c2000");
            EXPECT_EQ(report.at(ink), c.line) << ink << "=" << c.code;
        }
        ASSERT_TRUE(control().reset("c2000"));
        ASSERT_TRUE(control().set("c2000", "maintenanceBox", c.code));
        EXPECT_EQ(status("c2000").at("inkMN"), c.line) << "maintenance box " << c.code;
    }
    ASSERT_TRUE(control().reset("c2000"));
    ASSERT_TRUE(control().set("c2000", "inkRecord", "#NA"));
    EXPECT_EQ(status("c2000").at("inkK"), "-1 -1");
    struct Model {
        const char* code;
        const char* name;
    };
    for (const Model& m : {Model{"GL", "IC-20BK"}, Model{"MT", "IC-20MK"}, Model{"XX", "N/A"}}) {
        ASSERT_TRUE(control().set("c2000", "inkModel", m.code));
        EXPECT_EQ(status("c2000").at("inkNameK"), m.name) << m.code;
    }
}

// Every setting of every queue: written through tarn, stored by the printer, read back by the
// same run. Settings a model lacks read back empty and are stored nowhere.
TEST_F(Chain, EverySettingOfEveryFamilyWritesAndReadsBack) {
    for (const testbed::Queue& queue : bed_->queues()) {
        const std::vector<emulator::SettingRule> rules = emulator::settingsFor(queue.model);
        std::vector<std::string> args;
        std::map<std::string, std::string> wanted;
        for (const emulator::SettingRule& rule : rules) {
            // A value other than the power-on one: the far end of the range or the last code.
            const std::string value =
                rule.position
                    ? std::to_string(rule.min != std::stoi(rule.initial) ? rule.min : rule.max)
                    : rule.codes.back();
            wanted[rule.key] = value;
            args.push_back("-o");
            args.push_back(rule.key + "=" + value);
        }
        const char* allKeys[] = {"paperSource",    "paperShape",
                                 "paperForm",      "formDetectionType",
                                 "formGap",        "sideMargin",
                                 "rightMargin",    "paperCoatingType",
                                 "printQuality",   "cutPosition",
                                 "printPositionV", "printPositionH",
                                 "peelerMode",     "peelPositionA",
                                 "peelPositionB",  "incomplete_labelTreatment",
                                 "edgeHole",       "head_mediaClearanceHeight"};
        for (const char* key : allKeys) {
            if (wanted.count(key) == 0) {
                args.push_back("-o");
                args.push_back(std::string(key) + "=1");
            }
        }
        const auto report = run(queue.name, args);
        for (const char* key : allKeys) {
            const auto found = wanted.find(key);
            const std::string expected = found == wanted.end() ? "" : found->second;
            EXPECT_EQ(report.at(key), expected) << queue.name << " " << key;
            EXPECT_EQ(control().setting(queue.name, key), expected) << queue.name << " " << key;
        }
    }
}

TEST_F(Chain, RefusedValuesLeaveTheOldOneAndTheReadBackShowsIt) {
    struct Case {
        const char* queue;
        const char* key;
        const char* value;
        const char* kept;
    };
    const Case cases[] = {
        {"c9000", "cutPosition", "36", "0"}, {"c9000", "printPositionH", "-25", "0"},
        {"c2000", "paperForm", "TG", "DL"},  {"c5020a", "formDetectionType", "H", "W"},
        {"d5510p", "peelerMode", "X", "A"},  {"c9000", "head_mediaClearanceHeight", "5", "1"},
        {"c9000", "formGap", "24.5", "72"},  {"c9000", "paperSource", "ir", "IR"},
    };
    for (const Case& c : cases) {
        const auto report = run(c.queue, {"-o", std::string(c.key) + "=" + c.value});
        EXPECT_EQ(report.at(c.key), c.kept) << c.queue << " " << c.key;
        EXPECT_EQ(control().setting(c.queue, c.key), c.kept) << c.queue << " " << c.key;
    }
}

// Positions are exchanged in dots at 600 dpi whatever unit the printer was left in, because the
// tool sends the unit settings first.
TEST_F(Chain, PositionsAreReadInDotsAfterTheUnitPreamble) {
    ASSERT_TRUE(control().setSetting("c2000", "cutPosition", "-200"));
    ASSERT_TRUE(control().setSetting("c2000", "CLR,P", "300"));
    EXPECT_EQ(run("c2000", {"-o", "cutPosition"}).at("cutPosition"), "-200");
    EXPECT_EQ(control().setting("c2000", "CLR,P"), "600");
    const std::vector<std::string> log = control().log("c2000");
    ASSERT_GE(log.size(), 7u);
    const std::vector<std::string> preamble = {
        "^XA", "^S(CMP,U,D", "^S(CLR,P,600", "^S(CLR,R,600", "^S(CLR,Z,600", "^XZ", "~H(CLP,O"};
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 7), preamble);
}

TEST_F(Chain, FunctionsReachThePrinterAndChangeItsState) {
    struct Case {
        const char* function;
        const char* command;
        const char* status;
    };
    const Case cases[] = {
        {"printNozzleCheck", "~W(PNC", "400, Status_SP"},
        {"startCleaningHead", "~J(MCL,A", "603, Status_CL"},
        {"startCleaningHead=A", "~J(MCL,A", "603, Status_CL"},
        {"startCleaningHead=H", "~J(MCL,H", "603, Status_CL"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(control().reset("c5000p"));
        ASSERT_TRUE(control().set("c5000p", "functionMs", "-1"));
        std::string out;
        run("c5000p", {"-f", c.function}, &out);
        // The channel close waits for the printer, so the command is in when tarn has ended.
        EXPECT_EQ(control().log("c5000p"), std::vector<std::string>{c.command}) << c.function;
        EXPECT_EQ(status("c5000p").at("status"), c.status) << c.function;
        ASSERT_TRUE(control().finish("c5000p"));
        EXPECT_EQ(status("c5000p").at("status"), "600, Status_IL_PAPF") << c.function;
    }
    // Lower case is no function: nothing reaches the printer.
    ASSERT_TRUE(control().clearLog("c5000p"));
    run("c5000p", {"-f", "startCleaningHead=h"});
    EXPECT_TRUE(control().log("c5000p").empty());
}

// Each fault of the printer ends in the report the tool prescribes, within the time-outs: the
// communication-error state for the status, empty values for the settings.
TEST_F(Chain, PrinterFaultsEndInCommErrorOrEmptyValuesWithinTheTimeout) {
    struct Case {
        const char* kind;
        int delayMs;
    };
    const Case cases[] = {{"silent", 0},  {"cut", 0},  {"close", 0},
                          {"garbage", 0}, {"huge", 0}, {"slow", 3000}};
    for (const Case& c : cases) {
        ASSERT_TRUE(control().reset("d5500a"));
        ASSERT_TRUE(control().fault("d5500a", c.kind, "all", c.delayMs));
        const auto start = Clock::now();
        std::string out;
        const auto report = run("d5500a",
                                {"-o", "status", "-o", "statusGroup", "-o", "inkK", "-o",
                                 "paperSource", "-o", "formGap"},
                                &out);
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
        EXPECT_EQ(report.at("status"), "3, Status_CommError") << c.kind << "\n" << out;
        EXPECT_EQ(report.at("statusGroup"), "0, BeforeComm") << c.kind;
        EXPECT_EQ(report.at("inkK"), "-1 -1") << c.kind;
        EXPECT_EQ(report.at("paperSource"), "") << c.kind;
        EXPECT_EQ(report.at("formGap"), "") << c.kind;
        EXPECT_EQ(report.count("ERROR"), 0u) << c.kind;
        // The status poll and the read each wait at most the capped time-out.
        EXPECT_LT(took, 6000) << c.kind;
    }
    // A reply within the time-out is only late, not lost.
    ASSERT_TRUE(control().fault("d5500a", "slow", "all", 200));
    const auto report = run("d5500a", {"-o", "status", "-o", "formGap"});
    EXPECT_EQ(report.at("status"), "600, Status_IL_PAPF");
    EXPECT_EQ(report.at("formGap"), "48");
}

TEST_F(Chain, FaultOfTheStatusAloneLeavesTheSettingsReadable) {
    ASSERT_TRUE(control().fault("c5020a", "silent", "status"));
    const auto report = run("c5020a", {"-o", "status", "-o", "paperSource"});
    EXPECT_EQ(report.at("status"), "3, Status_CommError");
    EXPECT_EQ(report.at("paperSource"), "IR");
    ASSERT_TRUE(control().fault("c5020a", "garbage", "data"));
    const auto second = run("c5020a", {"-o", "status", "-o", "paperSource"});
    EXPECT_EQ(second.at("status"), "600, Status_IL_PAPF");
    EXPECT_EQ(second.at("paperSource"), "");
}

// A printer that is switched off (nobody listens on its port) gives "ERROR" and the
// communication-error state, at once.
TEST_F(Chain, PrinterThatIsOffReportsError) {
    ASSERT_TRUE(
        bed_->cups().addQueue("off", "socket://127.0.0.1:1", harness::shippedPpd("RV-C9000")));
    std::string out;
    const auto report = run("off", {"-o", "paperSource", "-o", "formGap"}, &out);
    EXPECT_EQ(report.count("ERROR"), 1u) << out;
    EXPECT_EQ(report.at("status"), "3, Status_CommError") << out;
    EXPECT_EQ(report.at("paperSource"), "");
    ASSERT_TRUE(bed_->cups().deleteQueue("off"));
}

// The kinds of printer the library must serve, each through the whole chain: status, a settings
// write read back, a setting the model lacks and a function, in one run. The function reaches
// the printer and the values reported are the printer's.
TEST_F(Chain, EveryKindOfPrinterLinkServesAWholeRun) {
    struct Case {
        const char* behaviour;
        int delayMs;
    };
    const Case cases[] = {
        {"prompt", 0}, {"dribble", 0}, {"delay", 300}, {"keep-open", 0}, {"close-after", 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(control().reset("c9000"));
        ASSERT_TRUE(control().set("c9000", "functionMs", "-1"));
        ASSERT_TRUE(control().behave("c9000", c.behaviour, c.delayMs));
        std::vector<std::string> args = {"-o",          "status", "-o",      "inkK", "-o",
                                         "formGap=100", "-o",     "formGap", "-o",   "paperSource"};
        // The cutter lacks the peeler mode and does not answer it; against a printer that
        // closes after its answer a missing answer cannot be told from a cut, so it is left out.
        const bool closesAfter = std::string(c.behaviour) == "close-after";
        if (!closesAfter) {
            args.insert(args.end(), {"-o", "peelerMode"});
        }
        args.insert(args.end(), {"-f", "printNozzleCheck"});
        std::string out;
        const auto report = run("c9000", args, &out);
        EXPECT_EQ(report.at("status"), "600, Status_IL_PAPF") << c.behaviour << "\n" << out;
        EXPECT_EQ(report.at("inkK"), "0 21064") << c.behaviour;
        EXPECT_EQ(report.at("formGap"), "100") << c.behaviour;
        EXPECT_EQ(report.at("paperSource"), "IR") << c.behaviour;
        EXPECT_EQ(report.count("peelerMode"), closesAfter ? 0u : 1u) << c.behaviour;
        if (!closesAfter) {
            EXPECT_EQ(report.at("peelerMode"), "") << c.behaviour;
        }
        EXPECT_EQ(control().setting("c9000", "formGap"), "100") << c.behaviour;
        // A printer that keeps the connection open may take the last bytes a moment after the
        // tool has ended: wait for them, bounded.
        std::vector<std::string> log;
        for (int i = 0; i < 200; ++i) {
            log = control().log("c9000");
            if (!log.empty() && log.back() == "~W(PNC") {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(std::count(log.begin(), log.end(), "~W(PNC"), 1) << c.behaviour;
        EXPECT_EQ(control().get("c9000", "functionState"), "nozzleCheck") << c.behaviour;
        ASSERT_TRUE(control().finish("c9000"));
    }
    ASSERT_TRUE(control().reset("c9000"));
}

// Schemes the listing accepts but this library cannot reach: with -v or -d the user is told,
// the report is the one of a refused open, and nothing waits.
TEST_F(Chain, SchemesTheLibraryCannotReachAreNamedWithVerbose) {
    const char* uris[] = {"vardaUSB://RV-C9000?serial=1", "lpd://127.0.0.1/q",
                          "mdns://x._pdl-datastream._tcp.local/", "dnssd://x._ipp._tcp.local/",
                          "ipp://127.0.0.1/ipp/print"};
    for (const char* uri : uris) {
        ASSERT_TRUE(bed_->cups().addQueue("far", uri, harness::shippedPpd("RV-C9000"))) << uri;
        const std::string scheme = std::string(uri).substr(0, std::string(uri).find("://"));
        const std::string told = "this dexo1.so cannot reach " + scheme +
                                 ":// printers; a socket://host:9100 queue works";
        std::string plain;
        run("far", {"-o", "status", "-o", "paperSource", "-f", "printNozzleCheck"}, &plain);
        for (const char* flag : {"-v", "-d"}) {
            const auto start = Clock::now();
            const harness::RunResult result = bed_->tarn(
                {flag, "-p", "far", "-o", "status", "-o", "paperSource", "-f", "printNozzleCheck"});
            EXPECT_LT(
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count(),
                5000)
                << uri;
            EXPECT_EQ(result.status, 0) << uri;
            EXPECT_NE(result.err.find(told), std::string::npos) << uri << " " << flag << "\n"
                                                                << result.err;
            if (std::string(flag) == "-v") {
                EXPECT_EQ(result.out, plain) << uri;
            }
        }
        EXPECT_NE(plain.find("status: 0, Status_Unsettled"), std::string::npos) << plain;
        EXPECT_EQ(plain.find("ERROR"), std::string::npos) << plain;
        ASSERT_TRUE(bed_->cups().deleteQueue("far"));
    }
    // A socket queue says nothing of the kind.
    const harness::RunResult result = bed_->tarn({"-v", "-p", "c9000", "-o", "status"});
    EXPECT_EQ(result.err.find("cannot reach"), std::string::npos) << result.err;
}

// A command file goes to the printer as it is; with -u the reply lands in the file.
TEST_F(Chain, CommandFileIsSentUnframedAndItsReplyStored) {
    const std::string folder = bed_->cups().tmpDir();
    const std::string commands = folder + "/commands.txt";
    const std::string replyFile = folder + "/reply.bin";
    { std::ofstream(commands) << "^S(CLS,C,100\n~H(CLS,C\n~H(CLM,P"; }
    run("c9000", {"-c", "-i", commands, "-u", replyFile});
    std::ifstream stored(replyFile, std::ios::binary);
    const std::string reply((std::istreambuf_iterator<char>(stored)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(reply, "\x02^S(CLS,C,100\x03\x02^S(CLM,P,IR\x03");
    const std::vector<std::string> log = control().log("c9000");
    EXPECT_EQ(log, (std::vector<std::string>{"^S(CLS,C,100", "~H(CLS,C", "~H(CLM,P"}));

    // Without -u nothing is read back, and the set still arrives.
    { std::ofstream(commands) << "^S(CLS,C,90\n"; }
    run("c9000", {"-c", "-i", commands});
    EXPECT_EQ(control().setting("c9000", "formGap"), "90");
}

} // namespace
