// SPDX-License-Identifier: Apache-2.0
// The state and amount of each ink and of the maintenance box, and how records merge.
#include "StatusReply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ConversionCase {
    const char* code;
    InkStatus status;
    InkAmount amount;
};

const ConversionCase kConversions[] = {
    {"RH", InkStatus_Normal, InkAmount_RH},       {"RM", InkStatus_Normal, InkAmount_RM},
    {"RL", InkStatus_Normal, InkAmount_RL},       {"RN", InkStatus_RN, InkAmount_RN},
    {"RR", InkStatus_RR, InkAmount_Unknown},      {"NA", InkStatus_NA, InkAmount_Unknown},
    {"CI", InkStatus_CI, InkAmount_Unknown},      {"rh", InkStatus_Unknown, InkAmount_Unknown},
    {"HR", InkStatus_Unknown, InkAmount_Unknown}, {"R\xff", InkStatus_Unknown, InkAmount_Unknown},
    {"--", InkStatus_Unknown, InkAmount_Unknown},
};

TEST(InkCodes, ConvertersOfInksAndBoxAgree) {
    ExposedParser p;
    for (const auto& c : kConversions) {
        EXPECT_EQ(p.convertInkStatusIQ(c.code[0], c.code[1]), c.status) << c.code;
        EXPECT_EQ(p.convertInkAmountIQ(c.code[0], c.code[1]), c.amount) << c.code;
        EXPECT_EQ(p.convertInkStatusMN(c.code[0], c.code[1]), c.status) << c.code;
        EXPECT_EQ(p.convertInkAmountMN(c.code[0], c.code[1]), c.amount) << c.code;
    }
}

TEST(InkCodes, CodesAreTheNumbersTarnPrints) {
    EXPECT_EQ(InkStatus_CI, 17225);
    EXPECT_EQ(InkStatus_NA, 20033);
    EXPECT_EQ(InkStatus_RN, 21070);
    EXPECT_EQ(InkStatus_RR, 21074);
    EXPECT_EQ(InkAmount_RH, 21064);
    EXPECT_EQ(InkAmount_RM, 21069);
    EXPECT_EQ(InkAmount_RL, 21068);
    EXPECT_EQ(kInkModelGL, 18252);
    EXPECT_EQ(kInkModelMT, 19796);
    EXPECT_EQ(kInkKeyMN, 19790);
}

const InkStatus kStatuses[] = {InkStatus_Normal, InkStatus_Unknown, InkStatus_RN,    InkStatus_RR,
                               InkStatus_NA,     InkStatus_CI,      InkStatus_Dryrun};

TEST(InkMerge, StatusSurvivesByRank) {
    // Rows: current state; columns: incoming state in the order of kStatuses;
    // 1 when the incoming state replaces the current one.
    const int replaces[7][7] = {
        // 0 -1 RN RR NA CI -2
        {1, 0, 1, 1, 1, 1, 1}, // 0
        {1, 0, 1, 1, 1, 1, 1}, // -1
        {0, 0, 1, 1, 1, 1, 1}, // RN
        {0, 0, 0, 0, 0, 0, 1}, // RR
        {0, 0, 0, 0, 0, 0, 1}, // NA
        {0, 0, 0, 0, 0, 0, 1}, // CI
        {0, 0, 0, 0, 0, 0, 0}, // -2
    };
    ExposedParser p;
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            InkStatus current = kStatuses[row];
            p.mergeInkStatus(current, kStatuses[col]);
            EXPECT_EQ(current, replaces[row][col] ? kStatuses[col] : kStatuses[row])
                << "current " << kStatuses[row] << " incoming " << kStatuses[col];
        }
    }
}

TEST(InkMerge, FirstKnownAmountStaysButLowAlwaysWins) {
    const InkAmount amounts[] = {InkAmount_Unknown, InkAmount_RH, InkAmount_RM, InkAmount_RL,
                                 InkAmount_RN};
    ExposedParser p;
    for (InkAmount current : amounts) {
        for (InkAmount incoming : amounts) {
            InkAmount merged = current;
            p.mergeInkAmount(merged, incoming);
            InkAmount expected = current == InkAmount_Unknown ? incoming : current;
            if (incoming == InkAmount_RN) {
                expected = InkAmount_RN;
            }
            EXPECT_EQ(merged, expected) << "current " << current << " incoming " << incoming;
        }
    }
}

