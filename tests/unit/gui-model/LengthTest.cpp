// SPDX-License-Identifier: Apache-2.0
#include "ModelFamily.h"

#include <gtest/gtest.h>

namespace {

constexpr int Metric = 0;
constexpr int ImperialUS = 1;
constexpr int ImperialUK = 2;
constexpr int NoUnit = 7;

struct DotCase {
    int dot;
    int system;
    double length;
};

const DotCase dotCases[] = {
    {47, Metric, 2.0},       {46, Metric, 1.9},          {-46, Metric, -1.9},
    {0, Metric, 0.0},        {600, Metric, 25.4},        {-255, Metric, -10.8},
    {1181, Metric, 50.0},    {7228, Metric, 306.0},      {47, ImperialUS, 0.078},
    {47, ImperialUK, 0.078}, {-47, ImperialUS, -0.078},  {142, ImperialUS, 0.237},
    {600, ImperialUK, 1.0},  {-472, ImperialUS, -0.787}, {3, ImperialUS, 0.005},
    {47, NoUnit, 0.0},       {-255, NoUnit, 0.0},
};

class DotsToLength : public ::testing::TestWithParam<DotCase> {};

TEST_P(DotsToLength, RoundsHalfUpSymmetricallyAboutZero) {
    const DotCase& c = GetParam();
    EXPECT_DOUBLE_EQ(dotsToLength(c.dot, c.system), c.length)
        << c.dot << " dots, system " << c.system;
}

INSTANTIATE_TEST_SUITE_P(Table, DotsToLength, ::testing::ValuesIn(dotCases));

struct LengthCase {
    double length;
    int system;
    int dot;
};

const LengthCase lengthCases[] = {
    // A value of 46 dots shown as 1.9 mm comes back as 45: the rounding of the display is lost.
    {1.9, Metric, 45},       {2.0, Metric, 47},         {-1.9, Metric, -45},
    {25.4, Metric, 600},     {0.0, Metric, 0},          {10.8, Metric, 255},
    {0.078, ImperialUS, 47}, {-0.078, ImperialUK, -47}, {1.0, ImperialUS, 600},
    {0.0005, ImperialUS, 0}, {0.001, ImperialUS, 1},    {2.0, NoUnit, 0},
    {-0.078, NoUnit, 0},
};

class LengthToDots : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthToDots, RoundsHalfUpSymmetricallyAboutZero) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(lengthToDots(c.length, c.system), c.dot) << c.length << ", system " << c.system;
}

INSTANTIATE_TEST_SUITE_P(Table, LengthToDots, ::testing::ValuesIn(lengthCases));

struct CaptionCase {
    int minDot;
    int maxDot;
    int precision;
    const char* metric;
    const char* imperial;
};

const CaptionCase captionCases[] = {
    {-255, 255, 3, "(-10.8 - 10.8)", "(-0.425 - 0.425)"},
    {0, 142, 2, "(0.0 - 6.0)", "(0.00 - 0.24)"},
    {-472, 35, 3, "(-20.0 - 1.5)", "(-0.787 - 0.058)"},
    {0, 1181, 2, "(0.0 - 50.0)", "(0.00 - 1.97)"},
    {48, 142, 2, "(2.0 - 6.0)", "(0.08 - 0.24)"},
};

class RangeCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(RangeCaption, MetricShowsMillimetresWithOneDecimal) {
    const CaptionCase& c = GetParam();
    const RangePresentation r = presentRange(c.minDot, c.maxDot, c.precision, Metric);
    EXPECT_TRUE(r.setsUnit);
    EXPECT_STREQ(r.unit, "mm");
    EXPECT_TRUE(r.setsFormat);
    EXPECT_EQ(r.caption, c.metric);
    EXPECT_EQ(r.decimals, 1);
    EXPECT_DOUBLE_EQ(r.step, 0.1);
    EXPECT_DOUBLE_EQ(r.minimum, dotsToLength(c.minDot, Metric));
    EXPECT_DOUBLE_EQ(r.maximum, dotsToLength(c.maxDot, Metric));
}

TEST_P(RangeCaption, ImperialShowsInchesWithThePrecisionsDecimals) {
    const CaptionCase& c = GetParam();
    for (int system : {ImperialUS, ImperialUK}) {
        const RangePresentation r = presentRange(c.minDot, c.maxDot, c.precision, system);
        EXPECT_TRUE(r.setsUnit);
        EXPECT_STREQ(r.unit, "in");
        EXPECT_TRUE(r.setsFormat);
        EXPECT_EQ(r.caption, c.imperial);
        EXPECT_EQ(r.decimals, c.precision);
        EXPECT_DOUBLE_EQ(r.step, c.precision == 2 ? 0.01 : 0.001);
        EXPECT_DOUBLE_EQ(r.minimum, dotsToLength(c.minDot, system));
        EXPECT_DOUBLE_EQ(r.maximum, dotsToLength(c.maxDot, system));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RangeCaption, ::testing::ValuesIn(captionCases));

TEST(RangePresentation, ImperialWithAnUnknownPrecisionSetsOnlyUnitAndLimits) {
    const RangePresentation r = presentRange(-255, 255, 4, ImperialUS);
    EXPECT_TRUE(r.setsUnit);
    EXPECT_STREQ(r.unit, "in");
    EXPECT_FALSE(r.setsFormat);
    EXPECT_DOUBLE_EQ(r.minimum, -0.425);
    EXPECT_DOUBLE_EQ(r.maximum, 0.425);
}

TEST(RangePresentation, MetricIgnoresThePrecision) {
    EXPECT_EQ(presentRange(0, 142, 4, Metric).caption, "(0.0 - 6.0)");
}

TEST(RangePresentation, UnknownSystemChangesNoCaptionAndLimitsAreZero) {
    const RangePresentation r = presentRange(-255, 255, 3, NoUnit);
    EXPECT_FALSE(r.setsUnit);
    EXPECT_FALSE(r.setsFormat);
    EXPECT_DOUBLE_EQ(r.minimum, 0.0);
    EXPECT_DOUBLE_EQ(r.maximum, 0.0);
}

} // namespace
