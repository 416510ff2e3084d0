// INI reading and writing on a random file: reads never exceed 254 characters (bytes in a
// Windows-1252 file, UTF-8 characters in a file with the UTF-8 mark), and a write
// changes one line (or adds one) so that every other byte of the file is kept and the written
// key reads back.
#include "language/Ini.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

// A name for a section or key: no line breaks, no "=" or "]", no blanks at its ends, and not
// starting with what would make it a comment or a header.
std::string cleanName(std::string text)
{
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) {
                                  return c == '\r' || c == '\n' || c == '=' || c == ']' ||
                                         c == '\0';
                              }),
               text.end());
    while (!text.empty() && blank(text.front()))
        text.erase(text.begin());
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    if (text.empty() || text[0] == ';' || text[0] == '[')
        text.insert(text.begin(), 'k');
    return text;
}

// The value cut to its first 254 characters.
std::string cut(std::string text, bool utf8)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = utf8 && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && ++count > 254) {
            text.resize(i);
            break;
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The input: section, key and value separated by NUL bytes, then the file.
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::size_t a = input.find('\0');
    std::size_t b = a == std::string::npos ? a : input.find('\0', a + 1);
    std::size_t c = b == std::string::npos ? b : input.find('\0', b + 1);
    if (c == std::string::npos)
        return 0;
    const std::string section = cleanName(input.substr(0, a));
    const std::string key = cleanName(input.substr(a + 1, b - a - 1));
    std::string value = input.substr(b + 1, c - b - 1);
    value.erase(std::remove_if(value.begin(), value.end(),
                               [](char ch) { return ch == '\r' || ch == '\n'; }),
                value.end());
    const std::string file = input.substr(c + 1);

    const bool utf8 = IniText::isUtf8(file);
    const std::string read = IniText::read(file, section, key);
    if (cut(read, utf8) != read)
        std::abort();
    const std::string written = IniText::write(file, section, key, value);

    // The written key reads back as the value would after trimming and unquoting.
    std::string expected = value;
    while (!expected.empty() && blank(expected.front()))
        expected.erase(expected.begin());
    while (!expected.empty() && blank(expected.back()))
        expected.pop_back();
    if (expected.size() >= 2 && (expected.front() == '"' || expected.front() == '\'') &&
        expected.back() == expected.front())
        expected = expected.substr(1, expected.size() - 2);
    expected = cut(expected, utf8);
    if (IniText::read(written, section, key) != expected)
        std::abort();

    // Everything but one stretch of the file is kept, and that stretch held no line break.
    std::size_t prefix = 0;
    while (prefix < file.size() && prefix < written.size() && file[prefix] == written[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < file.size() - prefix && suffix < written.size() - prefix &&
           file[file.size() - 1 - suffix] == written[written.size() - 1 - suffix])
        ++suffix;
    const std::string removed = file.substr(prefix, file.size() - prefix - suffix);
    if (removed.find_first_of("\r\n") != std::string::npos)
        std::abort();
    return 0;
}
