#include "PackMerge.h"

#include "ArchiveDiff.h"
#include "Fingerprint.h"
#include "archive/Textura.h"
#include "exchange/BootsTable.h"
#include "exchange/TableImport.h"

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>

namespace PackMerge {

namespace {

// What the change replaces and what it puts there, in the direction of travel.
const std::string &fromOf(const PackFieldChange &f, Direction d)
{
    return d == Direction::Apply ? f.before : f.after;
}
const std::string &toOf(const PackFieldChange &f, Direction d)
{
    return d == Direction::Apply ? f.after : f.before;
}
const Bytes &toOf(const PackTextureChange &t, Direction d)
{
    return d == Direction::Apply ? t.after : t.before;
}
const std::string &fromPrint(const PackTextureChange &t, Direction d)
{
    return d == Direction::Apply ? t.beforeFingerprint : t.afterFingerprint;
}
const std::string &toPrint(const PackTextureChange &t, Direction d)
{
    return d == Direction::Apply ? t.afterFingerprint : t.beforeFingerprint;
}

const Receiver::Archive *archiveNamed(const Receiver &receiver, const std::string &name)
{
    for (const Receiver::Archive &a : receiver.archives) {
        if (a.name == name)
            return &a;
    }
    return nullptr;
}

Status statusOf(const std::string &current, const std::string &from, const std::string &to)
{
    if (current == to)
        return Status::AlreadyThere;
    return current == from ? Status::Applied : Status::Conflict;
}

void examineTexture(const PackTextureChange &t, Direction d, const Receiver &receiver,
                    const TextureCheck &check, Item &item)
{
    const Receiver::Archive *archive = archiveNamed(receiver, t.archive);
    if (!archive) {
        item.status = Status::Problem;
        item.problem = Reason(Reasons::Id::PackArchiveNotGiven, {t.archive});
        return;
    }
    Textura index;
    Reason reason;
    if (Textura::checkTable(archive->bytes, &reason))
        index.load(archive->bytes); // an archive without entries has no entry to change
    if (!reason.empty() || t.entry >= index.Count()) {
        item.status = Status::Problem;
        item.problem =
            reason.empty() ? Reason(Reasons::Id::PackNoEntry, {std::to_string(t.entry)}) : reason;
        return;
    }
    const ArchiveEntry entry = ArchiveEntry::of(index, t.entry);
    const Bytes &to = toOf(t, d);
    if (!entry.liesWithin(archive->bytes.size(), &reason) ||
        static_cast<std::uint64_t>(entry.textureLength()) != to.size()) {
        item.status = Status::Problem;
        item.problem =
            reason.empty()
                ? Reason(Reasons::Id::PackEntryLength,
                         {std::to_string(entry.textureLength()), std::to_string(to.size())})
                : reason;
        return;
    }
    if (!check) {
        item.status = Status::Problem;
        item.problem = Reason(Reasons::Id::PackTexturesUnchecked);
        return;
    }
    if (!check(archive->bytes, entry, to, &reason)) {
        item.status = Status::Problem;
        item.problem = reason;
        return;
    }
    item.current = Fingerprint::of(archive->bytes.data() + entry.textureOffset(), to.size());
    item.status = statusOf(item.current, fromPrint(t, d), toPrint(t, d));
}

std::string quoted(const std::string &key, const std::string &value)
{
    const BootField *column = BootsTable::column(key);
    return column && column->isText() ? nlohmann::json(value).dump() : value;
}

std::string statusText(const Item &item)
{
    switch (item.status) {
    case Status::Applied:
        return "applies";
    case Status::AlreadyThere:
        return "already there";
    case Status::Conflict:
        return !item.decided ? "conflict" : item.take ? "conflict (taken)" : "conflict (kept)";
    case Status::Problem:
        return "problem: " + item.problem.text();
    }
    return {};
}

} // namespace

std::vector<Item> examine(const Pack &pack, Direction direction, const Receiver &receiver,
                          const TextureCheck &check)
{
    std::vector<Item> items;
    for (std::size_t b = 0; b < pack.boots.size(); ++b) {
        const PackBootChange &boot = pack.boots[b];
        for (std::size_t f = 0; f < boot.fields.size(); ++f) {
            Item item;
            item.change = b;
            item.field = f;
            const PackFieldChange &field = boot.fields[f];
            const BootField *column = BootsTable::column(field.key);
            if (boot.position >= receiver.records.size()) {
                item.status = Status::Problem;
                item.problem = Reason(Reasons::Id::PackNoBoot, {std::to_string(boot.position)});
            } else if (!column) {
                item.status = Status::Problem;
                item.problem = Reason(Reasons::Id::PackNotAField, {field.key});
            } else {
                item.current = column->shown(receiver.records[boot.position]);
                item.status =
                    statusOf(item.current, fromOf(field, direction), toOf(field, direction));
            }
            items.push_back(std::move(item));
        }
    }
    for (std::size_t t = 0; t < pack.textures.size(); ++t) {
        Item item;
        item.kind = Item::Kind::Texture;
        item.change = t;
        examineTexture(pack.textures[t], direction, receiver, check, item);
        items.push_back(std::move(item));
    }
    return items;
}

void decide(std::vector<Item> &items, Policy policy)
{
    for (Item &item : items) {
        if (item.status == Status::Conflict && policy != Policy::Stop) {
            item.take = policy == Policy::Take;
            item.decided = true;
        }
    }
}

Counts count(const std::vector<Item> &items)
{
    Counts c;
    for (const Item &item : items) {
        if (!item.include)
            continue;
        switch (item.status) {
        case Status::Applied:
            ++c.applied;
            break;
        case Status::AlreadyThere:
            ++c.already;
            break;
        case Status::Conflict:
            ++(item.take ? c.taken : c.kept);
            break;
        case Status::Problem:
            ++c.problems;
            break;
        }
    }
    return c;
}

bool blocked(const std::vector<Item> &items, Policy policy)
{
    const Counts c = count(items);
    return c.problems > 0 || (policy == Policy::Stop && c.conflicts() > 0);
}

void apply(const Pack &pack, Direction direction, const std::vector<Item> &items,
           Receiver &receiver)
{
    for (const Item &item : items) {
        const bool writes = item.include && (item.status == Status::Applied ||
                                             (item.status == Status::Conflict && item.take));
        if (!writes)
            continue;
        if (item.kind == Item::Kind::Field) {
            if (item.change >= pack.boots.size() ||
                item.field >= pack.boots[item.change].fields.size())
                continue;
            const PackBootChange &boot = pack.boots[item.change];
            const PackFieldChange &field = boot.fields[item.field];
            const BootField *column = BootsTable::column(field.key);
            if (column && boot.position < receiver.records.size())
                TableImport::readValue(receiver.records[boot.position], *column,
                                       toOf(field, direction), nullptr);
            continue;
        }
        if (item.change >= pack.textures.size())
            continue;
        const PackTextureChange &t = pack.textures[item.change];
        for (Receiver::Archive &archive : receiver.archives) {
            if (archive.name != t.archive)
                continue;
            Textura index;
            std::string unreadable;
            if (!Textura::checkTable(archive.bytes, &unreadable) || !index.load(archive.bytes) ||
                t.entry >= index.Count())
                break;
            const ArchiveEntry entry = ArchiveEntry::of(index, t.entry);
            const Bytes &to = toOf(t, direction);
            if (entry.liesWithin(archive.bytes.size(), nullptr) &&
                static_cast<std::uint64_t>(entry.textureLength()) == to.size())
                std::memcpy(archive.bytes.data() + entry.textureOffset(), to.data(), to.size());
            break;
        }
    }
}

std::string describe(const Pack &pack, Direction direction, const Item &item)
{
    if (item.kind == Item::Kind::Texture) {
        const PackTextureChange &t = pack.textures.at(item.change);
        return t.archive + " entry " + std::to_string(t.entry) + " " +
               nlohmann::json(t.entryName).dump() + ": " + statusText(item);
    }
    const PackBootChange &boot = pack.boots.at(item.change);
    const PackFieldChange &f = boot.fields.at(item.field);
    std::string line = "boot " + std::to_string(boot.position) + " " +
                       nlohmann::json(boot.name).dump() + ", " + f.key + ": ";
    if (item.status != Status::Problem)
        line += "now " + quoted(f.key, item.current) + ", ";
    return line + "pack " + quoted(f.key, fromOf(f, direction)) + " -> " +
           quoted(f.key, toOf(f, direction)) + ": " + statusText(item);
}

std::string summary(const Counts &c, Policy policy)
{
    std::string out = std::to_string(c.applied) + " applied, " + std::to_string(c.already) +
                      " already there, " + std::to_string(c.conflicts()) + " conflict" +
                      (c.conflicts() == 1 ? "" : "s");
    if (c.conflicts() > 0) {
        if (policy == Policy::Stop && c.taken == 0)
            out += " (nothing changed)";
        else if (c.taken == 0)
            out += " (kept)";
        else if (c.kept == 0)
            out += " (taken)";
        else
            out += " (" + std::to_string(c.kept) + " kept, " + std::to_string(c.taken) + " taken)";
    }
    if (c.problems > 0)
        out += ", " + std::to_string(c.problems) + " problem" + (c.problems == 1 ? "" : "s");
    return out;
}

} // namespace PackMerge
