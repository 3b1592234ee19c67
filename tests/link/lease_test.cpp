#include "link/DeviceJobLease.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

namespace {

TEST(DeviceJobLease, OneJobPerLinkWhileOtherLinksAndTheWindowsLinkStayFree) {
    SerialLink first;
    SerialLink second;
    DeviceJobLease onFirst = DeviceJobLease::TryTake(first);
    ASSERT_TRUE(onFirst.Held());
    EXPECT_TRUE(DeviceJobLease::Busy(first));
    EXPECT_FALSE(DeviceJobLease::TryTake(first).Held()) << "no second job on a held link";
    EXPECT_FALSE(DeviceJobLease::Busy(second));
    EXPECT_FALSE(DeviceJobLease::Busy()) << "the window's link is not one of station mode's";

    DeviceJobLease onSecond = DeviceJobLease::TryTake(second);
    DeviceJobLease window = DeviceJobLease::TryTake();
    EXPECT_TRUE(onSecond.Held());
    EXPECT_TRUE(window.Held());
    EXPECT_FALSE(DeviceJobLease::TryTake().Held()) << "the window keeps its one job at a time";
    EXPECT_TRUE(DeviceJobLease::Busy(first)) << "the window's lease leaves the links' alone";

    onFirst.Release();
    EXPECT_FALSE(DeviceJobLease::Busy(first));
    EXPECT_TRUE(DeviceJobLease::Busy(second));
    EXPECT_TRUE(DeviceJobLease::Busy());
    EXPECT_TRUE(DeviceJobLease::TryTake(first).Held());
}

TEST(DeviceJobLease, MovingHandsTheLinkOnAndAssigningOverALeaseGivesItsOwnBack) {
    SerialLink first;
    SerialLink second;
    DeviceJobLease taken = DeviceJobLease::TryTake(first);
    DeviceJobLease moved = std::move(taken);
    EXPECT_FALSE(taken.Held());
    taken.Release();
    EXPECT_TRUE(DeviceJobLease::Busy(first)) << "a moved-from lease gives nothing back";

    moved = DeviceJobLease::TryTake(second);
    EXPECT_FALSE(DeviceJobLease::Busy(first));
    EXPECT_TRUE(DeviceJobLease::Busy(second));
    {
        const DeviceJobLease scoped = std::move(moved);
    }
    EXPECT_FALSE(DeviceJobLease::Busy(second)) << "a lease that ends gives its link back";
}

TEST(DeviceJobLease, OfManyJobsStartingAtOnceOnOneLinkExactlyOneRuns) {
    constexpr int jobs = 8;
    SerialLink link;
    std::latch start(jobs);
    std::atomic<int> running = 0;
    std::vector<DeviceJobLease> leases(jobs);
    std::vector<std::thread> threads;
    for (int job = 0; job < jobs; ++job)
        threads.emplace_back([&, job] {
            start.arrive_and_wait();
            leases[static_cast<size_t>(job)] = DeviceJobLease::TryTake(link);
            if (leases[static_cast<size_t>(job)].Held())
                ++running;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(running, 1);
}

}  // namespace
