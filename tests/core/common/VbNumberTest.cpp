#include "CaseName.h"
#include "common/VbNumber.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <optional>
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

// The texts the record fields, "Value" and "All" read, under a system locale whose decimal
// point is a comma: a dot stays the decimal point and a comma ends the number.
struct CommaLocaleCase
{
    const char *text;
    std::optional<double> parsed;
    double leading;
};

class VbUnderCommaLocale : public testing::TestWithParam<CommaLocaleCase>
{
protected:
    void SetUp() override
    {
        // scripts/deps generates this locale; without it the test would prove nothing.
        // Windows names its locales differently.
        ASSERT_TRUE(std::setlocale(LC_ALL, "pl_PL.UTF-8") ||
                    std::setlocale(LC_ALL, "Polish_Poland.1250"))
            << "the locale pl_PL.UTF-8 is missing: run scripts/deps";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_P(VbUnderCommaLocale, ReadsADotAsTheDecimalPoint)
{
    const auto &c = GetParam();
    EXPECT_EQ(VbNumber::parse(c.text), c.parsed) << c.text;
    EXPECT_DOUBLE_EQ(VbNumber::val(c.text), c.leading) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VbUnderCommaLocale,
    testing::Values(CommaLocaleCase{"3.5", 3.5, 3.5}, CommaLocaleCase{"2.7", 2.7, 2.7},
                    CommaLocaleCase{"257.5", 257.5, 257.5}, CommaLocaleCase{"5.7", 5.7, 5.7},
                    CommaLocaleCase{"-0.5e1", -5, -5}, CommaLocaleCase{"3,5", std::nullopt, 3},
                    CommaLocaleCase{"1e999", std::nullopt, HUGE_VAL},
                    CommaLocaleCase{"1e-999", 0, 0}),
    CaseName::by([](const auto &c) { return std::string(c.text); }, "of"));

} // namespace
