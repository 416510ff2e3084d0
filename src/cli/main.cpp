// cleatwork-cli: the command-line companion of the editor, for modders who script their
// files. It uses the same core as the editor.
#include "CliSupport.h"
#include "TextureCommands.h"
#include "boots/Baza.h"
#include "common/Ansi.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"

#include <cstdio>
#include <iostream>
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
    "  textures FILE [--export DIR]\n"
    "                           list the entries of a wrapped texture archive, or export\n"
    "                           them all as PNG\n"
    "  texture FILE N OUT       convert entry N of a wrapped texture archive to PNG or BMP\n"
    "  replace-texture FILE N IMAGE\n"
    "                           replace the picture of entry N of a wrapped texture archive\n"
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
    "  --csv   a header row and one quoted row per record\n";

bool wantsHelp(const std::vector<std::string> &args)
{
    for (const auto &a : args) {
        if (a == "--help" || a == "-h")
            return true;
    }
    return false;
}

std::string jsonString(const std::string &utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                (void)std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string csvField(const std::string &utf8)
{
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

struct Field
{
    const char *name;
    bool text;
    std::string value;
};

std::vector<Field> fieldsOf(const BootRecord &r)
{
    return {{"Nazwa", true, Ansi::toUtf8(r.Nazwa)},
            {"ID", false, std::to_string(r.ID)},
            {"Kolej", false, std::to_string(r.Kolej)},
            {"nowe", false, std::to_string(r.nowe)},
            {"Pole5", false, std::to_string(r.Pole5)},
            {"Sila", false, std::to_string(r.Sila)},
            {"Precyzja", false, std::to_string(r.Precyzja)},
            {"Przyspieszenie", false, std::to_string(r.Przyspieszenie)},
            {"Szybkosc", false, std::to_string(r.Szybkosc)},
            {"Podkrecanie", false, std::to_string(r.Podkrecanie)},
            {"NazwaMaterialu", true, Ansi::toUtf8(r.NazwaMaterialu)},
            {"Kolor", true, Ansi::toUtf8(r.Kolor)}};
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
    std::string file;
    std::string format = "text";
    for (const auto &a : args) {
        if (a == "--json")
            format = "json";
        else if (a == "--csv")
            format = "csv";
        else if (!a.empty() && a[0] == '-')
            return failWith("unknown option " + a + "\n" + kDumpHelp);
        else if (file.empty())
            file = a;
        else
            return failWith(std::string("dump takes one FILE\n") + kDumpHelp);
    }
    if (file.empty())
        return failWith(std::string("dump needs a FILE\n") + kDumpHelp);

    FileIo::Bytes container;
    std::string error;
    if (!FileIo::readFile(file, container, &error))
        return failWith("Error File: " + file + ": " + error);
    PesZlib zlib(std::string{});
    FileIo::Bytes plain;
    if (!zlib.unwrap(container, plain))
        return failWith("Error File: " + file + ": " + zlib.errorString());
    Baza db;
    if (!db.load(plain))
        return failWith("Error File: " + file + ": " + db.errorString());

    std::ostringstream out;
    const auto &records = db.records();
    if (format == "json") {
        out << "[";
        for (std::size_t i = 0; i < records.size(); ++i) {
            out << (i ? ",\n  {" : "\n  {");
            bool first = true;
            for (const auto &f : fieldsOf(records[i])) {
                out << (first ? "" : ", ") << '"' << f.name
                    << "\": " << (f.text ? jsonString(f.value) : f.value);
                first = false;
            }
            out << "}";
        }
        out << (records.empty() ? "]\n" : "\n]\n");
    } else if (format == "csv") {
        bool first = true;
        for (const auto &f : fieldsOf(BootRecord{})) {
            out << (first ? "" : ",") << f.name;
            first = false;
        }
        out << "\r\n";
        for (const auto &r : records) {
            first = true;
            for (const auto &f : fieldsOf(r)) {
                out << (first ? "" : ",") << csvField(f.value);
                first = false;
            }
            out << "\r\n";
        }
    } else {
        for (std::size_t i = 0; i < records.size(); ++i) {
            out << "# " << i << "\n";
            for (const auto &f : fieldsOf(records[i]))
                out << "  " << f.name << ": " << f.value << "\n";
        }
    }
    std::cout << out.str();
    return std::cout.good() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
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
        {"textures", TextureCommands::kTexturesHelp, -1, TextureCommands::textures},
        {"texture", TextureCommands::kTextureHelp, 3, TextureCommands::texture},
        {"replace-texture", TextureCommands::kReplaceTextureHelp, 3,
         TextureCommands::replaceTexture}};
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
        return c.run(args);
    }
    return failWith("unknown command '" + command + "'\n" + kUsage);
}
