#include "io/ascii_import.h"

#include "io/io_buffer.h"
#include "io/number_parsing.h"
#include "io/wav_reader.h"
#include "model/error.h"
#include "model/messages.h"
#include "render/graph.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

const char* const kImportFormatNames[6] = {"ASCII: x y",       "ASCII: x y1 y2 ... yn",
                                           "ASCII: x y dx",    "ASCII: x y dy",
                                           "ASCII: x y dx dy", "AUDIO: wav"};

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Where a value's text ends: a blank, a line end, a comment or a NUL.
bool EndsValue(char c)
{
    return IsBlank(c) || c == '\n' || c == '\r' || c == '#' || c == '\0';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

enum class LineKind { Empty, Values, Comment, Overflow, Incomplete };

/// One line read from the window: what it held and where the next one starts.
struct ScannedLine {
    LineKind kind = LineKind::Incomplete;
    const char* next = nullptr;
    const char* contentEnd = nullptr; // where the line's characters end (its CR, LF or the input's end)
    std::string_view comment; // from the "#" to the line end (or a NUL)
};

// The end of the line that holds `p`: the first CR or LF, or nullptr.
const char* FindLineEnd(const char* p, const char* end)
{
    while (p < end && *p != '\n' && *p != '\r')
        ++p;
    return p < end ? p : nullptr;
}

// Sets where the line ending at `lineEnd` (a CR or LF) is followed: CR LF,
// LF and a lone CR each end one line. A CR at the window's end may be the
// first half of a CR LF, so the line counts as complete only when `final`.
bool Finish(ScannedLine& line, const char* lineEnd, const char* end, bool final)
{
    const char* next = lineEnd + 1;
    if (*lineEnd == '\r') {
        if (next < end && *next == '\n')
            ++next;
        else if (next == end && !final)
            return false;
    }
    line.next = next;
    line.contentEnd = lineEnd;
    return true;
}

// The line runs to the end of the input.
void FinishAtEnd(ScannedLine& line, const char* end)
{
    line.next = end;
    line.contentEnd = end;
}

// Reads the values of the line at the start of [begin, end) in one pass.
// A "#" anywhere makes it a comment whatever stands before it; a NUL ends
// what is read of it; a value beyond the float range makes it an overflow.
// When the line runs past `end` and more text may follow (`final` false),
// the result is Incomplete and nothing is used.
ScannedLine ScanLine(const char* begin, const char* end, bool final, std::vector<float>& values)
{
    values.clear();
    ScannedLine line;
    bool overflow = false;
    const char* p = begin;
    if (p < end && (*p == '\n' || *p == '\r' || *p == '\0')) {
        // An empty line, or one whose C text is empty, is passed over.
        const char* lineEnd = *p == '\0' ? FindLineEnd(p, end) : p;
        if (!lineEnd) {
            if (!final)
                return line;
            FinishAtEnd(line, end);
        } else if (!Finish(line, lineEnd, end, final)) {
            return line;
        }
        line.kind = LineKind::Empty;
        return line;
    }
    for (;;) {
        while (p < end && IsBlank(*p))
            ++p;
        if (p == end) {
            if (!final)
                return line;
            FinishAtEnd(line, end);
            break;
        }
        const char c = *p;
        if (c == '\n' || c == '\r') {
            if (!Finish(line, p, end, final))
                return line;
            break;
        }
        if (c == '#' || c == '\0') {
            const char* lineEnd = FindLineEnd(p, end);
            if (!lineEnd && !final)
                return line;
            if (lineEnd && !Finish(line, lineEnd, end, final))
                return line;
            if (!lineEnd)
                FinishAtEnd(line, end);
            if (c == '#') {
                const std::string_view rest(p, std::size_t((lineEnd ? lineEnd : end) - p));
                line.comment = rest.substr(0, rest.find('\0'));
                line.kind = LineKind::Comment;
                return line;
            }
            break;
        }
        double value = 0;
        const char* stop = nullptr;
        const char* digits = c == '-' ? p + 1 : p;
        if (digits < end && (IsDigit(*digits) || *digits == '.')) {
            const char* simple = ParseSimpleDecimal(p, end, value);
            if (simple && simple < end && EndsValue(*simple)) {
                stop = simple;
            } else {
                const auto result = std::from_chars(p, end, value, std::chars_format::general);
                if (result.ec == std::errc() && result.ptr < end && EndsValue(*result.ptr))
                    stop = result.ptr;
            }
        }
        if (!stop) {
            // Unusual text (junk after the number, hex, "inf", a "+" sign ...):
            // the whole token goes to the exact atof reading.
            stop = p;
            while (stop < end && !EndsValue(*stop))
                ++stop;
            if (stop == end && !final)
                return line; // the token may go on behind the window
            value = ParseAtof(p, stop);
        }
        if (std::fabs(value) > double(FLT_MAX))
            overflow = true;
        values.push_back(float(value));
        p = stop;
    }
    line.kind = overflow ? LineKind::Overflow : LineKind::Values;
    return line;
}

void ApplyOption(Plot& plot, const ImportOption& option)
{
    if (option.m_lineSize != -1)
        plot.m_lineSize = option.m_lineSize;
    if (option.m_pointSize != -1)
        plot.m_pointSize = option.m_pointSize;
    if (option.m_lineStyle != -1)
        plot.m_lineStyle = option.m_lineStyle;
    if (option.m_pointStyle != -1)
        plot.m_pointStyle = option.m_pointStyle;
    if (option.m_pointColor != -1) {
        plot.m_pointColor = ColorFromCode(option.m_pointColor);
        plot.m_pointColorNone = plot.m_pointColor == kNoColor ? 1 : 0;
    }
    if (option.m_lineColor != -1)
        plot.m_lineColor = ColorFromCode(option.m_lineColor);
    if (option.m_errorBarDisplay != -1) {
        plot.m_xErrorBarDisplay = option.m_errorBarDisplay;
        plot.m_yErrorBarDisplay = option.m_errorBarDisplay;
    }
    if (option.m_infoGiven == 1)
        plot.m_info = option.m_infoText;
}

// A title still at its default takes the first non-empty option text, or none.
void ApplyTitle(TextObject& title, const char* defaultText, const ImportOptionList& options,
                std::string ImportOption::*field)
{
    if (title.m_text != defaultText)
        return;
    const std::string* text = options.FirstTitle(field);
    title.m_text = text ? *text : std::string();
}

// The sets of one block, made at its first line with values. A new set takes
// its line colour from the set before it; the first set of an empty graph
// keeps black.
struct BlockSets {
    int first = 0;
    std::vector<Plot*> plots;
};

void CreateBlockSets(Graph& graph, BlockSets& block, int count, const std::string& setName)
{
    for (int k = 0; k < count; ++k) {
        Plot plot;
        plot.m_xPositive = 1;
        plot.m_yPositive = 1;
        plot.m_info = setName;
        const int index = graph.m_plots.Count();
        if (index > 0)
            plot.m_lineColor = NextSetColor(graph.m_plots.Get(index - 1).m_lineColor);
        graph.m_plots.Append(plot);
        block.plots.push_back(&graph.m_plots.Get(index));
    }
    // Only the new sets need the plot area: the others hold it already.
    graph.SyncPlotGeometry(block.first);
}

void AddPoint(Plot& plot, float x, float y, const float* dx, const float* dy)
{
    plot.AddPoint(x, y);
    float xLow = x, yLow = y;
    if (dx) {
        plot.AddDx(std::fabs(*dx));
        xLow = x - std::fabs(*dx);
    }
    if (dy) {
        plot.AddDy(std::fabs(*dy));
        yLow = y - std::fabs(*dy);
    }
    if (!(xLow > 0))
        plot.m_xPositive = 0;
    if (!(yLow > 0))
        plot.m_yPositive = 0;
}

} // namespace

