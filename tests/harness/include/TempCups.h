// SPDX-License-Identifier: Apache-2.0
// A private cupsd for tests: a fresh temp root, the scheduler running as a child process on a
// unix socket inside it, the client environment that points every CUPS client there, and
// helpers to add queues and to run programs against it. No test framework is needed.
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace harness {

using Env = std::map<std::string, std::string>;

struct RunResult {
    std::string out;       // standard output
    std::string err;       // standard error
    int status = -1;       // exit status, or -1 when killed by a signal or not started
    bool started = false;  // false when the program could not be run
    bool timedOut = false; // killed after the time-out
};

// Runs argv[0] (searched in PATH when it holds no slash) with the current environment plus
// env, minus the names in unset, in workdir (the current folder when empty), with standard input
// from input. The child is killed when it outlives timeout.
RunResult run(const std::vector<std::string>& argv, const std::string& workdir = "",
              const Env& env = {}, const std::vector<std::string>& unset = {},
              std::chrono::milliseconds timeout = std::chrono::seconds(60),
              const std::string& input = "");

// A PPD with a fixed label-printer body and then one "*keyword: \"value\"" line per attribute, in
// the given order (a keyword may carry a specifier: "inkNameC Spare"; keywords may repeat). An
// attribute with no value is written as "*keyword:" and an empty one as "*keyword: \"\"".
struct PpdAttr {
    std::string keyword;
    std::optional<std::string> value;
};
bool writePpd(const std::string& path, const std::vector<PpdAttr>& attributes);

// The PPDs shipped for the printer families: shippedPpd("RV-C9000") and so on.
std::string shippedPpdDir();
std::string shippedPpd(const std::string& model);

// The shell helper that lays out a root (and can run a cupsd for scripts).
std::string privateCupsScript();

// libcups reads HOME, CUPS_SERVERROOT and more once per thread, at that thread's first call, so
// a thread that has talked to one private server keeps its lpoptions and PPD folder after the
// environment points elsewhere. Running each in-process CUPS call on a fresh thread makes it
// see the current environment, whichever tests ran before it in the same process.
template <class F> auto inFreshCupsThread(F&& f) -> decltype(f()) {
    std::optional<decltype(f())> result;
    std::thread worker([&] { result.emplace(f()); });
    worker.join();
    return std::move(*result);
}

class TempCups {
public:
    enum class Mode {
        Running,   // start cupsd and wait until it answers
        LayoutOnly // the root and environment, but no server behind the socket
    };

    // Construct it on a thread that outlives it (the main thread, say): cupsd is told to end
    // when the thread that started it ends, so that a crashed test leaves no scheduler behind.
    explicit TempCups(Mode mode = Mode::Running);
    ~TempCups(); // stops cupsd, restores the process environment, removes the root
    TempCups(const TempCups&) = delete;
    TempCups& operator=(const TempCups&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    const std::string& root() const { return root_; }
    std::string socketPath() const { return root_ + "/run/cups.sock"; }
    std::string tmpDir() const { return root_ + "/tmp"; }
    std::string homeDir() const { return root_ + "/home"; }
    int pid() const { return pid_; }

    // What every CUPS client needs: set these, and unset unsetVariables().
    Env environment() const;
    static const std::vector<std::string>& unsetVariables();

    // Points this process's own libcups calls at the private server (setenv/unsetenv and a
    // reset of libcups's cached server). The destructor restores the former values.
    void applyToProcess();

    // Runs a program with the client environment.
    RunResult run(const std::vector<std::string>& argv, const std::string& workdir = "",
                  std::chrono::milliseconds timeout = std::chrono::seconds(60)) const;

    // Queue administration through lpadmin/lpoptions; false on failure, with lastError().
    bool addQueue(const std::string& name, const std::string& uri, const std::string& ppd = "");
    bool addInstance(const std::string& queue, const std::string& instance,
                     const std::string& option = "cpi=10");
    bool addToClass(const std::string& queue, const std::string& className);
    bool deleteQueue(const std::string& name);

    // Stops cupsd (TERM, then KILL after a time-out); safe to call twice.
    void stop();

    // The scheduler's error log, for failure messages.
    std::string errorLog() const;
    const std::string& lastError() const { return lastError_; }

private:
    bool admin(const std::vector<std::string>& argv);
    bool start();
    void restoreProcessEnv();

    std::string root_;
    std::string error_;
    std::string lastError_;
    int pid_ = -1;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
    bool applied_ = false;
};

} // namespace harness
