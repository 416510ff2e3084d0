#pragma once
// Finding a boot by part of its name: the list is searched from a starting row onwards and
// wraps around; the comparison ignores case but not accents.
#include <QString>
#include <QStringList>

namespace BootFinder {

enum class Direction { Forward, Backward };

/// The row of the first name containing `text`, looking from `start` (included) in
/// `direction` and wrapping around; -1 when no name matches or `text` is empty.
int find(const QStringList &names, const QString &text, int start,
         Direction direction = Direction::Forward);

} // namespace BootFinder
