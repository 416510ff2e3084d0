#include "common/VbNumber.h"
#include "CaseName.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct ValCase
{
    const char *text;
    double expected;
};

class VbVal : public testing::TestWithParam<ValCase>
{
};

TEST_P(VbVal, ReadsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(VbNumber::val(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, VbVal,
                         testing::Values(ValCase{"3", 3}, ValCase{"2.5", 2.5}, ValCase{"4x", 4},
                                         ValCase{"", 0}, ValCase{"abc", 0}, ValCase{"  12", 12},
                                         ValCase{"1 2 3", 123}, ValCase{"\t\n7", 7},
                                         ValCase{"-3", -3}, ValCase{".5", 0.5}, ValCase{"1E2", 100},
                                         ValCase{"1e", 1}, ValCase{"2D1", 20}, ValCase{"&H10", 16},
                                         ValCase{"&hff", 255}, ValCase{"&O17", 15},
                                         ValCase{"&HFFFF", -1}, ValCase{"&Hz", 0},
                                         ValCase{"3.5.1", 3.5}, ValCase{"+4", 4}),
                         CaseName::by([](const auto &c) { return std::string(c.text); }, "of"));

struct ParseCase
{
    const char *text;
    bool isNumber;
    double value;
};

class VbParse : public testing::TestWithParam<ParseCase>
{
};

TEST_P(VbParse, AcceptsOnlyWholeNumbers)
{
    const auto result = VbNumber::parse(GetParam().text);
    ASSERT_EQ(result.has_value(), GetParam().isNumber) << GetParam().text;
    if (result) {
        EXPECT_DOUBLE_EQ(*result, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, VbParse,
                         testing::Values(ParseCase{"5", true, 5}, ParseCase{" 3 ", true, 3},
                                         ParseCase{"3.5", true, 3.5}, ParseCase{"-1", true, -1},
                                         ParseCase{"1e1", true, 10}, ParseCase{"&H101", true, 257},
                                         ParseCase{"", false, 0}, ParseCase{"abc", false, 0},
                                         ParseCase{"4x", false, 0}, ParseCase{".", false, 0},
                                         ParseCase{"1 2", false, 0}, ParseCase{"1e999", false, 0}),
                         CaseName::by([](const auto &c) { return std::string(c.text); }, "of"));

TEST(VbRound, TiesGoToEven)
{
    EXPECT_EQ(VbNumber::roundHalfEven(2.5), 2);
    EXPECT_EQ(VbNumber::roundHalfEven(3.5), 4);
    EXPECT_EQ(VbNumber::roundHalfEven(-0.5), 0);
    EXPECT_EQ(VbNumber::roundHalfEven(4.6), 5);
}

} // namespace
