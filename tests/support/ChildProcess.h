#pragma once
// A child process for tests that must kill or limit a program: started with its arguments,
// its standard output read line by line.
#include <string>
#include <sys/types.h>
#include <vector>

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
    /// Sends `signal` to the child.
    void kill(int signal);
    /// Waits for the child to end; its exit status, or -1 when a signal ended it.
    int wait();

private:
    pid_t mPid = -1;
    int mOutput = -1;
    std::string mPending;
    bool mWaited = false;
};
