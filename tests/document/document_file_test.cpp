#include "document/document_file.h"

#include "document/archive_reader.h"
#include "document/archive_writer.h"
#include "document/page_json.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "render/graph.h"
#include "tests/document/old_layout_writer.h"
#include "tests/render/test_messages.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sys/stat.h>

namespace {

std::string Hex(const std::string& bytes, std::size_t count)
{
    std::string out;
    char cell[4];
    for (std::size_t i = 0; i < count && i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%02X ", unsigned(static_cast<unsigned char>(bytes[i])));
        out += cell;
    }
    return out;
}

// A page that sets every stored field away from its default.
CTarnDoc RichPage()
{
    CTarnDoc doc;
    SilentMessages silent;
    ArrangeRequest arrange;
    arrange.rows = "2";
    arrange.columns = "2";
    doc.Arrange(arrange, silent);
    doc.SelectGraph(3);
    doc.m_pageColor = 0x00102030;
    doc.m_startX = 0.11f;
    doc.m_startY = 0.13f;
    doc.m_displaySettings = {3, 1.75f};
    int salt = 0;
    for (Graph& graph : doc.m_graphs) {
        ++salt;
        graph.m_visible = salt % 2;
        graph.m_title.m_text = "Title $\\alpha$ " + std::to_string(salt);
        graph.m_title.m_font.SetFaceName("Liberation Sans");
        graph.m_title.m_font.italic = 1;
        graph.m_title.m_font.orientation = 123; // apart from the escapement on purpose
        graph.m_title.m_color = 0x00ABCDEF;
        graph.m_yLabel.m_text = std::string(300, 'y');
        graph.m_xLabel.m_text = "";
        for (Axis* axis : {&graph.m_leftAxis, &graph.m_rightAxis, &graph.m_topAxis, &graph.m_bottomAxis}) {
            axis->m_labelFont.weight = 700 + salt;
            axis->m_labelColor = 0x00010203u * unsigned(salt);
            axis->m_majorTickLength = 12;
            axis->m_minorTickLength = 7;
            axis->m_majorSpacing = 2.5f;
            axis->m_minorSpacing = 0.5f;
            axis->m_showGrid = 1;
            axis->m_gridColor = 0x00777777;
            axis->m_gridSize = 2;
            axis->m_gridType = 3;
            axis->m_userSpacing = 1;
            axis->m_precision = 5;
            axis->m_format = 2;
            axis->m_showLabels = 1;
            axis->m_color = 0x00FF0000;
            axis->m_visible = 0;
        }
        graph.m_legend.m_visible = 1;
        graph.m_legend.m_x = 0.3f;
        graph.m_legend.m_font.height = -17;
        graph.m_legend.m_showBox = 1;
        graph.m_legend.m_boxFillColor = 0x00EEEEEE;
        graph.m_legend.m_boxEdgeColor = 0x00000080;
        graph.m_legend.m_textColor = 0x00008000;
        for (int s = 0; s < salt; ++s) {
            Plot plot;
            for (int i = 0; i < 50 + s; ++i)
                plot.AddPoint(float(i) * 0.5f + s, std::sin(float(i)) * 3.0f);
            plot.AddPoint(std::numeric_limits<float>::quiet_NaN(), -0.0f);
            for (int i = 0; i < 10 * s; ++i)
                plot.AddDx(0.01f * i);
            for (int i = 0; i < 7; ++i)
                plot.AddDy(0.1f * i + s);
            plot.m_label.m_text = "set " + std::to_string(s);
            plot.m_label.m_color = 0x00112233;
            plot.m_visible = s % 2;
            plot.m_yErrorBarDisplay = 1;
            plot.m_xErrorBarDisplay = 2;
            plot.m_errorBarHatSize = 6;
            plot.m_errorBarLineStyle = 2;
            plot.m_errorBarLineSize = 3;
            plot.m_xPositive = 1;
            plot.m_pointStyle = s % 8;
            plot.m_pointSize = 4 + s;
            plot.m_pointColor = s == 1 ? kNoColor : 0x000000FF;
            plot.m_pointColorNone = s == 1;
            plot.m_lineStyle = s % 6;
            plot.m_lineSize = 2;
            plot.m_lineColor = 0x0000FF00;
            plot.m_info = "file-" + std::to_string(s) + ".dat";
            graph.m_plots.Append(plot);
        }
        graph.m_refLines.Append(RefLine{0, 2, 1.5f});
        graph.m_refLines.Append(RefLine{1, 4, -3.25f});
        graph.AutoScale(false, silent);
        graph.m_xTickSide = 1;
        graph.m_yLabelSide = 1;
        graph.m_background = 0x00F0F0F0;
        if (salt == 2)
            graph.SetFixedXRange(-1.0f, 30.0f);
        if (salt == 3)
            graph.SetFixedYRange(-4.0f, 4.0f);
        graph.SetXRange(-1.0f, 30.0f, true, silent);
        graph.SetYRange(-4.0f, 4.0f, true, silent);
    }
    TextObject label("free \xE2\x82\xAC label");
    label.m_x = 0.9f;
    label.m_y = 0.05f;
    label.m_font.escapement = label.m_font.orientation = 450;
    doc.m_labels.Append(label);
    doc.m_labels.Append(TextObject(std::string(70000, 'L')));
    return doc;
}

// Empty when equal, else both texts around their first difference.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    if (at == a.size() && at == b.size())
        return "";
    const std::size_t from = at > 80 ? at - 80 : 0;
    return "at " + std::to_string(at) + ":\n" + a.substr(from, 160) + "\n" + b.substr(from, 160);
}

