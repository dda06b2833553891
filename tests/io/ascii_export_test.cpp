#include "document/page_json.h"
#include "io/document_import.h"
#include "io/ascii_export.h"
#include "io/ascii_import.h"
#include "tests/io/import_fixture.h"
#include "tests/support/comma_locale.h"
#include "tests/support/memory_limit.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

namespace {

Plot MakeSet(const std::string& name, std::initializer_list<PlotPoint> points,
             std::initializer_list<float> dx = {}, std::initializer_list<float> dy = {})
{
    Plot plot;
    plot.m_info = name;
    for (const PlotPoint& point : points)
        plot.AddPoint(point.x, point.y);
    for (float value : dx)
        plot.AddDx(value);
    for (float value : dy)
        plot.AddDy(value);
    // The list stores a copy, which reverses; hand the chains over to keep them.
    plot.m_handOver = 1;
    return plot;
}

// The bit patterns of a set's x and y values, in traversal order.
std::vector<std::uint32_t> Bits(const Plot& plot)
{
    std::vector<std::uint32_t> bits;
    for (const PlotPoint& point : plot.m_points) {
        bits.push_back(std::bit_cast<std::uint32_t>(point.x));
        bits.push_back(std::bit_cast<std::uint32_t>(point.y));
    }
    return bits;
}

} // namespace

TEST_F(ImportTest, ExportTextByteForByte)
{
    Graph& graph = CurrentGraph();
    graph.m_plots.Append(MakeSet("run.dat", {{1, 2}, {3, 4}}));
    graph.m_plots.Append(MakeSet("dy", {{1, 2}, {3, 4}}, {}, {0.5f, 0.25f}));
    graph.m_plots.Append(MakeSet("dx", {{1, 2}}, {0.125f}));
    graph.m_plots.Append(MakeSet("both", {{1.5f, -2e-7f}, {3, 4}}, {1, 2}, {3}));
    EXPECT_EQ(ExportText(graph, {0}), "# run.dat (set 0)\n3\t4\n1\t2\n\t\n");
    EXPECT_EQ(ExportText(graph, {2, 1}),
              "# dx (set 2)\n1\t2\t0.125\n\t\n# dy (set 1)\n3\t4\t0.25\n1\t2\t0.5\n\t\n");
    EXPECT_EQ(ExportText(graph, {3}), "# both (set 3)\n3\t4\t2\t3\n\t\n")
        << "rows stop at the end of the shortest chain";

    EXPECT_EQ(CopyDataText(graph, {0}), "3\t4\r\n1\t2\r\n\t\r\n");
    EXPECT_EQ(CopyDataText(graph, {1}), "3\t4\t0.25\r\n1\t2\t0.5\r\n\t\r\n");
    EXPECT_EQ(CopyDataText(graph, {3}), "3\t4\t2\t3\r\n\t\r\n");
}

TEST_F(ImportTest, CopyEstimateAndLongNumbers)
{
    Graph& graph = CurrentGraph();
    Plot ten;
    for (int i = 0; i < 10; ++i)
        ten.AddPoint(float(i), float(i));
    graph.m_plots.Append(ten);
    EXPECT_EQ(CopyDataEstimate(graph, {0}), 286u);
    graph.m_plots.Append(MakeSet("e", {{1, 2}}, {1}, {1}));
    EXPECT_EQ(CopyDataEstimate(graph, {0, 1}), 286u + 6 + 28 + 30);

    // Rows of long numbers need more than the estimate; the copy still succeeds.
    Plot longNumbers;
    for (int i = 0; i < 100; ++i)
        longNumbers.AddPoint(-1.2345671e-37f, -7.6543211e-33f);
    graph.m_plots.Append(longNumbers);
    const std::string text = CopyDataText(graph, {2});
    EXPECT_GT(text.size(), CopyDataEstimate(graph, {2}));
    EXPECT_EQ(text.substr(0, 30), "-1.2345672e-37\t-7.654321e-33\r\n") << "each with the digits it needs";
}

