#include "TextureCommands.h"

#include "CliArguments.h"
#include "CliSupport.h"
#include "archive/ArchiveSaver.h"
#include "archive/Textura.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "common/Printable.h"
#include "container/PesZlib.h"
#include "imaging/textures/TextureExport.h"
#include "imaging/textures/TextureImage.h"
#include "imaging/textures/TexturePreview.h"
#include "imaging/textures/TextureReplacer.h"
#include "imaging/textures/TextureSet.h"

#include <cctype>
#include <filesystem>
#include <iostream>
#include <sstream>

using CliSupport::failWith;
using CliSupport::ScratchFolder;

namespace TextureCommands {

const char *const kTexturesHelp =
    "Usage: cleatwork-cli textures FILE [--export DIR | --import DIR [--dry-run] [--resize]]\n"
    "Unwraps the texture archive FILE in memory and prints one line per entry: its number,\n"
    "the offset and length of its data, and its 4-character name.\n"
    "  --export DIR  writes every entry as DIR/<NNN>_<name>.png (with alpha) instead; entries\n"
    "                that are not valid DDS textures, or whose file name is a symbolic link\n"
    "                in DIR, are listed and skipped, and the exit status is then 1\n"
    "  --import DIR  puts the pictures of DIR back: each DIR/<NNN>_<anything>.png, .bmp, .tga,\n"
    "                .jpg, .jpeg or .dds replaces entry NNN as replace-texture does, and other\n"
    "                files are listed as skipped. A picture that decodes to what the entry\n"
    "                holds leaves it as it is, so an untouched export changes nothing; a\n"
    "                picture exported from an archive of another name is a problem. Any\n"
    "                problem is listed (one line each, naming the file), FILE is left as it\n"
    "                was and the exit status is 1; otherwise FILE is written once, safely\n"
    "                (not at all when nothing changed), and a summary is printed\n"
    "  --dry-run     with --import: lists the entries it would replace and writes nothing\n"
    "  --resize      with --import: a picture of another size than its entry's is resized to\n"
    "                it (a smooth filter that keeps alpha edges clean) instead of refused\n";

const char *const kTextureHelp =
    "Usage: cleatwork-cli texture FILE N OUT\n"
    "Converts the DDS texture of entry N (counted from 0) of the texture archive FILE into\n"
    "OUT: a PNG with alpha when OUT ends in .png, otherwise the Windows bitmap that the\n"
    "editor's preview makes.\n";

const char *const kReplaceTextureHelp =
    "Usage: cleatwork-cli replace-texture FILE N IMAGE [--resize]\n"
    "Replaces the picture of entry N (counted from 0) of the texture archive FILE and writes\n"
    "FILE back safely. IMAGE is a PNG, BMP, TGA or JPEG of exactly the entry's size, encoded\n"
    "into the entry's own format (mipmaps made from it), or a DDS of exactly the entry's\n"
    "format, size and mipmap count, whose pixels are copied as they are. Only the entry's\n"
    "pixel bytes change. On any failure FILE is left as it was and the exit status is 1.\n"
    "  --resize  a picture (not a DDS) of another size is resized to the entry's size (a\n"
    "            smooth filter that keeps alpha edges clean) instead of refused\n";

namespace {

// Unwraps a texture archive in memory and reads its table.
bool readArchive(const std::string &file, FileIo::Bytes &plain, Textura &index, std::string &error)
{
    PesZlib zlib(std::string{});
    if (!zlib.unwrapFile(file, plain)) {
        error = zlib.errorString();
        return false;
    }
    if (!Textura::checkTable(plain, &error))
        return false;
    index.load(plain); // an archive without entries lists nothing
    return true;
}

// The name of the archive file `file`, as an export's marks keep it.
std::string archiveName(const std::string &file)
{
    const auto name = FileIo::toPath(file).filename().u8string();
    return {name.begin(), name.end()};
}

// The entry number `text` of an archive with `count` entries, or -1.
std::int32_t entryNumber(const std::string &text, std::int32_t count)
{
    try {
        std::size_t used = 0;
        const int entry = std::stoi(text, &used);
        if (used == text.size() && entry >= 0 && entry < count)
            return entry;
    } catch (const std::exception &) {
    }
    return -1;
}

std::string noEntry(const std::string &text, std::int32_t count)
{
    return "the archive has no entry " + text + " (it has " + std::to_string(count) + ")";
}

bool endsWithPng(const std::string &path)
{
    const std::filesystem::path extension = FileIo::toPath(path).extension();
    std::string lower = FileIo::fromPath(extension);
    for (auto &c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == ".png";
}

// The archive FILE and its entry N that a command's first two arguments name.
struct NamedEntry
{
    FileIo::Bytes plain;
    Textura index;
    ArchiveEntry entry;
};

// Reads them; on failure says why and returns false.
bool readNamedEntry(const std::vector<std::string> &args, NamedEntry &named)
{
    std::string error;
    if (!readArchive(args[0], named.plain, named.index, error)) {
        failWith("cannot read the texture archive " + args[0] + ": " + error);
        return false;
    }
    const std::int32_t number = entryNumber(args[1], named.index.Count());
    if (number < 0) {
        failWith(noEntry(args[1], named.index.Count()));
        return false;
    }
    named.entry = ArchiveEntry::of(named.index, number);
    return true;
}

int exportAll(const std::string &file, const std::string &folder)
{
    FileIo::Bytes plain;
    Textura index;
    std::string error;
    if (!readArchive(file, plain, index, error))
        return failWith("cannot read the texture archive " + file + ": " + error);
    TextureSet::Exported exported;
    if (!TextureSet::exportAll(plain, index, archiveName(file), folder, exported, &error))
        return failWith(error);
    for (const Reason &line : exported.skipped)
        std::cerr << "cleatwork-cli: skipped " << line.text() << "\n";
    return exported.skipped.empty() ? 0 : 1;
}

int importAll(const std::string &file, const std::string &folder, bool dryRun,
              TextureReplacer::Fit fit)
{
    FileIo::Bytes plain;
    Textura index;
    std::string error;
    if (!readArchive(file, plain, index, error))
        return failWith("cannot read the texture archive " + file + ": " + error);
    TextureSet::Outcome outcome;
    if (!TextureSet::importFolder(folder, index, archiveName(file), plain, outcome, {}, fit)) {
        for (const Reason &problem : outcome.problems)
            std::cerr << "cleatwork-cli: " << problem.text() << "\n";
        return failWith(file + " was not changed");
    }
    std::ostringstream out;
    for (const Reason &skipped : outcome.skipped)
        out << "skipped " << skipped.text() << "\n";
    for (const TextureSet::Match &m : outcome.replaced)
        out << (dryRun ? "would replace entry " : "replaced entry ") << m.entry << " from "
            << Printable::name(m.name) << "\n";
    // An import that changes nothing leaves the file alone, compressed bytes and all.
    if (!dryRun && !outcome.replaced.empty() && !ArchiveSaver::save(plain, file, &error))
        return failWith("cannot write " + file + ": " + error);
    out << outcome.summary() << (dryRun ? " (dry run: nothing written)" : "") << "\n";
    std::cout << out.str();
    return std::cout.good() ? 0 : 1;
}

} // namespace

int textures(const std::vector<std::string> &args)
{
    // FILE comes first whatever it looks like, then the one thing to do with it, then the
    // import's flags, each at most once.
    CliArguments reader;
    reader.leading(1).atMost(1).option("--export").option("--import");
    reader.flag("--dry-run").flag("--resize");
    if (reader.read(args) && args.size() > 1) {
        const bool once = reader.count("--dry-run") <= 1 && reader.count("--resize") <= 1;
        if (args[1] == "--export" && args.size() == 3)
            return exportAll(args[0], args[2]);
        if (args[1] == "--import" && reader.count("--import") == 1 &&
            reader.count("--export") == 0 && once)
            return importAll(args[0], args[2], reader.count("--dry-run") == 1,
                             reader.count("--resize") == 1 ? TextureReplacer::Fit::Resize
                                                           : TextureReplacer::Fit::Exact);
    }
    if (args.size() != 1)
        return failWith(std::string("textures takes FILE [--export DIR | --import DIR "
                                    "[--dry-run] [--resize]]\n") +
                        kTexturesHelp);
    FileIo::Bytes plain;
    Textura index;
    std::string error;
    if (!readArchive(args[0], plain, index, error))
        return failWith("cannot read the texture archive " + args[0] + ": " + error);
    std::ostringstream out;
    for (std::int32_t i = 0; i < index.Count(); ++i)
        out << i << "\t" << index.Get_Offset(i) << "\t" << index.Get_Lenght(i) << "\t"
            << TextureSet::shownName(plain, ArchiveEntry::of(index, i)) << "\n";
    std::cout << out.str();
    return std::cout.good() ? 0 : 1;
}

int texture(const std::vector<std::string> &args)
{
    NamedEntry named;
    if (!readNamedEntry(args, named))
        return 1;
    std::string error;
    if (endsWithPng(args[2])) {
        Picture picture;
        if (!TextureImage::decodeEntry(named.plain, named.entry, picture, &error))
            return failWith("cannot convert entry " + args[1] + ": " + error);
        if (!TextureExport::writePng(picture, args[2], &error))
            return failWith("cannot write " + args[2] + ": " + error);
        return 0;
    }
    ScratchFolder scratch;
    if (scratch.path().empty())
        return failWith("cannot make a scratch folder");
    const std::string archive = FileIo::join(scratch.path(), "File1");
    if (!FileIo::writeFileAtomic(archive, named.plain, &error, FileIo::Sync::Cached))
        return failWith("cannot write a working copy: " + error);
    TexturePreview preview(scratch.path());
    std::string bitmap;
    if (!preview.run(archive, named.entry, bitmap))
        return failWith("cannot convert entry " + args[1] + ": " + preview.errorString());
    if (!FileIo::copyFileAtomic(bitmap, args[2], &error))
        return failWith("cannot write " + args[2] + ": " + error);
    return 0;
}

int replaceTexture(const std::vector<std::string> &args)
{
    // FILE N IMAGE stand first whatever they look like; --resize may follow once.
    CliArguments reader;
    reader.leading(3).atMost(3).flag("--resize");
    if (!reader.read(args) || reader.positional().size() != 3 || reader.count("--resize") > 1)
        return failWith(std::string("replace-texture takes FILE N IMAGE [--resize]\n") +
                        kReplaceTextureHelp);
    const bool resize = reader.count("--resize") == 1;
    NamedEntry named;
    if (!readNamedEntry(args, named))
        return 1;
    FileIo::Bytes &plain = named.plain;
    const ArchiveEntry &entry = named.entry;
    std::string error;
    FileIo::Bytes image;
    if (!TextureReplacer::readFile(args[2], image, &error))
        return failWith("cannot read " + args[2] + ": " + error);
    const bool replaced =
        TextureReplacer::replaceFromFile(plain, entry, image, args[2], &error, nullptr,
                                         resize ? TextureReplacer::Fit::Resize
                                                : TextureReplacer::Fit::Exact);
    if (!replaced)
        return failWith("cannot replace entry " + args[1] + " with " + args[2] + ": " + error);
    if (!ArchiveSaver::save(plain, args[0], &error))
        return failWith("cannot write " + args[0] + ": " + error);
    return 0;
}

} // namespace TextureCommands
