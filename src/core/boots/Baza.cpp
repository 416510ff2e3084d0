#include "Baza.h"

#include "BootFields.h"

#include "common/FileIo.h"
#include "common/LittleEndian.h"
#include "common/Reasons.h"
#include "common/VbNumber.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace {

using LittleEndian::readInt16;
using LittleEndian::readInt32;
using LittleEndian::writeInt16;
using LittleEndian::writeInt32;

constexpr std::int32_t kHeaderWords[8] = {1, 8, 32, 0, -16, 0, 0, 0};

// A text field holds its bytes up to the first zero byte; one without a zero byte is refused.
bool readText(const std::uint8_t *p, std::size_t width, std::string &out)
{
    const void *zero = std::memchr(p, 0, width);
    if (!zero)
        return false;
    out.assign(reinterpret_cast<const char *>(p),
               static_cast<std::size_t>(static_cast<const std::uint8_t *>(zero) - p));
    return true;
}

void writeText(std::uint8_t *p, std::size_t width, const std::string &text)
{
    // Zero bytes pad the field; a text as wide as the field fills it whole.
    const std::size_t length = std::min(width, text.size());
    std::copy_n(text.begin(), length, p);
    std::fill(p + length, p + width, std::uint8_t{0});
}

std::string firstChars(const std::string &text, std::size_t count)
{
    return text.substr(0, std::min(count, text.size()));
}

} // namespace

bool Baza::fail(const Reason &reason)
{
    mError = reason;
    return false;
}

std::int64_t Baza::recordCountFor(std::int32_t dataLength)
{
    const std::int64_t quotient = dataLength / static_cast<std::int64_t>(kRecordSize);
    const std::int64_t remainder = dataLength % static_cast<std::int64_t>(kRecordSize);
    if (2 * remainder > static_cast<std::int64_t>(kRecordSize))
        return quotient + 1;
    if (2 * remainder == static_cast<std::int64_t>(kRecordSize))
        return quotient + (quotient % 2);
    return quotient;
}

bool Baza::File_Exists(const std::string &Str_Path)
{
    return FileIo::exists(Str_Path);
}

bool Baza::Wczytaj(const std::string &Str_Path)
{
    if (!Str_Path.empty())
        mPath = Str_Path;
    mError.clear();
    if (!File_Exists(mPath))
        return fail(Reason(Reasons::Id::FileMissing));
    mRecords.clear();
    mLoaded = true;
    Bytes data;
    Reason error;
    if (!FileIo::readFile(mPath, data, &error))
        return fail(error);
    try {
        return load(data);
    } catch (const std::bad_alloc &) {
        mRecords.clear();
        return fail(Reason(Reasons::Id::NoMemoryToLoad));
    }
}

bool Baza::load(const Bytes &data)
{
    mRecords.clear();
    mLoaded = true;
    if (data.size() < kHeaderSize)
        return fail(Reason(Reasons::Id::NoHeader));
    for (std::size_t i = 0; i < 8; ++i) {
        if (i == 3)
            continue;
        if (readInt32(data.data() + 4 * i) != kHeaderWords[i])
            return fail(Reason(Reasons::Id::NotABootsDatabase));
    }
    const std::int32_t dataLength = readInt32(data.data() + 12);
    if (dataLength <= 0)
        return fail(Reason(Reasons::Id::NoRecordData));
    const std::int64_t count = recordCountFor(dataLength);
    if (count <= 0)
        return fail(Reason(Reasons::Id::NoRecords));
    if (static_cast<std::uint64_t>(count) * kRecordSize > data.size() - kHeaderSize)
        return fail(Reason(Reasons::Id::MoreRecordsThanFile, {std::to_string(count)}));

    std::vector<BootRecord> loaded(static_cast<std::size_t>(count));
    const std::uint8_t *p = data.data() + kHeaderSize;
    for (auto &r : loaded) {
        if (!readText(p, kNameWidth, r.Nazwa) ||
            !readText(p + 76, kMaterialWidth, r.NazwaMaterialu) ||
            !readText(p + 205, kColourWidth, r.Kolor))
            return fail(Reason(Reasons::Id::UnendedText, {std::to_string(&r - loaded.data())}));
        r.ID = readInt16(p + 64);
        r.Kolej = readInt16(p + 66);
        r.nowe = readInt16(p + 68);
        r.Pole5 = p[70];
        r.Sila = p[71];
        r.Precyzja = p[72];
        r.Przyspieszenie = p[73];
        r.Szybkosc = p[74];
        r.Podkrecanie = p[75];
        p += kRecordSize;
    }
    mRecords = std::move(loaded);
    return true;
}

Baza::Bytes Baza::serialize(const std::uint8_t *statsOverride) const
{
    Bytes out(kHeaderSize + mRecords.size() * kRecordSize, 0);
    for (std::size_t i = 0; i < 8; ++i)
        writeInt32(out.data() + 4 * i, kHeaderWords[i]);
    writeInt32(out.data() + 12, static_cast<std::int32_t>(mRecords.size() * kRecordSize));
    std::uint8_t *p = out.data() + kHeaderSize;
    for (const auto &r : mRecords) {
        writeText(p, kNameWidth, r.Nazwa);
        writeInt16(p + 64, r.ID);
        writeInt16(p + 66, r.Kolej);
        writeInt16(p + 68, r.nowe);
        p[70] = r.Pole5;
        if (statsOverride) {
            std::memset(p + 71, *statsOverride, 5);
        } else {
            p[71] = r.Sila;
            p[72] = r.Precyzja;
            p[73] = r.Przyspieszenie;
            p[74] = r.Szybkosc;
            p[75] = r.Podkrecanie;
        }
        writeText(p + 76, kMaterialWidth, r.NazwaMaterialu);
        writeText(p + 205, kColourWidth, r.Kolor);
        p += kRecordSize;
    }
    return out;
}