int ReadBlock(Graph& graph, IOBuffer& source, int& importedSets, ImportOptionList& options,
              const std::string& setName, int format, Messages& messages)
{
    BlockSets block;
    block.first = graph.m_plots.Count();
    std::size_t columns = 0;
    int dataLine = 0;
    bool blankEnded = false;
    std::vector<float> values;
    values.reserve(16);

    while (!source.AtEnd()) {
        ScannedLine line;
        for (;;) {
            const std::string_view window = source.Window();
            const char* begin = window.data();
            const char* end = begin + window.size();
            line = ScanLine(begin, end, false, values);
            if (line.kind != LineKind::Incomplete)
                break;
            // The line runs past the window: refuse it when it is too long,
            // else read more, or take the rest as the last line. The window
            // holds one character beyond the longest line, so the LF of a
            // CR LF after a line of the longest length is seen.
            if (window.size() > kMaxLineLength)
                return kLineTooLong;
            if (!source.Extend()) {
                const std::string_view last = source.Window();
                line = ScanLine(last.data(), last.data() + last.size(), true, values);
                break;
            }
        }
        if (std::size_t(line.contentEnd - source.Window().data()) >= kMaxLineLength)
            return kLineTooLong;
        source.Consume(line.next);
        if (line.kind == LineKind::Empty)
            continue;
        if (line.kind == LineKind::Comment) {
            ImportOption option;
            const int result = ParseImportOption(line.comment, option);
            if (result < 0)
                messages.Show(OptionMessage(result));
            else if (result > 0)
                options.Merge(option);
            continue;
        }
        if (line.kind == LineKind::Overflow)
            return kNotFloat;
        if (values.empty()) {
            blankEnded = true;
            break;
        }
        ++dataLine;
        if (columns == 0) {
            columns = values.size();
            const int count = format == kImportNXY && columns > 2 ? int(columns) - 1 : 1;
            CreateBlockSets(graph, block, count, setName);
        } else if (values.size() != columns) {
            for (std::size_t k = 0; k < block.plots.size(); ++k)
                graph.m_plots.Remove(graph.m_plots.Count() - 1);
            return kMissingColumns;
        }
        const float* v = values.data();
        switch (format) {
        case kImportNXY:
            if (columns > 2) {
                for (std::size_t k = 0; k + 1 < columns; ++k)
                    AddPoint(*block.plots[k], v[0], v[k + 1], nullptr, nullptr);
                break;
            }
            [[fallthrough]];
        case kImportXY:
            if (columns == 1)
                AddPoint(*block.plots[0], float(dataLine), v[0], nullptr, nullptr);
            else
                AddPoint(*block.plots[0], v[0], v[1], nullptr, nullptr);
            break;
        case kImportXYDX:
            if (columns < 3)
                return kMissingColumns;
            AddPoint(*block.plots[0], v[0], v[1], &v[2], nullptr);
            break;
        case kImportXYDY:
            if (columns < 3)
                return kMissingColumns;
            AddPoint(*block.plots[0], v[0], v[1], nullptr, &v[2]);
            break;
        default:
            if (columns < 4)
                return kMissingColumns;
            AddPoint(*block.plots[0], v[0], v[1], &v[2], &v[3]);
            break;
        }
    }

    if (block.plots.empty() && importedSets == 0 && source.AtEnd())
        return kNoData;
    for (std::size_t k = 0; k < block.plots.size(); ++k) {
        Plot& plot = *block.plots[k];
        if (format == kImportXYDX || format == kImportXYDXDY)
            plot.m_xErrorBarDisplay = 2;
        if (format == kImportXYDY || format == kImportXYDXDY)
            plot.m_yErrorBarDisplay = 2;
        if (const ImportOption* option = options.ForSet(importedSets + int(k)))
            ApplyOption(plot, *option);
    }
    ApplyTitle(graph.m_title, "Graph", options, &ImportOption::m_graphTitle);
    ApplyTitle(graph.m_xLabel, "X Axis", options, &ImportOption::m_xAxisTitle);
    ApplyTitle(graph.m_yLabel, "Y Axis", options, &ImportOption::m_yAxisTitle);
    if (blankEnded) {
        importedSets += int(block.plots.size());
        return 0;
    }
    return -1;
}

