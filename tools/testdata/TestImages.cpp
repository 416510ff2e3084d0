#include "TestImages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <zlib.h>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace TestData {

namespace {

std::uint8_t clampByte(double v)
{
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

void append32(Bytes &out, std::uint32_t v, bool bigEndian = false)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (bigEndian ? 24 - 8 * i : 8 * i)));
}

void append16(Bytes &out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

std::uint32_t get32(const Bytes &data, std::size_t offset)
{
    return static_cast<std::uint32_t>(getInt32(data, offset));
}

// --- DXT blocks: colours by the range of the block, indices by the nearest palette entry ---

std::uint16_t to565(const std::array<int, 3> &c)
{
    return static_cast<std::uint16_t>(((c[0] * 31 + 127) / 255) << 11 |
                                      ((c[1] * 63 + 127) / 255) << 5 | ((c[2] * 31 + 127) / 255));
}

Rgba from565(std::uint16_t v)
{
    const int r = v >> 11, g = (v >> 5) & 63, b = v & 31;
    return {static_cast<std::uint8_t>((r * 255 + 15) / 31),
            static_cast<std::uint8_t>((g * 255 + 31) / 63),
            static_cast<std::uint8_t>((b * 255 + 15) / 31), 255};
}

Rgba mix(Rgba a, Rgba b, int wa, int wb)
{
    const int sum = wa + wb;
    return {static_cast<std::uint8_t>((a.r * wa + b.r * wb + sum / 2) / sum),
            static_cast<std::uint8_t>((a.g * wa + b.g * wb + sum / 2) / sum),
            static_cast<std::uint8_t>((a.b * wa + b.b * wb + sum / 2) / sum), 255};
}

std::array<Rgba, 4> colourPalette(std::uint16_t c0, std::uint16_t c1)
{
    const Rgba a = from565(c0), b = from565(c1);
    if (c0 > c1)
        return {a, b, mix(a, b, 2, 1), mix(a, b, 1, 2)};
    return {a, b, mix(a, b, 1, 1), Rgba{0, 0, 0, 0}};
}

int distance(Rgba a, Rgba b)
{
    return (a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b);
}

// One colour block of 16 pixels; with `punchThrough` pixels of alpha below 128 become
// transparent (DXT1's three-colour mode).
void colourBlock(const std::array<Rgba, 16> &px, bool punchThrough, Bytes &out)
{
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    bool anyTransparent = false;
    for (const Rgba &p : px) {
        if (punchThrough && p.a < 128) {
            anyTransparent = true;
            continue;
        }
        const int c[3] = {p.r, p.g, p.b};
        for (int k = 0; k < 3; ++k) {
            lo[static_cast<std::size_t>(k)] = std::min(lo[static_cast<std::size_t>(k)], c[k]);
            hi[static_cast<std::size_t>(k)] = std::max(hi[static_cast<std::size_t>(k)], c[k]);
        }
    }
    if (lo[0] > hi[0])
        lo = hi = {0, 0, 0};
    std::uint16_t c0 = to565(hi), c1 = to565(lo);
    if (anyTransparent ? c0 > c1 : c0 < c1)
        std::swap(c0, c1);
    const auto palette = colourPalette(c0, c1);
    std::uint32_t indices = 0;
    for (int i = 0; i < 16; ++i) {
        const Rgba &p = px[static_cast<std::size_t>(i)];
        int best = 0;
        if (anyTransparent && p.a < 128) {
            best = 3;
        } else {
            const int choices = c0 > c1 ? 4 : 3;
            for (int k = 1; k < choices; ++k) {
                if (distance(p, palette[static_cast<std::size_t>(k)]) <
                    distance(p, palette[static_cast<std::size_t>(best)]))
                    best = k;
            }
        }
        indices |= static_cast<std::uint32_t>(best) << (2 * i);
    }
    append16(out, c0);
    append16(out, c1);
    append32(out, indices);
}

std::array<int, 8> alphaPalette(int a0, int a1)
{
    std::array<int, 8> p{a0, a1};
    if (a0 > a1) {
        for (int k = 1; k < 7; ++k)
            p[static_cast<std::size_t>(k + 1)] = ((7 - k) * a0 + k * a1 + 3) / 7;
    } else {
        for (int k = 1; k < 5; ++k)
            p[static_cast<std::size_t>(k + 1)] = ((5 - k) * a0 + k * a1 + 2) / 5;
        p[6] = 0;
        p[7] = 255;
    }
    return p;
}

void alphaBlock(const std::array<Rgba, 16> &px, DdsFormat format, Bytes &out)
{
    if (format == DdsFormat::Dxt3) {
        std::uint64_t bits = 0;
        for (int i = 0; i < 16; ++i)
            bits |= static_cast<std::uint64_t>((px[static_cast<std::size_t>(i)].a * 15 + 127) / 255)
                    << (4 * i);
        append32(out, static_cast<std::uint32_t>(bits));
        append32(out, static_cast<std::uint32_t>(bits >> 32));
        return;
    }
    int a0 = 0, a1 = 255;
    for (const Rgba &p : px) {
        a0 = std::max<int>(a0, p.a);
        a1 = std::min<int>(a1, p.a);
    }
    const auto palette = alphaPalette(a0, a1);
    std::uint64_t bits = 0;
    for (int i = 0; i < 16; ++i) {
        int best = 0;
        for (int k = 1; k < 8; ++k) {
            if (std::abs(palette[static_cast<std::size_t>(k)] - px[static_cast<std::size_t>(i)].a) <
                std::abs(palette[static_cast<std::size_t>(best)] -
                         px[static_cast<std::size_t>(i)].a))
                best = k;
        }
        bits |= static_cast<std::uint64_t>(best) << (3 * i);
    }
    out.push_back(static_cast<std::uint8_t>(a0));
    out.push_back(static_cast<std::uint8_t>(a1));
    for (int i = 0; i < 6; ++i)
        out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

struct Layout
{
    DdsFormat format;
    bool block;
    int bytes; // per pixel, or per block
};

Layout layoutOf(const Bytes &dds)
{
    if (get32(dds, 80) & 0x4) {
        const char c = static_cast<char>(dds[87]);
        const DdsFormat f = c == '1'   ? DdsFormat::Dxt1
                            : c == '3' ? DdsFormat::Dxt3
                                       : DdsFormat::Dxt5;
        return {f, true, f == DdsFormat::Dxt1 ? 8 : 16};
    }
    const std::uint32_t bits = get32(dds, 88);
    return {bits == 16   ? DdsFormat::Rgb565
            : bits == 24 ? DdsFormat::Rgb24
                         : DdsFormat::Rgba32,
            false, static_cast<int>(bits / 8)};
}

std::size_t levelSize(const Layout &l, int w, int h)
{
    return l.block ? static_cast<std::size_t>((w + 3) / 4) * static_cast<std::size_t>((h + 3) / 4) *
                         static_cast<std::size_t>(l.bytes)
                   : static_cast<std::size_t>(w) * static_cast<std::size_t>(h) *
                         static_cast<std::size_t>(l.bytes);
}

void appendLevel(DdsFormat format, const Image &image, Bytes &out)
{
    if (format == DdsFormat::Rgb24 || format == DdsFormat::Rgba32 || format == DdsFormat::Rgb565) {
        for (const Rgba &p : image.pixels) {
            if (format == DdsFormat::Rgb565)
                append16(out, to565({p.r, p.g, p.b}));
            else if (format == DdsFormat::Rgb24)
                out.insert(out.end(), {p.b, p.g, p.r});
            else
                out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
        return;
    }
    for (int by = 0; by < image.height; by += 4) {
        for (int bx = 0; bx < image.width; bx += 4) {
            std::array<Rgba, 16> px;
            for (int i = 0; i < 16; ++i)
                px[static_cast<std::size_t>(i)] = image.at(std::min(bx + i % 4, image.width - 1),
                                                           std::min(by + i / 4, image.height - 1));
            if (format != DdsFormat::Dxt1)
                alphaBlock(px, format, out);
            colourBlock(px, format == DdsFormat::Dxt1, out);
        }
    }
}

} // namespace

Image solid(int width, int height, Rgba colour)
{
    return {width, height, std::vector<Rgba>(static_cast<std::size_t>(width * height), colour)};
}

Image pattern(int width, int height, bool transparentParts)
{
    Image image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width, v = (y + 0.5) / height;
            double r = 40 + 170 * u, g = 70 + 130 * v, b = 200 - 120 * u * v;
            // Soft diagonal stripes.
            const double stripe = 0.5 + 0.5 * std::sin((u + v) * 6 * 3.14159265);
            r += 25 * stripe;
            g += 15 * stripe;
            // A disc with a soft rim.
            const double d = std::hypot(u - 0.45, v - 0.55);
            const double disc = 1 - smoothstep(0.22, 0.30, d);
            r = r * (1 - disc) + 235 * disc;
            g = g * (1 - disc) + 150 * disc;
            b = b * (1 - disc) + 45 * disc;
            double a = 255;
            if (transparentParts) {
                a *= smoothstep(0.25, 0.40, std::hypot(1 - u, v)); // the top-right corner
                if (v > 0.80 && v < 0.92)
                    a *= 0.5; // a half-transparent band
            }
            image.pixels.push_back({clampByte(r), clampByte(g), clampByte(b), clampByte(a)});
        }
    }
    return image;
}

