#include "PesZlib.h"

#include "common/FileIo.h"
#include "common/LittleEndian.h"
#include "common/Reasons.h"

#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <zlib.h>

namespace {

Reason zlibMessage(int code)
{
    switch (code) {
    case Z_MEM_ERROR:
        return Reason(Reasons::Id::ZlibNoMemory);
    case Z_BUF_ERROR:
        return Reason(Reasons::Id::DataDoesNotFit);
    case Z_DATA_ERROR:
        return Reason(Reasons::Id::CompressedDataDamaged);
    default:
        return Reason(Reasons::Id::ZlibError);
    }
}

// The output capacity of compression: N + N/100 + 12 in floating point, rounded to the
// nearest integer with ties to even (113 for N = 100).
uLongf compressCapacity(std::size_t n)
{
    const double size = static_cast<double>(n);
    return static_cast<uLongf>(std::nearbyint(size + size / 100.0 + 12.0));
}

// Deflate cannot expand data by more than 1032 to 1 (zlib's FAQ), so a declared length above
// that is refused before any memory is reserved for it.
bool plausibleLength(std::int64_t declared, std::size_t compressed)
{
    return declared <= 1032 * static_cast<std::int64_t>(compressed) + 64;
}

// Sizes `buffer` to `size` zero bytes; false when the memory cannot be had.
bool reserveZeroed(std::vector<std::uint8_t> &buffer, std::size_t size)
{
    try {
        buffer.assign(size, 0);
        return true;
    } catch (const std::bad_alloc &) {
        buffer = std::vector<std::uint8_t>();
        return false;
    }
}

// Why a file of `size` bytes cannot be a container, or nothing when it can.
std::optional<Reason> sizeProblem(std::int64_t size)
{
    if (size < 0)
        return Reason(Reasons::Id::CannotRead);
    if (size < static_cast<std::int64_t>(PesZlib::kHeaderSize))
        return Reason(Reasons::Id::ContainerTooShort);
    if (size > PesZlib::kMaxContainerSize)
        return Reason(Reasons::Id::ContainerTooLarge);
    return std::nullopt;
}

} // namespace

PesZlib::PesZlib(std::string programFolder) : mProgramFolder(std::move(programFolder)) {}

std::string PesZlib::scratchPath() const
{
    return FileIo::join(mProgramFolder, "temp");
}

bool PesZlib::fail(const Reason &reason)
{
    mError = reason;
    return false;
}

bool PesZlib::CompressBytes(Bytes &buffer)
{
    const uLongf capacity = compressCapacity(buffer.size());
    Bytes out(capacity);
    uLongf length = capacity;
    const int rc = compress(out.data(), &length, buffer.data(), static_cast<uLong>(buffer.size()));
    if (rc != Z_OK)
        return fail(zlibMessage(rc));
    out.resize(length);
    buffer.swap(out);
    return true;
}

bool PesZlib::UncompressBytes(Bytes &buffer, std::int32_t &size)
{
    if (size <= 0 || size > kMaxPlainLength || !plausibleLength(size, buffer.size()))
        return fail(Reason(Reasons::Id::PlainLengthOutOfRange, {std::to_string(size)}));
    Bytes out;
    if (!reserveZeroed(out, static_cast<std::size_t>(size)))
        return fail(Reason(Reasons::Id::NoMemoryToUnwrap));
    uLongf length = static_cast<uLongf>(size);
    const int rc =
        uncompress(out.data(), &length, buffer.data(), static_cast<uLong>(buffer.size()));
    if (rc != Z_OK)
        return fail(zlibMessage(rc));
    size = static_cast<std::int32_t>(length);
    out.resize(length);
    buffer.swap(out);
    return true;
}

bool PesZlib::uncompressPrefixed(const std::uint8_t *data, std::size_t size, Bytes &plain)
{
    if (size < 4)
        return fail(Reason(Reasons::Id::NoCompressedStream));
    const std::int32_t declared = LittleEndian::readInt32(data);
    if (declared <= 0 || declared > kMaxPlainLength || !plausibleLength(declared, size - 4))
        return fail(Reason(Reasons::Id::PlainLengthOutOfRange, {std::to_string(declared)}));
    if (!reserveZeroed(plain, static_cast<std::size_t>(declared)))
        return fail(Reason(Reasons::Id::NoMemoryToUnwrap));
    uLongf length = static_cast<uLongf>(declared);
    const int rc = uncompress(plain.data(), &length, data + 4, static_cast<uLong>(size - 4));
    if (rc != Z_OK) {
        plain.clear();
        return fail(zlibMessage(rc));
    }
    if (length != static_cast<uLongf>(declared)) {
        plain.clear();
        return fail(Reason(Reasons::Id::DataShorterThanDeclared));
    }
    return true;
}

