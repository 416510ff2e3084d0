#include "CliSupport.h"

#include "common/PrivateFolder.h"

#include <filesystem>
#include <iostream>
#include <random>

namespace CliSupport {

int failWith(const std::string &message)
{
    std::cerr << "cleatwork-cli: " << message << "\n";
    return 1;
}

ScratchFolder::ScratchFolder()
{
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    std::random_device random;
    for (int attempt = 0; attempt < 16 && mPath.empty(); ++attempt) {
        // A new folder of mode 0700: never one that someone prepared in the shared folder.
        const auto candidate = base / ("cleatwork-cli-" + std::to_string(random()));
        if (PrivateFolder::createNew(candidate.string(), nullptr))
            mPath = candidate.string();
    }
}

ScratchFolder::~ScratchFolder()
{
    if (!mPath.empty())
        PrivateFolder::removeTree(mPath);
}

} // namespace CliSupport
