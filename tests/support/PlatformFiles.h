#pragma once
// What tests need from the file system that differs between POSIX and Windows: links (a
// Windows user may lack the right to make them; the tests of rules about links are then
// skipped with the reason) and a file held open the way a running game holds its files
// (Windows refuses to replace such a file; POSIX has no such sharing modes).
#include <filesystem>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace PlatformFiles {

/// Makes `link` a symbolic link to `target` (a folder when `folder`); false with the reason
/// in *whyNot when the system does not let this user make one.
inline bool makeLink(const std::string &target, const std::string &link, std::string *whyNot,
                     bool folder = false)
{
    std::error_code ec;
#ifdef _WIN32
    const DWORD flags = (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                        SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
    const std::wstring name = std::filesystem::path(link).wstring();
    const bool made = ::CreateSymbolicLinkW(
        name.c_str(), std::filesystem::path(target).wstring().c_str(), flags);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (made && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    *whyNot = made ? "the system made no symbolic link that it shows as one (Wine)"
                   : "this Windows user may not make symbolic links (error " +
                         std::to_string(::GetLastError()) + ")";
    return false;
#else
    if (folder)
        std::filesystem::create_directory_symlink(target, link, ec);
    else
        std::filesystem::create_symlink(target, link, ec);
    if (ec)
        *whyNot = "cannot make a symbolic link: " + ec.message();
    return !ec;
#endif
}

/// True where files and folders carry POSIX mode bits (Windows has ACLs and a read-only
/// attribute instead).
constexpr bool kModeBits =
#ifdef _WIN32
    false;
#else
    true;
#endif

/// True when the tests run as an administrator (root), who may write where the mode bits say
/// no.
inline bool isAdministrator()
{
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

/// Holds `path` open for writing as long as it lives, sharing nothing with other programs, or
/// letting them read and write it but not delete it (nor rename another file over it).
class HeldOpen
{
public:
    enum class Sharing { Nothing, ReadAndWrite };
    explicit HeldOpen(const std::string &path, Sharing sharing = Sharing::Nothing)
    {
#ifdef _WIN32
        mHandle = ::CreateFileW(
            std::filesystem::path(path).wstring().c_str(), GENERIC_READ | GENERIC_WRITE,
            sharing == Sharing::Nothing ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
#else
        (void)path;
        (void)sharing;
#endif
    }
    ~HeldOpen()
    {
#ifdef _WIN32
        if (mHandle != INVALID_HANDLE_VALUE)
            ::CloseHandle(mHandle);
#endif
    }
    HeldOpen(const HeldOpen &) = delete;
    HeldOpen &operator=(const HeldOpen &) = delete;

    /// True where the system lets a program keep others from a file it holds open.
    static constexpr bool kExcludesOthers =
#ifdef _WIN32
        true;
#else
        false;
#endif

private:
#ifdef _WIN32
    HANDLE mHandle = INVALID_HANDLE_VALUE;
#endif
};

} // namespace PlatformFiles
