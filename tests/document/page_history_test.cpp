#include "document/page_history.h"

#include "document/document_file.h"
#include "document/tarn_doc.h"

#include <gtest/gtest.h>

#include <malloc.h>

namespace {

constexpr int kMillion = 1000000;

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace

// Undo states share the sets' storage: twenty edits of a page of a million
// points cost a few kilobytes each, a deleted set is held once, and undoing
// brings the very points back.
TEST(PageHistory, AMillionPointPageThroughTwentyEditsStaysSmall)
{
    CTarnDoc doc;
    {
        Plot set;
        for (int i = 0; i < kMillion; ++i)
            set.AddPoint(float(i), float(i % 1000));
        set.m_handOver = 1;
        doc.CurrentGraph().m_plots.Append(set);
    }
    doc.ResetHistory();
    const std::string original = DocumentToBytes(doc);
    const std::size_t heapBefore = HeapInUse();

    for (int edit = 0; edit < 20; ++edit) {
        Graph& graph = doc.CurrentGraph();
        switch (edit % 4) {
        case 0: graph.m_title.m_text = "edit " + std::to_string(edit); break;
        case 1: graph.m_legend.MoveX(0.01f); break;
        case 2: graph.m_plots.Get(0).m_lineStyle = edit % 5; break;
        case 3: graph.m_xMax += 1.0f; break;
        }
        if (edit % 4 == 3)
            doc.RecordUnmarkedChange();
        else
            doc.SetModifiedFlag();
    }
    EXPECT_EQ(doc.History().UndoSteps(), 20);
    const std::size_t dataBytes = doc.CurrentGraph().m_plots.Get(0).HeldBytes();
    EXPECT_GE(dataBytes, std::size_t(8) * kMillion);
    EXPECT_LT(doc.History().HeldBytes(doc), std::size_t(1) << 20) << "no copy of the points";
    EXPECT_LT(HeapInUse() - heapBefore, std::size_t(1) << 20) << "measured on the heap too";

    // A deleted set stays in the history, once however many steps hold it.
    doc.CurrentGraph().m_plots.Remove(0);
    doc.SetModifiedFlag();
    doc.CurrentGraph().m_title.m_text = "after the delete";
    doc.SetModifiedFlag();
    EXPECT_GE(doc.History().HeldBytes(doc), dataBytes);
    EXPECT_LT(doc.History().HeldBytes(doc), dataBytes + (std::size_t(1) << 20));

    for (int step = 0; step < 22; ++step)
        ASSERT_TRUE(doc.Undo()) << step;
    EXPECT_FALSE(doc.Undo()) << "nothing older";
    EXPECT_EQ(DocumentToBytes(doc), original) << "the points in their order";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_LT(doc.History().HeldBytes(doc), std::size_t(1) << 20) << "the page shares them again";

    // The depth is bounded: the oldest steps go.
    for (int edit = 0; edit < PageHistory::kDepth + 10; ++edit) {
        doc.CurrentGraph().m_title.m_text = "again " + std::to_string(edit);
        doc.SetModifiedFlag();
    }
    EXPECT_EQ(doc.History().UndoSteps(), PageHistory::kDepth);
    EXPECT_FALSE(doc.CanRedo()) << "a new edit drops what was undone";
}
