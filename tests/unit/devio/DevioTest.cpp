// The project's dexo1.so, loaded as the tool loads it, against a tiny TCP peer.
#include "Framing.h"
#include "TcpPeer.h"
#include "Uri.h"
#include "dexo1.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string STX = "\x02";
const std::string ETX = "\x03";
const char kRequest[] = "~H(SMA,S~H(IMM,I~H(SEA,F";
const char kBegin[] = "\x02^S(SMA,S,";
const char kEnd[] = "\x02^S(SEA,F,";
const std::string kReply =
    STX + "^S(SMA,S,IL" + ETX + STX + "^S(IMM,I,GL" + ETX + STX + "^S(SEA,F,0" + ETX;

struct Dexo {
    void* handle = nullptr;
    decltype(&::DEXOInitialize) Initialize = nullptr;
    decltype(&::DEXORelease) Release = nullptr;
    decltype(&::DEXOOpen) Open = nullptr;
    decltype(&::DEXOClose) Close = nullptr;
    decltype(&::DEXOIOCTL) IOCTL = nullptr;
    decltype(&::DEXOGetSize) GetSize = nullptr;
    decltype(&::DEXOGetStatus) GetStatus = nullptr;
    decltype(&::DEXOOpenChannel) OpenChannel = nullptr;
    decltype(&::DEXOCloseChannel) CloseChannel = nullptr;
    decltype(&::DEXOWrite) Write = nullptr;
    decltype(&::DEXORead) Read = nullptr;
    decltype(&::DEXOGetVersion) GetVersion = nullptr;
    decltype(&::DEXOGetDeviceID) GetDeviceID = nullptr;

    template <typename T> void bind(T& pointer, const char* name) {
        pointer = reinterpret_cast<T>(::dlsym(handle, name));
        ASSERT_NE(pointer, nullptr) << name;
    }
    void load() {
        handle = ::dlopen(DEXO1_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << ::dlerror();
        bind(Initialize, "DEXOInitialize");
        bind(Release, "DEXORelease");
        bind(Open, "DEXOOpen");
        bind(Close, "DEXOClose");
        bind(IOCTL, "DEXOIOCTL");
        bind(GetSize, "DEXOGetSize");
        bind(GetStatus, "DEXOGetStatus");
        bind(OpenChannel, "DEXOOpenChannel");
        bind(CloseChannel, "DEXOCloseChannel");
        bind(Write, "DEXOWrite");
        bind(Read, "DEXORead");
        bind(GetVersion, "DEXOGetVersion");
        bind(GetDeviceID, "DEXOGetDeviceID");
    }
};

Dexo& dexo() {
    static Dexo library;
    if (library.handle == nullptr) {
        library.load();
    }
    return library;
}

// Answers the library's synchronisation query so that its read can end.
void answerSync(TcpPeer::Connection& connection, const std::string& answer) {
    if (!connection.readUntil("~H(SYN,")) {
        return;
    }
    const std::size_t at = connection.received.rfind("~H(SYN,");
    if (!connection.readAtLeast(at + 15)) {
        return;
    }
    const std::string token = connection.received.substr(at + 7, 8);
    connection.send(answer + STX + "^S(SYN," + token + ETX);
}

long elapsedMs(std::chrono::steady_clock::time_point since) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - since)
                                 .count());
}

class DevioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("DEXO1_MAX_TIMEOUT_MS", "400", 1);
        ASSERT_EQ(dexo().Initialize(kDEXO_InitMode_Default, nullptr), kDEXO_Err_NoErr);
    }
    void TearDown() override {
        EXPECT_EQ(dexo().Release(), kDEXO_Err_NoErr);
        ::unsetenv("DEXO1_MAX_TIMEOUT_MS");
    }
    const void* openDevice(const std::string& uri) {
        const void* device = nullptr;
        EXPECT_EQ(dexo().Open(uri.c_str(), &device), kDEXO_Err_NoErr);
        return device;
    }
    // Polls the printer the way the tool does; returns the status reply, empty when none.
    std::string readStatus(const void* device, DEXO_Err& statusErr) {
        DEXO_KorelStatusCommand record{device, kRequest, kBegin, kEnd};
        EXPECT_EQ(dexo().IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &record), kDEXO_Err_NoErr);
        unsigned long idSize = 0;
        unsigned long statusSize = 0;
        EXPECT_EQ(dexo().GetSize(device, &idSize, &statusSize), kDEXO_Err_NoErr);
        std::vector<char> buffer(statusSize + 1, '\0');
        unsigned long size = statusSize;
        statusErr = dexo().GetStatus(device, buffer.data(), &size, -1);
        EXPECT_EQ(size, statusErr == kDEXO_Err_NoErr ? statusSize : 0ul);
        return std::string(buffer.data(), size);
    }
};

