#include "BootFields.h"

#include "Baza.h"

#include "common/Ansi.h"
#include "common/VbNumber.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace {

using Id = BootField::Id;
using Rule = BootField::Rule;
using Key = LanguageKeys::Key;

template <auto Member> std::int64_t numberOf(const BootRecord &r)
{
    return r.*Member;
}

template <auto Member> void setNumberOf(BootRecord &r, std::int64_t value)
{
    using Field = std::remove_reference_t<decltype(r.*Member)>;
    r.*Member = static_cast<Field>(value);
}

template <auto Member>
constexpr BootField number(Id id, const char *name, const char *captionKey, const char *caption,
                           std::optional<Key> undoName, int editorField, Rule rule,
                           std::int64_t min, std::int64_t max)
{
    return {id,      name, captionKey, caption, undoName,         editorField,        rule,
            nullptr, 0,    min,        max,     numberOf<Member>, setNumberOf<Member>};
}

constexpr BootField text(Id id, const char *name, const char *captionKey, const char *caption,
                         Key undoName, int editorField, std::string BootRecord::*member,
                         std::size_t maxLength)
{
    return {id,     name,      captionKey, caption, undoName, editorField, Rule::Text,
            member, maxLength, 0,          0,       nullptr,  nullptr};
}

template <auto Member>
constexpr BootField statistic(Id id, const char *name, const char *captionKey, const char *caption,
                              Key undoName, int editorField)
{
    // A table's cell carries any byte the file holds; what a user types is 1 to 5.
    return number<Member>(id, name, captionKey, caption, undoName, editorField, Rule::Statistic, 0,
                          255);
}

// The ranges are those of the file's fields: 16-bit signed ID, Kolej and nowe, bytes else.
constexpr std::int64_t kShortMin = -32768, kShortMax = 32767;

constexpr std::array<BootField, BootFields::kCount> kFields = {{
    text(Id::Name, "Nazwa", "GroupBox3", "Boots Name", Key::ChangeBootsName, 0, &BootRecord::Nazwa,
         Baza::kNameMax),
    number<&BootRecord::ID>(Id::ID, "ID", "GroupBox16", "ID/Index", std::nullopt, -1, Rule::None,
                            kShortMin, kShortMax),
    number<&BootRecord::Kolej>(Id::Kolej, "Kolej", nullptr, "Kolej", std::nullopt, -1, Rule::None,
                               kShortMin, kShortMax),
    number<&BootRecord::nowe>(Id::Code, "nowe", "GroupBox17", "Producent",
                              Key::ChangeManufacturerCode, 8, Rule::Code, kShortMin, kShortMax),
    number<&BootRecord::Pole5>(Id::Pole5, "Pole5", nullptr, "Pole5", std::nullopt, -1, Rule::None,
                               0, 255),
    statistic<&BootRecord::Sila>(Id::ShotPower, "Sila", "GroupBox7", "Shot Power",
                                 Key::ChangeShotPower, 3),
    statistic<&BootRecord::Precyzja>(Id::ShotAccuracy, "Precyzja", "GroupBox8", "Shot Accuracy",
                                     Key::ChangeShotAccuracy, 4),
    statistic<&BootRecord::Przyspieszenie>(Id::Acceleration, "Przyspieszenie", "GroupBox9",
                                           "Acceleration", Key::ChangeAcceleration, 5),
    statistic<&BootRecord::Szybkosc>(Id::TopSpeed, "Szybkosc", "GroupBox10", "Top Speed",
                                     Key::ChangeTopSpeed, 6),
    statistic<&BootRecord::Podkrecanie>(Id::Swerve, "Podkrecanie", "GroupBox11", "Swerve",
                                        Key::ChangeSwerve, 7),
    text(Id::Material, "NazwaMaterialu", "GroupBox4", "Material Name", Key::ChangeMaterialName, 1,
         &BootRecord::NazwaMaterialu, Baza::kMaterialMax),
    text(Id::Colour, "Kolor", "GroupBox5", "Color Name", Key::ChangeColorName, 2,
         &BootRecord::Kolor, Baza::kColourMax),
}};

