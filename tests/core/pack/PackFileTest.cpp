// Packs from strangers: each hostile or broken pack is refused whole, with one reason.
#include "CaseName.h"
#include "TestData.h"
#include "TestZip.h"
#include "pack/Fingerprint.h"
#include "pack/PackFile.h"
#include "pack/PackMerge.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string_view>
#include <nlohmann/json.hpp>
#include <zip.h>

namespace {

using TestData::Bytes;
using Json = nlohmann::json;

using RawEntry = TestData::ZipEntry;

Bytes zipOf(const std::vector<RawEntry> &entries)
{
    return TestData::zip(entries);
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
    PackFile::Limits limits = {};
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

// `count` empty objects in a list, a few bytes each, as an amplifying input has them.
std::string emptyObjects(std::size_t count)
{
    std::string out = "[{}";
    for (std::size_t i = 1; i < count; ++i)
        out += ",{}";
    return out + "]";
}

// The good pack with `changes` written as given, duplicate keys and all.
Bytes withChanges(const std::string &changes)
{
    return zipOf({{"manifest.json", manifest().dump()}, {"changes.json", changes}});
}

Bytes withManifest(const Json &m)
{
    return zipOf({{"manifest.json", m.dump()}, {"changes.json", changes().dump()}});
}

Bytes withField(const Json &field)
{
    Json c = changes();
    c["boots"][0]["fields"] = Json::array({field});
    return withChanges(c.dump());
}

// A pack of one texture change from `before` to `after`, fingerprints and all.
Bytes withTexture(const Bytes &before, const Bytes &after)
{
    Json c = changes();
    c["textures"] = Json::array({{{"archive", "unnamed_5756.bin"}, {"entry", 0}, {"name", "ab"},
                                  {"before", Fingerprint::of(before)},
                                  {"after", Fingerprint::of(after)}}});
    return zipOf({{"manifest.json", manifest().dump()}, {"changes.json", c.dump()},
                  {"textures/0.before.dds", std::string(before.begin(), before.end())},
                  {"textures/0.after.dds", std::string(after.begin(), after.end())}});
}

Bytes dds(std::uint32_t pitch)
{
    Bytes out = TestData::dds(TestData::DdsFormat::Rgba32, 8, 8, {1, 2, 3, 255});
    TestData::putInt32(out, 20, static_cast<std::int32_t>(pitch));
    return out;
}

// Two entries of one name: written under two names, the second then renamed in place.
Bytes withEntryTwice()
{
    auto e = goodEntries();
    e.push_back({"manifest.jsoo", manifest().dump()});
    Bytes zip = zipOf(e);
    const std::string from = "manifest.jsoo";
    for (auto at = std::search(zip.begin(), zip.end(), from.begin(), from.end()); at != zip.end();
         at = std::search(at, zip.end(), from.begin(), from.end()))
        *(at + 12) = 'n';
    return zip;
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
     "\"changes.json\" is not an object"},
    {"deep JSON where the format has a list",
     [] { return withChanges("{\"boots\": [" + deepJson(100000) + "]}"); },
     "\"changes.json\", boots has no boots of the right kind"},
    {"many empty objects in a list",
     [] { return withChanges("{\"boots\": " + emptyObjects(320000) + "}"); },
     "\"changes.json\", boots lists more than 65536"},
    {"many empty objects under a key the format does not know",
     [] { return withChanges("{\"junk\": " + emptyObjects(320000) + "}"); },
     "\"changes.json\" holds a key the pack format does not know: \"junk\""},
    {"a second boots list",
     [] { return withChanges("{\"boots\": [], " + changes().dump().substr(1)); },
     "\"changes.json\": the key \"boots\" is given twice"},
    {"a second after",
     [] {
         return withChanges(R"({"textures": [], "boots": [{"boot": 2, "name": "B", "fields": )"
                            R"([{"key": "Sila", "before": 3, "after": 4, "after": 255}]}]})");
     },
     "\"changes.json\", fields: the key \"after\" is given twice"},
    {"two formats",
     [] { return zipOf({{"manifest.json", "{\"format\": 1, " + manifest().dump().substr(1)},
                        {"changes.json", changes().dump()}}); },
     "\"manifest.json\": the key \"format\" is given twice"},
    {"a key the format does not know in a boot",
     [] {
         Json c = changes();
         c["boots"][0]["price"] = 1;
         return withChanges(c.dump());
     },
     "\"changes.json\", boots holds a key the pack format does not know: \"price\""},
    {"a boot's ID in the first format",
     [] {
         Json c = changes();
         c["boots"][0]["id"] = 2;
         return withChanges(c.dump());
     },
     "boot 2 holds a key the pack format does not know: \"id\""},
    {"a change of a boot's ID",
     [] { return withField({{"key", "ID"}, {"before", 2}, {"after", 3}}); },
     "boot 2: ID: cannot be changed"},
    {"a change of a boot's Kolej",
     [] { return withField({{"key", "Kolej"}, {"before", 2}, {"after", 3}}); },
     "boot 2: Kolej: cannot be changed"},
    {"a line break in a name",
     [] { return withField({{"key", "Nazwa"}, {"before", "Boot 2"}, {"after", "A\nB"}}); },
     "Nazwa: after: holds the control character \\n"},
    {"a tab in a colour",
     [] { return withField({{"key", "Kolor"}, {"before", "A\tB"}, {"after", "B"}}); },
     "Kolor: before: holds the control character \\t"},
    {"a C1 control in a material",
     [] { return withField({{"key", "NazwaMaterialu"}, {"before", "A"}, {"after", "\xC2\x81"}}); },
     "NazwaMaterialu: after: holds the control character \\u{0081}"},
    {"a boot name that breaks the line",
     [] {
         Json c = changes();
         c["boots"][0]["name"] = "Boot 2\n3 boots, 0 fields";
         return withChanges(c.dump());
     },
     "boot 2: name: holds the control character \\n"},
    {"an archive name with a terminal's escape",
     [] {
         Json m = manifest();
         m["archives"][0]["name"] = "unnamed_5756.bin\x1B[2J";
         return withManifest(m);
     },
     "manifest.json, archives: name: holds the control character \\x1b"},
    {"an entry name that breaks the line",
     [] {
         auto e = goodEntries();
         e.push_back({"evil\nboots 0", "x"});
         return zipOf(e);
     },
     "does not know: \"evil\\nboots 0\""},
    {"two entries of one name", withEntryTwice, "it holds \"manifest.json\" twice"},
    {"format 0", [] { Json m = manifest(); m["format"] = 0; return withManifest(m); },
     "it is of format 0, a format this program does not know"},
    {"a negative format", [] { Json m = manifest(); m["format"] = -1; return withManifest(m); },
     "it is of format -1, a format this program does not know"},
    {"an after DDS with a header of its own",
     [] { return withTexture(dds(32), dds(0xDEADBEEF)); },
     "the new texture's header differs from the one it replaces"},
    {"a texture larger than any entry it could replace",
     [] { return withTexture(Bytes(70000, 0), Bytes(70000, 1)); },
     "\"textures/0.before.dds\" unpacks to 70000 bytes, more than the 65536",
     {65536, 1 << 20}},
    {"textures larger together than the entries they could replace",
     [] { return withTexture(Bytes(40000, 0), Bytes(40000, 1)); },
     "its textures unpack to 80000 bytes together, more than the 65536",
     {65536, 65536}},
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
         return withManifest(m);
     },
     "it is of format 3, made by a newer program"},
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
    EXPECT_FALSE(PackFile::read(GetParam().make(), pack, &error, GetParam().limits));
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
    EXPECT_EQ(error.find_first_of("\n\r\x1B"), std::string::npos) << error;
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
