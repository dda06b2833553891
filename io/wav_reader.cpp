#include "io/wav_reader.h"

#include "io/ascii_import.h"
#include "io/riff_reader.h"
#include "model/messages.h"
#include "render/graph.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <span>
#include <unistd.h>

namespace {

// Frames are decoded from blocks of about this size straight out of the reader.
constexpr std::size_t kDecodeBytes = std::size_t(1) << 20;

std::uint16_t Little16(const std::uint8_t* bytes)
{
    return std::uint16_t(bytes[0] | bytes[1] << 8);
}

std::uint32_t Little32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

template <int Bytes>
float Sample(const std::uint8_t* bytes)
{
    if constexpr (Bytes == 1)
        return float(int(bytes[0]) - 128);
    else if constexpr (Bytes == 2)
        return float(std::int16_t(Little16(bytes)));
    else
        return float(std::int32_t(Little32(bytes)));
}

// Adds the frames of one block; frame k (counted from 1 over the file) lies
// at k time steps. The time is formed in double and rounded once.
template <int Bytes>
void AddFrames(Plot& left, Plot* right, std::span<const std::uint8_t> block, std::size_t frameSize,
               std::uint64_t firstFrame, double timeStep)
{
    const std::uint8_t* frame = block.data();
    const std::size_t frames = block.size() / frameSize;
    for (std::size_t j = 0; j < frames; ++j, frame += frameSize) {
        const float x = float(double(firstFrame + j + 1) * timeStep);
        left.AddPoint(x, Sample<Bytes>(frame));
        if (right)
            right->AddPoint(x, Sample<Bytes>(frame + Bytes));
    }
}

// The new sets, appended to the graph with their names and line colours.
void CreateSets(Graph& graph, bool stereo, const std::string& name, Plot*& left, Plot*& right)
{
    const int first = graph.m_plots.Count();
    const char* names[2] = {stereo ? "Left channel: " : "Mono channel: ", "Right channel: "};
    for (int k = 0; k < (stereo ? 2 : 1); ++k) {
        Plot plot;
        plot.m_xPositive = 1;
        plot.m_yPositive = 0;
        plot.m_info = names[k] + name;
        graph.m_plots.Append(plot);
    }
    graph.SyncPlotGeometry(first);
    left = &graph.m_plots.Get(first);
    right = stereo ? &graph.m_plots.Get(first + 1) : nullptr;
    if (stereo && first == 0) {
        left->m_lineColor = ColorFromCode(kBlack);
        right->m_lineColor = ColorFromCode(kRed);
        return;
    }
    if (first > 0)
        left->m_lineColor = NextSetColor(graph.m_plots.Get(first - 1).m_lineColor);
    if (right)
        right->m_lineColor = NextSetColor(left->m_lineColor);
}

int Fail(WavReadReport& report, WavProblem problem)
{
    report.problem = problem;
    return kWavFailed;
}

int ReadWav(Graph& graph, RiffReader& reader, const std::string& name, Messages& messages,
            WavReadReport& report)
{
    RiffChunk riff;
    std::uint32_t formType = 0;
    if (!reader.ReadForm(riff, formType))
        return Fail(report, reader.ReadFailed() ? WavProblem::ReadError : WavProblem::TooShort);
    if (riff.id != FourCC("RIFF") || formType != FourCC("WAVE")) {
        messages.Show("Unable to locate the 'RIFF' chunk - are you surethis is a WAV file?");
        return Fail(report, WavProblem::NotRiff);
    }
    RiffChunk format;
    if (!reader.FindChunk(riff, FourCC("fmt "), format) || format.size < 16) {
        if (reader.ReadFailed())
            return Fail(report, WavProblem::ReadError);
        messages.Show("Unable to locate the 'fmt' chunk");
        return Fail(report, WavProblem::NoFmt);
    }
    const std::span<const std::uint8_t> fields = reader.Load(format.offset, 16);
    if (fields.size() < 16)
        return Fail(report, reader.ReadFailed() ? WavProblem::ReadError : WavProblem::FmtCut);
    report.formatTag = Little16(fields.data());
    report.channels = Little16(fields.data() + 2);
    report.sampleRate = Little32(fields.data() + 4);
    report.bitsPerSample = Little16(fields.data() + 14);
    if (report.formatTag != 1)
        return Fail(report, WavProblem::NotPcm);
    // No frames can be counted without channels, and no times without a rate.
    if (report.channels == 0 || report.sampleRate == 0)
        return Fail(report, WavProblem::BadFormat);
    RiffChunk data;
    if (!reader.FindChunk(riff, FourCC("data"), data)) {
        // A recording cut off before its sizes were written may give a form
        // that ends before its data chunk: the search goes on to the end of
        // the file, and the frames there are read as of a short file.
        RiffChunk wholeFile = riff;
        wholeFile.size = std::uint32_t(std::min<std::uint64_t>(UINT32_MAX, reader.Size() - riff.offset));
        if (reader.ReadFailed() || wholeFile.size <= riff.size ||
            !reader.FindChunk(wholeFile, FourCC("data"), data))
            return Fail(report, reader.ReadFailed() ? WavProblem::ReadError : WavProblem::NoData);
    }

    const bool stereo = report.channels == 2;
    Plot* left = nullptr;
    Plot* right = nullptr;
    try {
        CreateSets(graph, stereo, name, left, right);
    } catch (const std::bad_alloc&) {
        return kNoMemory;
    }
    const int bytes = report.bitsPerSample / 8;
    if (bytes != 1 && bytes != 2 && bytes != 4)
        return Fail(report, WavProblem::NotPcm);

    const std::size_t frameSize = std::size_t(report.channels) * std::size_t(bytes);
    report.frameCount = data.size / frameSize;
    // A set counts its points in an int.
    const std::uint64_t frames = std::min<std::uint64_t>(report.frameCount, INT_MAX);
    const std::size_t framesPerBlock = std::max<std::size_t>(1, kDecodeBytes / frameSize);
    const double timeStep = double(1.0f / float(report.sampleRate));
    try {
        while (report.framesRead < frames) {
            const std::uint64_t wanted = std::min<std::uint64_t>(framesPerBlock, frames - report.framesRead);
            const std::span<const std::uint8_t> block =
                reader.Load(data.offset + report.framesRead * frameSize, std::size_t(wanted * frameSize));
            switch (bytes) {
            case 1: AddFrames<1>(*left, right, block, frameSize, report.framesRead, timeStep); break;
            case 2: AddFrames<2>(*left, right, block, frameSize, report.framesRead, timeStep); break;
            default: AddFrames<4>(*left, right, block, frameSize, report.framesRead, timeStep); break;
            }
            const std::uint64_t got = block.size() / frameSize;
            report.framesRead += got;
            if (got < wanted)
                return Fail(report, reader.ReadFailed() ? WavProblem::ReadError : WavProblem::DataCut);
        }
    } catch (const std::bad_alloc&) {
        // The frame being added may have reached the left set only.
        if (right && left->PointCount() > right->PointCount())
            left->m_points.Pop();
        report.framesRead = std::uint64_t(right ? right->PointCount() : left->PointCount());
        return kNoMemory;
    }
    if (report.frameCount > frames)
        return kNoMemory;
    return -1;
}

} // namespace

