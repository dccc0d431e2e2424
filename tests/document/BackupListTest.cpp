#include <gtest/gtest.h>

#include <vector>

#include "document/BackupList.h"
#include "support/FakeUserInterface.h"
#include "support/TestImages.h"

namespace {

CImage Grey(int value) { return MakeGrey(4, 3, [value](int, int) { return value; }); }
int Corner(const CImage& image) { return image.pixelValueArray[2][3].red; }

}  // namespace

TEST(BackupList, UndoesAndRedoesEveryStepWithinTheBudget)
{
    FakeUserInterface user;
    const std::uint64_t step = SnapshotBytes(Grey(0));
    struct Case {
        std::uint64_t budget;  // 0: the default
        std::vector<int> undone;  // what each Undo brings back, until there is none
    } cases[] = {
        {0, {30, 20, 10}},
        {3 * step, {30, 20, 10}},
        {2 * step, {30, 20}},  // the oldest goes first
        {1, {30}},             // the newest stays whatever the budget
    };
    for (const Case& c : cases) {
        CBackupList::SetBudget(c.budget);
        CBackupList list;
        EXPECT_TRUE(list.IsEmpty());
        EXPECT_FALSE(list.IsFull());
        for (int value : {10, 20, 30}) list.AddToBack(Grey(value));
        EXPECT_EQ(list.Bytes(), c.undone.size() * step) << c.budget;
        EXPECT_EQ(list.IsFull(), c.budget != 0 && c.undone.size() * step >= c.budget) << c.budget;

        CImage target = Grey(99);
        std::vector<int> undone;
        while (list.RestoreFromBack(target) == 0) undone.push_back(Corner(target));
        EXPECT_EQ(undone, c.undone) << c.budget;
        // None left: the image stays; Redo walks forward to where it started.
        EXPECT_EQ(Corner(target), c.undone.back());
        std::vector<int> redone;
        while (list.RestoreFromRedo(target) == 0) redone.push_back(Corner(target));
        std::vector<int> expected(c.undone.rbegin() + 1, c.undone.rend());
        expected.push_back(99);
        EXPECT_EQ(redone, expected) << c.budget;

        // A new change forgets what Redo would bring back.
        list.RestoreFromBack(target);
        list.AddToBack(Grey(40));
        EXPECT_FALSE(list.CanRedo());
        EXPECT_EQ(list.RestoreFromRedo(target), -1);
    }
    CBackupList::SetBudget(0);
    EXPECT_EQ(CBackupList::Budget(), CBackupList::DefaultBudget());
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
