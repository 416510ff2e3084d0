#include "PackCommands.h"

#include "CliArguments.h"
#include "CliSupport.h"
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

#include <chrono>
#include <iomanip>
#include <filesystem>
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
    "       cleatwork-cli bootpack apply PACK BOOTS.bin [--archive ARCH]... [--dry-run]\n"
    "                                [--on-conflict stop|keep|take]\n"
    "       cleatwork-cli bootpack revert PACK BOOTS.bin [--archive ARCH]... [--dry-run]\n"
    "                                [--on-conflict stop|keep|take]\n"
    "A boot pack holds the changes from BASE to MINE field by field (each with its value before\n"
    "and after) and each changed texture, with the fingerprints of what it replaces.\n"
    "apply merges it into BOOTS.bin (and the archives, found by their file names): a field that\n"
    "holds the pack's value is already there, one that holds its value before is changed, any\n"
    "other value is a conflict. stop (the default) changes nothing when there is a conflict,\n"
    "keep keeps your values, take takes the pack's. A boot the file lacks, an archive not given\n"
    "or a texture the archive cannot hold is a problem: nothing changes. revert takes the pack\n"
    "back out by the same rules. Each file is written once, safely, or not at all.\n"
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

std::string quotedValue(const std::string &key, const std::string &value)
{
    const BootField *column = BootsTable::column(key);
    return column && column->isText() ? nlohmann::json(value).dump() : value;
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

struct ArchiveResult
{
    std::string name;
    ArchiveDiff::Result diff;
};

// The time in UTC as ISO 8601, from the calendar of <chrono> (the C library's thread-safe
// gmtime differs between POSIX and Windows).
std::string utcNow()
{
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    std::ostringstream text;
    text << std::setfill('0') << std::setw(4) << static_cast<int>(date.year()) << '-'
         << std::setw(2) << static_cast<unsigned>(date.month()) << '-' << std::setw(2)
         << static_cast<unsigned>(date.day()) << 'T' << std::setw(2) << time.hours().count() << ':'
         << std::setw(2) << time.minutes().count() << ':' << std::setw(2) << time.seconds().count()
         << 'Z';
    return text.str();
}

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
        return problem(std::string("bootpack create needs OUT, --base and --boots\n") + kBootpackHelp);
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
    input.manifest.date = utcNow();
    Pack pack;
    if (!PackMaker::make(input, pack, &error))
        return problem("cannot make the pack: " + error);
    if (!PackFile::writeFile(pack, out, &error))
        return problem("cannot write " + out + ": " + error);
    std::cout << out << ": " << pack.boots.size() << " boots, " << pack.fieldCount()
              << " fields, " << pack.textures.size() << " textures\n";
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
            out << (&f == &b.fields.front() ? " " : ", ") << f.key << " "
                << quotedValue(f.key, f.before) << " -> " << quotedValue(f.key, f.after);
        out << "\n";
    }
    for (const PackTextureChange &t : pack.textures)
        out << shown(t.archive) << " entry " << t.entry << " " << quoted(t.entryName)
            << ": " << t.beforeFingerprint << " -> " << t.afterFingerprint << "\n";
    out << pack.boots.size() << " boots, " << pack.fieldCount() << " fields, "
        << pack.textures.size() << " textures\n";
    std::cout << out.str();
    return std::cout.good() ? 0 : kProblem;
}

