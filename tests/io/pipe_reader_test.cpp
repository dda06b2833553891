// The link reader on bytes from memory: every message, check and failure.
#include "io/memory_pipe_source.h"
#include "io/pipe_buffer.h"
#include "io/pipe_reader.h"
#include "model/colors.h"
#include "tests/io/pipe_fixture.h"
#include "tests/support/memory_limit.h"
#include "tests/support/pipe_stream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

PipeResult Read(const std::string& bytes, std::size_t chunk = 0, RecordingPipeEvents* events = nullptr)
{
    MemoryPipeSource source(bytes, chunk);
    PipeBuffer input(source);
    RecordingPipeEvents own;
    return ReadPipe(input, events ? *events : own);
}

std::vector<PlotPoint> Points(const Plot& plot)
{
    return {plot.m_points.begin(), plot.m_points.end()};
}

} // namespace

TEST(PipeReader, ThreePointsInOneSet)
{
    PipeStream s;
    s.Version().NewSet("a").Point(1, 10).Point(2, 20).Point(3, 30).EndOfData();
    RecordingPipeEvents events;
    PipeResult result = Read(s.Bytes(), 0, &events);
    EXPECT_FALSE(result.failed) << result.error;
    ASSERT_EQ(result.finished.Count(), 1);
    const Plot& plot = result.finished.Get(0);
    EXPECT_EQ(plot.m_info, "a");
    // Handed over, not copied: still newest first.
    EXPECT_EQ(Points(plot), (std::vector<PlotPoint>{{3, 30}, {2, 20}, {1, 10}}));
    EXPECT_EQ(plot.m_handOver, 0);
    EXPECT_EQ(plot.m_xPositive, 1);
    EXPECT_EQ(plot.m_yPositive, 1);
    EXPECT_EQ(result.finishedCount, 1);
    EXPECT_FALSE(result.closeAfter);
    EXPECT_EQ(events.lines, (std::vector<std::string>{"status 19 0", "status 1 0", "status 4 0"}));
}

