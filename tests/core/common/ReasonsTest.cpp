#include "common/Reasons.h"
#include "CaseName.h"
#include "common/Reason.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Reasons::Id;

TEST(Reasons, EveryReasonHasItsOwnKeyAndIsWordedWholeFromItsArguments)
{
    std::set<std::string> names;
    for (const Reasons::Entry &e : Reasons::entries()) {
        EXPECT_TRUE(names.insert(e.name).second) << e.name << " twice";
        const std::vector<Reason> arguments(9, Reason("A"));
        const std::string text = Reason(e.id, arguments).text();
        EXPECT_EQ(text.find('%'), std::string::npos) << e.name << ": " << text;
        EXPECT_FALSE(text.empty()) << e.name;
    }
}

struct TextCase
{
    const char *name;
    Reason reason;
    std::string english;
};

class ReasonText : public testing::TestWithParam<TextCase>
{
};

TEST_P(ReasonText, IsTheEnglishOfTheReasonAndItsArguments)
{
    EXPECT_EQ(GetParam().reason.text(), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, ReasonText,
    testing::Values(
        TextCase{"a number in its place", Reason(Id::MoreRecordsThanFile, {"9"}),
                 "the header promises 9 records, more than the file holds"},
        TextCase{"reasons inside a frame",
                 Reason(Id::TableLineColumn,
                        {"3", "Sila",
                         Reason(Id::LongerThanField, {Reason(Id::CountCharacters, {"61"}), "60"})}),
                 "line 3, Sila: 61 characters is longer than the field keeps (60)"},
        TextCase{"a system's message inside a reason",
                 Reason(Id::CannotWriteWorkingCopy, {"No space left on device"}),
                 "cannot write the working copy: No space left on device"},
        TextCase{"a plain text as it is", Reason("No space left on device"),
                 "No space left on device"},
        TextCase{"an argument is not searched for markers",
                 Reason(Id::NamedLine, {"50%1.png", Reason(Id::SameEntry, {"050_a.png", "50"})}),
                 "50%1.png: 050_a.png is for the same entry 50"},
        TextCase{"no reason", Reason(), ""}),
    CaseName::by([](const auto &c) { return std::string(c.name); }));

TEST(ReasonOut, GivesTheCallerTheReasonOrItsEnglishOrNothing)
{
    const Reason why(Id::NoSuchEntry, {"7", "3"});
    std::string english;
    Reason reason;
    EXPECT_FALSE(ReasonOut(&english).fail(why));
    EXPECT_FALSE(ReasonOut(&reason).fail(why));
    EXPECT_FALSE(ReasonOut(nullptr).fail(why));
    EXPECT_EQ(english, "the archive has no entry 7 (it has 3)");
    EXPECT_EQ(reason, why);
    EXPECT_EQ(reason.id(), Id::NoSuchEntry);
    EXPECT_FALSE(static_cast<bool>(ReasonOut()));
}

} // namespace
