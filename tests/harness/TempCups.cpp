// SPDX-License-Identifier: Apache-2.0
#include "TempCups.h"

#include <cups/cups.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace harness {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReadyTimeout = std::chrono::seconds(10);
constexpr auto kReadyPollInterval = std::chrono::milliseconds(20);
constexpr auto kStopTimeout = std::chrono::seconds(5);
constexpr auto kTermRepeat = std::chrono::milliseconds(50);
constexpr auto kAdminTimeout = std::chrono::seconds(30);

// The base folder of temp roots, fixed at first use: once a root is applied to the process,
// TMPDIR points inside it, and a later root must not nest there. A unix socket path is limited
// to about 100 bytes, so a long TMPDIR falls back to /tmp.
const std::string& tempBase() {
    static const std::string base = [] {
        const char* t = std::getenv("TMPDIR");
        if (t && *t && std::strlen(t) < 60 && std::filesystem::is_directory(t)) {
            return std::string(t);
        }
        return std::string("/tmp");
    }();
    return base;
}

std::string findInPath(const std::string& name) {
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    dirs += ":/usr/sbin:/sbin";
    std::stringstream ss(dirs);
    std::string dir;
    while (std::getline(ss, dir, ':')) {
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return name;
}

std::vector<std::string> mergedEnvironment(const Env& env, const std::vector<std::string>& unset) {
    Env all;
    for (char** e = environ; e && *e; ++e) {
        const char* eq = std::strchr(*e, '=');
        if (eq) {
            all[std::string(*e, static_cast<size_t>(eq - *e))] = eq + 1;
        }
    }
    for (const auto& [k, v] : env) {
        all[k] = v;
    }
    for (const auto& k : unset) {
        all.erase(k);
    }
    std::vector<std::string> out;
    out.reserve(all.size());
    for (const auto& [k, v] : all) {
        out.push_back(k + "=" + v);
    }
    return out;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    p.reserve(strings.size() + 1);
    for (auto& s : strings) {
        p.push_back(s.data());
    }
    p.push_back(nullptr);
    return p;
}

struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    void reset() {
        if (fd >= 0) {
            close(fd);
        }
        fd = -1;
    }
};

bool makePipe(Fd& readEnd, Fd& writeEnd) {
    int p[2];
    if (pipe2(p, O_CLOEXEC) != 0) {
        return false;
    }
    readEnd.fd = p[0];
    writeEnd.fd = p[1];
    return true;
}