TEST(PipeReader, FailuresGiveTheirMessageAndKeepFinishedSets)
{
    struct Row {
        const char* reason;
        std::string tail; // bytes after one finished set and an open one
        const char* message;
    };
    auto bytes = [](auto build) { PipeStream s; build(s); return s.Bytes(); };
    const std::vector<Row> rows = {
        {"wrong version", bytes([](PipeStream& s) { s.Version(3); }), "Wrong Corvid Link version!"},
        {"code 19", bytes([](PipeStream& s) { s.Byte(19); }), "Unknown message"},
        {"code 0", bytes([](PipeStream& s) { s.Byte(0); }), "Unknown message"},
        {"code 29", bytes([](PipeStream& s) { s.Byte(29); }), "Unknown message"},
        {"code -1 (byte 255)", bytes([](PipeStream& s) { s.Byte(255); }), "Unknown message"},
        {"symbol type 8", bytes([](PipeStream& s) { s.Style(11, 8); }), "Illegal symbol type"},
        {"symbol type -1", bytes([](PipeStream& s) { s.Style(11, -1); }), "Illegal symbol type"},
        {"symbol colour 8", bytes([](PipeStream& s) { s.Style(12, 8); }), "Illegal symbol color"},
        {"symbol size 0", bytes([](PipeStream& s) { s.Style(14, 0); }), "Illegal symbol size"},
        {"symbol size 11", bytes([](PipeStream& s) { s.Style(14, 11); }), "Illegal symbol size"},
        {"line type 6", bytes([](PipeStream& s) { s.Style(15, 6); }), "Illegal line type"},
        {"line colour -1", bytes([](PipeStream& s) { s.Style(16, -1); }), "Illegal line color"},
        {"line width 0", bytes([](PipeStream& s) { s.Style(18, 0); }), "Illegal line size"},
        {"line width 6 (the pipe takes 1..5)", bytes([](PipeStream& s) { s.Style(18, 6); }),
         "Illegal line size"},
        {"title font size 0", bytes([](PipeStream& s) { s.Style(6, 0); }), "Font size is too small!"},
        {"y label font size -3", bytes([](PipeStream& s) { s.Style(10, -3); }), "Font size is too small!"},
        {"no end message", "", "Can't read message header"},
        {"cut inside a point", bytes([](PipeStream& s) { s.Byte(3).Real(1); }), "Empty pipe!"},
        {"cut inside a type's value", bytes([](PipeStream& s) { s.Byte(11).Byte(0); }), "Empty pipe!"},
        {"text length 2^31-1, stream ends", bytes([](PipeStream& s) { s.Byte(5).Int(0x7FFFFFFF).Raw("abc"); }),
         "Empty pipe!"},
        {"negative text length", bytes([](PipeStream& s) { s.Byte(5).Int(-2); }), "Illegal text length"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        PipeStream s;
        s.Version().NewSet("kept").Point(1, 1).NewSet("open").Point(2, 2).Raw(row.tail);
        PipeResult result = Read(s.Bytes());
        EXPECT_TRUE(result.failed);
        EXPECT_EQ(result.error, row.message);
        ASSERT_EQ(result.finished.Count(), 1);
        EXPECT_EQ(result.finished.Get(0).m_info, "kept");
        EXPECT_FALSE(result.closeAfter);
        EXPECT_EQ(result.saveOption, kPipeNoSave);
    }
}

TEST(PipeReader, SetMessagesWithoutASetNameTheNullPlotBeforeReadingTheirValue)
{
    struct Row {
        int code;
        std::string value; // a value the message takes when a set is open
        const char* message;
    };
    auto bytes = [](auto build) { PipeStream s; build(s); return s.Bytes(); };
    const std::string rgb = bytes([](PipeStream& s) { s.Byte(10).Byte(20).Byte(30); });
    const std::vector<Row> rows = {
        {2, "", "Can't read data into NULL plot"},
        {3, bytes([](PipeStream& s) { s.Real(1).Real(2); }), "Can't read point data into NULL plot"},
        {11, bytes([](PipeStream& s) { s.Int(2); }), "Can't read symbol type into NULL plot"},
        {12, bytes([](PipeStream& s) { s.Int(2); }), "Can't read symbol color into NULL plot"},
        {13, rgb, "Can't read custom symbol color into NULL plot"},
        {14, bytes([](PipeStream& s) { s.Int(3); }), "Can't read symbol size into NULL plot"},
        {15, bytes([](PipeStream& s) { s.Int(1); }), "Can't read line type into NULL plot"},
        {16, bytes([](PipeStream& s) { s.Int(2); }), "Can't read line color into NULL plot"},
        {17, rgb, "Can't read custom line color into NULL plot"},
        {18, bytes([](PipeStream& s) { s.Int(2); }), "Can't read line size into NULL plot"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        // Only the type byte: a reader that took the value first would say "Empty pipe!".
        PipeStream bare;
        bare.Version().Byte(row.code);
        PipeResult result = Read(bare.Bytes());
        EXPECT_TRUE(result.failed);
        EXPECT_EQ(result.error, row.message);
        EXPECT_EQ(result.finished.Count(), 0);
        // With a set open the same message and its value are read into that set.
        PipeStream open;
        open.Version().NewSet("a").Byte(row.code).Raw(row.value).EndOfData();
        const PipeResult read = Read(open.Bytes());
        EXPECT_FALSE(read.failed) << read.error;
        EXPECT_EQ(read.finished.Count(), 1);
    }
}

TEST(PipeReader, StylesAndColoursReachTheSet)
{
    PipeStream s;
    s.NewSet("styled")
        .Style(11, 2)
        .Style(12, 2)
        .Style(14, 10)
        .Style(15, 4)
        .Style(16, 4)
        .Style(18, 5)
        .NewSet("custom")
        .Byte(13).Byte(255).Byte(128).Byte(0)
        .Byte(17).Byte(1).Byte(2).Byte(3)
        .NewSet("no symbol colour")
        .Byte(13).Byte(0).Byte(0).Byte(0)
        .Style(12, 7)
        .EndOfData();
    PipeResult result = Read(s.Bytes());
    ASSERT_FALSE(result.failed) << result.error;
    ASSERT_EQ(result.finished.Count(), 3);
    const Plot& styled = result.finished.Get(0);
    EXPECT_EQ(styled.m_pointStyle, kTriangle);
    EXPECT_EQ(styled.m_pointColor, ColorFromCode(kRed));
    EXPECT_EQ(styled.m_pointColorNone, 0);
    EXPECT_EQ(styled.m_pointSize, 10);
    EXPECT_EQ(styled.m_lineStyle, kDashDotDot);
    EXPECT_EQ(styled.m_lineColor, ColorFromCode(kBlue));
    EXPECT_EQ(styled.m_lineSize, 5);
    const Plot& custom = result.finished.Get(1);
    EXPECT_EQ(custom.m_pointColor, 0x000080FFu) << "red 255, green 128, blue 0";
    EXPECT_EQ(custom.m_pointColorNone, 0);
    EXPECT_EQ(custom.m_lineColor, RGBColor(1, 2, 3));
    const Plot& none = result.finished.Get(2);
    EXPECT_EQ(none.m_pointColor, kNoColor);
    EXPECT_EQ(none.m_pointColorNone, 1);
}

TEST(PipeReader, EachNewSetTakesTheColourAfterThePreviousSet)
{
    PipeStream s;
    for (int i = 0; i < 8; ++i)
        s.NewSet("s" + std::to_string(i));
    // A set restyled blue is followed by cyan.
    s.Style(16, kBlue).NewSet("after blue").EndOfData();
    PipeResult result = Read(s.Bytes());
    ASSERT_EQ(result.finished.Count(), 9);
    // Black, red, green, blue, cyan, grey, black, then red turned blue; white is skipped.
    const ColorCode expected[] = {kBlack, kRed, kGreen, kBlue, kCyan, kGrey, kBlack, kBlue, kCyan};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(result.finished.Get(i).m_lineColor, ColorFromCode(expected[i]));
    }
}

TEST(PipeReader, ErrorValuesAreStoredAbsoluteAndDecidePositivity)
{
    struct Row {
        float x, dx, y, dy;
        int xPositive, yPositive;
    };
    const Row rows[] = {
        {1, -2, 5, 1, 0, 1},    // 1 - 2 is not greater than 0
        {1, 0.5f, 5, -1, 1, 1}, // 1 - 0.5 is
        {2, 0, 1, 1, 1, 0},     // 1 - 1 is not
        {-1, 0, 1, 0, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.x << " " << row.dx << " " << row.y << " " << row.dy);
        PipeStream s;
        s.NewSet("e", true, true).Point(row.x, row.y).Real(row.dx).Real(row.dy).EndOfData();
        PipeResult result = Read(s.Bytes());
        ASSERT_FALSE(result.failed) << result.error;
        const Plot& plot = result.finished.Get(0);
        EXPECT_EQ(*plot.m_dx.begin(), std::fabs(row.dx));
        EXPECT_EQ(*plot.m_dy.begin(), std::fabs(row.dy));
        EXPECT_EQ(plot.m_xPositive, row.xPositive);
        EXPECT_EQ(plot.m_yPositive, row.yPositive);
        EXPECT_EQ(plot.m_xErrorBarDisplay, kErrorBarBoth);
        EXPECT_EQ(plot.m_yErrorBarDisplay, kErrorBarBoth);
    }
    // A set without error values takes no dx or dy from the point message.
    PipeStream plain;
    plain.NewSet("p").Point(1, 2).Point(3, 4).EndOfData();
    PipeResult result = Read(plain.Bytes());
    EXPECT_FALSE(result.finished.Get(0).HasDx());
    EXPECT_EQ(result.finished.Get(0).PointCount(), 2);
    EXPECT_EQ(result.finished.Get(0).m_xErrorBarDisplay, kErrorBarNone);
}

TEST(PipeReader, TextsAreTakenUpToTheFirstZeroByte)
{
    struct Row {
        const char* reason;
        std::string bytes; // length field and bytes
        std::string text;
    };
    auto field = [](std::int32_t length, const std::string& body) {
        PipeStream s;
        s.Int(length).Raw(body);
        return s.Bytes();
    };
    const Row rows[] = {
        {"terminated", field(4, std::string("abc\0", 4)), "abc"},
        {"no zero byte: taken whole", field(3, "abc"), "abc"},
        {"zero inside", field(6, std::string("ab\0cd\0", 6)), "ab"},
        {"length 0", field(0, ""), ""},
        {"only the zero", field(1, std::string(1, '\0')), ""},
        {"8-bit bytes", field(3, std::string("\xE9\xFF\0", 3)), "\xE9\xFF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        for (std::size_t chunk : {std::size_t(0), std::size_t(1)}) {
            PipeStream s;
            s.Byte(5).Raw(row.bytes).Byte(7).Raw(row.bytes).Byte(1).Byte(0).Byte(0).Raw(row.bytes).EndOfData();
            RecordingPipeEvents events;
            PipeResult result = Read(s.Bytes(), chunk, &events);
            ASSERT_FALSE(result.failed) << result.error;
            EXPECT_EQ(events.lines[1], "text 0 " + row.text);
            EXPECT_EQ(events.lines[2], "text 1 " + row.text);
            EXPECT_EQ(result.finished.Get(0).m_info, row.text);
        }
    }
}

TEST(PipeReader, TitlesAndFontSizesArePassedOnAsTheyArrive)
{
    PipeStream s;
    s.Byte(5).Text("Title").Style(6, 20).Byte(7).Text("X").Style(8, 12).Byte(9).Text("Y").Style(10, 1).EndOfData();
    RecordingPipeEvents events;
    Read(s.Bytes(), 0, &events);
    EXPECT_EQ(events.lines, (std::vector<std::string>{"status 19 0", "text 0 Title", "size 0 20", "text 1 X",
                                                      "size 1 12", "text 2 Y", "size 2 1", "status 4 0"}));
}

TEST(PipeReader, RangesAndTicksAreRememberedAndTheLastOneWins)
{
    PipeStream s;
    s.Byte(21).Real(0).Real(1).Byte(22).Real(-0.5f).Real(0.25f).Byte(23).Real(3).Real(4);
    s.NewSet("a").Byte(21).Real(2).Real(8).Byte(24).Real(5).Real(1).EndOfData();
    PipeResult result = Read(s.Bytes());
    EXPECT_TRUE(result.xRange.given);
    EXPECT_EQ(result.xRange.first, 2);
    EXPECT_EQ(result.xRange.second, 8);
    EXPECT_EQ(result.yRange.first, 3);
    EXPECT_EQ(result.xTicks.first, -0.5f);
    EXPECT_EQ(result.yTicks.second, 1);
    PipeResult none = Read(PipeStream().EndOfData().Bytes());
    EXPECT_FALSE(none.xRange.given || none.yRange.given || none.xTicks.given || none.yTicks.given);
}

TEST(PipeReader, EndMessagesStopReadingAndSayWhatToDo)
{
    struct Row {
        std::string end;
        int option;
        std::string name;
        int width, height;
        bool close;
    };
    const Row rows[] = {
        {PipeStream().EndOfData().Bytes(), kPipeNoSave, "", 0, 0, false},
        {PipeStream().EndAndClose().Bytes(), kPipeNoSave, "", 0, 0, true},
        {PipeStream().SaveDocument("page.cvp").Bytes(), kPipeSaveDocument, "page.cvp", 0, 0, true},
        {PipeStream().Export(27, "a.bmp", 640, 480).Bytes(), kPipeExportBmp, "a.bmp", 640, 480, true},
        {PipeStream().Export(28, "b.png", 3, 2).Bytes(), kPipeExportPng, "b.png", 3, 2, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.option);
        PipeStream s;
        // The open set is finished by every end message; what follows is not read.
        s.NewSet("a").Point(1, 1).Raw(row.end).Byte(99);
        PipeResult result = Read(s.Bytes());
        EXPECT_FALSE(result.failed) << result.error;
        EXPECT_EQ(result.finished.Count(), 1);
        EXPECT_EQ(result.saveOption, row.option);
        EXPECT_EQ(result.saveFileName, row.name);
        EXPECT_EQ(result.exportWidth, row.width);
        EXPECT_EQ(result.exportHeight, row.height);
        EXPECT_EQ(result.closeAfter, row.close);
    }
}

TEST(PipeReader, AnEndRequestCutShortSavesNothing)
{
    const std::string full = PipeStream().NewSet("a").Export(28, "out.png", 10, 10).Bytes();
    const std::size_t requestStart = PipeStream().NewSet("a").Bytes().size();
    for (std::size_t cut = requestStart + 1; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        PipeResult result = Read(full.substr(0, cut));
        EXPECT_EQ(result.error, "Empty pipe!");
        EXPECT_EQ(result.saveOption, kPipeNoSave);
        EXPECT_FALSE(result.closeAfter);
        EXPECT_EQ(result.finished.Count(), 1) << "the set was finished before the name was read";
    }
}

TEST(PipeReader, AStreamCutAnywhereFailsCleanlyAndKeepsTheSetsBeforeTheCut)
{
    PipeStream s;
    s.Version().Byte(5).Text("title").Style(6, 18);
    std::vector<std::size_t> setEnds; // offset of the message that finishes each set
    s.NewSet("one", true, false).Point(1, 2).Real(0.5f).Style(11, 1).Byte(13).Byte(1).Byte(2).Byte(3);
    s.Byte(2).Point(2, 3).Real(0.25f).Byte(21).Real(0).Real(5).Byte(24).Real(1).Real(0.5f);
    setEnds.push_back(s.Bytes().size());
    s.NewSet("two", false, true).Point(4, 5).Real(1).Style(18, 3).Byte(17).Byte(9).Byte(9).Byte(9);
    setEnds.push_back(s.Bytes().size());
    s.Export(27, "page.bmp", 300, 200);
    const std::string full = s.Bytes();
    const PipeResult whole = Read(full, 1);
    ASSERT_FALSE(whole.failed) << whole.error;
    ASSERT_EQ(whole.finished.Count(), 2);
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        PipeResult result = Read(full.substr(0, cut), cut % 3 + 1);
        ASSERT_TRUE(result.failed);
        EXPECT_TRUE(result.error == "Empty pipe!" || result.error == "Can't read message header") << result.error;
        int finished = 0;
        for (std::size_t end : setEnds)
            finished += cut > end ? 1 : 0; // finished once the next message's type byte is in
        EXPECT_EQ(result.finished.Count(), finished);
        EXPECT_EQ(result.saveOption, kPipeNoSave);
    }
}

