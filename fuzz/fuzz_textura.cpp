// Reading a texture archive's table from bytes: never crash, never size the table past the
// file, and every index resolves to an entry.
#include "archive/Textura.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Textura index;
    const bool loaded = index.load(Textura::Bytes(data, data + size));
    if (loaded != (index.Count() > 0))
        std::abort();
    if (8 + 12 * static_cast<std::uint64_t>(index.Count()) > size && index.Count() > 0)
        std::abort();
    for (std::int32_t i : {INT32_MIN, -1, 0, 1, 7, INT32_MAX}) {
        (void)index.Get_Offset(i);
        (void)index.Get_Lenght(i);
        (void)index.Get_Nazwa(i);
    }
    return 0;
}
