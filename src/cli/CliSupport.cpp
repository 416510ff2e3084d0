#include "CliSupport.h"

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
        const auto candidate = base / ("cleatwork-cli-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate, ec))
            mPath = candidate.string();
    }
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    if (!mPath.empty())
        std::filesystem::remove_all(mPath, ec);
}

} // namespace CliSupport
