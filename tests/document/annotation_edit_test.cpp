#include "document/legend_edit.h"
#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "document/text_edit.h"
#include "render/recording_canvas.h"

#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

namespace {

Plot Set(const char* info, const char* label, bool active = true)
{
    Plot plot;
    plot.AddPoint(1, 1);
    plot.m_info = info;
    plot.m_label.m_text = label;
    plot.m_visible = active ? 1 : 0;
    return plot;
}

} // namespace

TEST(TextEdit, OrientationIsAWholeNumberOfDegreesFrom0To360)
{
    struct Row {
        const char* text;
        bool accepted;
        int degrees;
    };
    const Row rows[] = {{"0", true, 0},    {"360", true, 360}, {" 90 ", true, 90},
                        {"361", false, 0}, {"-1", false, 0},   {"45.5", false, 0},
                        {"", false, 0},    {"ninety", false, 0}, {"99999999999999", false, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        RecordingMessages messages;
        int degrees = -7;
        EXPECT_EQ(ReadOrientation(row.text, degrees, messages), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(degrees, row.degrees);
            EXPECT_TRUE(messages.shown.empty());
        } else {
            EXPECT_EQ(degrees, -7);
            EXPECT_EQ(messages.shown, std::vector<std::string>{"Please enter a valid orientation!"});
        }
    }
}

TEST(TextEdit, TitleCommandsEditTheirTitle)
{
    Graph graph;
    EXPECT_EQ(&TitleOf(graph, TitleKind::Title), &graph.m_title);
    EXPECT_EQ(&TitleOf(graph, TitleKind::XAxis), &graph.m_xLabel);
    EXPECT_EQ(&TitleOf(graph, TitleKind::YAxis), &graph.m_yLabel);
    EXPECT_STREQ(TitleCaption(TitleKind::Title), "Title");
    EXPECT_STREQ(TitleCaption(TitleKind::XAxis), "X Axis");
    EXPECT_STREQ(TitleCaption(TitleKind::YAxis), "Y Axis");
}

TEST(LegendEdit, ListsActiveSetsAndKeepsWorkingCopiesUntilApply)
{
    Graph graph;
    graph.m_plots.Append(Set("first", "one"));
    graph.m_plots.Append(Set("off", "hidden", false));
    graph.m_plots.Append(Set("third", ""));
    LegendEdit edit(graph);
    EXPECT_EQ(edit.Entries(), (std::vector<std::string>{"Set #0 (N = 1) \"first\"",
                                                        "Set #2 (N = 1) \"third\""}));
    EXPECT_EQ(edit.Selected(), 0);
    EXPECT_EQ(edit.SelectedText(), "one");
    EXPECT_EQ(edit.Select(1, "ONE"), "");
    EXPECT_EQ(edit.Select(0, "$x^2$"), "ONE") << "the text typed was kept in the copy";
    EXPECT_EQ(graph.m_plots.Get(0).m_label.m_text, "one") << "nothing changes before OK";
    EXPECT_EQ(graph.m_legend.m_visible, 0);
    // Destroying the edit without Apply is Cancel: the graph is untouched.
}

TEST(LegendEdit, ApplyWritesEveryCopyWithTheDialogsFontAndShowsTheLegend)
{
    Graph graph;
    graph.m_plots.Append(Set("a", "one"));
    graph.m_plots.Append(Set("b", "two"));
    graph.m_plots.Append(Set("c", "kept", false));
    LegendEdit edit(graph);
    edit.m_font.height = -20;
    edit.m_font.SetFaceName("Liberation Sans");
    edit.m_textColor = 0x0000FF;
    edit.m_showBox = 1;
    edit.m_boxFillColor = 0x00FF00;
    edit.Select(1, "ONE");
    edit.Apply("$\\beta$");
    EXPECT_EQ(graph.m_plots.Get(0).m_label.m_text, "ONE");
    EXPECT_EQ(graph.m_plots.Get(1).m_label.m_text, "$\\beta$");
    EXPECT_EQ(graph.m_plots.Get(2).m_label.m_text, "kept");
    for (int i : {0, 1}) {
        EXPECT_EQ(graph.m_plots.Get(i).m_label.m_font.height, -20);
        EXPECT_STREQ(graph.m_plots.Get(i).m_label.m_font.faceName, "Liberation Sans");
        EXPECT_EQ(graph.m_plots.Get(i).m_label.m_color, 0x0000FFu);
    }
    EXPECT_EQ(graph.m_legend.m_visible, 1);
    EXPECT_EQ(graph.m_legend.m_showBox, 1);
    EXPECT_EQ(graph.m_legend.m_boxFillColor, 0x00FF00u);
    EXPECT_EQ(graph.m_legend.m_font.height, -20);
    EXPECT_EQ(graph.m_legend.m_textColor, 0x0000FFu);

    // Emptying every active entry hides the legend and unselects it.
    graph.m_legend.m_selected = 1;
    LegendEdit clearing(graph);
    clearing.Select(1, "");
    clearing.Apply("");
    EXPECT_EQ(graph.m_legend.m_visible, 0);
    EXPECT_EQ(graph.m_legend.m_selected, 0);
    EXPECT_EQ(graph.m_plots.Get(2).m_label.m_text, "kept") << "inactive sets keep their entries";
}

TEST(LegendEdit, AGraphWithoutActiveSetsListsNothing)
{
    Graph graph;
    graph.m_plots.Append(Set("a", "one", false));
    LegendEdit edit(graph);
    EXPECT_TRUE(edit.Entries().empty());
    EXPECT_EQ(edit.Selected(), -1);
    EXPECT_EQ(edit.Select(0, "x"), "");
    edit.Apply("ignored");
    EXPECT_EQ(graph.m_legend.m_visible, 0);
}

TEST(PageDrawing, FreeLabelsAreDrawnAfterEveryGraph)
{
    CTarnDoc doc;
    TextObject label("$\\Delta t$ = 5 s");
    label.m_x = 0.2f;
    label.m_y = 0.95f;
    doc.m_labels.Append(label);
    TextObject cleared("gone");
    cleared.Clear();
    doc.m_labels.Append(cleared);
    RecordingCanvas canvas;
    DrawPage(doc, canvas, {0, 0, 800, 600});
    ASSERT_GE(canvas.m_records.size(), 3u);
    const auto& last = canvas.m_records;
    std::size_t n = last.size();
    EXPECT_EQ(last[n - 3].text, "\u0394");
    EXPECT_EQ(last[n - 2].text, "t");
    EXPECT_EQ(last[n - 1].text, " = 5 s");
    EXPECT_EQ(doc.m_labels.Count(), 2) << "a cleared label stays in the list";
}
