#include "ArchiveLoader.h"

#include "Textura.h"
#include "common/FileIo.h"
#include "common/Reasons.h"
#include "container/PesZlib.h"

namespace ArchiveLoader {

bool load(PesZlib &zlib, const std::string &archive, const std::string &workingCopy, Textura &index,
          std::string *error)
{
    // The archive is unwrapped into a new file beside the working copy, which it replaces
    // only once its table has been checked.
    const std::string unwrapped = workingCopy + ".part";
    if (!zlib.unwrapFileTo(archive, unwrapped)) {
        *error = zlib.errorString();
        return false;
    }
    if (!Textura::checkFile(unwrapped, error)) {
        FileIo::removeFile(unwrapped);
        return false;
    }
    std::string moveError;
    if (!FileIo::moveFile(unwrapped, workingCopy, &moveError)) {
        FileIo::removeFile(unwrapped);
        *error = Reasons::text(Reasons::Id::CannotWriteWorkingCopy, {moveError});
        return false;
    }
    // An archive without entries is taken with an empty index.
    if (!index.Wczytaj(workingCopy) && index.errorString() != Textura::kNoEntries) {
        *error = index.errorString();
        return false;
    }
    return true;
}

} // namespace ArchiveLoader
