#include "exchange/TablePaste.h"
#include "CaseName.h"
#include "TestData.h"

#include <gtest/gtest.h>

using TablePaste::Column;
using Lines = std::vector<std::vector<std::string>>;

namespace {

// The boots table's columns, as the window shows them.
enum At {
    Position,
    Name,
    Manufacturer,
    Material,
    Colour,
    ShotPower,
    TopSpeed = 8,
    Swerve,
    kColumnCount
};
const Column kColumns[kColumnCount] = {nullptr,
                                       &BootFields::field(BootField::Id::Name),
                                       &BootFields::field(BootField::Id::Code),
                                       &BootFields::field(BootField::Id::Material),
                                       &BootFields::field(BootField::Id::Colour),
                                       &BootFields::field(BootField::Id::ShotPower),
                                       &BootFields::field(BootField::Id::ShotAccuracy),
                                       &BootFields::field(BootField::Id::Acceleration),
                                       &BootFields::field(BootField::Id::TopSpeed),
                                       &BootFields::field(BootField::Id::Swerve)};

struct SplitCase
{
    const char *name;
    std::string text;
    Lines lines;
};

class SpreadsheetText : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SpreadsheetText, SplitsIntoTheCellsASpreadsheetMeant)
{
    EXPECT_EQ(TablePaste::split(GetParam().text, 10), GetParam().lines);
}

TEST_P(SpreadsheetText, JoinedCellsSplitBackUnchanged)
{
    EXPECT_EQ(TablePaste::split(TablePaste::join(GetParam().lines), 10), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    TablePaste, SpreadsheetText,
    testing::Values(SplitCase{"LinesOfTabs", "a\tb\nc\t\n", {{"a", "b"}, {"c", ""}}},
                    SplitCase{"WindowsLineEnds", "a\r\nb", {{"a"}, {"b"}}},
                    SplitCase{
                        "QuotedTabAndLineBreak", "\"x\ty\"\t\"l1\nl2\"", {{"x\ty", "l1\nl2"}}},
                    SplitCase{"DoubledQuoteInAQuotedCell", "\"\"\"q\"\"\"", {{"\"q\""}}},
                    SplitCase{"QuoteInsideAPlainCell", "say \"hi\"\t1", {{"say \"hi\"", "1"}}},
                    SplitCase{"UnclosedQuoteIsText", "\"open\tx", {{"\"open", "x"}}}),
    CaseName::by([](const SplitCase &c) { return std::string(c.name); }));

class Paste : public testing::Test
{
protected:
    void SetUp() override
    {
        records = TestData::boots(6);
        records[2].nowe = 513; // an Adidas code of high byte 2
    }
    /// Pastes at row `row`, column `column` of a table shown in file order.
    TablePaste::Result paste(const std::string &text, std::size_t row, int column)
    {
        TablePaste::Target target;
        for (std::size_t r = row; r < records.size(); ++r)
            target.rows.push_back(r);
        for (int c = column; c < kColumnCount; ++c) {
            target.columns.push_back(kColumns[c]);
            target.headers.push_back(kHeaders[c]);
        }
        return TablePaste::paste(text, records, target);
    }

    static constexpr const char *kHeaders[] = {
        "#",          "Boots Name", "Producent",    "Material",  "Color",
        "Shot Power", "Shot Acc",   "Acceleration", "Top Speed", "Swerve"};
    std::vector<BootRecord> records;
};

struct Refused
{
    const char *name;
    std::string text;
    std::size_t row;
    int column;
    std::string problem; ///< the first problem
};

class RefusedPaste : public Paste, public testing::WithParamInterface<Refused>
{
};

TEST_P(RefusedPaste, NamesWhereAndWhyAndChangesNothing)
{
    const TablePaste::Result result = paste(GetParam().text, GetParam().row, GetParam().column);
    ASSERT_FALSE(result.problems.empty());
    EXPECT_EQ(result.problems[0].text(), GetParam().problem);
    EXPECT_TRUE(result.records.empty());
}

INSTANTIATE_TEST_SUITE_P(
    TablePaste, RefusedPaste,
    testing::Values(
        Refused{"NoNumber", "x9", 0, ShotPower, "line 1, Shot Power: \"x9\" is not a whole number"},
        Refused{"LineBreakInAQuotedName", "\"two\nlines\"", 0, Name,
                "line 1, Boots Name: holds the control character \\n"},
        Refused{"StatisticAboveAByte", "3\t256", 0, ShotPower,
                "line 1, Shot Acc: \"256\" lies outside 0..255"},
        Refused{"NameLongerThanTheField", std::string(61, 'n'), 0, Name,
                "line 1, Boots Name: 61 characters is longer than the field keeps (60)"},
        Refused{"NoManufacturer", "Adibas", 0, Manufacturer,
                "line 1, Producent: \"Adibas\" is neither a manufacturer's name nor a code"},
        Refused{"AnotherRowsNumber", "4\tX", 3, Position,
                "line 1, #: \"4\" is not the row's own number (3)"},
        Refused{"PastTheLastRow", "1\n2\n3", 4, Swerve,
                "the block has more lines than the 2 rows from the current one down"},
        Refused{"TenThousandLines", std::string(10000, '\n'), 0, Name,
                "the block has more lines than the 6 rows from the current one down"},
        Refused{"PastTheLastColumn", "Swerve\n1\t2", 0, Swerve,
                "line 2: 2 cells where 1 column follows the current one"},
        Refused{"OneMegabyteCell", std::string(1 << 20, 'x'), 0, Name,
                "the pasted text is longer than 524288 bytes, more than a whole table"},
        Refused{"HugeCell", std::string(600, '7'), 0, ShotPower,
                "line 1, Shot Power: 600 bytes is longer than any field keeps"},
        Refused{"BinaryJunk", std::string("\x01\x00\xFF", 3), 0, Colour,
                "line 1, Color: holds a character that Windows-1252 cannot hold"},
        Refused{"Nothing", "", 0, Name, "there are no cells to paste"}),
    CaseName::by([](const Refused &c) { return std::string(c.name); }));

TEST_F(Paste, HeaderLineIsSkippedAndTheBlockFillsDownAndAcross)
{
    const auto result = paste("Top Speed\tSwerve\n0\t255\r\n7\t8\r\n", 1, TopSpeed);
    ASSERT_TRUE(result.problems.empty()) << result.problems[0].text();
    auto expected = records;
    expected[1].Szybkosc = 0;
    expected[1].Podkrecanie = 255;
    expected[2].Szybkosc = 7;
    expected[2].Podkrecanie = 8;
    EXPECT_EQ(result.records, expected);
}

TEST_F(Paste, CopiedRowsPastedOntoThemselvesChangeNothing)
{
    Lines lines{{std::begin(kHeaders), std::end(kHeaders)}};
    for (std::size_t r = 2; r < 4; ++r) {
        lines.emplace_back();
        for (int c = 0; c < kColumnCount; ++c)
            lines.back().push_back(TablePaste::shown(records[r], r, kColumns[c]));
    }
    EXPECT_EQ(lines[1][2], "Adidas");
    const auto result = paste(TablePaste::join(lines), 2, Position);
    ASSERT_TRUE(result.problems.empty()) << result.problems[0].text();
    EXPECT_EQ(result.records, records) << "513 shown as Adidas keeps its code";
    EXPECT_EQ(paste("Nike\n-7", 2, Manufacturer).records[3].nowe, -7);
}

} // namespace
