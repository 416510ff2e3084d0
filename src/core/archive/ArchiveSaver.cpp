#include "ArchiveSaver.h"

#include "common/FileIo.h"
#include "container/PesZlib.h"

namespace ArchiveSaver {

bool save(const std::vector<std::uint8_t> &archive, const std::string &path, ReasonOut error)
{
    PesZlib zlib{std::string{}};
    std::vector<std::uint8_t> wrapped;
    if (!zlib.wrap(archive, wrapped))
        return error.fail(zlib.errorReason());
    return FileIo::writeFileAtomic(path, wrapped, error, FileIo::Sync::Durable);
}

} // namespace ArchiveSaver
