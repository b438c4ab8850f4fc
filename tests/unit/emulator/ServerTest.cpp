// SPDX-License-Identifier: Apache-2.0
// The emulator on the wire: replies and injected faults as a client sees them, and the project's
// dexo1.so against it.
#include "emulator/Server.h"
#include "dexo1.h"
#include "emulator/ControlClient.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <dlfcn.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string STX = "\x02";
const std::string ETX = "\x03";
const char kStatusRequest[] = "~H(SMA,S~H(IMM,I~H(SEA,E~H(QWN~H(CLM,P~H(IMF,V~H(QMN~H(QIQ~H(IMP,"
                              "S~H(SPA,P~H(SPA,S~H(SPA,O~H(SEA,F";

using Clock = std::chrono::steady_clock;

long msSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// A plain client of one printer port.
class Wire {
public:
    explicit Wire(int port) {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~Wire() { ::close(fd_); }
    bool connected() const { return connected_; }
    void endOurSide() { ::shutdown(fd_, SHUT_WR); }
    int reads() const { return reads_; }
    void send(const std::string& bytes) {
        (void)!::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
    // Reads until needle arrives, the peer closes, or waitMs pass; ended tells about the close.
    std::string readUntil(const std::string& needle, int waitMs, bool& ended) {
        return readWhile([&] { return received_.find(needle) == std::string::npos; }, waitMs,
                         ended);
    }
    std::string readAtLeast(std::size_t count, int waitMs, bool& ended) {
        return readWhile([&] { return received_.size() < count; }, waitMs, ended);
    }

private:
    template <typename More> std::string readWhile(More more, int waitMs, bool& ended) {
        ended = false;
        const auto start = Clock::now();
        while (more()) {
            const int left = waitMs - static_cast<int>(msSince(start));
            pollfd entry{fd_, POLLIN, 0};
            if (left <= 0 || ::poll(&entry, 1, left) <= 0) {
                break;
            }
            char chunk[65536];
            const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
            if (n <= 0) {
                ended = true;
                break;
            }
            received_.append(chunk, static_cast<std::size_t>(n));
            ++reads_;
        }
        return received_;
    }

    int fd_ = -1;
    bool connected_ = false;
    int reads_ = 0;
    std::string received_;
};

class EmulatorServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server_.ok()) << server_.error();
        ASSERT_TRUE(control_.connect(server_.controlPort()));
    }
    std::string fullStatus() {
        Wire wire(server_.port("c9"));
        wire.send(kStatusRequest);
        bool ended = false;
        return wire.readUntil("^S(SEA,F,0" + ETX, 5000, ended);
    }
    emulator::BackgroundServer server_{{{"c9", "RV-C9000", 0}, {"d55", "RV-D5510P", 0}}};
    emulator::ControlClient control_;
};

TEST_F(EmulatorServer, ListsItsPrintersAndTheirPorts) {
    const auto response = control_.command("list");
    ASSERT_TRUE(response.ok);
    ASSERT_EQ(response.lines.size(), 2u);
    EXPECT_EQ(response.lines[0].rfind("c9 " + std::to_string(server_.port("c9")) + " RV-C9000 ", 0),
              0u);
    EXPECT_NE(response.lines[1].find("MFG:VARDA;MDL:RV-D5510P;"), std::string::npos);
}

TEST_F(EmulatorServer, StateSetOverControlShowsInTheStatusOfThatPrinterOnly) {
    ASSERT_TRUE(control_.set("c9", "state", "ER"));
    ASSERT_TRUE(control_.set("c9", "error", "SJ"));
    const std::string status = fullStatus();
    EXPECT_NE(status.find(STX + "^S(SMA,S,ER" + ETX), std::string::npos);
    EXPECT_NE(status.find(STX + "^S(SEA,E,SJ" + ETX), std::string::npos);
    EXPECT_EQ(control_.get("d55", "state"), "IL");
}

TEST_F(EmulatorServer, ConnectionsAreServedSideBySideAndLoggedPerPrinter) {
    Wire first(server_.port("c9"));
    Wire second(server_.port("c9"));
    first.send("^XA^S(CLS,C,100^XZ");
    second.send("~H(CLS,C");
    bool ended = false;
    // Both connections reach the same printer; order between them is not promised, so ask
    // until the value shows.
    std::string seen;
    for (int i = 0; i < 50 && seen.find("100") == std::string::npos; ++i) {
        Wire probe(server_.port("c9"));
        probe.send("~H(CLS,C");
        seen = probe.readUntil(ETX, 2000, ended);
    }
    EXPECT_EQ(seen, STX + "^S(CLS,C,100" + ETX);
    EXPECT_EQ(control_.setting("c9", "formGap"), "100");
    const std::vector<std::string> log = control_.log("c9");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "^XA");
    EXPECT_TRUE(control_.log("d55").empty());
}

