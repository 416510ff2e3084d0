#include "TextureSet.h"

#include "ExportMark.h"
#include "TextureExport.h"
#include "TextureImage.h"
#include "TextureReplacer.h"
#include "exchange/BootsTable.h"
#include "archive/ArchiveEntry.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "common/Reasons.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <limits>
#include <map>
#include <system_error>

namespace fs = std::filesystem;

namespace TextureSet {

namespace {

constexpr const char *kExtensions[] = {"png", "bmp", "tga", "jpg", "jpeg", "dds"};

std::string lower(std::string text)
{
    for (auto &c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Puts the file's picture into the entry; `changed` tells whether the entry's bytes changed.
bool putFile(Bytes &archive, const ArchiveEntry &entry, const Match &file, bool &changed,
             TextureReplacer::Fit fit, std::string *error)
{
    Bytes bytes;
    return TextureReplacer::readFile(file.path, bytes, error) &&
           TextureReplacer::replaceFromFile(archive, entry, bytes, file.name, error, &changed,
                                            fit);
}

} // namespace

std::string Outcome::summary() const
{
    return std::to_string(replaced.size()) + " textures replaced, " + std::to_string(unchanged) +
           " unchanged, " + std::to_string(skipped.size()) + " files skipped";
}

std::int32_t entryOf(const std::string &fileName)
{
    const std::size_t digits = static_cast<std::size_t>(
        std::find_if(fileName.begin(), fileName.end(), [](char c) { return c < '0' || c > '9'; }) -
        fileName.begin());
    const std::size_t dot = fileName.rfind('.');
    if (digits < 3 || digits >= fileName.size() || fileName[digits] != '_' ||
        dot == std::string::npos || dot <= digits)
        return -1;
    const std::string extension = lower(fileName.substr(dot + 1));
    if (std::none_of(std::begin(kExtensions), std::end(kExtensions),
                     [&](const char *e) { return extension == e; }))
        return -1;
    std::int32_t entry = 0;
    const auto [end, ec] = std::from_chars(fileName.data(), fileName.data() + digits, entry);
    if (ec == std::errc::result_out_of_range)
        return std::numeric_limits<std::int32_t>::max();
    return end == fileName.data() + digits ? entry : -1;
}

bool list(const std::string &folder, std::int32_t entryCount, Listing &listing, std::string *error)
{
    listing = Listing();
    std::error_code ec;
    const fs::path root = FileIo::toPath(folder);
    if (!fs::is_directory(root, ec)) {
        if (error)
            *error = folder + ": no such folder";
        return false;
    }
    struct Found
    {
        std::string name;
        fs::file_status status;
        std::uintmax_t size = 0;
    };
    std::vector<Found> names;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        Found found{it->path().filename().string(), it->symlink_status(ec)};
        if (!ec && fs::is_regular_file(found.status))
            found.size = it->file_size(ec);
        names.push_back(std::move(found));
    }
    if (ec) {
        if (error)
            *error = folder + ": the folder cannot be read: " + ec.message();
        return false;
    }
    std::sort(names.begin(), names.end(),
              [](const Found &a, const Found &b) { return a.name < b.name; });
    std::map<std::int32_t, std::string> taken;
    for (const auto &[name, status, size] : names) {
        const std::int32_t entry = entryOf(name);
        if (fs::is_symlink(status)) {
            listing.skipped.push_back(name + ": a symbolic link, not followed");
        } else if (!fs::is_regular_file(status)) {
            listing.skipped.push_back(
                name + (fs::is_directory(status) ? ": a folder" : ": not a regular file"));
        } else if (name == kIndexName) {
            // The index an export wrote beside its pictures: the import's own, not a stranger.
        } else if (entry < 0) {
            listing.skipped.push_back(name + ": not named <number>_<name> with the extension png, "
                                             "bmp, tga, jpg, jpeg or dds");
        } else if (entry >= entryCount) {
            listing.problems.push_back(name + ": the archive has no entry " +
                                       name.substr(0, name.find('_')) + " (it has " +
                                       std::to_string(entryCount) + ")");
        } else if (size > TextureReplacer::kMaxFileBytes) {
            listing.problems.push_back(name + ": " +
                                       Reasons::text(Reasons::Id::PictureFileTooLarge));
        } else if (const auto other = taken.find(entry); other != taken.end()) {
            listing.problems.push_back(name + ": " + other->second + " is for the same entry " +
                                       std::to_string(entry));
        } else {
            taken.emplace(entry, name);
            listing.matches.push_back({entry, name, FileIo::join(folder, name)});
        }
    }
    std::sort(listing.matches.begin(), listing.matches.end(),
              [](const Match &a, const Match &b) { return a.entry < b.entry; });
    return true;
}

bool apply(const Listing &listing, const Textura &index, Bytes &archive, Outcome &outcome,
           const Progress &progress, TextureReplacer::Fit fit)
{
    outcome = Outcome();
    outcome.skipped = listing.skipped;
    outcome.problems = listing.problems;
    const std::size_t total = listing.matches.size();
    for (std::size_t i = 0; i < total; ++i) {
        const Match &file = listing.matches[i];
        std::string error;
        bool changed = false;
        if (!putFile(archive, ArchiveEntry::of(index, file.entry), file, changed, fit, &error)) {
            outcome.problems.push_back(file.name + ": " + error);
            if (TextureReplacer::refusedForSize(error))
                ++outcome.otherSize;
        }
        else if (changed)
            outcome.replaced.push_back(file);
        else
            ++outcome.unchanged;
        if (progress && !progress(i + 1, total)) {
            outcome.cancelled = true;
            return false;
        }
    }
    return outcome.problems.empty();
}

bool importFolder(const std::string &folder, const Textura &index, Bytes &archive, Outcome &outcome,
                  const Progress &progress, TextureReplacer::Fit fit)
{
    Listing listing;
    std::string error;
    if (!list(folder, index.Count(), listing, &error)) {
        outcome = Outcome();
        outcome.problems.push_back(error);
        return false;
    }
    return apply(listing, index, archive, outcome, progress, fit);
}

std::string shownName(const Bytes &archive, const ArchiveEntry &entry)
{
    std::string name;
    if (!entry.readName(archive, name, nullptr))
        return "?";
    for (auto &c : name) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = '.';
    }
    return Ansi::toUtf8(name);
}

std::string indexCsv(const Bytes &archive, const Textura &index, const BootsOf &bootsOf)
{
    std::string out = "\xEF\xBB\xBFNumber,Entry,Boots\r\n";
    for (std::int32_t i = 0; i < index.Count(); ++i) {
        std::string boots;
        for (const std::string &boot : bootsOf(i))
            boots += (boots.empty() ? "" : "; ") + boot;
        out += std::to_string(i) + "," +
               BootsTable::csvField(shownName(archive, ArchiveEntry::of(index, i))) + "," +
               BootsTable::csvField(boots) + "\r\n";
    }
    return out;
}

bool exportAll(const Bytes &archive, const Textura &index, const std::string &folder,
               Exported &exported, std::string *error, const BootsOf &bootsOf)
{
    exported = Exported();
    std::error_code ec;
    fs::create_directories(FileIo::toPath(folder), ec);
    if (ec) {
        if (error)
            *error = "cannot make the folder " + folder + ": " + ec.message();
        return false;
    }
    for (std::int32_t i = 0; i < index.Count(); ++i) {
        const ArchiveEntry entry = ArchiveEntry::of(index, i);
        std::string name;
        std::string problem;
        Picture picture;
        const auto skip = [&](const std::string &why) {
            exported.skipped.push_back("entry " + std::to_string(i) + " (" + shownName(archive, entry) +
                                       "): " + why);
        };
        if (!entry.readName(archive, name, &problem) ||
            !TextureImage::decodeEntry(archive, entry, picture, &problem)) {
            skip(problem);
            continue;
        }
        const std::string out =
            FileIo::join(folder, TextureExport::fileName(i, index.Count(), name));
        // A name the export chose that someone made a link is never written through.
        if (FileIo::isLink(out)) {
            skip(out + " is a symbolic link");
            continue;
        }
        // Marked, so that importing the file untouched costs no decoding; new files of an export
        // that can be run again are not flushed one by one.
        Bytes png;
        if (!TextureExport::encodePng(picture, png, &problem) ||
            !FileIo::writeNamedFile(
                out,
                ExportMark::marked(png, archive.data() + entry.textureOffset(),
                                   static_cast<std::size_t>(entry.textureLength())),
                &problem, FileIo::Sync::Cached)) {
            if (error)
                *error = std::string("cannot write ").append(out).append(": ").append(problem);
            return false;
        }
        ++exported.written;
    }
    if (bootsOf) {
        const std::string text = indexCsv(archive, index, bootsOf);
        const std::string out = FileIo::join(folder, kIndexName);
        std::string problem;
        if (FileIo::isLink(out) ||
            !FileIo::writeNamedFile(out, Bytes(text.begin(), text.end()), &problem,
                                    FileIo::Sync::Cached)) {
            if (error)
                *error = "cannot write " + out + ": " +
                         (problem.empty() ? std::string("it is a symbolic link") : problem);
            return false;
        }
    }
    return true;
}

} // namespace TextureSet
