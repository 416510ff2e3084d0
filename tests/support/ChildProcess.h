#pragma once
// A child process for tests that must kill or limit a program: started with its arguments,
// its standard output read line by line. POSIX spawns it; Windows creates it with its
// arguments quoted as its C runtime reads them back, and a kill ends it at once as SIGKILL does.
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/types.h>
#endif

class ChildProcess
{
public:
    explicit ChildProcess(const std::vector<std::string> &arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    /// The next line of output without its line break, or false at the end or after
    /// `timeoutMs` milliseconds.
    bool readLine(std::string &line, int timeoutMs = 30000);
    /// Ends the child at once, as SIGKILL does.
    void kill();
    /// Waits for the child to end; its exit status, or -1 when a signal ended it.
    int wait();

private:
#ifdef _WIN32
    HANDLE mProcess = nullptr;
    HANDLE mOutput = nullptr;
    bool mKilled = false;
#else
    pid_t mPid = -1;
    int mOutput = -1;
#endif
    std::string mPending;
    bool mWaited = false;
};
