#include "CaseName.h"
#include "common/Reasons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Reasons::Id;

TEST(Reasons, EveryReasonIsFoundAgainInItsOwnText)
{
    for (const Reasons::Entry &e : Reasons::entries()) {
        const std::vector<std::string> arguments = {"A1", "B2", "C3"};
        const auto found = Reasons::identify(Reasons::text(e.id, arguments));
        ASSERT_TRUE(found.has_value()) << e.name;
        EXPECT_EQ(Reasons::entry(found->id).name, std::string(e.name));
    }
}

struct IdentifyCase
{
    const char *text;
    std::optional<Id> id;
    std::vector<std::string> arguments;
};

class ReasonsIdentify : public testing::TestWithParam<IdentifyCase>
{
};

TEST_P(ReasonsIdentify, FindsTheReasonAndItsArguments)
{
    const auto found = Reasons::identify(GetParam().text);
    ASSERT_EQ(found.has_value(), GetParam().id.has_value());
    if (found) {
        EXPECT_EQ(found->id, *GetParam().id);
        EXPECT_EQ(found->arguments, GetParam().arguments);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReasonsIdentify,
    testing::Values(
        IdentifyCase{"the header promises 9 records, more than the file holds",
                     Id::MoreRecordsThanFile,
                     {"9"}},
        IdentifyCase{"line 3, Sila: \"x\" is not a whole number",
                     Id::TableLineColumn,
                     {"3", "Sila", "\"x\" is not a whole number"}},
        IdentifyCase{"line 3: a quoted field is not closed",
                     Id::TableLine,
                     {"3", "a quoted field is not closed"}},
        IdentifyCase{"cannot write the working copy: No space left on device",
                     Id::CannotWriteWorkingCopy,
                     {"No space left on device"}},
        IdentifyCase{"No space left on device", std::nullopt, {}},
        IdentifyCase{"the header promises  records, more than the file holds", std::nullopt, {}}),
    CaseName::by([](const auto &c) { return std::string(c.text).substr(0, 30); }));

} // namespace
