#include "UserFolders.h"

#include "FileIo.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace UserFolders {

namespace {

std::string environment(const char *name)
{
#ifdef _WIN32
    std::wstring wide(name, name + std::char_traits<char>::length(name));
    const wchar_t *value = _wgetenv(wide.c_str());
    return value ? FileIo::fromPath(std::filesystem::path(value)) : std::string();
#else
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
#endif
}

bool isWritableFolder(const std::filesystem::path &folder)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return false;
#ifdef _WIN32
    const auto perms = std::filesystem::status(folder, ec).permissions();
    return !ec && (perms & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
#else
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

} // namespace

std::string programFolder()
{
    std::error_code ec;
#ifdef _WIN32
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return {};
    path.resize(length);
    return FileIo::fromPath(std::filesystem::path(path).parent_path());
#else
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : FileIo::fromPath(self.parent_path());
#endif
}

std::string userFolder(const std::string &program)
{
    if (!program.empty()) {
        const std::filesystem::path folder = FileIo::toPath(program);
        std::error_code ec;
        if (std::filesystem::is_directory(folder / "Language", ec) && isWritableFolder(folder))
            return program;
    }
#ifdef _WIN32
    const std::string local = environment("LOCALAPPDATA");
    return local.empty() ? std::string() : FileIo::join(local, "Cleatwork");
#else
    const std::string data = environment("XDG_DATA_HOME");
    if (!data.empty() && data.front() == '/')
        return FileIo::join(data, "Cleatwork");
    const std::string home = environment("HOME");
    return home.empty() ? std::string() : FileIo::join(home, ".local/share/Cleatwork");
#endif
}

} // namespace UserFolders
