#pragma once
// What every cleatwork-cli command shares: its arguments as UTF-8, the one-line failure report
// and a private scratch folder.
#include <string>
#include <vector>

namespace CliSupport {

/// The program's arguments (without its name) as UTF-8, whatever the system's code page.
std::vector<std::string> arguments(int argc, char **argv);

/// Prints "cleatwork-cli: <message>" on the error output; returns the exit status 1.
int failWith(const std::string &message);

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
