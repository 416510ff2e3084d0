// Receipts: what an apply changed, kept so that reverting puts back exactly that. A value
// that was already the pack's is left alone, one changed since is a conflict, and without a
// receipt no value that holds the pack's is taken for the pack's own.
#include "pack/Receipt.h"
#include "CaseName.h"
#include "PackSamples.h"
#include "TempDir.h"
#include "TestData.h"
#include "common/FileIo.h"
#include "pack/ArchiveIdentity.h"
#include "pack/Fingerprint.h"
#include "pack/PackMerge.h"

#include <gtest/gtest.h>

namespace {

using PackMerge::Direction;
using PackMerge::Policy;
using TestData::Bytes;

using PackSamples::archiveWith;
using PackSamples::texture;
const auto kFits = PackSamples::fits;

// Boot 1's Shot Power from 3 to 5, entry 0's red from 10 to 20.
Pack samplePack()
{
    Pack pack;
    pack.manifest.title = "Gold";
    pack.boots.push_back({1, "Boot 1", {{"Sila", "3", "5"}}, 1});
    PackTextureChange t{"unnamed_5756.bin", 0, "ab01", "", "", texture(10), texture(20)};
    t.beforeFingerprint = Fingerprint::of(t.before);
    t.afterFingerprint = Fingerprint::of(t.after);
    pack.textures.push_back(t);
    pack.manifest.archives.push_back(
        {"unnamed_5756.bin", "", ArchiveIdentity::of(archiveWith(10))});
    return pack;
}

PackMerge::Receiver receiverWith(int power, std::uint8_t red)
{
    PackMerge::Receiver r{TestData::boots(3), {{"unnamed_5756.bin", archiveWith(red)}}};
    r.records[1].Sila = static_cast<std::uint8_t>(power);
    r.archives[0].path = "/games/unnamed_5756.bin";
    return r;
}

// Runs a merge the way the window and the command line do; false when it was blocked.
bool merge(const Pack &pack, Direction direction, PackMerge::Receiver &receiver, Policy policy,
           bool recorded, PackMerge::Plan *out = nullptr)
{
    PackMerge::Plan plan = PackMerge::examine(pack, direction, receiver, kFits, recorded);
    PackMerge::decide(plan, policy);
    if (out)
        *out = plan;
    if (PackMerge::blocked(plan, policy))
        return false;
    PackMerge::apply(pack, direction, plan, receiver);
    return true;
}

struct ReceiptCase
{
    const char *name;
    int power;        ///< the receiver's Shot Power before the apply (the pack: 3 -> 5)
    std::uint8_t red; ///< its entry 0 before the apply (the pack: 10 -> 20)
    Policy applyPolicy;
    int receiptOf;  ///< the receipt kept: 0 none, 1 of this apply, 2 of another pack
    int powerSince; ///< set after the apply (0: left as it is)
    std::uint8_t redSince;
    Policy revertPolicy;
    bool revertBlocked;
    int powerAfter; ///< after the revert
    std::uint8_t redAfter;
};

class ReceiptRules : public testing::TestWithParam<ReceiptCase>
{
};

TEST_P(ReceiptRules, revertPutsBackWhatTheApplyChangedAndNothingElse)
{
    const ReceiptCase &c = GetParam();
    const Pack pack = samplePack();
    PackMerge::Receiver receiver = receiverWith(c.power, c.red);
    const PackMerge::Receiver before = receiver;
    PackMerge::Plan applied;
    ASSERT_TRUE(merge(pack, Direction::Apply, receiver, c.applyPolicy, false, &applied));
    const Receipt receipt = Receipts::make(pack, applied, before, "f00d", "/games/unnamed_1831.bin",
                                           "2026-12-09T10:00:00Z");
    if (c.powerSince)
        receiver.records[1].Sila = static_cast<std::uint8_t>(c.powerSince);
    if (c.redSince)
        receiver.archives[0].bytes = archiveWith(c.redSince);
    const PackMerge::Receiver reverting = receiver;
    std::vector<Receipt> kept;
    if (c.receiptOf != 0)
        kept.push_back(receipt);
    if (c.receiptOf == 2)
        kept.back().packFingerprint = "beef";
    Receipts::Revert revert = Receipts::revert(pack, "f00d", kept, receiver, kFits);
    EXPECT_EQ(revert.receipt != nullptr, c.receiptOf == 1);
    PackMerge::decide(revert.plan, c.revertPolicy);
    const bool done = !PackMerge::blocked(revert.plan, c.revertPolicy);
    if (done)
        PackMerge::apply(revert.changes(pack), Direction::Revert, revert.plan, receiver);
    EXPECT_EQ(done, !c.revertBlocked);
    if (!done) {
        EXPECT_EQ(receiver.records, reverting.records);
        EXPECT_EQ(receiver.archives[0].bytes, reverting.archives[0].bytes);
        return;
    }
    EXPECT_EQ(receiver.records[1].Sila, c.powerAfter);
    EXPECT_EQ(receiver.archives[0].bytes, archiveWith(c.redAfter));
}

const ReceiptCase kReceiptCases[] = {
    // name, power, red, apply policy, receipt, since, since, revert policy, blocked, after
    {"applied then reverted", 3, 10, Policy::Stop, true, 0, 0, Policy::Stop, false, 3, 10},
    {"already there is left alone", 5, 20, Policy::Stop, true, 0, 0, Policy::Stop, false, 5, 20},
    {"a conflict taken gets the receiver's own back", 4, 30, Policy::Take, true, 0, 0, Policy::Stop,
     false, 4, 30},
    {"a conflict kept is left alone", 4, 30, Policy::Keep, true, 0, 0, Policy::Stop, false, 4, 30},
    {"changed since stops", 3, 10, Policy::Stop, true, 2, 40, Policy::Stop, true, 2, 40},
    {"changed since kept", 3, 10, Policy::Stop, true, 2, 40, Policy::Keep, false, 2, 40},
    {"changed since taken", 3, 10, Policy::Stop, true, 2, 40, Policy::Take, false, 3, 10},
    {"without a receipt nothing is taken for the pack's", 3, 10, Policy::Stop, false, 0, 0,
     Policy::Stop, true, 5, 20},
    {"without a receipt kept", 5, 20, Policy::Stop, false, 0, 0, Policy::Keep, false, 5, 20},
    {"without a receipt taken", 3, 10, Policy::Stop, false, 0, 0, Policy::Take, false, 3, 10},
    {"another pack's receipt is no record of this one", 3, 10, Policy::Stop, 2, 0, 0, Policy::Stop,
     true, 5, 20},
};
INSTANTIATE_TEST_SUITE_P(Receipt, ReceiptRules, testing::ValuesIn(kReceiptCases),
                         CaseName::by([](const ReceiptCase &c) { return c.name; }));

TEST(Receipts, withoutARecordTheConflictSaysSo)
{
    const Pack pack = samplePack();
    PackMerge::Receiver receiver = receiverWith(5, 20);
    const PackMerge::Plan plan =
        PackMerge::examine(pack, Direction::Revert, receiver, kFits, false);
    ASSERT_EQ(plan.items[0].status, PackMerge::Status::Conflict);
    EXPECT_EQ(plan.items[0].reason.text(), "no record that this pack set it");
}

TEST(Receipts, keptListedAndRemovedWithTheTexturesTheyReplaced)
{
    TempDir dir;
    // In a user's folder that is not there yet, as before the editor first ran.
    const std::string folder = FileIo::join(dir.file("Cleatwork"), "receipts");
    const Pack pack = samplePack();
    PackMerge::Receiver receiver = receiverWith(3, 10);
    PackMerge::Plan plan;
    const PackMerge::Receiver before = receiver;
    ASSERT_TRUE(merge(pack, Direction::Apply, receiver, Policy::Stop, false, &plan));
    const std::string boots = dir.file("unnamed_1831.bin");
    Receipt first = Receipts::make(pack, plan, before, "aa", boots, "2026-12-09T10:00:00Z");
    Receipt second = Receipts::make(pack, plan, before, "bb", boots, "2026-12-09T11:00:00Z");
    std::string error;
    ASSERT_TRUE(Receipts::write(folder, second, &error)) << error;
    ASSERT_TRUE(Receipts::write(folder, first, &error)) << error;
    EXPECT_TRUE(Receipts::list(folder, dir.file("other.bin")).empty());

    std::vector<Receipt> kept = Receipts::list(folder, boots);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0], first);
    EXPECT_EQ(kept[1], second);
    EXPECT_EQ(kept[0].changes.textures[0].before, texture(10));
    EXPECT_EQ(kept[0].archives, std::vector<std::string>{"/games/unnamed_5756.bin"});
    EXPECT_EQ(Receipts::latest(kept, "aa")->applied, "2026-12-09T10:00:00Z");
    EXPECT_EQ(Receipts::latest(kept, "cc"), nullptr);

    ASSERT_TRUE(Receipts::remove(folder, kept[1]));
    kept = Receipts::list(folder, boots);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].packFingerprint, "aa");
}

} // namespace
