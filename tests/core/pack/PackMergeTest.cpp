// The rules of applying a pack: the three-way status of a field and a texture under each
// policy, whether the receiver's boots are the pack's, and which archive is which.
#include "pack/PackMerge.h"
#include "CaseName.h"
#include "PackSamples.h"
#include "TestData.h"
#include "pack/ArchiveIdentity.h"
#include "pack/Fingerprint.h"

#include <gtest/gtest.h>

namespace {

using PackMerge::Policy;
using PackMerge::Status;
using TestData::Bytes;

using PackSamples::archiveWith;
using PackSamples::texture;
const auto kFits = PackSamples::fits;

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
    pack.manifest.archives.push_back({"unnamed_5756.bin", "", std::nullopt});
    return pack;
}

struct MergeCase
{
    const char *name;
    bool texture;      ///< the texture change, otherwise the field change
    int receiverValue; ///< Shot Power, or the red of entry 0; -1: the thing is missing
    Policy policy;
    Status status;
    bool blocked;
    int valueAfter; ///< what the receiver holds after apply (when not blocked)
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
        receiver.archives.push_back(
            {"unnamed_5756.bin", archiveWith(static_cast<std::uint8_t>(c.receiverValue))});
    else if (!c.texture)
        receiver.archives.push_back({"unnamed_5756.bin", archiveWith(20)});
    if (c.texture)
        receiver.records[1].Sila = 5;
    PackMerge::Plan plan = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kFits);
    ASSERT_EQ(plan.items.size(), 2u);
    EXPECT_EQ(plan.items[c.texture ? 1 : 0].status, c.status);
    PackMerge::decide(plan, c.policy);
    EXPECT_EQ(PackMerge::blocked(plan, c.policy), c.blocked);
    if (c.blocked)
        return;
    PackMerge::apply(pack, PackMerge::Direction::Apply, plan, receiver);
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

// Whether the receiver's boots are the ones the pack was made for.
struct IdentityCase
{
    const char *name;
    int otherBoots;     ///< of the three boots the pack touches, how many are others here
    bool recordsIds;    ///< a pack of format 2 (with IDs)
    bool renamedByPack; ///< the receiver holds the name the pack gives boot 0
    Status first;       ///< boot 0's change
    bool wholePack;     ///< a problem of the whole pack
};

class BootIdentity : public testing::TestWithParam<IdentityCase>
{
};

TEST_P(BootIdentity, otherBootsAreConflictsAndMostlyOtherBootsRefuseThePack)
{
    const IdentityCase &c = GetParam();
    Pack pack;
    for (std::size_t b = 0; b < 3; ++b) {
        PackBootChange change{b, "Boot " + std::to_string(b), {{"Sila", "1", "5"}}};
        if (c.recordsIds)
            change.id = static_cast<std::int32_t>(b);
        pack.boots.push_back(change);
    }
    pack.boots[0].fields.push_back({"Nazwa", "Boot 0", "Gold Boot"});
    PackMerge::Receiver receiver{TestData::boots(4), {}};
    for (BootRecord &r : receiver.records)
        r.Sila = 1;
    if (c.renamedByPack)
        receiver.records[0].Nazwa = "Gold Boot";
    for (int b = 0; b < c.otherBoots; ++b)
        receiver.records[static_cast<std::size_t>(b)].Nazwa = "Umbro Comet " + std::to_string(b);
    PackMerge::Plan plan = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kFits);
    EXPECT_EQ(plan.items[0].status, c.first);
    EXPECT_EQ(!plan.problems.empty(), c.wholePack);
    if (c.first == Status::Conflict) {
        EXPECT_EQ(
            plan.items[0].reason.text(),
            "boot 0 is \u201cUmbro Comet 0\u201d here, \u201cBoot 0\u201d in the pack's base");
    }
    PackMerge::decide(plan, Policy::Take);
    EXPECT_EQ(PackMerge::blocked(plan, Policy::Take), c.wholePack);
}

const IdentityCase kIdentityCases[] = {
    {"the same boots", 0, true, false, Status::Applied, false},
    {"a boot the pack renamed already", 0, true, true, Status::Applied, false},
    {"one other boot of three", 1, true, false, Status::Conflict, false},
    {"two other boots of three", 2, true, false, Status::Conflict, true},
    {"a pack without IDs is taken at its word", 2, false, false, Status::Applied, false},
};
INSTANTIATE_TEST_SUITE_P(Pack, BootIdentity, testing::ValuesIn(kIdentityCases),
                         CaseName::by([](const IdentityCase &c) { return c.name; }));

TEST(PackMergeRules, anotherIdAtTheSamePlaceIsAnotherBoot)
{
    Pack pack;
    pack.boots.push_back({1, "Boot 1", {{"Sila", "2", "5"}}, 1});
    PackMerge::Receiver receiver{TestData::boots(3), {}};
    receiver.records[1].ID = 9;
    const PackMerge::Plan plan =
        PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kFits);
    ASSERT_EQ(plan.items[0].status, Status::Conflict);
    EXPECT_EQ(plan.items[0].reason.text(), "boot 1 is \u201cBoot 1\u201d (ID 9) here, "
                                           "\u201cBoot 1\u201d (ID 1) in the pack's base");
}

// Which of the given archives is the pack's, by its table of entries.
struct ArchiveCase
{
    const char *name;
    bool recordsTable;                                        ///< a pack of format 2
    std::vector<std::pair<const char *, const char *>> given; ///< file name, first entry's name
    bool given_ = true; ///< named by the user, not merely loaded
    Status texture;
    std::size_t wholeProblems;
};

