#pragma once
// File names as a line of output or a message may show them. A name found in a folder is
// anyone's text: a newline in it would forge a line of the command line's output, and a
// terminal's escape sequences would reach the terminal. Every character that is not plain
// text is shown as an escape instead (C0 and C1 controls, DEL, the marks that reverse the
// direction of text, bytes that are no UTF-8); the rest of the name is kept as it is.
#include <optional>
#include <string>
#include <string_view>

namespace Printable {

/// `name` (UTF-8) with "\n", "\r", "\t" for those controls, "\xNN" for the other control
/// bytes and for bytes that are no UTF-8, and "\u{NNNN}" for C1 controls and direction marks.
std::string name(std::string_view name);

/// The first control character of the UTF-8 `text` (C0, DEL or C1) as name() shows it, if
/// any: no editor stores one in a boot's texts, and a line break or a terminal's escape in a
/// name would reach every list and line that shows it.
std::optional<std::string> firstControl(std::string_view text);

} // namespace Printable