// A field is found by its id's value, so the table follows the order of `Id`.
constexpr bool inIdOrder()
{
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (static_cast<std::size_t>(kFields[i].id) != i)
            return false;
    }
    return true;
}
static_assert(inIdOrder());

const std::array<const BootField *, 5> kStatistics = {
    &kFields[static_cast<std::size_t>(Id::ShotPower)],
    &kFields[static_cast<std::size_t>(Id::ShotAccuracy)],
    &kFields[static_cast<std::size_t>(Id::Acceleration)],
    &kFields[static_cast<std::size_t>(Id::TopSpeed)],
    &kFields[static_cast<std::size_t>(Id::Swerve)]};

std::optional<double> roundedNumber(std::string_view typed)
{
    const auto value = VbNumber::parse(typed);
    if (!value)
        return std::nullopt;
    return VbNumber::roundHalfEven(*value);
}

} // namespace

std::string BootField::shown(const BootRecord &record) const
{
    return isText() ? Ansi::toUtf8(record.*text) : std::to_string(number(record));
}

void BootField::storeTyped(BootRecord &record, std::string_view typed) const
{
    switch (rule) {
    case Rule::None:
        return;
    case Rule::Text: {
        std::string ansi = Ansi::fromUtf8(typed);
        // A zero byte would end the text in the file; what follows it could never be read.
        ansi.resize(std::min({ansi.size(), ansi.find('\0'), maxLength}));
        record.*text = std::move(ansi);
        return;
    }
    case Rule::Statistic:
        setNumber(record, BootFields::typedStatistic(typed));
        return;
    case Rule::Code:
        if (const auto value = roundedNumber(typed);
            value && *value >= static_cast<double>(min) && *value <= static_cast<double>(max))
            setNumber(record, static_cast<std::int64_t>(*value));
        return;
    }
}

bool BootField::readsAs(const BootRecord &record, std::string_view typed) const
{
    if (isText())
        return Ansi::toUtf8(record.*text) == typed;
    const auto value = VbNumber::parse(typed);
    return value && *value == static_cast<double>(number(record));
}

namespace BootFields {

std::span<const BootField> all()
{
    return kFields;
}

const BootField &field(BootField::Id id)
{
    return kFields[static_cast<std::size_t>(id)];
}

const BootField *named(std::string_view name)
{
    for (const BootField &f : kFields) {
        if (name == f.name)
            return &f;
    }
    return nullptr;
}

const BootField *editorField(int k)
{
    for (const BootField &f : kFields) {
        if (f.editorField >= 0 && f.editorField == k)
            return &f;
    }
    return nullptr;
}

std::span<const BootField *const> statistics()
{
    return kStatistics;
}

std::uint8_t statistic(double value)
{
    // A 0 would be stored as 1 anyway: the game has no boot without a statistic.
    if (!(value >= kLowestStatistic))
        return kLowestStatistic;
    return value > kHighestStatistic ? kHighestStatistic : static_cast<std::uint8_t>(value);
}

std::uint8_t typedStatistic(std::string_view typed)
{
    const auto value = roundedNumber(typed);
    return statistic(value ? *value : 0.0);
}

std::vector<FieldAdjustment> adjustments(const BootRecord &before, const BootRecord &after,
                                         const std::vector<TypedText> &typed)
{
    std::vector<FieldAdjustment> out;
    for (const BootField &f : kFields) {
        const std::string stored = f.shown(after);
        const TypedText *asTyped = nullptr;
        for (const TypedText &t : typed) {
            if (t.field == &f)
                asTyped = &t;
        }
        if (asTyped) {
            if (!f.readsAs(after, asTyped->text))
                out.push_back({&f, asTyped->text, stored});
        } else if (const std::string held = f.shown(before); held != stored) {
            out.push_back({&f, held, stored});
        }
    }
    return out;
}

} // namespace BootFields