// Waits for pid until deadline, polling; true when it was reaped (status in *status).
bool waitUntil(pid_t pid, Clock::time_point deadline, int* status) {
    for (;;) {
        pid_t r = waitpid(pid, status, WNOHANG);
        if (r == pid || (r < 0 && errno == ECHILD)) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const char kPpdBody[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "RVTEST.PPD"
*Manufacturer: "VARDA"
*Product: "(RV test printer)"
*ModelName: "VARDA RV test printer"
*ShortNickName: "VARDA RV test printer"
*NickName: "VARDA RV test printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Label4x6
*PageSize Label4x6/4 x 6 in: "<</PageSize[288 432]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Label4x6
*PageRegion Label4x6/4 x 6 in: "<</PageSize[288 432]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: Label4x6
*ImageableArea Label4x6/4 x 6 in: "0 0 288 432"
*DefaultPaperDimension: Label4x6
*PaperDimension Label4x6/4 x 6 in: "288 432"
*DefaultFont: Courier
*Font Courier: Standard "(002.004S)" Standard ROM
)PPD";

} // namespace

RunResult run(const std::vector<std::string>& argv, const std::string& workdir, const Env& env,
              const std::vector<std::string>& unset, std::chrono::milliseconds timeout,
              const std::string& input) {
    RunResult result;
    if (argv.empty()) {
        return result;
    }
    // Everything the child needs is built before fork: only exec-safe calls follow it.
    std::vector<std::string> args = argv;
    std::vector<std::string> envStrings = mergedEnvironment(env, unset);
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(envStrings);
    const std::string program = findInPath(argv[0]);

    Fd inR, inW, outR, outW, errR, errW;
    if (!makePipe(inR, inW) || !makePipe(outR, outW) || !makePipe(errR, errW)) {
        result.err = "pipe failed";
        return result;
    }
    pid_t pid = fork();
    if (pid < 0) {
        result.err = "fork failed";
        return result;
    }
    if (pid == 0) {
        dup2(inR.fd, 0);
        dup2(outW.fd, 1);
        dup2(errW.fd, 2);
        if (!workdir.empty() && chdir(workdir.c_str()) != 0) {
            static const char msg[] = "cannot enter the working folder\n";
            (void)!write(2, msg, sizeof msg - 1);
            _exit(127);
        }
        execve(program.c_str(), argp.data(), envp.data());
        static const char msg[] = "cannot run the program\n";
        (void)!write(2, msg, sizeof msg - 1);
        _exit(127);
    }
    result.started = true;
    inR.reset();
    outW.reset();
    errW.reset();

    size_t written = 0;
    if (input.empty()) {
        inW.reset();
    } else {
        fcntl(inW.fd, F_SETFL, O_NONBLOCK);
    }
    const auto deadline = Clock::now() + timeout;
    char buf[4096];
    while (outR.fd >= 0 || errR.fd >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd fds[3];
        int n = 0;
        int outIdx = -1, errIdx = -1, inIdx = -1;
        if (outR.fd >= 0) {
            outIdx = n;
            fds[n++] = {outR.fd, POLLIN, 0};
        }
        if (errR.fd >= 0) {
            errIdx = n;
            fds[n++] = {errR.fd, POLLIN, 0};
        }
        if (inW.fd >= 0) {
            inIdx = n;
            fds[n++] = {inW.fd, POLLOUT, 0};
        }
        int r = poll(fds, n, static_cast<int>(left.count()));
        if (r < 0 && errno != EINTR) {
            break;
        }
        auto drain = [&](int idx, Fd& fd, std::string& into) {
            if (idx >= 0 && (fds[idx].revents & (POLLIN | POLLHUP | POLLERR))) {
                ssize_t got = read(fd.fd, buf, sizeof buf);
                if (got > 0) {
                    into.append(buf, static_cast<size_t>(got));
                } else if (got == 0 || errno != EINTR) {
                    fd.reset();
                }
            }
        };
        drain(outIdx, outR, result.out);
        drain(errIdx, errR, result.err);
        if (inIdx >= 0 && (fds[inIdx].revents & (POLLOUT | POLLERR | POLLHUP))) {
            ssize_t w = write(inW.fd, input.data() + written, input.size() - written);
            if (w > 0) {
                written += static_cast<size_t>(w);
            }
            if (w < 0 || written == input.size()) {
                inW.reset();
            }
        }
    }
    int status = 0;
    if (!waitUntil(pid, Clock::now() + std::chrono::seconds(5), &status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        result.timedOut = true;
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool writePpd(const std::string& path, const std::vector<PpdAttr>& attributes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out << kPpdBody;
    for (const auto& a : attributes) {
        out << '*' << a.keyword << ':';
        if (a.value) {
            out << " \"" << *a.value << '"';
        }
        out << '\n';
    }
    out << "*% End of RVTEST.PPD\n";
    return static_cast<bool>(out.flush());
}

std::string shippedPpdDir() {
    return TARN_HARNESS_DIR "/ppd";
}

std::string shippedPpd(const std::string& model) {
    return shippedPpdDir() + "/" + model + ".ppd";
}

std::string privateCupsScript() {
    return TARN_HARNESS_DIR "/private-cups.sh";
}

TempCups::TempCups(Mode mode) {
    std::string tmpl = tempBase() + "/tarn-cups-XXXXXX";
    if (!mkdtemp(tmpl.data())) {
        error_ = "cannot create a temp root: " + std::string(std::strerror(errno));
        return;
    }
    root_ = tmpl;
    RunResult prep =
        harness::run({"bash", privateCupsScript(), "prepare", root_}, "", {}, {}, kAdminTimeout);
    if (prep.status != 0) {
        error_ = "laying out the root failed: " + prep.err;
        return;
    }
    if (mode == Mode::Running) {
        start();
    }
}

TempCups::~TempCups() {
    stop();
    restoreProcessEnv();
    if (!root_.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
}

Env TempCups::environment() const {
    return {
        {"CUPS_SERVER", socketPath()},
        {"CUPS_SERVERROOT", root_},
        {"CUPS_STATEDIR", root_ + "/run"},
        {"CUPS_DATADIR", "/usr/share/cups"},
        {"HOME", homeDir()},
        {"TMPDIR", tmpDir()},
        {"LANG", "C"},
        {"LC_ALL", "C"},
    };
}

const std::vector<std::string>& TempCups::unsetVariables() {
    static const std::vector<std::string> names{"PRINTER", "LPDEST"};
    return names;
}

void TempCups::applyToProcess() {
    auto remember = [this](const std::string& name) {
        if (applied_) {
            return;
        }
        const char* old = std::getenv(name.c_str());
        savedEnv_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    };
    for (const auto& [k, v] : environment()) {
        remember(k);
        setenv(k.c_str(), v.c_str(), 1);
    }
    for (const auto& k : unsetVariables()) {
        remember(k);
        unsetenv(k.c_str());
    }
    applied_ = true;
    // libcups keeps the server it read first (and a connection to it); NULL makes it read
    // CUPS_SERVER again.
    cupsSetServer(nullptr);
    cupsSetUser(nullptr);
}

void TempCups::restoreProcessEnv() {
    if (!applied_) {
        return;
    }
    for (const auto& [name, value] : savedEnv_) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
    savedEnv_.clear();
    applied_ = false;
    cupsSetServer(nullptr);
}

RunResult TempCups::run(const std::vector<std::string>& argv, const std::string& workdir,
                        std::chrono::milliseconds timeout) const {
    return harness::run(argv, workdir, environment(), unsetVariables(), timeout);
}

bool TempCups::start() {
    const std::string conf = root_ + "/cupsd.conf";
    const std::string files = root_ + "/cups-files.conf";
    const std::string out = root_ + "/log/cupsd.out";
    std::vector<std::string> args{"cupsd", "-f", "-c", conf, "-s", files};
    std::vector<char*> argp = pointers(args);
    std::vector<std::string> envStrings = mergedEnvironment(environment(), unsetVariables());
    std::vector<char*> envp = pointers(envStrings);
    const std::string program = findInPath("cupsd");

    const pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        error_ = "fork failed";
        return false;
    }
    if (pid == 0) {
        // A test that crashes or is killed on a time-out never runs the destructor: the
        // scheduler then ends with it instead of running on.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) {
            _exit(1);
        }
        int devnull = open("/dev/null", O_RDONLY);
        int log = open(out.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (devnull >= 0) {
            dup2(devnull, 0);
        }
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        execve(program.c_str(), argp.data(), envp.data());
        _exit(127);
    }
    pid_ = pid;

    const auto deadline = Clock::now() + kReadyTimeout;
    for (;;) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            error_ = "cupsd ended at start: " + readFile(out) + errorLog();
            return false;
        }
        RunResult r = run({"lpstat", "-r"}, "", std::chrono::seconds(5));
        if (r.out.find("scheduler is running") != std::string::npos &&
            r.out.find("not running") == std::string::npos) {
            return true;
        }
        if (Clock::now() >= deadline) {
            error_ = "cupsd did not answer in time: " + errorLog();
            stop();
            return false;
        }
        std::this_thread::sleep_for(kReadyPollInterval);
    }
}

void TempCups::stop() {
    if (pid_ <= 0) {
        return;
    }
    // cupsd only sets a flag in its signal handler; a TERM that lands just before it enters its
    // wait is seen only when that wait ends, up to a second later. Repeating it is harmless.
    const auto deadline = Clock::now() + kStopTimeout;
    int status = 0;
    bool ended = false;
    while (!ended && Clock::now() < deadline) {
        kill(pid_, SIGTERM);
        ended = waitUntil(pid_, std::min(deadline, Clock::now() + kTermRepeat), &status);
    }
    if (!ended) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
}

std::string TempCups::errorLog() const {
    return readFile(root_ + "/log/error_log");
}

bool TempCups::admin(const std::vector<std::string>& argv) {
    RunResult r = run(argv, "", kAdminTimeout);
    if (r.status == 0 && !r.timedOut) {
        return true;
    }
    std::string line;
    for (const auto& a : argv) {
        line += a + " ";
    }
    lastError_ = line + "failed (status " + std::to_string(r.status) +
                 (r.timedOut ? ", timed out" : "") + "): " + r.err;
    return false;
}

bool TempCups::addQueue(const std::string& name, const std::string& uri, const std::string& ppd) {
    std::vector<std::string> argv{"lpadmin", "-p", name, "-E", "-v", uri};
    if (!ppd.empty()) {
        argv.push_back("-P");
        argv.push_back(ppd);
    }
    return admin(argv);
}

bool TempCups::addInstance(const std::string& queue, const std::string& instance,
                           const std::string& option) {
    // lpoptions keeps an instance only when it differs from the queue in some option.
    return admin({"lpoptions", "-p", queue + "/" + instance, "-o", option});
}

bool TempCups::addToClass(const std::string& queue, const std::string& className) {
    return admin({"lpadmin", "-p", queue, "-c", className});
}

bool TempCups::deleteQueue(const std::string& name) {
    return admin({"lpadmin", "-x", name});
}

} // namespace harness
