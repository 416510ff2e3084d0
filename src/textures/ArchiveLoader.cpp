#include "ArchiveLoader.h"

#include "Textura.h"
#include "common/FileIo.h"
#include "container/PesZlib.h"

namespace ArchiveLoader {

bool load(PesZlib &zlib, const std::string &archive, const std::string &workingCopy, Textura &index,
          std::string &error)
{
    // The archive is unwrapped into a new file beside the working copy, which it replaces
    // only once its table has been checked.
    const std::string unwrapped = workingCopy + ".part";
    if (!zlib.unwrapFileTo(archive, unwrapped)) {
        error = zlib.errorString();
        return false;
    }
    error = Textura::fileProblem(unwrapped);
    if (!error.empty()) {
        FileIo::removeFile(unwrapped);
        return false;
    }
    if (!FileIo::moveFile(unwrapped, workingCopy, &error)) {
        FileIo::removeFile(unwrapped);
        error = "cannot write the working copy: " + error;
        return false;
    }
    index.Wczytaj(workingCopy); // an archive without entries is taken with an empty index
    error.clear();
    return true;
}

} // namespace ArchiveLoader
