#include "PackCommands.h"

#include "CliArguments.h"
#include "CliSupport.h"
#include "PackMergeCommands.h"
#include "archive/ArchiveSaver.h"
#include "boots/Baza.h"
#include "common/FileIo.h"
#include "common/Printable.h"
#include "container/PesZlib.h"
#include "exchange/BootsTable.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/ArchiveDiff.h"
#include "pack/BootsDiff.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"
#include "pack/PackMerge.h"
#include "pack/Receipt.h"

#include <chrono>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace PackCommands {

const char *const kDiffHelp =
    "Usage: cleatwork-cli diff A.bin B.bin [--archive A_ARCH B_ARCH]... [--format text|json|csv]\n"
    "Compares two wrapped boots databases, boot by boot in file order (never by content), and\n"
    "prints one line per boot that differs with each changed field as old -> new, then the\n"
    "counts; for each pair of wrapped texture archives, the entries whose textures differ\n"
    "(number and name).\n"
    "  --format json  one object per boot, keyed by the field names of 'dump --json'\n"
    "  --format csv   one row per changed field or entry\n"
    "Exits with 0 when the files are equal, 1 when they differ and 2 on a problem.\n";

const char *const kBootpackHelp =
    "Usage: cleatwork-cli bootpack create OUT.cwpack --base BASE.bin --boots MINE.bin\n"
    "                                [--archive BASE_ARCH MINE_ARCH]... [--title T] [--author A]\n"
    "                                [--description D]\n"
    "       cleatwork-cli bootpack show PACK\n"
    "       cleatwork-cli bootpack apply PACK BOOTS.bin [--archive ARCH]... [--dry-run] [--quiet]\n"
    "                                [--on-conflict stop|keep|take] [--receipts DIR]\n"
    "       cleatwork-cli bootpack revert PACK BOOTS.bin [--archive ARCH]... [--dry-run] "
    "[--quiet]\n"
    "                                [--on-conflict stop|keep|take] [--receipts DIR]\n"
    "       cleatwork-cli bootpack applied BOOTS.bin [--receipts DIR]\n"
    "A boot pack holds the changes from BASE to MINE field by field (each with its value before\n"
    "and after, and the boot's name and ID) and each changed texture, with the fingerprints of\n"
    "what it replaces. create refuses to write a pack of no changes.\n"
    "apply merges it into BOOTS.bin and the archives (each known by its table of entries, not\n"
    "its name): a field that holds the pack's value is already there, one that holds its value\n"
    "before is changed, any other value, or another boot than the pack's, is a conflict. stop\n"
    "(the default) changes nothing when there is a conflict, keep keeps your values, take takes\n"
    "the pack's. A boot the file lacks, an archive not given, an archive that fits nothing in\n"
    "the pack, a texture the archive cannot hold or a pack made for another boots file is a\n"
    "problem: nothing changes. Each apply keeps a receipt of what it changed in the user's\n"
    "folder (the editor's; --receipts DIR names another); revert puts back exactly what that\n"
    "apply changed, where it still holds the pack's value. Without a receipt, a value that holds\n"
    "the pack's cannot be told from your own: it is a conflict. applied lists the receipts.\n"
    "Each file is written once, safely, or not at all; every change made is listed, then the\n"
    "counts (--quiet: the counts alone).\n"
    "Exits with 0 on success, 1 when conflicts stopped it and 2 on a problem.\n";

