// SPDX-License-Identifier: Apache-2.0
// Report lines: which source each key reads, the formats, the order and the record refetch.
#include "Report.h"

#include <gtest/gtest.h>

namespace {

// A parser put into a chosen state, as a decoded reply would leave it.
class StatedParser : public KorelStatusParser {
public:
    StatedParser() {
        statusGroup = Others;
        statusDetail = Status_IL_PAPF;
        inkModel = kInkModelGL;
        inkStatus[0] = InkStatus_Normal;
        inkAmount[0] = InkAmount_RH;
        inkStatus[1] = InkStatus_RN;
        inkAmount[1] = InkAmount_RN;
        inkStatus[2] = InkStatus_NA;
        inkAmount[2] = InkAmount_Unknown;
        inkStatus[3] = InkStatus_Normal;
        inkAmount[3] = InkAmount_RL;
        inkStatusMN = InkStatus_Normal;
        inkAmountMN = InkAmount_RM;
        inksOfErrorReason = {'C', kInkKeyMN, 'M', 'Z'};
    }
    void setModel(int model) { inkModel = model; }
    void setInksOfErrorReason(std::vector<int> inks) { inksOfErrorReason = std::move(inks); }
};

DeviceIDs fullRecord() {
    DeviceIDs record;
    record.deviceID = "MFG:VARDA;MDL:RV-C9000;";
    record.deviceOption = "CUTTER";
    record.inkNameBK = "BK-1";
    record.inkNameMK = "MK-1";
    record.inkNameC = "C-1";
    record.inkNameM = "M-1";
    record.inkNameY = "Y-1";
    record.inkNameMN = "MB-1";
    record.inkCartridgeLayout = "KYMC";
    return record;
}

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        context_.queue = "q1";
        context_.parser = &parser_;
        context_.reply = &reply_;
        context_.records = &records_;
        context_.fetchRecord = [this](const std::string& queue) {
            fetched_.push_back(queue);
            return fetchResult_;
        };
    }
    std::string report(std::deque<std::string> keys) { return reportLines(keys, context_); }

    StatedParser parser_;
    std::string reply_;
    std::map<std::string, DeviceIDs> records_;
    DeviceIDs fetchResult_;
    std::vector<std::string> fetched_;
    ReportContext context_;
};

struct LineCase {
    const char* key;
    const char* line;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.key;
}

