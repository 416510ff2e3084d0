#include "cli/CliArguments.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

using Problem = CliArguments::Problem;

enum class Kind {
    Options, // like diff and bootpack: flags, options with values, a pair, two positionals
    Flags,   // like dump: flags only, one positional
    Leading, // like replace-texture: three leading positionals, then a flag
};

CliArguments make(Kind kind)
{
    CliArguments r;
    switch (kind) {
    case Kind::Options:
        r.flag("--dry-run").option("--title").option("--format", {"text", "json", "csv"});
        r.pair("--archive").atMost(2);
        break;
    case Kind::Flags:
        r.flag("--json").flag("--csv").atMost(1);
        break;
    case Kind::Leading:
        r.leading(3).atMost(3).flag("--resize");
        break;
    }
    return r;
}

// What a command would take from the reader, in one line.
std::string taken(const CliArguments &r)
{
    std::string out;
    for (const std::string &p : r.positional())
        out += "[" + p + "]";
    for (const char *flag : {"--dry-run", "--resize"}) {
        if (r.count(flag) > 0)
            out += std::string(" ") + flag + "*" + std::to_string(r.count(flag));
    }
    for (const char *option : {"--title", "--format"}) {
        if (r.count(option) > 0)
            out += std::string(" ") + option + "=" + r.value(option);
    }
    for (const auto &[a, b] : r.pairs("--archive"))
        out += " --archive=" + a + "," + b;
    const std::string last = r.lastOf({"--json", "--csv"});
    if (!last.empty())
        out += " last " + last;
    return out;
}

struct Case
{
    const char *name;
    Kind kind;
    std::vector<std::string> args;
    Problem problem;
    std::string expected; // what was taken, or the refusal
};

const Case kCases[] = {
    {"flag among positionals", Kind::Options, {"a", "--dry-run", "b"}, Problem::None,
     "[a][b] --dry-run*1"},
    {"flag twice", Kind::Options, {"--dry-run", "--dry-run"}, Problem::None, " --dry-run*2"},
    {"option with value", Kind::Options, {"--format", "json", "a"}, Problem::None,
     "[a] --format=json"},
    {"last value wins", Kind::Options, {"--format", "json", "--format", "csv"}, Problem::None,
     " --format=csv"},
    {"value taken as it stands", Kind::Options, {"--title", "-x"}, Problem::None, " --title=-x"},
    {"missing value", Kind::Options, {"a", "--title"}, Problem::UnknownOption,
     "unknown or incomplete option --title"},
    {"pairs in order", Kind::Options, {"--archive", "x", "y", "a", "--archive", "z", "-w"},
     Problem::None, "[a] --archive=x,y --archive=z,-w"},
    {"pair missing its second", Kind::Options, {"a", "b", "--archive", "x"},
     Problem::UnknownOption, "unknown or incomplete option --archive"},
    {"value outside choices", Kind::Options, {"--format", "xml"}, Problem::BadChoice,
     "--format takes text, json or csv"},
    {"unknown option", Kind::Options, {"a", "--bogus", "b"}, Problem::UnknownOption,
     "unknown or incomplete option --bogus"},
    {"lone dash", Kind::Options, {"-"}, Problem::UnknownOption, "unknown or incomplete option -"},
    {"double dash", Kind::Options, {"--", "a"}, Problem::UnknownOption,
     "unknown or incomplete option --"},
    {"empty argument is positional", Kind::Options, {""}, Problem::None, "[]"},
    {"too many refused where it stands", Kind::Options, {"a", "b", "c", "--bogus"},
     Problem::TooMany, "too many arguments: c"},
    {"empty argument gives way when full", Kind::Flags, {"", "a"}, Problem::None, "[a]"},
    {"empty argument refused after a full place", Kind::Flags, {"a", ""}, Problem::TooMany,
     "too many arguments: "},
    {"leading empty argument keeps its place", Kind::Leading, {"f", "n", "", "i"},
     Problem::TooMany, "too many arguments: i"},
    {"first problem wins", Kind::Options, {"--format", "xml", "--bogus"}, Problem::BadChoice,
     "--format takes text, json or csv"},
    {"unknown before too many", Kind::Flags, {"a", "-x", "b"}, Problem::UnknownOption,
     "unknown option -x"},
    {"last of two flags", Kind::Flags, {"--csv", "a", "--json"}, Problem::None,
     "[a] last --json"},
    {"leading taken whatever they look like", Kind::Leading, {"-f", "--resize", "-i"},
     Problem::None, "[-f][--resize][-i]"},
    {"flag after leading", Kind::Leading, {"f", "n", "i", "--resize"}, Problem::None,
     "[f][n][i] --resize*1"},
    {"too few leading", Kind::Leading, {"f", "n"}, Problem::None, "[f][n]"},
    {"positional after leading", Kind::Leading, {"f", "n", "i", "j"}, Problem::TooMany,
     "too many arguments: j"},
};

class CliArgumentsCase : public testing::TestWithParam<Case>
{
};

TEST_P(CliArgumentsCase, ReadsOrRefuses)
{
    const Case &c = GetParam();
    CliArguments r = make(c.kind);
    EXPECT_EQ(r.read(c.args), c.problem == Problem::None);
    EXPECT_EQ(r.problem(), c.problem);
    EXPECT_EQ(c.problem == Problem::None ? taken(r) : r.errorString(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CliArgumentsCase, testing::ValuesIn(kCases),
                         CaseName::by([](const Case &c) { return c.name; }));

TEST(CliArguments, ASecondReadForgetsTheFirst)
{
    CliArguments r = make(Kind::Options);
    ASSERT_FALSE(r.read({"--bogus"}));
    ASSERT_TRUE(r.read({"a", "--format", "csv"}));
    EXPECT_EQ(r.errorString(), "");
    EXPECT_EQ(taken(r), "[a] --format=csv");
}

} // namespace
