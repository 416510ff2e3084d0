#include "cli/ConsoleOutput.h"

#include "CaseName.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// UTF-8 written in pieces, and the UTF-16 text the console is given for it.
struct Pieces
{
    const char *name;
    std::vector<std::string> pieces;
    std::u16string shown;
};

class ConsoleText : public testing::TestWithParam<Pieces>
{
};

TEST_P(ConsoleText, ShowsTheLettersOfTheUtf8Written)
{
    ConsoleOutput::Utf16Text text;
    std::u16string shown;
    for (const std::string &piece : GetParam().pieces)
        shown += text.feed(piece);
    shown += text.finish();
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    ConsoleOutput, ConsoleText,
    testing::Values(
        Pieces{"names with accents",
               {"M\xC3\xBCller \xC3\x91"
                "and\xC3\xBA"},
               u"Müller Ñandú"},
        Pieces{
            "the euro sign cut between two pieces", {"Cr\xC3\xA8me \xE2\x82", "\xAC"}, u"Crème €"},
        Pieces{"a character past the first plane", {"\xF0\x9F\x91", "\x9F"}, u"\U0001F45F"},
        Pieces{"a byte-order mark at the start is left out",
               {"\xEF\xBB\xBF"
                "ID,Name\n",
                "\xEF\xBB\xBF"},
               u"ID,Name\n\uFEFF"},
        Pieces{"a byte that is no UTF-8",
               {"a\xFF"
                "b\xC0\xAF"},
               u"a\uFFFDb\uFFFD\uFFFD"},
        Pieces{"an encoded surrogate", {"\xED\xA0\x80"}, u"\uFFFD\uFFFD\uFFFD"},
        Pieces{"a character cut short at the end", {"ok\xE2\x82"}, u"ok\uFFFD"}),
    CaseName::by([](const Pieces &c) { return c.name; }));

} // namespace
