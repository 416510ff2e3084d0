#include "ChildProcess.h"

#include <stdexcept>

#ifdef _WIN32

#include <chrono>
#include <thread>

namespace {

std::wstring wide(const std::string &utf8)
{
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                             static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                          length);
    return text;
}

// One argument as CommandLineToArgvW and the C runtime split it again: quoted, with the
// backslashes before a quote (and before the closing one) doubled.
std::wstring quoted(const std::wstring &argument)
{
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\');
    return out + L"\"";
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE childOutput = nullptr;
    if (!::CreatePipe(&mOutput, &childOutput, &inherit, 0) ||
        !::SetHandleInformation(mOutput, HANDLE_FLAG_INHERIT, 0))
        throw std::runtime_error("CreatePipe failed");
    std::wstring commandLine;
    for (const auto &argument : arguments)
        commandLine += (commandLine.empty() ? L"" : L" ") + quoted(wide(argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = childOutput;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                     nullptr, nullptr, &startup, &started);
    ::CloseHandle(childOutput);
    if (!ok)
        throw std::runtime_error("cannot start " + arguments.front());
    ::CloseHandle(started.hThread);
    mProcess = started.hProcess;
}

ChildProcess::~ChildProcess()
{
    if (!mWaited) {
        kill();
        wait();
    }
    ::CloseHandle(mProcess);
    ::CloseHandle(mOutput);
}

bool ChildProcess::readLine(std::string &line, int timeoutMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t end = mPending.find('\n');
        if (end != std::string::npos) {
            line = mPending.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            mPending.erase(0, end + 1);
            return true;
        }
        // An anonymous pipe cannot be waited on with a timeout: look, then sleep a little.
        DWORD waiting = 0;
        if (!::PeekNamedPipe(mOutput, nullptr, 0, nullptr, &waiting, nullptr))
            return false; // the child has ended and its output is read
        if (waiting == 0) {
            if (std::chrono::steady_clock::now() >= until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        char buffer[4096];
        DWORD got = 0;
        if (!::ReadFile(mOutput, buffer, sizeof buffer, &got, nullptr) || got == 0)
            return false;
        mPending.append(buffer, got);
    }
}

void ChildProcess::kill()
{
    mKilled = ::TerminateProcess(mProcess, 1) != 0;
}

int ChildProcess::wait()
{
    ::WaitForSingleObject(mProcess, INFINITE);
    mWaited = true;
    DWORD status = 0;
    ::GetExitCodeProcess(mProcess, &status);
    return mKilled ? -1 : static_cast<int>(status);
}

#else

#include <csignal>
#include <poll.h>
#include <spawn.h>
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

void ChildProcess::kill()
{
    ::kill(mPid, SIGKILL);
}

int ChildProcess::wait()
{
    int status = 0;
    while (waitpid(mPid, &status, 0) < 0) {
    }
    mWaited = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif
