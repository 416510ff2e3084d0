#pragma once
// The operating system's own file calls behind FileIo and PrivateFolder, with the POSIX and
// the Windows ways side by side: making a file that must be new (never an existing one, never
// through a link), flushing it to the disk, putting a finished file in the place of another,
// telling links (on Windows every reparse point: symbolic links and junctions) from files, and
// whether a file may be written now (on Windows also whether another program, the game, holds
// it open). Paths are UTF-8 text; Windows gets them as UTF-16. Failures return false or null
// and leave the reason for lastError().
#include <cstdint>
#include <cstdio>
#include <string>

namespace NativeFile {

/// fopen with UTF-8 paths.
std::FILE *open(const std::string &path, const char *mode);

/// Makes `path` as a new file open for writing: null when anything (a file, a link, a folder)
/// is there already (existsAlready() then says so) or it cannot be made.
std::FILE *createNew(const std::string &path);

/// True when the last createNew failed because something was there.
bool existsAlready();

bool seek(std::FILE *file, std::uint64_t offset);

/// Flushes the file's buffers and then the system's to the disk.
bool flushToDisk(std::FILE *file);

/// Puts the closed file `from` in the place of `to` (a link at `to` is itself replaced); with
/// `durable`, the change of names is on the disk before it returns. On Windows the file keeps
/// the security its folder gives new files.
bool replace(const std::string &from, const std::string &to, bool durable);

/// True when `path` is a link (Windows: a reparse point of any kind), dangling or not.
bool isLink(const std::string &path);

/// What a link at `path` finally points at; the empty text when it cannot be had.
std::string linkTarget(const std::string &path);

/// What keeps this process from replacing the existing file `path` now.
enum class Block {
    None,        ///< nothing (or there is no file)
    InUse,       ///< another program holds it open without letting others write or delete it
    ReadOnly,    ///< it is marked read-only (no write bit, or Windows' read-only attribute)
    NoPermission ///< the user has no right to write it
};
Block writeBlock(const std::string &path);

/// True when the last failure was the system refusing the user's rights (EACCES, or
/// ERROR_ACCESS_DENIED).
bool lastWasDenied();

/// The reason of the last failure, as text.
std::string lastError();

#ifdef _WIN32
/// A UTF-8 path as the UTF-16 that Windows' own calls take.
std::wstring wide(const std::string &path);
#endif

} // namespace NativeFile
