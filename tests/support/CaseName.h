#pragma once
// Readable, stable names for the cases of parameterised tests, so that the test list reads
// like behaviours: each case is named from a text of its own ("word 0" -> word_0,
// "&H10" -> amp_H10, "2.5" -> 2point5).
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace CaseName {

inline std::string of(std::string_view text)
{
    static const char *const hex = "0123456789abcdef";
    std::string name;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += c;
        else if (c == ' ' || c == '_')
            name += '_';
        else if (c == '.')
            name += "point";
        else if (c == '-')
            name += "minus";
        else if (c == '+')
            name += "plus";
        else if (c == '&')
            name += "amp_";
        else
            name += std::string("x") + hex[u >> 4] + hex[u & 15];
    }
    return name.empty() ? std::string("empty") : name;
}

/// A name generator: `prefix` and the text that `text(param)` gives.
template <typename Text> auto by(Text text, std::string prefix = std::string())
{
    return [text, prefix](const auto &info) {
        return (prefix.empty() ? std::string() : prefix + '_') + of(text(info.param));
    };
}

} // namespace CaseName
