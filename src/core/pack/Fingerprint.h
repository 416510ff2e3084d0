#pragma once
// The fingerprint that tells whether a boots file, an archive or a texture is the one a pack
// was made from: SHA-256 of the bytes, written as 64 lowercase hexadecimal digits. Two
// different contents never share one in practice, so equal fingerprints stand for equal bytes.
// It cannot fail short of running out of memory (the hash library's failure then throws
// std::bad_alloc).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Fingerprint {

std::string of(const std::uint8_t *data, std::size_t size);
std::string of(const std::vector<std::uint8_t> &data);

/// True when `text` has the form of()'s results take.
bool isWellFormed(const std::string &text);

} // namespace Fingerprint