TEST_F(ImportTest, ExportedTextImportsToTheSameSets)
{
    Graph& graph = CurrentGraph();
    graph.m_plots.Append(MakeSet("a", {{1, 2}, {3, 4}, {5.5f, -6.25f}}));
    graph.m_plots.Append(MakeSet("b", {{0.1f, 1e-5f}, {2e6f, 3}}));
    const std::string path = (m_directory / "out.txt").string();
    ASSERT_TRUE(ExportData(graph, {0, 1}, path, m_messages));

    CTarnDoc again;
    EXPECT_EQ(ReadFile(again.CurrentGraph(), path, kImportXY, m_messages), -1);
    List<Plot>& read = again.CurrentGraph().m_plots;
    ASSERT_EQ(read.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        // Import reads the exported (traversal) order as file order, so the
        // re-imported set traverses in reverse; its copy restores the order.
        Plot copy(read.Get(i));
        EXPECT_EQ(Points(copy), Points(graph.m_plots.Get(i))) << "set " << i;
    }

    // The clipboard text pastes back to the same points.
    CTarnDoc pasted;
    ASSERT_TRUE(PasteText(pasted, CopyDataText(graph, {0, 1}), kImportXY, m_messages));
    ASSERT_EQ(pasted.CurrentGraph().m_plots.Count(), 2);
    EXPECT_EQ(Points(Plot(pasted.CurrentGraph().m_plots.Get(1))), Points(graph.m_plots.Get(1)));
    EXPECT_EQ(pasted.CurrentGraph().m_plots.Get(1).m_info, "");
    EXPECT_TRUE(pasted.IsModified());
    EXPECT_EQ(TakeMessages(), "");
}

TEST_F(ImportTest, ExportedValuesReadBackBitForBit)
{
    // Each value is written with the fewest digits that read back to the same
    // float, in the layout of the file's "%g" and the clipboard's "%.7g": a
    // value those already write exactly keeps their text.
    struct Row {
        float value;
        const char* file;
        const char* clipboard;
    };
    const Row rows[] = {
        {1.0f, "1", "1"},
        {0.5f, "0.5", "0.5"},
        {0.1f, "0.1", "0.1"},
        {2.5e-5f, "2.5e-05", "2.5e-05"},
        {1e6f, "1e+06", "1000000"},
        {1234567.0f, "1234567", "1234567"},
        {16777216.0f, "16777216", "16777216"},
        {1700000123.5f, "1.7000001e+09", "1.7000001e+09"},
        {0.33333334f, "0.33333334", "0.33333334"},
        {-1.2345671e-37f, "-1.2345672e-37", "-1.2345672e-37"},
        {-0.0f, "-0", "-0"},
        {FLT_MIN, "1.1754944e-38", "1.1754944e-38"},
        {FLT_TRUE_MIN, "1.4013e-45", "1.401298e-45"},
        {-FLT_TRUE_MIN * 3, "-4.2039e-45", "-4.203895e-45"},
        // The shortest digits of the largest float, 3.4028235e+38, lie beyond
        // it, where import refuses the value; more digits stay inside.
        {FLT_MAX, "3.402823466e+38", "3.402823466e+38"},
        {-FLT_MAX, "-3.402823466e+38", "-3.402823466e+38"},
    };
    Graph values;
    Plot all;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        Graph graph;
        graph.m_plots.Append(MakeSet("v", {{row.value, row.value}}));
        EXPECT_EQ(ExportText(graph, {0}), "# v (set 0)\n" + std::string(row.file) + "\t" + row.file + "\n\t\n");
        EXPECT_EQ(CopyDataText(graph, {0}), std::string(row.clipboard) + "\t" + row.clipboard + "\r\n\t\r\n");
        all.AddPoint(row.value, -row.value);
    }
    // Random bit patterns reach every magnitude, subnormals included.
    std::mt19937 random(20240611);
    while (all.PointCount() < 20000) {
        const float x = std::bit_cast<float>(std::uint32_t(random()));
        const float y = std::bit_cast<float>(std::uint32_t(random()));
        if (std::isfinite(x) && std::isfinite(y))
            all.AddPoint(x, y);
    }
    values.m_plots.Append(all);
    const std::vector<std::uint32_t> expected = Bits(values.m_plots.Get(0));

    const std::string path = (m_directory / "values.txt").string();
    ASSERT_TRUE(ExportData(values, {0}, path, m_messages));
    CTarnDoc exported;
    EXPECT_EQ(ReadFile(exported.CurrentGraph(), path, kImportXY, m_messages), -1);
    CTarnDoc pasted;
    EXPECT_TRUE(PasteText(pasted, CopyDataText(values, {0}), kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(), "");
    for (CTarnDoc* doc : {&exported, &pasted}) {
        ASSERT_EQ(doc->CurrentGraph().m_plots.Count(), 1);
        // The read set traverses in file order reversed; its copy restores it.
        EXPECT_EQ(Bits(Plot(doc->CurrentGraph().m_plots.Get(0))), expected);
    }
}

