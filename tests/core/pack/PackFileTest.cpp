// Packs from strangers: each hostile or broken pack is refused whole, with one reason.
#include "CaseName.h"
#include "TestData.h"
#include "pack/Fingerprint.h"
#include "pack/PackFile.h"
#include "pack/PackMerge.h"

#include <functional>
#include <gtest/gtest.h>
#include <string_view>
#include <nlohmann/json.hpp>
#include <zip.h>

namespace {

using TestData::Bytes;
using Json = nlohmann::json;

// A zip written here entry by entry, so that a test can make any pack, hostile ones too.
struct RawEntry
{
    std::string name;
    std::string data;
    zip_int32_t method = ZIP_CM_DEFLATE;
};

Bytes zipOf(const std::vector<RawEntry> &entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t *zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const RawEntry &e : entries) {
        const zip_int64_t i = zip_file_add(zip, e.name.c_str(),
                                           zip_source_buffer(zip, e.data.data(), e.data.size(), 0),
                                           ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(zip, static_cast<zip_uint64_t>(i), e.method, 0);
    }
    zip_close(zip);
    zip_stat_t st;
    zip_source_stat(buffer, &st);
    zip_source_open(buffer);
    Bytes out(static_cast<std::size_t>(st.size));
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

const std::string kPrint = Fingerprint::of(Bytes{1, 2, 3});

Json manifest()
{
    return {{"format", 1},        {"title", "T"},      {"author", "A"},
            {"description", ""},  {"program", "P"},    {"date", "2026-01-01T00:00:00Z"},
            {"boots", {{"name", "unnamed_1831.bin"}, {"fingerprint", kPrint}}},
            {"archives", Json::array({{{"name", "unnamed_5756.bin"}, {"fingerprint", kPrint}}})}};
}

Json changes()
{
    return {{"boots", Json::array({{{"boot", 2},
                                    {"name", "Boot 2"},
                                    {"fields", Json::array({{{"key", "Sila"}, {"before", 3}, {"after", 5}},
                                                            {{"key", "Kolor"}, {"before", "Colour 2"}, {"after", "Gold"}}})}}})},
            {"textures", Json::array()}};
}

std::vector<RawEntry> goodEntries()
{
    return {{"manifest.json", manifest().dump()}, {"changes.json", changes().dump()}};
}

struct HostileCase
{
    const char *name;
    std::function<Bytes()> make;
    const char *reason; ///< a part of the one message
};

// One deflated run of `size` zeros, its size in its own header and in the zip's table of files
// raised to `claimed`, as a bomb's are.
Bytes withClaimedSize(std::int32_t size, std::int32_t claimed)
{
    auto e = goodEntries();
    e.push_back({"textures/0.after.dds", std::string(static_cast<std::size_t>(size), '\0')});
    Bytes zip = zipOf(e);
    for (std::size_t at = 0; at + 28 < zip.size(); ++at) {
        const std::int32_t signature = TestData::getInt32(zip, at);
        if (signature == 0x04034b50 && TestData::getInt32(zip, at + 22) == size)
            TestData::putInt32(zip, at + 22, claimed);
        if (signature == 0x02014b50 && TestData::getInt32(zip, at + 24) == size)
            TestData::putInt32(zip, at + 24, claimed);
    }
    return zip;
}

std::string deepJson(int depth)
{
    return std::string(static_cast<std::size_t>(depth), '[') + std::string(static_cast<std::size_t>(depth), ']');
}

const HostileCase kHostile[] = {
    {"not a zip", [] { return Bytes{'P', 'K', 3, 4, 0, 0}; }, "not a zip file"},
    {"a path outside the folder",
     [] {
         auto e = goodEntries();
         e.push_back({"../../.bashrc", "echo owned"});
         return zipOf(e);
     },
     "does not know: \"../../.bashrc\""},
    {"a texture no change names",
     [] {
         auto e = goodEntries();
         e.push_back({"textures/../../x.dds", "DDS "});
         return zipOf(e);
     },
     "no change names"},
    {"an entry claiming gigabytes",
     [] { return withClaimedSize(1 << 20, 0x7FFFFFFF); },
     "unpacks to more than 128 MiB"},
    {"a bomb's ratio",
     [] { return withClaimedSize(1 << 20, 100 << 20); },
     "more than deflate can"},
    {"deep JSON",
     [] {
         auto e = goodEntries();
         e[1].data = deepJson(200);
         return zipOf(e);
     },
     "nested more than 16 levels"},
    {"bzip2 inside",
     [] {
         auto e = goodEntries();
         e[1].method = ZIP_CM_BZIP2;
         return zipOf(e);
     },
     "other than deflate"},
    {"no manifest",
     [] { return zipOf({{"changes.json", changes().dump()}}); },
     "\"manifest.json\" is missing"},
    {"a newer format",
     [] {
         Json m = manifest();
         m["format"] = 3;
         return zipOf({{"manifest.json", m.dump()}, {"changes.json", changes().dump()}});
     },
     "newer program"},
    {"the second format without a boot's ID",
     [] {
         Json m = manifest();
         m["format"] = 2;
         m["archives"][0]["entries"] = 3;
         m["archives"][0]["names"] = kPrint;
         return zipOf({{"manifest.json", m.dump()}, {"changes.json", changes().dump()}});
     },
     "boot 2 has no id"},
    {"the second format without an archive's table",
     [] {
         Json m = manifest();
         m["format"] = 2;
         Json c = changes();
         c["boots"][0]["id"] = 2;
         return zipOf({{"manifest.json", m.dump()}, {"changes.json", c.dump()}});
     },
     "archives has no entries"},
    {"a field no boot has",
     [] {
         Json c = changes();
         c["boots"][0]["fields"][0]["key"] = "Cena";
         return zipOf({{"manifest.json", manifest().dump()}, {"changes.json", c.dump()}});
     },
     "no field of a boot"},
    {"a statistic out of range",
     [] {
         Json c = changes();
         c["boots"][0]["fields"][0]["after"] = 300;
         return zipOf({{"manifest.json", manifest().dump()}, {"changes.json", c.dump()}});
     },
     "Sila: after"},
    {"a name longer than its field",
     [] {
         Json c = changes();
         c["boots"][0]["fields"][1]["after"] = std::string(90, 'x');
         return zipOf({{"manifest.json", manifest().dump()}, {"changes.json", c.dump()}});
     },
     "Kolor: after"},
    {"a texture unlike its fingerprint",
     [] {
         Json c = changes();
         c["textures"] = Json::array({{{"archive", "unnamed_5756.bin"}, {"entry", 0}, {"name", "ab"},
                                       {"before", kPrint}, {"after", kPrint}}});
         return zipOf({{"manifest.json", manifest().dump()}, {"changes.json", c.dump()},
                       {"textures/0.before.dds", "DDS 1"}, {"textures/0.after.dds", "DDS 2"}});
     },
     "does not match its fingerprint"},
};

class HostilePack : public testing::TestWithParam<HostileCase>
{
};

TEST_P(HostilePack, isRefusedWithOneReason)
{
    // A pack holding an entry of another method needs a zip library that can write one.
    if (std::string_view(GetParam().name) == "bzip2 inside" &&
        !zip_compression_method_supported(ZIP_CM_BZIP2, 1))
        GTEST_SKIP() << "this libzip writes no bzip2 (the Windows build's has deflate alone)";
    Pack pack;
    pack.manifest.title = "untouched";
    std::string error;
    EXPECT_FALSE(PackFile::read(GetParam().make(), pack, &error));
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
    EXPECT_EQ(pack.manifest.title, "untouched");
}

INSTANTIATE_TEST_SUITE_P(Pack, HostilePack, testing::ValuesIn(kHostile),
                         CaseName::by([](const HostileCase &c) { return c.name; }));

TEST(PackFileRead, refusesWithTheCataloguesReasonNamingWhereItMet)
{
    Json c = changes();
    c["boots"][0]["fields"][0]["key"] = "Cena";
    Pack pack;
    Reason reason;
    EXPECT_FALSE(PackFile::read(
        zipOf({{"manifest.json", manifest().dump()}, {"changes.json", c.dump()}}), pack, &reason));
    using Reasons::Id;
    EXPECT_EQ(reason, Reason(Id::NamedLine, {Reason(Id::PackBoot, {"2"}),
                                             Reason(Id::PackNotAField, {"\"Cena\""})}))
        << reason.text();
}

// The pack the cases start from is of the first format, as packs already shared are.
TEST(PackFileRead, acceptsAFirstFormatPackThatThenApplies)
{
    Pack pack;
    std::string error;
    ASSERT_TRUE(PackFile::read(zipOf(goodEntries()), pack, &error)) << error;
    ASSERT_EQ(pack.boots.size(), 1u);
    EXPECT_EQ(pack.boots[0].id, std::nullopt);
    EXPECT_EQ(pack.manifest.archives[0].table, std::nullopt);
    EXPECT_EQ(pack.boots[0].fields[1], (PackFieldChange{"Kolor", "Colour 2", "Gold"}));

    PackMerge::Receiver receiver{TestData::boots(3), {}};
    auto items = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, nullptr);
    ASSERT_FALSE(PackMerge::blocked(items, PackMerge::Policy::Stop));
    PackMerge::apply(pack, PackMerge::Direction::Apply, items, receiver);
    EXPECT_EQ(receiver.records[2].Sila, 5);
    EXPECT_EQ(receiver.records[2].Kolor, "Gold");
}

} // namespace
