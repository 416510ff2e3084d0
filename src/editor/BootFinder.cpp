#include "BootFinder.h"

namespace BootFinder {

int find(const QStringList &names, const QString &text, int start, Direction direction)
{
    const auto count = static_cast<int>(names.size());
    if (text.isEmpty() || count == 0)
        return -1;
    const int step = direction == Direction::Forward ? 1 : -1;
    int row = ((start % count) + count) % count;
    for (int seen = 0; seen < count; ++seen, row = (row + step + count) % count) {
        if (names[row].contains(text, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

} // namespace BootFinder