bool PesZlib::UncompressFile(const std::string &source, const std::string &destination)
{
    Bytes input;
    Reason error;
    if (!FileIo::readFile(source, input, &error))
        return fail(error);
    Bytes plain;
    if (!uncompressPrefixed(input.data(), input.size(), plain))
        return false;
    input = Bytes(); // keep no more than one input and one output buffer alive
    if (!FileIo::writeFile(destination, plain, &error))
        return fail(error);
    return true;
}

bool PesZlib::CompressFile(const std::string &source, const std::string &destination)
{
    Bytes data;
    Reason error;
    if (!FileIo::readFile(source, data, &error))
        return fail(error);
    Bytes out;
    if (!wrap(data, out))
        return false;
    if (!FileIo::writeNamedFile(destination, out.data() + kPrefixSize, out.size() - kPrefixSize,
                                &error, FileIo::Sync::Cached))
        return fail(error);
    return true;
}

bool PesZlib::UnpackWesys(const std::string &path)
{
    if (!path.empty())
        mUnpackPath = path;
    const std::string source = mUnpackPath;
    const std::string output = source + ".unzlib";
    mError.clear();
    if (source.empty())
        return fail(Reason(Reasons::Id::NoFileGiven));

    Bytes inner;
    Reason error;
    if (const auto problem = sizeProblem(FileIo::fileSize(source)))
        return fail(*problem);
    if (!FileIo::readFileFrom(source, kPrefixSize, inner, &error))
        return fail(error);

    // The size-prefixed stream goes through the scratch file "temp", as the game's own tool
    // did; it never outlives this call.
    const std::string scratch = scratchPath();
    if (!FileIo::writeFile(scratch, inner, &error))
        return fail(Reason(Reasons::Id::CannotWriteScratch, {error}));
    inner = Bytes();
    const bool ok = UncompressFile(scratch, output);
    FileIo::removeFile(scratch);
    if (!ok)
        FileIo::removeFile(output);
    return ok;
}

bool PesZlib::PackWesys(const std::string &path)
{
    if (!path.empty())
        mPackPath = path;
    const std::string source = mPackPath;
    mError.clear();
    if (source.empty())
        return fail(Reason(Reasons::Id::NoFileGiven));
    Bytes data;
    Reason error;
    if (!FileIo::readFile(source, data, &error))
        return fail(error);
    Bytes container;
    if (!wrap(data, container))
        return false;
    if (!FileIo::writeNamedFile(source + ".zlib", container, &error, FileIo::Sync::Cached))
        return fail(error);
    return true;
}

bool PesZlib::unwrap(const Bytes &container, Bytes &plain)
{
    mError.clear();
    plain.clear();
    if (container.size() < kHeaderSize)
        return fail(Reason(Reasons::Id::ContainerTooShort));
    return uncompressPrefixed(container.data() + kPrefixSize, container.size() - kPrefixSize,
                              plain);
}

bool PesZlib::unwrapFile(const std::string &path, Bytes &plain)
{
    mError.clear();
    plain.clear();
    if (const auto problem = sizeProblem(FileIo::fileSize(path)))
        return fail(*problem);
    Bytes inner;
    Reason error;
    if (!FileIo::readFileFrom(path, kPrefixSize, inner, &error))
        return fail(error);
    return uncompressPrefixed(inner.data(), inner.size(), plain);
}

bool PesZlib::unwrapFileTo(const std::string &path, const std::string &destination)
{
    Bytes plain;
    Reason error;
    if (!unwrapFile(path, plain))
        return false;
    if (!FileIo::writeFile(destination, plain, &error))
        return fail(error);
    return true;
}

bool PesZlib::wrap(const Bytes &plain, Bytes &container)
{
    mError.clear();
    if (plain.size() > static_cast<std::size_t>(INT32_MAX) - kHeaderSize)
        return fail(Reason(Reasons::Id::TooLargeForContainer));
    // Compress straight behind the 16-byte header so the result needs no further copy.
    const uLongf capacity = compressCapacity(plain.size());
    container.assign(kHeaderSize + capacity, 0);
    uLongf length = capacity;
    const int rc = compress(container.data() + kHeaderSize, &length, plain.data(),
                            static_cast<uLong>(plain.size()));
    if (rc != Z_OK) {
        container.clear();
        return fail(zlibMessage(rc));
    }
    container.resize(kHeaderSize + length);
    container[0] = 0x00; // the 16-bit value 256
    container[1] = 0x01;
    container[2] = 0x01;
    std::memcpy(container.data() + 3, "WESYS", 5);
    LittleEndian::writeInt32(container.data() + 8, static_cast<std::int32_t>(length));
    LittleEndian::writeInt32(container.data() + 12, static_cast<std::int32_t>(plain.size()));
    return true;
}
