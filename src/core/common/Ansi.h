#pragma once
// Windows-1252 ("ANSI") text, the one-byte-per-character encoding of every text the game's
// files and the language files hold. The core keeps such text as raw bytes in std::string;
// these functions are the only place where it meets UTF-8.
#include <string>
#include <string_view>
#include <vector>

namespace Ansi {

/// Decodes Windows-1252 bytes into UTF-8. Every byte maps to exactly one character.
std::string toUtf8(std::string_view ansi);

/// The result of encoding UTF-8 into Windows-1252.
struct Conversion
{
    std::string ansi;                  ///< the Windows-1252 bytes
    std::vector<std::string> replaced; ///< UTF-8 texts stored differently, each once, in order
    bool unmappable = false;           ///< some character had no base letter and became "?"
};

/// Encodes UTF-8 into Windows-1252 with best fit, as Windows converts: a letter outside the
/// code page becomes its base letter ("Ł" → "L", "ż" → "z"), a combining mark joins the letter
/// before it where the code page has the pair and is dropped otherwise, typographic spaces,
/// hyphens and full-width forms become their plain ASCII forms. A character with no such
/// fit, and every malformed UTF-8 sequence, becomes one "?", so the text never grows.
Conversion convert(std::string_view utf8);

/// `convert(utf8).ansi`.
std::string fromUtf8(std::string_view utf8);

/// True when `utf8` comes back unchanged from Windows-1252 (a combining mark that joins its
/// letter does not: it comes back as one precomposed character).
bool isRepresentable(std::string_view utf8);

} // namespace Ansi