namespace {

constexpr int kProblem = 2;

int problem(const std::string &message)
{
    CliSupport::failWith(message);
    return kProblem;
}

// A problem with one file: "FILE: why".
int problem(std::string file, const std::string &why)
{
    return problem(file.append(": ").append(why));
}

bool loadBoots(const std::string &file, FileIo::Bytes &plain, std::vector<BootRecord> &records,
               std::string &error)
{
    Baza db;
    if (!CliSupport::loadBoots(file, plain, db, &error))
        return false;
    records = db.records();
    return true;
}

bool loadArchive(const std::string &file, FileIo::Bytes &plain, std::string &error)
{
    PesZlib zlib(std::string{});
    if (!zlib.unwrapFile(file, plain)) {
        error = zlib.errorString();
        return false;
    }
    return true;
}

std::string fileName(const std::string &path)
{
    return FileIo::toPath(path).filename().string();
}

nlohmann::json jsonValue(const std::string &key, const std::string &value)
{
    const BootField *column = BootsTable::column(key);
    if (column && !column->isText())
        return std::stoll(value);
    return value;
}

std::string csvField(const std::string &text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// "1 boot", "2 boots".
std::string counted(std::size_t n, const char *one, const char *many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

struct ArchiveResult
{
    std::string name;
    ArchiveDiff::Result diff;
};

int create(const std::vector<std::string> &args)
{
    CliArguments reader;
    reader.pair("--archive").option("--base").option("--boots").option("--title");
    reader.option("--author").option("--description").atMost(1);
    if (!reader.read(args)) {
        if (reader.problem() == CliArguments::Problem::TooMany)
            return problem(std::string("bootpack create takes one OUT file\n") + kBootpackHelp);
        return problem(reader.errorString() + "\n" + kBootpackHelp);
    }
    const std::string out = reader.positional().empty() ? std::string() : reader.positional()[0];
    const std::string base = reader.value("--base");
    const std::string mine = reader.value("--boots");
    if (out.empty() || base.empty() || mine.empty())
        return problem(std::string("bootpack create needs OUT, --base and --boots\n") +
                       kBootpackHelp);
    PackMaker::Input input;
    input.manifest.title = reader.value("--title");
    input.manifest.author = reader.value("--author");
    input.manifest.description = reader.value("--description");
    std::string error;
    FileIo::Bytes minePlain;
    if (!loadBoots(base, input.baseBoots, input.base, error))
        return problem("Error File: " + base + ": " + error);
    if (!loadBoots(mine, minePlain, input.mine, error))
        return problem("Error File: " + mine + ": " + error);
    input.bootsName = fileName(base);
    for (const auto &[baseArchive, mineArchive] : reader.pairs("--archive")) {
        PackMaker::ArchivePair pair;
        pair.name = fileName(baseArchive);
        if (!loadArchive(baseArchive, pair.base, error))
            return problem(baseArchive, error);
        if (!loadArchive(mineArchive, pair.mine, error))
            return problem(mineArchive, error);
        input.archives.push_back(std::move(pair));
    }
    input.manifest.program = std::string("Cleatwork ") + CLEATWORK_VERSION;
    input.manifest.date = Receipts::now();
    Pack pack;
    if (!PackMaker::make(input, pack, &error))
        return problem("cannot make the pack: " + error);
    if (pack.boots.empty() && pack.textures.empty())
        return problem("cannot make the pack: " + Reason(Reasons::Id::PackNothingDiffers).text() +
                       "; nothing was written");
    if (!PackFile::writeFile(pack, out, &error))
        return problem("cannot write " + out + ": " + error);
    std::cout << out << ": " << counted(pack.boots.size(), "boot", "boots") << ", "
              << counted(pack.fieldCount(), "field", "fields") << ", "
              << counted(pack.textures.size(), "texture", "textures") << "\n";
    return std::cout.good() ? 0 : kProblem;
}

int show(const std::vector<std::string> &args)
{
    if (args.size() != 1)
        return problem(std::string("bootpack show takes one PACK\n") + kBootpackHelp);
    Pack pack;
    std::string error;
    if (!PackFile::readFile(args[0], pack, &error, PackFile::kShowLimits))
        return problem(args[0] + " cannot be used: " + error);
    const PackManifest &m = pack.manifest;
    // Every text of a pack is a stranger's: escaped, it can neither forge a line nor reach the
    // terminal as a control sequence.
    const auto shown = [](const std::string &text) { return Printable::name(text); };
    const auto quoted = [&](const std::string &text) { return "\"" + shown(text) + "\""; };
    std::ostringstream out;
    out << "Title: " << shown(m.title) << "\nAuthor: " << shown(m.author)
        << "\nDescription: " << shown(m.description) << "\nMade by: " << shown(m.program)
        << "\nDate: " << shown(m.date) << "\nBase: " << shown(m.boots.name) << " "
        << m.boots.fingerprint << "\n";
    for (const PackBase &a : m.archives)
        out << "Base archive: " << shown(a.name) << " " << a.fingerprint << "\n";
    for (const PackBootChange &b : pack.boots) {
        out << "boot " << b.position << " " << quoted(b.name) << ":";
        for (const PackFieldChange &f : b.fields)
            out << (&f == &b.fields.front() ? " " : ", ") << PackMerge::fieldCaption(f.key) << " "
                << PackMerge::shownValue(f.key, f.before) << " -> "
                << PackMerge::shownValue(f.key, f.after);
        out << "\n";
    }
    for (const PackTextureChange &t : pack.textures)
        out << shown(t.archive) << " entry " << t.entry << " " << quoted(t.entryName)
            << ": " << t.beforeFingerprint << " -> " << t.afterFingerprint << "\n";
    out << counted(pack.boots.size(), "boot", "boots") << ", "
        << counted(pack.fieldCount(), "field", "fields") << ", "
        << counted(pack.textures.size(), "texture", "textures") << "\n";
    std::cout << out.str();
    return std::cout.good() ? 0 : kProblem;
}

} // namespace

int bootpack(const std::vector<std::string> &args)
{
    if (args.empty())
        return problem(std::string("bootpack needs create, show, apply, revert or applied\n") +
                       kBootpackHelp);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "create")
        return create(rest);
    if (args[0] == "show")
        return show(rest);
    if (args[0] == "apply")
        return PackMergeCommands::apply(rest);
    if (args[0] == "revert")
        return PackMergeCommands::revert(rest);
    if (args[0] == "applied")
        return PackMergeCommands::list(rest);
    return problem("unknown bootpack command '" + args[0] + "'\n" + kBootpackHelp);
}

int diff(const std::vector<std::string> &args)
{
    CliArguments reader;
    reader.pair("--archive").option("--format", {"text", "json", "csv"});
    if (!reader.read(args))
        return problem(reader.errorString() + "\n" + kDiffHelp);
    const std::vector<std::string> &paths = reader.positional();
    const std::string format = reader.value("--format", "text");
    if (paths.size() != 2)
        return problem(std::string("diff takes two boots files\n") + kDiffHelp);
    std::vector<BootRecord> a, b;
    FileIo::Bytes plainA, plainB;
    std::string error;
    if (!loadBoots(paths[0], plainA, a, error))
        return problem("Error File: " + paths[0] + ": " + error);
    if (!loadBoots(paths[1], plainB, b, error))
        return problem("Error File: " + paths[1] + ": " + error);
    const BootsDiff::Result boots = BootsDiff::compare(a, b);
    std::vector<ArchiveResult> archives;
    for (const auto &[pathA, pathB] : reader.pairs("--archive")) {
        FileIo::Bytes archiveA, archiveB;
        if (!loadArchive(pathA, archiveA, error))
            return problem(pathA, error);
        if (!loadArchive(pathB, archiveB, error))
            return problem(pathB, error);
        archives.push_back({fileName(pathA), ArchiveDiff::compare(archiveA, archiveB)});
    }
    bool equal = boots.equal();
    for (const ArchiveResult &r : archives)
        equal = equal && r.diff.equal();

    std::ostringstream out;
    if (format == "json") {
        nlohmann::json list = nlohmann::json::array();
        for (const PackBootChange &c : boots.changed) {
            nlohmann::json fields = nlohmann::json::object();
            for (const PackFieldChange &f : c.fields)
                fields[f.key] = {{"old", jsonValue(f.key, f.before)},
                                 {"new", jsonValue(f.key, f.after)}};
            list.push_back({{"boot", c.position}, {"name", c.name}, {"fields", fields}});
        }
        nlohmann::json archiveList = nlohmann::json::array();
        for (const ArchiveResult &r : archives) {
            nlohmann::json entries = nlohmann::json::array();
            for (const ArchiveDiff::Entry &e : r.diff.changed)
                entries.push_back({{"entry", e.entry}, {"name", e.name}});
            archiveList.push_back({{"archive", r.name},
                                   {"entries", entries},
                                   {"countA", r.diff.countA},
                                   {"countB", r.diff.countB}});
        }
        out << nlohmann::json{{"boots", list},
                              {"counts",
                               {{"boots", boots.changed.size()},
                                {"fields", boots.fields()},
                                {"bootsA", boots.countA},
                                {"bootsB", boots.countB}}},
                              {"archives", archiveList}}
                   .dump(2)
            << "\n";
    } else if (format == "csv") {
        out << "boot,name,field,old,new\r\n";
        for (const PackBootChange &c : boots.changed) {
            for (const PackFieldChange &f : c.fields)
                out << c.position << "," << csvField(c.name) << "," << f.key << ","
                    << csvField(f.before) << "," << csvField(f.after) << "\r\n";
        }
        for (const ArchiveResult &r : archives) {
            for (const ArchiveDiff::Entry &e : r.diff.changed)
                out << e.entry << "," << csvField(e.name) << "," << csvField(r.name) << ",,\r\n";
        }
    } else {
        for (const PackBootChange &c : boots.changed) {
            out << "boot " << c.position << " " << nlohmann::json(c.name).dump() << ":";
            for (const PackFieldChange &f : c.fields)
                out << (&f == &c.fields.front() ? " " : ", ") << PackMerge::fieldCaption(f.key)
                    << " " << PackMerge::shownValue(f.key, f.before) << " -> "
                    << PackMerge::shownValue(f.key, f.after);
            out << "\n";
        }
        if (boots.countA != boots.countB)
            out << "the files hold " << boots.countA << " and "
                << counted(boots.countB, "boot", "boots") << "\n";
        out << counted(boots.changed.size(), "boot differs", "boots differ") << ", "
            << counted(boots.fields(), "field", "fields") << "\n";
        for (const ArchiveResult &r : archives) {
            for (const ArchiveDiff::Entry &e : r.diff.changed)
                out << r.name << ": entry " << e.entry << " " << nlohmann::json(e.name).dump()
                    << "\n";
            if (r.diff.countA != r.diff.countB)
                out << r.name << ": the archives hold " << r.diff.countA << " and " << r.diff.countB
                    << " entries\n";
            out << r.name << ": "
                << counted(r.diff.changed.size(), "entry differs", "entries differ") << "\n";
        }
    }
    std::cout << out.str();
    if (!std::cout.good())
        return kProblem;
    return equal ? 0 : 1;
}

} // namespace PackCommands
