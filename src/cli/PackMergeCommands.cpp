#include "PackMergeCommands.h"

#include "PackCommands.h"

#include "CliArguments.h"
#include "CliSupport.h"
#include "boots/Baza.h"
#include "common/FileIo.h"
#include "common/Printable.h"
#include "common/UserFolders.h"
#include "container/PesZlib.h"
#include "imaging/textures/TextureReplacer.h"
#include "pack/Fingerprint.h"
#include "pack/PackFile.h"
#include "pack/PackMerge.h"
#include "pack/Receipt.h"

#include <filesystem>
#include <iostream>
#include <sstream>

namespace PackMergeCommands {

namespace {

constexpr int kProblem = 2;

int problem(const std::string &message)
{
    CliSupport::failWith(message);
    return kProblem;
}

std::string absolute(const std::string &path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(FileIo::toPath(path), ec);
    return ec ? path : FileIo::fromPath(full.lexically_normal());
}

// Where receipts are kept: as given, or in the user's folder the editor uses.
std::string receiptsFolder(const CliArguments &reader)
{
    std::string given = reader.value("--receipts");
    if (!given.empty())
        return given;
    const std::string user = UserFolders::userFolder(UserFolders::programFolder());
    return user.empty() ? std::string() : FileIo::join(user, "receipts");
}

// The pack's textures are unpacked only as far as the given archives could take them.
bool readPack(const std::string &path, const PackMerge::Receiver &receiver, Pack &pack,
              std::string &fingerprint, std::string &error)
{
    PackFile::Limits limits = PackFile::kShowLimits;
    for (const PackMerge::Receiver::Archive &archive : receiver.archives)
        PackFile::allowFor(limits, archive.bytes);
    FileIo::Bytes zip;
    if (!FileIo::readFile(path, zip, &error, FileIo::Links::Follow, PackFile::kMaxFileBytes) ||
        !PackFile::read(zip, pack, &error, limits))
        return false;
    fingerprint = Fingerprint::of(zip);
    return true;
}

bool textureFits(const FileIo::Bytes &archive, const ArchiveEntry &entry, const FileIo::Bytes &dds,
                 ReasonOut reason)
{
    return TextureReplacer::ddsFits(archive, entry, dds, reason);
}

// The receiver's files as given on the command line.
struct Files
{
    std::string boots;
    FileIo::Bytes plain;
    PackMerge::Receiver receiver;
};

bool loadFiles(const std::string &boots, const std::vector<std::string> &archives, Files &files,
               std::string &error)
{
    Baza db;
    if (!CliSupport::loadBoots(boots, files.plain, db, &error)) {
        error = "Error File: " + boots + ": " + error;
        return false;
    }
    files.boots = boots;
    files.receiver.records = db.records();
    for (const std::string &path : archives) {
        PackMerge::Receiver::Archive archive;
        archive.name = FileIo::fromPath(FileIo::toPath(path).filename());
        archive.path = path;
        PesZlib zlib(std::string{});
        if (!zlib.unwrapFile(path, archive.bytes)) {
            error = path + ": " + zlib.errorString();
            return false;
        }
        files.receiver.archives.push_back(std::move(archive));
    }
    return true;
}

// Writes every file the merge changed, each once and safely: all are wrapped before the first
// is written, so that a failure of one leaves every file as it was as far as the system allows.
bool writeFiles(const Files &files, const PackMerge::Receiver &after, std::string &error)
{
    std::vector<std::pair<std::string, FileIo::Bytes>> writes;
    PesZlib zlib(std::string{});
    if (after.records != files.receiver.records) {
        Baza db;
        FileIo::Bytes wrapped;
        if (!db.load(files.plain) || !db.putRecords(after.records) ||
            !zlib.wrap(db.save(), wrapped)) {
            error = "cannot wrap " + files.boots + ": " + zlib.errorString();
            return false;
        }
        writes.emplace_back(files.boots, std::move(wrapped));
    }
    for (std::size_t i = 0; i < after.archives.size(); ++i) {
        if (after.archives[i].bytes == files.receiver.archives[i].bytes)
            continue;
        FileIo::Bytes wrapped;
        if (!zlib.wrap(after.archives[i].bytes, wrapped)) {
            error = std::string("cannot wrap ")
                        .append(after.archives[i].path)
                        .append(": ")
                        .append(zlib.errorString());
            return false;
        }
        writes.emplace_back(after.archives[i].path, std::move(wrapped));
    }
    for (const auto &[path, bytes] : writes) {
        if (!FileIo::isWritableFile(path)) {
            error = std::string(path).append(" is read-only; nothing was changed");
            return false;
        }
    }
    for (const auto &[path, bytes] : writes) {
        std::string why;
        if (!FileIo::writeFileAtomic(path, bytes, &why)) {
            error = std::string("cannot write ").append(path).append(": ").append(why);
            return false;
        }
    }
    return true;
}

int merge(const std::vector<std::string> &args, PackMerge::Direction direction)
{
    CliArguments reader;
    reader.option("--archive").flag("--dry-run").flag("--quiet").option("--receipts");
    reader.option("--on-conflict", {"stop", "keep", "take"});
    if (!reader.read(args))
        return problem(reader.errorString() + "\n" + PackCommands::kBootpackHelp);
    const std::vector<std::string> &paths = reader.positional();
    if (paths.size() != 2)
        return problem(std::string("bootpack apply and revert take PACK and BOOTS.bin\n") +
                       PackCommands::kBootpackHelp);
    const bool dryRun = reader.count("--dry-run") > 0;
    const bool quiet = reader.count("--quiet") > 0;
    const std::string chosen = reader.value("--on-conflict", "stop");
    const PackMerge::Policy policy = chosen == "keep"   ? PackMerge::Policy::Keep
                                     : chosen == "take" ? PackMerge::Policy::Take
                                                        : PackMerge::Policy::Stop;
    Files files;
    std::string fingerprint, error;
    if (!loadFiles(paths[1], reader.values("--archive"), files, error))
        return problem(error);
    Pack pack;
    if (!readPack(paths[0], files.receiver, pack, fingerprint, error))
        return problem(paths[0] + " cannot be used: " + error);
    const std::string folder = receiptsFolder(reader);
    const std::string bootsPath = absolute(paths[1]);

    // Taking a pack back out goes through the receipt of its apply to this file when there
    // is one: it says exactly what the apply changed.
    const std::vector<Receipt> receipts =
        direction == PackMerge::Direction::Revert && !folder.empty()
            ? Receipts::list(folder, bootsPath)
            : std::vector<Receipt>();
    Receipts::Revert revert;
    if (direction == PackMerge::Direction::Revert)
        revert = Receipts::revert(pack, fingerprint, receipts, files.receiver, textureFits);
    else
        revert.plan = PackMerge::examine(pack, direction, files.receiver, textureFits);
    PackMerge::Plan &plan = revert.plan;
    const Receipt *receipt = revert.receipt;
    const Pack *changes = &revert.changes(pack);
    PackMerge::decide(plan, policy);
    const PackMerge::Counts counts = PackMerge::count(plan);
    const bool blocked = PackMerge::blocked(plan, policy);

    std::ostringstream out;
    for (const Reason &whole : plan.problems)
        out << "cannot apply: " << Printable::name(whole.text()) << "\n";
    const bool writes = !blocked && !dryRun && counts.changes() > 0;
    for (const PackMerge::Item &item : plan.items) {
        const bool worthALine =
            dryRun    ? true
            : blocked ? item.status == PackMerge::Status::Conflict ||
                            item.status == PackMerge::Status::Problem
                      : !quiet && (item.writes() || item.status == PackMerge::Status::Conflict);
        if (worthALine)
            out << Printable::name(PackMerge::describe(*changes, direction, item, writes)) << "\n";
    }
    PackMerge::Outcome outcome = blocked  ? PackMerge::Outcome::NotWritten
                                 : dryRun ? PackMerge::Outcome::Planned
                                          : PackMerge::Outcome::Written;
    if (writes) {
        PackMerge::Receiver after = files.receiver;
        PackMerge::apply(*changes, direction, plan, after);
        // The receipt is kept before the files change, so that no apply goes unrecorded; one
        // that then fails to write is taken back.
        Receipt made;
        if (direction == PackMerge::Direction::Apply) {
            if (folder.empty())
                return problem("no folder to keep the receipt in: set HOME or --receipts; nothing "
                               "was changed");
            made =
                Receipts::make(pack, plan, files.receiver, fingerprint, bootsPath, Receipts::now());
            for (std::string &path : made.archives)
                path = absolute(path);
            if (!Receipts::write(folder, made, &error))
                return problem("cannot keep the receipt in " + folder + ": " + error +
                               "; nothing was changed");
        }
        if (!writeFiles(files, after, error)) {
            if (!made.id.empty())
                Receipts::remove(folder, made);
            return problem(error);
        }
        if (receipt)
            Receipts::remove(folder, *receipt);
    }
    out << Printable::name(PackMerge::summary(*changes, direction, counts, outcome)) << "\n";
    std::cout << out.str();
    if (!std::cout.good())
        return kProblem;
    if (counts.problems > 0)
        return kProblem;
    return blocked ? 1 : 0;
}

int applied(const std::vector<std::string> &args)
{
    CliArguments reader;
    reader.option("--receipts").atMost(1);
    if (!reader.read(args) || reader.positional().size() != 1)
        return problem(std::string("bootpack applied takes one BOOTS.bin\n") +
                       PackCommands::kBootpackHelp);
    const std::string folder = receiptsFolder(reader);
    std::vector<Reason> unreadable;
    const std::vector<Receipt> receipts =
        folder.empty() ? std::vector<Receipt>{}
                       : Receipts::list(folder, absolute(reader.positional()[0]), &unreadable);
    for (const Reason &why : unreadable)
        std::cerr << "cleatwork-cli: " << Printable::name(why.text()) << "\n";
    std::ostringstream out;
    for (const Receipt &r : receipts) {
        out << Printable::name("\u201c" + r.title + "\u201d") << " by " << Printable::name(r.author)
            << ", applied " << r.applied << ": " << r.fieldCount()
            << (r.fieldCount() == 1 ? " field, " : " fields, ") << r.textureCount()
            << (r.textureCount() == 1 ? " texture" : " textures") << "\n";
    }
    out << receipts.size() << (receipts.size() == 1 ? " pack applied" : " packs applied") << "\n";
    std::cout << out.str();
    return std::cout.good() ? 0 : kProblem;
}

} // namespace

int apply(const std::vector<std::string> &args)
{
    return merge(args, PackMerge::Direction::Apply);
}

int revert(const std::vector<std::string> &args)
{
    return merge(args, PackMerge::Direction::Revert);
}

int list(const std::vector<std::string> &args)
{
    return applied(args);
}

} // namespace PackMergeCommands
