#pragma once
// What every cleatwork-cli command shares: its arguments as UTF-8, the one-line failure report,
// the reading of a wrapped boots database and a private scratch folder.
#include "common/FileIo.h"

#include <string>
#include <vector>

class Baza;

namespace CliSupport {

/// The program's arguments (without its name) as UTF-8, whatever the system's code page.
std::vector<std::string> arguments(int argc, char **argv);

/// Prints "cleatwork-cli: <message>" on the error output; returns the exit status 1.
int failWith(const std::string &message);

/// Unwraps the boots database `file` into `plain` and reads it into `db`; on failure returns
/// false and says why in `error`.
bool loadBoots(const std::string &file, FileIo::Bytes &plain, Baza &db, std::string *error);

// Unwrapping needs a folder for its scratch file: a private one under the system's
// temporary folder, so that neither a user's file named "temp" nor another run is touched.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const std::string &path() const { return mPath; }

private:
    std::string mPath;
};

} // namespace CliSupport
