#include "language/Languages.h"

#include "CaseName.h"
#include "TempDir.h"
#include "TestData.h"
#include "common/FileIo.h"
#include "language/Ini.h"
#include "language/LanguageKeys.h"

#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

TEST(Languages, ListsNamesLongerThanTwoCharactersSortedWithoutCase)
{
    TempDir dir;
    for (const char *name : {"polski", "English", "de", "Deutsch", "Español", ".hidden"})
        fs::create_directories(FileIo::toPath(dir.file("Language/" + std::string(name))));
    TestData::writeFile(dir.file("Language/C"), {});
    TestData::writeFile(dir.file("Language/readme.txt"), {});
    EXPECT_EQ(Languages::ListLanguages(dir.path()),
              (std::vector<std::string>{"Deutsch", "English", "Español", "polski", "readme.txt"}));
}

TEST(Languages, MissingFolderListsNothing)
{
    TempDir dir;
    EXPECT_TRUE(Languages::ListLanguages(dir.path()).empty());
}

TEST(Languages, ConfigurationFileIsOneFileWhicheverCaseExists)
{
    TempDir dir;
    fs::create_directory(dir.file("Language"));
    EXPECT_EQ(Languages::configFile(dir.path()), dir.file("Language/C"));
    WriteIni(dir.file("Language/c"), "Config", "Language", "Deutsch");
    EXPECT_EQ(Languages::configFile(dir.path()), dir.file("Language/c"));
    EXPECT_EQ(Languages::configuredLanguage(dir.path()), "Deutsch");
    ASSERT_TRUE(Languages::rememberLanguage(dir.path(), "Español"));
    EXPECT_EQ(dir.listing(), "Language");
    EXPECT_EQ(fs::path(Languages::configFile(dir.path())).filename(), "c");
    EXPECT_EQ(Languages::configuredLanguage(dir.path()), "Español");
    const auto bytes = TestData::readFile(dir.file("Language/c"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Config]\r\nLanguage=Espa\xF1ol\r\n");
}

TEST(Languages, KeyTableHasThirtyKeysInWritingOrder)
{
    const auto &keys = Languages::keys();
    ASSERT_EQ(keys.size(), 30u);
    EXPECT_STREQ(keys.front().key, "GroupBox1");
    EXPECT_STREQ(keys[23].key, "cmdOpenT2");
    EXPECT_STREQ(keys[23].written, "cmdOpent2");
    EXPECT_STREQ(keys.back().key, "About");
    std::vector<bool> used(31, false);
    for (const auto &k : keys) {
        ASSERT_GE(k.editorField, 0);
        ASSERT_LE(k.editorField, 30);
        EXPECT_FALSE(used[static_cast<std::size_t>(k.editorField)]) << k.key;
        used[static_cast<std::size_t>(k.editorField)] = true;
    }
    EXPECT_FALSE(used[26]) << "field 26 is the name";
}

TEST(Languages, NamesThatWouldLeaveTheLanguageFolderAreRefused)
{
    for (const char *bad : {"", ".", "..", "../evil", "a/b", "a\\b", "tab\there"})
        EXPECT_FALSE(Languages::problemWithName(bad).empty()) << bad;
    for (const char *good : {"English", "Español", "My language 2", "..x"})
        EXPECT_TRUE(Languages::problemWithName(good).empty()) << good;
}

struct RefusedName
{
    const char *what;
    const char *name;
    LanguageKeys::Key problem;
};

class LanguageNames : public testing::TestWithParam<RefusedName>
{
};

TEST_P(LanguageNames, ThatTheConfigurationCannotReadBackAreRefused)
{
    EXPECT_EQ(Languages::nameProblem(GetParam().name), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, LanguageNames,
    testing::Values(
        RefusedName{"OutsideTheCodePage", "\u010Ce\u0161tina", LanguageKeys::Key::NameNotStorable},
        RefusedName{"DecomposedAccent", "Espan\u0303ol", LanguageKeys::Key::NameNotStorable},
        RefusedName{"TrailingSpace", "Zulu ", LanguageKeys::Key::NameOuterSpaces},
        RefusedName{"LeadingSpace", " Zulu", LanguageKeys::Key::NameOuterSpaces},
        RefusedName{"Quoted", "\"Zulu\"", LanguageKeys::Key::NameQuoted}),
    [](const auto &c) { return std::string(c.param.what); });

TEST(Languages, RefusalSaysHowTheNameWouldReadBack)
{
    EXPECT_EQ(Languages::problemWithName("\u010Ce\u0161tina"),
              "The configuration file cannot store the name \"\u010Ce\u0161tina\"; it would read "
              "back as \"Ce\u0161tina\".");
}

TEST(Languages, BundledLanguagesHoldAllThirtyKeys)
{
    const std::string program = fs::path(CLEATWORK_LANGUAGE_DIR).parent_path().string();
    const auto names = Languages::ListLanguages(program);
    EXPECT_EQ(names, (std::vector<std::string>{"Deutsch", "English", "Español", "Français",
                                               "Italiano", "Polski", "Português"}));
    EXPECT_EQ(Languages::configuredLanguage(program), "English");
    for (const auto &name : names) {
        for (const auto &k : Languages::keys())
            EXPECT_FALSE(ReadIni(Languages::languageFile(program, name), k.section, k.key).empty())
                << name << " " << k.key;
    }
    for (const auto &k : Languages::keys())
        EXPECT_EQ(ReadIni(Languages::languageFile(program, "English"), k.section, k.key),
                  k.caption);
    // Every text beyond the captions too, translated, in the order the editor writes them;
    // among them every reason the core can give.
    for (const Reasons::Entry &r : Reasons::entries())
        EXPECT_EQ(LanguageKeys::entry(LanguageKeys::reasonKey(r.id)).name, std::string(r.name));
    std::set<std::string> keys;
    for (const auto &e : LanguageKeys::entries())
        EXPECT_TRUE(keys.insert(std::string(e.section) + "/" + e.name).second)
            << e.name << " twice";
    // A name before its reason reads "%1: %2" in most languages, a field after its place
    // "%1, %2"; "Pack" and "texture" are French and Italian words too.
    const std::set<std::string> alike = {"ReasonNamedLine", "ReasonPackFieldOf", "PackColumnPack",
                                         "PackCountTextures", "PackTexture"};
    for (const auto &name : names) {
        const std::string file = Languages::languageFile(program, name);
        for (const auto &e : LanguageKeys::entries()) {
            const std::string text = ReadIniText(file, e.section, e.name);
            EXPECT_FALSE(text.empty()) << name << " lacks " << e.name;
            if (name == "English")
                EXPECT_EQ(text, e.english) << e.name;
            else if (alike.count(e.name) != 0)
                EXPECT_FALSE(text.empty()) << name << " " << e.name;
            else
                EXPECT_NE(text, e.english) << name << " " << e.name;
        }
    }
}

// The unsaved-changes question's Save, Discard and Cancel: each has an Alt letter of its own in
// every bundled language.
TEST(Languages, SaveDiscardAndCancelHaveTheirOwnAltLetters)
{
    const std::string program = fs::path(CLEATWORK_LANGUAGE_DIR).parent_path().string();
    for (const auto &name : Languages::ListLanguages(program)) {
        std::set<std::string> letters;
        for (const LanguageKeys::Key key :
             {LanguageKeys::Key::SaveButton, LanguageKeys::Key::DiscardButton,
              LanguageKeys::Key::CancelButton}) {
            const LanguageKeys::Entry &e = LanguageKeys::entry(key);
            const std::string text =
                ReadIniText(Languages::languageFile(program, name), e.section, e.name);
            const std::size_t at = text.find('&');
            ASSERT_TRUE(at != std::string::npos && at + 1 < text.size()) << name << " " << text;
            letters.insert(std::string(
                1, static_cast<char>(std::tolower(static_cast<unsigned char>(text[at + 1])))));
        }
        EXPECT_EQ(letters.size(), 3u) << name;
    }
}

// Each language in its own letters, whatever code page its file is written in (Polish needs
// more than Windows-1252 holds: its file is UTF-8).
struct OwnLetters
{
    const char *language;
    const char *key;
    const char *caption;
};

class BundledCaptions : public testing::TestWithParam<OwnLetters>
{
};

TEST_P(BundledCaptions, AreWrittenInTheLanguagesOwnLetters)
{
    const std::string program = fs::path(CLEATWORK_LANGUAGE_DIR).parent_path().string();
    EXPECT_EQ(ReadIniText(Languages::languageFile(program, GetParam().language), "GroupBox",
                          GetParam().key),
              GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, BundledCaptions,
    testing::Values(OwnLetters{"Polski", "GroupBox7", "Si\u0142a strza\u0142u"},
                    OwnLetters{"Polski", "GroupBox15", "Podgl\u0105d"},
                    OwnLetters{"Polski", "GroupBox19", "J\u0119zyk"},
                    OwnLetters{"Deutsch", "GroupBox13", "Werte \u00e4ndern"},
                    OwnLetters{"Espa\u00f1ol", "GroupBox8", "Precisi\u00f3n de tiro"},
                    OwnLetters{"Fran\u00e7ais", "GroupBox15", "Aper\u00e7u"},
                    OwnLetters{"Italiano", "GroupBox10", "Velocit\u00e0 massima"},
                    OwnLetters{"Portugu\u00eas", "GroupBox15", "Pr\u00e9-visualiza\u00e7\u00e3o"}),
    [](const testing::TestParamInfo<OwnLetters> &p) {
        return CaseName::of(std::string(p.param.language) + "_" + p.param.key);
    });

TEST(Languages, UserAndBundledLanguagesMergeWithTheUsersCopyWinning)
{
    TempDir bundled;
    TempDir own;
    for (const char *name : {"English", "Deutsch"})
        fs::create_directories(fs::path(bundled.file("Language")) / name);
    for (const char *name : {"deutsch", "Deutsch", "Mine"})
        fs::create_directories(fs::path(own.file("Language")) / name);
    TestData::writeFile(bundled.file("Language/Deutsch/LNG.ini"), {});
    TestData::writeFile(bundled.file("Language/English/LNG.ini"), {});
    TestData::writeFile(own.file("Language/Deutsch/LNG.ini"), {});
    EXPECT_EQ(Languages::ListLanguages(bundled.path(), own.path()),
              (std::vector<std::string>{"deutsch", "Deutsch", "English", "Mine"}));
    EXPECT_EQ(Languages::languageFile(bundled.path(), own.path(), "Deutsch"),
              own.file("Language/Deutsch/LNG.ini"));
    EXPECT_EQ(Languages::languageFile(bundled.path(), own.path(), "English"),
              bundled.file("Language/English/LNG.ini"));
}

} // namespace
