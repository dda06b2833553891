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
