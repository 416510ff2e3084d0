#include "common/Ansi.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(Ansi::fromUtf8("Łódź"), "?\xF3"
                                      "d?");
    EXPECT_EQ(Ansi::fromUtf8("日本"), "??");
    EXPECT_EQ(Ansi::fromUtf8("a\U0001F600b"), "a?b"); // outside the BMP: still one byte
    EXPECT_EQ(Ansi::fromUtf8("\xC3"), "?");           // truncated sequence
    EXPECT_EQ(Ansi::fromUtf8("€"), "\x80");
}
