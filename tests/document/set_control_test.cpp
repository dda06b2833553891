#include "document/set_control.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "tests/support/read_back.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Page {
    Page(int sets)
    {
        for (int i = 0; i < sets; ++i) {
            Plot plot;
            plot.m_info = "s" + std::to_string(i);
            plot.m_xPositive = plot.m_yPositive = 1;
            for (int p = 0; p <= i; ++p)
                plot.AddPoint(float(p + 1), float(p + 1));
            doc.CurrentGraph().m_plots.Append(plot);
        }
    }
    ~Page() { std::fclose(errors); }
    std::string Names()
    {
        std::string names;
        for (int i = 0; i < plots().Count(); ++i)
            names += plots().Get(i).m_info + " ";
        return names;
    }
    std::string Messages() { return ReadAll(errors); }
    List<Plot>& plots() { return doc.CurrentGraph().m_plots; }
    CTarnDoc doc;
    std::FILE* errors = std::tmpfile();
    StreamMessages messages{errors};
};

} // namespace

TEST(SetControl, ActionsListAndApply)
{
    struct Row {
        int action;
        std::vector<int> inactive;
        std::vector<int> chosenRows;
        std::vector<int> listed;
        std::vector<int> result;
        std::string namesAfter;
    };
    const Row rows[] = {
        {kActivateSets, {1, 2}, {1}, {1, 2}, {2}, "s0 s1 s2 "},
        {kDeactivateSets, {1}, {0, 1}, {0, 2}, {0, 2}, "s0 s1 s2 "},
        {kDeleteSets, {}, {1, 3}, {0, 1, 2, 3, 4}, {1, 3}, "s0 s2 s4 "},
        {kBringSetToTop, {}, {3}, {0, 1, 2, 3, 4}, {3}, "s3 s0 s1 s2 s4 "},
        {kSendSetToBottom, {}, {0}, {0, 1, 2}, {0}, "s1 s2 s0 "},
        {kSelectSet, {}, {2, 0}, {0, 1, 2}, {0}, "s0 s1 s2 "},
        {kSelectSets, {}, {2, 0}, {0, 1, 2}, {0, 2}, "s0 s1 s2 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        const bool five = row.action == kDeleteSets || row.action == kBringSetToTop;
        Page page(five ? 5 : 3);
        for (int index : row.inactive)
            page.plots().Get(index).m_visible = 0;
        SetControl control(row.action, page.plots(), page.messages);
        EXPECT_EQ(control.ListedSets(), row.listed);
        EXPECT_EQ(control.Apply(row.chosenRows), row.result);
        EXPECT_EQ(page.Names(), row.namesAfter);
        if (row.action == kActivateSets) {
            EXPECT_EQ(page.plots().Get(2).m_visible, 1);
            EXPECT_EQ(page.plots().Get(1).m_visible, 0);
        }
    }
}

TEST(SetControl, CaptionsEntriesAndBadActions)
{
    Page page(2);
    SetControl deactivate(kDeactivateSets, page.plots(), page.messages);
    EXPECT_STREQ(deactivate.Caption(), "Dectivate Sets");
    EXPECT_TRUE(deactivate.MultipleSelection());
    EXPECT_EQ(deactivate.Entries(), (std::vector<std::string>{"Set #0 (N = 1) s0", "Set #1 (N = 2) s1"}));
    SetControl select(kSelectSet, page.plots(), page.messages);
    EXPECT_STREQ(select.Caption(), "Select Set");
    EXPECT_FALSE(select.MultipleSelection());
    EXPECT_EQ(select.Entries().front(), "Set #0 (N = 1)");
    SetControl several(kSelectSets, page.plots(), page.messages);
    EXPECT_STREQ(several.Caption(), "Select a Set(s)");

    SetControl illegal(9, page.plots(), page.messages);
    EXPECT_TRUE(illegal.Entries().empty());
    EXPECT_EQ(page.Messages(), "message: Illegal m_action in CSetControlDialog\n");
}

TEST(SetControl, ListsAreTruncatedAt3601Entries)
{
    Page page(0);
    Plot empty;
    for (int i = 0; i < 4000; ++i)
        page.plots().Append(empty);
    SetControl control(kDeleteSets, page.plots(), page.messages);
    EXPECT_EQ(control.Entries().size(), 3601u);
    EXPECT_EQ(control.Entries().back(), "Set #3600 (N = 0) ");
    PlotListFiller filler;
    EXPECT_EQ(filler.Fill(page.doc, page.messages).size(), 3601u);
    const std::string once = std::string("message: ") +
                             "The maximum number of plots that can be displayed in a\\r\\nListBox "
                             "has been reached - plot list has been truncated!\n";
    EXPECT_EQ(page.Messages(), once + once);
}

TEST(PlotListFiller, ListsActiveSetsAndCopiesTheSelection)
{
    Page page(4);
    page.plots().Get(1).m_visible = 0;
    page.plots().Get(3).m_selected = 1;
    PlotListFiller filler;
    EXPECT_EQ(filler.Fill(page.doc, page.messages),
              (std::vector<std::string>{"Set #0 (N = 1) \"s0\"", "Set #2 (N = 3) \"s2\"",
                                        "Set #3 (N = 4) \"s3\""}));
    EXPECT_EQ(page.plots().Get(0).m_selected, 1);
    EXPECT_EQ(page.plots().Get(3).m_selected, 0);
    EXPECT_EQ(filler.LastSelected(), 0);
    filler.UpdateSelection(page.doc, {1, 2});
    EXPECT_EQ(page.plots().Get(0).m_selected, 0);
    EXPECT_EQ(page.plots().Get(2).m_selected, 1);
    EXPECT_EQ(page.plots().Get(3).m_selected, 1);
    EXPECT_EQ(filler.LastSelected(), 3);

    Page inactive(2);
    inactive.plots().Get(0).m_visible = 0;
    inactive.plots().Get(1).m_visible = 0;
    PlotListFiller none;
    EXPECT_TRUE(none.Fill(inactive.doc, inactive.messages).empty());
    EXPECT_EQ(none.LastSelected(), -1);
}

TEST(SetControl, FinishingRechecksLogScalesAndRescales)
{
    Page page(2);
    page.plots().Get(0).AddPoint(-5, 1); // cannot be shown on a log x axis
    page.plots().Get(0).m_xPositive = 0;
    ASSERT_FALSE(page.doc.CurrentGraph().SetLogScale(1, 0, page.messages));
    page.doc.CurrentGraph().m_xLog = 1; // as if set before the set arrived
    SetControl control(kDeactivateSets, page.plots(), page.messages);
    control.Apply({0});
    FinishSetCommand(page.doc, page.messages);
    EXPECT_EQ(page.doc.CurrentGraph().m_xLog, 1) << "the offending set is inactive now";
    EXPECT_TRUE(page.doc.IsModified());
}
