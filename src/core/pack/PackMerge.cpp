#include "PackMerge.h"

#include "ArchiveIdentity.h"
#include "Fingerprint.h"
#include "archive/Textura.h"
#include "boots/Manufacturer.h"
#include "exchange/BootsTable.h"
#include "exchange/TableImport.h"

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>
#include <optional>

namespace PackMerge {

namespace {

using Reasons::Id;

// The magic and the header of a DDS file, which the entry's layout fixes.
constexpr std::size_t kDdsHeaderBytes = 128;

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

Status statusOf(const std::string &current, const std::string &from, const std::string &to)
{
    if (current == to)
        return Status::AlreadyThere;
    return current == from ? Status::Applied : Status::Conflict;
}

std::string quotedName(const std::string &name)
{
    return "\u201c" + name + "\u201d";
}

// Whether the receiver's boot is the one the pack was made for: the same ID, and the name of
// the base or the name the pack gives it. Packs that do not record IDs are taken at their
// word; their "before" values still tell a changed value from an unchanged one.
std::optional<Reason> otherBoot(const PackBootChange &boot, const BootRecord &record)
{
    if (!boot.id)
        return std::nullopt;
    const BootField *nameColumn = BootsTable::column("Nazwa");
    const std::string here = nameColumn->shown(record);
    bool sameName = here == boot.name;
    for (const PackFieldChange &f : boot.fields)
        sameName = sameName || (f.key == "Nazwa" && (here == f.before || here == f.after));
    if (sameName && record.ID == *boot.id)
        return std::nullopt;
    std::string ours = quotedName(here);
    std::string theirs = quotedName(boot.name);
    if (record.ID != *boot.id) {
        ours += " (ID " + std::to_string(record.ID) + ")";
        theirs += " (ID " + std::to_string(*boot.id) + ")";
    }
    return Reason(Id::PackOtherBoot, {std::to_string(boot.position), ours, theirs});
}

// Which of the receiver's archives is each archive the pack names: the one with its entry
// table, or for packs that do not record tables, the one with its file name. An archive
// that fits two parts' table, two archives that fit one part and a given archive that fits
// none are problems of the whole pack.
void matchArchives(const Pack &pack, const Receiver &receiver, bool recorded, Plan &plan)
{
    std::vector<std::optional<PackArchiveTable>> identities;
    for (const Receiver::Archive &a : receiver.archives)
        identities.push_back(ArchiveIdentity::of(a.bytes));
    std::vector<bool> fits(receiver.archives.size(), false);
    for (const PackBase &part : pack.manifest.archives) {
        std::vector<std::size_t> found;
        for (std::size_t i = 0; i < receiver.archives.size(); ++i) {
            const bool same = part.table ? identities[i] && *identities[i] == *part.table
                                         : receiver.archives[i].name == part.name;
            if (same)
                found.push_back(i);
        }
        for (const std::size_t i : found)
            fits[i] = true;
        if (found.size() > 1) {
            plan.problems.push_back(Reason(Id::PackArchivesFitOne,
                                           {receiver.archives[found[0]].shownName(),
                                            receiver.archives[found[1]].shownName(), part.name}));
        } else if (found.size() == 1) {
            plan.archives[part.name] = found[0];
        }
    }
    // A receipt names only the archives its apply changed; the pack itself judges the rest.
    for (std::size_t i = 0; i < receiver.archives.size() && !recorded; ++i) {
        if (receiver.archives[i].given && !fits[i])
            plan.problems.push_back(
                Reason(Id::PackArchiveFitsNothing, {receiver.archives[i].shownName()}));
    }
}

void examineTexture(const PackTextureChange &t, Direction d, const Receiver &receiver,
                    const Plan &plan, const TextureCheck &check, Item &item)
{
    const auto found = plan.archives.find(t.archive);
    if (found == plan.archives.end()) {
        item.status = Status::Problem;
        item.reason = Reason(Id::PackArchiveNotGiven, {t.archive});
        return;
    }
    const Receiver::Archive &archive = receiver.archives[found->second];
    Textura index;
    Reason reason;
    if (Textura::checkTable(archive.bytes, &reason))
        index.load(archive.bytes); // an archive without entries has no entry to change
    if (!reason.empty() || t.entry >= index.Count()) {
        item.status = Status::Problem;
        item.reason = reason.empty() ? Reason(Id::PackNoEntry, {std::to_string(t.entry)}) : reason;
        return;
    }
    const ArchiveEntry entry = ArchiveEntry::of(index, t.entry);
    const Bytes &to = toOf(t, d);
    if (!entry.liesWithin(archive.bytes.size(), &reason) ||
        static_cast<std::uint64_t>(entry.textureLength()) != to.size()) {
        item.status = Status::Problem;
        item.reason = reason.empty()
                          ? Reason(Id::PackEntryLength, {std::to_string(entry.textureLength()),
                                                         std::to_string(to.size())})
                          : reason;
        return;
    }
    if (!check) {
        item.status = Status::Problem;
        item.reason = Reason(Id::PackTexturesUnchecked);
        return;
    }
    if (!check(archive.bytes, entry, to, &reason)) {
        item.status = Status::Problem;
        item.reason = reason;
        return;
    }
    // A pack changes pixels, never the header the entry's layout gives: whatever it was
    // made from, what it writes keeps the header the receiver's entry has.
    const std::size_t header = std::min<std::size_t>(kDdsHeaderBytes, to.size());
    if (!std::equal(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(header),
                    archive.bytes.begin() + entry.textureOffset())) {
        item.status = Status::Problem;
        item.reason = Reason(Id::PackTextureHeader);
        return;
    }
    item.current = Fingerprint::of(archive.bytes.data() + entry.textureOffset(), to.size());
    item.status = statusOf(item.current, fromPrint(t, d), toPrint(t, d));
}

// Without a receipt, a value that holds the pack's result may be the user's own.
void unrecorded(Item &item, Direction direction, bool recorded)
{
    if (direction == Direction::Revert && !recorded && item.status == Status::Applied) {
        item.status = Status::Conflict;
        item.reason = Reason(Id::PackNoRecord);
    }
}

std::string plural(std::size_t n, const char *one, const char *many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string resultText(const Item &item, Direction direction, bool done)
{
    switch (item.status) {
    case Status::Applied:
        if (done)
            return direction == Direction::Apply ? "changed" : "put back";
        return direction == Direction::Apply ? "will change" : "will go back";
    case Status::AlreadyThere:
        return "already there";
    case Status::Conflict: {
        std::string text = "conflict";
        if (!item.reason.empty())
            text += " (" + item.reason.text() + ")";
        if (item.decided && done)
            text += item.take ? ": took the pack's" : ": kept yours";
        else if (item.decided)
            text += item.take ? ": take the pack's" : ": keep yours";
        return text;
    }
    case Status::Problem:
        return "cannot apply: " + item.reason.text();
    }
    return {};
}

} // namespace

const std::string &fromOf(const PackFieldChange &f, Direction d)
{
    return d == Direction::Apply ? f.before : f.after;
}

const std::string &toOf(const PackFieldChange &f, Direction d)
{
    return d == Direction::Apply ? f.after : f.before;
}

Plan examine(const Pack &pack, Direction direction, const Receiver &receiver,
             const TextureCheck &check, bool recorded)
{
    Plan plan;
    std::size_t touched = 0;
    std::vector<Reason> others;
    for (std::size_t b = 0; b < pack.boots.size(); ++b) {
        const PackBootChange &boot = pack.boots[b];
        std::optional<Reason> other;
        if (boot.position < receiver.records.size()) {
            ++touched;
            other = otherBoot(boot, receiver.records[boot.position]);
            if (other)
                others.push_back(*other);
        }
        for (std::size_t f = 0; f < boot.fields.size(); ++f) {
            Item item;
            item.change = b;
            item.field = f;
            const PackFieldChange &field = boot.fields[f];
            const BootField *column = BootsTable::column(field.key);
            if (boot.position >= receiver.records.size()) {
                item.status = Status::Problem;
                item.reason = Reason(Id::PackNoBoot, {std::to_string(boot.position)});
            } else if (!column) {
                item.status = Status::Problem;
                item.reason = Reason(Id::PackNotAField, {field.key});
            } else {
                item.current = column->shown(receiver.records[boot.position]);
                item.status =
                    statusOf(item.current, fromOf(field, direction), toOf(field, direction));
                unrecorded(item, direction, recorded);
                if (other && item.status != Status::AlreadyThere) {
                    item.status = Status::Conflict;
                    item.reason = *other;
                }
            }
            plan.items.push_back(std::move(item));
        }
    }
    // Most of the boots it touches are others: the pack was made for another file, and no
    // choice of the user's makes its changes fit.
    if (!others.empty() && others.size() * 2 > touched)
        plan.problems.push_back(Reason(Id::PackOtherFile, {others.front()}));
    matchArchives(pack, receiver, recorded, plan);
    for (std::size_t t = 0; t < pack.textures.size(); ++t) {
        Item item;
        item.kind = Item::Kind::Texture;
        item.change = t;
        examineTexture(pack.textures[t], direction, receiver, plan, check, item);
        unrecorded(item, direction, recorded);
        plan.items.push_back(std::move(item));
    }
    return plan;
}

void decide(Plan &plan, Policy policy)
{
    for (Item &item : plan.items) {
        if (item.status == Status::Conflict && policy != Policy::Stop) {
            item.take = policy == Policy::Take;
            item.decided = true;
        }
    }
}

Counts count(const Plan &plan)
{
    Counts c;
    c.problems = plan.problems.size();
    for (const Item &item : plan.items) {
        if (!item.include) {
            ++c.left;
            continue;
        }
        switch (item.status) {
        case Status::Applied:
            ++c.applied;
            break;
        case Status::AlreadyThere:
            ++c.already;
            break;
        case Status::Conflict:
            ++(!item.decided ? c.open : item.take ? c.taken : c.kept);
            break;
        case Status::Problem:
            ++c.problems;
            break;
        }
    }
    return c;
}

bool blocked(const Plan &plan, Policy policy)
{
    const Counts c = count(plan);
    return c.problems > 0 || (policy == Policy::Stop && c.open > 0);
}

void apply(const Pack &pack, Direction direction, const Plan &plan, Receiver &receiver)
{
    for (const Item &item : plan.items) {
        if (!item.writes())
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
        const auto found = plan.archives.find(t.archive);
        if (found == plan.archives.end() || found->second >= receiver.archives.size())
            continue;
        Receiver::Archive &archive = receiver.archives[found->second];
        Textura index;
        if (!Textura::checkTable(archive.bytes, nullptr) || !index.load(archive.bytes) ||
            t.entry >= index.Count())
            continue;
        const ArchiveEntry entry = ArchiveEntry::of(index, t.entry);
        const Bytes &to = toOf(t, direction);
        if (entry.liesWithin(archive.bytes.size(), nullptr) &&
            static_cast<std::uint64_t>(entry.textureLength()) == to.size())
            std::memcpy(archive.bytes.data() + entry.textureOffset(), to.data(), to.size());
    }
}

std::string fieldCaption(const std::string &key)
{
    const BootField *column = BootsTable::column(key);
    return column ? column->caption : key;
}

std::string shownValue(const std::string &key, const std::string &value)
{
    const BootField *column = BootsTable::column(key);
    if (column && column->isText())
        return nlohmann::json(value).dump();
    if (column && column->id == BootField::Id::Code) {
        if (const auto name = Manufacturer::nameForText(value))
            return *name + " (" + value + ")";
    }
    return value;
}

std::string describe(const Pack &pack, Direction direction, const Item &item, bool done)
{
    if (item.kind == Item::Kind::Texture) {
        const PackTextureChange &t = pack.textures.at(item.change);
        return t.archive + " entry " + std::to_string(t.entry) + " " +
               nlohmann::json(t.entryName).dump() + ": " + resultText(item, direction, done);
    }
    const PackBootChange &boot = pack.boots.at(item.change);
    const PackFieldChange &f = boot.fields.at(item.field);
    std::string line = "boot " + std::to_string(boot.position) + " " +
                       nlohmann::json(boot.name).dump() + ", " + fieldCaption(f.key) + ": ";
    if (item.status != Status::Problem && item.current != fromOf(f, direction))
        line += "yours " + shownValue(f.key, item.current) + ", ";
    return line + shownValue(f.key, fromOf(f, direction)) + " -> " +
           shownValue(f.key, toOf(f, direction)) + ": " + resultText(item, direction, done);
}

std::string summary(const Pack &pack, Direction direction, const Counts &c, Outcome outcome)
{
    std::vector<std::string> parts;
    if (outcome == Outcome::NotWritten) {
        if (c.problems > 0)
            parts.push_back(plural(c.problems, "problem", "problems"));
        if (c.open > 0)
            parts.push_back(plural(c.open, "conflict", "conflicts"));
        std::string out = "nothing written";
        for (std::size_t i = 0; i < parts.size(); ++i)
            out += (i == 0 ? ": " : ", ") + parts[i];
        return out;
    }
    const bool apply = direction == Direction::Apply;
    if (outcome == Outcome::Written)
        parts.push_back(plural(c.changes(), "change", "changes") +
                        (apply ? " applied" : " reverted"));
    else
        parts.push_back(plural(c.changes(), "change", "changes") +
                        (apply ? " to apply" : " to revert"));
    if (c.already > 0)
        parts.push_back(std::to_string(c.already) + " already there");
    if (c.taken > 0)
        parts.push_back(plural(c.taken, "conflict", "conflicts") + " taken");
    if (c.kept > 0)
        parts.push_back(plural(c.kept, "conflict", "conflicts") + " kept");
    if (c.open > 0)
        parts.push_back(plural(c.open, "conflict", "conflicts") + " to decide");
    if (c.problems > 0)
        parts.push_back(plural(c.problems, "problem", "problems"));
    if (c.left > 0)
        parts.push_back(std::to_string(c.left) + " left out");
    std::string out = "Pack " + quotedName(pack.manifest.title) + ": ";
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i == 0 ? "" : ", ") + parts[i];
    if (outcome == Outcome::Planned)
        out += " (dry run: nothing written)";
    return out;
}

} // namespace PackMerge
