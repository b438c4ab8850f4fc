// SPDX-License-Identifier: Apache-2.0
// The function request composed from -f entries, with the two actions registered as tarn does.
#include "FunctionRegistry.h"
#include "Actions.h"

#include <gtest/gtest.h>

namespace {

// tarn registers the actions in its entry unit; the tests register the same classes in the same
// order.
struct Registration {
    Registration() {
        registerAction(new ActionPrintNozzleCheck, "ActionPrintNozzleCheck");
        registerAction(new ActionStartCleaningHead, "ActionStartCleaningHead");
    }
} s_registration;

struct FunctionCase {
    const char* name;
    std::deque<std::string> functions;
    std::string request;
    int nozzleCheckLines; // "ActionPrintNozzleCheck" lines on standard output
};

void PrintTo(const FunctionCase& c, std::ostream* os) {
    *os << c.name;
}

class FunctionRequestTest : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionRequestTest, ConcatenatesTheCommands) {
    const FunctionCase& c = GetParam();
    ::testing::internal::CaptureStdout();
    const std::string request = composeFunctionRequest(c.functions);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(request, c.request);
    std::string lines;
    for (int i = 0; i < c.nozzleCheckLines; ++i) {
        lines += "ActionPrintNozzleCheck\n";
    }
    EXPECT_EQ(out, lines);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, FunctionRequestTest,
    ::testing::Values(
        FunctionCase{
            "TwoInOneRequest", {"printNozzleCheck", "startCleaningHead=H"}, "~W(PNC~J(MCL,H", 1},
        FunctionCase{"CleaningWithoutArgument", {"startCleaningHead"}, "~J(MCL,A", 0},
        FunctionCase{"CleaningEmptyArgument", {"startCleaningHead="}, "~J(MCL,A", 0},
        FunctionCase{"CleaningA", {"startCleaningHead=A"}, "~J(MCL,A", 0},
        FunctionCase{"CleaningLowerCaseArgument", {"startCleaningHead=h"}, "", 0},
        FunctionCase{"CleaningArgumentWithMore", {"startCleaningHead=HH"}, "", 0},
        FunctionCase{"CleaningArgumentAfterSecondEquals", {"startCleaningHead==H"}, "", 0},
        FunctionCase{"NozzleCheckIgnoresItsArgument", {"printNozzleCheck=anything"}, "~W(PNC", 1},
        FunctionCase{
            "NozzleCheckTwice", {"printNozzleCheck", "printNozzleCheck"}, "~W(PNC~W(PNC", 2},
        FunctionCase{"KeysAreCaseSensitive", {"PrintNozzleCheck", "startcleaninghead"}, "", 0},
        FunctionCase{"UnknownKeyIgnored", {"x", "startCleaningHead=H"}, "~J(MCL,H", 0},
        FunctionCase{"NoFunctions", {}, "", 0}),
    [](const ::testing::TestParamInfo<FunctionCase>& info) { return info.param.name; });

TEST(FunctionRegistry, KeepsRegistrationOrder) {
    const std::vector<ActionEntry*>& actions = *getActionList();
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0]->getKey(), "printNozzleCheck");
    EXPECT_EQ(actions[1]->getKey(), "startCleaningHead");
    EXPECT_EQ(getActionList(), getActionList());
}

} // namespace
