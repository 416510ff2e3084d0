#include "PackWords.h"

#include "GuiText.h"
#include "UiText.h"
#include "boots/Manufacturer.h"
#include "exchange/BootsTable.h"

using UiText::Key;

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
    return column ? UiText::caption(*column) : QString::fromStdString(key);
}

void add(QStringList &parts, Key key, std::size_t n)
{
    if (n > 0)
        parts << UiText::counted(key, n);
}

} // namespace

QStringList headers()
{
    return {UiText::text(Key::PackColumnBoot), UiText::text(Key::PackColumnField),
            UiText::text(Key::PackColumnYours), UiText::text(Key::PackColumnPack),
            UiText::text(Key::PackColumnResult)};
}

QString result(PackMerge::Direction direction, const PackMerge::Item &item)
{
    if (!item.include)
        return UiText::text(Key::PackLeftOut);
    switch (item.status) {
    case PackMerge::Status::Applied:
        return UiText::text(direction == PackMerge::Direction::Apply ? Key::PackWillChange
                                                                     : Key::PackWillRevert);
    case PackMerge::Status::AlreadyThere:
        return UiText::text(Key::PackAlreadyThere);
    case PackMerge::Status::Conflict: {
        QString text = !item.decided ? UiText::text(Key::PackConflict)
                       : item.take   ? UiText::text(Key::PackTakeTheirs)
                                     : UiText::text(Key::PackKeepYours);
        if (!item.reason.empty())
            text += QStringLiteral(" (") + UiText::reason(item.reason) + QLatin1Char(')');
        return text;
    }
    case PackMerge::Status::Problem:
        return UiText::text(Key::PackCannotApply, {UiText::reason(item.reason)});
    }
    return {};
}

QStringList row(const Pack &changes, PackMerge::Direction direction, const PackMerge::Item &item)
{
    const QString arrow = QStringLiteral(" \u2192 ");
    if (item.kind == PackMerge::Item::Kind::Texture) {
        const PackTextureChange &t = changes.textures.at(item.change);
        return {QString::fromStdString(t.archive),
                UiText::text(Key::PackTexture,
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
    parts << UiText::counted(direction == PackMerge::Direction::Apply ? Key::PackCountApplied
                                                                      : Key::PackCountReverted,
                             counts.changes());
    add(parts, Key::PackCountAlready, counts.already);
    add(parts, Key::PackCountTaken, counts.taken);
    add(parts, Key::PackCountKept, counts.kept);
    add(parts, Key::PackCountLeft, counts.left);
    return UiText::text(Key::PackDone, {QString::fromStdString(changes.manifest.title),
                                        parts.join(QStringLiteral(", "))});
}

QString report(const Pack &changes, PackMerge::Direction direction, const PackMerge::Plan &plan)
{
    QString out = QString::fromStdString(changes.manifest.title) + QLatin1Char('\n');
    for (const Reason &whole : plan.problems)
        out += UiText::text(Key::PackCannotApplyWhole, {UiText::reason(whole)}) + QLatin1Char('\n');
    out += headers().join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const PackMerge::Item &item : plan.items)
        out += row(changes, direction, item).join(QLatin1Char('\t')) + QLatin1Char('\n');
    return out + summary(changes, direction, PackMerge::count(plan)) + QLatin1Char('\n');
}

} // namespace PackWords