TEST(PipeReader, ByteAtATimeReadsTheSameAsWholeBlocks)
{
    PipeStream s;
    s.Version();
    for (int set = 0; set < 3; ++set) {
        s.NewSet("set" + std::to_string(set), set == 1, set == 2).Style(14, set + 1);
        for (int i = 0; i < 500; ++i) {
            s.Point(float(i) * 0.5f, float(set * 1000 - i));
            if (set > 0)
                s.Real(float(i) * -0.01f);
        }
    }
    s.EndAndClose();
    const PipeResult blocks = Read(s.Bytes());
    const PipeResult bytes = Read(s.Bytes(), 1);
    ASSERT_EQ(blocks.finished.Count(), 3);
    ASSERT_EQ(bytes.finished.Count(), 3);
    for (int set = 0; set < 3; ++set) {
        SCOPED_TRACE(set);
        const Plot& a = blocks.finished.Get(set);
        const Plot& b = bytes.finished.Get(set);
        EXPECT_EQ(Points(a), Points(b));
        EXPECT_EQ(std::vector<float>(a.m_dx.begin(), a.m_dx.end()), std::vector<float>(b.m_dx.begin(), b.m_dx.end()));
        EXPECT_EQ(std::vector<float>(a.m_dy.begin(), a.m_dy.end()), std::vector<float>(b.m_dy.begin(), b.m_dy.end()));
        EXPECT_EQ(a.PointCount(), 500);
        EXPECT_EQ(a.m_pointSize, set + 1);
    }
}

