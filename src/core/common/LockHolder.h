#pragma once
// Who holds a lock file, as far as this program can tell: a lock is stale (safe to take
// over) when the process it names has ended, or when it names this very process without this
// process holding it (a system that hands a new process the id of one ended by force, as Wine
// does, would otherwise keep a dead copy's lock alive for good). A lock made on another
// machine (a program folder on a shared stick or share) is never judged: its processes
// cannot be seen from here.
#include <cstdint>

namespace LockHolder {

struct Recorded
{
    std::int64_t pid = 0;     ///< the process the lock names (0: none readable)
    bool sameMachine = false; ///< the lock was made on this machine
};

struct Here
{
    std::int64_t ownPid = 0;    ///< this process
    bool heldHere = false;      ///< this process holds the lock itself (an object of its own)
    bool holderRunning = false; ///< a process with the recorded id is running
};

/// True when the lock may be removed and taken.
bool isStale(const Recorded &recorded, const Here &here);

/// This process's id.
std::int64_t ownPid();

/// True when a process with the id `pid` is running (on POSIX: exists, ours or another
/// user's).
bool isRunning(std::int64_t pid);

} // namespace LockHolder
