// Loading a plain boots file from bytes: never crash; what loads saves to a file that loads
// to the same records.
#include "boots/Baza.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Baza db;
    if (!db.load(Baza::Bytes(data, data + size))) {
        if (db.Count() != 0)
            std::abort();
        return 0;
    }
    for (int i = 0; i < 256; i += 17) {
        (void)db.Get_Nazwa(static_cast<std::uint8_t>(i));
        (void)db.Get_Kolor(static_cast<std::uint8_t>(i));
    }
    Baza again;
    if (!again.load(db.save()) || again.records() != db.records())
        std::abort();
    std::uint8_t s = 9;
    if (!db.Zmien_Dane(200, std::string(100, 'x'), -1, 0, s, s, s, s, s, "m", "c") || s != 5)
        std::abort();
    return 0;
}