int merge(const std::vector<std::string> &args, PackMerge::Direction direction)
{
    CliArguments reader;
    reader.option("--archive").flag("--dry-run").option("--on-conflict", {"stop", "keep", "take"});
    if (!reader.read(args))
        return problem(reader.errorString() + "\n" + kBootpackHelp);
    const std::vector<std::string> &paths = reader.positional();
    const std::vector<std::string> archivePaths = reader.values("--archive");
    const bool dryRun = reader.count("--dry-run") > 0;
    const std::string chosen = reader.value("--on-conflict", "stop");
    const PackMerge::Policy policy = chosen == "keep"   ? PackMerge::Policy::Keep
                                     : chosen == "take" ? PackMerge::Policy::Take
                                                        : PackMerge::Policy::Stop;
    if (paths.size() != 2)
        return problem(std::string("bootpack apply and revert take PACK and BOOTS.bin\n") + kBootpackHelp);
    const std::string &packPath = paths[0];
    const std::string &bootsPath = paths[1];
    std::string error;
    PackMerge::Receiver receiver;
    FileIo::Bytes plain;
    if (!loadBoots(bootsPath, plain, receiver.records, error))
        return problem("Error File: " + bootsPath + ": " + error);
    // The pack's textures are unpacked only as far as the given archives could take them.
    PackFile::Limits limits = PackFile::kShowLimits;
    for (const std::string &path : archivePaths) {
        PackMerge::Receiver::Archive archive{fileName(path), {}};
        if (!loadArchive(path, archive.bytes, error))
            return problem(path, error);
        PackFile::allowFor(limits, archive.bytes);
        receiver.archives.push_back(std::move(archive));
    }
    Pack pack;
    if (!PackFile::readFile(packPath, pack, &error, limits))
        return problem(packPath + " cannot be used: " + error);
    const auto check = [](const FileIo::Bytes &archive, const ArchiveEntry &entry,
                          const FileIo::Bytes &dds, ReasonOut reason) {
        DdsLayout layout;
        return TextureReplacer::ddsFits(archive, entry, dds, layout, reason);
    };
    std::vector<PackMerge::Item> items = PackMerge::examine(pack, direction, receiver, check);
    PackMerge::decide(items, policy);
    const PackMerge::Counts counts = PackMerge::count(items);
    const bool blocked = PackMerge::blocked(items, policy);

    std::ostringstream out;
    for (const PackMerge::Item &item : items) {
        const bool worthALine = item.status == PackMerge::Status::Conflict ||
                                item.status == PackMerge::Status::Problem || dryRun;
        if (worthALine)
            out << PackMerge::describe(pack, direction, item) << "\n";
    }
    if (!blocked && !dryRun && counts.applied + counts.taken > 0) {
        const PackMerge::Receiver before = receiver;
        PackMerge::apply(pack, direction, items, receiver);
        // Everything is wrapped before the first file is written, so that a failure of one
        // leaves every file as it was, as far as the system allows.
        std::vector<std::pair<std::string, FileIo::Bytes>> writes;
        PesZlib zlib(std::string{});
        if (receiver.records != before.records) {
            Baza db;
            FileIo::Bytes wrapped;
            if (!db.load(plain) || !db.putRecords(receiver.records) || !zlib.wrap(db.save(), wrapped))
                return problem("cannot wrap " + bootsPath + ": " + zlib.errorString());
            writes.emplace_back(bootsPath, std::move(wrapped));
        }
        for (std::size_t i = 0; i < receiver.archives.size(); ++i) {
            if (receiver.archives[i].bytes == before.archives[i].bytes)
                continue;
            FileIo::Bytes wrapped;
            if (!zlib.wrap(receiver.archives[i].bytes, wrapped))
                return problem("cannot wrap " + archivePaths[i] + ": " + zlib.errorString());
            writes.emplace_back(archivePaths[i], std::move(wrapped));
        }
        for (const auto &[path, bytes] : writes) {
            if (!FileIo::isWritableFile(path))
                return problem(path + " is read-only; nothing was changed");
        }
        for (const auto &[path, bytes] : writes) {
            if (!FileIo::writeFileAtomic(path, bytes, &error))
                return problem("cannot write " + path, error);
        }
    }
    out << PackMerge::summary(counts, policy)
        << (dryRun ? " (dry run: nothing written)" : "") << "\n";
    std::cout << out.str();
    if (!std::cout.good())
        return kProblem;
    if (counts.problems > 0)
        return kProblem;
    return blocked ? 1 : 0;
}

} // namespace

int bootpack(const std::vector<std::string> &args)
{
    if (args.empty())
        return problem(std::string("bootpack needs create, show, apply or revert\n") + kBootpackHelp);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "create")
        return create(rest);
    if (args[0] == "show")
        return show(rest);
    if (args[0] == "apply")
        return merge(rest, PackMerge::Direction::Apply);
    if (args[0] == "revert")
        return merge(rest, PackMerge::Direction::Revert);
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
                fields[f.key] = {{"old", jsonValue(f.key, f.before)}, {"new", jsonValue(f.key, f.after)}};
            list.push_back({{"boot", c.position}, {"name", c.name}, {"fields", fields}});
        }
        nlohmann::json archiveList = nlohmann::json::array();
        for (const ArchiveResult &r : archives) {
            nlohmann::json entries = nlohmann::json::array();
            for (const ArchiveDiff::Entry &e : r.diff.changed)
                entries.push_back({{"entry", e.entry}, {"name", e.name}});
            archiveList.push_back({{"archive", r.name}, {"entries", entries},
                                   {"countA", r.diff.countA}, {"countB", r.diff.countB}});
        }
        out << nlohmann::json{{"boots", list},
                              {"counts", {{"boots", boots.changed.size()},
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
                out << e.entry << "," << csvField(e.name) << "," << csvField(r.name)
                    << ",,\r\n";
        }
    } else {
        for (const PackBootChange &c : boots.changed) {
            out << "boot " << c.position << " " << nlohmann::json(c.name).dump() << ":";
            for (const PackFieldChange &f : c.fields)
                out << (&f == &c.fields.front() ? " " : ", ") << f.key << " "
                    << quotedValue(f.key, f.before) << " -> " << quotedValue(f.key, f.after);
            out << "\n";
        }
        if (boots.countA != boots.countB)
            out << "the files hold " << boots.countA << " and " << boots.countB << " boots\n";
        out << boots.changed.size() << " boots differ, " << boots.fields() << " fields\n";
        for (const ArchiveResult &r : archives) {
            for (const ArchiveDiff::Entry &e : r.diff.changed)
                out << r.name << ": entry " << e.entry << " " << nlohmann::json(e.name).dump() << "\n";
            if (r.diff.countA != r.diff.countB)
                out << r.name << ": the archives hold " << r.diff.countA << " and "
                    << r.diff.countB << " entries\n";
            out << r.name << ": " << r.diff.changed.size() << " entries differ\n";
        }
    }
    std::cout << out.str();
    if (!std::cout.good())
        return kProblem;
    return equal ? 0 : 1;
}

} // namespace PackCommands