Image opaque(Image image)
{
    for (auto &p : image.pixels)
        p.a = 255;
    return image;
}

Image halve(const Image &image)
{
    Image half{std::max(1, image.width / 2), std::max(1, image.height / 2), {}};
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            const int x0 = std::min(2 * x, image.width - 1),
                      x1 = std::min(2 * x + 1, image.width - 1);
            const int y0 = std::min(2 * y, image.height - 1),
                      y1 = std::min(2 * y + 1, image.height - 1);
            const Rgba p[4] = {image.at(x0, y0), image.at(x1, y0), image.at(x0, y1),
                               image.at(x1, y1)};
            auto mean = [&](std::uint8_t Rgba::*c) {
                return static_cast<std::uint8_t>((p[0].*c + p[1].*c + p[2].*c + p[3].*c + 2) / 4);
            };
            half.pixels.push_back({mean(&Rgba::r), mean(&Rgba::g), mean(&Rgba::b), mean(&Rgba::a)});
        }
    }
    return half;
}

Bytes ddsOf(DdsFormat format, const Image &image, int levels)
{
    Bytes out = ddsHeader(format, image.width, image.height, levels);
    Image level = image;
    for (int i = 0; i < levels; ++i) {
        if (i > 0)
            level = halve(level);
        appendLevel(format, level, out);
    }
    return out;
}

