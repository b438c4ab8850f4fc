// SPDX-License-Identifier: Apache-2.0
// The harness itself: every other CUPS test relies on these promises.
#include "TempCups.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using harness::RunResult;
using harness::TempCups;

namespace {

// The export lines of the shell helper, turned into an environment map.
harness::Env parseExports(const std::string& text) {
    harness::Env env;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("export ", 0) != 0) {
            continue;
        }
        auto eq = line.find('=');
        std::string value = line.substr(eq + 1);
        if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
            value = value.substr(1, value.size() - 2);
        }
        env[line.substr(7, eq - 7)] = value;
    }
    return env;
}

bool processAlive(int pid) {
    return pid > 0 && kill(pid, 0) == 0;
}

} // namespace

TEST(Run, CapturesBothStreamsStatusAndInput) {
    struct Case {
        std::vector<std::string> argv;
        std::string input;
        std::string out, err;
        int status;
    };
    const Case cases[] = {
        {{"sh", "-c", "printf 'a\\nb'; printf e >&2; exit 3"}, "", "a\nb", "e", 3},
        {{"cat"}, "fed through stdin\n", "fed through stdin\n", "", 0},
        {{"sh", "-c", "echo \"[$TARN_HARNESS_PROBE]\""}, "", "[set]\n", "", 0},
        {{"sh", "-c", "pwd"}, "", "/\n", "", 0},
    };
    for (const auto& c : cases) {
        RunResult r = harness::run(c.argv, "/", {{"TARN_HARNESS_PROBE", "set"}}, {},
                                   std::chrono::seconds(10), c.input);
        EXPECT_TRUE(r.started) << c.argv.back();
        EXPECT_EQ(r.out, c.out) << c.argv.back();
        EXPECT_EQ(r.err, c.err) << c.argv.back();
        EXPECT_EQ(r.status, c.status) << c.argv.back();
        EXPECT_FALSE(r.timedOut);
    }
}

TEST(Run, LargeOutputOnBothStreamsDoesNotDeadlock) {
    RunResult r =
        harness::run({"sh", "-c", "head -c 300000 /dev/zero; head -c 300000 /dev/zero >&2; exit 0"},
                     "", {}, {}, std::chrono::seconds(20));
    EXPECT_EQ(r.out.size(), 300000u);
    EXPECT_EQ(r.err.size(), 300000u);
    EXPECT_EQ(r.status, 0);
}

