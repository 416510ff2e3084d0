#include "Ansi.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace {

// Code points of bytes 0x80..0x9F; the five bytes Windows leaves undefined decode to the C1
// control character of the same value, as MultiByteToWideChar does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t decodeByte(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return kHighControls[b - 0x80];
    return b;
}

int encodeCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

void appendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Best fit for characters outside the code page: consecutive code points from `first` map to
// the bytes of `bases`; "?" marks a character without a base letter.
struct FitRange
{
    char32_t first;
    std::string_view bases;
};

constexpr FitRange kFits[] = {
    // Latin Extended-A, U+0100..U+017F.
    {0x0100, "AaAaAaCcCcCcCcDd\xD0"
             "dEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKk?LlLlLlLlLlNnNnNnn??OoOoOo\x8C\x9C"
             "RrRrRrSsSsSs\x8A\x9ATtTtTtUuUuUuUuUuUuWwYy\x9FZzZz\x8E\x9Es"},
    // Latin Extended-B: the letters with diacritics.
    {0x0180, "b"},
    {0x0197, "I"},
    {0x019A, "l"},
    {0x01A0, "Oo"},
    {0x01AB, "tTUu"},
    {0x01B5, "Zz"},
    {0x01CD, "AaIiOoUuUuUuUuUu"},
    {0x01DE, "AaAa\xC6\xE6GgGgKkOoOo"},
    {0x01F0, "j"},
    {0x01F4, "Gg"},
    {0x01F8, "NnAa\xC6\xE6\xD8\xF8"},
    {0x0200, "AaAaEeEeIiIiOoOoRrRrUuUuSsTt"},
    {0x021E, "Hh"},
    {0x0226, "AaEeOoOoOoOoYy"},
    // Spacing modifier letters that stand for punctuation.
    {0x02B9, "'\"''"},
    {0x02C4, "^"},
    {0x02C8, "'"},
    {0x02CB, "`"},
    {0x02CD, "_"},
    {0x02DA, "\xB0"},
    // Latin Extended Additional, U+1E00..U+1EF9.
    {0x1E00, "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMmMmMmNnNnNnNn"
             "OoOoOoOoPpPpRrRrRrRrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVvWwWwWwWwWwXxXxYyZzZzZz"
             "htwyas"},
    {0x1EA0, "AaAaAaAaAaAaAaAaAaAaAaAaEeEeEeEeEeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOoUuUuUuUu"
             "UuUuUuYyYyYyYy"},
    // General punctuation and mathematical signs with a plain form.
    {0x2000, "           "},
    {0x2010, "---\x96\x97-"},
    {0x201B, "'"},
    {0x201F, "\""},
    {0x2024, "."},
    {0x2032, "'\""},
    {0x2035, "`"},
    {0x2044, "/"},
    {0x2212, "-"},
    {0x2215, "/\\*"},
    {0x2223, "|"},
    {0x2236, ":"},
    {0x223C, "~"},
    {0x3000, " "},
};

// Each range ends before the next begins, and Latin Extended-A is covered whole.
constexpr bool rangesAreOrdered()
{
    for (std::size_t i = 0; i + 1 < std::size(kFits); ++i) {
        if (kFits[i].first + kFits[i].bases.size() > kFits[i + 1].first)
            return false;
    }
    return kFits[0].bases.size() == 0x0180 - 0x0100;
}
static_assert(rangesAreOrdered());

// A combining mark joins the letter before it where the code page has the pair.
struct Composition
{
    char32_t mark;
    std::string_view bases;
    std::string_view composed;
};

constexpr Composition kCompositions[] = {
    {0x0300, "AEIOUaeiou", "\xC0\xC8\xCC\xD2\xD9\xE0\xE8\xEC\xF2\xF9"},
    {0x0301, "AEIOUYaeiouy", "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD"},
    {0x0302, "AEIOUaeiou", "\xC2\xCA\xCE\xD4\xDB\xE2\xEA\xEE\xF4\xFB"},
    {0x0303, "ANOano", "\xC3\xD1\xD5\xE3\xF1\xF5"},
    {0x0308, "AEIOUYaeiouy", "\xC4\xCB\xCF\xD6\xDC\x9F\xE4\xEB\xEF\xF6\xFC\xFF"},
    {0x030A, "Aa", "\xC5\xE5"},
    {0x030C, "SZsz", "\x8A\x8E\x9A\x9E"},
    {0x0327, "Cc", "\xC7\xE7"},
};

constexpr bool isCombiningMark(char32_t cp)
{
    return cp >= 0x0300 && cp <= 0x036F;
}

// The best-fit byte of a character outside the code page, or -1.
int bestFit(char32_t cp)
{
    if (cp >= 0xFF01 && cp <= 0xFF5E) // full-width ASCII
        return static_cast<int>(cp - 0xFF01 + 0x21);
    for (const FitRange &range : kFits) {
        if (cp >= range.first && cp - range.first < range.bases.size()) {
            const char base = range.bases[cp - range.first];
            return base == '?' ? -1 : static_cast<unsigned char>(base);
        }
    }
    return -1;
}

// The byte of `base` with `mark` on it, or -1.
int compose(char base, char32_t mark)
{
    for (const Composition &c : kCompositions) {
        if (c.mark != mark)
            continue;
        const std::size_t at = c.bases.find(base);
        return at == std::string_view::npos ? -1 : static_cast<unsigned char>(c.composed[at]);
    }
    return -1;
}

// Decodes the character at `i`: its code point and length, or false for a malformed sequence.
bool decodeAt(std::string_view utf8, std::size_t i, char32_t &cp, std::size_t &length)
{
    const auto lead = static_cast<unsigned char>(utf8[i]);
    length = 0;
    if (lead < 0x80) {
        length = 1;
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
    }
    if (length == 0 || i + length > utf8.size())
        return false;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[i + k]);
        if ((next & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (next & 0x3F);
    }
    return true;
}

void noteReplaced(Ansi::Conversion &result, std::string text)
{
    for (const std::string &seen : result.replaced) {
        if (seen == text)
            return;
    }
    result.replaced.push_back(std::move(text));
}

} // namespace

namespace Ansi {

std::string toUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        appendUtf8(out, decodeByte(static_cast<unsigned char>(c)));
    return out;
}

Conversion convert(std::string_view utf8)
{
    Conversion result;
    result.ansi.reserve(utf8.size());
    std::string_view previous; // the source of the last byte written
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        std::size_t length = 0;
        if (!decodeAt(utf8, i, cp, length)) {
            result.ansi += '?';
            result.unmappable = true;
            noteReplaced(result, "\uFFFD");
            previous = {};
            ++i;
            continue;
        }
        const std::string_view source = utf8.substr(i, length);
        i += length;
        if (int byte = encodeCodePoint(cp); byte >= 0) {
            result.ansi += static_cast<char>(byte);
            previous = source;
            continue;
        }
        if (isCombiningMark(cp) && !previous.empty()) {
            const int composed = compose(result.ansi.back(), cp);
            if (composed >= 0)
                result.ansi.back() = static_cast<char>(composed);
            else
                noteReplaced(result, std::string(previous) + std::string(source));
            continue;
        }
        const int fit = bestFit(cp);
        result.ansi += fit >= 0 ? static_cast<char>(fit) : '?';
        result.unmappable = result.unmappable || fit < 0;
        noteReplaced(result, std::string(source));
        previous = source;
    }
    return result;
}

std::string fromUtf8(std::string_view utf8)
{
    return convert(utf8).ansi;
}

bool isRepresentable(std::string_view utf8)
{
    return toUtf8(fromUtf8(utf8)) == utf8;
}

} // namespace Ansi