Image decodeDds(const Bytes &dds, int level)
{
    const Layout l = layoutOf(dds);
    int w = getInt32(dds, 16), h = getInt32(dds, 12);
    std::size_t offset = 128;
    for (int i = 0; i < level; ++i) {
        offset += levelSize(l, w, h);
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
    }
    if (offset + levelSize(l, w, h) > dds.size())
        throw std::runtime_error("the DDS is cut short");
    Image image = solid(w, h, {});
    const std::uint8_t *p = dds.data() + offset;
    if (!l.block) {
        for (auto &px : image.pixels) {
            if (l.format == DdsFormat::Rgb565)
                px = from565(static_cast<std::uint16_t>(p[0] | p[1] << 8));
            else
                px = {p[2], p[1], p[0], l.format == DdsFormat::Rgba32 ? p[3] : std::uint8_t{255}};
            p += l.bytes;
        }
        return image;
    }
    for (int by = 0; by < h; by += 4) {
        for (int bx = 0; bx < w; bx += 4, p += l.bytes) {
            const std::uint8_t *colour = l.format == DdsFormat::Dxt1 ? p : p + 8;
            const auto c0 = static_cast<std::uint16_t>(colour[0] | colour[1] << 8);
            const auto c1 = static_cast<std::uint16_t>(colour[2] | colour[3] << 8);
            // DXT3 and DXT5 always use four colours.
            std::array<Rgba, 4> four = colourPalette(c0, c1);
            if (l.format != DdsFormat::Dxt1) {
                const Rgba a = from565(c0), b = from565(c1);
                four = {a, b, mix(a, b, 2, 1), mix(a, b, 1, 2)};
            }
            const std::uint32_t indices = static_cast<std::uint32_t>(
                colour[4] | colour[5] << 8 | colour[6] << 16 | colour[7] << 24);
            std::uint64_t alphaBits = 0;
            for (int i = 0; i < 8; ++i)
                alphaBits |= static_cast<std::uint64_t>(p[i]) << (8 * i);
            const auto alphas = alphaPalette(p[0], p[1]);
            for (int i = 0; i < 16; ++i) {
                const int x = bx + i % 4, y = by + i / 4;
                if (x >= w || y >= h)
                    continue;
                const std::uint32_t index = (indices >> (2 * i)) & 3;
                Rgba px = four[index];
                if (l.format == DdsFormat::Dxt3)
                    px.a = static_cast<std::uint8_t>(((alphaBits >> (4 * i)) & 15) * 17);
                else if (l.format == DdsFormat::Dxt5)
                    px.a = static_cast<std::uint8_t>(alphas[(alphaBits >> (16 + 3 * i)) & 7]);
                image.pixels[static_cast<std::size_t>(y * w + x)] = px;
            }
        }
    }
    return image;
}

Bytes pngChunk(const char *type, const Bytes &data)
{
    Bytes out;
    append32(out, static_cast<std::uint32_t>(data.size()), true);
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const auto crc = crc32(0, out.data() + 4, static_cast<uInt>(out.size() - 4));
    append32(out, static_cast<std::uint32_t>(crc), true);
    return out;
}

