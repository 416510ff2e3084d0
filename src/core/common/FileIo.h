#pragma once
// The one place where the core touches the file system: whole-file reads, range reads and
// replacing a file safely. Paths are UTF-8 text. Every read opens the name once, without
// waiting (a FIFO, device or socket put where a file was expected is refused at once, never
// waited on), and checks what it opened: a regular file of at most kMaxReadBytes.
#include "Reason.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace FileIo {

using Bytes = std::vector<std::uint8_t>;

std::filesystem::path toPath(const std::string &utf8Path);
/// The UTF-8 text of a path (never the system's code page).
std::string fromPath(const std::filesystem::path &path);

/// The largest file any reader takes: above every file of the game (a container unwraps to
/// at most 256 MiB) and any picture a painting program writes for a texture.
constexpr std::uint64_t kMaxReadBytes = std::uint64_t{256} << 20;

/// Whether a read goes through a symbolic link at the path.
enum class Links {
    Follow, ///< the files users choose
    Refuse  ///< files found in a folder, where a link was skipped when the folder was listed
};

/// Reads the whole file. On failure returns false and puts the reason in *error. `maxBytes`
/// raises the cap for a kind of file that may be larger (a pack of textures).
bool readFile(const std::string &path, Bytes &out, ReasonOut error = nullptr,
              Links links = Links::Follow, std::uint64_t maxBytes = kMaxReadBytes);

/// Reads the file from byte `offset` to its end (nothing when the file is shorter).
bool readFileFrom(const std::string &path, std::uint64_t offset, Bytes &out,
                  ReasonOut error = nullptr);

/// Reads exactly `length` bytes at `offset`; false when the file holds fewer.
bool readFileRange(const std::string &path, std::uint64_t offset, std::uint64_t length, Bytes &out,
                   ReasonOut error = nullptr);

/// Size of a regular file, or -1 when it cannot be had.
std::int64_t fileSize(const std::string &path);

/// Whether a replaced file must be on the disk before the call returns.
enum class Sync {
    Durable, ///< flushed to the disk before it replaces the old file (the user's files)
    Cached   ///< left to the system's cache (working files that a crash may lose)
};

/// Replaces `path` with `data` so that the old file survives any failure: the bytes go to a
/// new file beside it (made to be new: O_EXCL and O_NOFOLLOW, or CREATE_NEW on Windows) and
/// only then take the target's place (after being flushed to the disk, for Sync::Durable; on
/// Windows with MoveFileExW and write-through). A failure (another program
/// holding the target open, say) leaves the target as it was and no temporary file. A target
/// that mayReplace refuses (in use, marked read-only, not the user's to write) is left alone
/// with that reason. A `path` that is a link replaces what the link points at: for the files
/// users choose (the game file, language and settings files).
bool writeFileAtomic(const std::string &path, const std::uint8_t *data, std::size_t size,
                     ReasonOut error = nullptr, Sync sync = Sync::Durable);
bool writeFileAtomic(const std::string &path, const Bytes &data, ReasonOut error = nullptr,
                     Sync sync = Sync::Durable);

/// Replaces `path`, a file the program names itself (an export, a working copy), like
/// writeFileAtomic, but never through a link: when `path` is a symbolic link, false ("it is a
/// symbolic link") and the link and what it points at stay as they were.
bool writeNamedFile(const std::string &path, const std::uint8_t *data, std::size_t size,
                    ReasonOut error = nullptr, Sync sync = Sync::Cached);
bool writeNamedFile(const std::string &path, const Bytes &data, ReasonOut error = nullptr,
                    Sync sync = Sync::Cached);

/// True when `path` is a symbolic link (to anything, or to nothing).
bool isLink(const std::string &path);

/// Writes `data` straight into `path`, replacing it with a new file (made with O_EXCL and
/// O_NOFOLLOW, so a link at `path` is replaced, never written through). For scratch and
/// intermediate files that no one else relies on: a failure removes what was half written.
bool writeFile(const std::string &path, const std::uint8_t *data, std::size_t size,
               ReasonOut error = nullptr);
bool writeFile(const std::string &path, const Bytes &data, ReasonOut error = nullptr);

/// Copies `from` over `to` with writeFileAtomic.
bool copyFileAtomic(const std::string &from, const std::string &to, ReasonOut error = nullptr,
                    Sync sync = Sync::Durable);

/// Moves `from` over `to`, a file the program names: a rename where the system allows one,
/// otherwise a copy with writeNamedFile and a delete.
bool moveFile(const std::string &from, const std::string &to, ReasonOut error = nullptr);

/// Deletes the temporary files that an interrupted writeFileAtomic of `path` left beside it
/// ("<name>.cwNNNNNN.tmp"); no other file is touched.
void removeLeftoverTemporaries(const std::string &path);

/// Deletes a file; a missing file counts as deleted.
bool removeFile(const std::string &path);

/// True when the path names an existing regular file that may be written (its write bits
/// set, the process allowed to write it, and on Windows no other program holding it).
bool isWritableFile(const std::string &path);

/// True when nothing keeps the file at `path` (if there is one) from being replaced now;
/// otherwise false and why, naming the file: another program holds it, it is marked
/// read-only, or the user may not write it. A folder that takes no new files shows only when
/// writeFileAtomic tries (its reason names the folder).
bool mayReplace(const std::string &path, ReasonOut why);

/// True when the path names an existing file or folder.
bool exists(const std::string &path);

/// Makes every missing folder above `path` (as the user's umask allows); true when they are
/// all there.
bool makeParentFolders(const std::string &path, ReasonOut error = nullptr);

/// Joins a folder and a file name with the platform's separator.
std::string join(const std::string &folder, const std::string &name);

/// Describes the last failure of a file call as text.
std::string lastError();

} // namespace FileIo
