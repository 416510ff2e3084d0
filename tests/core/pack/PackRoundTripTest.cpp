// A pack made from A to B: applied to A it gives B, reverted it gives A, applied to a file
// someone else changed it names each conflict; it survives its zip file unchanged.
#include "CaseName.h"
#include "TestData.h"
#include "boots/Baza.h"
#include "pack/ArchiveIdentity.h"
#include "pack/Fingerprint.h"
#include "pack/PackFile.h"
#include "pack/PackMaker.h"
#include "pack/PackMerge.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using TestData::Bytes;

Bytes texture(std::uint8_t red)
{
    return TestData::dds(TestData::DdsFormat::Rgba32, 8, 8, {red, 1, 2, 255});
}

struct Files
{
    std::vector<BootRecord> boots;
    Bytes archive;
};

Files fileA()
{
    return {TestData::boots(20), TestData::textureArchive({{"aa00", texture(1)}, {"aa01", texture(2)},
                                                           {"aa02", texture(3)}})};
}

Files fileB()
{
    Files b = fileA();
    b.boots[2].Sila = 1;
    b.boots[2].Nazwa = "Pr\xE9" "dator";
    b.boots[7].nowe = -3;
    b.boots[19].Kolor = "Black, \"gold\"";
    b.archive = TestData::textureArchive({{"aa00", texture(1)}, {"aa01", texture(200)},
                                          {"aa02", texture(3)}});
    return b;
}

PackMaker::Input inputFrom(const Files &a, const Files &b)
{
    PackMaker::Input input;
    input.manifest.title = "Gold boots";
    input.bootsName = "unnamed_1831.bin";
    input.baseBoots = TestData::bootsFile(a.boots);
    input.base = a.boots;
    input.mine = b.boots;
    input.archives.push_back({"unnamed_5756.bin", a.archive, b.archive});
    return input;
}

Pack packFromAToB()
{
    const PackMaker::Input input = inputFrom(fileA(), fileB());
    Pack pack;
    std::string error;
    EXPECT_TRUE(PackMaker::make(input, pack, &error)) << error;
    // Through its file, as a receiver gets it.
    Bytes zip;
    EXPECT_TRUE(PackFile::write(pack, zip, &error)) << error;
    Pack read;
    EXPECT_TRUE(PackFile::read(zip, read, &error)) << error;
    EXPECT_EQ(read, pack);
    return read;
}

PackMerge::Receiver receiverOf(const Files &files)
{
    return {files.boots, {{"unnamed_5756.bin", files.archive}}};
}

const auto kNoCheck = [](const Bytes &, const ArchiveEntry &, const Bytes &, ReasonOut) {
    return true;
};

void merge(const Pack &pack, PackMerge::Direction direction, PackMerge::Receiver &receiver,
           PackMerge::Policy policy = PackMerge::Policy::Stop)
{
    auto items = PackMerge::examine(pack, direction, receiver, kNoCheck);
    PackMerge::decide(items, policy);
    ASSERT_FALSE(PackMerge::blocked(items, policy));
    PackMerge::apply(pack, direction, items, receiver);
}

// What no receiver may take is never put into a pack.
struct UntakeableCase
{
    const char *name;
    std::function<void(Files &)> change;
    const char *reason;
};

const UntakeableCase kUntakeable[] = {
    {"an ID", [](Files &f) { f.boots[4].ID = 99; }, "boot 4: ID: cannot be changed"},
    {"a Kolej", [](Files &f) { f.boots[5].Kolej = 7; }, "boot 5: Kolej: cannot be changed"},
    {"a line break in a colour", [](Files &f) { f.boots[6].Kolor = "Red\r\nBlue"; },
     "boot 6: Kolor: holds the control character \\r"},
    {"a texture's header",
     [](Files &f) {
         Bytes other = texture(2);
         TestData::putInt32(other, 20, static_cast<std::int32_t>(0xDEADBEEF)); // its pitch
         f.archive = TestData::textureArchive(
             {{"aa00", texture(1)}, {"aa01", other}, {"aa02", texture(3)}});
     },
     "unnamed_5756.bin entry 1: the new texture's header differs"},
};

