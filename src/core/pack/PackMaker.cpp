#include "PackMaker.h"

#include "ArchiveDiff.h"
#include "ArchiveIdentity.h"
#include "BootsDiff.h"
#include "Fingerprint.h"
#include "archive/Textura.h"
#include "boots/BootFields.h"
#include "common/Printable.h"

#include <optional>

namespace PackMaker {

namespace {

bool fail(ReasonOut error, const Reason &reason)
{
    return error.fail(reason);
}

// What no receiver may take, and so no pack carries: a change of a boot's ID or Kolej, or a
// control character in its name or a text (a reader refuses them all).
std::optional<Reason> untakeable(const PackBootChange &boot)
{
    using Reasons::Id;
    const auto control = [](const std::string &key,
                            const std::string &text) -> std::optional<Reason> {
        if (const auto c = Printable::firstControl(text))
            return Reason(Id::NamedLine, {key, Reason(Id::ControlCharacter, {*c})});
        return std::nullopt;
    };
    if (auto refused = control("name", boot.name))
        return refused;
    for (const PackFieldChange &field : boot.fields) {
        const BootField *column = BootFields::named(field.key);
        if (column->id == BootField::Id::ID || column->id == BootField::Id::Kolej)
            return Reason(Id::NamedLine, {field.key, Reason(Id::FieldKept)});
        for (const std::string *value : {&field.before, &field.after}) {
            if (auto refused = control(field.key, *value))
                return refused;
        }
    }
    return std::nullopt;
}

} // namespace

bool make(const Input &input, Pack &pack, ReasonOut error)
{
    if (input.base.size() != input.mine.size())
        return fail(error, Reason(Reasons::Id::PackBaseBoots, {std::to_string(input.base.size()),
                                                               std::to_string(input.mine.size())}));
    Pack out;
    out.manifest = input.manifest;
    out.manifest.format = PackManifest::kFormat;
    out.manifest.boots = {input.bootsName, Fingerprint::of(input.baseBoots)};
    for (PackBootChange &boot : BootsDiff::compare(input.base, input.mine).changed) {
        if (input.onlyBoots && !input.onlyBoots->count(boot.position))
            continue;
        if (const auto refused = untakeable(boot))
            return fail(
                error,
                Reason(Reasons::Id::NamedLine,
                       {Reason(Reasons::Id::PackBoot, {std::to_string(boot.position)}), *refused}));
        out.boots.push_back(std::move(boot));
    }
    for (const ArchivePair &pair : input.archives) {
        const ArchiveDiff::Result diff = ArchiveDiff::compare(pair.base, pair.mine);
        if (diff.countA != diff.countB)
            return fail(error, Reason(Reasons::Id::NamedLine,
                                      {pair.name, Reason(Reasons::Id::PackBaseEntries,
                                                         {std::to_string(diff.countA),
                                                          std::to_string(diff.countB)})}));
        Reason unreadable;
        if (!Textura::checkTable(pair.base, &unreadable))
            return fail(error, Reason(Reasons::Id::NamedLine, {pair.name, unreadable}));
        out.manifest.archives.push_back(
            {pair.name, Fingerprint::of(pair.base), ArchiveIdentity::of(pair.base)});
        for (const ArchiveDiff::Entry &entry : diff.changed) {
            PackTextureChange change;
            change.archive = pair.name;
            change.entry = entry.entry;
            change.entryName = entry.name;
            if (!ArchiveDiff::textureOf(pair.base, entry.entry, change.before) ||
                !ArchiveDiff::textureOf(pair.mine, entry.entry, change.after))
                return fail(error, Reason(Reasons::Id::NamedLine,
                                          {pair.name, Reason(Reasons::Id::PackEntryOutside,
                                                             {std::to_string(entry.entry)})}));
            // A pack carries pixels only, as every change of a texture here makes them.
            if (!ArchiveDiff::sameHeader(change.before, change.after))
                return fail(error, Reason(Reasons::Id::NamedLine,
                                          {Reason(Reasons::Id::PackEntryOf,
                                                  {pair.name, std::to_string(entry.entry)}),
                                           Reason(Reasons::Id::PackTextureHeader)}));
            change.beforeFingerprint = Fingerprint::of(change.before);
            change.afterFingerprint = Fingerprint::of(change.after);
            out.textures.push_back(std::move(change));
        }
    }
    pack = std::move(out);
    return true;
}

} // namespace PackMaker
