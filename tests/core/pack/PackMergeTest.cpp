// The three-way rules of applying a pack, for a field and for a texture, under each policy.
#include "CaseName.h"
#include "TestData.h"
#include "pack/Fingerprint.h"
#include "pack/PackMerge.h"

#include <gtest/gtest.h>

namespace {

using TestData::Bytes;
using PackMerge::Policy;
using PackMerge::Status;

Bytes texture(std::uint8_t red)
{
    return TestData::dds(TestData::DdsFormat::Rgba32, 4, 4, {red, 0, 0, 255});
}

Bytes archiveWith(std::uint8_t red)
{
    return TestData::textureArchive({{"ab01", texture(red)}, {"ab02", texture(7)}});
}

// A pack that changes boot 1's Shot Power from 3 to 5 and entry 0's red from 10 to 20.
Pack samplePack()
{
    Pack pack;
    pack.boots.push_back({1, "Boot 1", {{"Sila", "3", "5"}}});
    PackTextureChange t;
    t.archive = "unnamed_5756.bin";
    t.entry = 0;
    t.entryName = "ab01";
    t.before = texture(10);
    t.after = texture(20);
    t.beforeFingerprint = Fingerprint::of(t.before);
    t.afterFingerprint = Fingerprint::of(t.after);
    pack.textures.push_back(t);
    return pack;
}

struct MergeCase
{
    const char *name;
    bool texture;         ///< the texture change, otherwise the field change
    int receiverValue;    ///< Shot Power, or the red of entry 0; -1: the thing is missing
    Policy policy;
    Status status;
    bool blocked;
    int valueAfter;       ///< what the receiver holds after apply (when not blocked)
};

class ThreeWay : public testing::TestWithParam<MergeCase>
{
};

TEST_P(ThreeWay, decidesEachChange)
{
    const MergeCase &c = GetParam();
    const Pack pack = samplePack();
    PackMerge::Receiver receiver;
    receiver.records = TestData::boots(c.texture || c.receiverValue >= 0 ? 3 : 1);
    receiver.records[0].Sila = 3;
    if (!c.texture && c.receiverValue >= 0)
        receiver.records[1].Sila = static_cast<std::uint8_t>(c.receiverValue);
    if (c.texture && c.receiverValue >= 0)
        receiver.archives.push_back({"unnamed_5756.bin", archiveWith(static_cast<std::uint8_t>(c.receiverValue))});
    else if (!c.texture)
        receiver.archives.push_back({"unnamed_5756.bin", archiveWith(20)});
    if (c.texture)
        receiver.records[1].Sila = 5;
    const auto fits = [](const Bytes &, const ArchiveEntry &, const Bytes &, ReasonOut) {
        return true;
    };
    std::vector<PackMerge::Item> items =
        PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, fits);
    ASSERT_EQ(items.size(), 2u);
    const PackMerge::Item &item = items[c.texture ? 1 : 0];
    EXPECT_EQ(item.status, c.status);
    PackMerge::decide(items, c.policy);
    EXPECT_EQ(PackMerge::blocked(items, c.policy), c.blocked);
    if (c.blocked)
        return;
    PackMerge::apply(pack, PackMerge::Direction::Apply, items, receiver);
    if (c.texture)
        EXPECT_EQ(receiver.archives[0].bytes, archiveWith(static_cast<std::uint8_t>(c.valueAfter)));
    else
        EXPECT_EQ(receiver.records[1].Sila, c.valueAfter);
}

const MergeCase kCases[] = {
    {"field already there", false, 5, Policy::Stop, Status::AlreadyThere, false, 5},
    {"field applied", false, 3, Policy::Stop, Status::Applied, false, 5},
    {"field conflict stops", false, 4, Policy::Stop, Status::Conflict, true, 4},
    {"field conflict kept", false, 4, Policy::Keep, Status::Conflict, false, 4},
    {"field conflict taken", false, 4, Policy::Take, Status::Conflict, false, 5},
    {"field of a missing boot", false, -1, Policy::Take, Status::Problem, true, 0},
    {"texture already there", true, 20, Policy::Stop, Status::AlreadyThere, false, 20},
    {"texture applied", true, 10, Policy::Stop, Status::Applied, false, 20},
    {"texture conflict stops", true, 30, Policy::Stop, Status::Conflict, true, 30},
    {"texture conflict kept", true, 30, Policy::Keep, Status::Conflict, false, 30},
    {"texture conflict taken", true, 30, Policy::Take, Status::Conflict, false, 20},
    {"texture of an archive not given", true, -1, Policy::Take, Status::Problem, true, 0},
};
INSTANTIATE_TEST_SUITE_P(Pack, ThreeWay, testing::ValuesIn(kCases),
                         CaseName::by([](const MergeCase &c) { return c.name; }));

TEST(PackMergeRules, aTextureTheArchiveCannotHoldIsAProblem)
{
    const Pack pack = samplePack();
    PackMerge::Receiver receiver{TestData::boots(3), {{"unnamed_5756.bin", archiveWith(10)}}};
    const auto refuses = [](const Bytes &, const ArchiveEntry &, const Bytes &, ReasonOut why) {
        return why.fail("the DDS file is DXT1");
    };
    const auto items = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, refuses);
    EXPECT_EQ(items[1].status, Status::Problem);
    EXPECT_NE(PackMerge::describe(pack, PackMerge::Direction::Apply, items[1]).find("DXT1"),
              std::string::npos);
}

TEST(PackMergeRules, reportNamesBootFieldAndEveryValue)
{
    const Pack pack = samplePack();
    PackMerge::Receiver receiver{TestData::boots(3), {}};
    receiver.records[1].Sila = 4;
    auto items = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, nullptr);
    PackMerge::decide(items, Policy::Keep);
    EXPECT_EQ(PackMerge::describe(pack, PackMerge::Direction::Apply, items[0]),
              "boot 1 \"Boot 1\", Sila: now 4, pack 3 -> 5: conflict (kept)");
    items[1].include = false; // the archive was not given; the user left the texture out
    EXPECT_EQ(PackMerge::summary(PackMerge::count(items), Policy::Keep),
              "0 applied, 0 already there, 1 conflict (kept)");
}

} // namespace
