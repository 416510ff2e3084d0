#include "TestData.h"

#include "TestImages.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <zlib.h>

namespace TestData {

namespace {

void putText(Bytes &data, std::size_t offset, std::size_t width, const std::string &text)
{
    std::memcpy(data.data() + offset, text.data(), std::min(width, text.size()));
}

void putInt16(Bytes &data, std::size_t offset, std::int32_t value)
{
    const auto v = static_cast<std::uint16_t>(value);
    data[offset] = static_cast<std::uint8_t>(v);
    data[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

} // namespace

void putInt32(Bytes &data, std::size_t offset, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        data[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t getInt32(const Bytes &data, std::size_t offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | data[offset + static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(v);
}

BootRecord boot(int i)
{
    static const std::int32_t makers[] = {257, 258, 259, 260, 294, 261, 513, 771};
    BootRecord r;
    r.Nazwa = "Boot " + std::to_string(i);
    r.ID = static_cast<std::int16_t>(i);
    r.Kolej = static_cast<std::int16_t>(1000 + i);
    r.nowe = makers[i % 8];
    r.Pole5 = static_cast<std::uint8_t>(i * 7);
    r.Sila = static_cast<std::uint8_t>(1 + i % 5);
    r.Precyzja = static_cast<std::uint8_t>(1 + (i + 1) % 5);
    r.Przyspieszenie = static_cast<std::uint8_t>(1 + (i + 2) % 5);
    r.Szybkosc = static_cast<std::uint8_t>(1 + (i + 3) % 5);
    r.Podkrecanie = static_cast<std::uint8_t>(1 + (i + 4) % 5);
    r.NazwaMaterialu = "Material " + std::to_string(i);
    r.Kolor = "Colour " + std::to_string(i);
    return r;
}

std::vector<BootRecord> boots(int count)
{
    std::vector<BootRecord> out;
    for (int i = 0; i < count; ++i)
        out.push_back(boot(i));
    return out;
}

Bytes bootsHeader(std::int32_t dataLength)
{
    Bytes out(32, 0);
    putInt32(out, 0, 1);
    putInt32(out, 4, 8);
    putInt32(out, 8, 32);
    putInt32(out, 12, dataLength);
    putInt32(out, 16, -16);
    return out;
}

Bytes bootsFile(const std::vector<BootRecord> &records)
{
    Bytes out = bootsHeader(static_cast<std::int32_t>(records.size() * 292));
    for (const auto &r : records) {
        Bytes rec(292, 0);
        putText(rec, 0, 63, r.Nazwa);
        putInt16(rec, 64, r.ID);
        putInt16(rec, 66, r.Kolej);
        putInt16(rec, 68, r.nowe);
        rec[70] = r.Pole5;
        rec[71] = r.Sila;
        rec[72] = r.Precyzja;
        rec[73] = r.Przyspieszenie;
        rec[74] = r.Szybkosc;
        rec[75] = r.Podkrecanie;
        putText(rec, 76, 128, r.NazwaMaterialu);
        putText(rec, 205, 86, r.Kolor);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    return out;
}

Bytes wesys(const Bytes &plain)
{
    uLongf length = compressBound(static_cast<uLong>(plain.size()));
    Bytes stream(length);
    if (compress(stream.data(), &length, plain.data(), static_cast<uLong>(plain.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    stream.resize(length);
    Bytes out = {0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S', 0, 0, 0, 0, 0, 0, 0, 0};
    putInt32(out, 8, static_cast<std::int32_t>(stream.size()));
    putInt32(out, 12, static_cast<std::int32_t>(plain.size()));
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

Bytes unwrap(const Bytes &container)
{
    if (container.size() < 16)
        throw std::runtime_error("not a WESYS container");
    uLongf length = static_cast<uLongf>(getInt32(container, 12));
    Bytes plain(length);
    if (uncompress(plain.data(), &length, container.data() + 16,
                   static_cast<uLong>(container.size() - 16)) != Z_OK)
        throw std::runtime_error("uncompress failed");
    plain.resize(length);
    return plain;
}

Bytes textureArchive(const std::vector<ArchiveEntry> &entries, std::int32_t secondWord)
{
    const std::size_t count = entries.size();
    Bytes out(8 + 12 * count, 0);
    putInt32(out, 0, static_cast<std::int32_t>(count));
    putInt32(out, 4, secondWord);
    for (std::size_t k = 0; k < count; ++k) {
        // A 16-byte block holding the name at its 12th byte, as the game's archives do.
        const std::size_t nameBlock = out.size();
        out.resize(out.size() + 16, 0);
        std::memcpy(out.data() + nameBlock + 11, entries[k].name.data(),
                    std::min<std::size_t>(4, entries[k].name.size()));
        const std::size_t offset = out.size();
        Bytes header(16, 0xEE);
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), entries[k].texture.begin(), entries[k].texture.end());
        putInt32(out, 8 + 12 * k, static_cast<std::int32_t>(offset));
        putInt32(out, 12 + 12 * k, static_cast<std::int32_t>(16 + entries[k].texture.size()));
        putInt32(out, 16 + 12 * k, static_cast<std::int32_t>(nameBlock));
    }
    return out;
}

Bytes ddsHeader(DdsFormat format, int width, int height, int levels)
{
    Bytes out(128, 0);
    std::memcpy(out.data(), "DDS ", 4);
    putInt32(out, 4, 124);
    const bool block =
        format == DdsFormat::Dxt1 || format == DdsFormat::Dxt3 || format == DdsFormat::Dxt5;
    putInt32(out, 8,
             0x1 | 0x2 | 0x4 | 0x1000 | (block ? 0x80000 : 0x8) | (levels > 1 ? 0x20000 : 0));
    putInt32(out, 12, height);
    putInt32(out, 16, width);
    const int blocks = std::max(1, (width + 3) / 4) * std::max(1, (height + 3) / 4);
    static const struct
    {
        DdsFormat format;
        int bits;
        std::uint32_t masks[4]; // red, green, blue, alpha
        const char *fourCc;
    } formats[] = {{DdsFormat::Rgb24, 24, {0xFF0000, 0xFF00, 0xFF, 0}, nullptr},
                   {DdsFormat::Rgba32, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000u}, nullptr},
                   {DdsFormat::Rgb565, 16, {0xF800, 0x7E0, 0x1F, 0}, nullptr},
                   {DdsFormat::Dxt1, 4, {}, "DXT1"},
                   {DdsFormat::Dxt3, 8, {}, "DXT3"},
                   {DdsFormat::Dxt5, 8, {}, "DXT5"}};
    for (const auto &f : formats) {
        if (f.format != format)
            continue;
        putInt32(out, 20, block ? blocks * f.bits * 2 : width * f.bits / 8);
        putInt32(out, 76, 32); // pixel format size
        if (block) {
            putInt32(out, 80, 0x4); // DDPF_FOURCC
            std::memcpy(out.data() + 84, f.fourCc, 4);
        } else {
            putInt32(out, 80, f.masks[3] ? 0x41 : 0x40); // DDPF_RGB, DDPF_ALPHAPIXELS
            putInt32(out, 88, f.bits);
            for (int c = 0; c < 4; ++c)
                putInt32(out, 92 + 4 * static_cast<std::size_t>(c),
                         static_cast<std::int32_t>(f.masks[c]));
        }
    }
    putInt32(out, 28, levels);                                // mipmap count
    putInt32(out, 108, 0x1000 | (levels > 1 ? 0x400008 : 0)); // DDSCAPS_TEXTURE (, MIPMAP)
    return out;
}

Bytes dds(DdsFormat format, int width, int height, Rgba colour)
{
    return ddsOf(format, solid(width, height, colour));
}

void writeFile(const std::string &path, const Bytes &data)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path);
}

Bytes readFile(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

} // namespace TestData
