// SPDX-License-Identifier: Apache-2.0
// tarn as the graphical utility and a shell see it: its standard output and exit status for the
// usage text, the parse messages, dry runs, command-file mode and runs against a stand-in
// device library in the working directory. No CUPS server is reachable: every queue lookup
// fails fast and leaves the device records empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const char kInstalledLibrary[] = "/opt/varda/varda-printer-io-community/dexo1.so";

const std::string kUsage =
    "Usage: tarn -p destination[-i inputfile_path][-u outputfile_path] [-o option[=value]] [-l "
    "[option]]\n"
    "\n"
    "  \033[1m-l\033[0m\n"
    "      Shows the printers which is supported.\n"
    "  \033[1m-p\033[0m destination\n"
    "      Sets the destination and instance.\n"
    "  \033[1m-o\033[0m option=value\n"
    "      Specifies a new option for the named destination.\n"
    "  \033[1m-o\033[0m option\n"
    "      The current options for the named printer are reported on the standard output.\n"
    "        - deviceID [O]\n"
    "        - deviceOption [O], 'CUTTER' or 'PEELER'\n"
    "        - inkNameK [O]\n"
    "        - inkNameC [O]\n"
    "        - inkNameM [O]\n"
    "        - inkNameY [O]\n"
    "        - inkNameMN [O], maintenance Box\n"
    "        - status [O]\n"
    "        - statusGroup [O]\n"
    "        - inkK [O]\n"
    "        - inkC [O]\n"
    "        - inkM [O]\n"
    "        - inkY [O]\n"
    "        - inkMN [O], maintenance Box\n"
    "        - paperSource [I/O]\n"
    "        - paperShape [I/O]\n"
    "        - paperForm [I/O]\n"
    "        - formDetectionType [I/O]\n"
    "        - formGap [I/O]\n"
    "        - sideMargin [I/O]\n"
    "        - rightMargin [I/O]\n"
    "        - paperCoatingType [I/O]\n"
    "        - printQuality [I/O]\n"
    "        - cutPosition [I/O]\n"
    "        - printPositionV [I/O]\n"
    "        - printPositionH [I/O]\n"
    "        - peelerMode [I/O]\n"
    "        - peelPositionA [I/O]\n"
    "        - peelPositionB [I/O]\n"
    "        - incomplete_labelTreatment [I/O]\n"
    "        - edgeHole [I/O]\n"
    "        - head_mediaClearanceHeight [I/O]\n"
    "  \033[1m-f\033[0m [option]\n"
    "      Do some functions\n"
    "        - printNozzleCheck\n"
    "        - startCleaningHead\n"
    "  \033[1m-v\033[0m [option]\n"
    "      Verbose\n"
    "  \033[1m-d\033[0m [option]\n"
    "      Debug\n"
    "  \033[1m-n\033[0m [option]\n"
    "      Dry run\n"
    "  \033[1m-c\033[0m [option]\n"
    "      CUI Mode\n"
    "  \033[1m-i\033[0m option\n"
    "      Used in CUI Mode. Specifies the file path of the text file that contains commands.\n"
    "  \033[1m-u\033[0m option\n"
    "      Used in CUI Mode. Specifies the file path of the text file where the output will be "
    "written.\n"
    "\n";

constexpr long long kLimit = 293601280;

struct Result {
    std::string out;
    std::string err;
    int status = -1;
};

struct Options {
    std::string cwd;
    std::vector<std::pair<std::string, std::string>> env;
    const std::string* input = nullptr; // fed to standard input, else nothing
    long long filler = 0;               // or this many bytes 'x', written in blocks
    bool mergeErr = false;              // standard error into the standard output pipe
};

