// Reading a boots table against a two-boot database: never crash; a table that reads applies,
// and the applied database written as a table reads back with no changes. The first byte
// picks the format ('j' JSON, anything else CSV).
#include "boots/Baza.h"
#include "exchange/TableImport.h"

#include <cstdlib>
#include <cstring>

namespace {

Baza twoBoots()
{
    Baza::Bytes plain(Baza::kHeaderSize + 2 * Baza::kRecordSize, 0);
    const std::int32_t header[8] = {1, 8, 32, 2 * 292, -16, 0, 0, 0};
    std::memcpy(plain.data(), header, sizeof header); // the header is little-endian
    plain[32] = 'A';
    plain[32 + 292] = 'B';
    Baza db;
    if (!db.load(plain))
        std::abort();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const Baza original = twoBoots();
    const auto format = data[0] == 'j' ? BootsTable::Format::Json : BootsTable::Format::Csv;
    const std::string_view table(reinterpret_cast<const char *>(data) + 1, size - 1);
    TableImport import;
    if (!import.read(table, format, original)) {
        if (import.problems().empty() || import.problems().size() > TableImport::kMaxProblems + 1)
            std::abort();
        return 0;
    }
    Baza db = original;
    if (!import.apply(db) || db.records() != import.records())
        std::abort();
    TableImport again;
    if (!again.read(BootsTable::write(db.records(), format), format, db) ||
        !again.changes().empty())
        std::abort();
    return 0;
}
