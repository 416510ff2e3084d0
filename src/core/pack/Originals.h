#pragma once
// The files as they were before the editor first changed them: the first time a boots file or
// an archive is opened, a copy of it goes into a folder of the user's own (never beside the
// game's files), filed under a fingerprint of its path and named by the fingerprint of its
// contents. Changes since the original are then known after saves and restarts. Failures are
// false and a reason; a failed keep changes nothing the user had.
#include "common/Reason.h"

#include <string>

namespace Originals {

/// Keeps a copy of the file at `path` in `folder` (made, private, when missing) unless one is
/// kept for that path already. True when the path has its original afterwards.
bool keep(const std::string &folder, const std::string &path, ReasonOut error);

/// The kept original of `path`, or the empty text when there is none (or it was damaged since).
std::string find(const std::string &folder, const std::string &path);

} // namespace Originals
