#include "NativeFile.h"

#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace NativeFile {

#ifdef _WIN32
std::wstring wide(const std::string &path)
{
    return FileIo::toPath(path).wstring();
}


namespace {

// The last failure: a Windows error code, or 0 when errno holds it.
thread_local DWORD lastWindowsError = 0;
thread_local bool lastExists = false;

std::string narrow(const std::wstring &text)
{
    return FileIo::fromPath(fs::path(text));
}

bool windowsFailure()
{
    lastWindowsError = ::GetLastError();
    return false;
}

} // namespace

std::FILE *open(const std::string &path, const char *mode)
{
    lastWindowsError = 0;
    const std::wstring wmode(mode, mode + std::strlen(mode));
    return _wfopen(wide(path).c_str(), wmode.c_str());
}

std::FILE *createNew(const std::string &path)
{
    // _O_EXCL is CREATE_NEW: it never opens what is there, a file, a folder or a reparse
    // point, so nothing is written through a link. The C runtime's fopen ignores "x".
    lastWindowsError = 0;
    int fd = -1;
    const errno_t failed =
        _wsopen_s(&fd, wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _SH_DENYWR, _S_IREAD | _S_IWRITE);
    lastExists = failed == EEXIST;
    if (failed) {
        errno = failed;
        return nullptr;
    }
    std::FILE *file = _fdopen(fd, "wb");
    if (!file)
        _close(fd);
    return file;
}

bool seek(std::FILE *file, std::uint64_t offset)
{
    lastWindowsError = 0;
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
}

bool flushToDisk(std::FILE *file)
{
    lastWindowsError = 0;
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool replace(const std::string &from, const std::string &to, bool durable)
{
    // One change of names that the system makes whole or not at all; a failure (the game
    // holding the file open, say) leaves both files. ReplaceFileW would keep more of the old
    // file's metadata, but where it fails half way it leaves a backup file of its own beside
    // the user's file, which nothing may leave there.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    return ::MoveFileExW(wide(from).c_str(), wide(to).c_str(), flags) != 0 || windowsFailure();
}

bool isLink(const std::string &path)
{
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::string linkTarget(const std::string &path)
{
    const HANDLE handle = ::CreateFileW(wide(path).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::string();
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, name.data(),
                                               static_cast<DWORD>(name.size()), 0);
    if (length >= name.size()) {
        name.resize(length);
        length = ::GetFinalPathNameByHandleW(handle, name.data(),
                                             static_cast<DWORD>(name.size()), 0);
    }
    ::CloseHandle(handle);
    if (length == 0 || length >= name.size())
        return std::string();
    name.resize(length);
    if (name.rfind(L"\\\\?\\UNC\\", 0) == 0)
        name = L"\\\\" + name.substr(8);
    else if (name.rfind(L"\\\\?\\", 0) == 0)
        name = name.substr(4);
    return narrow(name);
}

Block writeBlock(const std::string &path)
{
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Block::None;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return Block::ReadOnly;
    // Opening it as a replacement would what the attributes do not: the rights the user
    // has, and whether another program holds it open without letting others write it or
    // delete it (a rename over a file is a delete of it).
    const HANDLE handle = ::CreateFileW(wide(path).c_str(), GENERIC_WRITE | DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        return Block::None;
    }
    windowsFailure();
    switch (lastWindowsError) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Block::InUse;
    case ERROR_ACCESS_DENIED:
        return Block::NoPermission;
    default:
        return Block::None; // the replacement itself says what else is wrong
    }
}

bool lastWasDenied()
{
    return lastWindowsError ? lastWindowsError == ERROR_ACCESS_DENIED : errno == EACCES;
}

bool existsAlready()
{
    return lastExists;
}

std::string lastError()
{
    if (lastWindowsError == 0)
        return std::strerror(errno);
    wchar_t *text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, lastWindowsError, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
    if (text)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L'.' || message.back() == L' '))
        message.pop_back();
    if (message.empty())
        return "Windows error " + std::to_string(lastWindowsError);
    return narrow(message);
}

#else

std::FILE *open(const std::string &path, const char *mode)
{
    return std::fopen(path.c_str(), mode);
}

std::FILE *createNew(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    std::FILE *file = ::fdopen(fd, "wb");
    if (!file)
        ::close(fd);
    return file;
}

bool existsAlready()
{
    return errno == EEXIST;
}

bool seek(std::FILE *file, std::uint64_t offset)
{
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool flushToDisk(std::FILE *file)
{
    return std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
}

bool replace(const std::string &from, const std::string &to, bool)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool isLink(const std::string &path)
{
    std::error_code ec;
    return fs::is_symlink(FileIo::toPath(path), ec);
}

std::string linkTarget(const std::string &path)
{
    std::error_code ec;
    const fs::path target = fs::canonical(FileIo::toPath(path), ec);
    return ec ? std::string() : FileIo::fromPath(target);
}

Block writeBlock(const std::string &path)
{
    // POSIX lets a program replace a file that another holds open.
    struct stat status = {};
    if (::stat(path.c_str(), &status) != 0)
        return Block::None;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return Block::ReadOnly;
    return ::access(path.c_str(), W_OK) == 0 ? Block::None : Block::NoPermission;
}

bool lastWasDenied()
{
    return errno == EACCES;
}

std::string lastError()
{
    return std::strerror(errno);
}

#endif

} // namespace NativeFile
