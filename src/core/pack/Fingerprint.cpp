#include "Fingerprint.h"

#include <new>
#include <openssl/evp.h>

namespace Fingerprint {

std::string of(const std::uint8_t *data, std::size_t size)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    // The one-shot digest allocates its context; nothing else of it can fail for SHA-256.
    if (EVP_Digest(data, size, digest, &length, EVP_sha256(), nullptr) != 1)
        throw std::bad_alloc();
    static const char *const digits = "0123456789abcdef";
    std::string out;
    out.reserve(std::size_t{2} * length);
    for (unsigned int i = 0; i < length; ++i) {
        out += digits[digest[i] >> 4];
        out += digits[digest[i] & 15];
    }
    return out;
}

std::string of(const std::vector<std::uint8_t> &data)
{
    return of(data.data(), data.size());
}

bool isWellFormed(const std::string &text)
{
    if (text.size() != 64)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace Fingerprint
