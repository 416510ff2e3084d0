#pragma once
// A pack's plan in the user's language, for the Apply and Revert Pack windows, their saved
// report and the status line: each change as its boot, the field by the caption the window
// shows (a manufacturer by its maker's name), the receiver's value, the pack's change and what
// happens to it; and counts with their plural forms. Never the file's internal keys.
#include "pack/PackMerge.h"

#include <QString>
#include <QStringList>

namespace PackWords {

/// The five columns of one change: Boot, Field, Yours, Pack (before → after), Result.
QStringList row(const Pack &changes, PackMerge::Direction direction, const PackMerge::Item &item);
/// What happens to the change as it stands now (left out, will change, conflict: keep yours …).
QString result(PackMerge::Direction direction, const PackMerge::Item &item);
/// The column headers.
QStringList headers();
/// "Pack “TITLE”: 7 changes applied, 1 already there", in the user's language.
QString summary(const Pack &changes, PackMerge::Direction direction,
                const PackMerge::Counts &counts);
/// The report of a plan: the title, one line per change with its columns, the summary.
QString report(const Pack &changes, PackMerge::Direction direction, const PackMerge::Plan &plan);

} // namespace PackWords
