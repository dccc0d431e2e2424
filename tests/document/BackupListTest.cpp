#include <gtest/gtest.h>

#include "document/BackupList.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

CImage Grey(int value) { return MakeGrey(4, 3, [value](int, int) { return value; }); }

}  // namespace

TEST(BackupList, HoldsOneSnapshotAndRestoresTheNewest)
{
    FakeUserInterface user;
    CBackupList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_FALSE(list.IsFull());

    list.AddToBack(Grey(10));
    EXPECT_TRUE(list.IsFull());
    list.AddToBack(Grey(20));
    EXPECT_TRUE(list.IsFull());

    CImage target = Grey(99);
    ASSERT_EQ(list.RestoreFromBack(target), 0);
    EXPECT_EQ(target.pixelValueArray[2][3], CColorVal(20, 20, 20));
    EXPECT_TRUE(list.IsEmpty());

    // A second restore finds nothing and leaves the image alone.
    EXPECT_EQ(list.RestoreFromBack(target), -1);
    EXPECT_EQ(target.pixelValueArray[0][0], CColorVal(20, 20, 20));
    EXPECT_EQ(list.RemoveFromFront(), -1);
    EXPECT_TRUE(user.errors.empty());
}

TEST(BackupList, RestoreBringsBackAoiButNoObjects)
{
    FakeUserInterface user;
    CImage image = Grey(50);
    image.SetUpperLeft(1, 1, false);
    image.SetLowerRight(2, 2, false);
    image.objects.resize(2);
    CBackupList list;
    list.AddToBack(image);

    image.SetWholeAoi();
    ASSERT_EQ(list.RestoreFromBack(image), 0);
    EXPECT_EQ((std::array{image.aoiLeft, image.aoiTop, image.aoiRight, image.aoiBottom}),
              (std::array{1, 1, 2, 2}));
    EXPECT_EQ(image.ObjectCount(), 0);
}

TEST(BackupList, RemoveAllEmptiesTheList)
{
    CBackupList list;
    list.AddToBack(Grey(1));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.RemoveFromFront(), -1);
}
