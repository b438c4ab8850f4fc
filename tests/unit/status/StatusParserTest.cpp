// SPDX-License-Identifier: Apache-2.0
// From a status reply to group, detail and the inks named by the condition.
#include "StatusReply.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct DetailCase {
    const char* name;
    std::function<void(StatusReply&)> shape;
    bool parsed;
    StatusGroup group;
    StatusDetail detail;
    std::vector<int> inks;
};

auto MainState(std::optional<std::string> state) {
    return [state](StatusReply& r) { r.state = state; };
}

auto ErrorCode(std::optional<std::string> code) {
    return [code](StatusReply& r) {
        r.state = "ER";
        r.error = code;
    };
}

auto IdleWarnings(std::optional<std::string> warnings) {
    return [warnings](StatusReply& r) {
        r.state = "IL";
        r.paper = "F";
        r.warnings = warnings;
    };
}

auto PrintingWarnings(std::optional<std::string> warnings) {
    return [warnings](StatusReply& r) {
        r.state = "PR";
        r.warnings = warnings;
    };
}

auto PauseReason(std::optional<std::string> reason) {
    return [reason](StatusReply& r) {
        r.state = "PS";
        r.pause = reason;
    };
}

const DetailCase kDetailCases[] = {
    // Plain error codes.
    {"NI", ErrorCode("NI"), true, Error, Status_ER_NI, {}},
    {"CO", ErrorCode("CO"), true, Error, Status_ER_CO, {}},
    {"SJ", ErrorCode("SJ"), true, Error, Status_ER_SJ, {}},
    {"SS", ErrorCode("SS"), true, Error, Status_ER_SS, {}},
    {"ST", ErrorCode("ST"), true, Error, Status_ER_ST, {}},
    {"MF", ErrorCode("MF"), true, Error, Status_ER_MF, {}},
    {"SR", ErrorCode("SR"), true, Error, Status_ER_SR, {}},
    {"CI", ErrorCode("CI"), true, Error, Status_ER_CI, {}},
    {"MN", ErrorCode("MN"), true, Error, Status_ER_MN, {}},
    {"CM", ErrorCode("CM"), true, Error, Status_ER_CM, {}},
    {"SE", ErrorCode("SE"), true, Error, Status_ER_SE, {}},
    {"LT", ErrorCode("LT"), true, Error, Status_ER_LT, {}},
    {"CS", ErrorCode("CS"), true, Error, Status_ER_CS, {}},
    {"CF", ErrorCode("CF"), true, Error, Status_ER_CF, {}},
    {"CR", ErrorCode("CR"), true, Error, Status_ER_CR, {}},
    {"CG", ErrorCode("CG"), true, Error, Status_ER_CG, {}},
    {"SC", ErrorCode("SC"), true, Error, Status_ER_SC, {}},
    {"IC", ErrorCode("IC"), true, Error, Status_ER_IC, {}},
    {"MC", ErrorCode("MC"), true, Error, Status_ER_MC, {}},
    {"SM", ErrorCode("SM"), true, Error, Status_ER_SM, {}},
    {"FatalError", ErrorCode("FE"), true, FatalError, Status_ER_FE, {}},
    {"ErrorCodeUnknown", ErrorCode("ZZ"), false, Error, Status_Unsettled, {}},
    {"ErrorCodeAbsent", ErrorCode(std::nullopt), false, Error, Status_Unsettled, {}},
    // Paper sensor after a paper error.
    {"SensorIR",
     [](StatusReply& r) {
         ErrorCode("SN")(r);
         r.sensor = "IR";
     },
     true,
     Error,
     Status_ER_SN_IR,
     {}},
    {"SensorER",
     [](StatusReply& r) {
         ErrorCode("SN")(r);
         r.sensor = "ER";
     },
     true,
     Error,
     Status_ER_SN_ER,
     {}},
    {"SensorOther",
     [](StatusReply& r) {
         ErrorCode("SN")(r);
         r.sensor = "XX";
     },
     false,
     Error,
     Status_Unsettled,
     {}},
    // Ink errors name the inks.
    {"InkErrorReplace",
     [](StatusReply& r) {
         ErrorCode("IE")(r);
         r.inkRecords = {"RR,RN,RH,RM"};
     },
     true,
     Error,
     Status_ER_IE_RR,
     {'K', 'C'}},
    {"InkErrorMissing",
     [](StatusReply& r) {
         ErrorCode("IE")(r);
         r.inkRecords = {"RR,NA,RH,RM"};
     },
     true,
     Error,
     Status_ER_IE_NACI,
     {'C'}},
    {"InkErrorCodeCI",
     [](StatusReply& r) {
         ErrorCode("IE")(r);
         r.inkRecords = {"RH,RH,CI,RH"};
     },
     true,
     Error,
     Status_ER_IE_NACI,
     {'M'}},
    {"InkErrorWithoutInkRecord",
     [](StatusReply& r) {
         ErrorCode("IE")(r);
         r.inkRecords = {};
     },
     true,
     Error,
     Status_ER_IE_NACI,
     {'K', 'C', 'M', 'Y'}},
    {"InkErrorAllNormal",
     [](StatusReply& r) {
         ErrorCode("IE")(r);
         r.inkRecords = {"RH,RM,RL,RH"};
     },
     false,
     Error,
     Status_Unsettled,
     {}},
    {"InkErrorIgnoresBox",
     [](StatusReply& r) {
         ErrorCode("IE")(r);
         r.inkRecords = {"RH,RH,RH,RH"};
         r.boxRecords = {"NA"};
     },
     false,
     Error,
     Status_Unsettled,
     {}},
    // Pause reasons.
    {"PauseUN", PauseReason("UN"), true, Pause, Status_PS_UN, {}},
    {"PauseSF", PauseReason("SF"), true, Pause, Status_PS_SF, {}},
    {"PauseNC", PauseReason("NC"), true, Pause, Status_PS_NC, {}},
    {"PauseNW", PauseReason("NW"), true, Pause, Status_PS_NW, {}},
    {"PauseUnknown", PauseReason("XX"), false, Pause, Status_Unsettled, {}},
    {"PauseAbsent", PauseReason(std::nullopt), false, Pause, Status_Unsettled, {}},
    // Printing.
    {"Spooling", MainState("SP"), true, Printing, Status_SP, {}},
    {"PrintingNSU", PrintingWarnings("NSU"), true, Printing, Status_PR_NSU, {}},
    {"PrintingNCR", PrintingWarnings("NCR"), true, Printing, Status_PR_NCR, {}},
    {"PrintingWNC", PrintingWarnings("WNC"), true, Printing, Status_PR_WNC, {}},
    {"PrintingNSUBeforeWNC", PrintingWarnings("WNC,NSU"), true, Printing, Status_PR_NSU, {}},
    {"PrintingOtherWarning", PrintingWarnings("MNF"), true, Others, Status_PR, {}},
    {"PrintingNoWarnings", PrintingWarnings(""), true, Others, Status_PR, {}},
    {"PrintingNoWarningRecord",
     PrintingWarnings(std::nullopt),
     true,
     BeforeComm,
     Status_CommError,
     {}},
    // Idle, paper sensor asked.
    {"IdlePaperIR",
     [](StatusReply& r) {
         r.state = "IL";
         r.paper = "T";
         r.sensor = "IR";
     },
     true,
     Warning,
     Status_IL_PAPT_IR,
     {}},
    {"IdlePaperER",
     [](StatusReply& r) {
         r.state = "IL";
         r.paper = "T";
         r.sensor = "ER";
     },
     true,
     Warning,
     Status_IL_PAPT_ER,
     {}},
    {"IdlePaperSensorOther",
     [](StatusReply& r) {
         r.state = "IL";
         r.paper = "T";
         r.sensor = "XX";
     },
     true,
     Others,
     Status_Unsettled,
     {}},
    {"IdlePaperOther",
     [](StatusReply& r) {
         r.state = "IL";
         r.paper = "X";
     },
     true,
     Others,
     Status_Unsettled,
     {}},
    {"IdlePaperAbsent",
     [](StatusReply& r) {
         r.state = "IL";
         r.paper = std::nullopt;
     },
     true,
     Others,
     Status_Unsettled,
     {}},
    // Idle with warnings.
    {"IdleReady", IdleWarnings(""), true, Others, Status_IL_PAPF, {}},
    {"IdleNoWarningRecord", IdleWarnings(std::nullopt), true, Warning, Status_CommError, {}},
    {"IdleWNC", IdleWarnings("WNC"), true, Warning, Status_IL_PAPF_WNC, {}},
    {"IdleWSC", IdleWarnings("WSC"), true, Warning, Status_IL_PAPF_WSC, {}},
    {"IdleMNF", IdleWarnings("MNF"), true, Warning, Status_IL_PAPF_MNF, {}},
    {"IdleNSU", IdleWarnings("NSU"), true, Warning, Status_IL_PAPF_NSU, {}},
    {"IdleInkLowCY", IdleWarnings("IC1,IY1"), true, Warning, Status_IL_PAPF_Ix1, {'C', 'Y'}},
    {"IdleInkLowAll",
     IdleWarnings("IY1,IM1,IC1,IK1"),
     true,
     Warning,
     Status_IL_PAPF_Ix1,
     {'K', 'C', 'M', 'Y'}},
    {"IdleWNCBeforeInkLow", IdleWarnings("IK1,WNC"), true, Warning, Status_IL_PAPF_WNC, {}},
    {"IdleInkLowBeforeNSU", IdleWarnings("NSU,IM1"), true, Warning, Status_IL_PAPF_Ix1, {'M'}},
    {"IdleOtherWarning", IdleWarnings("ABC"), true, Others, Status_Unsettled, {}},
    // The warning codes are searched to the end of the reply.
    {"IdleWarningInLaterRecord",
     [](StatusReply& r) {
         IdleWarnings("ABC")(r);
         r.fatal = "0,WSC";
     },
     true,
     Warning,
     Status_IL_PAPF_WSC,
     {}},
    // The remaining main states.
    {"WT", MainState("WT"), true, Others, Status_WT, {}},
    {"CL", MainState("CL"), true, Others, Status_CL, {}},
    {"FC", MainState("FC"), true, Others, Status_FC, {}},
    {"OtherState", MainState("QQ"), true, Others, Status_Unsettled, {}},
    {"MainStateAbsent", MainState(std::nullopt), false, BeforeComm, Status_Unsettled, {}},
    {"FatalRecordAbsent",
     [](StatusReply& r) {
         ErrorCode("CO")(r);
         r.fatal = std::nullopt;
     },
     false,
     BeforeComm,
     Status_Unsettled,
     {}},
};

