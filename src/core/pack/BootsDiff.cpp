#include "BootsDiff.h"

#include "common/Ansi.h"
#include "exchange/BootsTable.h"

#include <algorithm>

namespace BootsDiff {

std::size_t Result::fields() const
{
    std::size_t n = 0;
    for (const PackBootChange &b : changed)
        n += b.fields.size();
    return n;
}

std::vector<PackFieldChange> fieldsOf(const BootRecord &a, const BootRecord &b)
{
    std::vector<PackFieldChange> out;
    if (a == b)
        return out;
    for (const BootField &c : BootsTable::columns()) {
        const bool same = c.isText() ? a.*c.text == b.*c.text : c.number(a) == c.number(b);
        if (!same)
            out.push_back({c.name, c.shown(a), c.shown(b)});
    }
    return out;
}

Result compare(const std::vector<BootRecord> &a, const std::vector<BootRecord> &b)
{
    Result result;
    result.countA = a.size();
    result.countB = b.size();
    const std::size_t both = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < both; ++i) {
        if (a[i] == b[i])
            continue;
        result.changed.push_back({i, Ansi::toUtf8(a[i].Nazwa), fieldsOf(a[i], b[i]), a[i].ID});
    }
    return result;
}

} // namespace BootsDiff
