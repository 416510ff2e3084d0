#pragma once
// The boot pack commands that change a user's files: bootpack apply and revert, which keep and
// follow the receipts of applies, and bootpack applied, which lists them. Exit status: 0 for
// success, 1 when conflicts stopped a pack, 2 for any other problem (nothing is written then).
#include <string>
#include <vector>

namespace PackMergeCommands {

/// bootpack apply PACK BOOTS.bin [--archive ARCH]... [--dry-run] [--quiet]
///                                [--on-conflict stop|keep|take] [--receipts DIR]
int apply(const std::vector<std::string> &args);
/// bootpack revert (the same arguments)
int revert(const std::vector<std::string> &args);
/// bootpack applied BOOTS.bin [--receipts DIR]
int list(const std::vector<std::string> &args);

} // namespace PackMergeCommands
