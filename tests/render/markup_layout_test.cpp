#include "render/markup_layout.h"
#include "render/markup_parser.h"
#include "render/recording_canvas.h"
#include "render/text_block.h"
#include "render/text_drawing.h"

#include "model/text_object.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TextBlock Block(const char* text, int orientation = 0, int height = -14)
{
    LogFont font;
    font.height = height;
    TextBlock block;
    block.SetText(text, font, orientation, 0x000000);
    return block;
}

TextLayout Lay(const char* text, double spacing = 1.0)
{
    RecordingCanvas canvas;
    return Block(text).Layout(canvas, spacing);
}

const TextRun* Find(const TextLayout& layout, const std::string& text)
{
    for (const TextRun& run : layout.runs)
        if (run.text == text)
            return &run;
    return nullptr;
}

// Width of a run with the recording canvas's metrics.
int Width(const TextRun& run)
{
    int characters = 0;
    for (unsigned char c : run.text)
        characters += (c & 0xC0) != 0x80;
    return characters * ((run.size + 1) / 2);
}

} // namespace

TEST(MarkupLayout, SuperscriptIsRaisedAtTheRightOfItsElement)
{
    const TextLayout layout = Lay("$x^2$");
    ASSERT_EQ(layout.runs.size(), 2u);
    const TextRun& x = layout.runs[0];
    const TextRun& two = layout.runs[1];
    EXPECT_EQ(x, (TextRun{1, 14, "x", 0, 0}));
    EXPECT_EQ(two.size, 10);
    EXPECT_EQ(two.u, Width(x) + 2) << "2 units of gap";
    EXPECT_LT(two.v, 0) << "raised";
    EXPECT_EQ(layout.right, two.u + Width(two));
    // The gap follows the printing ratio.
    EXPECT_EQ(Lay("$x^2$", 2.0).runs[1].u, Width(x) + 4);
}

TEST(MarkupLayout, SubscriptIsLoweredAndSharesTheColumnWithTheSuperscript)
{
    const TextLayout layout = Lay("$x_1^{22}$");
    const TextRun* one = Find(layout, "1");
    const TextRun* two = Find(layout, "2");
    ASSERT_TRUE(one && two);
    EXPECT_GT(one->v, 0);
    EXPECT_LT(two->v, 0);
    EXPECT_EQ(one->u, two->u);
    EXPECT_EQ(layout.right, two->u + 2 * 5) << "the wider script sets the advance";
}

TEST(MarkupLayout, LimitsAreCentredAboveAndBelowADoubleSizeSigma)
{
    const TextLayout layout = Lay("$\\sum_{i=1}^n$");
    const TextRun* sigma = Find(layout, "\u03A3");
    const TextRun* n = Find(layout, "n");
    const TextRun* i = Find(layout, "i");
    ASSERT_TRUE(sigma && n && i);
    EXPECT_EQ(sigma->size, 28);
    const double sigmaCentre = sigma->u + Width(*sigma) / 2.0;
    EXPECT_NEAR(n->u + Width(*n) / 2.0, sigmaCentre, 1.0);
    const int belowWidth = 3 * 5;
    EXPECT_NEAR(i->u + belowWidth / 2.0, sigmaCentre, 1.0);
    EXPECT_LT(n->v, sigma->v - 22) << "above the sigma's ascent";
    EXPECT_GT(i->v, sigma->v) << "below its baseline";
    // The operator is centred on the middle of ordinary text, so it reaches
    // below the baseline.
    EXPECT_GT(sigma->v, 0);
}

TEST(MarkupLayout, FractionBarSpansTheWiderPartBetweenNumeratorAndDenominator)
{
    for (double spacing : {1.0, 2.0}) {
        SCOPED_TRACE(spacing);
        const TextLayout layout = Lay("$\\frac{abc}{d}$", spacing);
        ASSERT_EQ(layout.bars.size(), 1u);
        const TextBar& bar = layout.bars[0];
        const TextRun* a = Find(layout, "a");
        const TextRun* d = Find(layout, "d");
        ASSERT_TRUE(a && d);
        EXPECT_EQ(a->size, 11);
        EXPECT_EQ(bar.u0, 0);
        EXPECT_EQ(bar.u1, 3 * 6) << "the numerator is the wider part";
        EXPECT_EQ(bar.width, int(spacing));
        EXPECT_LT(a->v + 2, bar.v) << "numerator above the bar";
        EXPECT_GT(d->v - 8, bar.v) << "denominator below the bar";
        EXPECT_NEAR(d->u + 3, bar.u1 / 2.0, 1.0) << "denominator centred";
    }
}

