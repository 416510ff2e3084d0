#pragma once
// The game's "WESYS" container: a 12-byte prefix (00 01 01 "WESYS", stream length) in front
// of a size-prefixed zlib file (plain length, zlib stream). Unwrapping writes the plain
// contents beside the source as "<file>.unzlib"; wrapping writes "<file>.zlib".
#include "common/Reason.h"

#include <cstdint>
#include <string>
#include <vector>

class PesZlib
{
public:
    using Bytes = std::vector<std::uint8_t>;

    /// Largest plain length a container may declare; anything above (or above what the
    /// compressed data could expand to) is refused before any memory is reserved for it.
    static constexpr std::int32_t kMaxPlainLength = 256 * 1024 * 1024;
    /// Size of the WESYS prefix in front of the size-prefixed zlib file.
    static constexpr std::size_t kPrefixSize = 12;
    /// Size of the whole header, prefix and plain length.
    static constexpr std::size_t kHeaderSize = 16;
    /// Largest file a container can be: the header and the compressed form of the largest
    /// plain length. A larger file is refused before it is read.
    static constexpr std::int64_t kMaxContainerSize =
        kHeaderSize + kMaxPlainLength + kMaxPlainLength / 100 + 12;

    /// `programFolder` is where the scratch file "temp" of unwrapping lives.
    explicit PesZlib(std::string programFolder);

    /// Unwraps the WESYS file at `path` (the last path given when empty) into
    /// `path` + ".unzlib". Bytes 0 to 11 are not examined. On failure nothing is left
    /// behind: no ".unzlib" output and no "temp".
    bool UnpackWesys(const std::string &path);

    /// Wraps the plain file at `path` (the last path given when empty) into
    /// `path` + ".zlib". On failure an earlier ".zlib" file stays as it was.
    bool PackWesys(const std::string &path);

    /// Reads a plain file and writes it as a size-prefixed zlib file.
    bool CompressFile(const std::string &source, const std::string &destination);
    /// Reads a size-prefixed zlib file and writes its plain contents.
    bool UncompressFile(const std::string &source, const std::string &destination);

    /// Replaces the buffer by its zlib stream (default level). The output area is
    /// N + N/100 + 12 bytes, rounded to the nearest integer.
    bool CompressBytes(Bytes &buffer);
    /// Decompresses a zlib stream into an area of `size` bytes; on return `size` is the
    /// length zlib reported and the buffer holds exactly that many bytes.
    bool UncompressBytes(Bytes &buffer, std::int32_t &size);

    /// In-memory forms of the two container operations, for callers that need no files.
    bool unwrap(const Bytes &container, Bytes &plain);
    /// Reads the WESYS file at `path` and unwraps it in memory, writing nothing. A file larger
    /// than kMaxContainerSize is refused before it is read; running out of memory is a
    /// failure like any other.
    bool unwrapFile(const std::string &path, Bytes &plain);
    /// unwrapFile, then writes the plain contents to `destination`. Nothing is written beside
    /// `path`; a file that does not unwrap leaves `destination` as it was, a failed write
    /// leaves no `destination`.
    bool unwrapFileTo(const std::string &path, const std::string &destination);
    bool wrap(const Bytes &plain, Bytes &container);

    /// Why the last failing call failed, in English.
    std::string errorString() const { return mError.text(); }
    /// The same reason, for a window to word in the user's language.
    const Reason &errorReason() const { return mError; }
    std::string scratchPath() const;

private:
    bool fail(const Reason &reason);
    bool uncompressPrefixed(const std::uint8_t *data, std::size_t size, Bytes &plain);

    std::string mProgramFolder;
    std::string mUnpackPath;
    std::string mPackPath;
    Reason mError;
};
