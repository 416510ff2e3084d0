#pragma once
// One boot of the boots database, as held in memory. Texts are Windows-1252 bytes.
#include <cstdint>
#include <string>

struct BootRecord
{
    std::string Nazwa;               ///< boot name (64-byte field)
    std::int16_t ID = 0;             ///< record identifier
    std::int16_t Kolej = 0;          ///< carried through unchanged; no window shows it
    std::int32_t nowe = 0;           ///< manufacturer code, a 16-bit value widened with its sign
    std::uint8_t Pole5 = 0;          ///< carried through; no window shows it
    std::uint8_t Sila = 0;           ///< Shot Power
    std::uint8_t Precyzja = 0;       ///< Shot Accuracy
    std::uint8_t Przyspieszenie = 0; ///< Acceleration
    std::uint8_t Szybkosc = 0;       ///< Top Speed
    std::uint8_t Podkrecanie = 0;    ///< Swerve
    std::string NazwaMaterialu;      ///< material name (129-byte field)
    std::string Kolor;               ///< colour name (87-byte field)

    bool operator==(const BootRecord &) const = default;
};
