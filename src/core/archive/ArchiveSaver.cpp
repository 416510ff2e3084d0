#include "ArchiveSaver.h"

#include "common/FileIo.h"
#include "container/PesZlib.h"

namespace ArchiveSaver {

bool save(const std::vector<std::uint8_t> &archive, const std::string &path, std::string *error)
{
    if (FileIo::exists(path) && !FileIo::isWritableFile(path)) {
        if (error)
            *error = "the file is read-only";
        return false;
    }
    PesZlib zlib{std::string{}};
    std::vector<std::uint8_t> wrapped;
    if (!zlib.wrap(archive, wrapped)) {
        if (error)
            *error = zlib.errorString();
        return false;
    }
    return FileIo::writeFileAtomic(path, wrapped, error, FileIo::Sync::Durable);
}

} // namespace ArchiveSaver
