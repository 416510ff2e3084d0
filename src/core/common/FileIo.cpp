#include "FileIo.h"

#include "NativeFile.h"
#include "Reason.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace FileIo {

namespace {

void setError(ReasonOut error, const Reason &reason)
{
    error.set(reason);
}

struct FileCloser
{
    void operator()(std::FILE *f) const
    {
        if (f)
            (void)std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

#ifdef _WIN32
FilePtr openFile(const std::string &path, const char *mode)
{
    return FilePtr(NativeFile::open(path, mode));
}
#endif

// Creates `path` as a new file for writing: never one that exists, never through a link.
FilePtr createNew(const std::string &path)
{
    return FilePtr(NativeFile::createNew(path));
}

bool seekTo(std::FILE *f, std::uint64_t offset)
{
    return NativeFile::seek(f, offset);
}

// A replacement is written as "<file>.cwNNNNNN.tmp" beside the file it replaces.
constexpr const char *kTemporaryInfix = ".cw";
constexpr const char *kTemporarySuffix = ".tmp";

// Sizes the buffer for a read; false (with the reason) when the memory cannot be had.
bool sizeBuffer(Bytes &out, std::uint64_t size, ReasonOut error)
{
    try {
        out.resize(static_cast<std::size_t>(size));
        return true;
    } catch (const std::bad_alloc &) {
        out = Bytes();
        setError(error, Reason(Reasons::Id::NoMemoryToRead));
        return false;
    } catch (const std::length_error &) {
        out = Bytes();
        setError(error, Reason(Reasons::Id::TooLargeToRead));
        return false;
    }
}

} // namespace

std::filesystem::path toPath(const std::string &utf8Path)
{
    std::u8string u8(utf8Path.begin(), utf8Path.end());
    return fs::path(u8);
}

std::string fromPath(const std::filesystem::path &path)
{
    const auto u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

std::string lastError()
{
    return NativeFile::lastError();
}

std::int64_t fileSize(const std::string &path)
{
    std::error_code ec;
    const fs::path p = toPath(path);
    if (!fs::is_regular_file(p, ec))
        return -1;
    const auto size = fs::file_size(p, ec);
    if (ec)
        return -1;
    return static_cast<std::int64_t>(size);
}

namespace {

// A file opened for reading, with the size its descriptor had when it was checked.
struct Opened
{
    FilePtr file;
    std::uint64_t size = 0;
};

// Opens `path` once and checks the opened file, never the name again: a FIFO, device or
// socket is refused before anything waits on it (the open does not block, and the descriptor
// is made blocking only once it is known to be a regular file), and so is a file over the cap.
bool openForReading(const std::string &path, Links links, std::uint64_t maxBytes, Opened &opened,
                    ReasonOut error)
{
#ifdef _WIN32
    // Windows opens no FIFO by a file name; a device is told by its handle's type. A link
    // is any reparse point.
    if (links == Links::Refuse && NativeFile::isLink(path)) {
        setError(error, Reason(Reasons::Id::IsLink));
        return false;
    }
    opened.file = openFile(path, "rb");
    if (!opened.file) {
        setError(error, lastError());
        return false;
    }
    struct _stat64 status
    {
    };
    if (_fstat64(_fileno(opened.file.get()), &status) != 0) {
        setError(error, lastError());
        return false;
    }
    const bool regular = (status.st_mode & _S_IFMT) == _S_IFREG;
#else
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        setError(error, links == Links::Refuse && errno == ELOOP ? Reason(Reasons::Id::IsLink)
                                                                 : Reason(lastError()));
        return false;
    }
    struct stat status
    {
    };
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const int mode = regular ? ::fcntl(fd, F_GETFL) : -1;
    if (!regular || mode < 0 || ::fcntl(fd, F_SETFL, mode & ~O_NONBLOCK) != 0) {
        setError(error, regular ? Reason(lastError()) : Reason(Reasons::Id::NotARegularFile));
        ::close(fd);
        return false;
    }
    opened.file.reset(::fdopen(fd, "rb"));
    if (!opened.file) {
        setError(error, lastError());
        ::close(fd);
        return false;
    }
#endif
    if (!regular) {
        setError(error, Reason(Reasons::Id::NotARegularFile));
        return false;
    }
    opened.size = static_cast<std::uint64_t>(status.st_size);
    if (opened.size > maxBytes) {
        setError(error, Reason(maxBytes == kMaxReadBytes ? Reasons::Id::PictureFileTooLarge
                                                         : Reasons::Id::TooLargeToRead));
        return false;
    }
    return true;
}

// Reads the file from `offset` on, `length` bytes at most; `exact` asks for all of them.
bool readOpened(const std::string &path, Links links, std::uint64_t maxBytes, std::uint64_t offset,
                std::uint64_t length, bool exact, Bytes &out, ReasonOut error)
{
    out.clear();
    Opened opened;
    if (!openForReading(path, links, maxBytes, opened, error))
        return false;
    if (exact && (offset > opened.size || length > opened.size - offset)) {
        setError(error, Reason(Reasons::Id::RangeOutsideFile));
        return false;
    }
    if (opened.size <= offset)
        return true;
    length = std::min(length, opened.size - offset);
    if (!seekTo(opened.file.get(), offset)) {
        setError(error, lastError());
        return false;
    }
    if (!sizeBuffer(out, length, error))
        return false;
    const std::size_t got = std::fread(out.data(), 1, out.size(), opened.file.get());
    if (got != out.size() || std::ferror(opened.file.get())) {
        setError(error, std::ferror(opened.file.get())
                            ? Reason(lastError())
                            : Reason(exact ? Reasons::Id::ShorterThanExpected
                                           : Reasons::Id::ChangedWhileReading));
        out.clear();
        return false;
    }
    return true;
}

} // namespace

bool readFileFrom(const std::string &path, std::uint64_t offset, Bytes &out, ReasonOut error)
{
    return readOpened(path, Links::Follow, kMaxReadBytes, offset, kMaxReadBytes, false, out, error);
}

bool readFile(const std::string &path, Bytes &out, ReasonOut error, Links links,
              std::uint64_t maxBytes)
{
    return readOpened(path, links, maxBytes, 0, maxBytes, false, out, error);
}

bool readFileRange(const std::string &path, std::uint64_t offset, std::uint64_t length, Bytes &out,
                   ReasonOut error)
{
    return readOpened(path, Links::Follow, kMaxReadBytes, offset, length, true, out, error);
}

namespace {

// Writes a new temporary file beside `path` and renames it over `path` (which, a link or not,
// is replaced itself).
bool replaceFile(const std::string &path, const std::uint8_t *data, std::size_t size,
                 ReasonOut error, Sync sync)
{
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string temp;
    FilePtr f;
    for (int attempt = 0; attempt < 16 && !f; ++attempt) {
        temp = path + kTemporaryInfix + std::to_string(random() % 1000000) + kTemporarySuffix;
        f = createNew(temp);
        if (!f && !NativeFile::existsAlready())
            break;
    }
    if (!f) {
        // The new file is made beside the old one, so the folder must take new files.
        setError(error, NativeFile::lastWasDenied() ? Reason(Reasons::Id::FolderNotPermitted,
                                                             {fromPath(toPath(path).parent_path())})
                                                    : Reason(lastError()));
        return false;
    }
    // The replacement keeps the permissions of the file it replaces.
    std::error_code ec;
    const auto oldStatus = fs::status(toPath(path), ec);
    if (!ec && fs::is_regular_file(oldStatus))
        fs::permissions(toPath(temp), oldStatus.permissions(), ec);
    bool ok = size == 0 || std::fwrite(data, 1, size, f.get()) == size;
    ok = ok &&
         (sync == Sync::Durable ? NativeFile::flushToDisk(f.get()) : std::fflush(f.get()) == 0);
    std::string reason = ok ? std::string() : lastError();
    if (std::fclose(f.release()) != 0 && ok) {
        ok = false;
        reason = lastError();
    }
    Reason blocked;
    if (ok && !NativeFile::replace(temp, path, sync == Sync::Durable)) {
        ok = false;
        reason = lastError();
        mayReplace(path, &blocked); // another program may have taken it since
    }
    if (!ok) {
        removeFile(temp);
        setError(error, !blocked.empty() ? blocked
                        : reason.empty() ? Reason(Reasons::Id::WriteFailed)
                                         : Reason(reason));
    }
    return ok;
}

} // namespace

bool writeFileAtomic(const std::string &requestedPath, const std::uint8_t *data, std::size_t size,
                     ReasonOut error, Sync sync)
{
    // Replace what a link points at, not the link itself.
    std::string path = requestedPath;
    if (NativeFile::isLink(path)) {
        const std::string target = NativeFile::linkTarget(path);
        if (!target.empty())
            path = target;
    }
    if (!mayReplace(path, error))
        return false;
    return replaceFile(path, data, size, error, sync);
}

bool writeNamedFile(const std::string &path, const std::uint8_t *data, std::size_t size,
                    ReasonOut error, Sync sync)
{
    if (isLink(path)) {
        setError(error, Reason(Reasons::Id::IsLink));
        return false;
    }
    return replaceFile(path, data, size, error, sync);
}

bool writeNamedFile(const std::string &path, const Bytes &data, ReasonOut error, Sync sync)
{
    return writeNamedFile(path, data.data(), data.size(), error, sync);
}

bool isLink(const std::string &path)
{
    return NativeFile::isLink(path);
}

bool writeFile(const std::string &path, const std::uint8_t *data, std::size_t size, ReasonOut error)
{
    // A new file in the place of the old one: a link or another name of the old file is
    // never written through.
    std::error_code ec;
    const auto status = fs::symlink_status(toPath(path), ec);
    if (!ec && fs::exists(status) && !fs::is_directory(status))
        fs::remove(toPath(path), ec);
    FilePtr f = createNew(path);
    if (!f) {
        setError(error, lastError());
        return false;
    }
    bool ok = size == 0 || std::fwrite(data, 1, size, f.get()) == size;
    ok = std::fclose(f.release()) == 0 && ok;
    if (!ok) {
        setError(error, lastError());
        removeFile(path);
    }
    return ok;
}

bool writeFile(const std::string &path, const Bytes &data, ReasonOut error)
{
    return writeFile(path, data.data(), data.size(), error);
}

bool writeFileAtomic(const std::string &path, const Bytes &data, ReasonOut error, Sync sync)
{
    return writeFileAtomic(path, data.data(), data.size(), error, sync);
}

bool copyFileAtomic(const std::string &from, const std::string &to, ReasonOut error, Sync sync)
{
    Bytes data;
    if (!readFile(from, data, error))
        return false;
    return writeFileAtomic(to, data, error, sync);
}

bool moveFile(const std::string &from, const std::string &to, ReasonOut error)
{
    std::error_code ec;
    fs::rename(toPath(from), toPath(to), ec);
    if (!ec)
        return true;
    Bytes data;
    if (!readFile(from, data, error) || !writeNamedFile(to, data, error, Sync::Cached))
        return false;
    removeFile(from);
    return true;
}

bool removeFile(const std::string &path)
{
    std::error_code ec;
    fs::remove(toPath(path), ec);
    return !ec;
}

bool isWritableFile(const std::string &path)
{
    std::error_code ec;
    const auto status = fs::status(toPath(path), ec);
    if (ec || !fs::is_regular_file(status))
        return false;
    // The write bits count even for an administrator, who could write regardless: a file
    // marked read-only is one its owner does not want replaced.
    return NativeFile::writeBlock(path) == NativeFile::Block::None;
}

bool mayReplace(const std::string &path, ReasonOut why)
{
    switch (NativeFile::writeBlock(path)) {
    case NativeFile::Block::None:
        return true;
    case NativeFile::Block::InUse:
        return why.fail(Reason(Reasons::Id::FileInUse, {path}));
    case NativeFile::Block::ReadOnly:
        return why.fail(Reason(Reasons::Id::FileMarkedReadOnly, {path}));
    case NativeFile::Block::NoPermission:
        break;
    }
    return why.fail(Reason(Reasons::Id::FileNotPermitted, {path}));
}

bool exists(const std::string &path)
{
    std::error_code ec;
    return fs::exists(toPath(path), ec);
}

bool makeParentFolders(const std::string &path, ReasonOut error)
{
    std::error_code code;
    const fs::path parent = toPath(path).parent_path();
    if (parent.empty() || fs::is_directory(parent, code))
        return true;
    if (fs::create_directories(parent, code) || fs::is_directory(parent))
        return true;
    return error.fail(Reason(Reasons::Id::CannotMakeFolderBecause,
                             {fromPath(parent), code ? code.message() : lastError()}));
}

std::string join(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    const char last = folder.back();
    if (last == '/' || last == '\\')
        return folder + name;
    return folder + static_cast<char>(fs::path::preferred_separator) + name;
}

void removeLeftoverTemporaries(const std::string &path)
{
    const fs::path target = toPath(path);
    const auto u8 = target.filename().u8string();
    const std::string prefix = std::string(u8.begin(), u8.end()) + kTemporaryInfix;
    const std::string suffix = kTemporarySuffix;
    std::error_code ec;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator
             it(target.parent_path().empty() ? fs::path(".") : target.parent_path(), ec),
         end;
         !ec && it != end; it.increment(ec)) {
        const auto nameU8 = it->path().filename().u8string();
        const std::string name(nameU8.begin(), nameU8.end());
        if (name.size() <= prefix.size() + suffix.size() ||
            name.compare(0, prefix.size(), prefix) ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix))
            continue;
        const std::string number =
            name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        const bool digits =
            number.size() <= 6 && number.find_first_not_of("0123456789") == std::string::npos;
        if (digits && it->is_regular_file(ec) && !it->is_symlink(ec))
            leftovers.push_back(it->path());
    }
    for (const auto &file : leftovers)
        fs::remove(file, ec);
}

} // namespace FileIo
