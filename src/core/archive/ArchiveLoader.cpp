#include "ArchiveLoader.h"

#include "Textura.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"

namespace ArchiveLoader {

bool load(PesZlib &zlib, const std::string &archive, const std::string &workingCopy, Textura &index,
          ReasonOut error)
{
    // The archive is unwrapped into a new file beside the working copy, which it replaces
    // only once its table has been checked.
    const std::string unwrapped = workingCopy + ".part";
    if (!zlib.unwrapFileTo(archive, unwrapped)) {
        return error.fail(zlib.errorReason());
    }
    if (!Textura::checkFile(unwrapped, error)) {
        FileIo::removeFile(unwrapped);
        return false;
    }
    Reason moveError;
    if (!FileIo::moveFile(unwrapped, workingCopy, &moveError)) {
        FileIo::removeFile(unwrapped);
        return error.fail(Reason(Reasons::Id::CannotWriteWorkingCopy, {moveError}));
    }
    // An archive without entries is taken with an empty index.
    if (!index.Wczytaj(workingCopy) && index.errorReason() != Reason(Reasons::Id::ArchiveNoEntries))
        return error.fail(index.errorReason());
    return true;
}

} // namespace ArchiveLoader
