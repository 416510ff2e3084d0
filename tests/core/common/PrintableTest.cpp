#include "common/Printable.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

struct NameCase
{
    const char *name;
    std::string given;
    std::string shown;
};

class ShownNames : public testing::TestWithParam<NameCase>
{
};

TEST_P(ShownNames, KeepTextAndEscapeTheRest)
{
    EXPECT_EQ(Printable::name(GetParam().given), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Printable, ShownNames,
    testing::Values(NameCase{"plain name", "001_ab12 (copy).png", "001_ab12 (copy).png"},
                    NameCase{"letters of other scripts",
                             "001_\xC5\x81\xC3\xB3"
                             "d\xC5\xBA \xE6\x97\xA5.png",
                             "001_\xC5\x81\xC3\xB3"
                             "d\xC5\xBA \xE6\x97\xA5.png"},
                    NameCase{"newline forging a line", "a.png\nreplaced entry 3 from b.png",
                             "a.png\\nreplaced entry 3 from b.png"},
                    NameCase{"carriage return and tab", "a\r\tb", "a\\r\\tb"},
                    NameCase{"terminal escape", "\x1b]0;owned\x07.png", "\\x1b]0;owned\\x07.png"},
                    NameCase{"delete", "a\x7f", "a\\x7f"},
                    NameCase{"C1 control sequence introducer",
                             "a\xC2\x9B"
                             "2J",
                             "a\\u{009b}2J"},
                    NameCase{"direction override", "gnp.\xE2\x80\xAEtxt", "gnp.\\u{202e}txt"},
                    NameCase{"byte that is no UTF-8", "a\xFF\xC3", "a\\xff\\xc3"},
                    NameCase{"overlong slash", "a\xC0\xAF", "a\\xc0\\xaf"}),
    CaseName::by([](const NameCase &c) { return c.name; }));

} // namespace
