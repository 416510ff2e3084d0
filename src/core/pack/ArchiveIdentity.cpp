#include "ArchiveIdentity.h"

#include "Fingerprint.h"
#include "archive/ArchiveEntry.h"
#include "archive/Textura.h"

namespace ArchiveIdentity {

std::optional<PackArchiveTable> of(const std::vector<std::uint8_t> &archive)
{
    if (!Textura::checkTable(archive, nullptr))
        return std::nullopt;
    Textura index;
    index.load(archive);
    PackArchiveTable table;
    table.entries = index.Count();
    // Each name as its entry holds it, followed by a separator no name contains, so that the
    // names cannot run into each other.
    std::vector<std::uint8_t> names;
    for (std::int32_t entry = 0; entry < table.entries; ++entry) {
        std::string name;
        if (!ArchiveEntry::of(index, entry).readName(archive, name, nullptr))
            name.clear(); // an unreadable name counts as none
        names.insert(names.end(), name.begin(), name.end());
        names.push_back(0);
    }
    table.names = Fingerprint::of(names);
    return table;
}

} // namespace ArchiveIdentity
