#include "PackWords.h"

#include "CoreStrings.h"
#include "Translation.h"
#include "boots/Manufacturer.h"
#include "exchange/BootsTable.h"

using Translation::Key;

namespace PackWords {

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("\u201c") + text + QStringLiteral("\u201d");
}

// A value as the window shows it: text quoted, a maker by name, a number as it is.
QString shown(const std::string &key, const std::string &value)
{
    const BootField *column = BootsTable::column(key);
    if (column && column->isText())
        return quoted(QString::fromStdString(value));
    if (column && column->id == BootField::Id::Code) {
        if (const auto name = Manufacturer::nameForText(value))
            return QString::fromStdString(*name);
    }
    return QString::fromStdString(value);
}

QString caption(const std::string &key)
{
    const BootField *column = BootsTable::column(key);
    return column ? Translation::caption(*column) : QString::fromStdString(key);
}

void add(QStringList &parts, Key key, std::size_t n)
{
    if (n > 0)
        parts << Translation::counted(key, n);
}

} // namespace

QStringList headers()
{
    return {Translation::text(Key::PackColumnBoot), Translation::text(Key::PackColumnField),
            Translation::text(Key::PackColumnYours), Translation::text(Key::PackColumnPack),
            Translation::text(Key::PackColumnResult)};
}

QString result(PackMerge::Direction direction, const PackMerge::Item &item)
{
    if (!item.include)
        return Translation::text(Key::PackLeftOut);
    switch (item.status) {
    case PackMerge::Status::Applied:
        return Translation::text(direction == PackMerge::Direction::Apply ? Key::PackWillChange
                                                                          : Key::PackWillRevert);
    case PackMerge::Status::AlreadyThere:
        return Translation::text(Key::PackAlreadyThere);
    case PackMerge::Status::Conflict: {
        QString text = !item.decided ? Translation::text(Key::PackConflict)
                       : item.take   ? Translation::text(Key::PackTakeTheirs)
                                     : Translation::text(Key::PackKeepYours);
        if (!item.reason.empty())
            text += QStringLiteral(" (") + Translation::reason(item.reason) + QLatin1Char(')');
        return text;
    }
    case PackMerge::Status::Problem:
        return Translation::text(Key::PackCannotApply, {Translation::reason(item.reason)});
    }
    return {};
}

QStringList row(const Pack &changes, PackMerge::Direction direction, const PackMerge::Item &item)
{
    const QString arrow = QStringLiteral(" \u2192 ");
    if (item.kind == PackMerge::Item::Kind::Texture) {
        const PackTextureChange &t = changes.textures.at(item.change);
        return {QString::fromStdString(t.archive),
                Translation::text(Key::PackTexture,
                                  {QString::number(t.entry), QString::fromStdString(t.entryName)}),
                QString(), QString(), result(direction, item)};
    }
    const PackBootChange &boot = changes.boots.at(item.change);
    const PackFieldChange &f = boot.fields.at(item.field);
    const bool hasValue = item.status != PackMerge::Status::Problem;
    return {QString::number(boot.position) + QStringLiteral("  ") +
                QString::fromStdString(boot.name),
            caption(f.key), hasValue ? shown(f.key, item.current) : QString(),
            shown(f.key, PackMerge::fromOf(f, direction)) + arrow +
                shown(f.key, PackMerge::toOf(f, direction)),
            result(direction, item)};
}

QString summary(const Pack &changes, PackMerge::Direction direction,
                const PackMerge::Counts &counts)
{
    QStringList parts;
    parts << Translation::counted(direction == PackMerge::Direction::Apply ? Key::PackCountApplied
                                                                           : Key::PackCountReverted,
                                  counts.changes());
    add(parts, Key::PackCountAlready, counts.already);
    add(parts, Key::PackCountTaken, counts.taken);
    add(parts, Key::PackCountKept, counts.kept);
    add(parts, Key::PackCountLeft, counts.left);
    return Translation::text(Key::PackDone, {QString::fromStdString(changes.manifest.title),
                                             parts.join(QStringLiteral(", "))});
}

QString report(const Pack &changes, PackMerge::Direction direction, const PackMerge::Plan &plan)
{
    QString out = QString::fromStdString(changes.manifest.title) + QLatin1Char('\n');
    for (const Reason &whole : plan.problems)
        out += Translation::text(Key::PackCannotApplyWhole, {Translation::reason(whole)}) +
               QLatin1Char('\n');
    out += headers().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const PackMerge::Item &item : plan.items)
        out += row(changes, direction, item).join(QLatin1Char('\t')) + QLatin1Char('\n');
    return out + summary(changes, direction, PackMerge::count(plan)) + QLatin1Char('\n');
}

} // namespace PackWords
