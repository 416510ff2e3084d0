#pragma once
// Windows-1252 ("ANSI") text, the one-byte-per-character encoding of every text the game's
// files and the language files hold. The core keeps such text as raw bytes in std::string;
// these two functions are the only place where it meets UTF-8.
#include <string>
#include <string_view>

namespace Ansi {

/// Decodes Windows-1252 bytes into UTF-8. Every byte maps to exactly one character.
std::string toUtf8(std::string_view ansi);

/// Encodes UTF-8 into Windows-1252. A character that Windows-1252 cannot hold, and every
/// malformed UTF-8 sequence, becomes one "?", so one character is always one byte.
std::string fromUtf8(std::string_view utf8);

} // namespace Ansi
