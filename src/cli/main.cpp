// cleatwork-cli: the command-line companion of the editor, for modders who script their
// files. It uses the same core as the editor.
#include "CliArguments.h"
#include "CliSupport.h"
#include "ConsoleOutput.h"
#include "PackCommands.h"
#include "TextureCommands.h"
#include "boots/Baza.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"
#include "exchange/BootsTable.h"
#include "exchange/TableImport.h"

#include <cstdio>
#include <iostream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

using CliSupport::failWith;
using CliSupport::ScratchFolder;

namespace {

const char *const kUsage =
    "Usage: cleatwork-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  unpack FILE              unwrap a WESYS game file into FILE.unzlib\n"
    "  pack FILE                wrap a plain file into FILE.zlib\n"
    "  dump FILE [--json|--csv] print every boot of a wrapped boots database\n"
    "  import FILE TABLE [--dry-run]\n"
    "                           write the values of a CSV or JSON table into a boots database\n"
    "  textures FILE [--export DIR | --import DIR [--dry-run] [--resize]]\n"
    "                           list the entries of a wrapped texture archive, export\n"
    "                           them all as PNG, or import a folder of pictures\n"
    "  texture FILE N OUT       convert entry N of a wrapped texture archive to PNG or BMP\n"
    "  replace-texture FILE N IMAGE [--resize]\n"
    "                           replace the picture of entry N of a wrapped texture archive\n"
    "  diff A B [--archive A_ARCH B_ARCH]... [--format text|json|csv]\n"
    "                           list the boots and textures that differ between two files\n"
    "  bootpack create|show|apply|revert ...\n"
    "                           make a boot pack of your changes, show one, or merge one\n"
    "                           into your files field by field and take it out again\n"
    "\n"
    "Run 'cleatwork-cli COMMAND --help' for the details of a command.\n";

const char *const kUnpackHelp =
    "Usage: cleatwork-cli unpack FILE\n"
    "Unwraps the WESYS container FILE and writes its plain contents to FILE.unzlib.\n"
    "Exits with 0 on success; otherwise prints the reason and exits with 1.\n";

const char *const kPackHelp =
    "Usage: cleatwork-cli pack FILE\n"
    "Wraps the plain file FILE in the game's WESYS container and writes FILE.zlib.\n"
    "Exits with 0 on success; otherwise prints the reason and exits with 1.\n";

const char *const kDumpHelp =
    "Usage: cleatwork-cli dump FILE [--json|--csv]\n"
    "Unwraps the boots database FILE in memory (nothing is written) and prints every\n"
    "record in file order with all twelve fields; texts are printed as UTF-8.\n"
    "  --json  an array of objects keyed by the field names\n"
    "  --csv   a UTF-8 byte-order mark, a header row and one row per record (RFC 4180)\n";

const char *const kImportHelp =
    "Usage: cleatwork-cli import FILE TABLE [--dry-run]\n"
    "Writes the values of TABLE into the wrapped boots database FILE. TABLE is a .csv or .json\n"
    "file in the form 'dump --csv' or 'dump --json' writes: one row per boot of FILE in file\n"
    "order; columns or keys it leaves out keep their values. Every value is checked first:\n"
    "numbers must be whole and fit their field, texts must fit their field (60, 125 and 83\n"
    "characters) and Windows-1252. On any problem it prints one line per problem, exits with 1\n"
    "and leaves FILE as it was; otherwise it replaces FILE safely and prints a summary.\n"
    "  --dry-run  print each change (position, field: old -> new) and write nothing\n";

bool wantsHelp(const std::vector<std::string> &args)
{
    for (const auto &a : args) {
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

int unpack(const std::vector<std::string> &args)
{
    ScratchFolder scratch;
    if (scratch.path().empty())
        return failWith("cannot make a scratch folder");
    PesZlib zlib(scratch.path());
    if (!zlib.UnpackWesys(args[0]))
        return failWith("cannot unwrap " + args[0] + ": " + zlib.errorString());
    return 0;
}

int pack(const std::vector<std::string> &args)
{
    PesZlib zlib(std::string{});
    if (!zlib.PackWesys(args[0]))
        return failWith("cannot wrap " + args[0] + ": " + zlib.errorString());
    return 0;
}

int dump(const std::vector<std::string> &args)
{
    CliArguments reader;
    reader.flag("--json").flag("--csv").atMost(1);
    if (!reader.read(args)) {
        if (reader.problem() == CliArguments::Problem::TooMany)
            return failWith(std::string("dump takes one FILE\n") + kDumpHelp);
        return failWith(reader.errorString() + "\n" + kDumpHelp);
    }
    const std::string file = reader.positional().empty() ? std::string() : reader.positional()[0];
    if (file.empty())
        return failWith(std::string("dump needs a FILE\n") + kDumpHelp);
    const std::string chosen = reader.lastOf({"--json", "--csv"});
    const std::string format = chosen.empty() ? std::string("text") : chosen.substr(2);

    Baza db;
    FileIo::Bytes plain;
    std::string error;
    if (!CliSupport::loadBoots(file, plain, db, &error))
        return failWith("Error File: " + file + ": " + error);

    std::ostringstream out;
    const auto &records = db.records();
    if (format == "json") {
        out << BootsTable::json(records);
    } else if (format == "csv") {
        out << BootsTable::csv(records);
    } else {
        for (std::size_t i = 0; i < records.size(); ++i) {
            out << "# " << i << "\n";
            for (const BootField &c : BootsTable::columns())
                out << "  " << c.name << ": " << c.shown(records[i]) << "\n";
        }
    }
    std::cout << out.str();
    return std::cout.good() ? 0 : 1;
}

int import(const std::vector<std::string> &args)
{
    CliArguments reader;
    reader.flag("--dry-run");
    if (!reader.read(args))
        return failWith(reader.errorString() + "\n" + kImportHelp);
    const std::vector<std::string> &paths = reader.positional();
    const bool dryRun = reader.count("--dry-run") > 0;
    if (paths.size() != 2)
        return failWith(std::string("import takes FILE and TABLE\n") + kImportHelp);
    const std::string &file = paths[0];
    const std::string &tablePath = paths[1];
    Baza db;
    FileIo::Bytes plain;
    std::string error;
    if (!CliSupport::loadBoots(file, plain, db, &error))
        return failWith("Error File: " + file + ": " + error);
    TableImport import;
    if (!import.readFile(tablePath, db)) {
        // One line per problem and nothing else: FILE is left as it was.
        for (const TableProblem &p : import.problems())
            std::cerr << "cleatwork-cli: " << tablePath << ": " << p.text() << "\n";
        return 1;
    }
    std::ostringstream out;
    if (dryRun) {
        for (const TableChange &c : import.changes())
            out << c.text() << "\n";
    } else if (!import.changes().empty()) {
        // An unchanged table leaves the file alone, compressed bytes and all.
        if (!FileIo::isWritableFile(file))
            return failWith(file + " is read-only; it was not changed");
        FileIo::Bytes container;
        PesZlib zlib(std::string{});
        if (!import.apply(db))
            return failWith("cannot apply " + tablePath + ": " + import.errorString());
        if (!zlib.wrap(db.save(), container))
            return failWith("cannot wrap " + file + ": " + zlib.errorString());
        if (!FileIo::writeFileAtomic(file, container, &error))
            return failWith("cannot write " + file + ": " + error);
    }
    out << import.summary() << (dryRun ? " (dry run: nothing written)" : "") << "\n";
    std::cout << out.str();
    return std::cout.good() ? 0 : 1;
}

// Unwraps a texture archive in memory and reads its table.

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args = CliSupport::arguments(argc, argv);
    ConsoleOutput::install();
    if (args.empty())
        return failWith(std::string("no command given\n") + kUsage);
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    struct Command
    {
        const char *name;
        const char *help;
        int arguments; // how many it takes, or -1 when it reads its own options
        int (*run)(const std::vector<std::string> &);
    };
    static const Command commands[] = {
        {"unpack", kUnpackHelp, 1, unpack},
        {"pack", kPackHelp, 1, pack},
        {"dump", kDumpHelp, -1, dump},
        {"import", kImportHelp, -1, import},
        {"textures", TextureCommands::kTexturesHelp, -1, TextureCommands::textures},
        {"texture", TextureCommands::kTextureHelp, 3, TextureCommands::texture},
        {"replace-texture", TextureCommands::kReplaceTextureHelp, -1,
         TextureCommands::replaceTexture},
        {"diff", PackCommands::kDiffHelp, -1, PackCommands::diff},
        {"bootpack", PackCommands::kBootpackHelp, -1, PackCommands::bootpack}};
    for (const Command &c : commands) {
        if (command != c.name)
            continue;
        if (wantsHelp(args)) {
            std::cout << c.help;
            return 0;
        }
        if (c.arguments >= 0 && args.size() != static_cast<std::size_t>(c.arguments))
            return failWith(command + " takes " + std::to_string(c.arguments) + " argument" +
                            (c.arguments == 1 ? "" : "s") + "\n" + c.help);
        try {
            return c.run(args);
        } catch (const std::bad_alloc &) {
            return failWith(command + ": there is not enough memory");
        }
    }
    return failWith("unknown command '" + command + "'\n" + kUsage);
}
