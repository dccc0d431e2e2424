// The document's history: what a run records (AOI, answers), what Undo and
// Open remove, and steps that cannot be replayed.
#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/NUVAKDoc.h"
#include "platform/UserInterface.h"
#include "series/Operations.h"
#include "support/BitmapFiles.h"
#include "support/FakeUserInterface.h"
#include "support/SamePixels.h"
#include "support/TestFiles.h"
#include "support/TestImages.h"

namespace {

std::vector<std::string> Lines(const CNUVAKDoc& doc) { return doc.History().Lines(); }

CNUVAKDoc::Record Entry(const char* operation)
{
    return [operation] { return HistoryEntry{{OperationStep{FindOperation(operation), {}, {}, {}}}, {}}; };
}

}  // namespace

TEST(History, RunsRecordTheirAoiAndAnswers)
{
    FakeUserInterface user;
    CNUVAKDoc doc;
    doc.image = MakeGrey(8, 6, [](int x, int y) { return x + y; });
    EXPECT_TRUE(doc.RunCommand(cmd::FlipHorizontal));
    doc.image.SetUpperLeft(1, 2, false);
    doc.image.SetLowerRight(5, 4, false);
    user.answers = {false};
    doc.RunPipeline([](CImage&) { return platform::askYesNo("Sure?"), 0; }, false, true, nullptr, Entry("Invert"));
    // A failed run records nothing.
    doc.RunPipeline([](CImage&) { return -1; }, false, false, nullptr, Entry("Sobel"));
    EXPECT_EQ(Lines(doc),
              (std::vector<std::string>{"--op \"Flip Horizontal\"", "--op Invert --aoi 1,2,5,4 --answer no"}));
}

TEST(History, UndoRemovesWhatItsSnapshotCovers)
{
    FakeUserInterface user;
    CNUVAKDoc doc;
    doc.image = MakeGrey(8, 6, [](int x, int y) { return x * y; });
    EXPECT_TRUE(doc.RunCommand(cmd::Invert));
    EXPECT_TRUE(doc.RunCommand(cmd::FlipVertical));
    // Paste records itself after its snapshot; Undo takes both away.
    doc.SnapshotForUndo();
    doc.RecordEntry(HistoryEntry{{}, "Paste"});
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{"--op Invert", "--op \"Flip Vertical\"",
                                                    "Paste (not replayable on one image)"}));
    EXPECT_EQ(doc.History().Steps().size(), 2u);
    EXPECT_EQ(doc.History().Unreplayable(), std::vector<std::string>{"Paste"});
    doc.OnEditUndo();
    EXPECT_EQ(Lines(doc), (std::vector<std::string>{"--op Invert", "--op \"Flip Vertical\""}));
    EXPECT_TRUE(doc.History().Unreplayable().empty());
    doc.OnEditRedo();
    EXPECT_EQ(Lines(doc).size(), 3u);
    doc.OnEditUndo();

    // A snapshot that records nothing (Select All's) leaves the steps alone,
    // and forgets the Paste undone.
    doc.SnapshotForUndo();
    EXPECT_EQ(doc.History().Entries().size(), 2u);
    doc.OnEditUndo();
    EXPECT_EQ(Lines(doc).size(), 2u);

    TempDir dir;
    CImage saved = doc.image;
    SaveBitmap(saved, dir.path("a.bmp"));
    ASSERT_TRUE(doc.OnOpenDocument(dir.path("a.bmp")));
    EXPECT_TRUE(doc.History().IsEmpty());
}

TEST(History, GoesToAnyStepStillInMemory)
{
    FakeUserInterface user;
    CNUVAKDoc doc;
    doc.image = MakeGrey(8, 6, [](int x, int y) { return x * y; });
    const CImage original = doc.image;
    for (int id : {cmd::Invert, cmd::FlipVertical, cmd::FlipHorizontal}) EXPECT_TRUE(doc.RunCommand(id));
    CImage afterFlip = original;
    afterFlip.Invert();
    afterFlip.FlipVertical();
    struct Case {
        std::optional<std::size_t> entry;
        std::size_t applied;
        const CImage* image;
    } cases[] = {
        {1, 2, &afterFlip},
        {std::nullopt, 0, &original},
        {1, 2, &afterFlip},  // forward again
    };
    for (const Case& c : cases) {
        doc.GoToEntry(c.entry);
        EXPECT_EQ(doc.History().Applied(), c.applied);
        EXPECT_TRUE(SamePixels(doc.image, *c.image));
    }
    // A change without a snapshot of its own (Find Objects) forgets the steps undone.
    doc.RecordEntry(HistoryEntry{{OperationStep{FindOperation("Invert"), {}, {}, {}}}, {}});
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.History().Entries().size(), 3u);

    // With memory for one step only, the image before the second step is gone.
    CBackupList::SetBudget(1);
    EXPECT_TRUE(doc.RunCommand(cmd::Invert));
    CBackupList::SetBudget(0);
    EXPECT_FALSE(doc.CanGoToEntry(std::nullopt));
    EXPECT_FALSE(doc.CanGoToEntry(0));
    EXPECT_TRUE(doc.CanGoToEntry(1));
    doc.GoToEntry(0);
    EXPECT_EQ(doc.History().Applied(), 4u);
    doc.GoToEntry(2);
    EXPECT_EQ(doc.History().Applied(), 3u);
    EXPECT_FALSE(doc.CanUndo());
}

TEST(History, LeftOutText)
{
    EXPECT_EQ(LeftOutText({}), "");
    EXPECT_EQ(LeftOutText({"Paste", "Add of A and B"}),
              "These steps cannot be replayed on one image and are left out of the recipe:\n\tPaste"
              "\n\tAdd of A and B");
}
