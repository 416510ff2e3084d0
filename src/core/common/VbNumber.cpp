#include "VbNumber.h"

#include "Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// ASCII only: the reading never depends on the system locale.
char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads a &H or &O number starting at text[pos] == '&'. Returns the number of characters
// used (0 when there is no such number).
std::size_t readRadix(std::string_view text, std::size_t pos, double &value)
{
    if (pos + 1 >= text.size())
        return 0;
    const char kind = upper(text[pos + 1]);
    const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
    if (base == 0)
        return 0;
    std::size_t i = pos + 2;
    std::uint64_t magnitude = 0;
    std::size_t digits = 0;
    while (i < text.size()) {
        const char c = upper(text[i]);
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= base)
            break;
        if (magnitude <= 0xFFFFFFFFull)
            magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        ++digits;
        ++i;
    }
    if (digits == 0)
        return 0;
    // As in the original tool, four hex digits are a 16-bit and eight a 32-bit signed value.
    if (magnitude <= 0xFFFF)
        value = static_cast<double>(static_cast<std::int16_t>(magnitude));
    else if (magnitude <= 0xFFFFFFFFull)
        value =
            static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude)));
    else
        value = static_cast<double>(magnitude);
    return i - pos;
}

// The value of a decimal number that from_chars found out of range: infinite when its first
// significant digit stands at a power of ten of 0 or more, zero otherwise (as strtod gives).
double outOfRange(std::string_view number)
{
    const bool negative = number.front() == '-';
    const std::size_t e = number.find('e');
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        const std::string_view digits = number.substr(e + 1);
        const bool down = !digits.empty() && digits.front() == '-';
        for (char c : digits.substr(digits.empty() || isDigit(digits.front()) ? 0 : 1))
            exponent = std::min(exponent * 10 + (c - '0'), 100000LL);
        if (down)
            exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    long long power = first < point ? static_cast<long long>(point - first) - 1
                                    : -static_cast<long long>(first - point);
    power += exponent;
    if (power < 0)
        return negative ? -0.0 : 0.0;
    return negative ? -HUGE_VAL : HUGE_VAL;
}

// Reads a decimal number at text[pos] with "." as the decimal point whatever the system
// locale. Returns the number of characters used (0 when there is no number).
std::size_t readDecimal(std::string_view text, std::size_t pos, double &value)
{
    std::size_t i = pos;
    std::string digits;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') // from_chars takes no plus sign
            digits += '-';
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        digits += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        digits += text[i++];
        while (i < text.size() && isDigit(text[i])) {
            digits += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < text.size() && std::strchr("eEdD", text[i]) != nullptr) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) {
            exponent += text[j++];
            ++expDigits;
        }
        if (expDigits > 0) {
            digits += exponent;
            i = j;
        }
    }
    const char *end = digits.data() + digits.size();
    const auto [at, ec] = std::from_chars(digits.data(), end, value);
    if (ec == std::errc::result_out_of_range)
        value = outOfRange(digits);
    else if (ec != std::errc{} || at != end)
        return 0;
    return i - pos;
}

} // namespace

namespace VbNumber {

std::optional<double> parse(std::string_view text)
{
    const std::string_view body = Text::trim(text, " \t");
    if (body.empty())
        return std::nullopt;
    double value = 0;
    const std::size_t used =
        body[0] == '&' ? readRadix(body, 0, value) : readDecimal(body, 0, value);
    if (used == 0 || used != body.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double val(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    }
    double value = 0;
    const std::size_t used = !compact.empty() && compact[0] == '&' ? readRadix(compact, 0, value)
                                                                   : readDecimal(compact, 0, value);
    return used == 0 ? 0.0 : value;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

} // namespace VbNumber
