#include "Receipt.h"

#include "ArchiveDiff.h"
#include "ArchiveIdentity.h"
#include "Fingerprint.h"
#include "common/FileIo.h"
#include "common/PrivateFolder.h"
#include "exchange/BootsTable.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>

namespace Receipts {

namespace {

using Json = nlohmann::json;
using Reasons::Id;

constexpr int kFormat = 1;
const char *const kSuffix = ".receipt.json";

// The folder of one boots file's receipts: its absolute path, fingerprinted, as the kept
// originals are filed.
std::string folderFor(const std::string &folder, const std::string &path)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(FileIo::toPath(path), ec);
    const std::string key = ec ? path : FileIo::fromPath(absolute.lexically_normal());
    return FileIo::join(
        folder, Fingerprint::of(reinterpret_cast<const std::uint8_t *>(key.data()), key.size()));
}

std::string textureFile(const std::string &id, std::size_t n)
{
    return id + "." + std::to_string(n) + ".dds";
}

Json toJson(const Receipt &r)
{
    Json fields = Json::array();
    for (const PackBootChange &b : r.changes.boots) {
        for (const PackFieldChange &f : b.fields)
            fields.push_back({{"boot", b.position},
                              {"name", b.name},
                              {"id", b.id.value_or(0)},
                              {"key", f.key},
                              {"before", f.before},
                              {"after", f.after}});
    }
    Json archives = Json::array();
    for (std::size_t i = 0; i < r.changes.manifest.archives.size(); ++i) {
        const PackBase &a = r.changes.manifest.archives[i];
        archives.push_back({{"name", a.name},
                            {"path", i < r.archives.size() ? r.archives[i] : std::string()},
                            {"entries", a.table ? a.table->entries : 0},
                            {"names", a.table ? a.table->names : std::string()}});
    }
    Json textures = Json::array();
    for (const PackTextureChange &t : r.changes.textures)
        textures.push_back({{"archive", t.archive},
                            {"entry", t.entry},
                            {"name", t.entryName},
                            {"before", t.beforeFingerprint},
                            {"after", t.afterFingerprint}});
    return {{"format", kFormat},   {"pack", r.packFingerprint}, {"title", r.title},
            {"author", r.author},  {"date", r.packDate},        {"applied", r.applied},
            {"boots", r.boots},    {"archives", archives},      {"fields", fields},
            {"textures", textures}};
}

// Reads a receipt this program wrote; throws on anything else (the caller names the file).
Receipt fromJson(const Json &j)
{
    if (j.at("format").get<int>() != kFormat)
        throw std::runtime_error("an unknown format");
    Receipt r;
    r.packFingerprint = j.at("pack").get<std::string>();
    r.title = j.at("title").get<std::string>();
    r.author = j.at("author").get<std::string>();
    r.packDate = j.at("date").get<std::string>();
    r.applied = j.at("applied").get<std::string>();
    r.boots = j.at("boots").get<std::string>();
    r.changes.manifest.title = r.title;
    r.changes.manifest.author = r.author;
    r.changes.manifest.date = r.packDate;
    for (const Json &a : j.at("archives")) {
        PackBase base;
        base.name = a.at("name").get<std::string>();
        base.table =
            PackArchiveTable{a.at("entries").get<std::int32_t>(), a.at("names").get<std::string>()};
        r.changes.manifest.archives.push_back(std::move(base));
        r.archives.push_back(a.at("path").get<std::string>());
    }
    for (const Json &f : j.at("fields")) {
        const auto position = f.at("boot").get<std::size_t>();
        if (r.changes.boots.empty() || r.changes.boots.back().position != position) {
            PackBootChange boot;
            boot.position = position;
            boot.name = f.at("name").get<std::string>();
            boot.id = f.at("id").get<std::int32_t>();
            r.changes.boots.push_back(std::move(boot));
        }
        r.changes.boots.back().fields.push_back({f.at("key").get<std::string>(),
                                                 f.at("before").get<std::string>(),
                                                 f.at("after").get<std::string>()});
    }
    for (const Json &t : j.at("textures")) {
        PackTextureChange change;
        change.archive = t.at("archive").get<std::string>();
        change.entry = t.at("entry").get<std::int32_t>();
        change.entryName = t.at("name").get<std::string>();
        change.beforeFingerprint = t.at("before").get<std::string>();
        change.afterFingerprint = t.at("after").get<std::string>();
        r.changes.textures.push_back(std::move(change));
    }
    return r;
}

bool readOne(const std::string &home, const std::string &id, Receipt &receipt, Reason &why)
{
    FileIo::Bytes bytes;
    if (!FileIo::readFile(FileIo::join(home, id + kSuffix), bytes, &why, FileIo::Links::Refuse))
        return false;
    try {
        receipt = fromJson(Json::parse(bytes.begin(), bytes.end()));
    } catch (const std::exception &e) {
        why = Reason(std::string(e.what()));
        return false;
    }
    receipt.id = id;
    for (std::size_t n = 0; n < receipt.changes.textures.size(); ++n) {
        PackTextureChange &t = receipt.changes.textures[n];
        if (!FileIo::readFile(FileIo::join(home, textureFile(id, n)), t.before, &why,
                              FileIo::Links::Refuse))
            return false;
        if (Fingerprint::of(t.before) != t.beforeFingerprint) {
            why = Reason(Id::PackNotItsFingerprint, {textureFile(id, n)});
            return false;
        }
    }
    return true;
}

} // namespace

