#include "PackFile.h"

#include "Fingerprint.h"
#include "common/FileIo.h"
#include "common/Reason.h"
#include "exchange/BootsTable.h"
#include "exchange/TableImport.h"

#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <zip.h>

namespace PackFile {

namespace {

using Json = nlohmann::json;

const char *const kManifest = "manifest.json";
const char *const kChanges = "changes.json";

std::string textureName(std::size_t n, bool after)
{
    return "textures/" + std::to_string(n) + (after ? ".after.dds" : ".before.dds");
}

// A refusal met deep inside the reading, carried out to read() as its one reason.
struct Refused
{
    Reason reason;
};

[[noreturn]] void refuse(Reason reason)
{
    throw Refused{std::move(reason)};
}

bool fail(ReasonOut error, const Reason &reason)
{
    return error.fail(reason);
}

using Reasons::Id;

// A name in the zip as reasons show it.
std::string quoted(const std::string &name)
{
    return "\"" + name + "\"";
}

// --- writing -------------------------------------------------------------------------------

Json manifestJson(const PackManifest &m)
{
    Json archives = Json::array();
    for (const PackBase &a : m.archives) {
        Json archive = {{"name", a.name}, {"fingerprint", a.fingerprint}};
        if (a.table) {
            archive["entries"] = a.table->entries;
            archive["names"] = a.table->names;
        }
        archives.push_back(std::move(archive));
    }
    return {{"format", m.format},
            {"title", m.title},
            {"author", m.author},
            {"description", m.description},
            {"program", m.program},
            {"date", m.date},
            {"boots", {{"name", m.boots.name}, {"fingerprint", m.boots.fingerprint}}},
            {"archives", archives}};
}

// A value as its column keeps it in JSON: numbers as numbers, texts as strings.
Json valueJson(const std::string &key, const std::string &value)
{
    const BootField *column = BootsTable::column(key);
    if (column && !column->isText())
        return std::stoll(value);
    return value;
}

Json changesJson(const Pack &pack)
{
    Json boots = Json::array();
    for (const PackBootChange &b : pack.boots) {
        Json fields = Json::array();
        for (const PackFieldChange &f : b.fields)
            fields.push_back({{"key", f.key},
                              {"before", valueJson(f.key, f.before)},
                              {"after", valueJson(f.key, f.after)}});
        Json boot = {{"boot", b.position}, {"name", b.name}, {"fields", fields}};
        if (b.id)
            boot["id"] = *b.id;
        boots.push_back(std::move(boot));
    }
    Json textures = Json::array();
    for (const PackTextureChange &t : pack.textures)
        textures.push_back({{"archive", t.archive},
                            {"entry", t.entry},
                            {"name", t.entryName},
                            {"before", t.beforeFingerprint},
                            {"after", t.afterFingerprint}});
    return {{"boots", boots}, {"textures", textures}};
}

struct ZipCloser
{
    void operator()(zip_t *z) const { zip_discard(z); }
};

bool addEntry(zip_t *zip, const std::string &name, const void *data, std::size_t size, bool deflate)
{
    zip_source_t *source = zip_source_buffer(zip, data, size, 0);
    if (!source)
        return false;
    const zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    // A fixed time keeps a pack of the same changes the same bytes.
    return zip_file_set_mtime(zip, static_cast<zip_uint64_t>(index), 315532800, 0) == 0 &&
           zip_set_file_compression(zip, static_cast<zip_uint64_t>(index),
                                    deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0;
}

// --- reading -------------------------------------------------------------------------------

// The zip's entries by name, each checked against the limits before any byte is unpacked.
struct Entries
{
    std::map<std::string, zip_uint64_t> byName;
};

Entries checkEntries(zip_t *zip)
{
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    if (count < 0 || static_cast<zip_uint64_t>(count) > kMaxEntries)
        refuse(Reason(Id::PackTooManyFiles, {std::to_string(kMaxEntries)}));
    Entries entries;
    std::uint64_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        const zip_uint64_t wanted = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE |
                                    ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
        if (zip_stat_index(zip, i, ZIP_FL_ENC_RAW, &st) != 0 || (st.valid & wanted) != wanted)
            refuse(Reason(Id::PackTableDamaged));
        const std::string name = st.name;
        const bool json = name == kManifest || name == kChanges;
        if (!json && !(name.starts_with("textures/") && name.ends_with(".dds")))
            refuse(Reason(Id::PackUnknownFile, {quoted(name)}));
        if (!entries.byName.emplace(name, i).second)
            refuse(Reason(Id::PackFileTwice, {quoted(name)}));
        if (st.encryption_method != ZIP_EM_NONE)
            refuse(Reason(Id::PackFileEncrypted, {quoted(name)}));
        if (st.comp_method != ZIP_CM_STORE && st.comp_method != ZIP_CM_DEFLATE)
            refuse(Reason(Id::PackFileNotDeflate, {quoted(name)}));
        const std::uint64_t limit = json ? kMaxJsonBytes : kMaxTextureBytes;
        if (st.size > limit)
            refuse(Reason(Id::PackFileTooLarge, {quoted(name), std::to_string(limit >> 20)}));
        if (st.size / std::max<std::uint64_t>(st.comp_size, 1) > kMaxRatio)
            refuse(Reason(Id::PackFileRatio, {quoted(name), std::to_string(kMaxRatio)}));
        total += st.size;
        if (total > kMaxTotalBytes)
            refuse(Reason(Id::PackTotalTooLarge, {std::to_string(kMaxTotalBytes >> 20)}));
    }
    return entries;
}

// Unpacks one entry, never more than the size its table gave (checked against the limits).
Bytes unpack(zip_t *zip, const Entries &entries, const std::string &name)
{
    const auto found = entries.byName.find(name);
    if (found == entries.byName.end())
        refuse(Reason(Id::PackFileMissing, {quoted(name)}));
    zip_stat_t st;
    zip_stat_init(&st);
    zip_stat_index(zip, found->second, ZIP_FL_ENC_RAW, &st);
    std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> file(zip_fopen_index(zip, found->second, 0),
                                                            zip_fclose);
    if (!file)
        refuse(Reason(Id::PackFileNotUnpacked, {quoted(name)}));
    Bytes data(static_cast<std::size_t>(st.size) + 1);
    std::size_t have = 0;
    while (have < data.size()) {
        const zip_int64_t got = zip_fread(file.get(), data.data() + have, data.size() - have);
        if (got < 0)
            refuse(Reason(Id::PackFileDamaged, {quoted(name)}));
        if (got == 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    if (have != st.size)
        refuse(Reason(Id::PackFileOtherSize, {quoted(name)}));
    data.resize(have);
    return data;
}

Json parse(const Bytes &text, const std::string &name)
{
    const auto check = [](int depth, Json::parse_event_t event, Json &) {
        if ((event == Json::parse_event_t::object_start ||
             event == Json::parse_event_t::array_start) && depth >= kMaxDepth)
            refuse(Reason(Id::PackNestedTooDeep, {std::to_string(kMaxDepth)}));
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), check);
    } catch (const Refused &r) {
        refuse(Reason(Id::NamedLine, {quoted(name), r.reason}));
    } catch (const Json::exception &) {
        refuse(Reason(Id::PackNotJson, {quoted(name)}));
    }
}

const Json &member(const Json &object, const char *key, Json::value_t type, const Reason &where)
{
    if (!object.is_object())
        refuse(Reason(Id::NotAnObject, {where}));
    const auto found = object.find(key);
    const bool fits = found != object.end() &&
                      (found->type() == type ||
                       (type == Json::value_t::number_integer && found->is_number_unsigned()));
    if (!fits)
        refuse(Reason(Id::PackNoMember, {where, key}));
    return *found;
}

std::string text(const Json &object, const char *key, const Reason &where)
{
    return member(object, key, Json::value_t::string, where).get<std::string>();
}

std::int64_t whole(const Json &object, const char *key, const Reason &where, std::int64_t max)
{
    const Json &value = member(object, key, Json::value_t::number_integer, where);
    if (value.is_number_unsigned() ? value.get<std::uint64_t>() > static_cast<std::uint64_t>(max)
                                   : value.get<std::int64_t>() < 0 || value.get<std::int64_t>() > max)
        refuse(Reason(Id::PackOutsideRange, {where, key, std::to_string(max)}));
    return value.get<std::int64_t>();
}

// A whole number that may be negative, as a boot's ID is.
std::int64_t signedWhole(const Json &object, const char *key, const Reason &where,
                         std::int64_t min, std::int64_t max)
{
    const Json &value = member(object, key, Json::value_t::number_integer, where);
    if (value.is_number_unsigned() ? value.get<std::uint64_t>() > static_cast<std::uint64_t>(max)
                                   : value.get<std::int64_t>() < min || value.get<std::int64_t>() > max)
        refuse(Reason(Id::NamedLine, {where, Reason(Id::OutsideRange, {key, std::to_string(min),
                                                                        std::to_string(max)})}));
    return value.get<std::int64_t>();
}

std::string fingerprint(const Json &object, const char *key, const Reason &where)
{
    std::string value = text(object, key, where);
    if (!Fingerprint::isWellFormed(value))
        refuse(Reason(Id::PackNotFingerprint, {where, key}));
    return value;
}

PackManifest readManifest(const Json &doc)
{
    PackManifest m;
    const Reason where(kManifest);
    m.format = static_cast<int>(whole(doc, "format", where, 1000));
    if (m.format > PackManifest::kFormat)
        refuse(Reason(Id::PackNewerFormat, {std::to_string(m.format)}));
    m.title = text(doc, "title", where);
    m.author = text(doc, "author", where);
    m.description = text(doc, "description", where);
    m.program = text(doc, "program", where);
    m.date = text(doc, "date", where);
    const Json &boots = member(doc, "boots", Json::value_t::object, where);
    const Reason inBoots(Id::PackFieldOf, {kManifest, "boots"});
    m.boots = {text(boots, "name", inBoots), fingerprint(boots, "fingerprint", inBoots)};
    for (const Json &a : member(doc, "archives", Json::value_t::array, where)) {
        const Reason at(Id::PackFieldOf, {kManifest, "archives"});
        PackBase archive{text(a, "name", at), fingerprint(a, "fingerprint", at)};
        if (m.format >= 2)
            archive.table = PackArchiveTable{
                static_cast<std::int32_t>(whole(a, "entries", at, 0x7FFFFFFF)),
                fingerprint(a, "names", at)};
        m.archives.push_back(std::move(archive));
    }
    return m;
}

// A field's value as the pack gives it, checked as a boots table's cell is.
std::string fieldValue(const Json &field, const char *key, const BootField &column,
                       const Reason &where)
{
    const Json::value_t type = column.isText() ? Json::value_t::string : Json::value_t::number_integer;
    const Json &value = member(field, key, type, where);
    std::string shown = column.isText() ? value.get<std::string>() : value.dump();
    BootRecord scratch;
    Reason reason;
    if (!TableImport::readValue(scratch, column, shown, &reason))
        refuse(Reason(Id::NamedLine, {where, Reason(Id::NamedLine, {key, reason})}));
    if (column.shown(scratch) != shown)
        refuse(Reason(Id::PackNotFieldValue, {where, key}));
    return shown;
}

std::vector<PackBootChange> readBoots(const Json &doc, int format)
{
    std::vector<PackBootChange> boots;
    std::set<std::int64_t> seen;
    for (const Json &b : member(doc, "boots", Json::value_t::array, kChanges)) {
        PackBootChange change;
        const std::int64_t position = whole(b, "boot", Reason(Id::PackABoot), 65535);
        const Reason where(Id::PackBoot, {std::to_string(position)});
        if (!seen.insert(position).second)
            refuse(Reason(Id::PackChangedTwice, {where}));
        change.position = static_cast<std::size_t>(position);
        change.name = text(b, "name", where);
        if (format >= 2)
            change.id = static_cast<std::int32_t>(signedWhole(b, "id", where, -32768, 32767));
        std::set<std::string> keys;
        for (const Json &f : member(b, "fields", Json::value_t::array, where)) {
            const std::string key = text(f, "key", where);
            const BootField *column = BootsTable::column(key);
            if (!column)
                refuse(Reason(Id::NamedLine, {where, Reason(Id::PackNotAField, {quoted(key)})}));
            if (!keys.insert(key).second)
                refuse(Reason(Id::NamedLine, {where, Reason(Id::PackChangedTwice, {key})}));
            const Reason at(Id::PackFieldOf, {where, key});
            change.fields.push_back(
                {key, fieldValue(f, "before", *column, at), fieldValue(f, "after", *column, at)});
        }
        boots.push_back(std::move(change));
    }
    return boots;
}

std::vector<PackTextureChange> readTextures(const Json &doc, const PackManifest &manifest,
                                            zip_t *zip, const Entries &entries)
{
    std::vector<PackTextureChange> textures;
    const Json &list = member(doc, "textures", Json::value_t::array, kChanges);
    if (list.size() > kMaxTextures)
        refuse(Reason(Id::PackTooManyTextures, {std::to_string(kMaxTextures)}));
    std::set<std::pair<std::string, std::int64_t>> seen;
    for (const Json &t : list) {
        PackTextureChange change;
        change.archive = text(t, "archive", Reason(Id::PackATexture));
        change.entry =
            static_cast<std::int32_t>(whole(t, "entry", Reason(Id::PackATexture), 0x7FFFFFFF));
        const Reason where(Id::PackEntryOf, {change.archive, std::to_string(change.entry)});
        bool known = false;
        for (const PackBase &a : manifest.archives)
            known = known || a.name == change.archive;
        if (!known)
            refuse(Reason(Id::NamedLine, {where, Reason(Id::PackNoSuchArchive)}));
        if (!seen.insert({change.archive, change.entry}).second)
            refuse(Reason(Id::PackChangedTwice, {where}));
        change.entryName = text(t, "name", where);
        change.beforeFingerprint = fingerprint(t, "before", where);
        change.afterFingerprint = fingerprint(t, "after", where);
        change.before = unpack(zip, entries, textureName(textures.size(), false));
        change.after = unpack(zip, entries, textureName(textures.size(), true));
        if (Fingerprint::of(change.before) != change.beforeFingerprint ||
            Fingerprint::of(change.after) != change.afterFingerprint)
            refuse(Reason(Id::NamedLine, {where, Reason(Id::PackNotItsFingerprint)}));
        textures.push_back(std::move(change));
    }
    if (entries.byName.size() != 2 + 2 * textures.size())
        refuse(Reason(Id::PackUnnamedTextures));
    return textures;
}

} // namespace

bool write(const Pack &pack, Bytes &zip, ReasonOut error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    if (!buffer)
        return fail(error, Reason(Id::PackNoMemoryToMake));
    zip_source_keep(buffer);
    std::unique_ptr<zip_source_t, void (*)(zip_source_t *)> keep(buffer, zip_source_free);
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(buffer, ZIP_TRUNCATE, &zipError));
    if (!archive)
        return fail(error, Reason(Id::PackNoMemoryToMake));
    const std::string manifest = manifestJson(pack.manifest).dump(2) + "\n";
    const std::string changes = changesJson(pack).dump(2) + "\n";
    bool ok = addEntry(archive.get(), kManifest, manifest.data(), manifest.size(), true) &&
              addEntry(archive.get(), kChanges, changes.data(), changes.size(), true);
    for (std::size_t i = 0; ok && i < pack.textures.size(); ++i) {
        const PackTextureChange &t = pack.textures[i];
        ok = addEntry(archive.get(), textureName(i, false), t.before.data(), t.before.size(), true) &&
             addEntry(archive.get(), textureName(i, true), t.after.data(), t.after.size(), true);
    }
    if (!ok)
        return fail(error, Reason(Id::PackZipNotMade, {zip_strerror(archive.get())}));
    // Closing writes the zip into the buffer and frees the archive; only a failed close leaves
    // it to be discarded.
    zip_t *const closing = archive.release();
    if (zip_close(closing) != 0) {
        archive.reset(closing);
        return fail(error, Reason(Id::PackZipNotMade, {zip_strerror(closing)}));
    }
    zip_stat_t st;
    if (zip_source_stat(buffer, &st) != 0 || zip_source_open(buffer) != 0)
        return fail(error, Reason(Id::PackZipNotReadBack));
    Bytes out(static_cast<std::size_t>(st.size));
    const zip_int64_t got = zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    if (got != static_cast<zip_int64_t>(out.size()))
        return fail(error, Reason(Id::PackZipNotReadBack));
    zip = std::move(out);
    return true;
}

