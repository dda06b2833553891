#include "io/ascii_import.h"
#include "io/import_option.h"
#include "io/import_option_list.h"
#include "tests/io/import_fixture.h"

TEST(ImportOption, ParseResults)
{
    struct Row {
        const char* text;
        int result;
    };
    const Row rows[] = {
        {"# just a comment", 0},
        {"#@set[0].point.style triangle", 1},
        {"#@SET[0].Point.Style Triangle", 1},
        {"#@set[0.point.style circle", -2},
        {"#@set[].point.style circle", -3},
        {"#@set[-1].point.style circle", -3},
        {"#@set[0].colour red", -2},
        {"#@set[0].point.style", -4},
        {"#@set[0].point.style hexagon", -4},
        {"#@set[0].point.size 0", -7},
        {"#@set[0].point.size 11", -7},
        {"#@set[0].line.size 10", 1},
        {"#@set[0].line.size", -6},
        {"#@set[0].line.style ", -5},
        {"#@set[0].line.style wavy", 1},
        {"#@set[0].point.color mauve", -8},
        {"#@set[0].line.color", -9},
        {"#@set[0].line.color custom 256 0 0", -11},
        {"#@set[0].line.color custom 1 2", -11},
        {"#@set[0].errorbar.display sideways", -10},
        {"#@set[0].info", 1},
        {"#@graph.", -2},
        {"#@graph.subtitle x", -12},
        {"#@graph.xaxis.name x", -13},
        {"#@graph.yaxis.label", -14},
        {"#@something", -2},
        {"#@set[0].point.styles circle", -4},
        {"#@graph.TITLE Run", 1},
        {"#@set[1]point.style dot", -2},
        {"#@set[0].line.sizeable 3", -6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ImportOption option;
        EXPECT_EQ(ParseImportOption(row.text, option), row.result);
    }
}

TEST(ImportOption, ValuesStored)
{
    struct Row {
        const char* text;
        int ImportOption::*field;
        int value;
    };
    const Row rows[] = {
        {"#@set[2].point.style HISTOGRAMY", &ImportOption::m_pointStyle, 5},
        {"#@set[2].line.style dashdotdot", &ImportOption::m_lineStyle, 4},
        {"#@set[2].line.style dashdot", &ImportOption::m_lineStyle, 3},
        {"#@set[2].line.style wavy", &ImportOption::m_lineStyle, -1},
        {"#@set[2].line.color custom 255 0 0", &ImportOption::m_lineColor, -255},
        {"#@set[2].point.color custom 0 0 255", &ImportOption::m_pointColor, -0xFF0000},
        {"#@set[2].point.color none", &ImportOption::m_pointColor, 7},
        {"#@set[2].errorbar.display left", &ImportOption::m_errorBarDisplay, 0},
        {"#@set[2].errorbar.display right", &ImportOption::m_errorBarDisplay, 1},
        {"#@set[2].errorbar.display none", &ImportOption::m_errorBarDisplay, 3},
        {"#@set[2].point.size\t 4", &ImportOption::m_pointSize, 4},
        {"#@set[2].point.style circle", &ImportOption::m_setIndex, 2},
        {"#@set[2].point.style trianglestuff", &ImportOption::m_pointStyle, 2},
        {"#@set[2].line.style DashDotDotted", &ImportOption::m_lineStyle, 4},
        {"# text before #@set[ 7 ].point.size 9", &ImportOption::m_setIndex, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ImportOption option;
        ParseImportOption(row.text, option);
        EXPECT_EQ(option.*row.field, row.value);
    }
    ImportOption graph;
    EXPECT_EQ(ParseImportOption("#@graph.xaxis.title \t Time (s)  ", graph), 1);
    EXPECT_EQ(graph.m_xAxisTitle, "Time (s)  ");
    EXPECT_EQ(graph.m_setIndex, -1);
    EXPECT_STREQ(OptionMessage(-11), "Bad custom color in import file!");
    EXPECT_STREQ(OptionMessage(-14), "Bad yaxis title in import file!");
}

TEST(ImportOption, SetRecordsMergeFirstValueWins)
{
    ImportOptionList options;
    for (const char* text : {"#@set[1].line.size 2", "#@set[1].line.size 5", "#@set[1].info B",
                             "#@set[0].info A", "#@graph.xaxis.title X", "#@graph.title T",
                             "#@graph.title U", "#@set[0].info A2"}) {
        ImportOption option;
        ASSERT_EQ(ParseImportOption(text, option), 1);
        options.Merge(option);
    }
    ASSERT_EQ(options.Count(), 5);
    EXPECT_EQ(options.Get(0).m_lineSize, 2);
    EXPECT_EQ(options.Get(0).m_infoText, "B");
    EXPECT_EQ(options.Get(1).m_infoText, "A");
    EXPECT_EQ(options.Get(3).m_graphTitle, "T");
    EXPECT_EQ(options.ForSet(1), &options.Get(0));
    EXPECT_EQ(options.ForSet(0)->m_infoText, "A") << "the first value given wins";
    EXPECT_EQ(options.ForSet(2), nullptr);
    EXPECT_EQ(*options.FirstTitle(&ImportOption::m_graphTitle), "T");
    EXPECT_EQ(*options.FirstTitle(&ImportOption::m_xAxisTitle), "X");
    EXPECT_EQ(options.FirstTitle(&ImportOption::m_yAxisTitle), nullptr);
}

TEST_F(ImportTest, OptionsStyleSetsAcrossBlocksAndTitleTheGraph)
{
    Graph& graph = CurrentGraph();
    const std::string path = WriteFile("styled.txt",
                                       "#@graph.title Run 4\n"
                                       "#@set[1].line.color blue\n"
                                       "#@set[0].point.style square\n"
                                       "#@set[0].point.color none\n"
                                       "#@set[0].point.size 0\n"
                                       "#@set[1].info second\n"
                                       "1 2\n"
                                       " \n"
                                       "3 4\n");
    EXPECT_EQ(ReadFile(graph, path, kImportXY, m_messages), -1);
    EXPECT_EQ(TakeMessages(), "message: Bad point size in import file!\n");
    ASSERT_EQ(graph.m_plots.Count(), 2);
    const Plot& first = graph.m_plots.Get(0);
    const Plot& second = graph.m_plots.Get(1);
    EXPECT_EQ(first.m_pointStyle, kSquare);
    EXPECT_EQ(first.m_pointColor, kNoColor);
    EXPECT_EQ(first.m_pointColorNone, 1);
    EXPECT_EQ(second.m_lineColor, 0xFF0000u);
    EXPECT_EQ(second.m_info, "second");
    EXPECT_EQ(first.m_info, path);
    EXPECT_EQ(graph.m_title.m_text, "Run 4");
    EXPECT_EQ(graph.m_xLabel.m_text, "") << "a default title without an option becomes empty";

    // A title that is no longer the default stays.
    ReadFile(graph, WriteFile("again.txt", "#@graph.title Other\n1 1\n"), kImportXY, m_messages);
    EXPECT_EQ(graph.m_title.m_text, "Run 4");
}

TEST_F(ImportTest, CustomColourOptionGivesRedInTheLowByte)
{
    Graph& graph = CurrentGraph();
    ReadFile(graph, WriteFile("c.txt", "#@set[0].line.color custom 255 0 0\n1 2\n"), kImportXY,
             m_messages);
    EXPECT_EQ(graph.m_plots.Get(0).m_lineColor, 0x0000FFu);
    ReadFile(graph, WriteFile("d.txt", "#@set[0].line.color custom 256 0 0\n1 2\n"), kImportXY,
             m_messages);
    EXPECT_EQ(TakeMessages(), "message: Bad custom color in import file!\n");
}
