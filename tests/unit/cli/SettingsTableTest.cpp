// SPDX-License-Identifier: Apache-2.0
// Composition of the get and set requests from the command line, and value cutting.
#include "SettingsTable.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct GetCase {
    const char* name;
    std::deque<std::string> keys;
    std::string text;
    bool unitFlag;
    bool statusFlag;
};

void PrintTo(const GetCase& c, std::ostream* os) {
    *os << c.name;
}

class GetRequestTest : public ::testing::TestWithParam<GetCase> {};

TEST_P(GetRequestTest, QueriesInListOrder) {
    const GetCase& c = GetParam();
    const GetRequest request = composeGetRequest(c.keys);
    EXPECT_EQ(request.text, c.text);
    EXPECT_EQ(request.unitFlag, c.unitFlag);
    EXPECT_EQ(request.statusFlag, c.statusFlag);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GetRequestTest,
    ::testing::Values(
        GetCase{"MixedKeys", {"paperSource", "formGap", "status"}, "~H(CLM,P~H(CLS,C", true, true},
        GetCase{
            "KeyTwiceIsQueriedTwice", {"edgeHole", "edgeHole"}, "~H(CLS,T~H(CLS,T", true, false},
        GetCase{"CodeKeysNeedNoUnits",
                {"head_mediaClearanceHeight", "incomplete_labelTreatment", "peelerMode"},
                "~H(CMF,G~H(CWR,C~H(CMP,M",
                false,
                false},
        GetCase{"EveryStatusKeySetsTheStatusFlag", {"inkNameK"}, "", false, true},
        GetCase{"MaintenanceBoxIsAStatusKey", {"inkMN"}, "", false, true},
        GetCase{"DeviceRecordKeysAskNothing", {"deviceID", "inkNameC", "x"}, "", false, false},
        GetCase{"KeysAreCaseSensitive", {"PaperSource", "formgap"}, "", false, false},
        GetCase{"AllPositionKeys",
                {"formGap", "sideMargin", "rightMargin", "cutPosition", "printPositionV",
                 "printPositionH", "peelPositionA", "peelPositionB", "edgeHole"},
                "~H(CLS,C~H(CLS,G~H(CLS,R~H(CLP,O~H(CLE,T~H(CLE,M~H(CMQ,A~H(CMQ,B~H(CLS,T",
                true,
                false},
        GetCase{"AllCodeKeys",
                {"paperSource", "paperShape", "paperForm", "formDetectionType", "paperCoatingType",
                 "printQuality"},
                "~H(CLM,P~H(CLM,S~H(CLM,F~H(CLM,D~H(CLM,T~H(CPC,Q",
                false,
                false}),
    [](const ::testing::TestParamInfo<GetCase>& info) { return info.param.name; });

struct SetCase {
    const char* name;
    std::map<std::string, std::string> settings;
    bool commandFileMode;
    std::string request;
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name;
}

class SetRequestTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetRequestTest, SetCommandsInKeyOrderFramed) {
    const SetCase& c = GetParam();
    EXPECT_EQ(composeSetRequest(c.settings, c.commandFileMode), c.request);
}

const std::string kFrame = "^XA^S(CMP,U,D^S(CLR,P,600^S(CLR,R,600^S(CLR,Z,600";

INSTANTIATE_TEST_SUITE_P(
    Settings, SetRequestTest,
    ::testing::Values(
        SetCase{"KeyOrderNotCommandLineOrder",
                {{"paperSource", "R"}, {"formGap", "24"}},
                false,
                kFrame + "^S(CLS,C,24^S(CLM,P,R^XZ"},
        SetCase{"EmptyValueIsSent", {{"paperSource", ""}}, false, kFrame + "^S(CLM,P,^XZ"},
        SetCase{
            "ValueSentUnchanged", {{"peelerMode", "a=b c"}}, false, kFrame + "^S(CMP,M,a=b c^XZ"},
        SetCase{"CodeKeysStillFramed",
                {{"head_mediaClearanceHeight", "2"}, {"incomplete_labelTreatment", "N"}},
                false,
                kFrame + "^S(CMF,G,2^S(CWR,C,N^XZ"},
        SetCase{"StatusAndUnknownKeysWriteNothing",
                {{"deviceID", "x"}, {"status", "x"}, {"inkNameK", "x"}, {"zzz", "1"}},
                false,
                ""},
        SetCase{"NothingToFrame", {}, false, ""},
        SetCase{"UnframedInCommandFileMode", {{"formGap", "-3.5"}}, true, "^S(CLS,C,-3.5"}),
    [](const ::testing::TestParamInfo<SetCase>& info) { return info.param.name; });

