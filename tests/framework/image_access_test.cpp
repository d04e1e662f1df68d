// Tests of GetImage and the shared image table.
// SPDX-License-Identifier: MIT
#include "framework/images/image_access.h"
#include "framework/images/png_writer.h"
#include "tests/framework/pak_test_util.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{

using namespace Lumo;
using PakTestUtil::ScratchDir;

class ImageAccess : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ImageLib::Image picture(2, 1);
        picture.bits = {0x80FF0000, 0xFF00FF00};
        dir.Write("fish.png", ImageLib::EncodePng(picture));
    }

    ScratchDir dir;
};

TEST_F(ImageAccess, GetImageCopiesThePixelsAndNamesThePath)
{
    const std::unique_ptr<DDImage> image = GetImage(nullptr, dir.Path("fish.png"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 2);
    EXPECT_EQ(image->GetHeight(), 1);
    EXPECT_EQ(image->filePath, dir.Path("fish.png"));
    EXPECT_EQ(image->GetBits()[0], 0x80FF0000u);
    EXPECT_EQ(image->GetBits()[1], 0xFF00FF00u);
    EXPECT_TRUE(image->HasPartialAlpha());
    EXPECT_EQ(GetImage(nullptr, dir.Path("nothing.png")), nullptr);
}

TEST_F(ImageAccess, SharedImagesAreOnePerPathAndVariant)
{
    SharedImageTable table(nullptr);
    bool isNew = false;
    SharedImageRef first = table.GetSharedImage(dir.Path("fish.png"), "", &isNew);
    EXPECT_TRUE(isNew);
    ASSERT_TRUE(first);

    SharedImageRef again = table.GetSharedImage(dir.Path("fish.png"), "", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(again.Get(), first.Get());

    SharedImageRef variant = table.GetSharedImage(dir.Path("fish.png"), "small", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_NE(variant.Get(), first.Get());
    SharedImageRef variantUpper = table.GetSharedImage(dir.Path("fish.png"), "SMALL", &isNew);
    EXPECT_FALSE(isNew);
    EXPECT_EQ(variantUpper.Get(), variant.Get());

    SharedImageRef blank = table.GetSharedImage("!scratch", "", &isNew);
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->GetWidth(), 0);
    EXPECT_EQ(table.GetSharedImage("!SCRATCH", "", &isNew).Get(), blank.Get()); // case ignored
    EXPECT_FALSE(isNew);

    SharedImageRef missing = table.GetSharedImage(dir.Path("none.png"), "", &isNew);
    EXPECT_TRUE(isNew);
    EXPECT_FALSE(missing);
    EXPECT_EQ(table.EntryCount(), 4u);
}

TEST_F(ImageAccess, UnusedEntriesGoAtTheNextPurge)
{
    SharedImageTable table(nullptr);
    SharedImageRef kept = table.GetSharedImage(dir.Path("fish.png"), "");
    DDImage* const image = kept.Get();
    {
        SharedImageRef copy = kept;
        SharedImageRef moved = std::move(copy);
        SharedImageRef other = table.GetSharedImage(dir.Path("fish.png"), "b");
    }
    EXPECT_EQ(table.EntryCount(), 2u);
    // Asked for again before the purge: still the same image, not loaded again.
    bool isNew = true;
    SharedImageRef back = table.GetSharedImage(dir.Path("fish.png"), "b", &isNew);
    EXPECT_FALSE(isNew);
    back.Release();
    EXPECT_FALSE(back);

    table.PurgeUnused();
    EXPECT_EQ(table.EntryCount(), 1u);
    EXPECT_EQ(kept.Get(), image);
    kept = SharedImageRef();
    table.PurgeUnused();
    EXPECT_EQ(table.EntryCount(), 0u);
}

// Handles taken, copied and dropped on several threads while the update step purges.
TEST_F(ImageAccess, HandlesMayMoveBetweenThreads)
{
    SharedImageTable table(nullptr);
    SharedImageRef kept = table.GetSharedImage(dir.Path("fish.png"), "");
    std::atomic<int> finished{0};
    std::vector<std::thread> users;
    for (int t = 0; t < 3; ++t)
    {
        users.emplace_back(
            [&, t]
            {
                for (int i = 0; i < 200; ++i)
                {
                    SharedImageRef ref =
                        table.GetSharedImage(dir.Path("fish.png"), t == 0 ? "" : "v");
                    SharedImageRef copy = ref;
                    EXPECT_TRUE(copy);
                }
                ++finished;
            });
    }
    while (finished < 3)
    {
        table.PurgeUnused();
    }
    for (std::thread& user : users)
    {
        user.join();
    }
    table.PurgeUnused();
    EXPECT_EQ(table.EntryCount(), 1u);
    EXPECT_TRUE(kept);
}

} // namespace
