#include "PackFile.h"

#include "PackEntries.h"
#include "common/FileIo.h"
#include "exchange/BootsTable.h"

#include <memory>
#include <nlohmann/json.hpp>
#include <zip.h>

namespace PackFile {

namespace {

using Json = nlohmann::json;
using Reasons::Id;

bool fail(ReasonOut error, const Reason &reason)
{
    return error.fail(reason);
}

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
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open_from_source(buffer, ZIP_TRUNCATE, &zipError));
    if (!archive)
        return fail(error, Reason(Id::PackNoMemoryToMake));
    const std::string manifest = manifestJson(pack.manifest).dump(2) + "\n";
    const std::string changes = changesJson(pack).dump(2) + "\n";
    bool ok = addEntry(archive.get(), kManifest, manifest.data(), manifest.size(), true) &&
              addEntry(archive.get(), kChanges, changes.data(), changes.size(), true);
    for (std::size_t i = 0; ok && i < pack.textures.size(); ++i) {
        const PackTextureChange &t = pack.textures[i];
        ok = addEntry(archive.get(), textureName(i, false), t.before.data(), t.before.size(),
                      true) &&
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
    return write(pack, zip, error) &&
           FileIo::writeNamedFile(path, zip, error, FileIo::Sync::Durable);
}

} // namespace PackFile
