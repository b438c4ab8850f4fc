// SPDX-License-Identifier: Apache-2.0
// The numbers and names of the status groups and details are read back by tarnqt.
#include "KorelStatusEnum.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct GroupName {
    int value;
    const char* name;
};

const GroupName kGroups[] = {
    {0, "BeforeComm"}, {1, "FatalError"}, {2, "Error"},  {3, "Pause"},
    {4, "Printing"},   {5, "Warning"},    {6, "Others"},
};

struct DetailName {
    int value;
    const char* name;
};

const DetailName kDetails[] = {
    {0, "Status_Unsettled"},     {1, "Status_Offline"},       {2, "Status_BadDevice"},
    {3, "Status_CommError"},     {100, "Status_ER_FE"},       {200, "Status_ER_NI"},
    {201, "Status_ER_CO"},       {202, "Status_ER_SJ"},       {203, "Status_ER_IE_NACI"},
    {204, "Status_ER_IE_RR"},    {205, "Status_ER_SN_IR"},    {206, "Status_ER_SN_ER"},
    {207, "Status_ER_SS"},       {208, "Status_ER_ST"},       {209, "Status_ER_MF"},
    {210, "Status_ER_SR"},       {211, "Status_ER_CI"},       {212, "Status_ER_MN"},
    {213, "Status_ER_CM"},       {214, "Status_ER_SE"},       {215, "Status_ER_LT"},
    {216, "Status_ER_CS"},       {217, "Status_ER_CF"},       {218, "Status_ER_CR"},
    {219, "Status_ER_CG"},       {220, "Status_ER_SC"},       {221, "Status_ER_IC"},
    {222, "Status_ER_MC"},       {223, "Status_ER_SM"},       {300, "Status_PS_UN"},
    {301, "Status_PS_SF"},       {302, "Status_PS_NC"},       {303, "Status_PS_NW"},
    {400, "Status_SP"},          {401, "Status_PR_NSU"},      {402, "Status_PR_NCR"},
    {403, "Status_PR_WNC"},      {500, "Status_IL_PAPT_IR"},  {501, "Status_IL_PAPT_ER"},
    {502, "Status_IL_PAPF_WNC"}, {503, "Status_IL_PAPF_WSC"}, {504, "Status_IL_PAPF_MNF"},
    {505, "Status_IL_PAPF_Ix1"}, {506, "Status_IL_PAPF_NSU"}, {600, "Status_IL_PAPF"},
    {601, "Status_PR"},          {602, "Status_WT"},          {603, "Status_CL"},
    {604, "Status_FC"},
};

TEST(StatusNames, EveryGroupHasItsName) {
    for (const auto& g : kGroups) {
        EXPECT_STREQ(ConvertStatusGroup2STR(static_cast<StatusGroup>(g.value)), g.name)
            << "group " << g.value;
    }
}

TEST(StatusNames, EveryDetailHasItsName) {
    std::set<std::string> seen;
    for (const auto& d : kDetails) {
        const char* name = ConvertStatusDetail2STR(static_cast<StatusDetail>(d.value));
        EXPECT_STREQ(name, d.name) << "detail " << d.value;
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), std::size(kDetails)) << "two details share a name";
}

TEST(StatusNames, NameIsStaticText) {
    // The report keeps the pointer; it must not change between calls.
    EXPECT_EQ(ConvertStatusDetail2STR(Status_FC), ConvertStatusDetail2STR(Status_FC));
    EXPECT_EQ(ConvertStatusGroup2STR(Others), ConvertStatusGroup2STR(Others));
}

using StatusNamesDeathTest = ::testing::Test;

// The build runs with NDEBUG; the check must stop the program all the same.
TEST_F(StatusNamesDeathTest, GroupOutsideTableAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int value : {-1, 7, 100}) {
        EXPECT_DEATH(
            ConvertStatusGroup2STR(static_cast<StatusGroup>(value)),
            "KorelStatusEnum\\.cpp:[0-9]+: .*ConvertStatusGroup2STR.*: Assertion `0' failed")
            << value;
    }
}

TEST_F(StatusNamesDeathTest, DetailOutsideTableAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int value : {-1, 4, 99, 199, 224, 304, 404, 507, 599, 605}) {
        EXPECT_DEATH(
            ConvertStatusDetail2STR(static_cast<StatusDetail>(value)),
            "KorelStatusEnum\\.cpp:[0-9]+: .*ConvertStatusDetail2STR.*: Assertion `0' failed")
            << value;
    }
}

} // namespace
