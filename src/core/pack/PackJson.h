#pragma once
// The JSON files of a pack, parsed in time and memory that grow with their size alone. A first
// pass follows the parser's events against the shape the format gives the file and refuses,
// before any document is built, a key given twice in one object, a key the format does not
// know, a list or object where the format has none, and a list longer than the format allows;
// only then is the document built, by the parser's plain (linear) path. So no file, however
// nested or however many empty objects it holds, costs more than one pass over its bytes,
// and the document built holds nothing the format does not name.
#include "common/Reason.h"

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace PackJson {

using Json = nlohmann::json;

/// What a place in a file may hold: a value (a text or a number, checked when it is read),
/// an object of named members, or a list of one shape and at most `most` items.
struct Shape
{
    enum class Kind { Value, Object, List };
    Kind kind = Kind::Value;
    std::vector<std::pair<std::string_view, const Shape *>> members;
    const Shape *item = nullptr;
    std::size_t most = 0;

    const Shape *member(std::string_view key) const;
};

/// The shapes of "manifest.json" and "changes.json", with the members of every format read.
const Shape &manifestShape();
const Shape &changesShape();

/// Parses `text`, the pack's file `name`, checked against `shape` first. False, with the
/// reason naming the file and the place, when it is no JSON or does not keep to the shape.
bool parse(const std::vector<std::uint8_t> &text, const std::string &name, const Shape &shape,
           Json &doc, ReasonOut error);

} // namespace PackJson
