#include "CaseName.h"
#include "language/Ini.h"

#include "TempDir.h"
#include "TestData.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

std::string repeat(const std::string &text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

struct ReadCase
{
    const char *what;
    std::string file;
    const char *section;
    const char *key;
    std::string expected;
    friend void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.what; }
};

class IniRead : public testing::TestWithParam<ReadCase>
{
};

TEST_P(IniRead, FollowsTheProfileRules)
{
    const ReadCase &c = GetParam();
    EXPECT_EQ(IniText::read(c.file, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniRead,
    testing::Values(
        ReadCase{"plain", "[Menu]\r\nFile=Plik\r\n", "Menu", "File", "Plik"},
        ReadCase{"lone LF", "[Menu]\nFile=Plik\nmnuOpen=Open\n", "Menu", "mnuOpen", "Open"},
        ReadCase{"lone CR", "[Menu]\rFile=Plik\rAbout=O\r", "Menu", "About", "O"},
        ReadCase{"case of names", "[menu]\r\ncmdopent2=X\r\n", "MENU", "cmdOpenT2", "X"},
        ReadCase{"caller's spaces", "[Menu]\r\nFile=Y\r\n", " Menu ", " File ", "Y"},
        ReadCase{"blanks around", "  [ Menu ]  \r\n\t File \t=\t Z z \v\r\n", "Menu", "File",
                 "Z z"},
        ReadCase{"text after ]", "[Menu] junk\r\nFile=A\r\n", "Menu", "File", "A"},
        ReadCase{"header without ]", "[Menu\r\nFile=A\r\n", "Menu", "File", "A"},
        ReadCase{"comment", "[Menu]\r\n;File=no\r\nFile=yes\r\n", "Menu", "File", "yes"},
        ReadCase{"# is no comment", "[Menu]\r\n#File=hash\r\n", "Menu", "#File", "hash"},
        ReadCase{"; inside value", "[Menu]\r\nFile=a;b\r\n", "Menu", "File", "a;b"},
        ReadCase{"split at first =", "[Menu]\r\nFile=a=b\r\n", "Menu", "File", "a=b"},
        ReadCase{"no = is no key", "[Menu]\r\nFile\r\nFile=ok\r\n", "Menu", "File", "ok"},
        ReadCase{"before any section", "File=top\r\n[Menu]\r\n", "Menu", "File", ""},
        ReadCase{"first section wins", "[Menu]\r\nA=1\r\n[Menu]\r\nB=2\r\n", "Menu", "B", ""},
        ReadCase{"first key wins", "[Menu]\r\nA=1\r\nA=2\r\n", "Menu", "A", "1"},
        ReadCase{"double quotes", "[M]\r\nA=\"quoted \"\r\n", "M", "A", "quoted "},
        ReadCase{"single quotes", "[M]\r\nA='x'\r\n", "M", "A", "x"},
        ReadCase{"mixed quotes stay", "[M]\r\nA=\"x'\r\n", "M", "A", "\"x'"},
        ReadCase{"lone quote stays", "[M]\r\nA=\"\r\n", "M", "A", "\""},
        ReadCase{"other section's key", "[A]\r\nK=1\r\n[B]\r\nK=2\r\n", "B", "K", "2"},
        ReadCase{"missing section", "[A]\r\nK=1\r\n", "C", "K", ""},
        ReadCase{"missing key", "[A]\r\nK=1\r\n", "A", "L", ""},
        ReadCase{"empty file", "", "A", "K", ""},
        ReadCase{"254 kept", "[A]\r\nK=" + std::string(254, 'v') + "\r\n", "A", "K",
                 std::string(254, 'v')},
        ReadCase{"300 cut", "[A]\r\nK=" + std::string(300, 'v') + "\r\n", "A", "K",
                 std::string(254, 'v')},
        ReadCase{"Windows-1252 names", "[Men\xDA]\r\n\xC9t\xE9=x\r\n", "men\xFA", "\xE9T\xC9", "x"},
        ReadCase{"UTF-8 mark before the first section", "\xEF\xBB\xBF[Menu]\r\nFile=Plik\r\n",
                 "Menu", "File", "Plik"},
        ReadCase{"UTF-8 limit counts characters",
                 "\xEF\xBB\xBF[A]\r\nK=" + repeat("\xC5\x81", 300) + "\r\n", "A", "K",
                 repeat("\xC5\x81", 254)}),
    CaseName::by([](const auto &c) { return std::string(c.what); }));

struct WriteCase
{
    const char *what;
    std::string before;
    const char *section;
    const char *key;
    const char *value;
    std::string after;
    friend void PrintTo(const WriteCase &c, std::ostream *os) { *os << c.what; }
};

class IniWrite : public testing::TestWithParam<WriteCase>
{
};

TEST_P(IniWrite, ChangesOnlyWhatItMust)
{
    const WriteCase &c = GetParam();
    const std::string after = IniText::write(c.before, c.section, c.key, c.value);
    EXPECT_EQ(after, c.after);
    // Reading trims what writing kept.
    std::string value = c.value;
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(' ') + 1);
    EXPECT_EQ(IniText::read(after, c.section, c.key), value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWrite,
    testing::Values(WriteCase{"new file", "", "Config", "Language", "English",
                              "[Config]\r\nLanguage=English\r\n"},
                    WriteCase{"new section after CRLF", "[A]\r\nK=1\r\n", "B", "L", "2",
                              "[A]\r\nK=1\r\n[B]\r\nL=2\r\n"},
                    WriteCase{"new section, no final break", "[A]\r\nK=1", "B", "L", "2",
                              "[A]\r\nK=1\r\n[B]\r\nL=2\r\n"},
                    WriteCase{"new section after LF", "[A]\nK=1\n", "B", "L", "2",
                              "[A]\nK=1\n\r\n[B]\r\nL=2\r\n"},
                    WriteCase{"replace in place", "; top\r\n[a]\r\nKEY = old ; x\r\nz=9\r\n", "A",
                              "key", "new", "; top\r\n[a]\r\nKEY=new\r\nz=9\r\n"},
                    WriteCase{"replace keeps LF", "[a]\nk=1\nz=2\n", "a", "k", "v",
                              "[a]\nk=v\nz=2\n"},
                    WriteCase{"new key after last key", "[A]\r\nK=1\r\n\r\n; c\r\n[B]\r\nX=1\r\n",
                              "A", "N", "n", "[A]\r\nK=1\r\nN=n\r\n\r\n; c\r\n[B]\r\nX=1\r\n"},
                    WriteCase{"new key in empty section", "[A]\r\n[B]\r\n", "A", "N", "n",
                              "[A]\r\nN=n\r\n[B]\r\n"},
                    WriteCase{"new key, last line unterminated", "[A]\r\nK=1", "A", "N", "n",
                              "[A]\r\nK=1\r\nN=n\r\n"},
                    WriteCase{"junk before the first section", "junk\r\n[A]\r\nK=1\r\n", "A", "K",
                              "2", "junk\r\n[A]\r\nK=2\r\n"},
                    WriteCase{"value exactly as given", "[A]\r\n", "A", "K", " spaced ",
                              "[A]\r\nK= spaced \r\n"},
                    WriteCase{"after a lone UTF-8 mark", "\xEF\xBB\xBF", "A", "K", "v",
                              "\xEF\xBB\xBF[A]\r\nK=v\r\n"},
                    WriteCase{"first of two sections", "[A]\r\nK=1\r\n[A]\r\nK=2\r\n", "A", "K",
                              "3", "[A]\r\nK=3\r\n[A]\r\nK=2\r\n"}),
    CaseName::by([](const auto &c) { return std::string(c.what); }));

TEST(IniFiles, MissingFileReadsEmptyAndIsCreatedOnWrite)
{
    TempDir dir;
    EXPECT_EQ(ReadIni(dir.file("none.ini"), "A", "K"), "");
    EXPECT_TRUE(WriteIni(dir.file("new.ini"), "Menu", "cmdOpent2", "Load"));
    EXPECT_EQ(ReadIni(dir.file("new.ini"), "menu", "cmdOpenT2"), "Load");
    const auto bytes = TestData::readFile(dir.file("new.ini"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Menu]\r\ncmdOpent2=Load\r\n");
}

TEST(IniFiles, MissingFolderWritesNothing)
{
    TempDir dir;
    EXPECT_FALSE(WriteIni(dir.file("no/such/LNG.ini"), "A", "K", "v"));
    EXPECT_EQ(dir.listing(), "");
}

TEST(IniFiles, ReadOnlyFileIsLeftAlone)
{
    TempDir dir;
    const std::string path = dir.file("ro.ini");
    TestData::writeFile(path, {'[', 'A', ']', '\r', '\n'});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteIni(path, "A", "K", "v"));
    EXPECT_EQ(TestData::readFile(path).size(), 5u);
}

TEST(IniFiles, EveryCallReadsTheFileAfresh)
{
    TempDir dir;
    const std::string path = dir.file("x.ini");
    WriteIni(path, "A", "K", "1");
    EXPECT_EQ(ReadIni(path, "A", "K"), "1");
    TestData::writeFile(path, {'[', 'A', ']', '\n', 'K', '=', '2', '\n'});
    EXPECT_EQ(ReadIni(path, "A", "K"), "2");
}

// Text-level access: a file with the UTF-8 mark stays UTF-8, any other is Windows-1252.
struct TextCase
{
    const char *what;
    std::string before;
    const char *value;
    std::string after;
    const char *readBack;
};

class IniTextFiles : public testing::TestWithParam<TextCase>
{
};

TEST_P(IniTextFiles, StoreInTheFilesEncodingAndReadBackUtf8)
{
    const TextCase &c = GetParam();
    TempDir dir;
    const std::string path = dir.file("LNG.ini");
    if (!c.before.empty())
        TestData::writeFile(path, TestData::Bytes(c.before.begin(), c.before.end()));
    Ansi::Conversion conversion;
    ASSERT_TRUE(WriteIniText(path, "Menu", "Quit", c.value, &conversion));
    const auto bytes = TestData::readFile(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.after);
    EXPECT_EQ(conversion.replaced.empty(), std::string(c.value) == c.readBack);
    EXPECT_EQ(ReadIniText(path, "Menu", "Quit"), c.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, IniTextFiles,
    testing::Values(TextCase{"Utf8FileKeepsItsMarkAndEveryCharacter", "\xEF\xBB\xBF[Menu]\r\n",
                             "Zako\u0144cz",
                             "\xEF\xBB\xBF[Menu]\r\nQuit=Zako\xC5\x84"
                             "cz\r\n",
                             "Zako\u0144cz"},
                    TextCase{"AnsiFileGetsBestFit", "[Menu]\r\n", "Zako\u0144cz \u00D3",
                             "[Menu]\r\nQuit=Zakoncz \xD3\r\n", "Zakoncz \u00D3"},
                    TextCase{"NewFileIsAnsi", "",
                             "Schlie\u00DF"
                             "en",
                             "[Menu]\r\nQuit=Schlie\xDF"
                             "en\r\n",
                             "Schlie\u00DF"
                             "en"}),
    [](const auto &c) { return std::string(c.param.what); });

} // namespace
