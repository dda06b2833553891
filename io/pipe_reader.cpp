#include "io/pipe_reader.h"

#include "io/pipe_buffer.h"
#include "io/pipe_events.h"
#include "model/colors.h"
#include "model/error.h"

#include <cmath>
#include <memory>
#include <new>

static constexpr const char* kSource = "pipe reader";

// Failures that the protocol itself has no text for.
static constexpr const char* kNegativeLength = "Illegal text length";
static constexpr const char* kNoMemory = "Not enough memory to read from the data pipe!";

namespace {

// One run of the reader: the working state of the protocol.
class PipeRun {
public:
    PipeRun(PipeBuffer& input, PipeEvents& events, PipeResult& result)
        : m_in(input), m_events(events), m_result(result) {}

    // Reads and handles one message; false once reading is to stop.
    bool ReadMessage();
    // Drops the open set, if any.
    void DiscardCurrent() { m_current.reset(); }

private:
    void NewSet();
    void Point();
    void Style(int code);
    void CustomColor(bool line);
    void Title(PipeText which);
    void FontSize(PipeText which);
    void Pair(PipePair& pair);
    void EndRequest(int code);
    void Finish();

    std::uint8_t Byte()
    {
        std::uint8_t value;
        if (!m_in.ReadByte(value))
            throw Error("Empty pipe!", kSource, __LINE__);
        return value;
    }
    std::int32_t Int()
    {
        std::int32_t value;
        if (!m_in.ReadInt(value))
            throw Error("Empty pipe!", kSource, __LINE__);
        return value;
    }
    float Real()
    {
        float value;
        if (!m_in.ReadReal(value))
            throw Error("Empty pipe!", kSource, __LINE__);
        return value;
    }
    std::string Text()
    {
        const std::int32_t length = Int();
        if (length < 0)
            throw Error(kNegativeLength, kSource, __LINE__);
        std::string text;
        if (!m_in.ReadText(std::uint32_t(length), text))
            throw Error("Empty pipe!", kSource, __LINE__);
        return text;
    }
    Plot& Current(const char* missing)
    {
        if (!m_current)
            throw Error(missing, kSource, __LINE__);
        return *m_current;
    }

    PipeBuffer& m_in;
    PipeEvents& m_events;
    PipeResult& m_result;
    std::unique_ptr<Plot> m_current;
    bool m_hasDx = false;
    bool m_hasDy = false;
};

} // namespace

void PipeRun::Finish()
{
    if (!m_current)
        return;
    // The new set carries the hand-over flag, so the list element takes its
    // chains as they are instead of copying them.
    m_result.finished.Append(*m_current);
    m_current.reset();
    ++m_result.finishedCount;
}

void PipeRun::NewSet()
{
    Finish();
    m_events.Status(kPipeReadingPlot, m_result.finishedCount);
    m_current = std::make_unique<Plot>();
    Plot& plot = *m_current;
    plot.m_handOver = 1;
    plot.m_xPositive = 1;
    plot.m_yPositive = 1;
    m_hasDx = Byte() != 0;
    if (m_hasDx)
        plot.m_xErrorBarDisplay = kErrorBarBoth;
    m_hasDy = Byte() != 0;
    if (m_hasDy)
        plot.m_yErrorBarDisplay = kErrorBarBoth;
    plot.m_info = Text();
    if (m_result.finished.Count() > 0)
        plot.m_lineColor = NextSetColor(m_result.finished.Get(m_result.finished.Count() - 1).m_lineColor);
}

void PipeRun::Point()
{
    Plot& plot = Current("Can't read point data into NULL plot");
    const float x = Real();
    if (!(x > 0.0f))
        plot.m_xPositive = 0;
    const float y = Real();
    if (!(y > 0.0f))
        plot.m_yPositive = 0;
    plot.AddPoint(x, y);
    if (m_hasDx) {
        const float dx = std::fabs(Real());
        plot.AddDx(dx);
        if (!(x - dx > 0.0f))
            plot.m_xPositive = 0;
    }
    if (m_hasDy) {
        const float dy = std::fabs(Real());
        plot.AddDy(dy);
        if (!(y - dy > 0.0f))
            plot.m_yPositive = 0;
    }
}