static int ReadSource(Graph& graph, IOBuffer& source, int format, const std::string& setName,
                      Messages& messages)
{
    ImportOptionList options;
    int importedSets = 0;
    int result = 0;
    // The input decides how much is allocated (points, sets, columns, option
    // records); running out is this import's failure, not the program's. What
    // was read before stays, as after the other failures.
    try {
        do {
            char status[64];
            std::snprintf(status, sizeof status, "Reading data into plot %d", graph.m_plots.Count());
            messages.Status(status);
            result = ReadBlock(graph, source, importedSets, options, setName, format, messages);
        } while (result == 0);
    } catch (const std::bad_alloc&) {
        result = kNoMemory;
    } catch (const Mem_Error&) {
        result = kNoMemory;
    }
    options.Clear();
    // A source that opens but cannot be read (a directory, a failing disk) is a
    // read error, not a file without data.
    if ((result == -1 || result == kNoData) && source.ReadFailed())
        return kIOError;
    return result;
}

int ReadFile(Graph& graph, const std::string& fileName, int format, Messages& messages)
{
    if (format == kImportWav) {
        char status[64];
        std::snprintf(status, sizeof status, "Reading audio data into plot %d",
                      graph.m_plots.Count());
        messages.Status(status);
        // The WAV reader shows its two format messages itself; its quiet
        // failures get a message of their own here.
        WavReadReport report;
        const int result = ReadWavFile(graph, fileName, format, messages, &report);
        if (result == kWavFailed) {
            const std::string message = WavProblemMessage(report, fileName);
            if (!message.empty())
                messages.Show(message);
        }
        return result;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (!file)
        return kCannotOpen;
    try {
        IOBuffer source(file.get());
        return ReadSource(graph, source, format, fileName, messages);
    } catch (const std::bad_alloc&) {
        return kNoMemory; // not even the read window could be had
    }
}

int ReadText(Graph& graph, const char* text, int format, Messages& messages)
{
    IOBuffer source(text);
    return ReadSource(graph, source, format, std::string(), messages);
}

std::string ImportMessage(int status, const std::string& name, bool clipboard)
{
    switch (status) {
    case kCannotOpen: return clipboard ? "" : "Unable to open the file " + name;
    case kNoData: return clipboard ? "No data found in the clipboard" : "No data found in the file " + name;
    case kIOError: return clipboard ? "IO error reading from the clipboard" : "IO error reading from file " + name;
    case kLineTooLong:
        return clipboard ? "Buffer overflow (line too long) reading from the clipboard"
                         : "Buffer overflow (line too long) reading from file " + name;
    case kMissingColumns:
        return clipboard ? "Missing columns in the clipboard data" : "Missing columns in file " + name;
    case kNotFloat:
        return clipboard ? "Can not convert numbers in the clipboard to float (4 bytes per value)"
                         : "Can not convert numbers in " + name + " to float (4 bytes per value)";
    case kNoMemory:
        return clipboard ? "Can't allocate memory to store data while reading from the clipboard"
                         : "Can't allocate memory to store data while reading from file " + name;
    default: return "";
    }
}

bool FallBackToLinear(Graph& graph, const std::string& sourceName, Messages& messages, int first)
{
    if ((!graph.m_xLog && !graph.m_yLog) || graph.m_plots.Count() == 0)
        return false;
    bool xBad = false, yBad = false;
    for (int i = std::max(first, 0); i < graph.m_plots.Count(); ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        xBad = xBad || (graph.m_xLog && !plot.m_xPositive);
        yBad = yBad || (graph.m_yLog && !plot.m_yPositive);
    }
    if (!xBad && !yBad)
        return false;
    messages.Show("Can't compute log(n<=0) in " + sourceName + "; Switching to a linear scale.");
    if (xBad)
        graph.m_xLog = 0;
    if (yBad)
        graph.m_yLog = 0;
    return true;
}
