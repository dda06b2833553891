#include "document/error_bar_edit.h"
#include "document/graph_type_edit.h"
#include "document/plot_style_edit.h"
#include "document/set_control.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

// A page whose current graph holds `active` active sets followed by
// `inactive` inactive ones, each with a few positive points.
struct StylePage {
    StylePage(int active, int inactive = 0)
    {
        for (int i = 0; i < active + inactive; ++i) {
            Plot plot;
            plot.m_info = "s" + std::to_string(i);
            plot.m_visible = i < active ? 1 : 0;
            plot.m_xPositive = plot.m_yPositive = 1;
            plot.AddPoint(1.0f, 1.0f + float(i));
            plot.AddPoint(2.0f, 2.0f + float(i));
            graph().m_plots.Append(plot);
        }
    }
    Graph& graph() { return doc.CurrentGraph(); }
    Plot& plot(int index) { return graph().m_plots.Get(index); }
    // Opens a set list as the dialogs do and chooses `rows` (none: the
    // list's own first choice); returns the remembered set.
    int Choose(const std::vector<int>* rows = nullptr)
    {
        filler.Fill(doc, messages);
        if (rows)
            filler.UpdateSelection(doc, *rows);
        return filler.LastSelected();
    }
    CTarnDoc doc;
    RecordingMessages messages;
    PlotListFiller filler;
};

struct SixteenBit {
    SixteenBit() { use16BitCoordinates = true; }
    ~SixteenBit() { use16BitCoordinates = false; }
};

} // namespace

TEST(PlotStyleEdit, OpeningShowsTheRememberedSet)
{
    struct Row {
        const char* name;
        int pointStyle, pointSize;
        Color pointColor;
        int lineStyle, lineSize;
        Color lineColor;
        PlotStyleItems expected;
        Color customPoint, customLine;
    };
    const Row rows[] = {
        {"fixed colours by their code", kVector, 10, 0x0000FF, kDashDot, 5, 0x646464, {6, 9, 2, 3, 4, 6},
         kNoCustomColor, kNoCustomColor},
        {"a custom line colour shows Custom and is kept", kCircle, 1, 0, kSolid, 1, 0x123456, {0, 0, 0, 0, 0, 8},
         kNoCustomColor, 0x123456},
        {"no colour is the None item", kNoSymbol, 3, kNoColor, kNoLine, 2, kNoColor, {7, 2, 7, 5, 1, 7},
         kNoCustomColor, kNoCustomColor},
        {"codes outside the lists show their first items", 12, 0, 0x00FF00, -1, 9, 0xFFFFFF, {0, 0, 3, 0, 0, 1},
         kNoCustomColor, kNoCustomColor},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StylePage page(2);
        Plot& plot = page.plot(0);
        plot.m_pointStyle = row.pointStyle;
        plot.m_pointSize = row.pointSize;
        plot.m_pointColor = row.pointColor;
        plot.m_lineStyle = row.lineStyle;
        plot.m_lineSize = row.lineSize;
        plot.m_lineColor = row.lineColor;
        PlotStyleEdit edit;
        edit.Load(page.graph(), page.Choose());
        EXPECT_EQ(edit.m_items, row.expected);
        EXPECT_EQ(edit.m_customPointColor, row.customPoint);
        EXPECT_EQ(edit.m_customLineColor, row.customLine);
    }
}

TEST(PlotStyleEdit, NoActiveSetsShowFirstItemsAndApplyChangesNothing)
{
    StylePage page(0, 2);
    PlotStyleEdit edit;
    edit.m_items = {3, 3, 3, 3, 3, 3};
    edit.Load(page.graph(), page.Choose());
    EXPECT_EQ(edit.m_items, PlotStyleItems{}) << "Circle, 1, Black, Solid, 1, Black";
    const Plot before = page.plot(1);
    const PlotStyleApplied applied = edit.Apply(page.graph(), false, page.messages);
    EXPECT_EQ(applied.changedSets, 0);
    EXPECT_FALSE(applied.Redraw());
    EXPECT_EQ(page.plot(1).m_pointStyle, before.m_pointStyle);
    EXPECT_EQ(page.plot(1).m_lineColor, before.m_lineColor);
    EXPECT_TRUE(page.messages.shown.empty());
    EXPECT_FALSE(page.doc.IsModified());
}