TEST(MarkupLayout, TurnedOffsetsFollowTheOrientation)
{
    struct Row {
        int orientation;
        int u, v;
        DevicePoint expected;
    };
    const Row rows[] = {
        {0, 10, -7, {110, 93}},
        {900, 10, -7, {93, 90}},    // along the baseline is up, across it is right
        {1800, 10, -7, {90, 107}},
        {2700, 10, -7, {107, 110}},
        {450, 10, 0, {107, 93}},    // 7.07 truncated either way
        {3600, 10, -7, {110, 93}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.orientation);
        EXPECT_EQ(TurnOffset(100, 100, row.u, row.v, row.orientation), row.expected);
    }
}

TEST(MarkupLayout, TurnedTextPlacesEveryRunAtItsTurnedOffset)
{
    for (int orientation : {0, 300, 900, 1350, 2700}) {
        SCOPED_TRACE(orientation);
        const TextBlock block = Block("$\\alpha_{max}^2 + \\frac{a}{b}$", orientation);
        RecordingCanvas canvas;
        const TextLayout layout = block.Layout(canvas);
        block.Draw(canvas, 200, 150);
        std::vector<DevicePoint> texts;
        for (const RecordingCanvas::Record& record : canvas.m_records) {
            if (record.kind != RecordingCanvas::Kind::Text)
                continue;
            EXPECT_EQ(record.font.escapement, orientation);
            EXPECT_EQ(record.font.orientation, orientation);
            texts.push_back(record.points[0]);
        }
        ASSERT_EQ(texts.size(), layout.runs.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const TextRun& run = layout.runs[i];
            EXPECT_EQ(texts[i], TurnOffset(200, 150, run.u, run.v, orientation)) << run.text;
            // Turning keeps distances (up to the truncation of each product).
            const double distance = std::hypot(texts[i].x - 200, texts[i].y - 150);
            EXPECT_NEAR(distance, std::hypot(run.u, run.v), 2.0) << run.text;
        }
    }
}

TEST(MarkupLayout, FontsComeFromTheTableOfTheirIndex)
{
    LogFont font;
    font.height = -20;
    font.weight = 700;
    font.SetFaceName("Liberation Sans");
    TextBlock block;
    block.SetText("A $\\alpha x \\hbar$", font, 450, 0x0000FF);
    RecordingCanvas canvas;
    block.Draw(canvas, 0, 0);
    std::vector<std::string> faces;
    for (const RecordingCanvas::Record& record : canvas.m_records) {
        ASSERT_EQ(record.kind, RecordingCanvas::Kind::Text);
        EXPECT_EQ(record.color, 0x0000FFu);
        EXPECT_EQ(record.font.height, -20);
        faces.push_back(std::string(record.font.faceName) + (record.font.italic ? " italic" : "") +
                        (record.font.weight == 700 ? " bold" : ""));
    }
    const std::vector<std::string> expected{"Liberation Sans bold", "Symbol",
                                            "Liberation Sans italic bold", "Math3"};
    EXPECT_EQ(faces, expected);
    EXPECT_EQ(canvas.m_records[1].text, "\u03B1");
    EXPECT_EQ(canvas.m_records[3].text, "\u210F");
}

TEST(MarkupLayout, FailedPassagesDrawTheirRawTextUpright)
{
    for (const char* text : {"$x^2^3$", "$\\foo$", "${x$"}) {
        SCOPED_TRACE(text);
        RecordingCanvas canvas;
        Block(text).Draw(canvas, 0, 0);
        ASSERT_EQ(canvas.m_records.size(), 1u);
        EXPECT_EQ(canvas.m_records[0].text, std::string(text + 1, std::strlen(text) - 2));
        EXPECT_EQ(canvas.m_records[0].font.italic, 0);
        EXPECT_STREQ(canvas.m_records[0].font.faceName, "Times New Roman");
    }
}

TEST(MarkupLayout, HostileTextsLayOutWithoutFailing)
{
    std::string megabyte;
    while (megabyte.size() < 1000000)
        megabyte += "$x_{i}^{2}$ \\frac{a}{b} {{{";
    for (const std::string& text : {megabyte, std::string(10000, '{'),
                                    "$" + std::string(10000, '{') + "$", std::string("$\\")}) {
        RecordingCanvas canvas;
        const TextLayout layout = Block(text.c_str()).Layout(canvas);
        EXPECT_FALSE(layout.runs.empty());
        EXPECT_GE(layout.Width(), 0);
    }
}

