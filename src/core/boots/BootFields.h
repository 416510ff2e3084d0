#pragma once
// The fields of a boot, one table for every place that shows, edits, exchanges or changes
// them: the record editor, the boots table, the exported table and its import, pasted cells
// and the undo steps. Each field knows its key in the exported table, its caption, the name
// of its undo step, the range a table's cell stores, and the rule by which a text the user
// typed becomes its value. That rule never refuses: a typed text always gives a value, and
// adjustments() tells which fields were then stored otherwise than typed or held.
#include "BootRecord.h"
#include "language/LanguageKeys.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct BootField
{
    /// The fields in the order of the record.
    enum class Id {
        Name,
        ID,
        Kolej,
        Code,
        Pole5,
        ShotPower,
        ShotAccuracy,
        Acceleration,
        TopSpeed,
        Swerve,
        Material,
        Colour,
    };
    /// How a text the user types becomes the field's value.
    enum class Rule {
        None,      ///< no window edits the field
        Text,      ///< best fit in Windows-1252, cut to maxLength characters
        Statistic, ///< not a number, 0 or below: 1; above 5: 5; else rounded half to even
        Code,      ///< a whole number within 16 bits (rounded half to even); else unchanged
    };

    Id id;
    const char *name;       ///< the key of the exported table ("Sila")
    const char *captionKey; ///< its caption in the language file's [GroupBox], or null
    const char *caption;    ///< the English caption
    std::optional<LanguageKeys::Key> undoName; ///< the step of an edit of this field alone
    int editorField;                           ///< k of the record editor's txt(k), or -1
    Rule rule;
    std::string BootRecord::*text;                 ///< the text member, or null for a number
    std::size_t maxLength;                         ///< longest text a change stores
    std::int64_t min;                              ///< smallest number a table's cell stores
    std::int64_t max;                              ///< largest number a table's cell stores
    std::int64_t (*number)(const BootRecord &);    ///< reads a number field
    void (*setNumber)(BootRecord &, std::int64_t); ///< writes a number field within min..max

    bool isText() const { return text != nullptr; }
    /// The field of `record` as windows and tables show it: UTF-8 text, or the number in
    /// decimals.
    std::string shown(const BootRecord &record) const;
    /// Stores the UTF-8 text `typed` into the field of `record` by the field's rule; a field
    /// without a rule stays as it is.
    void storeTyped(BootRecord &record, std::string_view typed) const;
    /// True when `typed` stands for exactly what the field of `record` holds: the same text,
    /// or a number of the same value ("04" for 4).
    bool readsAs(const BootRecord &record, std::string_view typed) const;
};

/// A field stored otherwise than the user typed it or the boot held it.
struct FieldAdjustment
{
    const BootField *field;
    std::string from; ///< what was typed, or what the boot held (UTF-8, as shown)
    std::string to;   ///< what was stored (as shown)
    bool operator==(const FieldAdjustment &) const = default;
};

/// The text the user typed into one field.
struct TypedText
{
    const BootField *field;
    std::string text; ///< UTF-8
};

namespace BootFields {

inline constexpr std::size_t kCount = 12;

/// Every field, in the order of the record.
std::span<const BootField> all();
const BootField &field(BootField::Id id);
/// The field whose exported key is `name` (exactly), or null.
const BootField *named(std::string_view name);
/// The field that the record editor shows in txt(k), or null.
const BootField *editorField(int k);
/// The five statistics, Shot Power first.
std::span<const BootField *const> statistics();

/// The game's statistics run from kLowestStatistic to kHighestStatistic.
inline constexpr std::uint8_t kLowestStatistic = 1;
inline constexpr std::uint8_t kHighestStatistic = 5;
/// The statistic stored for the (rounded) number `value`: below the lowest, the lowest;
/// above the highest, the highest.
std::uint8_t statistic(double value);
/// The statistic that the text `typed` stands for by the statistics' rule: its number rounded
/// half to even, and no number at all stands for the lowest.
std::uint8_t typedStatistic(std::string_view typed);

/// What storing changed otherwise than asked, going from `before` to `after`: each field of
/// `typed` whose value does not read as its text (from: the text), and each other field whose
/// value changed (from: what it held). In the order of the record.
std::vector<FieldAdjustment> adjustments(const BootRecord &before, const BootRecord &after,
                                         const std::vector<TypedText> &typed);

} // namespace BootFields