TEST(Run, KillsAChildThatOutlivesTheTimeOut) {
    auto start = std::chrono::steady_clock::now();
    RunResult r = harness::run({"sleep", "30"}, "", {}, {}, std::chrono::milliseconds(200));
    EXPECT_TRUE(r.timedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(Run, RemovesUnsetNamesAndReportsAMissingProgram) {
    setenv("PRINTER", "somewhere", 1);
    RunResult r = harness::run({"sh", "-c", "echo \"${PRINTER-unset}\""}, "", {}, {"PRINTER"});
    EXPECT_EQ(r.out, "unset\n");
    unsetenv("PRINTER");
    RunResult missing = harness::run({"/nonexistent/program"});
    EXPECT_EQ(missing.status, 127);
}

TEST(TempCupsTest, ServesQueuesForEveryShippedPpdAndCleansUp) {
    std::string root;
    int pid = -1;
    {
        TempCups cups;
        ASSERT_TRUE(cups.ok()) << cups.error();
        root = cups.root();
        pid = cups.pid();
        struct stat st {};
        ASSERT_EQ(stat(root.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0755u);

        const std::vector<std::pair<std::string, std::string>> queues{
            {"RV-C9000", "socket://127.0.0.1:9100"},
            {"RV-C2000", "lpd://127.0.0.1/q"},
            {"RV-D5510P", "ipp://127.0.0.1/ipp"},
            {"RV-D5500A", "dnssd://x._ipp._tcp/"},
            {"RV-C5020A", "mdns://x"},
            {"RV-C5000P", "vardaUSB://RV-C5000P?s=1"},
        };
        std::string expected;
        for (const auto& [model, uri] : queues) {
            ASSERT_TRUE(cups.addQueue(model, uri, harness::shippedPpd(model))) << cups.lastError();
            expected += "device for " + model + ": " + uri + "\n";
        }
        ASSERT_TRUE(cups.addQueue("plain", "usb://VARDA/x")) << cups.lastError();
        ASSERT_TRUE(cups.addQueue("tofile", "file:" + cups.tmpDir() + "/out")) << cups.lastError();
        ASSERT_TRUE(cups.addInstance("RV-C9000", "second")) << cups.lastError();

        RunResult dests = cups.run({"lpstat", "-e"});
        EXPECT_NE(dests.out.find("RV-C9000/second\n"), std::string::npos) << dests.out;

        ASSERT_TRUE(cups.deleteQueue("plain")) << cups.lastError();
        RunResult v = cups.run({"lpstat", "-v"});
        for (const auto& [model, uri] : queues) {
            std::string line = "device for " + model + ": " + uri + "\n";
            EXPECT_NE(v.out.find(line), std::string::npos) << v.out;
        }
        EXPECT_EQ(v.out.find("plain"), std::string::npos);
        EXPECT_FALSE(cups.addQueue("bad", "nosuchscheme://x"));
        EXPECT_FALSE(cups.lastError().empty());
        EXPECT_TRUE(processAlive(pid));
    }
    EXPECT_FALSE(processAlive(pid));
    EXPECT_FALSE(fs::exists(root));
}

namespace {

// Running and not a zombie: a scheduler whose parent died is reaped by someone else, maybe late.
bool runningProcess(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return false;
    }
    const auto close = line.rfind(')');
    return close != std::string::npos && line.size() > close + 2 && line[close + 2] != 'Z';
}

} // namespace

TEST(TempCupsTest, AHolderThatDiesWithoutCleaningUpTakesItsSchedulerAlong) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        close(fds[0]);
        auto* cups = new TempCups; // never destroyed: the holder ends as if it crashed
        int pid = cups->ok() ? cups->pid() : -1;
        (void)!write(fds[1], &pid, sizeof pid);
        (void)!write(fds[1], cups->root().data(), cups->root().size());
        _exit(0);
    }
    close(fds[1]);
    int cupsdPid = -1;
    ASSERT_EQ(read(fds[0], &cupsdPid, sizeof cupsdPid), static_cast<ssize_t>(sizeof cupsdPid));
    char root[4096];
    const ssize_t rootLength = read(fds[0], root, sizeof root);
    close(fds[0]);
    waitpid(holder, nullptr, 0);
    ASSERT_GT(rootLength, 0);
    const fs::path leftover(std::string(root, static_cast<size_t>(rootLength)));
    ASSERT_GT(cupsdPid, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (runningProcess(cupsdPid) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_FALSE(runningProcess(cupsdPid));
    fs::remove_all(leftover);
}

TEST(TempCupsTest, ApplyToProcessSetsAndRestoresTheEnvironment) {
    setenv("LPDEST", "elsewhere", 1);
    unsetenv("CUPS_SERVER");
    {
        TempCups cups(TempCups::Mode::LayoutOnly);
        ASSERT_TRUE(cups.ok()) << cups.error();
        cups.applyToProcess();
        EXPECT_EQ(std::string(getenv("CUPS_SERVER")), cups.socketPath());
        EXPECT_EQ(std::string(getenv("TMPDIR")), cups.tmpDir());
        EXPECT_EQ(getenv("LPDEST"), nullptr);
    }
    EXPECT_EQ(getenv("CUPS_SERVER"), nullptr);
    ASSERT_NE(getenv("LPDEST"), nullptr);
    EXPECT_EQ(std::string(getenv("LPDEST")), "elsewhere");
    unsetenv("LPDEST");
}

TEST(TempCupsTest, LayoutOnlyHasNoServerBehindTheSocket) {
    TempCups cups(TempCups::Mode::LayoutOnly);
    ASSERT_TRUE(cups.ok()) << cups.error();
    EXPECT_EQ(cups.pid(), -1);
    RunResult r = cups.run({"lpstat", "-r"}, "", std::chrono::seconds(10));
    EXPECT_NE(r.out.find("scheduler is not running"), std::string::npos) << r.out << r.err;
}

TEST(TempCupsTest, TwoServersSideBySideStayApart) {
    TempCups a, b;
    ASSERT_TRUE(a.ok()) << a.error();
    ASSERT_TRUE(b.ok()) << b.error();
    ASSERT_TRUE(a.addQueue("onlyA", "socket://127.0.0.1:1")) << a.lastError();
    EXPECT_EQ(b.run({"lpstat", "-v"}).out.find("onlyA"), std::string::npos);
    EXPECT_NE(a.run({"lpstat", "-v"}).out.find("onlyA"), std::string::npos);
}

TEST(WritePpd, RepeatedAndValuelessAttributesAreAcceptedByLpadmin) {
    TempCups cups;
    ASSERT_TRUE(cups.ok()) << cups.error();
    const std::string ppd = cups.tmpDir() + "/gen.ppd";
    ASSERT_TRUE(harness::writePpd(ppd, {{"1284DeviceID", "MFG:VARDA;MDL:RV-C9000;"},
                                        {"inkNameC", ""},
                                        {"inkNameC", "IC-90C"},
                                        {"inkNameM", std::nullopt},
                                        {"inkNameY Spare", "IC-90Y"}}));
    ASSERT_TRUE(cups.addQueue("gen", "socket://127.0.0.1:9100", ppd)) << cups.lastError();
    std::string copy = cups.root() + "/ppd/gen.ppd";
    ASSERT_TRUE(fs::exists(copy));
}

TEST(Script, StartAddQueueStopRoundTrip) {
    TempCups scratch(TempCups::Mode::LayoutOnly); // only for a private folder to put a root in
    ASSERT_TRUE(scratch.ok());
    const std::string root = scratch.tmpDir() + "/r";
    const std::string script = harness::privateCupsScript();

    RunResult started =
        harness::run({"bash", script, "start", root}, "", {}, {}, std::chrono::seconds(30));
    ASSERT_EQ(started.status, 0) << started.err;
    harness::Env env = parseExports(started.out);
    ASSERT_EQ(env["CUPS_SERVER"], fs::canonical(root).string() + "/run/cups.sock");
    ASSERT_EQ(env["TMPDIR"], fs::canonical(root).string() + "/tmp");

    RunResult added = harness::run({"bash", script, "add-queue", root, "q1",
                                    "socket://127.0.0.1:9100", harness::shippedPpd("RV-C2000")});
    EXPECT_EQ(added.status, 0) << added.err;
    RunResult listed = harness::run({"lpstat", "-v"}, "", env, {"PRINTER", "LPDEST"});
    EXPECT_EQ(listed.out, "device for q1: socket://127.0.0.1:9100\n");

    RunResult stopped = harness::run({"bash", script, "stop", root});
    EXPECT_EQ(stopped.status, 0) << stopped.err;
    EXPECT_FALSE(fs::exists(root));
    RunResult after = harness::run({"lpstat", "-r"}, "", env, {"PRINTER", "LPDEST"});
    EXPECT_NE(after.out.find("not running"), std::string::npos);
}