TEST(TextObject, BoundingBoxHoldsTheTurnedText)
{
    const PageRect page{0, 0, 800, 600};
    TextObject text("Graph");
    text.m_x = 0.5f;
    text.m_y = 0.5f;
    RecordingCanvas canvas;
    EXPECT_EQ(text.GetBoundingBox(page), (BoundingBox{400, 300, 5, 5})) << "not measured yet";
    MeasureTextObject(text, canvas);
    EXPECT_EQ(text.MeasuredWidth(), 35);
    EXPECT_EQ(text.MeasuredHeight(), 14);
    EXPECT_EQ(text.GetBoundingBox(page), (BoundingBox{400, 300, 22, 12}));
    text.m_font.escapement = 900;
    EXPECT_EQ(text.GetBoundingBox(page), (BoundingBox{400, 300, 12, 22}));
    text.m_font.escapement = 450;
    EXPECT_EQ(text.GetBoundingBox(page), (BoundingBox{400, 300, 24, 24}));
    text.Clear();
    EXPECT_EQ(text.GetBoundingBox(page), BoundingBox{});
}

TEST(TextObject, DrawsCentredOnItsPositionAndOutlinesItsSelection)
{
    const PageRect page{0, 0, 800, 600};
    TextObject text("Time");
    text.m_x = 0.5f;
    text.m_y = 0.5f;
    text.m_selected = 1;
    RecordingCanvas canvas;
    DrawTextObject(text, canvas, page);
    const std::vector<std::string> expected{"text 386,304 \"Time\"", "rect 381,288 419,312 xor"};
    EXPECT_EQ(canvas.Descriptions(), expected);
    EXPECT_EQ(canvas.m_records[1].pen.style, PenStyle::Dot);
    EXPECT_TRUE(canvas.m_records[1].brush.hollow);
    EXPECT_EQ(canvas.m_mode, RasterMode::Copy);

    canvas.ClearRecords();
    text.SetPrintMode(1);
    DrawTextObject(text, canvas, page);
    EXPECT_EQ(canvas.Descriptions().size(), 1u) << "no outline while printing";

    for (auto change : {+[](TextObject& t) { t.Clear(); }, +[](TextObject& t) { t.m_visible = 0; }}) {
        TextObject copy("Time");
        change(copy);
        canvas.ClearRecords();
        DrawTextObject(copy, canvas, page);
        EXPECT_TRUE(canvas.m_records.empty());
    }
}

TEST(TextObject, TheBlockFollowsChangesMadeToTheFields)
{
    TextObject text("$x$");
    RecordingCanvas canvas;
    MeasureTextObject(text, canvas);
    EXPECT_EQ(TextBlockOf(text).Root().m_fontIndex, 1);
    TextObject copy = text;
    copy.m_text = "$\\alpha$";
    EXPECT_EQ(TextBlockOf(copy).Root().m_fontIndex, 2);
    EXPECT_EQ(TextBlockOf(text).Root().m_fontIndex, 1) << "the original keeps its block";
    copy.SetText("Y", copy.m_font, 900, 0x00FF00);
    EXPECT_EQ(TextBlockOf(copy).Orientation(), 900);
    EXPECT_EQ(TextBlockOf(copy).Fonts()[2].escapement, 900);
    EXPECT_EQ(TextBlockOf(copy).TextColor(), 0x00FF00u);
}

TEST(TextObject, PrintScalingScalesTheFontAndGapsAndRestoresThemExactly)
{
    struct Row {
        int num, den, height;
    };
    for (Row row : {Row{2, 1, -28}, Row{600, 96, -88}, Row{300, 96, -44}}) {
        SCOPED_TRACE(row.num);
        TextObject text("$x^2$");
        RecordingCanvas canvas;
        const PageRect page{0, 0, 800, 600};
        text.BeginPrintScaling(canvas, row.num, row.den, page);
        EXPECT_EQ(text.m_font.height, row.height);
        EXPECT_DOUBLE_EQ(text.SpacingRatio(), double(row.num) / row.den);
        const TextLayout scaled = MeasureTextObject(text, canvas);
        EXPECT_EQ(scaled.runs[0].size, -row.height);
        text.EndPrintScaling(canvas, page);
        EXPECT_EQ(text.m_font.height, -14);
        EXPECT_DOUBLE_EQ(text.SpacingRatio(), 1.0);
        EXPECT_EQ(MeasureTextObject(text, canvas).runs[0].size, 14);
    }
}