Receipt make(const Pack &pack, const PackMerge::Plan &plan, const PackMerge::Receiver &before,
             const std::string &packFingerprint, const std::string &bootsPath,
             const std::string &applied)
{
    Receipt r;
    r.packFingerprint = packFingerprint;
    r.title = pack.manifest.title;
    r.author = pack.manifest.author;
    r.packDate = pack.manifest.date;
    r.applied = applied;
    r.boots = bootsPath;
    r.changes.manifest.title = r.title;
    r.changes.manifest.author = r.author;
    r.changes.manifest.date = r.packDate;
    const BootField *nameColumn = BootsTable::column("Nazwa");
    for (const PackMerge::Item &item : plan.items) {
        if (!item.writes())
            continue;
        if (item.kind == PackMerge::Item::Kind::Field) {
            const PackBootChange &boot = pack.boots.at(item.change);
            const PackFieldChange &f = boot.fields.at(item.field);
            const BootRecord &record = before.records.at(boot.position);
            if (r.changes.boots.empty() || r.changes.boots.back().position != boot.position) {
                PackBootChange own;
                own.position = boot.position;
                own.name = nameColumn->shown(record);
                own.id = record.ID;
                r.changes.boots.push_back(std::move(own));
            }
            r.changes.boots.back().fields.push_back({f.key, item.current, f.after});
            continue;
        }
        const PackTextureChange &t = pack.textures.at(item.change);
        const std::size_t a = plan.archives.at(t.archive);
        const PackMerge::Receiver::Archive &archive = before.archives.at(a);
        const auto known =
            std::find_if(r.changes.manifest.archives.begin(), r.changes.manifest.archives.end(),
                         [&archive](const PackBase &b) { return b.name == archive.name; });
        if (known == r.changes.manifest.archives.end()) {
            r.changes.manifest.archives.push_back(
                {archive.name, {}, ArchiveIdentity::of(archive.bytes)});
            r.archives.push_back(archive.path.empty() ? archive.name : archive.path);
        }
        PackTextureChange own;
        own.archive = archive.name;
        own.entry = t.entry;
        own.entryName = t.entryName;
        ArchiveDiff::textureOf(archive.bytes, t.entry, own.before);
        own.beforeFingerprint = item.current;
        own.afterFingerprint = t.afterFingerprint;
        r.changes.textures.push_back(std::move(own));
    }
    return r;
}