struct InkRecordCase {
    const char* name;
    std::vector<std::string> records;
    InkStatus status[4];
    InkAmount amount[4];
};

const InkRecordCase kInkRecordCases[] = {
    {"OneRecord",
     {"RH,RM,RL,RN"},
     {InkStatus_Normal, InkStatus_Normal, InkStatus_Normal, InkStatus_RN},
     {InkAmount_RH, InkAmount_RM, InkAmount_RL, InkAmount_RN}},
    {"MissingAndUnreadable",
     {"NA,CI,RR,??"},
     {InkStatus_NA, InkStatus_CI, InkStatus_RR, InkStatus_Unknown},
     {InkAmount_Unknown, InkAmount_Unknown, InkAmount_Unknown, InkAmount_Unknown}},
    {"LowInLaterRecordWins",
     {"RH,RM,NA,RR", "RN,RL,RN,RN"},
     {InkStatus_RN, InkStatus_Normal, InkStatus_NA, InkStatus_RR},
     {InkAmount_RN, InkAmount_RM, InkAmount_RN, InkAmount_RN}},
    {"UnknownFirstTakesLater",
     {"??,??,??,??", "RL,RR,CI,RH"},
     {InkStatus_Normal, InkStatus_RR, InkStatus_CI, InkStatus_Normal},
     {InkAmount_RL, InkAmount_Unknown, InkAmount_Unknown, InkAmount_RH}},
    {"NotAvailableRecordSkipped",
     {"#NA,RH,RH,RH,RH"},
     {InkStatus_Unknown, InkStatus_Unknown, InkStatus_Unknown, InkStatus_Unknown},
     {InkAmount_Unknown, InkAmount_Unknown, InkAmount_Unknown, InkAmount_Unknown}},
    {"NotAvailableRecordBesideGoodOne",
     {"#NA", "RH,RH,RM,RM"},
     {InkStatus_Normal, InkStatus_Normal, InkStatus_Normal, InkStatus_Normal},
     {InkAmount_RH, InkAmount_RH, InkAmount_RM, InkAmount_RM}},
    {"SeparatorIsNotExamined",
     {"RH#RM#RL#RN"},
     {InkStatus_Normal, InkStatus_Normal, InkStatus_Normal, InkStatus_RN},
     {InkAmount_RH, InkAmount_RM, InkAmount_RL, InkAmount_RN}},
};

class InkRecords : public ::testing::TestWithParam<InkRecordCase> {};

