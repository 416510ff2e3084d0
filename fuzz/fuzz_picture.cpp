// A picture from a user replacing the one entry of a small archive, through the code
// replace-texture uses; built once per format, with PICTURE_NAME the file's name. Whatever the
// file holds, the archive keeps its size, a refusal leaves it untouched and a replacement
// changes nothing but the entry's pixels.
#include "TestData.h"
#include "TestImages.h"
#include "archive/Textura.h"
#include "imaging/dds/DdsLayout.h"
#include "imaging/textures/TextureReplacer.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Target
{
    TestData::Bytes archive;
    ArchiveEntry entry;
    DdsLayout layout;
};

const Target &target()
{
    static const Target made = [] {
        Target t;
        t.archive = TestData::textureArchive(
            {{"ab12",
              TestData::ddsOf(TestData::DdsFormat::Rgba32, TestData::pattern(16, 16, true), 5)}});
        Textura index;
        index.load(t.archive);
        t.entry = ArchiveEntry::of(index, 0);
        if (!TextureReplacer::entryLayout(t.archive, t.entry, t.layout, nullptr))
            std::abort();
        return t;
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Target &t = target();
    TestData::Bytes archive = t.archive;
    std::string error;
    const bool replaced = TextureReplacer::replaceFromFile(
        archive, t.entry, TestData::Bytes(data, data + size), PICTURE_NAME, &error);
    if (archive.size() != t.archive.size() || (!replaced && error.empty()))
        std::abort();
    const auto pixels = static_cast<std::size_t>(t.entry.textureOffset()) + t.layout.pixelsBegin();
    const auto end = static_cast<std::size_t>(t.entry.textureOffset()) + t.layout.pixelsEnd();
    if (!replaced && archive != t.archive)
        std::abort();
    if (!std::equal(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(pixels),
                    t.archive.begin()) ||
        !std::equal(archive.begin() + static_cast<std::ptrdiff_t>(end), archive.end(),
                    t.archive.begin() + static_cast<std::ptrdiff_t>(end)))
        std::abort();
    return 0;
}
