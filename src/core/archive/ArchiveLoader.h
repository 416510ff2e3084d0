#pragma once
// Loading a game texture archive the way the editor does: unwrap it, check its table, keep
// the unwrapped archive as the working copy in the working folder and read its table.
#include "common/Reason.h"

#include <string>

class PesZlib;
class Textura;

namespace ArchiveLoader {

/// Unwraps `archive` into "<workingCopy>.part" (nothing is written beside the archive),
/// refuses a table that runs past the end of the file, moves the result over `workingCopy`
/// and reads its table into `index`. True when the archive was taken, even when it holds no
/// entries (index.Count() is then 0). On failure `error` says why, and the working copy, the
/// index and the archive's folder are as they were.
bool load(PesZlib &zlib, const std::string &archive, const std::string &workingCopy, Textura &index,
          ReasonOut error);

} // namespace ArchiveLoader