Bytes png(const Image &image)
{
    auto chunk = [](Bytes &out, const char *type, const Bytes &data) {
        const Bytes bytes = pngChunk(type, data);
        out.insert(out.end(), bytes.begin(), bytes.end());
    };
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    append32(header, static_cast<std::uint32_t>(image.width), true);
    append32(header, static_cast<std::uint32_t>(image.height), true);
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    chunk(out, "IHDR", header);
    Bytes raw;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // no filter
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.at(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    uLongf length = compressBound(static_cast<uLong>(raw.size()));
    Bytes stream(length);
    if (compress(stream.data(), &length, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    stream.resize(length);
    chunk(out, "IDAT", stream);
    chunk(out, "IEND", {});
    return out;
}

Bytes bmp(const Image &image)
{
    const std::uint32_t row = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t size = row * static_cast<std::uint32_t>(image.height);
    Bytes out = {'B', 'M'};
    append32(out, 54 + size);
    append32(out, 0);
    append32(out, 54);
    append32(out, 40);
    append32(out, static_cast<std::uint32_t>(image.width));
    append32(out, static_cast<std::uint32_t>(image.height)); // rows bottom up
    append16(out, 1);
    append16(out, 24);
    for (int i = 0; i < 6; ++i)
        append32(out, i == 1 ? size : 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(out.size() + row - static_cast<std::uint32_t>(image.width) * 3, 0);
    }
    return out;
}

Bytes tga(const Image &image)
{
    Bytes out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    append16(out, static_cast<std::uint32_t>(image.width));
    append16(out, static_cast<std::uint32_t>(image.height));
    out.push_back(32);
    out.push_back(0x28); // 8 alpha bits, rows top down
    for (const Rgba &p : image.pixels)
        out.insert(out.end(), {p.b, p.g, p.r, p.a});
    return out;
}

Bytes bmp32(const Image &image)
{
    Bytes out = bmp(TestData::solid(image.width, image.height, {}));
    out.resize(54);
    out[28] = 32;
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    return out;
}

Bytes bmpV5(const Image &image)
{
    const auto size = static_cast<std::uint32_t>(image.width * image.height * 4);
    Bytes out = {'B', 'M'};
    append32(out, 14 + 124 + size);
    append32(out, 0);
    append32(out, 14 + 124);
    append32(out, 124);
    append32(out, static_cast<std::uint32_t>(image.width));
    append32(out, static_cast<std::uint32_t>(image.height)); // rows bottom up
    append16(out, 1);
    append16(out, 32);
    append32(out, 3); // bit fields
    append32(out, size);
    for (int i = 0; i < 4; ++i)
        append32(out, i < 2 ? 2835 : 0); // resolution, colours used and important
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u})
        append32(out, mask);
    append32(out, 0x73524742); // "sRGB"
    out.resize(14 + 124, 0);   // end points, gamma, intent, profile
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = image.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    return out;
}

Bytes tgaRle(const Image &image)
{
    Bytes out = tga(image);
    out.resize(18);
    out[2] = 10;
    const auto same = [](Rgba a, Rgba b) {
        return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
    };
    const std::vector<Rgba> &px = image.pixels;
    for (std::size_t i = 0; i < px.size();) {
        std::size_t run = 1;
        while (i + run < px.size() && run < 128 && same(px[i + run], px[i]))
            ++run;
        if (run > 1) {
            out.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), {px[i].b, px[i].g, px[i].r, px[i].a});
        } else {
            out.push_back(0);
            out.insert(out.end(), {px[i].b, px[i].g, px[i].r, px[i].a});
        }
        i += run;
    }
    return out;
}

Bytes jpeg(const Image &image, JpegCoding coding)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (coding == JpegCoding::Progressive)
        jpeg_simple_progression(&info);
    info.arith_code = coding == JpegCoding::Arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&info, TRUE);
    Bytes row;
    for (int y = 0; y < image.height; ++y) {
        row.clear();
        for (int x = 0; x < image.width; ++x)
            row.insert(row.end(), {image.at(x, y).r, image.at(x, y).g, image.at(x, y).b});
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

double meanError(const Image &a, const Image &b, int channel)
{
    if (a.width != b.width || a.height != b.height)
        return 1;
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgba p = a.pixels[i], q = b.pixels[i];
        const std::uint8_t pc[4] = {p.r, p.g, p.b, p.a}, qc[4] = {q.r, q.g, q.b, q.a};
        sum += std::abs(pc[channel] - qc[channel]);
    }
    return a.pixels.empty() ? 0 : sum / (255.0 * static_cast<double>(a.pixels.size()));
}

} // namespace TestData