Baza::Bytes Baza::save() const
{
    return serialize(nullptr);
}

bool Baza::Zapisz(const std::string &Str_Path)
{
    mError.clear();
    if (!mLoaded)
        return fail(Reason(Reasons::Id::NothingLoaded));
    const std::string &target = Str_Path.empty() ? mPath : Str_Path;
    if (Count() == 0)
        return fail(Reason(Reasons::Id::NothingToSave));
    Reason error;
    if (!FileIo::writeFileAtomic(target, serialize(nullptr), &error))
        return fail(error);
    return true;
}

std::int32_t Baza::Count() const
{
    return static_cast<std::int32_t>(mRecords.size());
}

std::int32_t Baza::ResolveIndex(std::uint8_t Index) const
{
    if (!mLoaded || Count() <= 0)
        return -1;
    return std::min<std::int32_t>(Index, Count() - 1);
}

template <typename T> T Baza::fieldOf(std::uint8_t Index, T BootRecord::*field) const
{
    const std::int32_t i = ResolveIndex(Index);
    return i < 0 ? T{} : mRecords[static_cast<std::size_t>(i)].*field;
}

std::string Baza::Get_Nazwa(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Nazwa);
}

std::int16_t Baza::Get_ID(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::ID);
}

std::int16_t Baza::Get_Kolej(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Kolej);
}

std::int32_t Baza::Get_nowe(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::nowe);
}

std::uint8_t Baza::Get_Pole5(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Pole5);
}

std::uint8_t Baza::Get_Sila(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Sila);
}

std::uint8_t Baza::Get_Precyzja(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Precyzja);
}

std::uint8_t Baza::Get_Przyspieszenie(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Przyspieszenie);
}

std::uint8_t Baza::Get_Szybkosc(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Szybkosc);
}

std::uint8_t Baza::Get_Podkrecanie(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Podkrecanie);
}

std::string Baza::Get_NazwaMaterialu(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::NazwaMaterialu);
}

std::string Baza::Get_Kolor(std::uint8_t Index) const
{
    return fieldOf(Index, &BootRecord::Kolor);
}

bool Baza::Zmien_Dane(std::uint8_t Index, const std::string &Nazwa, std::int16_t nowe,
                      std::uint8_t Pole5, std::uint8_t &Sila, std::uint8_t &Precyzja,
                      std::uint8_t &Przyspieszenie, std::uint8_t &Szybkosc,
                      std::uint8_t &Podkrecanie, const std::string &NazwaMaterialu,
                      const std::string &KOLOR)
{
    if (Count() == 0 || !mLoaded)
        return fail(Reason(Reasons::Id::NothingLoaded));
    const std::int32_t i = ResolveIndex(Index);
    if (i < 0)
        return fail(Reason(Reasons::Id::NoSuchRecord));
    Sila = BootFields::statistic(Sila);
    Precyzja = BootFields::statistic(Precyzja);
    Przyspieszenie = BootFields::statistic(Przyspieszenie);
    Szybkosc = BootFields::statistic(Szybkosc);
    Podkrecanie = BootFields::statistic(Podkrecanie);
    BootRecord &r = mRecords[static_cast<std::size_t>(i)];
    r.Nazwa = firstChars(Nazwa, kNameMax);
    r.nowe = nowe;
    r.Pole5 = Pole5;
    r.Sila = Sila;
    r.Precyzja = Precyzja;
    r.Przyspieszenie = Przyspieszenie;
    r.Szybkosc = Szybkosc;
    r.Podkrecanie = Podkrecanie;
    r.NazwaMaterialu = firstChars(NazwaMaterialu, kMaterialMax);
    r.Kolor = firstChars(KOLOR, kColourMax);
    return true;
}

bool Baza::setRecord(std::size_t position, const BootRecord &record)
{
    if (position >= mRecords.size())
        return fail(Reason(Reasons::Id::NoRecordAt, {std::to_string(position)}));
    mRecords[position] = record;
    return true;
}

bool Baza::putRecords(std::vector<BootRecord> records)
{
    if (!mLoaded || records.empty())
        return fail(Reason(Reasons::Id::NothingLoaded));
    mRecords = std::move(records);
    return true;
}

std::optional<std::uint8_t> Baza::valueForAll(const std::string &overText)
{
    const double value = VbNumber::roundHalfEven(VbNumber::val(overText));
    if (!(value >= 0 && value <= 255))
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

bool Baza::ZmienAll(const std::string &overText)
{
    mError.clear();
    if (!mLoaded || Count() == 0)
        return fail(Reason(Reasons::Id::NothingLoaded));
    const auto v = valueForAll(overText);
    if (!v)
        return fail(Reason(Reasons::Id::ValueOutsideByte));
    Reason error;
    if (!FileIo::writeFileAtomic(mPath, serialize(&*v), &error))
        return fail(error);
    return true;
}

std::uint8_t Baza::Dodaj_Nowy()
{
    mError.clear();
    if (Count() == 0 || !mLoaded)
        return 0;
    const std::int16_t lastId = mRecords.back().ID;
    if (mRecords.size() - 1 > 255 || lastId < 0 || lastId > 255) {
        mError = "Overflow";
        return 0;
    }
    if (lastId == 255)
        return 0;
    BootRecord added;
    added.ID = static_cast<std::int16_t>(lastId + 1);
    mRecords.push_back(added);
    return static_cast<std::uint8_t>(added.ID);
}
