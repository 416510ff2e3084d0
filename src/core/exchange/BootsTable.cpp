#include "BootsTable.h"

#include "common/Ansi.h"
#include "common/FileIo.h"

#include <algorithm>
#include <cctype>
#include <csv.h>
#include <nlohmann/json.hpp>

namespace {

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
constexpr BootsColumn number(const char *name, std::int64_t min, std::int64_t max)
{
    return {name, nullptr, 0, min, max, numberOf<Member>, setNumberOf<Member>};
}

constexpr BootsColumn text(const char *name, std::string BootRecord::*member, std::size_t maxLength)
{
    return {name, member, maxLength, 0, 0, nullptr, nullptr};
}

// The ranges are those of the file's fields: 16-bit signed ID, Kolej and nowe, bytes else.
constexpr std::int64_t kShortMin = -32768, kShortMax = 32767;
const BootsColumn kColumns[] = {text("Nazwa", &BootRecord::Nazwa, 60),
                                number<&BootRecord::ID>("ID", kShortMin, kShortMax),
                                number<&BootRecord::Kolej>("Kolej", kShortMin, kShortMax),
                                number<&BootRecord::nowe>("nowe", kShortMin, kShortMax),
                                number<&BootRecord::Pole5>("Pole5", 0, 255),
                                number<&BootRecord::Sila>("Sila", 0, 255),
                                number<&BootRecord::Precyzja>("Precyzja", 0, 255),
                                number<&BootRecord::Przyspieszenie>("Przyspieszenie", 0, 255),
                                number<&BootRecord::Szybkosc>("Szybkosc", 0, 255),
                                number<&BootRecord::Podkrecanie>("Podkrecanie", 0, 255),
                                text("NazwaMaterialu", &BootRecord::NazwaMaterialu, 125),
                                text("Kolor", &BootRecord::Kolor, 83)};

} // namespace

std::string BootsColumn::shown(const BootRecord &record) const
{
    return isText() ? Ansi::toUtf8(record.*text) : std::to_string(number(record));
}

namespace BootsTable {

std::string csvField(const std::string &utf8)
{
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out(2 * utf8.size() + 2, '\0');
    out.resize(csv_write(out.data(), out.size(), utf8.data(), utf8.size()));
    return out;
}

std::span<const BootsColumn> columns()
{
    return kColumns;
}

const BootsColumn *column(std::string_view name)
{
    for (const BootsColumn &c : kColumns) {
        if (name == c.name)
            return &c;
    }
    return nullptr;
}

std::optional<Format> formatOf(const std::string &path)
{
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.ends_with(".csv"))
        return Format::Csv;
    if (lower.ends_with(".json"))
        return Format::Json;
    return std::nullopt;
}

std::string csv(const std::vector<BootRecord> &records)
{
    std::string out = "\xEF\xBB\xBF";
    for (const BootsColumn &c : kColumns)
        out += std::string(&c == kColumns ? "" : ",") + c.name;
    out += "\r\n";
    for (const BootRecord &r : records) {
        for (const BootsColumn &c : kColumns)
            out += (&c == kColumns ? "" : ",") + csvField(c.shown(r));
        out += "\r\n";
    }
    return out;
}

std::string json(const std::vector<BootRecord> &records)
{
    // One record per line, so that a table under version control shows changes by boot.
    std::string out = "[";
    for (std::size_t i = 0; i < records.size(); ++i) {
        out += i ? ",\n  {" : "\n  {";
        for (const BootsColumn &c : kColumns) {
            out += (&c == kColumns ? "\"" : ", \"") + std::string(c.name) + "\": ";
            out += c.isText() ? nlohmann::json(c.shown(records[i])).dump()
                              : std::to_string(c.number(records[i]));
        }
        out += "}";
    }
    return out + (records.empty() ? "]\n" : "\n]\n");
}

std::string write(const std::vector<BootRecord> &records, Format format)
{
    return format == Format::Csv ? csv(records) : json(records);
}

bool writeFile(const std::string &path, const std::vector<BootRecord> &records, ReasonOut error)
{
    const auto format = formatOf(path);
    if (!format)
        return error.fail(Reason(Reasons::Id::TableFileName));
    const std::string table = write(records, *format);
    return FileIo::writeFileAtomic(path, reinterpret_cast<const std::uint8_t *>(table.data()),
                                   table.size(), error);
}

} // namespace BootsTable