class UntakeableChange : public testing::TestWithParam<UntakeableCase>
{
};

TEST_P(UntakeableChange, isRefusedWhenThePackIsMade)
{
    Files b = fileA();
    GetParam().change(b);
    Pack pack;
    std::string error;
    EXPECT_FALSE(PackMaker::make(inputFrom(fileA(), b), pack, &error));
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(PackMaker, UntakeableChange, testing::ValuesIn(kUntakeable),
                         CaseName::by([](const UntakeableCase &c) { return c.name; }));

TEST(PackRoundTrip, holdsEveryChangedFieldAndTextureOnly)
{
    const Pack pack = packFromAToB();
    EXPECT_EQ(pack.boots.size(), 3u);
    EXPECT_EQ(pack.fieldCount(), 4u);
    ASSERT_EQ(pack.textures.size(), 1u);
    EXPECT_EQ(pack.textures[0].entry, 1);
    EXPECT_EQ(pack.textures[0].entryName, "aa01");
    EXPECT_EQ(pack.manifest.boots.fingerprint, Fingerprint::of(TestData::bootsFile(fileA().boots)));
    EXPECT_EQ(pack.boots[0].id, fileA().boots[pack.boots[0].position].ID);
    EXPECT_EQ(pack.manifest.archives[0].table, ArchiveIdentity::of(fileA().archive));
    EXPECT_NE(pack.manifest.archives[0].table, std::nullopt);
}

TEST(PackRoundTrip, appliedToAGivesBAndRevertedGivesABack)
{
    const Pack pack = packFromAToB();
    PackMerge::Receiver receiver = receiverOf(fileA());
    merge(pack, PackMerge::Direction::Apply, receiver);
    EXPECT_EQ(TestData::bootsFile(receiver.records), TestData::bootsFile(fileB().boots));
    EXPECT_EQ(receiver.archives[0].bytes, fileB().archive);

    merge(pack, PackMerge::Direction::Revert, receiver);
    EXPECT_EQ(TestData::bootsFile(receiver.records), TestData::bootsFile(fileA().boots));
    EXPECT_EQ(receiver.archives[0].bytes, fileA().archive);
}

TEST(PackRoundTrip, driftedReceiverStopsOnEachConflictAndKeepsOrTakes)
{
    const Pack pack = packFromAToB();
    Files drifted = fileA();
    drifted.boots[2].Sila = 4;  // someone else changed a field the pack changes
    drifted.boots[5].Sila = 2;  // and one it does not
    PackMerge::Receiver receiver = receiverOf(drifted);
    auto items = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kNoCheck);
    EXPECT_TRUE(PackMerge::blocked(items, PackMerge::Policy::Stop));
    EXPECT_EQ(PackMerge::count(items).conflicts(), 1u);
    EXPECT_EQ(PackMerge::describe(pack, PackMerge::Direction::Apply, items[1]),
              "boot 2 \"Boot 2\", Sila: now 4, pack 3 -> 1: conflict");

    PackMerge::Receiver kept = receiver;
    merge(pack, PackMerge::Direction::Apply, kept, PackMerge::Policy::Keep);
    EXPECT_EQ(kept.records[2].Sila, 4);
    EXPECT_EQ(kept.records[2].Nazwa, fileB().boots[2].Nazwa);
    EXPECT_EQ(kept.records[5].Sila, 2);

    PackMerge::Receiver taken = receiver;
    merge(pack, PackMerge::Direction::Apply, taken, PackMerge::Policy::Take);
    EXPECT_EQ(taken.records[2].Sila, 1);

    // Reverting puts back only what still holds the pack's values.
    merge(pack, PackMerge::Direction::Revert, kept, PackMerge::Policy::Keep);
    EXPECT_EQ(kept.records[2].Sila, 4);
    EXPECT_EQ(kept.records[2].Nazwa, fileA().boots[2].Nazwa);
    EXPECT_EQ(kept.archives[0].bytes, fileA().archive);
}

} // namespace
