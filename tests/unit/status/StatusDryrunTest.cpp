// SPDX-License-Identifier: Apache-2.0
// The dry-run parser makes up a state from the clock, so that every detail shows in 49 seconds.
#include "KorelStatusParser.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <set>

namespace {

// The clock the tests drive: it returns `now` and then advances by `step` on each read.
std::time_t g_now = 0;
std::time_t g_step = 0;
std::time_t FakeClock(std::time_t* out) {
    const std::time_t t = g_now;
    g_now += g_step;
    if (out != nullptr) {
        *out = t;
    }
    return t;
}

class ClockedDryrun : public KorelStatusParserDryrun {
public:
    void FillAt(std::time_t now, std::time_t step) {
        g_now = now;
        g_step = step;
        FillFromClock(&FakeClock);
    }
};

struct DetailAt {
    int n;
    StatusDetail detail;
};

TEST(DryrunParser, DetailFollowsTheClock) {
    const DetailAt anchors[] = {
        {0, Status_Unsettled},   {3, Status_CommError},    {4, Status_ER_FE},
        {5, Status_ER_NI},       {28, Status_ER_SM},       {29, Status_PS_UN},
        {32, Status_PS_NW},      {33, Status_SP},          {36, Status_PR_WNC},
        {37, Status_IL_PAPT_IR}, {43, Status_IL_PAPF_NSU}, {44, Status_IL_PAPF},
        {48, Status_FC},
    };
    ClockedDryrun parser;
    for (const auto& a : anchors) {
        for (std::time_t base : {std::time_t(0), std::time_t(49 * 1000), std::time_t(-49)}) {
            parser.FillAt(base + a.n, 0);
            EXPECT_EQ(parser.GetStatusDetail(), a.detail) << "n " << a.n << " base " << base;
            EXPECT_EQ(parser.GetStatusGroup(), Others);
        }
    }
}

TEST(DryrunParser, EveryDetailOnceIn49Seconds) {
    ClockedDryrun parser;
    std::set<int> seen;
    for (int t = 1000; t < 1000 + 49; ++t) {
        parser.FillAt(t, 0);
        seen.insert(parser.GetStatusDetail());
        // Every value must have a name; an unnamed one would abort here.
        EXPECT_NE(ConvertStatusDetail2STR(parser.GetStatusDetail()), nullptr);
    }
    EXPECT_EQ(seen.size(), 49u);
}

struct InkAt {
    InkStatus status;
    InkAmount amount;
};

const InkAt kInkCycle[9] = {
    {InkStatus_Normal, InkAmount_RH},       {InkStatus_Normal, InkAmount_RM},
    {InkStatus_Normal, InkAmount_RL},       {InkStatus_RN, InkAmount_RN},
    {InkStatus_RR, InkAmount_Unknown},      {InkStatus_NA, InkAmount_Unknown},
    {InkStatus_CI, InkAmount_Unknown},      {InkStatus_Dryrun, InkAmount_Unknown},
    {InkStatus_Unknown, InkAmount_Unknown},
};

const int kInks[5] = {'K', 'C', 'M', 'Y', kInkKeyMN};

TEST(DryrunParser, InksStepThroughTheirStates) {
    ClockedDryrun parser;
    for (std::time_t t = 0; t < 9; ++t) {
        parser.FillAt(t, 0);
        for (int i = 0; i < 5; ++i) {
            const InkAt& want = kInkCycle[(t + i) % 9];
            EXPECT_EQ(parser.GetInkStatus(kInks[i]), want.status) << "t " << t << " ink " << i;
            EXPECT_EQ(parser.GetInkAmount(kInks[i]), want.amount) << "t " << t << " ink " << i;
        }
        EXPECT_EQ(parser.GetInksOfErrorReason(), (std::vector<int>{'K', 'C'}));
        EXPECT_EQ(parser.GetFatalErrorCode(), 0);
    }
}

TEST(DryrunParser, ClockIsReadAgainForEachInk) {
    ClockedDryrun parser;
    parser.FillAt(0, 1); // detail at 0, then the inks at 1, 2, 3, 4, 5
    EXPECT_EQ(parser.GetStatusDetail(), Status_Unsettled);
    for (int i = 0; i < 5; ++i) {
        const InkAt& want = kInkCycle[(1 + i + i) % 9];
        EXPECT_EQ(parser.GetInkStatus(kInks[i]), want.status) << "ink " << i;
    }
}

TEST(DryrunParser, InkModelFollowsTheClock) {
    const int models[5] = {kInkModelGL, kInkModelMT, kInkModelGL, kInkModelMT, -1};
    ClockedDryrun parser;
    for (std::time_t t = 100; t < 110; ++t) {
        parser.FillAt(t, 0);
        EXPECT_EQ(parser.GetInkModel(), models[t % 5]) << t;
    }
}

TEST(DryrunParser, ParseIgnoresTheReplyAndUsesTheCalendarTime) {
    std::unique_ptr<KorelStatusParser> parser = std::make_unique<KorelStatusParserDryrun>();
    ClockedDryrun reference;
    // The second may tick during the call; try again until it does not.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::time_t before = std::time(nullptr);
        EXPECT_TRUE(parser->Parse(nullptr, 0));
        const std::time_t after = std::time(nullptr);
        if (before != after) {
            continue;
        }
        reference.FillAt(before, 0);
        EXPECT_EQ(parser->GetStatusGroup(), Others);
        EXPECT_EQ(parser->GetStatusDetail(), reference.GetStatusDetail());
        EXPECT_EQ(parser->GetInkModel(), reference.GetInkModel());
        for (int ink : kInks) {
            EXPECT_EQ(parser->GetInkStatus(ink), reference.GetInkStatus(ink));
        }
        return;
    }
    FAIL() << "the clock never held still for one call";
}

} // namespace
