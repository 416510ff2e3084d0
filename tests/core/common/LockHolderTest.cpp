#include "common/LockHolder.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t kSelf = 4100;
constexpr std::int64_t kOther = 4200;

struct StaleCase
{
    const char *name;
    LockHolder::Recorded recorded;
    LockHolder::Here here;
    bool stale;
};

class StaleLock : public testing::TestWithParam<StaleCase>
{
};

TEST_P(StaleLock, IsJudgedByItsRecordedHolder)
{
    const StaleCase &c = GetParam();
    EXPECT_EQ(LockHolder::isStale(c.recorded, c.here), c.stale);
}

INSTANTIATE_TEST_SUITE_P(
    Holders, StaleLock,
    testing::Values(
        StaleCase{"another running process", {kOther, true}, {kSelf, false, true}, false},
        StaleCase{"no running process", {kOther, true}, {kSelf, false, false}, true},
        // A process id that the system gave again to this process after its holder was ended
        // by force: this process is running, but holds no such lock.
        StaleCase{"this process reusing the id of a dead holder",
                  {kSelf, true},
                  {kSelf, false, true},
                  true},
        StaleCase{"this process holding it itself", {kSelf, true}, {kSelf, true, true}, false},
        StaleCase{
            "an ended process of another machine", {kOther, false}, {kSelf, false, false}, false},
        StaleCase{"a process of another machine with this id",
                  {kSelf, false},
                  {kSelf, false, true},
                  false},
        StaleCase{"no readable holder", {0, true}, {kSelf, false, false}, false}),
    CaseName::by([](const StaleCase &c) { return c.name; }));

TEST(LockHolder, ThisProcessIsRunningAndNoProcessHasIdZero)
{
    EXPECT_TRUE(LockHolder::isRunning(LockHolder::ownPid()));
    EXPECT_FALSE(LockHolder::isRunning(0));
}

} // namespace
