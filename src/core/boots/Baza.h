#pragma once
// The boots database: the records of one plain (unwrapped) boots file in memory, loaded from
// and saved to the game's layout of a 32-byte header and 292-byte records.
#include "BootRecord.h"
#include "common/Reason.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Baza
{
public:
    using Bytes = std::vector<std::uint8_t>;

    static constexpr std::size_t kHeaderSize = 32;
    static constexpr std::size_t kRecordSize = 292;
    static constexpr std::size_t kNameWidth = 64;
    static constexpr std::size_t kMaterialWidth = 129;
    static constexpr std::size_t kColourWidth = 87;
    /// Longest texts that a change stores (each field keeps at least one zero byte).
    static constexpr std::size_t kNameMax = 60;
    static constexpr std::size_t kMaterialMax = 125;
    static constexpr std::size_t kColourMax = 83;

    /// Loads the file at `Str_Path` (at Path() when empty; a non-empty path is remembered).
    /// False for a missing file, a header that does not match, a record count of 0, a
    /// header promising more records than the file holds, a text field without a zero byte,
    /// or a read error. A missing file keeps the records held before; any other failure
    /// leaves no records.
    bool Wczytaj(const std::string &Str_Path);
    /// Loads the records from a plain boots file held in memory (Path() is not touched).
    bool load(const Bytes &data);

    /// Writes the records to `Str_Path` (to Path() when empty; Path() is not changed). The
    /// file is replaced whole only once every byte is on disk. False when nothing was
    /// loaded, there are no records, or writing failed.
    bool Zapisz(const std::string &Str_Path);
    /// The plain boots file for the records in memory.
    Bytes save() const;

    std::int32_t Count() const;
    /// Forgets the records (the editor's state when no file is open).
    void clear() { mRecords.clear(); }
    static bool File_Exists(const std::string &Str_Path);
    const std::string &Path() const { return mPath; }
    void Path(const std::string &value) { mPath = value; }
    bool Loaded() const { return mLoaded; }

    std::string Get_Nazwa(std::uint8_t Index) const;
    std::int16_t Get_ID(std::uint8_t Index) const;
    std::int16_t Get_Kolej(std::uint8_t Index) const;
    std::int32_t Get_nowe(std::uint8_t Index) const;
    std::uint8_t Get_Pole5(std::uint8_t Index) const;
    std::uint8_t Get_Sila(std::uint8_t Index) const;
    std::uint8_t Get_Precyzja(std::uint8_t Index) const;
    std::uint8_t Get_Przyspieszenie(std::uint8_t Index) const;
    std::uint8_t Get_Szybkosc(std::uint8_t Index) const;
    std::uint8_t Get_Podkrecanie(std::uint8_t Index) const;
    std::string Get_NazwaMaterialu(std::uint8_t Index) const;
    std::string Get_Kolor(std::uint8_t Index) const;

    /// Changes the record at `Index` in memory: texts cut to 60, 125 and 83 characters,
    /// statistics brought within the statistics' range (BootFields::statistic) and the clamped values written back into the arguments.
    /// ID and Kolej stay. False when nothing is loaded.
    bool Zmien_Dane(std::uint8_t Index, const std::string &Nazwa, std::int16_t nowe,
                    std::uint8_t Pole5, std::uint8_t &Sila, std::uint8_t &Precyzja,
                    std::uint8_t &Przyspieszenie, std::uint8_t &Szybkosc, std::uint8_t &Podkrecanie,
                    const std::string &NazwaMaterialu, const std::string &KOLOR);

    /// Replaces the record at `position` (counted from 0, past 256 too) whole, every field as
    /// given: the caller has checked that its texts fit their fields. False when there is no
    /// record at that position.
    bool setRecord(std::size_t position, const BootRecord &record);

    /// Writes Path() from the records in memory with all five statistics of every record
    /// set to the number that `overText` begins with (rounded, ties to even). Memory keeps
    /// its statistics until the next load. Does nothing (false) when nothing is loaded or
    /// the value lies outside 0..255 after rounding; the file then stays as it was.
    bool ZmienAll(const std::string &overText);
    /// The statistic that ZmienAll writes for `overText`, or nothing when the number it begins
    /// with lies outside 0..255 after rounding.
    static std::optional<std::uint8_t> valueForAll(const std::string &overText);

    /// Appends an empty record whose ID follows the last record's ID and returns that ID.
    /// Returns 0 when nothing is loaded or the last ID is 255. When the last ID lies outside
    /// 0..255 or the table already holds more than 256 records it adds nothing, returns 0
    /// and errorString() reads "Overflow".
    std::uint8_t Dodaj_Nowy();

    /// Puts back the whole table as records() gave it. False when nothing is loaded or the
    /// table would hold no records.
    bool putRecords(std::vector<BootRecord> records);

    /// A read-only view of the records (for tools that list every record, past 256 too).
    const std::vector<BootRecord> &records() const { return mRecords; }

    /// Why the last failing operation failed.
    /// Why the last failing call failed, in English.
    std::string errorString() const { return mError.text(); }
    /// The same reason, for a window to word in the user's language.
    const Reason &errorReason() const { return mError; }

    /// The record count for a header's data length: length / 292, ties to even.
    static std::int64_t recordCountFor(std::int32_t dataLength);

private:
    std::int32_t ResolveIndex(std::uint8_t Index) const;
    /// A field of the record that `Index` designates, or the empty value.
    template <typename T> T fieldOf(std::uint8_t Index, T BootRecord::*field) const;
    Bytes serialize(const std::uint8_t *statsOverride) const;
    bool fail(const Reason &reason);

    std::string mPath;
    bool mLoaded = false;
    std::vector<BootRecord> mRecords;
    Reason mError;
};
