#include "BootsTable.h"

#include "common/FileIo.h"

#include <algorithm>
#include <cctype>
#include <csv.h>
#include <nlohmann/json.hpp>

namespace {

const std::span<const BootField> kColumns = BootFields::all();

} // namespace

namespace BootsTable {

std::string csvField(const std::string &utf8)
{
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out(2 * utf8.size() + 2, '\0');
    out.resize(csv_write(out.data(), out.size(), utf8.data(), utf8.size()));
    return out;
}

std::span<const BootField> columns()
{
    return BootFields::all();
}

const BootField *column(std::string_view name)
{
    return BootFields::named(name);
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
    for (const BootField &c : kColumns)
        out += std::string(&c == kColumns.data() ? "" : ",") + c.name;
    out += "\r\n";
    for (const BootRecord &r : records) {
        for (const BootField &c : kColumns)
            out += (&c == kColumns.data() ? "" : ",") + csvField(c.shown(r));
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
        for (const BootField &c : kColumns) {
            out += (&c == kColumns.data() ? "\"" : ", \"") + std::string(c.name) + "\": ";
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
