#include "PrivateFolder.h"

#include "FileIo.h"
#include "NativeFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace PrivateFolder {

namespace {

bool fail(ReasonOut error, const Reason &reason)
{
    return error.fail(reason);
}

#ifdef _WIN32
using NativeFile::wide;

// A folder is this user's own on Windows when it is a real folder (no reparse point: neither a
// symbolic link nor a junction) under a parent only the user reaches: the program keeps such
// folders in the user's local AppData, whose security lets no one else in.
DWORD attributesOf(const std::string &path)
{
    return ::GetFileAttributesW(wide(path).c_str());
}

bool isRealFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool removeEntry(const std::wstring &path, DWORD attributes);

// Empties a real folder entry by entry; a link or junction inside is removed, never entered.
bool removeInside(const std::wstring &folder)
{
    std::vector<std::pair<std::wstring, DWORD>> entries;
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            entries.emplace_back(folder + L"\\" + name, found.dwFileAttributes);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    bool ok = true;
    for (const auto &[path, attributes] : entries)
        ok = removeEntry(path, attributes) && ok;
    return ok;
}

bool removeEntry(const std::wstring &path, DWORD attributes)
{
    const bool link = attributes & FILE_ATTRIBUTE_REPARSE_POINT;
    if (!link && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        const bool emptied = link || removeInside(path);
        return ::RemoveDirectoryW(path.c_str()) != 0 && emptied;
    }
    return ::DeleteFileW(path.c_str()) != 0;
}
#else
// Others may write in a folder whose write bit for others is set, or whose group write bit is
// set for a group other than the user's own (a private group of one, as umask 002 leaves it).
bool othersMayWrite(const struct stat &status)
{
    return (status.st_mode & S_IWOTH) != 0 ||
           ((status.st_mode & S_IWGRP) != 0 && status.st_gid != ::getegid());
}

// Empties the folder open as `folder`, entry by entry, never through a link.
bool removeInside(int folder)
{
    std::vector<std::string> names;
    const int listed = ::dup(folder);
    DIR *dir = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (!dir) {
        if (listed >= 0)
            ::close(listed);
        return false;
    }
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    bool ok = true;
    for (const std::string &name : names) {
        struct stat status = {};
        if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            ok = false;
            continue;
        }
        if (S_ISDIR(status.st_mode)) {
            const int sub =
                ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            ok = sub >= 0 && removeInside(sub) && ok;
            if (sub >= 0)
                ::close(sub);
            ok = ::unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0 && ok;
        } else {
            ok = ::unlinkat(folder, name.c_str(), 0) == 0 && ok;
        }
    }
    return ok;
}
#endif

} // namespace

bool isOwn(const std::string &path)
{
#ifdef _WIN32
    return isRealFolder(attributesOf(path));
#else
    struct stat status = {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && !othersMayWrite(status);
#endif
}

bool createNew(const std::string &path, ReasonOut error)
{
#ifdef _WIN32
    // Inherits the security of its parent, the user's own local AppData.
    if (::CreateDirectoryW(wide(path).c_str(), nullptr))
        return true;
    return fail(error, ::GetLastError() == ERROR_ALREADY_EXISTS ? Reason(Reasons::Id::FolderExists)
                                                                : Reason(FileIo::lastError()));
#else
    if (::mkdir(path.c_str(), 0700) != 0)
        return fail(error, errno == EEXIST ? Reason(Reasons::Id::FolderExists)
                                           : Reason(FileIo::lastError()));
    return true;
#endif
}

bool ensure(const std::string &path, ReasonOut error)
{
    if (createNew(path, nullptr) || isOwn(path))
        return true;
#ifdef _WIN32
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return fail(error, Reason(Reasons::Id::FolderNotMade));
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return fail(error, Reason(Reasons::Id::IsLink));
    return fail(error, Reason(Reasons::Id::NotAFolder));
#else
    struct stat status = {};
    if (::lstat(path.c_str(), &status) != 0)
        return fail(error, FileIo::lastError());
    if (!S_ISDIR(status.st_mode))
        return fail(
            error, Reason(S_ISLNK(status.st_mode) ? Reasons::Id::IsLink : Reasons::Id::NotAFolder));
    if (status.st_uid != ::geteuid())
        return fail(error, Reason(Reasons::Id::OtherUsersFolder));
    return fail(error, Reason(Reasons::Id::OthersMayWrite));
#endif
}

bool removeTree(const std::string &path)
{
#ifdef _WIN32
    const DWORD attributes = attributesOf(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND;
    return removeEntry(wide(path), attributes);
#else
    struct stat status = {};
    if (::lstat(path.c_str(), &status) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(status.st_mode))
        return ::unlink(path.c_str()) == 0;
    const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool emptied = removeInside(folder);
    ::close(folder);
    return ::rmdir(path.c_str()) == 0 && emptied;
#endif
}

} // namespace PrivateFolder
