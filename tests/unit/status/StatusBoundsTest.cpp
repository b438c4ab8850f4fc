// SPDX-License-Identifier: Apache-2.0
// The reply is a byte count, not a C string: nothing is read past it, and a NUL ends the text.
#include "StatusReply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Snapshot {
    bool parsed;
    int group, detail, fatal, model;
    std::vector<int> inks;
    std::vector<int> status, amount;

    bool operator==(const Snapshot& o) const {
        return std::tie(parsed, group, detail, fatal, model, inks, status, amount) ==
               std::tie(o.parsed, o.group, o.detail, o.fatal, o.model, o.inks, o.status, o.amount);
    }
};

std::ostream& operator<<(std::ostream& os, const Snapshot& s) {
    os << "parsed " << s.parsed << " group " << s.group << " detail " << s.detail << " fatal "
       << s.fatal << " model " << s.model << " inks";
    for (int i : s.inks) {
        os << ' ' << i;
    }
    os << " status";
    for (int i : s.status) {
        os << ' ' << i;
    }
    os << " amount";
    for (int i : s.amount) {
        os << ' ' << i;
    }
    return os;
}

Snapshot Take(const KorelStatusParser& p, bool parsed) {
    Snapshot s{parsed,
               p.GetStatusGroup(),
               p.GetStatusDetail(),
               p.GetFatalErrorCode(),
               p.GetInkModel(),
               p.GetInksOfErrorReason(),
               {},
               {}};
    for (int ink : std::initializer_list<int>{'K', 'C', 'M', 'Y', kInkKeyMN}) {
        s.status.push_back(p.GetInkStatus(ink));
        s.amount.push_back(p.GetInkAmount(ink));
    }
    return s;
}

// Parses from a heap buffer of exactly `length` bytes, so the sanitizer build sees any overread.
Snapshot ParseBytes(const char* bytes, std::size_t length) {
    std::unique_ptr<char[]> buffer(new char[length == 0 ? 1 : length]);
    std::memcpy(buffer.get(), bytes, length);
    KorelStatusParser parser;
    const bool parsed =
        parser.Parse(length == 0 ? nullptr : buffer.get(), static_cast<int>(length));
    return Take(parser, parsed);
}

Snapshot ParseBytes(const std::string& s) {
    return ParseBytes(s.data(), s.size());
}

std::vector<std::string> RepresentativeReplies() {
    std::vector<std::string> out;
    StatusReply ready;
    out.push_back(ready.str());
    StatusReply inkError;
    inkError.state = "ER";
    inkError.error = "IE";
    inkError.inkRecords = {"RH,RM,RL,RN", "RN,RR,NA,CI"};
    inkError.boxRecords = {"RM", "RN"};
    inkError.fatal = "1234";
    out.push_back(inkError.str());
    StatusReply inkLow;
    inkLow.warnings = "IK1,IY1,NSU";
    inkLow.inkModel = "MT";
    out.push_back(inkLow.str());
    StatusReply printing;
    printing.state = "PR";
    printing.warnings = "NCR";
    out.push_back(printing.str());
    StatusReply sensor;
    sensor.state = "ER";
    sensor.error = "SN";
    sensor.sensor = "ER";
    out.push_back(sensor.str());
    return out;
}

// Tags that would change the outcome if the parser looked past the NUL.
const std::string kLureBehindNul = std::string("\x02^S(SMA,S,SP\x03\x02IQ,NA,NA,NA,NA\x03") +
                                   "\x02MN,NA\x03\x02^S(SEA,F,99\x03\x02WN,WNC,NCR\x03";

TEST(StatusBounds, ReplyCutAtEveryLength) {
    for (const std::string& full : RepresentativeReplies()) {
        for (std::size_t length = 0; length <= full.size(); ++length) {
            const std::string cut = full.substr(0, length);
            const Snapshot unterminated = ParseBytes(cut);
            // The same bytes with a NUL behind them, and tags after that NUL, read the same.
            const std::string terminated = cut + std::string(1, '\0') + kLureBehindNul;
            EXPECT_EQ(ParseBytes(terminated), unterminated) << "length " << length;
        }
        EXPECT_TRUE(ParseBytes(full).parsed);
    }
}