TEST_F(EmulatorServer, FaultsShapeTheRepliesOnTheWire) {
    const std::string complete = fullStatus();
    ASSERT_EQ(complete.rfind(STX + "^S(SMA,S,IL" + ETX, 0), 0u);

    struct Case {
        const char* kind;
        int delayMs;
    };
    const Case cases[] = {{"cut", 0}, {"close", 0}, {"garbage", 0}, {"huge", 0}, {"slow", 300}};
    for (const Case& c : cases) {
        ASSERT_TRUE(control_.fault("c9", c.kind, "status", c.delayMs)) << c.kind;
        Wire wire(server_.port("c9"));
        ASSERT_TRUE(wire.connected());
        const auto start = Clock::now();
        wire.send(kStatusRequest);
        bool ended = false;
        const std::string kind = c.kind;
        // Garbage never holds the end of the reply: stop once as many bytes have come.
        const std::string got = kind == "garbage" ? wire.readAtLeast(complete.size(), 5000, ended)
                                                  : wire.readUntil("^S(SEA,F,0" + ETX, 5000, ended);
        if (kind == "cut") {
            EXPECT_EQ(got, complete.substr(0, complete.size() / 2));
            EXPECT_TRUE(ended);
        } else if (kind == "close") {
            EXPECT_EQ(got, "");
            EXPECT_TRUE(ended);
        } else if (kind == "garbage") {
            EXPECT_GE(got.size(), complete.size());
            EXPECT_EQ(got.find(STX), std::string::npos);
        } else if (kind == "huge") {
            EXPECT_EQ(got.size(), emulator::Server::kHugeReplyBytes + complete.size());
            EXPECT_EQ(got.substr(emulator::Server::kHugeReplyBytes), complete);
        } else {
            EXPECT_EQ(got, complete);
            EXPECT_GE(msSince(start), 290);
        }
    }
    // A fault of the status scope leaves other requests alone.
    ASSERT_TRUE(control_.fault("c9", "silent", "status"));
    Wire wire(server_.port("c9"));
    wire.send("~H(CLM,P");
    bool ended = false;
    EXPECT_EQ(wire.readUntil(ETX, 5000, ended), STX + "^S(CLM,P,IR" + ETX);
    ASSERT_TRUE(control_.fault("c9", "none"));
    EXPECT_EQ(fullStatus(), complete);
}

// On the wire as in the interpreter: what the language lacks gets no answer, not even an empty
// record, and the answers that do come keep their order.
TEST_F(EmulatorServer, QueriesOutsideTheLanguageGetNoAnswerOnTheWire) {
    Wire wire(server_.port("c9"));
    wire.send("~H(SYN,1~H(ABC,Z~H(CLM,P");
    bool ended = false;
    EXPECT_EQ(wire.readUntil(ETX, 5000, ended), STX + "^S(CLM,P,IR" + ETX);
    wire.send("~H(SYN,1");
    wire.send("~H(ABC,Z");
    EXPECT_EQ(wire.readUntil("never", 300, ended), STX + "^S(CLM,P,IR" + ETX);
    EXPECT_FALSE(ended);
}

// The behaviours of real printers' links, as a client sees them.
TEST_F(EmulatorServer, BehavioursShapeTheLink) {
    const std::string answer = STX + "^S(CLM,P,IR" + ETX + STX + "^S(CLS,C,72" + ETX;
    const char request[] = "~H(CLM,P~H(CLS,C";
    bool ended = false;
    {
        ASSERT_TRUE(control_.behave("c9", "dribble"));
        Wire wire(server_.port("c9"));
        wire.send(request);
        EXPECT_EQ(wire.readAtLeast(answer.size(), 5000, ended), answer);
        // A millisecond between bytes: the reader cannot get it in one piece.
        EXPECT_GT(wire.reads(), 4);
    }
    {
        ASSERT_TRUE(control_.behave("c9", "delay", 300));
        Wire wire(server_.port("c9"));
        const auto start = Clock::now();
        wire.send(request);
        EXPECT_EQ(wire.readAtLeast(answer.size(), 5000, ended), answer);
        EXPECT_GE(msSince(start), 290);
    }
    {
        ASSERT_TRUE(control_.behave("c9", "close-after"));
        Wire wire(server_.port("c9"));
        wire.send(request);
        EXPECT_EQ(wire.readUntil("never", 5000, ended), answer);
        EXPECT_TRUE(ended);
    }
    {
        ASSERT_TRUE(control_.behave("c9", "keep-open"));
        Wire wire(server_.port("c9"));
        wire.send(request);
        wire.endOurSide();
        EXPECT_EQ(wire.readUntil("never", 300, ended), answer);
        EXPECT_FALSE(ended);
    }
    {
        // The default: the printer closes its side once ours is ended.
        ASSERT_TRUE(control_.behave("c9", "prompt"));
        Wire wire(server_.port("c9"));
        wire.send(request);
        wire.endOurSide();
        EXPECT_EQ(wire.readUntil("never", 5000, ended), answer);
        EXPECT_TRUE(ended);
    }
}

