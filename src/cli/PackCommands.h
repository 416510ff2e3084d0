#pragma once
// The comparing and boot pack commands of cleatwork-cli: diff, and bootpack create, show,
// apply and revert. Their exit status is 0 for success, 1 when files differ (diff) or
// conflicts stopped a pack, and 2 for any other problem.
#include <string>
#include <vector>

namespace PackCommands {

extern const char *const kDiffHelp;
extern const char *const kBootpackHelp;

/// diff A.bin B.bin [--archive A_ARCH B_ARCH]... [--format text|json|csv]
int diff(const std::vector<std::string> &args);
/// bootpack create|show|apply|revert ...
int bootpack(const std::vector<std::string> &args);

} // namespace PackCommands
