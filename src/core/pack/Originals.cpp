#include "Originals.h"

#include "Fingerprint.h"
#include "common/FileIo.h"
#include "common/PrivateFolder.h"

#include <filesystem>
#include <system_error>

namespace Originals {

namespace {

// The folder of one path's original. The path is made absolute so that one file opened from
// two working folders is one file.
std::string folderFor(const std::string &folder, const std::string &path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(FileIo::toPath(path), ec);
    const std::string key = ec ? path : absolute.lexically_normal().string();
    return FileIo::join(folder, Fingerprint::of(reinterpret_cast<const std::uint8_t *>(key.data()),
                                                key.size()));
}

} // namespace

std::string find(const std::string &folder, const std::string &path)
{
    const std::string home = folderFor(folder, path);
    if (!PrivateFolder::isOwn(home))
        return {};
    std::error_code ec;
    for (const auto &item : std::filesystem::directory_iterator(FileIo::toPath(home), ec)) {
        const std::string name = item.path().filename().string();
        if (!Fingerprint::isWellFormed(name) || !item.is_regular_file(ec) || item.is_symlink(ec))
            continue;
        FileIo::Bytes kept;
        std::string keptPath = FileIo::join(home, name);
        if (FileIo::readFile(keptPath, kept, nullptr, FileIo::Links::Refuse) &&
            Fingerprint::of(kept) == name)
            return keptPath;
    }
    return {};
}

bool keep(const std::string &folder, const std::string &path, ReasonOut error)
{
    if (!find(folder, path).empty())
        return true;
    FileIo::Bytes contents;
    if (!FileIo::readFile(path, contents, error))
        return false;
    const std::string home = folderFor(folder, path);
    if (!PrivateFolder::ensure(folder, error) || !PrivateFolder::ensure(home, error))
        return false;
    return FileIo::writeNamedFile(FileIo::join(home, Fingerprint::of(contents)), contents, error,
                                  FileIo::Sync::Durable);
}

} // namespace Originals