namespace {

// Halts the reader when a given progress report arrives, as the view does
// when the user answers Yes.
class HaltingEvents : public RecordingPipeEvents {
public:
    HaltingEvents(std::atomic<bool>& halt, std::string when) : m_halt(halt), m_when(std::move(when)) {}
    void Status(int code, int value) override
    {
        RecordingPipeEvents::Status(code, value);
        if (lines.back() == m_when)
            m_halt = true;
    }

private:
    std::atomic<bool>& m_halt;
    std::string m_when;
};

} // namespace

TEST(PipeReader, HaltStopsBeforeTheNextMessageAndDropsTheOpenSet)
{
    PipeStream s;
    s.NewSet("kept").Point(1, 1).NewSet("dropped").Point(2, 2).EndOfData();
    std::atomic<bool> halt = false;
    HaltingEvents events(halt, "status 1 1"); // the second set has begun
    MemoryPipeSource source(s.Bytes());
    PipeBuffer input(source);
    PipeResult result = ReadPipe(input, events, &halt);
    EXPECT_TRUE(result.halted);
    EXPECT_FALSE(result.failed);
    ASSERT_EQ(result.finished.Count(), 1);
    EXPECT_EQ(result.finished.Get(0).m_info, "kept");
    // The end message after the second set was never handled.
    EXPECT_EQ(events.lines.back(), "status 1 1");
}