TEST_P(InkRecords, DecodeAndMergeInOrderKCMY) {
    const InkRecordCase& c = GetParam();
    StatusReply reply;
    reply.inkRecords = c.records;
    KorelStatusParser parser;
    EXPECT_TRUE(ParseExact(parser, reply.str()));
    const int keys[4] = {'K', 'C', 'M', 'Y'};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(parser.GetInkStatus(keys[i]), c.status[i]) << char(keys[i]);
        EXPECT_EQ(parser.GetInkAmount(keys[i]), c.amount[i]) << char(keys[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(StatusParser, InkRecords, ::testing::ValuesIn(kInkRecordCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InkRecordLength, TwelveBytesBehindTheTagAreNeeded) {
    // The record is read only when at least 12 bytes follow "IQ,"; here it is the last bytes.
    struct Case {
        std::string tail;
        bool read;
    };
    const Case cases[] = {
        {"RN,RN,RN,RN", false}, // 11 bytes
        {"RN,RN,RN,RN,", true}, // 12 bytes
        {"RN,RN,RN,R", false},  // cut inside Y
    };
    for (const auto& c : cases) {
        StatusReply base;
        base.inkRecords = {};
        const std::string text = base.str() + "\x02IQ," + c.tail;
        KorelStatusParser parser;
        ParseExact(parser, text);
        EXPECT_EQ(parser.GetInkStatus('Y'), c.read ? InkStatus_RN : InkStatus_Unknown) << c.tail;
    }
}

struct BoxCase {
    const char* name;
    std::vector<std::string> records;
    InkStatus status;
    InkAmount amount;
};

TEST(MaintenanceBox, DecodedLikeAnInkButNeverListed) {
    const BoxCase cases[] = {
        {"None", {}, InkStatus_Unknown, InkAmount_Unknown},
        {"High", {"RH"}, InkStatus_Normal, InkAmount_RH},
        {"LowWins", {"RM", "RN"}, InkStatus_RN, InkAmount_RN},
        {"FirstAmountStays", {"RM", "RL"}, InkStatus_Normal, InkAmount_RM},
        {"MissingStays", {"NA", "RN"}, InkStatus_NA, InkAmount_RN},
    };
    for (const auto& c : cases) {
        StatusReply reply;
        reply.state = "ER";
        reply.error = "IE";
        reply.inkRecords = {"RR,RH,RH,RH"};
        reply.boxRecords = c.records;
        KorelStatusParser parser;
        EXPECT_TRUE(ParseExact(parser, reply.str())) << c.name;
        EXPECT_EQ(parser.GetInkStatus(kInkKeyMN), c.status) << c.name;
        EXPECT_EQ(parser.GetInkAmount(kInkKeyMN), c.amount) << c.name;
        EXPECT_EQ(parser.GetInksOfErrorReason(), std::vector<int>{'K'}) << c.name;
    }
}

TEST(MaintenanceBox, ValueNeedsThreeBytesBehindTheTag) {
    StatusReply reply;
    reply.boxRecords = {};
    for (const char* tail : {"RN", "R"}) {
        KorelStatusParser parser;
        ParseExact(parser, reply.str() + "\x02MN," + tail);
        EXPECT_EQ(parser.GetInkStatus(kInkKeyMN), InkStatus_Unknown) << tail;
    }
    KorelStatusParser parser;
    ParseExact(parser, reply.str() + "\x02MN,RN\x03");
    EXPECT_EQ(parser.GetInkStatus(kInkKeyMN), InkStatus_RN);
}

TEST(InkKeys, OtherKeysAreUndetermined) {
    StatusReply reply;
    reply.inkRecords = {"RH,RH,RH,RH"};
    KorelStatusParser parser;
    ASSERT_TRUE(ParseExact(parser, reply.str()));
    for (int key :
         std::initializer_list<int>{0, 'k', 'B', 'N', -1, TwoCharCode('N', 'M'), 'K' * 256}) {
        EXPECT_EQ(parser.GetInkStatus(key), InkStatus_Unknown) << key;
        EXPECT_EQ(parser.GetInkAmount(key), InkAmount_Unknown) << key;
    }
}

struct ModelCase {
    std::string tail; // bytes behind "^S(IMM,I,"
    int model;
};

TEST(InkModel, GLOrMTWithMoreThanFourBytesBehind) {
    const ModelCase cases[] = {
        {"GL\x03", -1},     // the last record: only 3 bytes remain
        {"GL\x03\x02", -1}, // 4 bytes
        {"GL\x03\x02X", kInkModelGL},
        {"MT\x03\x02X", kInkModelMT},
        {"XX\x03\x02X", -1},
        {"gl\x03\x02X", -1},
    };
    for (const auto& c : cases) {
        StatusReply reply;
        reply.inkModel = std::nullopt;
        KorelStatusParser parser;
        ParseExact(parser, reply.str() + "\x02^S(IMM,I," + c.tail);
        EXPECT_EQ(parser.GetInkModel(), c.model) << c.tail;
    }
}

TEST(InkModel, NotInReplyForgetsTheLastModel) {
    KorelStatusParser parser;
    StatusReply reply;
    reply.inkModel = "MT";
    ASSERT_TRUE(ParseExact(parser, reply.str()));
    ASSERT_EQ(parser.GetInkModel(), kInkModelMT);
    reply.inkModel = std::nullopt;
    ASSERT_TRUE(ParseExact(parser, reply.str()));
    EXPECT_EQ(parser.GetInkModel(), -1);
}

} // namespace
