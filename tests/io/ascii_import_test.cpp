#include "document/page_json.h"
#include "io/ascii_import.h"
#include "io/document_import.h"
#include "io/startup_actions.h"
#include "tests/io/import_fixture.h"
#include "tests/support/memory_limit.h"

#include <functional>

using PointList = std::vector<PlotPoint>;

TEST_F(ImportTest, FormatsMakeTheirSetsAndPoints)
{
    struct Row {
        const char* name;
        const char* text;
        int format;
        std::vector<PointList> sets; // each set in traversal order (newest first)
    };
    const Row rows[] = {
        {"x y, newest first", "1 2\n2 4\n3 9\n", kImportXY, {{{3, 9}, {2, 4}, {1, 2}}}},
        {"single values count lines", "5\n6\n7\n", kImportXY, {{{3, 7}, {2, 6}, {1, 5}}}},
        {"extra columns ignored", "1 2 3\n4 5 6\n", kImportXY, {{{4, 5}, {1, 2}}}},
        {"nxy four columns", "1 2 3 4\n5 6 7 8\n", kImportNXY,
         {{{5, 6}, {1, 2}}, {{5, 7}, {1, 3}}, {{5, 8}, {1, 4}}}},
        {"nxy two columns", "1 2\n3 4\n", kImportNXY, {{{3, 4}, {1, 2}}}},
        {"nxy one column", "7\n8\n", kImportNXY, {{{2, 8}, {1, 7}}}},
        {"blank-line blocks", "1 2\n \n3 4\n", kImportXY, {{{1, 2}}, {{3, 4}}}},
        {"tab line ends a block", "1 2\n\t\t\n3 4\n", kImportXY, {{{1, 2}}, {{3, 4}}}},
        {"empty lines do not", "1 2\n\n3 4\n", kImportXY, {{{3, 4}, {1, 2}}}},
        {"CR LF lines", "1 2\r\n3 4\r\n\r\n5 6\r\n", kImportXY, {{{5, 6}, {3, 4}, {1, 2}}}},
        {"CR-only lines", "1 2\r3 4\r \r5 6", kImportXY, {{{3, 4}, {1, 2}}, {{5, 6}}}},
        {"comment drops the line", "1 2 # comment\n3 4\n", kImportXY, {{{3, 4}}}},
        {"header of words", "time value\n1 2\n", kImportXY, {{{1, 2}, {0, 0}}}},
        {"commas are not separators", "1,5 2\n", kImportXY, {{{1, 2}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc doc;
        Graph& graph = doc.CurrentGraph();
        EXPECT_EQ(ReadFile(graph, WriteFile("data.txt", row.text), row.format, m_messages), -1);
        ASSERT_EQ(graph.m_plots.Count(), int(row.sets.size()));
        for (int i = 0; i < graph.m_plots.Count(); ++i)
            EXPECT_EQ(Points(graph.m_plots.Get(i)), row.sets[i]) << "set " << i;
        EXPECT_EQ(TakeMessages(), "");
    }
}

TEST_F(ImportTest, ErrorValuesAndPositivity)
{
    Graph& graph = CurrentGraph();
    const std::string path = WriteFile("err.txt", "1 2 -0.5 0.25\n3 4 3 5\n");
    EXPECT_EQ(ReadFile(graph, path, kImportXYDXDY, m_messages), -1);
    const Plot& plot = graph.m_plots.Get(0);
    EXPECT_EQ((std::vector<float>(plot.m_dx.begin(), plot.m_dx.end())), (std::vector<float>{3, 0.5}));
    EXPECT_EQ((std::vector<float>(plot.m_dy.begin(), plot.m_dy.end())), (std::vector<float>{5, 0.25}));
    EXPECT_EQ(plot.m_xPositive, 0) << "3 - 3 is not above 0";
    EXPECT_EQ(plot.m_yPositive, 0) << "4 - 5 is not above 0";
    EXPECT_EQ(plot.m_xErrorBarDisplay, 2);
    EXPECT_EQ(plot.m_yErrorBarDisplay, 2);
    EXPECT_EQ(plot.m_info, path);

    CTarnDoc doc;
    ReadFile(doc.CurrentGraph(), WriteFile("dy.txt", "1 2 0.5\n"), kImportXYDY, m_messages);
    const Plot& dy = doc.CurrentGraph().m_plots.Get(0);
    EXPECT_EQ(dy.m_xErrorBarDisplay, 3);
    EXPECT_EQ(dy.m_yErrorBarDisplay, 2);
    EXPECT_EQ(dy.m_xPositive + dy.m_yPositive, 2);
    EXPECT_FALSE(dy.HasDx());
}

TEST_F(ImportTest, FailuresReportTheirCodeAndKeepWhatTheySay)
{
    struct Row {
        const char* name;
        std::string text;
        int format;
        int status;
        int setsLeft;
        int pointsInFirst;
    };
    const Row rows[] = {
        {"one column fewer", "1 2 3\n4 5\n", kImportNXY, kMissingColumns, 0, 0},
        {"one column more", "1 2\n4 5 6\n", kImportXY, kMissingColumns, 0, 0},
        {"xydx needs three", "1 2\n", kImportXYDX, kMissingColumns, 1, 0},
        {"xydxdy needs four", "1 2 3\n", kImportXYDXDY, kMissingColumns, 1, 0},
        {"beyond float", "1 2\n3 1e39\n", kImportXY, kNotFloat, 1, 1},
        {"negative beyond float", "-3.5e38 1\n", kImportXY, kNotFloat, 0, 0},
        {"infinity text", "1 inf\n", kImportXY, kNotFloat, 0, 0},
        {"only comments", "# nothing here\n#@graph.title T\n", kImportXY, kNoData, 0, 0},
        {"empty file", "", kImportXY, kNoData, 0, 0},
        {"only blank lines", " \n\t\n", kImportXY, kNoData, 0, 0},
        {"long line", "1 2\n" + std::string(524288, '1') + "\n", kImportXY, kLineTooLong, 1, 1},
        {"binary garbage, NUL ends a line", std::string("\x01\x02\xff\xfe 3\n\0\0 4\n", 13), kImportXY, -1, 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc doc;
        Graph& graph = doc.CurrentGraph();
        EXPECT_EQ(ReadFile(graph, WriteFile("bad.txt", row.text), row.format, m_messages),
                  row.status);
        EXPECT_EQ(graph.m_plots.Count(), row.setsLeft);
        if (row.setsLeft > 0) {
            EXPECT_EQ(graph.m_plots.Get(0).PointCount(), row.pointsInFirst);
        }
    }
    // A line one shorter than the limit is fine.
    CTarnDoc doc;
    std::string almost(524287, ' ');
    almost[0] = '7';
    EXPECT_EQ(ReadFile(doc.CurrentGraph(), WriteFile("long.txt", almost), kImportXY, m_messages), -1);
    EXPECT_EQ(doc.CurrentGraph().m_plots.Get(0).PointCount(), 1);
    EXPECT_EQ(ReadFile(doc.CurrentGraph(), (m_directory / "absent").string(), kImportXY, m_messages),
              kCannotOpen);
}

TEST_F(ImportTest, TheLongestLineIsReadWhateverItsLineEnd)
{
    // A line of 524,287 characters is the longest accepted, with any line end;
    // one more character refuses it.
    std::string longest(524287, ' ');
    longest[0] = '7';
    longest[2] = '1';
    const std::string tooLong = longest + " ";
    struct Row {
        const char* name;
        std::string text;
        int status;
        int points;
    };
    const Row rows[] = {
        {"CR LF", longest + "\r\n3 4\r\n", -1, 2},
        {"LF", longest + "\n3 4\n", -1, 2},
        {"lone CR", longest + "\r3 4\r", -1, 2},
        {"at the end", "3 4\n" + longest, -1, 2},
        {"one more, CR LF", tooLong + "\r\n3 4\r\n", kLineTooLong, 0},
        {"one more, at the end", tooLong, kLineTooLong, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc file;
        EXPECT_EQ(ReadFile(file.CurrentGraph(), WriteFile("longest.txt", row.text), kImportXY, m_messages),
                  row.status);
        CTarnDoc clipboard;
        EXPECT_EQ(ReadText(clipboard.CurrentGraph(), row.text.c_str(), kImportXY, m_messages), row.status);
        for (CTarnDoc* doc : {&file, &clipboard}) {
            const auto& plots = doc->CurrentGraph().m_plots;
            EXPECT_EQ(plots.Count() ? plots.Get(0).PointCount() : 0, row.points);
        }
    }
}

TEST_F(ImportTest, ImportFileShowsTheFileWording)
{
    struct Row {
        std::string text;
        int format;
        std::string message;
    };
    const std::string name = (m_directory / "m.txt").string();
    const Row rows[] = {
        {"1 2\n3\n", kImportXY, "Missing columns in file " + name},
        {"1e39\n", kImportXY, "Can not convert numbers in " + name + " to float (4 bytes per value)"},
        {"", kImportXY, "No data found in the file " + name},
        {std::string(600000, '2'), kImportXY,
         "Buffer overflow (line too long) reading from file " + name},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        WriteFile("m.txt", row.text);
        EXPECT_FALSE(ImportFile(m_doc, name, row.format, m_messages));
        EXPECT_EQ(TakeMessages(), "message: " + row.message + "\n");
    }
    EXPECT_FALSE(m_doc.IsModified()) << "failed imports do not mark the document";
    EXPECT_FALSE(ImportFile(m_doc, name + ".absent", kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(), "message: Unable to open the file " + name + ".absent\n");
    EXPECT_EQ(ImportMessage(kMissingColumns, "", true), "Missing columns in the clipboard data");
    EXPECT_EQ(ImportMessage(kNoMemory, "f", false),
              "Can't allocate memory to store data while reading from file f");
}

TEST_F(ImportTest, SuccessiveSetsGetTheDefaultColours)
{
    Graph& graph = CurrentGraph();
    ReadFile(graph, WriteFile("three.txt", "1 2 3 4\n"), kImportNXY, m_messages);
    ASSERT_EQ(graph.m_plots.Count(), 3);
    EXPECT_EQ(graph.m_plots.Get(0).m_lineColor, 0x000000u);
    EXPECT_EQ(graph.m_plots.Get(1).m_lineColor, 0x0000FFu);
    EXPECT_EQ(graph.m_plots.Get(2).m_lineColor, 0x00FF00u);
    ReadFile(graph, WriteFile("fourth.txt", "1 2\n"), kImportXY, m_messages);
    EXPECT_EQ(graph.m_plots.Get(3).m_lineColor, 0xFF0000u);
    EXPECT_EQ(graph.m_plots.Get(3).m_left, graph.m_left) << "sets carry the plot area";
}

TEST_F(ImportTest, LogAxesFallBackToLinearForNonPositiveData)
{
    Graph& graph = CurrentGraph();
    ASSERT_TRUE(graph.SetLogScale(0, 1, m_messages));
    const std::string path = WriteFile("zero.txt", "1 0\n2 5\n");
    EXPECT_TRUE(ImportFile(m_doc, path, kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(),
              "message: Can't compute log(n<=0) in " + path + "; Switching to a linear scale.\n");
    EXPECT_EQ(graph.m_yLog, 0);
    EXPECT_TRUE(m_doc.IsModified());

    CTarnDoc positive;
    ASSERT_TRUE(positive.CurrentGraph().SetLogScale(1, 1, m_messages));
    EXPECT_TRUE(ImportFile(positive, WriteFile("pos.txt", "1 10\n100 1000\n"), kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(), "");
    EXPECT_EQ(positive.CurrentGraph().m_xLog, 1);
    EXPECT_EQ(positive.CurrentGraph().m_yLog, 1);
}

TEST_F(ImportTest, TextInMemoryReadsLikeAFile)
{
    Graph& graph = CurrentGraph();
    EXPECT_EQ(ReadText(graph, "1 2\r\n3 4\r\n \r\n5 6", kImportXY, m_messages), -1);
    ASSERT_EQ(graph.m_plots.Count(), 2);
    EXPECT_EQ(Points(graph.m_plots.Get(0)), (PointList{{3, 4}, {1, 2}}));
    EXPECT_EQ(graph.m_plots.Get(0).m_info, "");
    // Mixed line ends: each of LF, CR LF and CR ends a line, and nothing is eaten.
    CTarnDoc doc;
    EXPECT_EQ(ReadText(doc.CurrentGraph(), "1 2\n3 4\r5 6\r\n7 8", kImportXY, m_messages), -1);
    EXPECT_EQ(Points(doc.CurrentGraph().m_plots.Get(0)), (PointList{{7, 8}, {5, 6}, {3, 4}, {1, 2}}));
    CTarnDoc empty;
    EXPECT_EQ(ReadText(empty.CurrentGraph(), "", kImportXY, m_messages), kNoData);
}

TEST_F(ImportTest, LineEndSplitAcrossReadBlocks)
{
    // The reader fills 2.5 MiB at a time; put a CR LF across that boundary.
    const std::size_t boundary = 524288 + 2 * (1 << 20);
    std::string text;
    int lines = 0;
    while (text.size() + 40 < boundary)
        text += std::to_string(lines++) + " 1\r\n";
    std::string padded = std::to_string(lines++) + " 1";
    padded.append(boundary - 1 - text.size() - padded.size(), ' ');
    text += padded + "\r\n";
    for (int i = 0; i < 10; ++i)
        text += std::to_string(lines++) + " 1\r\n";
    ASSERT_EQ(text[boundary - 1], '\r');
    Graph& graph = CurrentGraph();
    EXPECT_EQ(ReadFile(graph, WriteFile("big.txt", text), kImportXY, m_messages), -1);
    ASSERT_EQ(graph.m_plots.Count(), 1);
    EXPECT_EQ(graph.m_plots.Get(0).PointCount(), lines);
}

TEST_F(ImportTest, ManyFilesAtOnceEndAsOneFileAfterAnother)
{
    // The files of one import: positive data, a failure that leaves a set, a
    // file with y <= 0 (the log y axis falls back), a file that cannot be opened.
    const std::vector<std::string> files = {
        WriteFile("a.dat", "1 5\n2 7\n"),
        WriteFile("b.dat", "3 4\n4 1e39\n"),
        WriteFile("c.dat", "10 -2\n20 30\n"),
        (m_directory / "absent.dat").string(),
        WriteFile("d.dat", "0.5 2\n \n40 8\n"),
    };
    struct Row {
        const char* name;
        std::function<void(CTarnDoc&)> prepare;
    };
    const Row rows[] = {
        {"fresh page", [](CTarnDoc&) {}},
        {"log axes",
         [](CTarnDoc& doc) {
             doc.CurrentGraph().m_xLog = 1;
             doc.CurrentGraph().m_yLog = 1;
         }},
        {"an inactive set and a fixed x range",
         [](CTarnDoc& doc) {
             Plot old;
             old.AddPoint(-100, 100);
             old.m_visible = 0;
             old.m_xMin = 123;
             doc.CurrentGraph().m_plots.Append(old);
             doc.CurrentGraph().SetFixedXRange(-5, 5);
         }},
        {"a user spacing",
         [](CTarnDoc& doc) {
             doc.CurrentGraph().m_leftAxis.m_userSpacing = 1;
             doc.CurrentGraph().m_leftAxis.m_majorSpacing = 0.5f;
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc oneByOne;
        row.prepare(oneByOne);
        for (const std::string& file : files)
            ImportFile(oneByOne, file, kImportXY, m_messages);
        const std::string separateMessages = TakeMessages();

        CTarnDoc together;
        row.prepare(together);
        EXPECT_FALSE(ImportFiles(together, files, kImportXY, m_messages));
        EXPECT_EQ(TakeMessages(), separateMessages);
        EXPECT_EQ(PageToJson(together, true), PageToJson(oneByOne, true));
    }
}

TEST_F(ImportTest, RunningOutOfMemoryIsAnImportFailure)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit cannot hold the sanitizer's shadow memory";
    // One line of 260,000 columns asks for as many sets, far beyond the limit.
    std::string wide = "1";
    while (wide.size() < 520000)
        wide += " 2";
    const std::string path = WriteFile("wide.dat", wide + "\n");
    const std::string earlier = WriteFile("earlier.dat", "1 2\n3 4\n \n5 6\n");
    std::string output;
    const int status = RunWithMemoryLimit(48u << 20, [&](std::FILE* channel) {
        StreamMessages messages(channel, channel);
        CTarnDoc doc;
        if (!ImportFile(doc, earlier, kImportXY, messages))
            return 2;
        const bool failed = !ImportFile(doc, path, kImportNXY, messages);
        const Graph& graph = doc.CurrentGraph();
        const bool kept = graph.m_plots.Count() >= 2 && graph.m_plots.Get(0).PointCount() == 2 &&
                          graph.m_plots.Get(1).PointCount() == 1;
        return failed && kept ? 0 : 1; // and the process lives on to say so
    }, &output);
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output.substr(0, output.find('\n') + 1),
              "message: Can't allocate memory to store data while reading from file " + path + "\n");
}

namespace {

// `text` (ASCII and UTF-8) as UTF-16 with a byte-order mark.
std::string Utf16(const std::u16string& text, bool little)
{
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (char16_t unit : text) {
        const char low = char(unit & 0xFF), high = char(unit >> 8);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

} // namespace

TEST_F(ImportTest, ByteOrderMarksAndUtf16Files)
{
    const std::u16string text = u"#@set[0].info Temp\u00e9rature \U0001F321\r\n1 2\r\n3 4\r\n";
    const std::string utf8Name = "Temp\xC3\xA9rature \xF0\x9F\x8C\xA1";
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"UTF-8 with a mark", "\xEF\xBB\xBF#@set[0].info " + utf8Name + "\r\n1 2\r\n3 4\r\n"},
        {"UTF-16 little endian", Utf16(text, true)},
        {"UTF-16 big endian", Utf16(text, false)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc doc;
        EXPECT_EQ(ReadFile(doc.CurrentGraph(), WriteFile("marked.txt", row.bytes), kImportXY, m_messages), -1);
        ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), 1);
        EXPECT_EQ(Points(doc.CurrentGraph().m_plots.Get(0)), (PointList{{3, 4}, {1, 2}}));
        EXPECT_EQ(doc.CurrentGraph().m_plots.Get(0).m_info, utf8Name);
    }
    CTarnDoc pasted;
    EXPECT_EQ(ReadText(pasted.CurrentGraph(), "\xEF\xBB\xBF" "5 6\n", kImportXY, m_messages), -1);
    EXPECT_EQ(Points(pasted.CurrentGraph().m_plots.Get(0)), (PointList{{5, 6}}));

    // A UTF-16 file larger than the read window, with lone surrogates in a comment.
    std::u16string big = u"# \xD800 lone \xDC00 halves\n";
    for (int i = 0; i < 300000; ++i)
        big += u"7 8\r\n";
    CTarnDoc large;
    EXPECT_EQ(ReadFile(large.CurrentGraph(), WriteFile("big16.txt", Utf16(big, true) + "x"), kImportXY, m_messages), -1)
        << "an odd byte at the end is no character";
    EXPECT_EQ(large.CurrentGraph().m_plots.Get(0).PointCount(), 300000);
    EXPECT_EQ(TakeMessages(), "");
}