TEST(PipeReader, AHugeTextLengthAllocatesOnlyWhatArrived)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit does not work with AddressSanitizer";
    const int status = RunWithMemoryLimit(64 << 20, [](std::FILE*) {
        PipeStream s;
        s.Byte(5).Int(0x7FFFFFFF).Raw(std::string(100000, 'x'));
        PipeResult result = Read(s.Bytes());
        return result.error == "Empty pipe!" ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

namespace {

// An endless stream: a set header, then points for ever.
class EndlessPoints : public PipeSource {
public:
    std::size_t Read(void* into, std::size_t room) override
    {
        auto* out = static_cast<char*>(into);
        std::size_t given = 0;
        while (given < room) {
            if (m_header.empty())
                m_header = PipeStream().Point(1, 2).Bytes();
            const std::size_t take = std::min(room - given, m_header.size() - m_offset);
            std::memcpy(out + given, m_header.data() + m_offset, take);
            given += take;
            m_offset += take;
            if (m_offset == m_header.size()) {
                m_header.clear();
                m_offset = 0;
            }
        }
        return given;
    }
    std::string m_header = PipeStream().NewSet("first").Point(1, 1).NewSet("endless").Bytes();
    std::size_t m_offset = 0;
};

} // namespace

TEST(PipeReader, RunningOutOfMemoryIsAMessageAndKeepsTheFinishedSets)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit does not work with AddressSanitizer";
    std::string output;
    const int status = RunWithMemoryLimit(40 << 20, [](std::FILE* out) {
        EndlessPoints source;
        PipeBuffer input(source);
        RecordingPipeEvents events;
        PipeResult result = ReadPipe(input, events);
        std::fprintf(out, "%s|%d", result.error.c_str(), result.finished.Count());
        return 0;
    }, &output);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "Not enough memory to read from the data pipe!|1");
}
