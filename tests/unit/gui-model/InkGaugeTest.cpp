// SPDX-License-Identifier: Apache-2.0
#include "InkGauge.h"

#include <tarn/StatusCodes.h>

#include <gtest/gtest.h>

namespace {

const int RH = TwoCharCode('R', 'H'), RM = TwoCharCode('R', 'M'), RL = TwoCharCode('R', 'L'),
          RN = TwoCharCode('R', 'N'), RR = TwoCharCode('R', 'R'), NA = TwoCharCode('N', 'A'),
          CI = TwoCharCode('C', 'I');

struct GaugeCase {
    int status;
    int amount;
    int value;
    bool enabled;
    bool hatch;
    GaugeIcon icon;
    const char* words;
};

const GaugeCase gaugeCases[] = {
    {0, RH, 100, true, false, GaugeIcon::None, "100%"},
    {0, RM, 75, true, false, GaugeIcon::None, "75%"},
    {0, RL, 30, true, false, GaugeIcon::None, "30%"},
    {0, RN, 15, true, false, GaugeIcon::None, "15%"},
    {0, -1, 0, false, false, GaugeIcon::None, "level unknown"},
    {0, RR, 0, false, false, GaugeIcon::None, "level unknown"},
    {RN, RN, 15, true, false, GaugeIcon::Warning, "low, 15%"},
    {RN, RL, 30, true, false, GaugeIcon::Warning, "low, 30%"},
    {RN, -1, 0, false, false, GaugeIcon::None, "level unknown"},
    {RR, -1, 10, true, false, GaugeIcon::Error, "to be replaced"},
    {RR, RH, 10, true, false, GaugeIcon::Error, "to be replaced"},
    {NA, -1, 0, true, true, GaugeIcon::Error, "not available"},
    {NA, RH, 0, true, true, GaugeIcon::Error, "not available"},
    {CI, -1, 0, false, false, GaugeIcon::None, "level unknown"},
    {CI, RH, 0, false, false, GaugeIcon::None, "level unknown"},
    {-1, -1, 0, false, false, GaugeIcon::None, "level unknown"},
    {-1, RH, 0, false, false, GaugeIcon::None, "level unknown"},
    {-2, RM, 0, false, false, GaugeIcon::None, "level unknown"},
};

class Gauge : public ::testing::TestWithParam<GaugeCase> {};

TEST_P(Gauge, ShowsStateAndAmount) {
    const GaugeCase& c = GetParam();
    const GaugeView v = gaugeViewFor(c.status, c.amount);
    EXPECT_EQ(v.value, c.value);
    EXPECT_EQ(v.enabled, c.enabled);
    EXPECT_EQ(v.hatch, c.hatch);
    EXPECT_EQ(v.icon, c.icon);
    EXPECT_EQ(gaugeDescription("Cyan", "C-123", c.status, c.amount).toStdString(),
              std::string("Cyan C-123: ") + c.words);
}

INSTANTIATE_TEST_SUITE_P(Table, Gauge, ::testing::ValuesIn(gaugeCases));

TEST(GaugeDescription, WithoutPartNameNamesTheColourAlone) {
    EXPECT_EQ(gaugeDescription("Black", "", 0, RM), "Black: 75%");
}

} // namespace