TEST(PlotStyleEdit, ApplyRestylesEverySelectedSetOnly)
{
    StylePage page(3, 1);
    page.plot(3).m_selected = 1; // an inactive set chosen earlier keeps its flag
    const std::vector<int> rows{0, 2};
    PlotStyleEdit edit;
    edit.Load(page.graph(), page.Choose(&rows));
    edit.m_items = {kTriangle, 5, kGreen, kDotted, 0, kCyan};
    EXPECT_EQ(edit.Apply(page.graph(), false, page.messages).changedSets, 3);
    for (int index : {0, 2, 3}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(page.plot(index).m_pointStyle, kTriangle);
        EXPECT_EQ(page.plot(index).m_pointSize, 6);
        EXPECT_EQ(page.plot(index).m_pointColor, ColorFromCode(kGreen));
        EXPECT_EQ(page.plot(index).m_lineStyle, kDotted);
        EXPECT_EQ(page.plot(index).m_lineSize, 1);
        EXPECT_EQ(page.plot(index).m_lineColor, ColorFromCode(kCyan));
        EXPECT_EQ(page.plot(index).m_pointColorNone, 0);
    }
    EXPECT_EQ(page.plot(1).m_pointStyle, Plot().m_pointStyle) << "set 1 was not chosen";
    EXPECT_FALSE(page.doc.IsModified()) << "the style dialog only redraws";
}

