#include "TextureSet.h"

#include "ExportMark.h"
#include "TextureExport.h"
#include "TextureImage.h"
#include "TextureReplacer.h"
#include "archive/ArchiveEntry.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "common/Printable.h"
#include "common/Reason.h"
#include "exchange/BootsTable.h"
#include "pack/ArchiveIdentity.h"

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

// The archive `archive`, loaded from a file named `archiveName`, as export marks know it.
ExportMark::Origin ownOrigin(const Bytes &archive, const std::string &archiveName)
{
    return {archiveName, ArchiveIdentity::of(archive)};
}

// Puts the file's picture into the entry of the archive `into`; `changed` tells whether the
// entry's bytes changed.
bool putFile(Bytes &archive, const ExportMark::Origin &into, const ArchiveEntry &entry,
             const Match &file, bool &changed, TextureReplacer::Fit fit, ReasonOut error)
{
    Bytes bytes;
    // The folder was listed without its links: one put in a file's place since is not followed.
    if (!TextureReplacer::readFile(file.path, bytes, error, FileIo::Links::Refuse) ||
        !ExportMark::fits(ExportMark::originOf(bytes), into, error))
        return false;
    return TextureReplacer::replaceFromFile(archive, entry, bytes, file.name, error, &changed, fit);
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

bool list(const std::string &folder, std::int32_t entryCount, Listing &listing, ReasonOut error)
{
    listing = Listing();
    std::error_code ec;
    const fs::path root = FileIo::toPath(folder);
    if (!fs::is_directory(root, ec))
        return error.fail(Reason(Reasons::Id::NoSuchFolder, {folder}));
    struct Found
    {
        std::string name;
        fs::file_status status;
        std::uintmax_t size = 0;
        bool link = false;
    };
    std::vector<Found> names;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        Found found{FileIo::fromPath(it->path().filename()), it->symlink_status(ec)};
        // A link on any system (on Windows every reparse point), which the standard library
        // does not always tell.
        found.link = fs::is_symlink(found.status) || FileIo::isLink(FileIo::fromPath(it->path()));
        if (!ec && fs::is_regular_file(found.status))
            found.size = it->file_size(ec);
        names.push_back(std::move(found));
    }
    if (ec)
        return error.fail(Reason(Reasons::Id::FolderUnreadable, {folder, ec.message()}));
    std::sort(names.begin(), names.end(),
              [](const Found &a, const Found &b) { return a.name < b.name; });
    std::map<std::int32_t, std::string> taken;
    using Reasons::Id;
    for (const auto &[name, status, size, link] : names) {
        const std::int32_t entry = entryOf(name);
        // Lines show the name escaped; the file is still read by its own name.
        const std::string shown = Printable::name(name);
        const auto line = [&shown](const Reason &why) {
            return Reason(Id::NamedLine, {shown, why});
        };
        if (link) {
            listing.skipped.push_back(line(Reason(Id::SkippedLink)));
        } else if (!fs::is_regular_file(status)) {
            listing.skipped.push_back(
                line(Reason(fs::is_directory(status) ? Id::SkippedFolder : Id::NotARegularFile)));
        } else if (name == kIndexName) {
            // The index an export wrote beside its pictures: the import's own, not a stranger.
        } else if (entry < 0) {
            listing.skipped.push_back(line(Reason(Id::SkippedName)));
        } else if (entry >= entryCount) {
            listing.problems.push_back(line(Reason(
                Id::NoSuchEntry, {name.substr(0, name.find('_')), std::to_string(entryCount)})));
        } else if (size > TextureReplacer::kMaxFileBytes) {
            listing.problems.push_back(line(Reason(Id::PictureFileTooLarge)));
        } else if (const auto other = taken.find(entry); other != taken.end()) {
            listing.problems.push_back(line(
                Reason(Id::SameEntry, {Printable::name(other->second), std::to_string(entry)})));
        } else {
            taken.emplace(entry, name);
            listing.matches.push_back({entry, name, FileIo::join(folder, name)});
        }
    }
    std::sort(listing.matches.begin(), listing.matches.end(),
              [](const Match &a, const Match &b) { return a.entry < b.entry; });
    return true;
}

