#include "ChildProcess.h"

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

ChildProcess::ChildProcess(const std::vector<std::string> &arguments)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char *> argv;
    for (const auto &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const int rc = posix_spawn(&mPid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    mOutput = pipeEnds[0];
    if (rc != 0)
        throw std::runtime_error("cannot start " + arguments.front());
}

ChildProcess::~ChildProcess()
{
    if (!mWaited) {
        ::kill(mPid, SIGKILL);
        wait();
    }
    close(mOutput);
}

bool ChildProcess::readLine(std::string &line, int timeoutMs)
{
    for (;;) {
        const std::size_t end = mPending.find('\n');
        if (end != std::string::npos) {
            line = mPending.substr(0, end);
            mPending.erase(0, end + 1);
            return true;
        }
        pollfd p{mOutput, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0)
            return false;
        char buffer[4096];
        const ssize_t got = read(mOutput, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        mPending.append(buffer, static_cast<std::size_t>(got));
    }
}

void ChildProcess::kill(int signal)
{
    ::kill(mPid, signal);
}

int ChildProcess::wait()
{
    int status = 0;
    while (waitpid(mPid, &status, 0) < 0) {
    }
    mWaited = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