TEST_F(ImportTest, ExportAndPasteFailures)
{
    Graph& graph = CurrentGraph();
    graph.m_plots.Append(MakeSet("a", {{1, 2}}));
    const std::string path = (m_directory / "missing-dir" / "out.txt").string();
    EXPECT_FALSE(ExportData(graph, {0}, path, m_messages));
    EXPECT_EQ(TakeMessages(), "message: Can't open " + path + "for writing\n");

    // In a folder the user may not write in, a writable file is written in place.
    const std::string existing = WriteFile("keep.txt", "old");
    std::filesystem::permissions(m_directory, std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
    EXPECT_TRUE(ExportData(graph, {0}, existing, m_messages));
    std::filesystem::permissions(m_directory, std::filesystem::perms::owner_all);
    EXPECT_EQ(TakeMessages(), "");
    std::ifstream in(existing);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "# a (set 0)");

    CTarnDoc doc;
    EXPECT_FALSE(PasteText(doc, "1 2\n3\n", kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(), "message: Missing columns in the clipboard data\n");
    EXPECT_FALSE(PasteText(doc, "", kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(), "message: No data found in the clipboard\n");
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(doc.CurrentGraph().SetLogScale(1, 0, m_messages));
    EXPECT_TRUE(PasteText(doc, "-1 2\n", kImportXY, m_messages));
    EXPECT_EQ(TakeMessages(),
              "message: Can't compute log(n<=0) in the clipboard data; Switching to a linear "
              "scale.\n");
    EXPECT_EQ(doc.CurrentGraph().m_xLog, 0);
}

TEST_F(ImportTest, DecimalCommaLocaleChangesNothing)
{
    ASSERT_TRUE(UseDecimalCommaLocale());
    Graph& graph = CurrentGraph();
    EXPECT_EQ(ReadFile(graph, WriteFile("c.txt", "1.5 2.25\n"), kImportXY, m_messages), -1);
    EXPECT_EQ(Points(graph.m_plots.Get(0)), (std::vector<PlotPoint>{{1.5f, 2.25f}}));
    EXPECT_EQ(ExportText(graph, {0}),
              "# " + graph.m_plots.Get(0).m_info + " (set 0)\n1.5\t2.25\n\t\n");
    EXPECT_EQ(CopyDataText(graph, {0}), "1.5\t2.25\r\n\t\r\n");
    EXPECT_NE(PageToJson(m_doc, true).find("\"graphWidth\":0.75,"), std::string::npos);
    std::setlocale(LC_NUMERIC, "C");
}

TEST(CopyData, MessagesWhenMemoryOrTheClipboardFail)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit cannot hold the sanitizer's shadow memory";
    // Rows of long numbers (29 bytes) outgrow the estimate of 28 bytes a point.
    auto makeGraph = [](int points, float value) {
        auto graph = std::make_unique<Graph>();
        Plot plot;
        for (int i = 0; i < points; ++i)
            plot.AddPoint(value, value);
        graph->m_plots.Append(plot);
        return graph;
    };
    struct Row {
        const char* name;
        int points;
        float value;
        std::size_t headroom;
        const char* message;
    };
    const Row rows[] = {
        {"no room for the estimate", 4000000, 1.0f, 64u << 20, "message: Unable to get memory for data copy\n"},
        {"no room to grow", 1000000, -1.234567e-38f, 40u << 20, "message: Text buffer exhausted! Copy error!\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto graph = makeGraph(row.points, row.value);
        std::string output;
        const int status = RunWithMemoryLimit(row.headroom, [&](std::FILE* channel) {
            StreamMessages messages(channel, channel);
            bool reached = false;
            const bool copied = CopyData(*graph, {0}, messages, [&](const std::string&) { return reached = true; });
            return copied || reached ? 1 : 0;
        }, &output);
        EXPECT_EQ(status, 0) << "the copy fails cleanly and leaves the clipboard alone";
        EXPECT_EQ(output, row.message);
    }

    const auto small = makeGraph(2, 1.0f);
    std::FILE* errors = std::tmpfile();
    StreamMessages messages(errors, errors);
    std::string copied;
    EXPECT_TRUE(CopyData(*small, {0}, messages, [&](const std::string& text) { copied = text; return true; }));
    EXPECT_EQ(copied, "1\t1\r\n1\t1\r\n\t\r\n");
    EXPECT_FALSE(CopyData(*small, {0}, messages, [](const std::string&) { return false; }));
    std::rewind(errors);
    char line[256] = {};
    ASSERT_TRUE(std::fgets(line, sizeof line, errors));
    EXPECT_STREQ(line, "message: Can't open the clipboard (it's already open in another application).\n");
    std::fclose(errors);
}
