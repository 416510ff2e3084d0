#include "LockHolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace LockHolder {

bool isStale(const Recorded &recorded, const Here &here)
{
    if (recorded.pid <= 0 || !recorded.sameMachine)
        return false;
    if (recorded.pid == here.ownPid)
        return !here.heldHere;
    return !here.holderRunning;
}

std::int64_t ownPid()
{
#ifdef _WIN32
    return static_cast<std::int64_t>(::GetCurrentProcessId());
#else
    return static_cast<std::int64_t>(::getpid());
#endif
}

bool isRunning(std::int64_t pid)
{
    if (pid <= 0)
        return false;
#ifdef _WIN32
    if (pid > 0xFFFFFFFFLL)
        return false;
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // another user's, running
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
#else
    if (pid > static_cast<std::int64_t>(static_cast<pid_t>(pid)))
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

} // namespace LockHolder