bool write(const std::string &folder, Receipt &receipt, ReasonOut error)
{
    const std::string home = folderFor(folder, receipt.boots);
    // The user's folder is missing until the editor first runs; the command line makes it as
    // the editor does.
    if (!FileIo::makeParentFolders(folder, error) || !PrivateFolder::ensure(folder, error) ||
        !PrivateFolder::ensure(home, error))
        return false;
    // The time of the apply orders receipts; the pack's fingerprint tells two applies of one
    // second apart.
    std::string stem = receipt.applied + "-" + receipt.packFingerprint.substr(0, 12);
    std::replace(stem.begin(), stem.end(), ':', '-');
    std::string id = stem;
    for (int n = 2; FileIo::exists(FileIo::join(home, id + kSuffix)); ++n)
        id = stem + "-" + std::to_string(n);
    for (std::size_t n = 0; n < receipt.changes.textures.size(); ++n) {
        // Only the JSON is flushed to the disk: a texture lost with a crash makes its receipt
        // unreadable (its fingerprint is checked), never a wrong revert.
        if (!FileIo::writeNamedFile(FileIo::join(home, textureFile(id, n)),
                                    receipt.changes.textures[n].before, error,
                                    FileIo::Sync::Cached)) {
            for (std::size_t k = 0; k < n; ++k)
                FileIo::removeFile(FileIo::join(home, textureFile(id, k)));
            return false;
        }
    }
    // The JSON last: a receipt without it is not one, so a failure leaves none.
    const std::string text = toJson(receipt).dump(1);
    if (!FileIo::writeNamedFile(FileIo::join(home, id + kSuffix),
                                reinterpret_cast<const std::uint8_t *>(text.data()), text.size(),
                                error, FileIo::Sync::Durable)) {
        for (std::size_t n = 0; n < receipt.changes.textures.size(); ++n)
            FileIo::removeFile(FileIo::join(home, textureFile(id, n)));
        return false;
    }
    receipt.id = id;
    return true;
}

std::vector<Receipt> list(const std::string &folder, const std::string &path,
                          std::vector<Reason> *unreadable)
{
    std::vector<Receipt> out;
    const std::string home = folderFor(folder, path);
    if (!PrivateFolder::isOwn(home))
        return out;
    std::vector<std::string> ids;
    std::error_code ec;
    for (const auto &item : std::filesystem::directory_iterator(FileIo::toPath(home), ec)) {
        const std::string name = FileIo::fromPath(item.path().filename());
        const std::string suffix = kSuffix;
        if (name.size() > suffix.size() && name.ends_with(suffix))
            ids.push_back(name.substr(0, name.size() - suffix.size()));
    }
    std::sort(ids.begin(), ids.end());
    for (const std::string &id : ids) {
        Receipt r;
        Reason why;
        if (readOne(home, id, r, why))
            out.push_back(std::move(r));
        else if (unreadable)
            unreadable->push_back(Reason(Id::ReceiptUnreadable, {id, why}));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Receipt &a, const Receipt &b) { return a.applied < b.applied; });
    return out;
}

bool remove(const std::string &folder, const Receipt &receipt)
{
    const std::string home = folderFor(folder, receipt.boots);
    bool gone = FileIo::removeFile(FileIo::join(home, receipt.id + kSuffix)) ||
                !FileIo::exists(FileIo::join(home, receipt.id + kSuffix));
    for (std::size_t n = 0; n < receipt.changes.textures.size(); ++n)
        FileIo::removeFile(FileIo::join(home, textureFile(receipt.id, n)));
    return gone;
}

const Receipt *latest(const std::vector<Receipt> &receipts, const std::string &packFingerprint)
{
    for (auto r = receipts.rbegin(); r != receipts.rend(); ++r) {
        if (r->packFingerprint == packFingerprint)
            return &*r;
    }
    return nullptr;
}

Revert revert(const Pack &pack, const std::string &packFingerprint,
              const std::vector<Receipt> &receipts, const PackMerge::Receiver &receiver,
              const PackMerge::TextureCheck &check)
{
    Revert out;
    out.plan = PackMerge::examine(pack, PackMerge::Direction::Revert, receiver, check);
    out.receipt = latest(receipts, packFingerprint);
    if (!out.receipt)
        return out;
    PackMerge::Plan recorded = PackMerge::examine(
        out.receipt->changes, PackMerge::Direction::Revert, receiver, check, true);
    recorded.problems.insert(recorded.problems.begin(), out.plan.problems.begin(),
                             out.plan.problems.end());
    out.plan = std::move(recorded);
    return out;
}

std::string now()
{
    using namespace std::chrono;
    const auto time = floor<seconds>(system_clock::now());
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    std::ostringstream text;
    text << std::setfill('0') << std::setw(4) << static_cast<int>(date.year()) << '-'
         << std::setw(2) << static_cast<unsigned>(date.month()) << '-' << std::setw(2)
         << static_cast<unsigned>(date.day()) << 'T' << std::setw(2) << clock.hours().count() << ':'
         << std::setw(2) << clock.minutes().count() << ':' << std::setw(2)
         << clock.seconds().count() << 'Z';
    return text.str();
}

} // namespace Receipts