struct CutCase {
    const char* name;
    std::string reply;
    const char* prefix;
    std::string value;
};

void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.name;
}

class ValueCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(ValueCutTest, TakesTheRunOfValueCharacters) {
    const CutCase& c = GetParam();
    EXPECT_EQ(strstr_tail_val(c.reply.data(), c.reply.size(), c.prefix), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ValueCutTest,
    ::testing::Values(CutCase{"Code", "\x02^S(CLM,P,IR\r\n", "^S(CLM,P,", "IR"},
                      CutCase{"NegativeFraction", "^S(CLS,C,-12.5^S(CLM,P,R", "^S(CLS,C,", "-12.5"},
                      CutCase{"LowerCaseCutsTheValue", "^S(CLM,P,ABcD", "^S(CLM,P,", "AB"},
                      CutCase{"FirstAnswerCounts", "^S(CLS,C,24^S(CLS,C,48", "^S(CLS,C,", "24"},
                      CutCase{"AnswerAtTheEnd", "^S(CLS,C,", "^S(CLS,C,", ""},
                      CutCase{"OtherItem", "^S(CLS,G,24", "^S(CLS,C,", ""},
                      CutCase{"EmptyReply", "", "^S(CLS,C,", ""},
                      CutCase{"NulEndsTheSearchableText", std::string("x\0^S(CLS,C,24", 13),
                              "^S(CLS,C,", ""},
                      CutCase{"NulEndsTheValue",
                              std::string("^S(CLS,C,24\0"
                                          "99",
                                          14),
                              "^S(CLS,C,", "24"}),
    [](const ::testing::TestParamInfo<CutCase>& info) { return info.param.name; });

TEST(ValueCut, StaysWithinTheGivenLength) {
    // The bytes behind the reply's length belong to something else, even without a NUL.
    const char buffer[] = "^S(CLS,C,12345^S(CLM,P,R";
    EXPECT_EQ(strstr_tail_val(buffer, 12, "^S(CLS,C,"), "123");
    EXPECT_EQ(strstr_tail_val(buffer, 8, "^S(CLS,C,"), "");
    EXPECT_EQ(strstr_tail_val(buffer, 0, "^S(CLS,C,"), "");
    EXPECT_EQ(strstr_tail_val(nullptr, 10, "^S(CLS,C,"), "");
    EXPECT_EQ(strstr_tail(buffer, 24, "^S(CLM,P,"), buffer + 23);
    EXPECT_EQ(strstr_tail(buffer, 22, "^S(CLM,P,"), nullptr);
}

struct PeelerCase {
    std::string reply;
    std::string value;
};

class PeelerModeTest : public ::testing::TestWithParam<PeelerCase> {};

TEST_P(PeelerModeTest, ReportsOnlyTheThreeModes) {
    const SettingEntry* entry = findSetting("peelerMode");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(settingValue(*entry, GetParam().reply), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Replies, PeelerModeTest,
                         ::testing::Values(PeelerCase{"^S(CMP,M,A", "A"},
                                           PeelerCase{"^S(CMP,M,P\r\n", "P"},
                                           PeelerCase{"^S(CMP,M,R^S(CLM,P,R", "R"},
                                           PeelerCase{"^S(CMP,M,X", ""},
                                           PeelerCase{"^S(CMP,M,AP", ""},
                                           PeelerCase{"^S(CMP,M,", ""}, PeelerCase{"", ""}));

TEST(SettingValue, OtherKeysReportAnyCutValue) {
    const SettingEntry* entry = findSetting("paperForm");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(settingValue(*entry, "^S(CLM,F,X9"), "X9");
}

} // namespace