// --- URIs -------------------------------------------------------------------------------------

TEST(DeviceUri, SocketUrisAndTheirDefaults) {
    struct Case {
        const char* uri;
        DEXO_Err err;
        const char* host;
        const char* port;
    };
    const Case cases[] = {
        {"socket://127.0.0.1:9101", kDEXO_Err_NoErr, "127.0.0.1", "9101"},
        {"socket://printer", kDEXO_Err_NoErr, "printer", "9100"},
        {"socket://printer:9200/queue?opt=1", kDEXO_Err_NoErr, "printer", "9200"},
        {"socket://[::1]:9300", kDEXO_Err_NoErr, "::1", "9300"},
        {"socket://[::1]", kDEXO_Err_NoErr, "::1", "9100"},
        {"usb://VARDA/RV-C9000", kDEXO_Err_NotSupport, "", ""},
        {"ipp://host/printers/q", kDEXO_Err_NotSupport, "", ""},
        {"", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://:9100", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://host:0", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://host:65536", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://host:91x0", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://host:", kDEXO_Err_InvalidAddress, "", ""},
        {"socket://[::1", kDEXO_Err_InvalidAddress, "", ""},
        {"not a uri", kDEXO_Err_InvalidAddress, "", ""},
    };
    for (const Case& c : cases) {
        devio::SocketAddress address;
        EXPECT_EQ(devio::parseDeviceUri(c.uri, address), c.err) << c.uri;
        if (c.err == kDEXO_Err_NoErr) {
            EXPECT_EQ(address.host, c.host) << c.uri;
            EXPECT_EQ(address.port, c.port) << c.uri;
        }
    }
    devio::SocketAddress address;
    EXPECT_EQ(devio::parseDeviceUri(nullptr, address), kDEXO_Err_InvalidAddress);
}

// --- Where replies end ------------------------------------------------------------------------

TEST(Framing, StatusReplyRunsFromBeginMarkerToTheEndOfTheLastRecord) {
    struct Case {
        const char* name;
        std::string data;
        bool complete;
        std::string reply;
    };
    const Case cases[] = {
        {"exact", kReply, true, kReply},
        {"leading noise dropped", "xx\x03" + kReply, true, kReply},
        {"trailing bytes dropped", kReply + STX + "^S(SPA,P,T" + ETX, true, kReply},
        {"last record without its end", kReply.substr(0, kReply.size() - 1), false, ""},
        {"end marker without begin marker", STX + "^S(SEA,F,0" + ETX, false, ""},
        {"end marker only before the begin marker",
         STX + "^S(SEA,F,0" + ETX + STX + "^S(SMA,S,IL" + ETX, false, ""},
        {"empty", "", false, ""},
    };
    for (const Case& c : cases) {
        devio::Span span;
        ASSERT_EQ(devio::findStatusReply(c.data, kBegin, kEnd, span), c.complete) << c.name;
        if (c.complete) {
            EXPECT_EQ(c.data.substr(span.begin, span.end - span.begin), c.reply) << c.name;
        }
    }
}

TEST(Framing, SyncedReplyLeavesOutTheSyncAnswersAndWhatPrecededStaleOnes) {
    const std::string ours = devio::syncAnswer("0000000A");
    const std::string stale = devio::syncAnswer("00000009");
    const std::string answer = STX + "^S(CLS,C,24" + ETX;
    struct Case {
        const char* name;
        std::string data;
        bool complete;
        std::string reply;
    };
    const Case cases[] = {
        {"reply then our answer", answer + ours, true, answer},
        {"nothing but our answer", ours, true, ""},
        {"late reply to an earlier read is skipped", "old" + stale + answer + ours, true, answer},
        {"stale answer only", answer + stale, false, ""},
        {"ours cut short", answer + ours.substr(0, ours.size() - 1), false, ""},
    };
    for (const Case& c : cases) {
        devio::Span span;
        ASSERT_EQ(devio::findSyncedReply(c.data, "0000000A", span), c.complete) << c.name;
        if (c.complete) {
            EXPECT_EQ(c.data.substr(span.begin, span.end - span.begin), c.reply) << c.name;
        }
    }
}

// --- Status ------------------------------------------------------------------------------------

TEST_F(DevioTest, StatusPollSendsTheRequestAndHoldsTheReplyBetweenTheMarkers) {
    TcpPeer peer([](TcpPeer::Connection& c) {
        if (c.readUntil("~H(SEA,F")) {
            // Noise before the reply and a record after it are not part of the status.
            c.send("\x03junk" + kReply + STX + "^S(SPA,P,F" + ETX);
        }
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    DEXO_Err err = kDEXO_Err_Fatal;
    EXPECT_EQ(readStatus(device, err), kReply);
    EXPECT_EQ(err, kDEXO_Err_NoErr);
    EXPECT_EQ(dexo().Close(device), kDEXO_Err_NoErr);
    // The peer's session is recorded when the library has closed its connection.
    for (auto start = std::chrono::steady_clock::now();
         peer.sessions().empty() && elapsedMs(start) < 5000;) {
        std::this_thread::yield();
    }
    ASSERT_EQ(peer.sessions().size(), 1u);
    EXPECT_EQ(peer.sessions()[0], kRequest);
}

TEST_F(DevioTest, StatusReplyArrivingByteByByteIsComplete) {
    TcpPeer peer([](TcpPeer::Connection& c) {
        if (c.readUntil("~H(SEA,F")) {
            for (char byte : kReply) {
                c.send(std::string(1, byte));
            }
        }
        c.readToEnd();
    });
    DEXO_Err err = kDEXO_Err_Fatal;
    EXPECT_EQ(readStatus(openDevice(peer.uri()), err), kReply);
    EXPECT_EQ(err, kDEXO_Err_NoErr);
}

// Every printer fault ends with no status bytes (the tool's communication error), within the
// time-out, and GetStatus says why.
TEST_F(DevioTest, StatusFaultsGiveNoReplyWithinTheTimeout) {
    struct Case {
        const char* name;
        TcpPeer::Handler handler;
        DEXO_Err expected;
    };
    const Case cases[] = {
        {"silent", [](TcpPeer::Connection& c) { c.readToEnd(); }, kDEXO_Err_Timeout},
        {"cut and closed",
         [](TcpPeer::Connection& c) {
             if (c.readUntil("~H(SEA,F")) {
                 c.send(kReply.substr(0, kReply.size() / 2));
             }
         },
         kDEXO_Err_InvalidChannel},
        {"cut and silent",
         [](TcpPeer::Connection& c) {
             if (c.readUntil("~H(SEA,F")) {
                 c.send(kReply.substr(0, kReply.size() - 1));
             }
             c.readToEnd();
         },
         kDEXO_Err_Timeout},
        {"closed at once", [](TcpPeer::Connection&) {}, kDEXO_Err_InvalidChannel},
        {"garbage",
         [](TcpPeer::Connection& c) {
             c.send(std::string(300, '\x7f'));
             c.readToEnd();
         },
         kDEXO_Err_Timeout},
        {"huge",
         [](TcpPeer::Connection& c) {
             c.readUntil("~H(SEA,F");
             c.send(std::string(3 * 1024 * 1024, 'x') + kReply);
         },
         kDEXO_Err_BufferSize},
    };
    for (const Case& c : cases) {
        TcpPeer peer(c.handler);
        const auto start = std::chrono::steady_clock::now();
        DEXO_Err err = kDEXO_Err_NoErr;
        EXPECT_EQ(readStatus(openDevice(peer.uri()), err), "") << c.name;
        EXPECT_EQ(err, c.expected) << c.name;
        EXPECT_LT(elapsedMs(start), 3000) << c.name;
    }
}

TEST_F(DevioTest, StatusOfAPrinterNobodyListensForIsRefused) {
    DEXO_Err err = kDEXO_Err_NoErr;
    EXPECT_EQ(readStatus(openDevice("socket://127.0.0.1:" + std::to_string(unusedPort())), err),
              "");
    EXPECT_EQ(err, kDEXO_Err_DeviceNotFound);
}

TEST_F(DevioTest, GetStatusWithTooSmallABufferReportsTheSizeNeeded) {
    TcpPeer peer([](TcpPeer::Connection& c) {
        if (c.readUntil("~H(SEA,F")) {
            c.send(kReply);
        }
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    DEXO_KorelStatusCommand record{device, kRequest, kBegin, kEnd};
    ASSERT_EQ(dexo().IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &record), kDEXO_Err_NoErr);
    unsigned long idSize = 9;
    unsigned long statusSize = 0;
    ASSERT_EQ(dexo().GetSize(device, &idSize, &statusSize), kDEXO_Err_NoErr);
    EXPECT_EQ(idSize, 0ul);
    char small[4];
    unsigned long size = sizeof small;
    EXPECT_EQ(dexo().GetStatus(device, small, &size, -1), kDEXO_Err_BufferSize);
    EXPECT_EQ(size, kReply.size());
}

// --- Data channel -------------------------------------------------------------------------------

TEST_F(DevioTest, ReadReportsTheWaitingReplyThenCopiesItWithoutTheSyncAnswer) {
    const std::string answer = STX + "^S(CLM,P,IR" + ETX + STX + "^S(CLS,C,24" + ETX;
    TcpPeer peer([&](TcpPeer::Connection& c) {
        if (c.readUntil("~H(CLS,C")) {
            answerSync(c, answer);
        }
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    const void* channel = nullptr;
    ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_NoErr);
    const std::string request = "~H(CLM,P~H(CLS,C";
    unsigned long size = request.size();
    ASSERT_EQ(dexo().Write(channel, request.data(), &size, 10000), kDEXO_Err_NoErr);
    EXPECT_EQ(size, request.size());

    size = 0;
    ASSERT_EQ(dexo().Read(channel, nullptr, &size, 10000), kDEXO_Err_NoErr);
    ASSERT_EQ(size, answer.size());
    std::vector<char> buffer(size);
    ASSERT_EQ(dexo().Read(channel, buffer.data(), &size, 10000), kDEXO_Err_NoErr);
    EXPECT_EQ(std::string(buffer.data(), size), answer);

    EXPECT_EQ(dexo().CloseChannel(channel, 10000), kDEXO_Err_NoErr);
    EXPECT_EQ(dexo().Close(device), kDEXO_Err_NoErr);
}

TEST_F(DevioTest, ReadIntoASmallBufferHandsTheReplyOutInParts) {
    const std::string answer = STX + "^S(CPC,Q,N" + ETX;
    TcpPeer peer([&](TcpPeer::Connection& c) {
        answerSync(c, answer);
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    const void* channel = nullptr;
    ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_NoErr);
    std::string collected;
    char part[4];
    unsigned long size = sizeof part;
    ASSERT_EQ(dexo().Read(channel, part, &size, 10000), kDEXO_Err_NoErr);
    collected.append(part, size);
    EXPECT_EQ(size, sizeof part);
    size = sizeof part * 10;
    std::vector<char> rest(size);
    ASSERT_EQ(dexo().Read(channel, rest.data(), &size, 10000), kDEXO_Err_NoErr);
    collected.append(rest.data(), size);
    EXPECT_EQ(collected, answer);
    EXPECT_EQ(dexo().CloseChannel(channel, 10000), kDEXO_Err_NoErr);
}

// A printer that says nothing for a query it does not know still lets the read end at once.
TEST_F(DevioTest, ReadOfAnUnansweredQueryIsEmptyAndImmediate) {
    TcpPeer peer([](TcpPeer::Connection& c) {
        answerSync(c, "");
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    const void* channel = nullptr;
    ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_NoErr);
    unsigned long size = 8;
    ASSERT_EQ(dexo().Write(channel, "~H(CWR,C", &size, 10000), kDEXO_Err_NoErr);
    size = 99;
    EXPECT_EQ(dexo().Read(channel, nullptr, &size, 10000), kDEXO_Err_NoErr);
    EXPECT_EQ(size, 0ul);
    EXPECT_EQ(dexo().CloseChannel(channel, 10000), kDEXO_Err_NoErr);
}

TEST_F(DevioTest, ReadFaultsGiveNoBytesWithinTheTimeoutAndBreakTheChannel) {
    struct Case {
        const char* name;
        TcpPeer::Handler handler;
        DEXO_Err expected;
    };
    const Case cases[] = {
        {"silent", [](TcpPeer::Connection& c) { c.readToEnd(); }, kDEXO_Err_Timeout},
        {"cut and closed",
         [](TcpPeer::Connection& c) {
             c.readUntil("~H(SYN,");
             c.send(STX + "^S(CLS,C,2");
         },
         kDEXO_Err_InvalidChannel},
        {"reply without the sync answer",
         [](TcpPeer::Connection& c) {
             c.readUntil("~H(SYN,");
             c.send(STX + "^S(CLS,C,24" + ETX);
             c.readToEnd();
         },
         kDEXO_Err_Timeout},
        {"huge",
         [](TcpPeer::Connection& c) {
             c.readUntil("~H(SYN,");
             c.send(std::string(2 * 1024 * 1024, 'x'));
             c.readToEnd();
         },
         kDEXO_Err_BufferSize},
    };
    for (const Case& c : cases) {
        TcpPeer peer(c.handler);
        const void* device = openDevice(peer.uri());
        const void* channel = nullptr;
        ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
                  kDEXO_Err_NoErr)
            << c.name;
        const auto start = std::chrono::steady_clock::now();
        unsigned long size = 77;
        EXPECT_EQ(dexo().Read(channel, nullptr, &size, 10000), c.expected) << c.name;
        EXPECT_EQ(size, 0ul) << c.name;
        EXPECT_LT(elapsedMs(start), 3000) << c.name;
        size = 77;
        EXPECT_EQ(dexo().Read(channel, nullptr, &size, 10000), kDEXO_Err_InvalidChannel) << c.name;
        EXPECT_EQ(size, 0ul) << c.name;
        dexo().CloseChannel(channel, 10000);
        dexo().Close(device);
    }
}

TEST_F(DevioTest, ExplicitTimeoutIsHonouredWithoutTheCap) {
    ::unsetenv("DEXO1_MAX_TIMEOUT_MS");
    TcpPeer peer([](TcpPeer::Connection& c) { c.readToEnd(); });
    const void* device = openDevice(peer.uri());
    const void* channel = nullptr;
    ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_NoErr);
    const auto start = std::chrono::steady_clock::now();
    unsigned long size = 0;
    EXPECT_EQ(dexo().Read(channel, nullptr, &size, 250), kDEXO_Err_Timeout);
    const long took = elapsedMs(start);
    EXPECT_GE(took, 240);
    EXPECT_LT(took, 2000);
    dexo().CloseChannel(channel, 10000);
}

// Closing the channel returns only once the printer has taken everything written, so the last
// function command cannot be lost behind the caller's exit.
TEST_F(DevioTest, CloseChannelReturnsAfterThePrinterHasReadEverything) {
    std::atomic<bool> seen{false};
    TcpPeer peer([&](TcpPeer::Connection& c) {
        c.readToEnd();
        seen = c.received.find("~W(PNC") != std::string::npos;
    });
    const void* device = openDevice(peer.uri());
    const void* channel = nullptr;
    ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_NoErr);
    unsigned long size = 6;
    ASSERT_EQ(dexo().Write(channel, "~W(PNC", &size, 10000), kDEXO_Err_NoErr);
    EXPECT_EQ(dexo().CloseChannel(channel, 10000), kDEXO_Err_NoErr);
    EXPECT_TRUE(seen.load());
}

TEST_F(DevioTest, OpenChannelToAPrinterNobodyListensForFails) {
    const void* device = openDevice("socket://127.0.0.1:" + std::to_string(unusedPort()));
    const void* channel = reinterpret_cast<const void*>(0x1);
    EXPECT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_DeviceNotFound);
    EXPECT_EQ(channel, nullptr);
    // The tool closes the channel it did not get, and the device.
    EXPECT_EQ(dexo().CloseChannel(channel, 10000), kDEXO_Err_InvalidChannel);
    EXPECT_EQ(dexo().Close(device), kDEXO_Err_NoErr);
}

// --- Arguments and life cycle -------------------------------------------------------------------

TEST_F(DevioTest, BadArgumentsAreRefusedWithoutTouchingTheNetwork) {
    const void* device = openDevice("socket://127.0.0.1:9");
    const void* bogus = reinterpret_cast<const void*>(0x1234);
    unsigned long a = 0;
    unsigned long b = 0;
    const void* out = nullptr;
    DEXO_KorelStatusCommand missingText{device, kRequest, nullptr, kEnd};
    DEXO_KorelStatusCommand unknownDevice{bogus, kRequest, kBegin, kEnd};
    struct Case {
        const char* name;
        DEXO_Err actual;
        DEXO_Err expected;
    };
    const Case cases[] = {
        {"second initialise", dexo().Initialize(kDEXO_InitMode_Default, nullptr),
         kDEXO_Err_DoubleCall},
        {"open without handle out", dexo().Open("socket://h", nullptr), kDEXO_Err_Param},
        {"open of another scheme", dexo().Open("usb://VARDA/x", &out), kDEXO_Err_NotSupport},
        {"open of an empty uri", dexo().Open("", &out), kDEXO_Err_InvalidAddress},
        {"open of a null uri", dexo().Open(nullptr, &out), kDEXO_Err_InvalidAddress},
        {"close of null", dexo().Close(nullptr), kDEXO_Err_Param},
        {"close of unknown", dexo().Close(bogus), kDEXO_Err_Param},
        {"size before the status command", dexo().GetSize(device, &a, &b), kDEXO_Err_Param},
        {"status before the status command", dexo().GetStatus(device, nullptr, &a, -1),
         kDEXO_Err_Param},
        {"ioctl without record", dexo().IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, nullptr),
         kDEXO_Err_Param},
        {"ioctl with a missing text",
         dexo().IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &missingText), kDEXO_Err_Param},
        {"ioctl for an unknown device",
         dexo().IOCTL(kDEXO_IOCTLMode_SetKorelStatusCommand, &unknownDevice), kDEXO_Err_Param},
        {"channel of unknown device",
         dexo().OpenChannel(bogus, kDEXO_OpenChChannel_Data, nullptr, &out, 100), kDEXO_Err_Param},
        {"write to unknown channel", dexo().Write(bogus, "x", &a, 100), kDEXO_Err_InvalidChannel},
        {"read from unknown channel", dexo().Read(bogus, nullptr, &a, 100),
         kDEXO_Err_InvalidChannel},
        {"close of unknown channel", dexo().CloseChannel(bogus, 100), kDEXO_Err_InvalidChannel},
        {"device id", dexo().GetDeviceID(device, nullptr, &a, 100), kDEXO_Err_NotSupport},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.name;
    }
    DEXO_Version version{};
    EXPECT_EQ(dexo().GetVersion(&version), kDEXO_Err_NoErr);
    EXPECT_EQ(version.major, 1);
}

TEST(DevioLifecycle, CallsBeforeInitialiseAndAfterReleaseAreRefused) {
    EXPECT_EQ(dexo().Release(), kDEXO_Err_Init);
    const void* device = nullptr;
    EXPECT_EQ(dexo().Open("socket://127.0.0.1", &device), kDEXO_Err_Init);
    ASSERT_EQ(dexo().Initialize(kDEXO_InitMode_Default, nullptr), kDEXO_Err_NoErr);
    ASSERT_EQ(dexo().Open("socket://127.0.0.1", &device), kDEXO_Err_NoErr);
    ASSERT_EQ(dexo().Release(), kDEXO_Err_NoErr);
    // Release let go of every device: its handle means nothing now.
    ASSERT_EQ(dexo().Initialize(kDEXO_InitMode_Default, nullptr), kDEXO_Err_NoErr);
    EXPECT_EQ(dexo().Close(device), kDEXO_Err_Param);
    EXPECT_EQ(dexo().Release(), kDEXO_Err_NoErr);
}

} // namespace