class ArchiveRecognition : public testing::TestWithParam<ArchiveCase>
{
};

TEST_P(ArchiveRecognition, findsThePacksArchiveByItsEntries)
{
    const ArchiveCase &c = GetParam();
    Pack pack = samplePack();
    if (c.recordsTable)
        pack.manifest.archives[0].table = ArchiveIdentity::of(archiveWith(10));
    PackMerge::Receiver receiver{TestData::boots(3), {}};
    receiver.records[1].Sila = 3;
    for (const auto &[file, first] : c.given) {
        PackMerge::Receiver::Archive a{file, archiveWith(10, first)};
        a.path = std::string("/games/") + file;
        a.given = c.given_;
        receiver.archives.push_back(a);
    }
    const PackMerge::Plan plan =
        PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kFits);
    EXPECT_EQ(plan.items[1].status, c.texture);
    EXPECT_EQ(plan.problems.size(), c.wholeProblems);
    for (const Reason &r : plan.problems)
        EXPECT_NE(r.text().find("/games/"), std::string::npos) << r.text();
}

const ArchiveCase kArchiveCases[] = {
    {"the archive by its own name", true, {{"unnamed_5756.bin", "ab01"}}, true, Status::Applied, 0},
    {"a renamed copy", true, {{"my copy.bin", "ab01"}}, true, Status::Applied, 0},
    {"two archives that fit one part",
     true,
     {{"unnamed_5756.bin", "ab01"}, {"copy.bin", "ab01"}},
     true,
     Status::Problem,
     1},
    {"a given archive that fits nothing",
     true,
     {{"unnamed_5756.bin", "ab01"}, {"unnamed_2113.bin", "zz99"}},
     true,
     Status::Applied,
     1},
    {"another archive of that name",
     true,
     {{"unnamed_5756.bin", "zz99"}},
     true,
     Status::Problem,
     1},
    {"a loaded archive the pack does not need",
     true,
     {{"unnamed_5756.bin", "ab01"}, {"unnamed_2113.bin", "zz99"}},
     false,
     Status::Applied,
     0},
    {"an older pack finds it by name",
     false,
     {{"unnamed_5756.bin", "ab01"}},
     true,
     Status::Applied,
     0},
    {"an older pack misses a renamed copy",
     false,
     {{"copy.bin", "ab01"}},
     true,
     Status::Problem,
     1},
};
INSTANTIATE_TEST_SUITE_P(Pack, ArchiveRecognition, testing::ValuesIn(kArchiveCases),
                         CaseName::by([](const ArchiveCase &c) { return c.name; }));

TEST(PackMergeRules, aTextureTheArchiveCannotHoldIsAProblem)
{
    const Pack pack = samplePack();
    PackMerge::Receiver receiver{TestData::boots(3), {{"unnamed_5756.bin", archiveWith(10)}}};
    const auto refuses = [](const Bytes &, const ArchiveEntry &, const Bytes &, ReasonOut why) {
        return why.fail("the DDS file is DXT1");
    };
    const PackMerge::Plan plan =
        PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, refuses);
    EXPECT_EQ(plan.items[1].status, Status::Problem);
    EXPECT_NE(PackMerge::describe(pack, PackMerge::Direction::Apply, plan.items[1]).find("DXT1"),
              std::string::npos);
}

TEST(PackMergeRules, aTextureWithAnotherHeaderThanTheEntrysIsAProblemUnderAnyPolicy)
{
    Pack pack = samplePack();
    // Pixels and layout as the entry's, but junk where the header keeps its pitch.
    for (Bytes *dds : {&pack.textures[0].before, &pack.textures[0].after})
        (*dds)[20] ^= 0xEF;
    pack.textures[0].beforeFingerprint = Fingerprint::of(pack.textures[0].before);
    pack.textures[0].afterFingerprint = Fingerprint::of(pack.textures[0].after);
    PackMerge::Receiver receiver{TestData::boots(3), {{"unnamed_5756.bin", archiveWith(30)}}};
    PackMerge::Plan plan = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, kFits);
    PackMerge::decide(plan, Policy::Take);
    EXPECT_EQ(plan.items[1].status, Status::Problem);
    EXPECT_EQ(plan.items[1].reason.text(),
              "the new texture's header differs from the one it replaces");
    EXPECT_TRUE(PackMerge::blocked(plan, Policy::Take));
}

TEST(PackMergeRules, linesNameTheFieldByItsCaptionAndCountInWords)
{
    const Pack pack = samplePack();
    PackMerge::Receiver receiver{TestData::boots(3), {}};
    receiver.records[1].Sila = 4;
    PackMerge::Plan plan = PackMerge::examine(pack, PackMerge::Direction::Apply, receiver, nullptr);
    PackMerge::decide(plan, Policy::Keep);
    EXPECT_EQ(PackMerge::describe(pack, PackMerge::Direction::Apply, plan.items[0], true),
              "boot 1 \"Boot 1\", Shot Power: yours 4, 3 -> 5: conflict: kept yours");
    EXPECT_EQ(PackMerge::summary(pack, PackMerge::Direction::Apply, PackMerge::count(plan),
                                 PackMerge::Outcome::NotWritten),
              "nothing written: 1 problem");
    plan.items[1].include = false; // the archive was not given; the user left the texture out
    EXPECT_EQ(PackMerge::summary(pack, PackMerge::Direction::Apply, PackMerge::count(plan),
                                 PackMerge::Outcome::Written),
              "Pack \u201c\u201d: 0 changes applied, 1 conflict kept, 1 left out");
}

} // namespace
