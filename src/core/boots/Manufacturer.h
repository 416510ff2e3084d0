#pragma once
// Manufacturer codes of the boots database. The low byte names the maker, the high byte is
// 1, 2 or 3; only the codes of the game's table have a name, and choosing a name always gives
// the code with high byte 1.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Manufacturer {

/// The six names in the order the editor lists them.
const std::vector<std::string> &names();

/// The name of a code of the table, looked up by its decimal text ("257" matches 257,
/// "0257" matches nothing).
std::optional<std::string> nameForText(const std::string &codeText);

/// The code that choosing `name` sets (257, 258, 259, 260, 294, 261).
std::optional<std::int32_t> codeForName(const std::string &name);

} // namespace Manufacturer