// Appends whatever arrives on the descriptors until both are closed.
void drain(int outFd, int errFd, Result& result) {
    std::vector<pollfd> fds = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    std::string* sinks[] = {&result.out, &result.err};
    char buffer[65536];
    int open = (outFd >= 0 ? 1 : 0) + (errFd >= 0 ? 1 : 0);
    while (open > 0) {
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        for (size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
}

class TarnCli : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarn-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        signal(SIGPIPE, SIG_IGN);
    }

    void TearDown() override {
        const std::string command = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    Result run(const std::vector<std::string>& args, Options options = {}) {
        std::vector<std::string> env = {
            "PATH=/usr/bin:/bin", "HOME=" + dir_, "TMPDIR=" + dir_, "LANG=C", "LC_ALL=C",
            // A server address where nothing listens: every lookup fails at once.
            "CUPS_SERVER=" + dir_ + "/no-cupsd.sock", "CUPS_SERVERROOT=" + dir_};
        for (const auto& [name, value] : options.env) {
            env.push_back(name + "=" + value);
        }
        int out[2], err[2], in[2];
        EXPECT_EQ(pipe(out), 0);
        EXPECT_EQ(pipe(err), 0);
        EXPECT_EQ(pipe(in), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            // The test ignores SIGPIPE for itself; the tool starts as a shell would start it.
            signal(SIGPIPE, SIG_DFL);
            dup2(in[0], 0);
            dup2(out[1], 1);
            dup2(options.mergeErr ? out[1] : err[1], 2);
            for (int fd : {out[0], out[1], err[0], err[1], in[0], in[1]}) {
                close(fd);
            }
            if (chdir(options.cwd.empty() ? dir_.c_str() : options.cwd.c_str()) != 0) {
                _exit(126);
            }
            std::vector<char*> argv = {const_cast<char*>(TARN_PATH)};
            for (const auto& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            std::vector<char*> envp;
            for (auto& entry : env) {
                envp.push_back(const_cast<char*>(entry.c_str()));
            }
            envp.push_back(nullptr);
            execve(TARN_PATH, argv.data(), envp.data());
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        close(in[0]);
        std::thread feeder([&, fd = in[1]] {
            const std::string block(65536, 'x');
            for (long long left = options.filler; left > 0;) {
                const ssize_t put = write(fd, block.data(), std::min<long long>(left, 65536));
                if (put <= 0) {
                    break; // the tool stopped reading
                }
                left -= put;
            }
            if (options.input != nullptr) {
                size_t done = 0;
                while (done < options.input->size()) {
                    const ssize_t put =
                        write(fd, options.input->data() + done, options.input->size() - done);
                    if (put <= 0) {
                        break; // the tool stopped reading
                    }
                    done += static_cast<size_t>(put);
                }
            }
            close(fd);
        });
        Result result;
        drain(out[0], err[0], result);
        feeder.join();
        int status = 0;
        waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return result;
    }

    std::string file(const std::string& name, const std::string& content) {
        const std::string path = dir_ + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    // A file of the given size that takes no disk space.
    std::string sparseFile(const std::string& name, long long size) {
        const std::string path = dir_ + "/" + name;
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        EXPECT_GE(fd, 0);
        EXPECT_EQ(ftruncate(fd, size), 0);
        close(fd);
        return path;
    }

    static std::string readFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

    std::string dir_;
};

struct CliCase {
    const char* name;
    std::vector<std::string> args;
    std::string out;
    int status;
};

void PrintTo(const CliCase& c, std::ostream* os) {
    *os << c.name;
}

class TarnCliTable : public TarnCli, public ::testing::WithParamInterface<CliCase> {};

TEST_P(TarnCliTable, PrintsExactly) {
    const CliCase& c = GetParam();
    const Result result = run(c.args);
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.status, c.status);
}

const std::string kBold = "\033[1m";
const std::string kPlain = "\033[0m";

INSTANTIATE_TEST_SUITE_P(
    Usage, TarnCliTable,
    ::testing::Values(
        CliCase{"NoArguments", {}, kUsage, 0}, CliCase{"BareQueueName", {"q1"}, kUsage, 0},
        CliCase{"UnknownLetter", {"-p", "q", "-o", "status", "-x"}, kUsage, 0},
        CliCase{"OptionWithoutValue", {"-p", "q", "-o", "-v"}, kUsage, 0},
        CliCase{"FunctionWithoutValue", {"-p", "q", "-f"}, kUsage, 0},
        CliCase{
            "NoQueue", {"-o", "status"}, kBold + "No queue specified" + kPlain + "\n" + kUsage, 0},
        CliCase{"NoOption",
                {"-n", "-p", "q"},
                kBold + "No option specified" + kPlain + "\n" + kUsage,
                0},
        CliCase{"NoInputFile",
                {"-p", "q", "-c"},
                kBold + "No inputfile specified" + kPlain + "\n" + kUsage,
                0}),
    [](const ::testing::TestParamInfo<CliCase>& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    DryRun, TarnCliTable,
    ::testing::Values(
        CliCase{"SettingsHaveNoReply",
                {"-n", "-p", "q", "-o", "paperSource=R", "-o", "formGap", "-o", "peelerMode"},
                "dryrun mode\ndestination: q\npaperSource: \nformGap: \npeelerMode: \n",
                0},
        CliCase{"KeysInListOrderPerQueue",
                {"-n", "-p", "q1", "-p", "q2", "-o", "a", "-o", "deviceID", "-o", "a"},
                "dryrun mode\ndestination: q1\na: N/A\ndeviceID: N/A\na: N/A\n"
                "destination: q2\na: N/A\ndeviceID: N/A\na: N/A\n",
                0},
        CliCase{"NozzleCheckLinePerQueueAndEntry",
                {"-n", "-p", "q1", "-p", "q2", "-f", "printNozzleCheck", "-f", "printNozzleCheck=x",
                 "-f", "startCleaningHead=H"},
                "dryrun mode\ndestination: q1\nActionPrintNozzleCheck\nActionPrintNozzleCheck\n"
                "destination: q2\nActionPrintNozzleCheck\nActionPrintNozzleCheck\n",
                0},
        CliCase{"ListWithoutServerListsNothing", {"-n", "-l"}, "dryrun mode\n", 0},
        CliCase{"ListAfterNamedQueue",
                {"-l", "-n", "-p", "q", "-o", "inkNameC"},
                "dryrun mode\ndestination: q\ninkNameC: N/A\n",
                0},
        CliCase{"OptionsIgnoredInCommandFileModeWithoutFile",
                {"-n", "-p", "q", "-c", "-i", "/nonexistent/commands", "-o", "a"},
                "Failed to open file.\n",
                1}),
    [](const ::testing::TestParamInfo<CliCase>& info) { return info.param.name; });

TEST_F(TarnCli, DryRunStatusLinesHaveTheirForm) {
    // The dry-run state changes with the clock; only the form of its lines is fixed.
    const Result result = run({"-n", "-p", "q", "-o", "status", "-o", "statusGroup", "-o", "inkK",
                               "-o", "inksOfErrorReason"});
    EXPECT_EQ(result.status, 0);
    const std::string head = "dryrun mode\ndestination: q\nstatus: ";
    ASSERT_EQ(result.out.compare(0, head.size(), head), 0) << result.out;
    EXPECT_NE(result.out.find("\nstatusGroup: "), std::string::npos);
    EXPECT_NE(result.out.find("\ninkK: "), std::string::npos);
    EXPECT_NE(result.out.find("\ninksOfErrorReason: "), std::string::npos);
    EXPECT_EQ(result.out.find("ERROR"), std::string::npos);
}

// Command files --------------------------------------------------------------------------------

TEST_F(TarnCli, CommandFileOfExactlyTheLimitIsAccepted) {
    const std::string path = sparseFile("exact", kLimit);
    const Result result = run({"-n", "-c", "-i", path, "-p", "q"});
    EXPECT_EQ(result.out, "dryrun mode\ndestination: q\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(TarnCli, CommandFileOneByteOverTheLimitIsRefused) {
    const std::string path = sparseFile("over", kLimit + 1);
    const Result result = run({"-n", "-c", "-i", path, "-p", "q"});
    EXPECT_EQ(result.out, "The input file exceeds the maximum command length.\n");
    EXPECT_EQ(result.status, 1);
}

TEST_F(TarnCli, CommandFileOverTheLimitThroughAPipeIsRefused) {
    Options options;
    options.filler = kLimit + 1;
    const Result result = run({"-n", "-c", "-i", "/dev/stdin", "-p", "q"}, options);
    EXPECT_EQ(result.out, "The input file exceeds the maximum command length.\n");
    EXPECT_EQ(result.status, 1);
}

TEST_F(TarnCli, CommandFileThroughAPipeIsSent) {
    const std::string input = "~W(PNC";
    Options options;
    options.input = &input;
    const Result result = run({"-n", "-c", "-i", "/dev/stdin", "-p", "q"}, options);
    EXPECT_EQ(result.out, "dryrun mode\ndestination: q\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(TarnCli, CommandFileThatIsAFolderCannotBeOpened) {
    const Result result = run({"-n", "-c", "-i", dir_, "-p", "q"});
    EXPECT_EQ(result.out, "Failed to open file.\n");
    EXPECT_EQ(result.status, 1);
}

TEST_F(TarnCli, DryRunReadsNoReplySoTheReplyFileIsNeverOpened) {
    const std::string commands = file("commands", "~H(CLM,P\n");
    const std::string reply = dir_ + "/reply.txt";
    const Result result = run({"-n", "-c", "-i", commands, "-u", reply, "-p", "q"});
    EXPECT_EQ(result.out, "dryrun mode\ndestination: q\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_FALSE(exists(reply));
}

// Runs against the stand-in library as ./dexo1.so ------------------------------------------------

class TarnCliStandin : public TarnCli {
protected:
    void SetUp() override {
        if (exists(kInstalledLibrary)) {
            GTEST_SKIP() << "an installed " << kInstalledLibrary
                         << " would be loaded before ./dexo1.so";
        }
        TarnCli::SetUp();
        ASSERT_EQ(symlink(STANDIN_PATH, (dir_ + "/dexo1.so").c_str()), 0);
        log_ = dir_ + "/calls.log";
    }

    Result runStandin(const std::vector<std::string>& args,
                      std::vector<std::pair<std::string, std::string>> env = {},
                      bool mergeErr = false) {
        Options options;
        options.env = std::move(env);
        options.env.emplace_back("STANDIN_LOG", log_);
        options.mergeErr = mergeErr;
        return run(args, options);
    }

    std::vector<std::string> calls(const std::string& prefix) const {
        std::vector<std::string> found;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(prefix, 0) == 0) {
                found.push_back(line);
            }
        }
        return found;
    }

    std::string log_;
};

// A reply naming an error: group 2 (Error), detail 200 (Status_ER_NI).
const std::string kStatus = "\x02^S(SMA,S,ER\x02^S(SEA,E,NI\x02^S(SEA,F,0";

TEST_F(TarnCliStandin, NoChannelPrintsErrorAndPutsStatusFirstForLaterQueuesToo) {
    const Result result =
        runStandin({"-p", "q1", "-p", "q2", "-o", "paperSource", "-o", "statusGroup"},
                   {{"STANDIN_FAIL", "DEXOOpenChannel#1"},
                    {"STANDIN_STATUS", kStatus},
                    {"STANDIN_REPLY", "^S(CLM,P,ER"}});
    EXPECT_EQ(result.out, "destination: q1\nERROR\nstatus: 3, Status_CommError\npaperSource: \n"
                          "statusGroup: 0, BeforeComm\n"
                          "destination: q2\nstatus: 200, Status_ER_NI\npaperSource: ER\n"
                          "statusGroup: 2, Error\n");
    EXPECT_EQ(result.status, 0);
}

TEST_F(TarnCliStandin, ReplyIsStoredAndEchoedBeforeTheReportLines) {
    const std::string reply = dir_ + "/reply.txt";
    const Result result = runStandin({"-p", "q1", "-p", "q2", "-o", "paperSource", "-u", reply},
                                     {{"STANDIN_REPLY", "^S(CLM,P,IR\r\n"}});
    const std::string echo = "^S(CLM,P,IR\033[34m\\x0D\033[0m\033[34m\\x0A\033[0m";
    EXPECT_EQ(result.out, "destination: q1\n" + echo + "paperSource: IR\ndestination: q2\n" + echo +
                              "paperSource: IR\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(readFile(reply), "^S(CLM,P,IR\r\n");
}

TEST_F(TarnCliStandin, ReplyFileThatCannotBeOpenedEndsTheRunWithStatusOne) {
    const Result result =
        runStandin({"-p", "q1", "-p", "q2", "-o", "paperSource", "-u", dir_ + "/no/reply.txt"},
                   {{"STANDIN_REPLY", "^S(CLM,P,IR"}});
    EXPECT_EQ(result.out, "destination: q1\nOutputfile Open Error.");
    EXPECT_EQ(result.status, 1);
    // The device was still closed and the library released.
    EXPECT_EQ(calls("DEXOClose ").size(), 1u);
    EXPECT_EQ(calls("DEXORelease").size(), 1u);
}

// The size was announced but the copy failed: what the file held stays, nothing is echoed, and
// the settings read nothing, in command-file mode and outside it.
TEST_F(TarnCliStandin, FailedCopyOfTheReplyLeavesTheReplyFileAlone) {
    const std::string commands = file("commands", "~H(CLM,P\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
        {{"-p", "q", "-o", "paperSource"}, "destination: q\npaperSource: \n"},
        {{"-c", "-i", commands, "-p", "q"}, "destination: q\n"},
    };
    for (const auto& [args, out] : runs) {
        const std::string reply = file("reply.txt", "earlier reply\n");
        std::vector<std::string> all = args;
        all.insert(all.end(), {"-u", reply});
        const Result result = runStandin(
            all, {{"STANDIN_FAIL", "DEXORead#2"}, {"STANDIN_REPLY", "^S(CLM,P,IR"}}, true);
        EXPECT_EQ(result.out, out) << args[0];
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(readFile(reply), "earlier reply\n");
        ASSERT_EQ(unlink(log_.c_str()), 0);
    }
}

TEST_F(TarnCliStandin, CommandFileIsSentUnframedAndItsReplyStored) {
    const std::string commands = file("commands", "~H(CLM,P\r\n~H(CLS,C");
    const std::string reply = dir_ + "/reply.txt";
    const Result result = runStandin({"-c", "-i", commands, "-u", reply, "-p", "q", "-o", "x"},
                                     {{"STANDIN_REPLY", "^S(CLM,P,IR"}});
    EXPECT_EQ(result.out, "destination: q\n^S(CLM,P,IR");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(calls("DEXOWrite"),
              std::vector<std::string>{"DEXOWrite channel 10000 ~H(CLM,P\\x0D\\x0A~H(CLS,C\\x0A"});
    EXPECT_EQ(calls("DEXORead").size(), 2u);
    EXPECT_EQ(readFile(reply), "^S(CLM,P,IR");
}

TEST_F(TarnCliStandin, CommandFileWithoutReplyFileReadsNothing) {
    const std::string commands = file("commands", "~W(PNC\n");
    const Result result =
        runStandin({"-c", "-i", commands, "-p", "q"}, {{"STANDIN_REPLY", "^S(CLM,P,IR"}});
    EXPECT_EQ(result.out, "destination: q\n");
    EXPECT_EQ(calls("DEXOWrite"), std::vector<std::string>{"DEXOWrite channel 10000 ~W(PNC\\x0A"});
    EXPECT_TRUE(calls("DEXORead").empty());
}

TEST_F(TarnCliStandin, EmptyCommandFileOpensNothing) {
    const std::string commands = file("commands", "");
    const Result result = runStandin({"-c", "-i", commands, "-p", "q1", "-p", "q2"});
    EXPECT_EQ(result.out, "destination: q1\ndestination: q2\n");
    EXPECT_FALSE(exists(log_));
}

TEST_F(TarnCliStandin, SetIsWrittenThenReadBack) {
    const Result result = runStandin({"-p", "q", "-o", "formGap=24", "-o", "paperSource=R"},
                                     {{"STANDIN_REPLY", "^S(CLS,C,24^S(CLM,P,R"}});
    EXPECT_EQ(result.out, "destination: q\nformGap: 24\npaperSource: R\n");
    EXPECT_EQ(calls("DEXOWrite"),
              (std::vector<std::string>{
                  "DEXOWrite channel 10000 ^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^XZ",
                  "DEXOWrite channel 10000 ^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600^S("
                  "CLS,C,24^S(CLM,P,R^XZ",
                  "DEXOWrite channel 10000 ~H(CLS,C~H(CLM,P"}));
}

TEST_F(TarnCliStandin, DebugDumpsKeepTheirPlaceBetweenTraceLines) {
    const Result result = runStandin({"-d", "-p", "q", "-o", "paperSource"},
                                     {{"STANDIN_REPLY", "^S(CLM,P,IR"}}, true);
    const std::string expected =
        "\033[33mDEXOWrite\033[0m err = \033[1mErr_NoErr\033[0m(0), writeSize 8, writtenSize 8 "
        "[~H(CLM,P]\n"
        "\033[33mDEXORead\033[0m  err = \033[1mErr_NoErr\033[0m(0) readSize 11 readBuf "
        "[^S(CLM,P,IR]\n"
        "\033[33mDEXOCloseChannel\033[0m  err = \033[1mErr_NoErr\033[0m(0)\n";
    EXPECT_NE(result.out.find(expected), std::string::npos) << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - 16), "paperSource: IR\n");
}

TEST_F(TarnCliStandin, OnlyRecordKeysOpenNoDevice) {
    const Result result = runStandin({"-p", "q", "-o", "deviceID", "-o", "x"});
    EXPECT_EQ(result.out, "destination: q\ndeviceID: N/A\nx: N/A\n");
    EXPECT_FALSE(exists(log_));
}

TEST_F(TarnCliStandin, MissingLibraryEndsTheRunWithStatusOne) {
    ASSERT_EQ(unlink((dir_ + "/dexo1.so").c_str()), 0);
    const Result result = runStandin({"-p", "q1", "-p", "q2", "-o", "status"});
    EXPECT_EQ(result.out, "destination: q1\ndexo1.so load error, ./dexo1.so: cannot open shared "
                          "object file: No such file or directory\n");
    EXPECT_EQ(result.status, 1);
}

TEST_F(TarnCliStandin, VerboseTellsEachLoadAttempt) {
    const Result result = runStandin({"-v", "-p", "q", "-o", "paperSource"});
    EXPECT_EQ(result.err,
              std::string("\033[33mdlopen(\"") + kInstalledLibrary +
                  "\") failed\033[0m\n\033[33mdlopen(\"./dexo1.so\") successed\033[0m\n");
}

} // namespace
