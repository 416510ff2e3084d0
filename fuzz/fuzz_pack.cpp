// Reading a boot pack from a stranger: never crash; a pack that reads writes back to a pack
// that reads the same, and merging it into a small boots file and archive in either direction
// stays within them.
#include "pack/PackFile.h"
#include "pack/PackMerge.h"

#include <cstdlib>
#include <cstring>

namespace {

std::vector<BootRecord> twoBoots()
{
    std::vector<BootRecord> records(2);
    records[0].Nazwa = "A";
    records[1].Nazwa = "B";
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const PackFile::Bytes zip(data, data + size);
    Pack pack;
    std::string error;
    // Read as `show` reads a pack, with no archives to bound its textures.
    if (!PackFile::read(zip, pack, &error, PackFile::kShowLimits)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    PackFile::Bytes again;
    Pack reread;
    if (!PackFile::write(pack, again, &error) ||
        !PackFile::read(again, reread, &error, PackFile::kShowLimits) || !(reread == pack))
        std::abort();
    const auto fits = [](const PackMerge::Bytes &, const ArchiveEntry &, const PackMerge::Bytes &,
                         ReasonOut) { return true; };
    for (const auto direction : {PackMerge::Direction::Apply, PackMerge::Direction::Revert}) {
        PackMerge::Receiver receiver{twoBoots(), {}};
        for (const PackBase &archive : pack.manifest.archives)
            receiver.archives.push_back({archive.name, PackMerge::Bytes(64, 1)});
        // Both ways a revert reads it: without a receipt, and as the receipt of an apply.
        PackMerge::Plan plan = PackMerge::examine(pack, direction, receiver, fits,
                                                  direction == PackMerge::Direction::Revert);
        PackMerge::decide(plan, PackMerge::Policy::Take);
        for (PackMerge::Item &item : plan.items)
            item.include = item.status != PackMerge::Status::Problem;
        const std::size_t archives = receiver.archives.size();
        PackMerge::apply(pack, direction, plan, receiver);
        if (receiver.records.size() != 2 || receiver.archives.size() != archives)
            std::abort();
    }
    return 0;
}
