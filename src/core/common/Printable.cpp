#include "Printable.h"

#include <cstdint>

namespace Printable {

namespace {

const char *const kHex = "0123456789abcdef";

void putByte(std::string &out, unsigned char c)
{
    switch (c) {
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        out += "\\x";
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
}

// The length of the UTF-8 sequence at `text[at]` and its code point; 0 when it is none (a
// stray, overlong or cut sequence, or a surrogate).
std::size_t sequence(std::string_view text, std::size_t at, std::uint32_t &point)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4
                               : lead >= 0xE0               ? 3
                               : lead >= 0xC2               ? 2
                                                            : 0;
    if (length == 0 || text.size() - at < length)
        return 0;
    point = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        point = point << 6 | (next & 0x3Fu);
    }
    const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

bool hidden(std::uint32_t point)
{
    return (point >= 0x80 && point <= 0x9F) ||     // C1 controls (0x9B starts a sequence)
           (point >= 0x202A && point <= 0x202E) || // embeddings and overrides of direction
           (point >= 0x2066 && point <= 0x2069);   // isolates of direction
}

} // namespace

std::string name(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (std::size_t at = 0; at < name.size();) {
        const auto c = static_cast<unsigned char>(name[at]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                putByte(out, c);
            else
                out += static_cast<char>(c);
            ++at;
            continue;
        }
        std::uint32_t point = 0;
        const std::size_t length = sequence(name, at, point);
        if (length == 0) {
            putByte(out, c);
            ++at;
        } else if (hidden(point)) {
            out += "\\u{";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += kHex[(point >> shift) & 15];
            out += '}';
            at += length;
        } else {
            out.append(name.substr(at, length));
            at += length;
        }
    }
    return out;
}

std::optional<std::string> firstControl(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto u = static_cast<unsigned char>(text[i]);
        if (u < 0x20 || u == 0x7F)
            return name(text.substr(i, 1));
        if (u == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F)
            return name(text.substr(i, 2));
    }
    return std::nullopt;
}

} // namespace Printable
