// Unwrapping a WESYS container held in memory: never crash, never keep more than the
// declared plain length, and a success is exactly the declared length.
#include "container/PesZlib.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    PesZlib zlib("");
    const PesZlib::Bytes container(data, data + size);
    PesZlib::Bytes plain;
    if (zlib.unwrap(container, plain)) {
        const std::int32_t declared =
            static_cast<std::int32_t>(data[12] | (data[13] << 8) | (data[14] << 16) |
                                      (static_cast<std::uint32_t>(data[15]) << 24));
        if (static_cast<std::int64_t>(plain.size()) != declared)
            std::abort();
        // What unwraps, wraps again and unwraps to the same bytes.
        PesZlib::Bytes again;
        PesZlib::Bytes back;
        if (!zlib.wrap(plain, again) || !zlib.unwrap(again, back) || back != plain)
            std::abort();
    } else if (!plain.empty() || zlib.errorString().empty()) {
        std::abort();
    }
    return 0;
}