TEST(StatusBounds, NulAtEveryPositionEndsTheText) {
    for (const std::string& full : RepresentativeReplies()) {
        for (std::size_t at = 0; at < full.size(); ++at) {
            std::string withNul = full;
            withNul[at] = '\0';
            EXPECT_EQ(ParseBytes(withNul), ParseBytes(full.substr(0, at))) << "NUL at " << at;
        }
    }
}

TEST(StatusBounds, LengthShorterThanTheBufferIsHonoured) {
    // Only `length` bytes belong to the reply even when the buffer holds more.
    const std::string full = RepresentativeReplies()[1];
    const std::string withLure = full + kLureBehindNul;
    for (std::size_t length : {std::size_t(0), std::size_t(5), full.size() / 2, full.size()}) {
        KorelStatusParser parser;
        const bool parsed = parser.Parse(withLure.data(), static_cast<int>(length));
        EXPECT_EQ(Take(parser, parsed), ParseBytes(full.substr(0, length))) << length;
    }
}

TEST(StatusBounds, NegativeLengthIsAnEmptyReply) {
    const std::string full = RepresentativeReplies()[0];
    for (int length : {-1, -1000, std::numeric_limits<int>::min()}) {
        KorelStatusParser parser;
        EXPECT_FALSE(parser.Parse(full.data(), length));
        EXPECT_EQ(parser.GetStatusGroup(), BeforeComm);
        EXPECT_EQ(parser.GetStatusDetail(), Status_Unsettled);
    }
}

TEST(StatusBounds, ArbitraryBytesOfManySizes) {
    // Random bytes drawn mostly from the reply's own alphabet, so tags and partial tags occur.
    const std::string alphabet = std::string("\x02\x03^S(,IQMNWERTFSPLAGHCK0123456789#") +
                                 std::string(1, '\xff') + std::string(1, '\x80');
    std::mt19937 rng(20261211);
    const std::string tags[] = {"\x02IQ,", "\x02MN,",       "\x02^S(SMA,S,", "\x02^S(SEA,F,",
                                "\x02WN,", "\x02^S(SEA,E,", "\x02^S(SPA,P,", "\x02WN\x03"};
    for (std::size_t size : {1u, 2u, 3u, 7u, 12u, 13u, 64u, 255u, 4096u, 65536u}) {
        for (int round = 0; round < 8; ++round) {
            std::string bytes;
            while (bytes.size() < size) {
                if (rng() % 4 == 0) {
                    bytes += tags[rng() % std::size(tags)];
                } else {
                    bytes += alphabet[rng() % alphabet.size()];
                }
            }
            bytes.resize(size);
            const Snapshot s = ParseBytes(bytes);
            EXPECT_GE(s.group, 0);
            EXPECT_LE(s.group, 6);
        }
    }
}

TEST(StatusBounds, ManyRecordsOfOneKind) {
    // Every IQ and MN record counts; a long run of them is read to its end.
    std::string text = StatusReply{}.str();
    for (int i = 0; i < 20000; ++i) {
        text += "\x02IQ,RH,RH,RH,RH\x03\x02MN,RH\x03";
    }
    text += "\x02IQ,RH,RH,RH,RN\x03\x02MN,RN";
    const Snapshot s = ParseBytes(text);
    EXPECT_TRUE(s.parsed);
    EXPECT_EQ(s.status[3], InkStatus_RN);
    EXPECT_EQ(s.amount[3], InkAmount_RN);
    // The last MN value has no third byte behind it, so its RN does not count.
    EXPECT_EQ(s.status[4], InkStatus_Normal);
    EXPECT_EQ(s.amount[4], InkAmount_RH);
}

} // namespace