bool Read(CTarnDoc& doc, const std::string& bytes, RecordingMessages& messages)
{
    return DocumentFromBytes(doc, bytes.data(), bytes.size(), messages);
}

// Puts a 32-bit value over the bytes at `offset`.
void Patch(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    StoreLittle32(reinterpret_cast<unsigned char*>(bytes.data() + offset), value);
}

} // namespace

TEST(DocumentFile, FreshDocumentStartsWithVersionAndPageShape)
{
    const std::string bytes = DocumentToBytes(CTarnDoc());
    EXPECT_EQ(Hex(bytes, 16), "A4 70 9D 3F 00 00 00 00 01 00 00 00 01 00 00 00 ");
    EXPECT_EQ(std::bit_cast<std::uint32_t>(kObjectVersion), 0x3F9D70A4u);
}

TEST(DocumentFile, StringLengthFormsRoundTrip)
{
    struct Row {
        std::size_t length;
        const char* prefix;
    };
    const Row rows[] = {
        {0, "00 "},
        {254, "FE "},
        {255, "FF FF 00 "},
        {300, "FF 2C 01 "},
        {65533, "FF FD FF "},
        {65534, "FF FF FF FE FF 00 00 "},
        {70000, "FF FF FF 70 11 01 00 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.length);
        std::string text(row.length, 'a');
        for (std::size_t i = 0; i < text.size(); ++i)
            text[i] = char('a' + i % 26);
        ArchiveWriter out;
        out.String(text);
        const std::string bytes = out.Take();
        EXPECT_EQ(Hex(bytes, std::strlen(row.prefix) / 3), row.prefix);
        EXPECT_EQ(bytes.size(), std::strlen(row.prefix) / 3 + row.length);
        ArchiveReader in(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        EXPECT_EQ(in.String(), text);
        EXPECT_EQ(in.Remaining(), 0u);

        // The same text as a page label survives the whole file.
        CTarnDoc doc;
        doc.m_labels.Append(TextObject(text));
        CTarnDoc back;
        RecordingMessages messages;
        ASSERT_TRUE(Read(back, DocumentToBytes(doc), messages));
        EXPECT_EQ(back.m_labels.Get(0).m_text, text);
    }
}

TEST(DocumentFile, Utf16StringsReadAsUtf8)
{
    struct Row {
        std::string bytes;
        std::string text;
        const char* reason;
    };
    const Row rows[] = {
        {std::string("\xFF\xFE\xFF\x02" "a\0\xB2\x03", 8), "a\xCE\xB2", "short length after the marker"},
        {std::string("\xFF\xFE\xFF\xFF\x01\x00" "A\0", 8), "A", "16-bit length after the marker"},
        {std::string("\xFF\xFE\xFF\x02\x3D\xD8\x00\xDE", 8), "\xF0\x9F\x98\x80", "surrogate pair"},
        {std::string("\xFF\xFE\xFF\x01\x00\xD8", 6), "\xEF\xBF\xBD", "lone surrogate"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        ArchiveReader in(reinterpret_cast<const unsigned char*>(row.bytes.data()), row.bytes.size());
        EXPECT_EQ(in.String(), row.text);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(DocumentFile, BrokenStringLengthsRunOutOfData)
{
    const std::string rows[] = {
        std::string("\x05" "abc", 4),
        std::string("\xFF\xFF\xFF\x00\x00\x00\x80" "x", 8), // 2^31
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7),
        std::string("\xFF\xFE\xFF\x03" "a\0b\0", 8),
        std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x01" "a\0", 9), // a second marker
        std::string("\xFF\x10", 2),
    };
    for (const std::string& bytes : rows) {
        SCOPED_TRACE(Hex(bytes, 9));
        ArchiveReader in(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        EXPECT_THROW(in.String(), ArchiveError);
    }
}

TEST(DocumentFile, PointsKeepTheirTraversalOrder)
{
    CTarnDoc doc;
    Plot plot;
    plot.AddPoint(1, 10);
    plot.AddPoint(2, 20);
    doc.CurrentGraph().m_plots.Append(plot); // the list's copy reverses: (1, 10) first
    Plot& stored = doc.CurrentGraph().m_plots.Get(0);
    stored.m_points.Clear();
    stored.AddPoint(1, 10);
    stored.AddPoint(2, 20);
    const std::string bytes = DocumentToBytes(doc);
    ArchiveWriter expected;
    expected.Int32(2);
    expected.Float(2);
    expected.Float(20);
    expected.Float(1);
    expected.Float(10);
    EXPECT_NE(bytes.find(expected.Bytes()), std::string::npos);

    CTarnDoc back;
    RecordingMessages messages;
    ASSERT_TRUE(Read(back, bytes, messages));
    const Plot& read = back.CurrentGraph().m_plots.Get(0);
    std::vector<PlotPoint> order(read.m_points.begin(), read.m_points.end());
    EXPECT_EQ(order, (std::vector<PlotPoint>{{2, 20}, {1, 10}}));
}

TEST(DocumentFile, PageOfTwoRowsAndThreeColumnsHoldsSixGraphRecords)
{
    CTarnDoc single;
    CTarnDoc page;
    SilentMessages silent;
    ArrangeRequest arrange;
    arrange.rows = "2";
    arrange.columns = "3";
    ASSERT_TRUE(page.Arrange(arrange, silent));
    const std::string one = DocumentToBytes(single);
    const std::string six = DocumentToBytes(page);
    // Page fields 44 bytes, the label count 4 and display settings 12 around the graphs.
    const std::size_t graphBytes = one.size() - 60;
    EXPECT_EQ(six.size(), 60 + 6 * graphBytes);
    CTarnDoc back;
    RecordingMessages messages;
    ASSERT_TRUE(Read(back, six, messages));
    EXPECT_EQ(back.m_graphs.size(), 6u);
    EXPECT_EQ(back.m_graphCount, 6);
}

TEST(DocumentFile, RichPageSurvivesSaveAndReopen)
{
    lineScaling = 1;
    fontScaling = 1.0f;
    CTarnDoc doc = RichPage();
    doc.SetModifiedFlag();
    const std::string bytes = DocumentToBytes(doc);

    CTarnDoc back;
    back.SetModifiedFlag();
    RecordingMessages messages;
    ASSERT_TRUE(Read(back, bytes, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(back.IsModified());
    EXPECT_EQ(FirstDifference(PageToJson(back, true), PageToJson(doc, true)), "");
    EXPECT_EQ(DocumentToBytes(back), bytes) << "save, open, save gives the same bytes";
    EXPECT_EQ(lineScaling, 3);
    EXPECT_EQ(fontScaling, 1.75f);
    EXPECT_EQ(back.m_graphs[1].m_title.m_font.orientation, 123);
    lineScaling = 1;
    fontScaling = 1.0f;
}

TEST(DocumentFile, SaveAndOpenThroughFiles)
{
    ScratchDir dir;
    const CTarnDoc doc = RichPage();
    RecordingMessages messages;
    const std::string path = dir / "page.cpl";
    ASSERT_TRUE(SaveDocument(doc, path, messages));
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(SaveDocument(doc, path, messages));
    struct stat status {};
    ::stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u) << "a save keeps the file's mode";
    CTarnDoc back;
    ASSERT_TRUE(OpenDocument(back, path, messages));
    EXPECT_EQ(FirstDifference(PageToJson(back, true), PageToJson(doc, true)), "");
    lineScaling = 1;
    fontScaling = 1.0f;

    EXPECT_FALSE(OpenDocument(back, dir / "missing", messages));
    EXPECT_FALSE(SaveDocument(doc, dir / "no/such/folder/page", messages));
    EXPECT_FALSE(OpenDocument(back, dir.Path().string(), messages));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0], "Cannot open \"" + (dir / "missing") + "\": No such file or directory.");
    EXPECT_EQ(messages.shown[1].rfind("Cannot save \"" + (dir / "no/such/folder/page") + "\": ", 0), 0u);
    EXPECT_EQ(FirstDifference(PageToJson(back, true), PageToJson(doc, true)), "") << "failed opens change nothing";
}

TEST(DocumentFile, EveryTruncationFailsAndKeepsThePage)
{
    CTarnDoc small;
    Plot plot;
    plot.AddPoint(1, 2);
    plot.AddDx(0.5f);
    plot.AddDy(0.25f);
    small.CurrentGraph().m_plots.Append(plot);
    small.CurrentGraph().m_refLines.Append(RefLine{});
    small.m_labels.Append(TextObject("label"));
    const std::string bytes = DocumentToBytes(small);

    CTarnDoc doc = RichPage();
    const std::string before = PageToJson(doc, true);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        RecordingMessages messages;
        if (Read(doc, bytes.substr(0, length), messages)) {
            ADD_FAILURE() << "a file cut at " << length << " opened";
            break;
        }
        ASSERT_EQ(messages.shown, std::vector<std::string>{kUnexpectedFileFormat}) << length;
    }
    EXPECT_EQ(FirstDifference(PageToJson(doc, true), before), "");
}

TEST(DocumentFile, FormatErrorsFailTheOpen)
{
    CTarnDoc plain;
    Plot plot;
    plot.AddPoint(1, 2);
    plain.CurrentGraph().m_plots.Append(plot);
    const std::string bytes = DocumentToBytes(plain);
    // Offsets in the single-graph page with one set of one point: page fields
    // 44 bytes, a header 16, a text record 81 plus its text, an axis 164, the
    // legend 92.
    const std::size_t graph = 44;
    const std::size_t axes = graph + 16 + 3 * 81 + 17;
    const std::size_t plots = axes + 4 * 164 + 92;
    const std::size_t set = plots + 4;
    const std::size_t afterPoints = set + 16 + 4 + 8;
    const std::size_t style = afterPoints + 8 + 81 + 8 + 12 + 16 + 16;
    const std::size_t graphTail = style + 24 + 16 + 1; // the reference line count
    const std::size_t display = bytes.size() - 12;
    const auto at = [&bytes](std::size_t offset) {
        return LoadLittle32(reinterpret_cast<const unsigned char*>(bytes.data()) + offset);
    };
    ASSERT_EQ(at(plots), 1u);
    ASSERT_EQ(at(set + 16), 1u);
    ASSERT_EQ(at(style), std::uint32_t(kNoSymbol));
    ASSERT_EQ(at(graphTail), 0u);
    ASSERT_EQ(at(display - 4), 0u);
    ASSERT_EQ(at(display + 4), 1u);

    struct Row {
        const char* reason;
        std::size_t offset;
        std::uint32_t value;
    };
    const Row rows[] = {
        {"version 0, as a device of zeros gives", 0, 0},
        {"a version later than the one written now", 0, std::bit_cast<std::uint32_t>(1.5f)},
        {"version NaN", 0, 0x7FC00000},
        {"current graph negative", 4, std::uint32_t(-1)},
        {"current graph past the page", 4, 1},
        {"no rows", 8, 0},
        {"negative columns", 12, std::uint32_t(-3)},
        {"rows of a billion", 8, 1000000000},
        {"negative set count", plots, std::uint32_t(-1)},
        {"a billion sets", plots, 1000000000},
        {"negative point count", set + 16, std::uint32_t(-1)},
        {"a billion points", set + 16, 1000000000},
        {"2^31 - 1 points", set + 16, 0x7FFFFFFF},
        {"a billion x errors", afterPoints, 1000000000},
        {"negative y errors", afterPoints + 4, std::uint32_t(-5)},
        {"negative point style", style, std::uint32_t(-1)},
        {"negative point size", style + 4, std::uint32_t(-1)},
        {"negative line style", style + 12, std::uint32_t(-2)},
        {"negative line size", style + 16, std::uint32_t(-2)},
        {"a billion reference lines", graphTail, 1000000000},
        {"negative x log", graphTail + 4, std::uint32_t(-1)},
        {"negative y tick side", graphTail + 16, std::uint32_t(-1)},
        {"a billion labels", display - 4, 1000000000},
        {"line scaling 0", display + 4, 0},
        {"line scaling negative", display + 4, std::uint32_t(-7)},
        {"font scaling below 1", display + 8, std::bit_cast<std::uint32_t>(0.5f)},
        {"font scaling NaN", display + 8, 0x7FC00000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        std::string broken = bytes;
        Patch(broken, row.offset, row.value);
        CTarnDoc doc;
        doc.m_pageColor = 0x00123456;
        doc.m_displaySettings.lineScaling = 2;
        RecordingMessages messages;
        EXPECT_FALSE(Read(doc, broken, messages));
        EXPECT_EQ(messages.shown, std::vector<std::string>{kUnexpectedFileFormat});
        EXPECT_EQ(doc.m_pageColor, 0x00123456u);
        EXPECT_EQ(doc.m_displaySettings.lineScaling, 2);
        EXPECT_EQ(doc.CurrentGraph().m_plots.Count(), 0);
    }
    CTarnDoc doc;
    RecordingMessages messages;
    EXPECT_TRUE(Read(doc, bytes, messages)) << "the unbroken file opens";
}

// A face name field is 32 bytes. One that fills them all has no terminator
// and is cut to 31 characters, so nothing after the field shows in the name;
// one with a terminator keeps every stored byte, padding included.
TEST(DocumentFile, FaceNamesStayInsideTheirField)
{
    struct Row {
        const char* reason;
        std::string field; // the 32 stored bytes
        const char* name;
        std::string written;
    };
    const std::string full(32, 'A');
    const std::string padded = std::string("Arial\0", 6) + std::string(26, 'x');
    const Row rows[] = {
        {"no terminator", full, "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", std::string(31, 'A') + '\0'},
        {"a terminator and padding after it", padded, "Arial", padded},
    };
    const std::string bytes = DocumentToBytes(CTarnDoc());
    const std::size_t face = bytes.find("Times New Roman");
    ASSERT_NE(face, std::string::npos);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        std::string stored = bytes;
        stored.replace(face, 32, row.field);
        stored.replace(face + 32, 4, "BBBB"); // the colour after the font
        CTarnDoc doc;
        RecordingMessages messages;
        ASSERT_TRUE(Read(doc, stored, messages));
        EXPECT_STREQ(doc.CurrentGraph().m_title.m_font.faceName, row.name);
        EXPECT_EQ(DocumentToBytes(doc).substr(face, 32), row.written);
    }
}
