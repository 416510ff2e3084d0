#pragma once
// Folders only this user can steer: made with mode 0700, accepted only when they are real
// folders (not links) that the user owns and no one else may write, and removed without ever
// following a link. For the state and working folders the program names itself. On Windows a
// link is any reparse point (symbolic links and junctions alike), and the folders live under
// the user's local AppData, whose security already keeps other users out.
#include "Reason.h"

#include <string>

namespace PrivateFolder {

/// True when `path` is a real folder (a link to one does not count) that this user owns and
/// that no other user may write (a group write bit counts only for a group not the user's own).
bool isOwn(const std::string &path);

/// Makes `path` (its parent must exist) with mode 0700 when it is missing, or accepts it when
/// isOwn. False with the reason otherwise; nothing is changed then.
bool ensure(const std::string &path, ReasonOut error);

/// Makes the new folder `path` with mode 0700; one that exists already (anyone's) is refused.
bool createNew(const std::string &path, ReasonOut error);

/// Removes `path` and everything under it without following links: a link is removed, never
/// what it points at. True when nothing is left.
bool removeTree(const std::string &path);

} // namespace PrivateFolder
