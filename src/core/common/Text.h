#pragma once
// Small helpers for the byte texts of the game's files.
#include <string_view>

namespace Text {

/// `text` without the characters of `blanks` at its start and end.
constexpr std::string_view trim(std::string_view text, std::string_view blanks)
{
    const std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

} // namespace Text
