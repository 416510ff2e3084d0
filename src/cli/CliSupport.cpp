#include "CliSupport.h"

#include "boots/Baza.h"
#include "common/FileIo.h"
#include "common/PrivateFolder.h"
#include "container/PesZlib.h"

#include <filesystem>
#include <iostream>
#include <random>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#endif

namespace CliSupport {

std::vector<std::string> arguments(int argc, char **argv)
{
#ifdef _WIN32
    // The C runtime's argv holds the arguments in the ANSI code page, which loses every
    // character outside it ("Łódź" on a Western system): they are read from the UTF-16
    // command line instead. Files and pipes get the output byte for byte (text mode would add
    // a carriage return to every line break, and a dump written to a file would differ from
    // the one written on Linux); a console gets it as its Unicode text (ConsoleOutput).
    (void)::SetConsoleOutputCP(CP_UTF8);
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
    int count = 0;
    wchar_t **wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i)
            args.push_back(FileIo::fromPath(std::filesystem::path(wide[i])));
        ::LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

int failWith(const std::string &message)
{
    std::cerr << "cleatwork-cli: " << message << "\n";
    return 1;
}

bool loadBoots(const std::string &file, FileIo::Bytes &plain, Baza &db, std::string *error)
{
    PesZlib zlib(std::string{});
    if (!zlib.unwrapFile(file, plain)) {
        *error = zlib.errorString();
        return false;
    }
    if (!db.load(plain)) {
        *error = db.errorString();
        return false;
    }
    return true;
}

ScratchFolder::ScratchFolder()
{
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    std::random_device random;
    for (int attempt = 0; attempt < 16 && mPath.empty(); ++attempt) {
        // A new folder of mode 0700: never one that someone prepared in the shared folder.
        const auto candidate = base / ("cleatwork-cli-" + std::to_string(random()));
        if (PrivateFolder::createNew(FileIo::fromPath(candidate), nullptr))
            mPath = FileIo::fromPath(candidate);
    }
}

ScratchFolder::~ScratchFolder()
{
    if (!mPath.empty())
        PrivateFolder::removeTree(mPath);
}

} // namespace CliSupport
