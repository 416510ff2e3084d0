#pragma once
// Reading numbers out of typed text the way the original Windows tool did: a strict test
// ("is this text a number?") for the editor fields and a lenient prefix reading for the
// global change of statistics. Both read "." as the decimal point under every system locale
// (a comma ends the number).
#include <optional>
#include <string_view>

namespace VbNumber {

/// The value of a text that is a number as a whole: surrounding blanks allowed, an optional
/// sign, digits with "." as decimal point, an optional exponent (E or D), or a &H / &O
/// prefixed hexadecimal or octal whole number. Anything else gives no value.
std::optional<double> parse(std::string_view text);

/// The number a text begins with: blanks, tabs and line feeds are skipped wherever they
/// stand, reading stops at the first character that cannot continue the number, and a text
/// that does not begin with a number gives 0.
double val(std::string_view text);

/// Rounds to the nearest whole number, ties to even (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

} // namespace VbNumber