void PipeRun::Style(int code)
{
    struct Rule {
        const char* missing;
        const char* illegal;
        int low, high;
    };
    static constexpr Rule kRules[] = {
        {"Can't read symbol type into NULL plot", "Illegal symbol type", 0, 7},  // 11
        {"Can't read symbol color into NULL plot", "Illegal symbol color", 0, 7}, // 12
        {nullptr, nullptr, 0, 0},                                                // 13
        {"Can't read symbol size into NULL plot", "Illegal symbol size", 1, 10},  // 14
        {"Can't read line type into NULL plot", "Illegal line type", 0, 5},       // 15
        {"Can't read line color into NULL plot", "Illegal line color", 0, 7},     // 16
        {nullptr, nullptr, 0, 0},                                                // 17
        {"Can't read line size into NULL plot", "Illegal line size", 1, 5},       // 18
    };
    const Rule& rule = kRules[code - 11];
    Plot& plot = Current(rule.missing);
    const std::int32_t value = Int();
    if (value < rule.low || value > rule.high)
        throw Error(rule.illegal, kSource, __LINE__);
    switch (code) {
    case 11: plot.m_pointStyle = value; break;
    case 12:
        plot.m_pointColor = ColorFromCode(value);
        plot.m_pointColorNone = value == kNone ? 1 : 0;
        break;
    case 14: plot.m_pointSize = value; break;
    case 15: plot.m_lineStyle = value; break;
    case 16: plot.m_lineColor = ColorFromCode(value); break;
    case 18: plot.m_lineSize = value; break;
    default: break;
    }
}

void PipeRun::CustomColor(bool line)
{
    Plot& plot = Current(line ? "Can't read custom line color into NULL plot"
                              : "Can't read custom symbol color into NULL plot");
    const int red = Byte();
    const int green = Byte();
    const int blue = Byte();
    if (line) {
        plot.m_lineColor = RGBColor(red, green, blue);
    } else {
        plot.m_pointColor = RGBColor(red, green, blue);
        plot.m_pointColorNone = 0;
    }
}

void PipeRun::Title(PipeText which)
{
    m_events.Text(which, Text());
}

void PipeRun::FontSize(PipeText which)
{
    const std::int32_t size = Int();
    if (size <= 0)
        throw Error("Font size is too small!", kSource, __LINE__);
    m_events.FontSize(which, size);
}

void PipeRun::Pair(PipePair& pair)
{
    const float first = Real();
    const float second = Real();
    pair = {true, first, second};
}

void PipeRun::EndRequest(int code)
{
    Finish();
    std::string name = Text();
    int width = 0, height = 0;
    if (code != kPipeSaveDocument) {
        width = Int();
        height = Int();
    }
    // Only a request that arrived whole is carried out: a stream cut inside
    // it must not save or export under a partial name.
    m_result.saveOption = code;
    m_result.saveFileName = std::move(name);
    m_result.exportWidth = width;
    m_result.exportHeight = height;
    m_result.closeAfter = true;
}

bool PipeRun::ReadMessage()
{
    std::uint8_t type;
    if (!m_in.ReadByte(type))
        throw Error("Can't read message header", kSource, __LINE__);
    const int code = static_cast<std::int8_t>(type);
    switch (code) {
    case 1: NewSet(); return true;
    case 2: Current("Can't read data into NULL plot"); return true;
    case 3: Point(); return true;
    case 4:
        Finish();
        m_events.Status(kPipeClosing, 0);
        return false;
    case 5: Title(PipeText::Title); return true;
    case 6: FontSize(PipeText::Title); return true;
    case 7: Title(PipeText::XLabel); return true;
    case 8: FontSize(PipeText::XLabel); return true;
    case 9: Title(PipeText::YLabel); return true;
    case 10: FontSize(PipeText::YLabel); return true;
    case 11:
    case 12:
    case 14:
    case 15:
    case 16:
    case 18: Style(code); return true;
    case 13: CustomColor(false); return true;
    case 17: CustomColor(true); return true;
    case 20:
        if (Int() != kPipeVersion)
            throw Error("Wrong Corvid Link version!", kSource, __LINE__);
        return true;
    case 21: Pair(m_result.xRange); return true;
    case 22: Pair(m_result.xTicks); return true;
    case 23: Pair(m_result.yRange); return true;
    case 24: Pair(m_result.yTicks); return true;
    case 25:
        Finish();
        m_result.closeAfter = true;
        return false;
    case kPipeSaveDocument:
    case kPipeExportBmp:
    case kPipeExportPng: EndRequest(code); return false;
    default: throw Error("Unknown message", kSource, __LINE__);
    }
}

PipeResult ReadPipe(PipeBuffer& input, PipeEvents& events, const std::atomic<bool>* halt)
{
    PipeResult result;
    PipeRun run(input, events, result);
    events.Status(kPipeWaiting, 0);
    try {
        for (;;) {
            if (halt && halt->load(std::memory_order_relaxed)) {
                result.halted = true;
                break;
            }
            if (!run.ReadMessage())
                break;
        }
    } catch (const Error& error) {
        result.failed = true;
        result.error = error.Text();
    } catch (const std::bad_alloc&) {
        result.failed = true;
        result.error = kNoMemory;
    }
    run.DiscardCurrent();
    result.unread = result.failed && input.BytesRead() == 0;
    return result;
}