class ReportLineTest : public ReportTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ReportLineTest, PrintsTheKeyAndItsValue) {
    records_["q1"] = fullRecord();
    reply_ = "\x02^S(CLM,P,IR\r\n\x02^S(CLS,C,-24\r\n\x02^S(CMP,M,X\r\n\x02^S(CLM,F,ab";
    EXPECT_EQ(reportLine(GetParam().key, context_), GetParam().line);
    EXPECT_TRUE(fetched_.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ReportLineTest,
    ::testing::Values(
        LineCase{"deviceID", "deviceID: MFG:VARDA;MDL:RV-C9000;\n"},
        LineCase{"deviceOption", "deviceOption: CUTTER\n"},
        LineCase{"inkNameK", "inkNameK: BK-1\n"}, LineCase{"inkNameC", "inkNameC: C-1\n"},
        LineCase{"inkNameM", "inkNameM: M-1\n"}, LineCase{"inkNameY", "inkNameY: Y-1\n"},
        LineCase{"inkNameMN", "inkNameMN: MB-1\n"},
        LineCase{"inkCartridgeLayout", "inkCartridgeLayout: KYMC\n"},
        LineCase{"status", "status: 600, Status_IL_PAPF\n"},
        LineCase{"statusGroup", "statusGroup: 6, Others\n"},
        LineCase{"inksOfErrorReason", "inksOfErrorReason: C,M\n"},
        LineCase{"inkK", "inkK: 0 21064\n"}, LineCase{"inkC", "inkC: 21070 21070\n"},
        LineCase{"inkM", "inkM: 20033 -1\n"}, LineCase{"inkY", "inkY: 0 21068\n"},
        LineCase{"inkMN", "inkMN: 0 21069\n"}, LineCase{"paperSource", "paperSource: IR\n"},
        LineCase{"formGap", "formGap: -24\n"}, LineCase{"peelerMode", "peelerMode: \n"},
        LineCase{"paperForm", "paperForm: \n"}, LineCase{"sideMargin", "sideMargin: \n"},
        LineCase{"inkname", "inkname: N/A\n"}, LineCase{"", ": N/A\n"}),
    [](const ::testing::TestParamInfo<LineCase>& info) {
        return info.param.key[0] ? std::string(info.param.key) : std::string("EmptyKey");
    });

TEST_F(ReportTest, LinesFollowTheKeyListWithRepeats) {
    EXPECT_EQ(report({"a", "deviceID", "status", "a"}),
              "a: N/A\ndeviceID: N/A\nstatus: 600, Status_IL_PAPF\na: N/A\n");
}

TEST_F(ReportTest, RecordWithoutDeviceIDIsFetchedAgainAndReplaced) {
    records_["q1"].inkNameC = "stale";
    fetchResult_ = fullRecord();
    EXPECT_EQ(report({"inkNameC", "deviceOption"}), "inkNameC: C-1\ndeviceOption: CUTTER\n");
    // The first fetch filled the device ID, so the second key used the cache.
    EXPECT_EQ(fetched_, std::vector<std::string>{"q1"});
    EXPECT_EQ(records_["q1"].deviceID, "MFG:VARDA;MDL:RV-C9000;");
}

TEST_F(ReportTest, QueueWithoutPPDReportsNotAvailableForEveryRecordKey) {
    EXPECT_EQ(report({"deviceID", "deviceOption", "inkNameK", "inkNameMN", "inkCartridgeLayout"}),
              "deviceID: N/A\ndeviceOption: N/A\ninkNameK: N/A\ninkNameMN: N/A\n"
              "inkCartridgeLayout: N/A\n");
    EXPECT_EQ(fetched_.size(), 5u);
}

TEST_F(ReportTest, StatusKeysNeedNoRecord) {
    report({"status", "inkK", "paperSource", "x"});
    EXPECT_TRUE(fetched_.empty());
}

struct BlackInkCase {
    const char* name;
    int model;
    const char* bk;
    const char* mk;
    const char* line;
};

void PrintTo(const BlackInkCase& c, std::ostream* os) {
    *os << c.name;
}

class BlackInkTest : public ReportTest, public ::testing::WithParamInterface<BlackInkCase> {};

TEST_P(BlackInkTest, FollowsTheInkModel) {
    const BlackInkCase& c = GetParam();
    DeviceIDs record = fullRecord();
    record.inkNameBK = c.bk;
    record.inkNameMK = c.mk;
    records_["q1"] = record;
    parser_.setModel(c.model);
    EXPECT_EQ(reportLine("inkNameK", context_), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Models, BlackInkTest,
    ::testing::Values(BlackInkCase{"GL", kInkModelGL, "BK-1", "MK-1", "inkNameK: BK-1\n"},
                      BlackInkCase{"MT", kInkModelMT, "BK-1", "MK-1", "inkNameK: MK-1\n"},
                      BlackInkCase{"GLWithoutName", kInkModelGL, "", "MK-1", "inkNameK: N/A\n"},
                      BlackInkCase{"MTWithoutName", kInkModelMT, "BK-1", "", "inkNameK: N/A\n"},
                      BlackInkCase{"NoModel", -1, "BK-1", "MK-1", "inkNameK: N/A\n"},
                      BlackInkCase{"OtherModel", TwoCharCode('X', 'X'), "BK-1", "MK-1",
                                   "inkNameK: N/A\n"}),
    [](const ::testing::TestParamInfo<BlackInkCase>& info) { return info.param.name; });

TEST_F(ReportTest, NoInkInErrorGivesAnEmptyValue) {
    parser_.setInksOfErrorReason({});
    EXPECT_EQ(reportLine("inksOfErrorReason", context_), "inksOfErrorReason: \n");
    parser_.setInksOfErrorReason({kInkKeyMN});
    EXPECT_EQ(reportLine("inksOfErrorReason", context_), "inksOfErrorReason: \n");
    parser_.setInksOfErrorReason({'Y', 'K'});
    EXPECT_EQ(reportLine("inksOfErrorReason", context_), "inksOfErrorReason: Y,K\n");
}

TEST_F(ReportTest, FreshParserReportsTheInitialState) {
    const KorelStatusParser fresh;
    context_.parser = &fresh;
    EXPECT_EQ(report({"status", "statusGroup", "inkMN", "inksOfErrorReason"}),
              "status: 0, Status_Unsettled\nstatusGroup: 0, BeforeComm\ninkMN: -1 -1\n"
              "inksOfErrorReason: \n");
}

} // namespace
