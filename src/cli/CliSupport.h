#pragma once
// What every cleatwork-cli command shares: the one-line failure report and a private scratch
// folder.
#include <string>

namespace CliSupport {

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