TEST_F(EmulatorServer, FunctionRunsUntilFinishedOverControl) {
    ASSERT_TRUE(control_.set("c9", "functionMs", "-1"));
    Wire wire(server_.port("c9"));
    wire.send("~J(MCL,A");
    // The command is in once the log shows it.
    for (int i = 0; i < 1000 && control_.log("c9").empty(); ++i) {
    }
    EXPECT_EQ(control_.log("c9"), std::vector<std::string>{"~J(MCL,A"});
    EXPECT_EQ(control_.get("c9", "state"), "CL");
    EXPECT_EQ(control_.get("c9", "functionState"), "cleaning");
    ASSERT_TRUE(control_.finish("c9"));
    EXPECT_EQ(control_.get("c9", "state"), "IL");
}

// --- dexo1.so against the emulator ----------------------------------------------------------

struct Dexo {
    void* handle = ::dlopen(DEXO1_PATH, RTLD_NOW | RTLD_LOCAL);
    template <typename T> T fn(const char* name) {
        return reinterpret_cast<T>(::dlsym(handle, name));
    }
    decltype(&::DEXOInitialize) Initialize = fn<decltype(&::DEXOInitialize)>("DEXOInitialize");
    decltype(&::DEXORelease) Release = fn<decltype(&::DEXORelease)>("DEXORelease");
    decltype(&::DEXOOpen) Open = fn<decltype(&::DEXOOpen)>("DEXOOpen");
    decltype(&::DEXOClose) Close = fn<decltype(&::DEXOClose)>("DEXOClose");
    decltype(&::DEXOIOCTL) IOCTL = fn<decltype(&::DEXOIOCTL)>("DEXOIOCTL");
    decltype(&::DEXOGetSize) GetSize = fn<decltype(&::DEXOGetSize)>("DEXOGetSize");
    decltype(&::DEXOGetStatus) GetStatus = fn<decltype(&::DEXOGetStatus)>("DEXOGetStatus");
    decltype(&::DEXOOpenChannel) OpenChannel = fn<decltype(&::DEXOOpenChannel)>("DEXOOpenChannel");
    decltype(&::DEXOCloseChannel) CloseChannel =
        fn<decltype(&::DEXOCloseChannel)>("DEXOCloseChannel");
    decltype(&::DEXOWrite) Write = fn<decltype(&::DEXOWrite)>("DEXOWrite");
    decltype(&::DEXORead) Read = fn<decltype(&::DEXORead)>("DEXORead");
};

class LibraryAgainstEmulator : public EmulatorServer {
protected:
    void SetUp() override {
        EmulatorServer::SetUp();
        ASSERT_NE(dexo_.handle, nullptr) << ::dlerror();
        ::setenv("DEXO1_MAX_TIMEOUT_MS", "500", 1);
        ASSERT_EQ(dexo_.Initialize(kDEXO_InitMode_Default, nullptr), kDEXO_Err_NoErr);
        const std::string uri = "socket://127.0.0.1:" + std::to_string(server_.port("c9"));
        ASSERT_EQ(dexo_.Open(uri.c_str(), &device_), kDEXO_Err_NoErr);
    }
    void TearDown() override {
        dexo_.Close(device_);
        dexo_.Release();
        ::unsetenv("DEXO1_MAX_TIMEOUT_MS");
    }
    std::string status(DEXO_Err& err) {
        DEXO_KorelStatusCommand record{device_, kStatusRequest, "\x02^S(SMA,S,", "\x02^S(SEA,F,"};
        dexo_.IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &record);
        unsigned long idSize = 0;
        unsigned long size = 0;
        EXPECT_EQ(dexo_.GetSize(device_, &idSize, &size), kDEXO_Err_NoErr);
        std::vector<char> buffer(size + 1);
        err = dexo_.GetStatus(device_, buffer.data(), &size, -1);
        return std::string(buffer.data(), size);
    }
    // Writes request and reads the reply as the tool does; err is the first read's result.
    std::string exchange(const std::string& request, DEXO_Err& err) {
        const void* channel = nullptr;
        err = dexo_.OpenChannel(device_, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000);
        if (err != kDEXO_Err_NoErr) {
            return "";
        }
        unsigned long size = request.size();
        dexo_.Write(channel, request.data(), &size, 10000);
        size = 0;
        err = dexo_.Read(channel, nullptr, &size, 10000);
        std::vector<char> buffer(size + 1);
        if (err == kDEXO_Err_NoErr && size > 0) {
            dexo_.Read(channel, buffer.data(), &size, 10000);
        }
        dexo_.CloseChannel(channel, 10000);
        return std::string(buffer.data(), err == kDEXO_Err_NoErr ? size : 0);
    }
    Dexo dexo_;
    const void* device_ = nullptr;
};