TEST(PlotStyleEdit, ThickBrokenLinesWarnOncePerApplyWith16BitCoordinates)
{
    struct Row {
        const char* name;
        bool sixteen;
        int lineStyle, lineSizeItem, sets;
        int warnings;
    };
    const Row rows[] = {
        {"two dashed sets of size 3", true, kDashed, 2, 2, 1},
        {"solid lines may be thick", true, kSolid, 4, 2, 0},
        {"size 1 is always drawn as asked", true, kDotted, 0, 2, 0},
        {"no line counts as not solid", true, kNoLine, 1, 1, 1},
        {"32-bit coordinates draw every pen", false, kDashed, 2, 2, 0},
        {"nothing changed, nothing to warn about", true, kDashed, 2, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StylePage page(2);
        use16BitCoordinates = row.sixteen;
        std::vector<int> chosen;
        for (int i = 0; i < row.sets; ++i)
            chosen.push_back(i);
        PlotStyleEdit edit;
        edit.Load(page.graph(), page.Choose(&chosen));
        edit.m_items.lineStyle = row.lineStyle;
        edit.m_items.lineSize = row.lineSizeItem;
        edit.Apply(page.graph(), false, page.messages);
        use16BitCoordinates = false;
        EXPECT_EQ(page.messages.shown, std::vector<std::string>(row.warnings, kSolidLineWarning));
        for (int i = 0; i < row.sets; ++i) {
            EXPECT_EQ(page.plot(i).m_lineStyle, row.lineStyle) << "the style is stored as chosen";
            EXPECT_EQ(page.plot(i).m_lineSize, row.lineSizeItem + 1);
        }
    }
}

TEST(PlotStyleEdit, CustomAndNoColours)
{
    StylePage page(2);
    page.plot(0).m_lineColor = 0x123456;
    PlotStyleEdit edit;
    edit.Load(page.graph(), page.Choose());
    edit.m_items.pointColor = kNone;
    edit.Apply(page.graph(), false, page.messages);
    EXPECT_EQ(page.plot(0).m_lineColor, 0x123456u) << "an untouched custom colour is kept";
    EXPECT_EQ(page.plot(0).m_pointColor, kNoColor);
    EXPECT_EQ(page.plot(0).m_pointColorNone, 1);

    // The chooser opens on the custom colour when there is one, else black.
    struct Row {
        Color custom;
        Color start;
    };
    for (const Row& row : {Row{kNoCustomColor, 0}, Row{kNoColor, kNoColor}, Row{0x123456, 0x123456}, Row{0, 0}}) {
        SCOPED_TRACE(row.custom);
        PlotStyleEdit chooser;
        chooser.m_customPointColor = row.custom;
        EXPECT_EQ(chooser.ChooserStart(false), row.start);
    }
    PlotStyleEdit custom;
    custom.ChooseCustom(false, 0xABCDEF);
    custom.ChooseCustom(true, kNoColor);
    EXPECT_EQ(custom.m_items.pointColor, kCustomColorItem);
    EXPECT_EQ(custom.ItemColor(false, kCustomColorItem), 0xABCDEFu);
    EXPECT_EQ(custom.ItemColor(true, kCustomColorItem), kNoColor) << "a transparent custom colour";
    custom.Apply(page.graph(), false, page.messages);
    EXPECT_EQ(page.plot(0).m_pointColor, 0xABCDEFu);
    EXPECT_EQ(page.plot(0).m_pointColorNone, 0);
    EXPECT_EQ(page.plot(0).m_lineColor, kNoColor);
}

TEST(PlotStyleEdit, AnimationModeAndTheIndexReset)
{
    struct Row {
        const char* name;
        int sets;
        bool animation;
        int indexBefore;
        bool redraw;
        int indexAfter;
    };
    const Row rows[] = {
        {"switching on shows set 0", 2, true, -1, true, 0},
        {"a shown set stays", 3, true, 2, true, 2},
        {"no sets, no index", 0, true, -1, true, -1},
        {"switching off keeps the index", 2, false, -1, false, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StylePage page(row.sets);
        page.graph().m_singlePlotIndex = row.indexBefore;
        PlotStyleEdit edit;
        const std::vector<int> none;
        edit.Load(page.graph(), page.Choose(&none));
        const PlotStyleApplied applied = edit.Apply(page.graph(), row.animation, page.messages);
        EXPECT_EQ(applied.changedSets, 0);
        EXPECT_EQ(applied.Redraw(), row.redraw) << "a switched mode changes what the graph shows";
        EXPECT_EQ(page.graph().m_singlePlotOnly, row.animation ? 1 : 0);
        ResetSinglePlotIndex(page.graph());
        EXPECT_EQ(page.graph().m_singlePlotIndex, row.indexAfter);
    }
}

TEST(ErrorBarEdit, OpeningShowsTheRememberedSetOrBothBars)
{
    StylePage empty(0, 1);
    ErrorBarEdit edit;
    edit.Load(empty.graph(), empty.Choose());
    EXPECT_EQ(edit.m_items, (ErrorBarItems{0, 0, 0, kErrorBarBoth, kErrorBarBoth}));

    StylePage page(2);
    Plot& plot = page.plot(1);
    plot.m_errorBarHatSize = 10;
    plot.m_errorBarLineStyle = kDashDotDot;
    plot.m_errorBarLineSize = 7;
    plot.m_xErrorBarDisplay = kErrorBarFirst;
    plot.m_yErrorBarDisplay = kErrorBarNone;
    const std::vector<int> second{1};
    edit.Load(page.graph(), page.Choose(&second));
    EXPECT_EQ(edit.m_items, (ErrorBarItems{9, kDashDotDot, 6, kErrorBarFirst, kErrorBarNone}));
}

TEST(ErrorBarEdit, OkRestylesActiveSelectedSetsOrRefuses)
{
    struct Row {
        const char* name;
        int active, inactive;
        std::vector<int> chosenRows;
        bool selectInactive;
        bool accepted;
        std::vector<int> changed;
    };
    const Row rows[] = {
        {"the chosen active sets", 3, 0, {0, 2}, false, true, {0, 2}},
        {"an inactive selected set is left alone", 1, 1, {0}, true, true, {0}},
        {"only inactive sets selected", 0, 2, {}, true, false, {}},
        {"nothing chosen", 2, 0, {}, false, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StylePage page(row.active, row.inactive);
        page.Choose(&row.chosenRows);
        for (int i = row.active; i < row.active + row.inactive; ++i)
            page.plot(i).m_selected = row.selectInactive ? 1 : 0;
        ErrorBarEdit edit;
        edit.m_items = {4, kDashed, 2, kErrorBarSecond, kErrorBarFirst};
        EXPECT_EQ(edit.Apply(page.doc, page.messages), row.accepted);
        EXPECT_EQ(page.doc.IsModified(), row.accepted);
        EXPECT_EQ(page.messages.shown,
                  row.accepted ? std::vector<std::string>{} : std::vector<std::string>{"No Plots have been selected!"});
        for (int i = 0; i < row.active + row.inactive; ++i) {
            const bool changed = std::find(row.changed.begin(), row.changed.end(), i) != row.changed.end();
            EXPECT_EQ(page.plot(i).m_errorBarHatSize, changed ? 5 : Plot().m_errorBarHatSize) << i;
            EXPECT_EQ(page.plot(i).m_xErrorBarDisplay, changed ? kErrorBarSecond : Plot().m_xErrorBarDisplay) << i;
            EXPECT_EQ(page.plot(i).m_yErrorBarDisplay, changed ? kErrorBarFirst : Plot().m_yErrorBarDisplay) << i;
            EXPECT_EQ(page.plot(i).m_errorBarLineSize, changed ? 3 : Plot().m_errorBarLineSize) << i;
        }
    }
}

TEST(GraphTypeEdit, ItemsAndFlagsAgreeBothWays)
{
    for (int item = 0; item < 4; ++item) {
        SCOPED_TRACE(kGraphTypeNames[item]);
        StylePage page(1);
        RecordingMessages messages;
        EXPECT_TRUE(ApplyGraphType(page.doc, item, messages));
        EXPECT_TRUE(page.doc.IsModified());
        EXPECT_EQ(GraphTypeItem(page.graph()), item) << "opening again shows the chosen item";
        EXPECT_TRUE(messages.shown.empty());
    }
    EXPECT_STREQ(kGraphTypeNames[2], "Log X, Linear Y");
}

TEST(GraphTypeEdit, RefusalsLeaveTheDocumentAlone)
{
    struct Row {
        const char* name;
        int xLogBefore;
        int item;
        bool result;
        int xLogAfter, yLogAfter;
        std::vector<std::string> shown;
    };
    const Row rows[] = {
        {"log y refused, x already log", 1, 3, false, 1, 0, {"Warning! Can't use log scale, y data <= 0.0"}},
        {"log y refused, x switched: the change is kept", 0, 3, true, 1, 0,
         {"Warning! Can't use log scale, y data <= 0.0"}},
        {"linear axes need no check", 1, 0, true, 0, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StylePage page(1);
        page.plot(0).AddPoint(3.0f, 0.0f);
        page.plot(0).m_yPositive = 0;
        page.graph().m_xLog = row.xLogBefore;
        EXPECT_EQ(GraphTypeItem(page.graph()), row.xLogBefore ? 2 : 0);
        EXPECT_EQ(ApplyGraphType(page.doc, row.item, page.messages), row.result);
        EXPECT_EQ(page.doc.IsModified(), row.result);
        EXPECT_EQ(page.graph().m_xLog, row.xLogAfter);
        EXPECT_EQ(page.graph().m_yLog, row.yLogAfter);
        EXPECT_EQ(page.messages.shown, row.shown);
    }
}
