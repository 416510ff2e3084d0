#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 text, as the program's own; on Windows with its own separator.
fs::path fromUtf8(const std::string &text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string toUtf8(fs::path path)
{
    const auto u8 = path.make_preferred().u8string();
    return std::string(u8.begin(), u8.end());
}

} // namespace

TempDir::TempDir() : TempDir(toUtf8(fs::temp_directory_path())) {}

TempDir::TempDir(const std::string &inside)
{
    std::random_device random;
    const fs::path base = fromUtf8(inside);
    for (int attempt = 0; attempt < 32; ++attempt) {
        const fs::path candidate = base / ("cleatwork-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            mPath = toUtf8(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Make everything writable again so that tests that took write access away clean up.
    for (const auto &entry : fs::recursive_directory_iterator(fromUtf8(mPath), ec))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(fromUtf8(mPath), ec);
}

std::string TempDir::file(const std::string &name) const
{
    return toUtf8(fromUtf8(mPath) / fromUtf8(name));
}

std::string TempDir::listing() const
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(fromUtf8(mPath)))
        names.push_back(toUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto &n : names)
        out += (out.empty() ? "" : " ") + n;
    return out;
}

std::string folderSnapshot(const std::string &folder, bool sizes)
{
    std::vector<std::string> lines;
    for (const auto &e : fs::recursive_directory_iterator(folder))
        lines.push_back(fs::relative(e.path(), folder).generic_string() +
                        (!e.is_regular_file() ? "/"
                         : sizes              ? " " + std::to_string(e.file_size())
                                              : ""));
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const auto &l : lines)
        out += l + "\n";
    return out;
}