class DetailFromReply : public ::testing::TestWithParam<DetailCase> {};

TEST_P(DetailFromReply, GivesGroupDetailAndInks) {
    const DetailCase& c = GetParam();
    StatusReply reply;
    c.shape(reply);
    KorelStatusParser parser;
    EXPECT_EQ(ParseExact(parser, reply.str()), c.parsed);
    EXPECT_EQ(parser.GetStatusGroup(), c.group);
    EXPECT_EQ(parser.GetStatusDetail(), c.detail);
    EXPECT_EQ(parser.GetInksOfErrorReason(), c.inks);
}

INSTANTIATE_TEST_SUITE_P(StatusParser, DetailFromReply, ::testing::ValuesIn(kDetailCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatusParser, NewParserHoldsTheInitialState) {
    const KorelStatusParser parser;
    EXPECT_EQ(parser.GetStatusGroup(), BeforeComm);
    EXPECT_EQ(parser.GetStatusDetail(), Status_Unsettled);
    EXPECT_TRUE(parser.GetInksOfErrorReason().empty());
    EXPECT_EQ(parser.GetFatalErrorCode(), 0);
    EXPECT_EQ(parser.GetInkModel(), -1);
    for (int ink : std::initializer_list<int>{'K', 'C', 'M', 'Y', kInkKeyMN}) {
        EXPECT_EQ(parser.GetInkStatus(ink), InkStatus_Unknown);
        EXPECT_EQ(parser.GetInkAmount(ink), InkAmount_Unknown);
    }
}

TEST(StatusParser, EmptyReplyResetsButKeepsBoxAndModel) {
    KorelStatusParser parser;
    StatusReply reply;
    reply.state = "IL";
    reply.warnings = "IK1";
    reply.inkModel = "MT";
    reply.boxRecords = {"RN"};
    ASSERT_TRUE(ParseExact(parser, reply.str()));
    ASSERT_EQ(parser.GetStatusDetail(), Status_IL_PAPF_Ix1);

    for (const char* empty : {static_cast<const char*>(nullptr), ""}) {
        EXPECT_FALSE(parser.Parse(empty, empty ? 1 : 0));
        EXPECT_EQ(parser.GetStatusGroup(), BeforeComm);
        EXPECT_EQ(parser.GetStatusDetail(), Status_Unsettled);
        EXPECT_TRUE(parser.GetInksOfErrorReason().empty());
        EXPECT_EQ(parser.GetInkStatus('K'), InkStatus_Unknown);
        EXPECT_EQ(parser.GetInkAmount('Y'), InkAmount_Unknown);
        EXPECT_EQ(parser.GetInkStatus(kInkKeyMN), InkStatus_RN);
        EXPECT_EQ(parser.GetInkModel(), kInkModelMT);
    }
}

TEST(StatusParser, ReparseForgetsTheInksOfTheLastCondition) {
    KorelStatusParser parser;
    StatusReply low;
    low.warnings = "IK1";
    ASSERT_TRUE(ParseExact(parser, low.str()));
    ASSERT_FALSE(parser.GetInksOfErrorReason().empty());
    StatusReply ready;
    ASSERT_TRUE(ParseExact(parser, ready.str()));
    EXPECT_EQ(parser.GetStatusDetail(), Status_IL_PAPF);
    EXPECT_TRUE(parser.GetInksOfErrorReason().empty());
}

TEST(StatusParser, CommErrorKeepsBoxAndModelOfTheLastReply) {
    KorelStatusParser parser;
    StatusReply reply;
    reply.state = "ER";
    reply.error = "IE";
    reply.inkModel = "GL";
    reply.boxRecords = {"RL"};
    reply.inkRecords = {"RR,RH,RH,RH"};
    reply.fatal = "17";
    ASSERT_TRUE(ParseExact(parser, reply.str()));
    ASSERT_EQ(parser.GetFatalErrorCode(), 17);

    parser.SetAsCommError();
    EXPECT_EQ(parser.GetStatusGroup(), BeforeComm);
    EXPECT_EQ(parser.GetStatusDetail(), Status_CommError);
    EXPECT_TRUE(parser.GetInksOfErrorReason().empty());
    EXPECT_EQ(parser.GetFatalErrorCode(), 0);
    EXPECT_EQ(parser.GetInkStatus('K'), InkStatus_Unknown);
    EXPECT_EQ(parser.GetInkAmount('K'), InkAmount_Unknown);
    EXPECT_EQ(parser.GetInkStatus(kInkKeyMN), InkStatus_Normal);
    EXPECT_EQ(parser.GetInkAmount(kInkKeyMN), InkAmount_RL);
    EXPECT_EQ(parser.GetInkModel(), kInkModelGL);
}

struct FatalCase {
    const char* value;
    int expected;
};

TEST(StatusParser, FatalErrorCodeReadsLikeAtoi) {
    const FatalCase cases[] = {
        {"0", 0},
        {"1234", 1234},
        {"  42", 42},
        {"-7", -7},
        {"+8x", 8},
        {"", 0},
        {"X12", 0},
        {"99999999999999999999", 2147483647},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        StatusReply reply;
        reply.fatal = c.value;
        KorelStatusParser parser;
        ParseExact(parser, reply.str());
        EXPECT_EQ(parser.GetFatalErrorCode(), c.expected) << '"' << c.value << '"';
    }
}

TEST(StatusParser, FatalErrorCodeAtTheVeryEndOfTheReply) {
    // The last record may end with its digits; reading stops at the end of the reply.
    std::string text = StatusReply{}.str();
    text.pop_back(); // the ETX behind the fatal error code
    text += "25";
    KorelStatusParser parser;
    EXPECT_TRUE(ParseExact(parser, text));
    EXPECT_EQ(parser.GetFatalErrorCode(), 25);
}

struct PrintableCase {
    StatusDetail detail;
    bool printable;
};

class PrintableParser : public KorelStatusParser {
public:
    explicit PrintableParser(StatusDetail d) { statusDetail = d; }
};

TEST(StatusParser, PrintableFromDetail502On) {
    const PrintableCase cases[] = {
        {Status_Unsettled, false},  {Status_CommError, false},  {Status_ER_SM, false},
        {Status_PR_WNC, false},     {Status_IL_PAPT_ER, false}, {Status_IL_PAPF_WNC, true},
        {Status_IL_PAPF_NSU, true}, {Status_IL_PAPF, true},     {Status_FC, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrintableParser(c.detail).IsStatusPrintable(), c.printable) << c.detail;
    }
}

TEST(StatusParser, TagMatchesOnlyAtTheStartOfARecord) {
    // "^S(SMA,S," inside another record's value is not the main state.
    KorelStatusParser parser;
    StatusReply reply;
    reply.state = std::nullopt;
    reply.error = "^S(SMA,S,SP";
    EXPECT_FALSE(ParseExact(parser, reply.str()));
    EXPECT_EQ(parser.GetStatusDetail(), Status_Unsettled);
}

TEST(StatusParser, OnlyTheFirstMainStateCounts) {
    KorelStatusParser parser;
    StatusReply reply;
    reply.state = "SP";
    const std::string text = reply.str() + "\x02^S(SMA,S,ER\x03";
    EXPECT_TRUE(ParseExact(parser, text));
    EXPECT_EQ(parser.GetStatusDetail(), Status_SP);
}

} // namespace
