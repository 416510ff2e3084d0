#include "TestData.h"
#include "boots/Baza.h"
#include "exchange/TableImport.h"

#include <gtest/gtest.h>

using BootsTable::Format;

namespace {

Baza database(const std::vector<BootRecord> &records)
{
    Baza db;
    EXPECT_TRUE(db.load(TestData::bootsFile(records)));
    return db;
}

struct Malformed
{
    const char *name;
    Format format;
    std::string table;
    std::string problem; ///< the first problem's text
};

void PrintTo(const Malformed &m, std::ostream *os)
{
    *os << m.name;
}

const std::string kHeader = "Nazwa,ID,Sila\r\n";

std::string repeated(const std::string &text, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

class MalformedTable : public testing::TestWithParam<Malformed>
{
};

TEST_P(MalformedTable, IsRefusedWithWhereAndWhy)
{
    const Baza db = database(TestData::boots(2));
    TableImport import;
    EXPECT_FALSE(import.read(GetParam().table, GetParam().format, db));
    ASSERT_FALSE(import.problems().empty());
    EXPECT_EQ(import.problems()[0].text(), GetParam().problem);
    EXPECT_TRUE(import.changes().empty());
    Baza target = database(TestData::boots(2));
    EXPECT_FALSE(import.apply(target));
}

INSTANTIATE_TEST_SUITE_P(
    TableImport, MalformedTable,
    testing::Values(
        Malformed{"CsvRowMissing", Format::Csv, kHeader + "A,0,1\r\n",
                  "the table has 1 row where the database holds 2 boots"},
        Malformed{"CsvBadNumber", Format::Csv, kHeader + "A,0,1\r\nB,1,x\r\n",
                  "line 3, Sila: \"x\" is not a whole number"},
        Malformed{"CsvFraction", Format::Csv, kHeader + "A,0,1.5\nB,1,1\n",
                  "line 2, Sila: \"1.5\" is not a whole number"},
        Malformed{"CsvStatOutOfRange", Format::Csv, kHeader + "A,0,256\r\nB,1,1\r\n",
                  "line 2, Sila: \"256\" lies outside 0..255"},
        Malformed{"CsvIdOutOfRange", Format::Csv, kHeader + "A,0,1\r\nB,99999999999999999999,1\r\n",
                  "line 3, ID: \"99999999999999999999\" lies outside -32768..32767"},
        Malformed{"CsvOverLongName", Format::Csv,
                  kHeader + "\"" + std::string(61, 'n') + "\",0,1\r\nB,1,1\r\n",
                  "line 2, Nazwa: 61 characters is longer than the field keeps (60)"},
        Malformed{"CsvNotWindows1252", Format::Csv, kHeader + "A,0,1\r\n\xE6\x97\xA5,1,1\r\n",
                  "line 3, Nazwa: holds a character that Windows-1252 cannot hold"},
        Malformed{"CsvUnclosedQuote", Format::Csv, kHeader + "A,0,1\r\n\"B,1,1\r\n",
                  "line 3: a quoted field is not closed"},
        Malformed{"CsvStrayQuote", Format::Csv, kHeader + "A,0,1\r\nB\"x,1,1\r\n",
                  "line 3: a quote inside a field that does not start with one, or text after a "
                  "closing quote"},
        Malformed{"CsvUnknownColumn", Format::Csv, "Name,Sila\r\nA,1\r\nB,1\r\n",
                  "line 1, Name: is not a column of the boots table"},
        Malformed{"CsvShortRow", Format::Csv, kHeader + "A,0,1\r\nB,1\r\n",
                  "line 3: 2 fields where the header has 3"},
        Malformed{"CsvLineBreakInName", Format::Csv, kHeader + "\"A\nstill A\",0,1\r\nB,1,1\r\n",
                  "line 2, Nazwa: holds the control character \\n"},
        Malformed{"JsonTruncated", Format::Json, "[{\"Sila\": 1}, {\"Sila\": ",
                  "parse error at line 1, column 24: syntax error while parsing value - "
                  "unexpected end of input; expected '[', '{', or a literal"},
        Malformed{"JsonUnknownKey", Format::Json, "[{\"Sila\": 1}, {\"Name\": \"B\"}]",
                  "index 1, \"Name\": is not a key of the boots table"},
        Malformed{"JsonFraction", Format::Json, "[{\"Sila\": 2.5}, {}]",
                  "index 0, Sila: 2.5 is not a whole number"},
        Malformed{"JsonCodeOutOfRange", Format::Json, "[{}, {\"nowe\": -40000}]",
                  "index 1, nowe: -40000 lies outside -32768..32767"},
        Malformed{"JsonNumberAsName", Format::Json, "[{\"Nazwa\": 7}, {}]",
                  "index 0, Nazwa: 7 is not a text"},
        Malformed{"JsonZeroInName", Format::Json, "[{\"Kolor\": \"a\\u0000b\"}, {}]",
                  "index 0, Kolor: holds a zero character"},
        Malformed{"JsonNotAnArray", Format::Json, "{\"Sila\": 1}",
                  "the table is not an array of objects"},
        Malformed{"JsonKeyTwice", Format::Json, "[{\"Sila\": 1, \"Sila\": 2}, {}]",
                  "index 0: the key \"Sila\" is given twice"},
        Malformed{"JsonIdChanged", Format::Json, "[{\"ID\": 5}, {}]",
                  "index 0, ID: cannot be changed: it stays as the file holds it"},
        Malformed{"CsvKolejChanged", Format::Csv, "Kolej\n1000\n1002\n",
                  "line 3, Kolej: cannot be changed: it stays as the file holds it"},
        Malformed{"JsonTabInColour", Format::Json, "[{}, {\"Kolor\": \"a\\tb\"}]",
                  "index 1, Kolor: holds the control character \\t"},
        Malformed{"JsonC1InMaterial", Format::Json, "[{\"NazwaMaterialu\": \"\\u0081\"}, {}]",
                  "index 0, NazwaMaterialu: holds the control character \\u{0081}"},
        Malformed{"JsonManyEmptyObjectsInACell", Format::Json,
                  "[{\"Nazwa\": [{}" + repeated(",{}", 320000) + "]}, {}]",
                  "index 0, Nazwa: [...] is not a text"},
        Malformed{"JsonListForARow", Format::Json, "[[{}, {}], {}]",
                  "index 0: [...] is not an object"},
        Malformed{"CsvMoreRowsThanBoots", Format::Csv, kHeader + "A,0,1\nB,1,1\nC,2,1\n",
                  "the table has more than 2 rows where the database holds 2 boots"},
        Malformed{"CsvMoreFieldsThanColumns", Format::Csv,
                  kHeader + "A,0,1\n" + std::string(100000, ','),
                  "line 3: more than " + std::to_string(BootsTable::columns().size()) +
                      " fields where the boots table has " +
                      std::to_string(BootsTable::columns().size()) + " columns"},
        Malformed{"CsvControlCharactersEscaped", Format::Csv, "Sila,\x1B[2J\x07\nA,1\nB,1\n",
                  "line 1, \\x1B[2J\\x07: is not a column of the boots table"},
        Malformed{"JsonNested60000Deep", Format::Json,
                  std::string(60000, '[') + std::string(60000, ']'),
                  "the table is nested more than 64 levels deep"},
        Malformed{"JsonMoreRowsThanBoots", Format::Json, "[{}, {}, 3]",
                  "the table has more than 2 rows where the database holds 2 boots"}),
    [](const testing::TestParamInfo<Malformed> &p) { return p.param.name; });

class TableRoundTrip : public testing::TestWithParam<Format>
{
};

TEST_P(TableRoundTrip, UnchangedTableChangesNothing)
{
    auto records = TestData::boots(3);
    records[0].Nazwa = std::string(63, 'x'); // longer than a change may make it, as loaded
    records[1].Kolor = "R\xE9sum\xE9, \"\x80\x81\"\r\nline";
    records[2].nowe = -5;
    const Baza db = database(records);
    TableImport import;
    ASSERT_TRUE(import.read(BootsTable::write(db.records(), GetParam()), GetParam(), db))
        << import.problemText();
    EXPECT_TRUE(import.changes().empty());
    EXPECT_EQ(import.summary(), "0 boots changed, 0 fields");
}

INSTANTIATE_TEST_SUITE_P(TableImport, TableRoundTrip, testing::Values(Format::Csv, Format::Json),
                         [](const testing::TestParamInfo<Format> &p) {
                             return p.param == Format::Csv ? "Csv" : "Json";
                         });

TEST(TableImport, EditedCsvWithLfAndNoMarkChangesOnlyItsFields)
{
    Baza db = database(TestData::boots(3));
    const std::string table = "Sila,Nazwa,nowe\n"
                              "1,Boot 0,257\n"
                              "200,\"Pr\xC3\xA9 \"\"X\"\", 2\",-1\n"
                              "3,Boot 2,259\n";
    TableImport import;
    ASSERT_TRUE(import.read(table, Format::Csv, db)) << import.problemText();
    EXPECT_EQ(import.summary(), "1 boot changed, 3 fields");
    ASSERT_EQ(import.changes().size(), 3u);
    EXPECT_EQ(import.changes()[0].text(), "1 Nazwa: \"Boot 1\" -> \"Pr\xC3\xA9 \\\"X\\\", 2\"");
    EXPECT_EQ(import.changes()[2].text(), "1 Sila: 2 -> 200");
    ASSERT_TRUE(import.apply(db));
    auto expected = TestData::boots(3);
    expected[1].Nazwa = "Pr\xE9 \"X\", 2";
    expected[1].nowe = -1;
    expected[1].Sila = 200;
    EXPECT_EQ(db.records(), expected);
}

} // namespace
