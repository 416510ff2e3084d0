#include "common/Ansi.h"

#include <gtest/gtest.h>
#include <ostream>

TEST(Ansi, DecodesEveryByteToOneCharacter)
{
    EXPECT_EQ(Ansi::toUtf8("Boot"), "Boot");
    EXPECT_EQ(Ansi::toUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Ansi::toUtf8("Sch\xFC"
                           "tze"),
              "Schütze");
    EXPECT_EQ(Ansi::toUtf8("\x8A"), "\u0160");
    EXPECT_EQ(Ansi::toUtf8("\x81"), "\u0081"); // undefined in Windows-1252
}

TEST(Ansi, EncodingRoundTripsAllBytes)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Ansi::fromUtf8(Ansi::toUtf8(all)), all);
}

TEST(Ansi, UnmappableCharacterBecomesOneQuestionMark)
{
    EXPECT_EQ(Ansi::fromUtf8("日本"), "??");
    EXPECT_EQ(Ansi::fromUtf8("a\U0001F600b"), "a?b"); // outside the BMP: still one byte
    EXPECT_EQ(Ansi::fromUtf8("\xC3"), "?");           // truncated sequence
    EXPECT_EQ(Ansi::fromUtf8("€"), "\x80");
}

namespace {

struct FitCase
{
    const char *what;
    const char *utf8;
    std::string ansi;
    std::vector<std::string> replaced;
    bool unmappable;
    friend void PrintTo(const FitCase &c, std::ostream *os) { *os << c.what; }
};

class AnsiBestFit : public testing::TestWithParam<FitCase>
{
};

TEST_P(AnsiBestFit, StoresTheClosestCodePageText)
{
    const FitCase &c = GetParam();
    const Ansi::Conversion result = Ansi::convert(c.utf8);
    EXPECT_EQ(result.ansi, c.ansi);
    EXPECT_EQ(result.replaced, c.replaced);
    EXPECT_EQ(result.unmappable, c.unmappable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnsiBestFit,
    testing::Values(FitCase{"PolishLettersLoseTheirMarks",
                            "Łódź Ż",
                            "L\xF3"
                            "dz Z",
                            {"Ł", "ź", "Ż"},
                            false},
                    FitCase{"CaronOutsideTheCodePage", "Čeština", "Ce\x9Atina", {"Č"}, false},
                    FitCase{"CodePageLettersStay", "óšŒ€ß", "\xF3\x9A\x8C\x80\xDF", {}, false},
                    FitCase{"RomanianCommaBelow", "Ștefan", "Stefan", {"Ș"}, false},
                    FitCase{"VietnameseLetter", "Nguyễn", "Nguyen", {"ễ"}, false},
                    FitCase{"EachReplacementReportedOnce", "łał", "lal", {"ł"}, false},
                    FitCase{"CombiningMarkJoinsItsLetter", "e\u0301", "\xE9", {}, false},
                    FitCase{"CombiningMarkWithoutPairDropped", "n\u0301", "n", {"n\u0301"}, false},
                    FitCase{"CombiningMarkWithoutLetter", "\u0301x", "?x", {"\u0301"}, true},
                    FitCase{"TypographicPunctuation",
                            "a\u2009b\u2011c\u2212d",
                            "a b-c-d",
                            {"\u2009", "\u2011", "\u2212"},
                            false},
                    FitCase{"FullWidthForms", "ＡＢ１", "AB1", {"Ａ", "Ｂ", "１"}, false},
                    FitCase{"NoBaseLetter", "日本", "??", {"日", "本"}, true},
                    FitCase{"TruncatedSequence", "a\xC3", "a?", {"\uFFFD"}, true}),
    [](const auto &c) { return std::string(c.param.what); });

TEST(Ansi, RepresentableOnlyWhenTheTextComesBackUnchanged)
{
    EXPECT_TRUE(Ansi::isRepresentable("Español Ü"));
    EXPECT_FALSE(Ansi::isRepresentable("Čeština"));
    EXPECT_FALSE(Ansi::isRepresentable("e\u0301")); // would come back precomposed
}

} // namespace