bool writeFile(const Pack &pack, const std::string &path, ReasonOut error)
{
    Bytes zip;
    return write(pack, zip, error) && FileIo::writeNamedFile(path, zip, error, FileIo::Sync::Durable);
}

bool read(const Bytes &zipBytes, Pack &pack, ReasonOut error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *source = zip_source_buffer_create(zipBytes.data(), zipBytes.size(), 0, &zipError);
    if (!source)
        return fail(error, Reason(Id::PackNoMemoryToRead));
    zip_t *opened = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
    if (!opened) {
        zip_source_free(source);
        return fail(error, Reason(Id::PackNotZip));
    }
    std::unique_ptr<zip_t, ZipCloser> zip(opened);
    try {
        const Entries entries = checkEntries(zip.get());
        Pack out;
        out.manifest = readManifest(parse(unpack(zip.get(), entries, kManifest), kManifest));
        const Json changes = parse(unpack(zip.get(), entries, kChanges), kChanges);
        out.boots = readBoots(changes, out.manifest.format);
        out.textures = readTextures(changes, out.manifest, zip.get(), entries);
        pack = std::move(out);
        return true;
    } catch (const Refused &r) {
        return fail(error, r.reason);
    }
}

bool readFile(const std::string &path, Pack &pack, ReasonOut error)
{
    // The read refuses anything but a regular file of at most kMaxFileBytes before it reads.
    Bytes zip;
    return FileIo::readFile(path, zip, error, FileIo::Links::Follow, kMaxFileBytes) &&
           read(zip, pack, error);
}

} // namespace PackFile