int ReadWavFile(Graph& graph, const std::string& fileName, int format, Messages& messages,
                WavReadReport* report)
{
    WavReadReport local;
    WavReadReport& result = report ? *report : local;
    result = {};
    if (format != kImportWav) {
        messages.Show("Only WAVE files are currently supported!");
        return kWavWrongFormat;
    }
    const int file = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return kCannotOpen;
    int status = kWavFailed;
    try {
        RiffReader reader(file);
        status = ReadWav(graph, reader, fileName, messages, result);
    } catch (const std::bad_alloc&) {
        status = kNoMemory; // a stream too large to hold
    }
    ::close(file);
    return status;
}

int ReadWavBytes(Graph& graph, const void* data, std::size_t size, const std::string& name,
                 Messages& messages, WavReadReport* report)
{
    WavReadReport local;
    WavReadReport& result = report ? *report : local;
    result = {};
    RiffReader reader(data, size);
    return ReadWav(graph, reader, name, messages, result);
}

std::string WavProblemMessage(const WavReadReport& report, const std::string& fileName)
{
    char text[256];
    switch (report.problem) {
    case WavProblem::TooShort:
        return "The file " + fileName + " is too short to be a WAV file";
    case WavProblem::FmtCut:
        return "The 'fmt' chunk of file " + fileName + " is cut short";
    case WavProblem::NotPcm:
        std::snprintf(text, sizeof text, " (format %d, %d bits per sample)", report.formatTag,
                      report.bitsPerSample);
        return "Unsupported WAV format in file " + fileName + text +
               ": only 8, 16 and 32-bit PCM can be read";
    case WavProblem::BadFormat:
        std::snprintf(text, sizeof text, "%d channels at %u samples per second", report.channels,
                      report.sampleRate);
        return "The WAV file " + fileName + " is damaged: its format gives " + text;
    case WavProblem::NoData:
        return "Unable to locate the 'data' chunk in file " + fileName;
    case WavProblem::DataCut:
        std::snprintf(text, sizeof text, " ends after %llu of its %llu frames; the frames read were kept",
                      static_cast<unsigned long long>(report.framesRead),
                      static_cast<unsigned long long>(report.frameCount));
        return "The audio data in file " + fileName + text;
    case WavProblem::ReadError:
        return "IO error reading from file " + fileName;
    default:
        return "";
    }
}
