#pragma once
// The boots database as a table for spreadsheets and scripts: one row per boot in file order,
// one column per field, written as CSV or JSON in UTF-8. TableImport reads it back.
#include "boots/BootFields.h"
#include "common/Reason.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace BootsTable {

enum class Format { Csv, Json };

/// The twelve columns: every field of a boot, in the order of the record.
std::span<const BootField> columns();
/// The column named `name` (exactly), or null.
const BootField *column(std::string_view name);

/// The table format a file name asks for by its extension (".csv" or ".json", any case).
std::optional<Format> formatOf(const std::string &path);

/// CSV (RFC 4180): a UTF-8 byte-order mark, the header row and one row per record, CRLF line
/// ends, a field quoted only when it holds a comma, a quote or a line break.
std::string csv(const std::vector<BootRecord> &records);
/// One CSV field as csv() writes it: quoted only when it holds a comma, a quote or a line break.
std::string csvField(const std::string &utf8);
/// JSON (RFC 8259): an array holding one object per record, keyed by the column names.
std::string json(const std::vector<BootRecord> &records);
std::string write(const std::vector<BootRecord> &records, Format format);
/// Writes the table to `path` in the format its extension names, replacing the file safely.
/// False with the reason in *error for another extension or a failed write.
bool writeFile(const std::string &path, const std::vector<BootRecord> &records, ReasonOut error);

} // namespace BootsTable
