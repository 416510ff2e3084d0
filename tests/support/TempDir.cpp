#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 32; ++attempt) {
        const fs::path candidate = base / ("cleatwork-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            mPath = candidate.string();
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Make everything writable again so that tests that took write access away clean up.
    for (const auto &entry : fs::recursive_directory_iterator(mPath, ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(mPath, ec);
}

std::string TempDir::file(const std::string &name) const
{
    return (fs::path(mPath) / name).string();
}

std::string TempDir::listing() const
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(mPath))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto &n : names)
        out += (out.empty() ? "" : " ") + n;
    return out;
}
