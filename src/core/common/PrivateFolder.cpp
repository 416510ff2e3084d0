#include "PrivateFolder.h"

#include "FileIo.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
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

#ifndef _WIN32
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
    std::error_code ec;
    const auto p = FileIo::toPath(path);
    return std::filesystem::is_directory(std::filesystem::symlink_status(p, ec));
#else
    struct stat status = {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && !othersMayWrite(status);
#endif
}

bool createNew(const std::string &path, ReasonOut error)
{
#ifdef _WIN32
    std::error_code ec;
    if (std::filesystem::create_directory(FileIo::toPath(path), ec))
        return true;
    return fail(error, ec ? Reason(ec.message()) : Reason(Reasons::Id::FolderExists));
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
    return fail(error, Reason(Reasons::Id::FolderNotMade));
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
    std::error_code ec;
    std::filesystem::remove_all(FileIo::toPath(path), ec);
    return !ec;
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
