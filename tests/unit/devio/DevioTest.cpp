// SPDX-License-Identifier: Apache-2.0
// The project's dexo1.so, loaded as the tool loads it, against a tiny TCP peer.
#include "Framing.h"
#include "TcpPeer.h"
#include "Uri.h"
#include "dexo1.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
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

// Answers once the caller's request has arrived, as a printer does.
void answerAfter(TcpPeer::Connection& connection, const std::string& request,
                 const std::string& answer) {
    if (connection.readUntil(request)) {
        connection.send(answer);
    }
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

TEST(Framing, QueriesAreCountedAcrossWrites) {
    std::string carry;
    EXPECT_EQ(devio::countQueries("^XA^S(CMP,U,D^XZ", carry), 0u);
    EXPECT_EQ(devio::countQueries("~H(CLM,P~H(CLS,C", carry), 2u);
    // A query cut between two writes counts once, in the write that completes it.
    EXPECT_EQ(devio::countQueries("~W(PNC~H", carry), 0u);
    EXPECT_EQ(devio::countQueries("(CPC,Q", carry), 1u);
    EXPECT_EQ(devio::countQueries("~H(", carry), 1u);
}

TEST(Framing, CompleteRecordsStopAtTheLimitAndTellAPartialOne) {
    const std::string a = STX + "^S(CLM,P,IR" + ETX;
    const std::string b = STX + "^S(CLS,C,24" + ETX;
    struct Case {
        const char* name;
        std::string data;
        std::size_t limit;
        std::size_t count;
        std::size_t end;
        bool partial;
    };
    const Case cases[] = {
        {"nothing", "", 3, 0, 0, false},
        {"two whole", a + b, 3, 2, a.size() + b.size(), false},
        {"limit reached", a + b, 1, 1, a.size(), false},
        {"second cut", a + b.substr(0, 4), 3, 1, a.size(), true},
        {"stray bytes around", "xx" + a + "\r\n", 3, 1, 2 + a.size(), false},
        {"no STX", "^S(CLS,C,24" + ETX, 3, 0, 0, false},
    };
    for (const Case& c : cases) {
        const devio::Records found = devio::completeRecords(c.data, c.limit);
        EXPECT_EQ(found.count, c.count) << c.name;
        EXPECT_EQ(found.end, c.end) << c.name;
        EXPECT_EQ(found.partial, c.partial) << c.name;
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

// The channel calls of one exchange, as the tool makes them.
struct ChannelUse {
    const void* channel = nullptr;
    DEXO_Err open(const void* device) {
        return dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000);
    }
    DEXO_Err write(const std::string& bytes) {
        unsigned long size = bytes.size();
        const DEXO_Err err = dexo().Write(channel, bytes.data(), &size, 10000);
        EXPECT_EQ(size, err == kDEXO_Err_NoErr ? bytes.size() : size);
        return err;
    }
    // The size query, then the copy; the reply is empty when either fails.
    std::string read(DEXO_Err& err, int timeout = 10000) {
        unsigned long size = 77;
        err = dexo().Read(channel, nullptr, &size, timeout);
        if (err != kDEXO_Err_NoErr) {
            EXPECT_EQ(size, 0ul);
            return "";
        }
        std::vector<char> buffer(size + 1);
        EXPECT_EQ(dexo().Read(channel, buffer.data(), &size, timeout), kDEXO_Err_NoErr);
        return std::string(buffer.data(), size);
    }
    DEXO_Err close() { return dexo().CloseChannel(channel, 10000); }
};

TEST_F(DevioTest, ReadReportsTheWaitingReplyThenCopiesIt) {
    const std::string answer = STX + "^S(CLM,P,IR" + ETX + STX + "^S(CLS,C,24" + ETX;
    TcpPeer peer([&](TcpPeer::Connection& c) {
        answerAfter(c, "~H(CLS,C", answer);
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    ChannelUse use;
    ASSERT_EQ(use.open(device), kDEXO_Err_NoErr);
    const std::string request = "~H(CLM,P~H(CLS,C";
    ASSERT_EQ(use.write(request), kDEXO_Err_NoErr);
    DEXO_Err err = kDEXO_Err_Fatal;
    EXPECT_EQ(use.read(err), answer);
    EXPECT_EQ(err, kDEXO_Err_NoErr);
    EXPECT_EQ(use.close(), kDEXO_Err_NoErr);
    EXPECT_EQ(dexo().Close(device), kDEXO_Err_NoErr);
    // The printer got the caller's bytes and nothing of the library's own.
    EXPECT_EQ(peer.sessions(), std::vector<std::string>{request});
}

TEST_F(DevioTest, ReadIntoASmallBufferHandsTheReplyOutInParts) {
    const std::string answer = STX + "^S(CPC,Q,N" + ETX;
    TcpPeer peer([&](TcpPeer::Connection& c) {
        answerAfter(c, "~H(CPC,Q", answer);
        c.readToEnd();
    });
    const void* device = openDevice(peer.uri());
    ChannelUse use;
    ASSERT_EQ(use.open(device), kDEXO_Err_NoErr);
    ASSERT_EQ(use.write("~H(CPC,Q"), kDEXO_Err_NoErr);
    std::string collected;
    char part[4];
    unsigned long size = sizeof part;
    ASSERT_EQ(dexo().Read(use.channel, part, &size, 10000), kDEXO_Err_NoErr);
    collected.append(part, size);
    EXPECT_EQ(size, sizeof part);
    size = sizeof part * 10;
    std::vector<char> rest(size);
    ASSERT_EQ(dexo().Read(use.channel, rest.data(), &size, 10000), kDEXO_Err_NoErr);
    collected.append(rest.data(), size);
    EXPECT_EQ(collected, answer);
    EXPECT_EQ(use.close(), kDEXO_Err_NoErr);
}

// Printers that differ in how they answer, all within the documented language. Each gets the
// same request; the read must end with the whole answer, well within the time-out.
TEST_F(DevioTest, ReadEndsRightForEveryKindOfPrinter) {
    ::setenv("DEXO1_MAX_TIMEOUT_MS", "3000", 1);
    const std::string clm = STX + "^S(CLM,P,IR" + ETX;
    const std::string cls = STX + "^S(CLS,C,24" + ETX;
    const std::string request = "~H(CLM,P~H(CWR,C~H(CLS,C";
    struct Case {
        const char* name;
        TcpPeer::Handler handler;
        long atMostMs;
    };
    const Case cases[] = {
        {"answers at once (CWR,C unknown to it)",
         [&](TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", clm + cls);
             c.readToEnd();
         },
         // the one missing answer costs the idle gap
         1500},
        {"answers every query",
         [&](TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", clm + STX + "^S(CWR,C,Y" + ETX + cls);
             c.readToEnd();
         },
         300},
        {"dribbles byte by byte",
         [&](TcpPeer::Connection& c) {
             if (c.readUntil("~H(CLS,C")) {
                 for (char byte : clm + cls) {
                     c.send(std::string(1, byte));
                     std::this_thread::sleep_for(std::chrono::milliseconds(2));
                 }
             }
             c.readToEnd();
         },
         1500},
        {"answers after 400 ms",
         [&](TcpPeer::Connection& c) {
             if (c.readUntil("~H(CLS,C")) {
                 std::this_thread::sleep_for(std::chrono::milliseconds(400));
                 c.send(clm + cls);
             }
             c.readToEnd();
         },
         2000},
        {"closes after its answer",
         [&](TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", clm + STX + "^S(CWR,C,Y" + ETX + cls);
         },
         300},
    };
    for (const Case& c : cases) {
        TcpPeer peer(c.handler);
        const void* device = openDevice(peer.uri());
        ChannelUse use;
        ASSERT_EQ(use.open(device), kDEXO_Err_NoErr) << c.name;
        ASSERT_EQ(use.write(request), kDEXO_Err_NoErr) << c.name;
        const auto start = std::chrono::steady_clock::now();
        DEXO_Err err = kDEXO_Err_Fatal;
        const std::string reply = use.read(err);
        EXPECT_EQ(err, kDEXO_Err_NoErr) << c.name;
        EXPECT_NE(reply.find(clm), std::string::npos) << c.name;
        EXPECT_NE(reply.find(cls), std::string::npos) << c.name;
        EXPECT_LT(elapsedMs(start), c.atMostMs) << c.name;
        use.close();
        dexo().Close(device);
    }
}

// With nothing asked nothing is owed: the read does not wait.
TEST_F(DevioTest, ReadWithoutAQueryIsEmptyAndImmediate) {
    TcpPeer peer([](TcpPeer::Connection& c) { c.readToEnd(); });
    const void* device = openDevice(peer.uri());
    ChannelUse use;
    ASSERT_EQ(use.open(device), kDEXO_Err_NoErr);
    ASSERT_EQ(use.write("^XA^S(CLS,C,24^XZ"), kDEXO_Err_NoErr);
    const auto start = std::chrono::steady_clock::now();
    DEXO_Err err = kDEXO_Err_Fatal;
    EXPECT_EQ(use.read(err), "");
    EXPECT_EQ(err, kDEXO_Err_NoErr);
    EXPECT_LT(elapsedMs(start), 100);
    EXPECT_EQ(use.close(), kDEXO_Err_NoErr);
}

// A read that fails hands out nothing, and the function written behind it still reaches the
// printer: over the same connection, or over a new one when the printer had closed it.
TEST_F(DevioTest, ReadFaultsGiveNoBytesAndTheNextWriteStillArrives) {
    struct Case {
        const char* name;
        TcpPeer::Handler handler;
        DEXO_Err expected;
    };
    const Case cases[] = {
        {"silent", [](TcpPeer::Connection& c) { c.readToEnd(); }, kDEXO_Err_Timeout},
        {"cut and closed",
         [](TcpPeer::Connection& c) {
             if (c.readUntil("~H(CLS,C")) {
                 c.send(STX + "^S(CLS,C,2");
             }
         },
         kDEXO_Err_InvalidChannel},
        {"closed after the first of two answers",
         [](TcpPeer::Connection& c) { answerAfter(c, "~H(CLS,C", STX + "^S(CLM,P,IR" + ETX); },
         kDEXO_Err_InvalidChannel},
        {"record never ended",
         [](TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", STX + "^S(CLS,C,24");
             c.readToEnd();
         },
         kDEXO_Err_Timeout},
        {"garbage",
         [](TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", std::string(300, '\x7f'));
             c.readToEnd();
         },
         kDEXO_Err_Timeout},
        {"huge",
         [](TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", std::string(2 * 1024 * 1024, 'x'));
             c.readToEnd();
         },
         kDEXO_Err_BufferSize},
    };
    for (const Case& c : cases) {
        TcpPeer peer(c.handler);
        const void* device = openDevice(peer.uri());
        ChannelUse use;
        ASSERT_EQ(use.open(device), kDEXO_Err_NoErr) << c.name;
        ASSERT_EQ(use.write("~H(CLM,P~H(CLS,C"), kDEXO_Err_NoErr) << c.name;
        const auto start = std::chrono::steady_clock::now();
        DEXO_Err err = kDEXO_Err_NoErr;
        EXPECT_EQ(use.read(err), "") << c.name;
        EXPECT_EQ(err, c.expected) << c.name;
        EXPECT_LT(elapsedMs(start), 3000) << c.name;
        EXPECT_EQ(use.write("~W(PNC"), kDEXO_Err_NoErr) << c.name;
        EXPECT_EQ(use.close(), kDEXO_Err_NoErr) << c.name;
        dexo().Close(device);
        // The peer may still be at the second connection: give it a moment, bounded.
        std::string all;
        for (int i = 0; i < 2000 && all != "~H(CLM,P~H(CLS,C~W(PNC"; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            all.clear();
            for (const std::string& session : peer.sessions()) {
                all += session;
            }
        }
        EXPECT_EQ(all, "~H(CLM,P~H(CLS,C~W(PNC") << c.name;
    }
}

TEST_F(DevioTest, ExplicitTimeoutIsHonouredWithoutTheCap) {
    ::unsetenv("DEXO1_MAX_TIMEOUT_MS");
    TcpPeer peer([](TcpPeer::Connection& c) { c.readToEnd(); });
    const void* device = openDevice(peer.uri());
    const void* channel = nullptr;
    ASSERT_EQ(dexo().OpenChannel(device, kDEXO_OpenChChannel_Data, nullptr, &channel, 10000),
              kDEXO_Err_NoErr);
    unsigned long written = 8;
    ASSERT_EQ(dexo().Write(channel, "~H(CLS,C", &written, 10000), kDEXO_Err_NoErr);
    const auto start = std::chrono::steady_clock::now();
    unsigned long size = 0;
    EXPECT_EQ(dexo().Read(channel, nullptr, &size, 250), kDEXO_Err_Timeout);
    const long took = elapsedMs(start);
    EXPECT_GE(took, 240);
    EXPECT_LT(took, 2000);
    dexo().CloseChannel(channel, 10000);
}

// Closing the channel returns only once the printer has taken everything written, so the last
// function command cannot be lost behind the caller's exit; a printer that keeps its side open
// does not hold the caller.
TEST_F(DevioTest, CloseChannelReturnsOnceThePrinterHasEverything) {
    ::unsetenv("DEXO1_MAX_TIMEOUT_MS");
    std::atomic<bool> closing{false};
    TcpPeer peer([&](TcpPeer::Connection& c) {
        c.readToEnd();
        // Keeps its side open until the test is done with it.
        while (!closing.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    const void* device = openDevice(peer.uri());
    ChannelUse use;
    ASSERT_EQ(use.open(device), kDEXO_Err_NoErr);
    ASSERT_EQ(use.write("~W(PNC"), kDEXO_Err_NoErr);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(use.close(), kDEXO_Err_NoErr);
    EXPECT_LT(elapsedMs(start), 1000);
    closing = true;
    for (int i = 0; i < 2000 && peer.sessions().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(peer.sessions(), std::vector<std::string>{"~W(PNC"});
}

// A printer that closes right after its answer drops what arrives meanwhile, and its side of
// TCP resets the connection. A write right behind an answer gives such a close a moment to come
// and then goes over a new connection. Bytes dropped at a reset that came before our end of
// stream go once more over a new connection, never a third time; a printer that read them and
// then closed gets them once. A reset that came only after our end of stream may follow a
// whole read: nothing is sent again, and the close says it cannot confirm. So it does where the
// bytes cannot be sent again (too long to keep, or dropped twice).
TEST_F(DevioTest, BytesDroppedUnreadAtThePrintersCloseAreSentOnceMore) {
    const std::string answer = STX + "^S(CLM,P,IR" + ETX + STX + "^S(CLS,C,24" + ETX;
    const std::string query = "~H(CLM,P~H(CLS,C";
    const std::string longFunction = "~W(PNC" + std::string(100 * 1024, ' ');
    // Closes once the function has come, without reading it.
    const auto dropsAll = [](TcpPeer::Connection& c, std::size_t function) {
        c.waitUnread(function);
    };
    // Answers, then closes in the same way.
    const auto dropsAfterAnswer = [&](TcpPeer::Connection& c) {
        answerAfter(c, "~H(CLS,C", answer);
        dropsAll(c, 6);
    };
    const auto takesAll = [](TcpPeer::Connection& c) { c.readToEnd(); };
    struct Case {
        const char* name;
        std::function<void(int, TcpPeer::Connection&)> handler;
        bool asks;
        std::string function;
        bool closeAfterThePrinter; // the channel is closed once the printer has closed
        DEXO_Err closed;
        std::vector<std::string> sessions;
    };
    const Case cases[] = {
        {"closes right behind its answer",
         [&](int n, TcpPeer::Connection& c) {
             n == 1 ? answerAfter(c, "~H(CLS,C", answer) : takesAll(c);
         },
         true,
         "~W(PNC",
         false,
         kDEXO_Err_NoErr,
         {query, "~W(PNC"}},
        {"dropped before our close, taken on a new connection",
         [&](int n, TcpPeer::Connection& c) { n == 1 ? dropsAfterAnswer(c) : takesAll(c); },
         true,
         "~W(PNC",
         true,
         kDEXO_Err_NoErr,
         {query, "~W(PNC"}},
        {"read, then the printer closed",
         [&](int, TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", answer);
             c.readUntil("~W(PNC");
         },
         true,
         "~W(PNC",
         false,
         kDEXO_Err_NoErr,
         {query + "~W(PNC"}},
        {"read to the end, then aborted",
         [&](int, TcpPeer::Connection& c) {
             answerAfter(c, "~H(CLS,C", answer);
             c.readToEnd();
             c.abortOnClose();
         },
         true,
         "~W(PNC",
         false,
         kDEXO_Err_InvalidChannel,
         {query + "~W(PNC"}},
        {"dropped on every connection",
         [&](int n, TcpPeer::Connection& c) { n == 1 ? dropsAfterAnswer(c) : dropsAll(c, 6); },
         true,
         "~W(PNC",
         true,
         kDEXO_Err_InvalidChannel,
         {query, ""}},
        {"dropped without an answer",
         [&](int n, TcpPeer::Connection& c) { n == 1 ? dropsAll(c, 8) : takesAll(c); },
         false,
         "~J(MCL,H",
         true,
         kDEXO_Err_NoErr,
         {"", "~J(MCL,H"}},
        {"too long to keep",
         [&](int n, TcpPeer::Connection& c) {
             n == 1 ? dropsAll(c, longFunction.size()) : takesAll(c);
         },
         false,
         longFunction,
         true,
         kDEXO_Err_InvalidChannel,
         {""}},
    };
    for (const Case& c : cases) {
        std::atomic<int> count{0};
        TcpPeer peer([&](TcpPeer::Connection& connection) { c.handler(++count, connection); });
        const void* device = openDevice(peer.uri());
        ChannelUse use;
        ASSERT_EQ(use.open(device), kDEXO_Err_NoErr) << c.name;
        if (c.asks) {
            ASSERT_EQ(use.write(query), kDEXO_Err_NoErr) << c.name;
            DEXO_Err err = kDEXO_Err_Fatal;
            EXPECT_EQ(use.read(err), answer) << c.name;
        }
        EXPECT_EQ(use.write(c.function), kDEXO_Err_NoErr) << c.name;
        for (int i = 0; c.closeAfterThePrinter && i < 2000 && peer.closed() == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(use.close(), c.closed) << c.name;
        dexo().Close(device);
        for (int i = 0; i < 2000 && peer.sessions().size() < c.sessions.size(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // No connection beyond those expected, however long the library had.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(peer.sessions(), c.sessions) << c.name;
    }
}

// A buffer whose end cannot be read (a mapped command file cut short while it is sent): the
// write says so and tells what went; the connection is sound, so nothing goes twice.
TEST_F(DevioTest, UnreadableBytesEndTheWriteAndNothingIsSentAgain) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t pages = 80; // more than one slice of the library's sending
    char* area = static_cast<char*>(mmap(nullptr, (pages + 1) * page, PROT_READ | PROT_WRITE,
                                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(area, MAP_FAILED);
    const std::string readable = "~W(PNC" + std::string(pages * page - 6, ' ');
    std::memcpy(area, readable.data(), readable.size());
    ASSERT_EQ(mprotect(area + pages * page, page, PROT_NONE), 0);
    TcpPeer peer([](TcpPeer::Connection& c) { c.readToEnd(); });
    const void* device = openDevice(peer.uri());
    ChannelUse use;
    ASSERT_EQ(use.open(device), kDEXO_Err_NoErr);
    unsigned long size = (pages + 1) * page;
    EXPECT_EQ(dexo().Write(use.channel, area, &size, 10000), kDEXO_Err_InvalidAddress);
    EXPECT_GT(size, 0ul);
    EXPECT_LE(size, readable.size());
    EXPECT_EQ(use.close(), kDEXO_Err_NoErr);
    dexo().Close(device);
    for (int i = 0; i < 2000 && peer.sessions().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // What the write said went, once, over the one connection.
    EXPECT_EQ(peer.sessions(), std::vector<std::string>{readable.substr(0, size)});
    munmap(area, (pages + 1) * page);
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
