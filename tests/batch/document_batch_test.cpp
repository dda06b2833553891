// End-to-end checks of documents in corvid-batch: --save and opening a document.
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(BatchDocument, SavedPageReadsBackAsTheSamePage)
{
    const ScratchDir dir("corvid-batch-doc");
    dir.Write("a.dat", "1 2\n2 4\n3 9\n");
    dir.Write("b.dat", "1 1 0.1\n2 2 0.2\n");
    const BatchRun save = RunBatchIn("render -logy -xy a.dat --title 'Saved $x^2$' --save page.cvd", dir);
    ASSERT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(ReadWholeFile(dir / "page.cvd").substr(0, 16),
              std::string("\xA4\x70\x9D\x3F\0\0\0\0\x01\0\0\0\x01\0\0\0", 16));

    const BatchRun built = RunBatchIn("info -logy -xy a.dat --title 'Saved $x^2$' --points", dir);
    const BatchRun opened = RunBatchIn("info page.cvd --points", dir);
    ASSERT_EQ(opened.status, 0) << opened.err;
    // The fill flag is not stored: a reopened set's symbols are hollow exactly
    // when the stored symbol colour is "none", so a new set (black, hollow)
    // comes back filled; everything else is the same page.
    std::string expected = built.out;
    const std::string hollow = "\"pointColorNone\":1";
    ASSERT_NE(expected.find(hollow), std::string::npos);
    expected.replace(expected.find(hollow), hollow.size(), "\"pointColorNone\":0");
    EXPECT_EQ(opened.out, expected) << "the whole page, points included";

    // A document with more data added and saved under a new name.
    const BatchRun more = RunBatchIn("render page.cvd -xydx b.dat --save more.cvd -o more.png --size 200x150", dir);
    ASSERT_EQ(more.status, 0) << more.err;
    const BatchRun info = RunBatchIn("info more.cvd", dir);
    EXPECT_NE(info.out.find("\"pointCount\":3"), std::string::npos);
    EXPECT_NE(info.out.find("\"pointCount\":2"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "more.png"));
}

TEST(BatchDocument, BrokenDocumentsAndFailedSavesExitWithOne)
{
    const ScratchDir dir("corvid-batch-doc");
    dir.Write("a.dat", "1 2\n");
    dir.Write("broken.cvd", std::string("\xA4\x70\x9D\x3F\0\0\0\0\x01\0\0\0", 12));
    struct Row {
        const char* arguments;
        const char* message;
    };
    const Row rows[] = {
        {"render broken.cvd -o page.png", "message: Unexpected file format.\n"},
        {"info broken.cvd", "message: Unexpected file format.\n"},
        {"render missing.cvd -o page.png", "message: Cannot open \"missing.cvd\": No such file or directory.\n"},
        {"render -xy a.dat --save no/such/dir/page.cvd", "message: Cannot save \"no/such/dir/page.cvd\": "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind(row.message, 0), 0u) << run.err;
    }
}

// A page command whose page cannot be built (its document does not open, a
// data file does not import) writes nothing: an image, a document or a text
// of the names it was given stays byte for byte, and nothing is printed.
TEST(BatchDocument, APageThatCannotBeBuiltWritesNothing)
{
    const ScratchDir dir("corvid-batch-doc");
    dir.Write("good.dat", "1 2\n2 4\n");
    dir.Write("empty.dat", "# no values\n");
    dir.Write("broken.cvd", std::string("\xA4\x70\x9D\x3F\0\0\0\0\x01\0\0\0", 12));
    ASSERT_EQ(RunBatchIn("render -xy good.dat --save target.cvd -o old.png --size 40x30", dir).status, 0);
    dir.Write("old.txt", "old text");
    const std::string target = ReadWholeFile(dir / "target.cvd");
    const std::string image = ReadWholeFile(dir / "old.png");
    struct Row {
        const char* arguments;
        const char* message; // the start of standard error
    };
    const Row rows[] = {
        {"render broken.cvd --save target.cvd -o old.png", "message: Unexpected file format.\n"},
        {"render missing.cvd --save target.cvd -o old.png", "message: Cannot open \"missing.cvd\""},
        {"render -xy good.dat nosuch.dat --save target.cvd -o old.png", "message: Unable to open the file nosuch.dat"},
        {"render target.cvd -xy empty.dat --save target.cvd", "message: No data found in the file empty.dat"},
        {"info broken.cvd", "message: Unexpected file format.\n"},
        {"info /dev/zero", "message: Unexpected file format.\n"},
        {"info -wav /dev/zero", "message: Unable to locate the 'RIFF' chunk"},
        {"export -xy good.dat nosuch.dat -o old.txt", "message: Unable to open the file nosuch.dat"},
        {"stats -xy good.dat nosuch.dat", "message: Unable to open the file nosuch.dat"},
        {"histogram broken.cvd --bins 2 --start 0 --end 4 --save target.cvd", "message: Unexpected file format."},
        {"function broken.cvd --fx x --min 0 --max 1 -o old.png", "message: Unexpected file format."},
        {"animate -xy nosuch.dat -o old.png", "message: Unable to open the file nosuch.dat"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind(row.message, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "") << "no page JSON, report or export text";
        EXPECT_TRUE(ReadWholeFile(dir / "target.cvd") == target);
        EXPECT_TRUE(ReadWholeFile(dir / "old.png") == image);
        EXPECT_EQ(ReadWholeFile(dir / "old.txt"), "old text");
    }
}
