// Tests of the shared reference count and the game lock.
// SPDX-License-Identifier: MIT
#include "common/game_lock.h"
#include "common/ref_obj.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

class Counted : public CommonLibrary::RefObj
{
public:
    explicit Counted(bool* deleted) : deletedFlag(deleted) {}
    ~Counted() override { *deletedFlag = true; }

private:
    bool* deletedFlag;
};

TEST(RefObj, StartsAtOneAndIsDeletedOnTheLastRelease)
{
    bool deleted = false;
    auto* handle = new Counted(&deleted);
    EXPECT_EQ(handle->GetRefCount(), 1);
    EXPECT_EQ(handle->AddRef(), 2);
    EXPECT_EQ(handle->Release(), 1);
    EXPECT_FALSE(deleted);
    EXPECT_EQ(handle->Release(), 0);
    EXPECT_TRUE(deleted);
}

TEST(GameLock, IsRecursiveAndSharedAcrossThreads)
{
    int counter = 0;
    auto work = [&counter] {
        for (int i = 0; i < 1000; ++i)
        {
            CommonLibrary::GameLockGuard outer;
            CommonLibrary::GameLockGuard inner; // taking it again must not deadlock
            ++counter;
        }
    };
    std::thread other(work);
    work();
    other.join();
    EXPECT_EQ(counter, 2000);
}

} // namespace
