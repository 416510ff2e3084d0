#include "CaseName.h"
#include "app/access/Mnemonics.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Case
{
    const char *name;
    QStringList captions;
    QStringList marked;
};

class MnemonicAssignment : public testing::TestWithParam<Case>
{
};

TEST_P(MnemonicAssignment, GivesEachCaptionAFreeLetter)
{
    const Case &c = GetParam();
    EXPECT_EQ(Mnemonics::assign(c.captions), c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, MnemonicAssignment,
    testing::Values(
        Case{"first letters of the words",
             {"File", "Edit", "About", "Help"},
             {"&File", "&Edit", "&About", "&Help"}},
        Case{"a taken first letter moves to the next word",
             {"Save", "Save As"},
             {"&Save", "Save &As"}},
        Case{"no free word start takes the next free letter",
             {"Open", "Options"},
             {"&Open", "O&ptions"}},
        Case{"an own ampersand is kept and its letter taken first",
             {"Open", "&Other"},
             {"O&pen", "&Other"}},
        Case{"upper and lower case are one letter", {"Alpha", "alpha"}, {"&Alpha", "a&lpha"}},
        Case{"accented letters are letters of their own",
             {"Öffnen", "Ordner"},
             {"&Öffnen", "&Ordner"}},
        Case{"digits after an underscore start a word",
             {"Load unnamed_5756.bin", "Load unnamed_2113.bin"},
             {"&Load unnamed_5756.bin", "Load &unnamed_2113.bin"}},
        Case{"a lone ampersand shows as itself", {"Tom & Jerry"}, {"&Tom && Jerry"}},
        Case{"an escaped ampersand is no mnemonic", {"R&&D"}, {"&R&&D"}},
        Case{"a caption without a free letter takes one that another can spare",
             {"Ax", "Ab", "ab"},
             {"A&x", "A&b", "&ab"}},
        Case{"no letter left leaves the caption without one", {"A", "a"}, {"&A", "a"}},
        Case{"an empty caption stays empty", {"", "Quit"}, {"", "&Quit"}}),
    CaseName::by([](const Case &c) { return std::string(c.name); }));

TEST(MnemonicText, PlainShowsTheCaptionAsDrawn)
{
    EXPECT_EQ(Mnemonics::plain("Save &As"), "Save As");
    EXPECT_EQ(Mnemonics::plain("&Tom && Jerry"), "Tom & Jerry");
    EXPECT_EQ(Mnemonics::letter("Save &As"), QChar('a'));
    EXPECT_TRUE(Mnemonics::letter("R&&D").isNull());
}

} // namespace