TEST_F(LibraryAgainstEmulator, StatusAndSettingsComeBackWhole) {
    DEXO_Err err = kDEXO_Err_Fatal;
    const std::string reply = status(err);
    EXPECT_EQ(err, kDEXO_Err_NoErr);
    EXPECT_EQ(reply.rfind(STX + "^S(SMA,S,IL" + ETX, 0), 0u);
    EXPECT_EQ(reply.substr(reply.size() - 12), STX + "^S(SEA,F,0" + ETX);
    EXPECT_EQ(exchange("~H(CLM,P~H(CMQ,A~H(CLS,C", err),
              STX + "^S(CLM,P,IR" + ETX + STX + "^S(CLS,C,72" + ETX);
    EXPECT_EQ(err, kDEXO_Err_NoErr);
}

TEST_F(LibraryAgainstEmulator, EveryFaultEndsInNoReplyWithinTheTimeout) {
    const char* kinds[] = {"silent", "cut", "close", "garbage", "huge"};
    for (const char* kind : kinds) {
        ASSERT_TRUE(control_.fault("c9", kind));
        const auto start = Clock::now();
        DEXO_Err err = kDEXO_Err_NoErr;
        EXPECT_EQ(status(err), "") << kind;
        EXPECT_NE(err, kDEXO_Err_NoErr) << kind;
        EXPECT_EQ(exchange("~H(CLM,P", err), "") << kind;
        EXPECT_NE(err, kDEXO_Err_NoErr) << kind;
        EXPECT_LT(msSince(start), 3000) << kind;
    }
    // A reply slower than the time-out is lost, one within it arrives.
    ASSERT_TRUE(control_.fault("c9", "slow", "all", 1500));
    DEXO_Err err = kDEXO_Err_NoErr;
    EXPECT_EQ(exchange("~H(CLM,P", err), "");
    EXPECT_EQ(err, kDEXO_Err_Timeout);
    ASSERT_TRUE(control_.fault("c9", "slow", "all", 100));
    EXPECT_EQ(exchange("~H(CLM,P", err), STX + "^S(CLM,P,IR" + ETX);
}

TEST_F(LibraryAgainstEmulator, EveryBehaviourGivesTheWholeReply) {
    const std::string expected = STX + "^S(CLM,P,IR" + ETX + STX + "^S(CLS,C,72" + ETX;
    struct Case {
        const char* kind;
        int delayMs;
    };
    const Case cases[] = {
        {"prompt", 0}, {"dribble", 0}, {"delay", 300}, {"keep-open", 0}, {"close-after", 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(control_.behave("c9", c.kind, c.delayMs)) << c.kind;
        DEXO_Err err = kDEXO_Err_Fatal;
        const std::string reply = status(err);
        EXPECT_EQ(err, kDEXO_Err_NoErr) << c.kind;
        EXPECT_EQ(reply.rfind(STX + "^S(SMA,S,IL" + ETX, 0), 0u) << c.kind;
        // CMQ,A is a peeler setting: the cutter does not answer it. Against a printer that
        // closes after its answer, a missing answer cannot be told from a cut.
        const std::string kind = c.kind;
        EXPECT_EQ(
            exchange(kind == "close-after" ? "~H(CLM,P~H(CLS,C" : "~H(CLM,P~H(CMQ,A~H(CLS,C", err),
            expected)
            << c.kind;
        EXPECT_EQ(err, kDEXO_Err_NoErr) << c.kind;
    }
}

} // namespace
