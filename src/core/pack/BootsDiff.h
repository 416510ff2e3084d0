#pragma once
// What differs between two boots files: boots are paired by their position in the file, never
// by content, and each boot that differs lists its changed fields (old and new value as the
// boots table shows them). It cannot fail.
#include "Pack.h"
#include "boots/BootRecord.h"

#include <string>
#include <vector>

namespace BootsDiff {

struct Result
{
    std::vector<PackBootChange> changed; ///< in file order; the name is the first file's
    std::size_t countA = 0;              ///< boots of the first file
    std::size_t countB = 0;              ///< boots of the second
    std::size_t fields() const;
    bool equal() const { return changed.empty() && countA == countB; }
};

/// The boots at the positions both files have are compared; boots past the shorter file's
/// end are told by the counts only.
Result compare(const std::vector<BootRecord> &a, const std::vector<BootRecord> &b);

/// The fields in which two boots differ, in the order of the table's columns.
std::vector<PackFieldChange> fieldsOf(const BootRecord &a, const BootRecord &b);

} // namespace BootsDiff