bool apply(const Listing &listing, const Textura &index, const std::string &archiveName,
           Bytes &archive, Outcome &outcome, const Progress &progress, TextureReplacer::Fit fit)
{
    outcome = Outcome();
    outcome.skipped = listing.skipped;
    outcome.problems = listing.problems;
    // Known before any picture goes in (no picture changes the entries' names).
    const ExportMark::Origin into = ownOrigin(archive, archiveName);
    const std::size_t total = listing.matches.size();
    for (std::size_t i = 0; i < total; ++i) {
        const Match &file = listing.matches[i];
        Reason error;
        bool changed = false;
        if (!putFile(archive, into, ArchiveEntry::of(index, file.entry), file, changed, fit,
                     &error)) {
            outcome.problems.push_back(
                Reason(Reasons::Id::NamedLine, {Printable::name(file.name), error}));
            if (TextureReplacer::refusedForSize(error))
                ++outcome.otherSize;
        } else if (changed)
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

bool importFolder(const std::string &folder, const Textura &index, const std::string &archiveName,
                  Bytes &archive, Outcome &outcome, const Progress &progress,
                  TextureReplacer::Fit fit)
{
    Listing listing;
    Reason error;
    if (!list(folder, index.Count(), listing, &error)) {
        outcome = Outcome();
        outcome.problems.push_back(error);
        return false;
    }
    return apply(listing, index, archiveName, archive, outcome, progress, fit);
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

bool exportAll(const Bytes &archive, const Textura &index, const std::string &archiveName,
               const std::string &folder, Exported &exported, ReasonOut error,
               const BootsOf &bootsOf)
{
    exported = Exported();
    std::error_code ec;
    fs::create_directories(FileIo::toPath(folder), ec);
    if (ec)
        return error.fail(Reason(Reasons::Id::CannotMakeFolderBecause, {folder, ec.message()}));
    const ExportMark::Origin origin = ownOrigin(archive, archiveName);
    for (std::int32_t i = 0; i < index.Count(); ++i) {
        const ArchiveEntry entry = ArchiveEntry::of(index, i);
        std::string name;
        Reason problem;
        Picture picture;
        const auto skip = [&](const Reason &why) {
            exported.skipped.push_back(Reason(Reasons::Id::EntryLine,
                                              {std::to_string(i), shownName(archive, entry), why}));
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
            skip(Reason(Reasons::Id::ExportTargetIsLink, {Printable::name(out)}));
            continue;
        }
        // Marked, so that importing the file untouched costs no decoding; new files of an export
        // that can be run again are not flushed one by one.
        Bytes png;
        if (!TextureExport::encodePng(picture, png, &problem) ||
            !FileIo::writeNamedFile(
                out,
                ExportMark::marked(png, archive.data() + entry.textureOffset(),
                                   static_cast<std::size_t>(entry.textureLength()), origin),
                &problem, FileIo::Sync::Cached)) {
            return error.fail(Reason(Reasons::Id::CannotWriteBecause, {out, problem}));
        }
        ++exported.written;
    }
    if (bootsOf) {
        const std::string text = indexCsv(archive, index, bootsOf);
        const std::string out = FileIo::join(folder, kIndexName);
        Reason problem;
        if (FileIo::isLink(out) || !FileIo::writeNamedFile(out, Bytes(text.begin(), text.end()),
                                                           &problem, FileIo::Sync::Cached))
            return error.fail(
                Reason(Reasons::Id::CannotWriteBecause,
                       {out, problem.empty() ? Reason(Reasons::Id::IsLink) : problem}));
    }
    return true;
}

} // namespace TextureSet
