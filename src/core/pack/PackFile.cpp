#include "PackFile.h"

#include "ArchiveDiff.h"
#include "Fingerprint.h"
#include "PackEntries.h"
#include "PackJson.h"
#include "archive/ArchiveEntry.h"
#include "archive/Textura.h"
#include "common/FileIo.h"
#include "common/Printable.h"
#include "common/Reason.h"
#include "exchange/BootsTable.h"
#include "exchange/TableImport.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <zip.h>

namespace PackFile {

namespace {

using Json = PackJson::Json;

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

// A name from the pack as reasons show it: quoted, and on one line whatever it holds.
std::string quoted(const std::string &name)
{
    return "\"" + Printable::name(name) + "\"";
}


// --- reading -------------------------------------------------------------------------------

// The zip's entries by name, each checked against the limits before any byte is unpacked.
struct Entries
{
    std::map<std::string, zip_uint64_t> byName;
};

Entries checkEntries(zip_t *zip, const Limits &limits)
{
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    if (count < 0 || static_cast<zip_uint64_t>(count) > kMaxEntries)
        refuse(Reason(Id::PackTooManyFiles, {std::to_string(kMaxEntries)}));
    Entries entries;
    std::uint64_t total = 0;
    std::uint64_t textures = 0;
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
        if (json)
            continue;
        if (st.size > limits.texture)
            refuse(Reason(Id::PackTextureTooLarge, {quoted(name), std::to_string(st.size),
                                                    std::to_string(limits.texture)}));
        textures += st.size;
        if (textures > limits.textures)
            refuse(Reason(Id::PackTexturesTooLarge,
                          {std::to_string(textures), std::to_string(limits.textures)}));
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

Json parse(const Bytes &text, const std::string &name, const PackJson::Shape &shape)
{
    Json doc;
    Reason why;
    if (!PackJson::parse(text, name, shape, doc, &why))
        refuse(why);
    return doc;
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

// A name the pack gives a file, a boot or an entry: one line of plain text, as every list and
// message that shows it needs. (The title and the description are shown escaped instead.)
std::string name(const Json &object, const char *key, const Reason &where)
{
    std::string value = text(object, key, where);
    if (const auto control = Printable::firstControl(value))
        refuse(Reason(Id::NamedLine,
                      {where, Reason(Id::NamedLine, {key, Reason(Id::ControlCharacter, {*control})})}));
    return value;
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

// A member that the first format does not have is as unknown in it as any other key.
void newerOnly(const Json &object, const char *key, int format, const Reason &where)
{
    if (format < 2 && object.is_object() && object.contains(key))
        refuse(Reason(Id::PackUnknownKey, {where, quoted(key)}));
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
    const Json &format = member(doc, "format", Json::value_t::number_integer, where);
    if (format.is_number_unsigned() ? format.get<std::uint64_t>() > PackManifest::kFormat
                                    : format.get<std::int64_t>() > PackManifest::kFormat)
        refuse(Reason(Id::PackNewerFormat, {format.dump()}));
    if (format.get<std::int64_t>() < PackManifest::kOldestFormat)
        refuse(Reason(Id::PackUnknownFormat, {format.dump()}));
    m.format = format.get<int>();
    m.title = text(doc, "title", where);
    m.author = text(doc, "author", where);
    m.description = text(doc, "description", where);
    m.program = text(doc, "program", where);
    m.date = text(doc, "date", where);
    const Json &boots = member(doc, "boots", Json::value_t::object, where);
    const Reason inBoots(Id::PackFieldOf, {kManifest, "boots"});
    m.boots = {name(boots, "name", inBoots), fingerprint(boots, "fingerprint", inBoots)};
    for (const Json &a : member(doc, "archives", Json::value_t::array, where)) {
        const Reason at(Id::PackFieldOf, {kManifest, "archives"});
        newerOnly(a, "entries", m.format, at);
        newerOnly(a, "names", m.format, at);
        PackBase archive{name(a, "name", at), fingerprint(a, "fingerprint", at)};
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
        change.name = name(b, "name", where);
        newerOnly(b, "id", format, where);
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
            // A boot's ID and Kolej stay as the receiver's file holds them, as every edit
            // leaves them.
            if (column->id == BootField::Id::ID || column->id == BootField::Id::Kolej)
                refuse(Reason(Id::NamedLine, {where, Reason(Id::NamedLine, {key, Reason(Id::FieldKept)})}));
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
    std::set<std::pair<std::string, std::int64_t>> seen;
    for (const Json &t : list) {
        PackTextureChange change;
        change.archive = name(t, "archive", Reason(Id::PackATexture));
        change.entry =
            static_cast<std::int32_t>(whole(t, "entry", Reason(Id::PackATexture), 0x7FFFFFFF));
        const Reason where(Id::PackEntryOf,
                           {Printable::name(change.archive), std::to_string(change.entry)});
        bool known = false;
        for (const PackBase &a : manifest.archives)
            known = known || a.name == change.archive;
        if (!known)
            refuse(Reason(Id::NamedLine, {where, Reason(Id::PackNoSuchArchive)}));
        if (!seen.insert({change.archive, change.entry}).second)
            refuse(Reason(Id::PackChangedTwice, {where}));
        change.entryName = name(t, "name", where);
        change.beforeFingerprint = fingerprint(t, "before", where);
        change.afterFingerprint = fingerprint(t, "after", where);
        change.before = unpack(zip, entries, textureName(textures.size(), false));
        change.after = unpack(zip, entries, textureName(textures.size(), true));
        if (Fingerprint::of(change.before) != change.beforeFingerprint ||
            Fingerprint::of(change.after) != change.afterFingerprint)
            refuse(Reason(Id::NamedLine, {where, Reason(Id::PackNotItsFingerprint)}));
        // Only the pixels change: the header is the one the entry's layout has, and another
        // (a pitch or reserved words of its own) would reach the archive whole.
        if (!ArchiveDiff::sameHeader(change.before, change.after))
            refuse(Reason(Id::NamedLine, {where, Reason(Id::PackTextureHeader)}));
        textures.push_back(std::move(change));
    }
    if (entries.byName.size() != 2 + 2 * textures.size())
        refuse(Reason(Id::PackUnnamedTextures));
    return textures;
}

} // namespace

void allowFor(Limits &limits, const Bytes &archive)
{
    if (!Textura::checkTable(archive, nullptr))
        return;
    Textura index;
    index.load(archive);
    std::uint64_t largest = 0, all = 0;
    for (std::int32_t entry = 0; entry < index.Count(); ++entry) {
        const ArchiveEntry place = ArchiveEntry::of(index, entry);
        if (!place.liesWithin(archive.size(), nullptr))
            continue;
        const auto length = static_cast<std::uint64_t>(place.textureLength());
        largest = std::max(largest, length);
        all += 2 * length;
    }
    limits.texture = std::max(limits.texture, largest);
    limits.textures += all;
}

namespace {

// The zip opened from `source`, which it then owns; a zip that libzip refuses for holding
// one name twice is opened without the consistency check, so that checkEntries() names it.
zip_t *openZip(const Bytes &zipBytes, ReasonOut error)
{
    for (const zip_flags_t flags : {ZIP_RDONLY | ZIP_CHECKCONS, ZIP_RDONLY}) {
        zip_error_t zipError;
        zip_error_init(&zipError);
        zip_source_t *source =
            zip_source_buffer_create(zipBytes.data(), zipBytes.size(), 0, &zipError);
        if (!source) {
            fail(error, Reason(Id::PackNoMemoryToRead));
            return nullptr;
        }
        zip_t *opened = zip_open_from_source(source, static_cast<int>(flags), &zipError);
        if (opened)
            return opened;
        zip_source_free(source);
        if (zip_error_code_zip(&zipError) != ZIP_ER_EXISTS)
            break;
    }
    fail(error, Reason(Id::PackNotZip));
    return nullptr;
}

} // namespace

bool read(const Bytes &zipBytes, Pack &pack, ReasonOut error, const Limits &limits)
{
    zip_t *opened = openZip(zipBytes, error);
    if (!opened)
        return false;
    std::unique_ptr<zip_t, ZipCloser> zip(opened);
    try {
        const Entries entries = checkEntries(zip.get(), limits);
        Pack out;
        out.manifest = readManifest(
            parse(unpack(zip.get(), entries, kManifest), kManifest, PackJson::manifestShape()));
        const Json changes =
            parse(unpack(zip.get(), entries, kChanges), kChanges, PackJson::changesShape());
        out.boots = readBoots(changes, out.manifest.format);
        out.textures = readTextures(changes, out.manifest, zip.get(), entries);
        pack = std::move(out);
        return true;
    } catch (const Refused &r) {
        return fail(error, r.reason);
    }
}

bool readFile(const std::string &path, Pack &pack, ReasonOut error, const Limits &limits)
{
    // The read refuses anything but a regular file of at most kMaxFileBytes before it reads.
    Bytes zip;
    return FileIo::readFile(path, zip, error, FileIo::Links::Follow, kMaxFileBytes) &&
           read(zip, pack, error, limits);
}

} // namespace PackFile
