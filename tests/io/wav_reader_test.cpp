#include "io/wav_reader.h"

#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "io/document_import.h"
#include "render/graph.h"
#include "tests/io/wav_bytes.h"
#include "tests/render/test_messages.h"
#include "tests/support/memory_limit.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <thread>
#include <unistd.h>

namespace {

using PointList = std::vector<PlotPoint>;

// A set's points in file order (the chains hold them newest first).
PointList FileOrder(const Plot& plot)
{
    PointList points(plot.m_points.begin(), plot.m_points.end());
    return {points.rbegin(), points.rend()};
}

std::vector<float> Values(const Plot& plot)
{
    std::vector<float> values;
    for (const PlotPoint& point : FileOrder(plot))
        values.push_back(point.y);
    return values;
}

} // namespace

TEST(WavReader, EightBitMonoIsCentredAndStartsOneStepAfterZero)
{
    const ScratchDir dir("corvid-wav");
    const std::string path = dir.Write("bytes.wav", WavFile(1, 8000, 8, std::string("\x00\x80\xFF", 3)));
    RecordingMessages messages;
    CTarnDoc doc;
    ASSERT_TRUE(ImportFile(doc, path, kImportWav, messages));
    const Graph& graph = doc.CurrentGraph();
    ASSERT_EQ(graph.m_plots.Count(), 1);
    const Plot& plot = graph.m_plots.Get(0);
    EXPECT_EQ(FileOrder(plot), (PointList{{0.000125f, -128}, {0.00025f, 0}, {0.000375f, 127}}));
    EXPECT_EQ(plot.m_info, "Mono channel: " + path);
    EXPECT_EQ(plot.m_xPositive, 1);
    EXPECT_EQ(plot.m_yPositive, 0);
    EXPECT_EQ(plot.m_lineColor, ColorFromCode(kBlack)) << "alone, the set keeps its default colour";
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST(WavReader, StereoMakesLeftAndRightSetsWithTheirColours)
{
    const ScratchDir dir("corvid-wav");
    const std::string path = dir.Write("stereo.wav", WavFile(2, 44100, 16, Samples16({100, -100, 200, -200})));
    struct Row {
        const char* name;
        int earlierSets;
        Color left, right;
    };
    const Row rows[] = {
        {"empty graph: black and red", 0, ColorFromCode(kBlack), ColorFromCode(kRed)},
        {"after a black set: the next colours", 1, ColorFromCode(kRed), ColorFromCode(kGreen)},
        {"after two sets: still the next colours", 2, ColorFromCode(kGreen), ColorFromCode(kBlue)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingMessages messages;
        CTarnDoc doc;
        Graph& graph = doc.CurrentGraph();
        if (row.earlierSets) {
            ASSERT_EQ(ReadText(graph, row.earlierSets == 1 ? "1 2\n" : "1 2 3\n", kImportNXY, messages), -1);
        }
        ASSERT_EQ(ReadFile(graph, path, kImportWav, messages), -1);
        ASSERT_EQ(graph.m_plots.Count(), row.earlierSets + 2);
        const Plot& left = graph.m_plots.Get(row.earlierSets);
        const Plot& right = graph.m_plots.Get(row.earlierSets + 1);
        const float step = 1.0f / 44100.0f;
        EXPECT_EQ(FileOrder(left), (PointList{{step, 100}, {float(2.0 * step), 200}}));
        EXPECT_EQ(FileOrder(right), (PointList{{step, -100}, {float(2.0 * step), -200}}));
        EXPECT_EQ(left.m_info, "Left channel: " + path);
        EXPECT_EQ(right.m_info, "Right channel: " + path);
        EXPECT_EQ(left.m_lineColor, row.left);
        EXPECT_EQ(right.m_lineColor, row.right);
        EXPECT_EQ(left.m_right, graph.m_right) << "the new sets hold the plot area";
    }
}

TEST(WavReader, MonoAfterOtherSetsTakesTheNextColour)
{
    RecordingMessages messages;
    CTarnDoc doc;
    Graph& graph = doc.CurrentGraph();
    ASSERT_EQ(ReadText(graph, "1 2\n", kImportXY, messages), -1);
    const std::string bytes = WavFile(1, 8000, 16, Samples16({1}));
    ASSERT_EQ(ReadWavBytes(graph, bytes.data(), bytes.size(), "m.wav", messages), -1);
    EXPECT_EQ(graph.m_plots.Get(1).m_lineColor, NextSetColor(graph.m_plots.Get(0).m_lineColor));
}

TEST(WavReader, SampleSizesAndChannelCounts)
{
    struct Row {
        const char* name;
        int channels, bits;
        std::string samples;
        std::vector<std::vector<float>> sets;
    };
    const Row rows[] = {
        {"32-bit extremes", 1, 32,
         LittleBytes(0x80000000u, 4) + LittleBytes(0x7FFFFFFFu, 4) + LittleBytes(1, 4),
         {{float(INT_MIN), float(INT_MAX), 1.0f}}},
        {"16-bit extremes", 1, 16, Samples16({-32768, 32767, 0}), {{-32768, 32767, 0}}},
        {"partial last frame ignored", 2, 16, Samples16({1, 2, 3, 4}) + std::string("\x05\x00\x06", 3), {{1, 3}, {2, 4}}},
        {"three channels: the first channel, frame by frame", 3, 16, Samples16({1, 2, 3, 4, 5, 6}), {{1, 4}}},
        {"8-bit stereo", 2, 8, std::string("\x00\xFF\x80\x81", 4), {{-128, 0}, {127, 1}}},
        {"empty data chunk", 1, 16, "", {{}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingMessages messages;
        CTarnDoc doc;
        Graph& graph = doc.CurrentGraph();
        const std::string bytes = WavFile(row.channels, 8000, row.bits, row.samples);
        ASSERT_EQ(ReadWavBytes(graph, bytes.data(), bytes.size(), "f.wav", messages), -1);
        ASSERT_EQ(graph.m_plots.Count(), int(row.sets.size()));
        for (int i = 0; i < graph.m_plots.Count(); ++i)
            EXPECT_EQ(Values(graph.m_plots.Get(i)), row.sets[std::size_t(i)]) << "set " << i;
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(WavReader, ChunksAreFoundWhereverTheyStand)
{
    const std::string format = Chunk("fmt ", FormatBody(1, 2, 22050, 16));
    const std::string data = Chunk("data", Samples16({7, -7, 9, -9, 11, -11}));
    const std::string list = Chunk("LIST", "INFOabc"); // odd size: one pad byte follows
    const std::string plain = RiffForm(format + data);
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"data before fmt", RiffForm(data + format)},
        {"odd-sized chunk before fmt", RiffForm(list + format + data)},
        {"odd-sized chunk between them", RiffForm(format + list + data)},
        {"longer fmt chunk (extension bytes)", RiffForm(Chunk("fmt ", FormatBody(1, 2, 22050, 16) + "\x00\x00") + data)},
        {"trailing chunk and bytes behind the form", RiffForm(format + data + Chunk("junk", "xyz")) + "tail"},
    };
    RecordingMessages messages;
    CTarnDoc reference;
    ASSERT_EQ(ReadWavBytes(reference.CurrentGraph(), plain.data(), plain.size(), "w", messages), -1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc doc;
        ASSERT_EQ(ReadWavBytes(doc.CurrentGraph(), row.bytes.data(), row.bytes.size(), "w", messages), -1);
        ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(FileOrder(doc.CurrentGraph().m_plots.Get(i)), FileOrder(reference.CurrentGraph().m_plots.Get(i)));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WavReader, BadFilesGiveTheirResultsAndMessages)
{
    const ScratchDir dir("corvid-wav");
    const std::string pcm = Chunk("fmt ", FormatBody(1, 1, 8000, 16));
    const std::string frames = Chunk("data", Samples16({1, 2, 3}));
    struct Row {
        const char* name;
        std::string bytes;
        int result;
        int sets;
        int points; // in the first set
        std::string message; // with NAME for the path
    };
    const std::string unsupported = "Unsupported WAV format in file NAME";
    const Row rows[] = {
        {"24-bit stereo: both sets, empty", WavFile(2, 8000, 24, std::string(12, '\1')), kWavFailed, 2, 0,
         unsupported + " (format 1, 24 bits per sample): only 8, 16 and 32-bit PCM can be read"},
        {"24-bit mono: one set, empty", WavFile(1, 8000, 24, std::string(6, '\1')), kWavFailed, 1, 0,
         unsupported + " (format 1, 24 bits per sample): only 8, 16 and 32-bit PCM can be read"},
        {"float samples (format 3): no set", RiffForm(Chunk("fmt ", FormatBody(3, 1, 8000, 32)) + frames),
         kWavFailed, 0, 0, unsupported + " (format 3, 32 bits per sample): only 8, 16 and 32-bit PCM can be read"},
        {"extensible format: no set", RiffForm(Chunk("fmt ", FormatBody(0xFFFE, 2, 8000, 16)) + frames),
         kWavFailed, 0, 0, unsupported + " (format 65534, 16 bits per sample): only 8, 16 and 32-bit PCM can be read"},
        {"text file", "1 2\n3 4\n5 6\n", kWavFailed, 0, 0,
         "Unable to locate the 'RIFF' chunk - are you surethis is a WAV file?"},
        {"RIFF of another form", RiffForm(pcm + frames, "AVI "), kWavFailed, 0, 0,
         "Unable to locate the 'RIFF' chunk - are you surethis is a WAV file?"},
        {"RIFF header without form type", std::string("RIFF\x04\x00\x00\x00", 8), kWavFailed, 0, 0,
         "Unable to locate the 'RIFF' chunk - are you surethis is a WAV file?"},
        {"no fmt chunk", RiffForm(frames), kWavFailed, 0, 0, "Unable to locate the 'fmt' chunk"},
        {"fmt chunk of 14 bytes", RiffForm(Chunk("fmt ", FormatBody(1, 1, 8000, 16).substr(0, 14)) + frames),
         kWavFailed, 0, 0, "Unable to locate the 'fmt' chunk"},
        {"fmt chunk beyond the form's size",
         "RIFF" + LittleBytes(4, 4) + "WAVE" + pcm + frames, kWavFailed, 0, 0, "Unable to locate the 'fmt' chunk"},
        {"file ends inside the format bytes", RiffForm("fmt " + LittleBytes(16, 4) + std::string("\x01\x00\x01\x00", 4)),
         kWavFailed, 0, 0, "The 'fmt' chunk of file NAME is cut short"},
        {"no data chunk", RiffForm(pcm), kWavFailed, 0, 0, "Unable to locate the 'data' chunk in file NAME"},
        {"data chunk claims more than the file holds",
         RiffForm(pcm + "data" + LittleBytes(200, 4) + Samples16({1, 2, 3})), kWavFailed, 1, 3,
         "The audio data in file NAME ends after 3 of its 100 frames; the frames read were kept"},
        {"data size near 4 GB", RiffForm(pcm + "data" + LittleBytes(0xFFFFFFF0u, 4) + Samples16({4})),
         kWavFailed, 1, 1, "The audio data in file NAME ends after 1 of its 2147483640 frames; the frames read were kept"},
        {"no channels", RiffForm(Chunk("fmt ", FormatBody(1, 0, 8000, 16)) + frames), kWavFailed, 0, 0,
         "The WAV file NAME is damaged: its format gives 0 channels at 8000 samples per second"},
        {"sample rate 0", RiffForm(Chunk("fmt ", FormatBody(1, 1, 0, 16)) + frames), kWavFailed, 0, 0,
         "The WAV file NAME is damaged: its format gives 1 channels at 0 samples per second"},
        {"four bytes", "RIFF", kWavFailed, 0, 0, "The file NAME is too short to be a WAV file"},
        {"empty file", "", kWavFailed, 0, 0, "The file NAME is too short to be a WAV file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.Write("bad.wav", row.bytes);
        std::string message = row.message;
        if (const std::size_t name = message.find("NAME"); name != std::string::npos)
            message.replace(name, 4, path);
        RecordingMessages messages;
        CTarnDoc doc;
        EXPECT_EQ(ReadFile(doc.CurrentGraph(), path, kImportWav, messages), row.result);
        EXPECT_EQ(messages.shown, std::vector<std::string>{message}) << "one message, and only one";
        ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), row.sets);
        if (row.sets > 0) {
            EXPECT_EQ(doc.CurrentGraph().m_plots.Get(0).PointCount(), row.points);
        }

        SCOPED_TRACE("the same bytes from memory");
        RecordingMessages memoryMessages;
        CTarnDoc memory;
        WavReadReport report;
        EXPECT_EQ(ReadWavBytes(memory.CurrentGraph(), row.bytes.data(), row.bytes.size(), path, memoryMessages, &report),
                  row.result);
        std::vector<std::string> shown = memoryMessages.shown;
        if (const std::string own = WavProblemMessage(report, path); !own.empty())
            shown.push_back(own);
        EXPECT_EQ(shown, messages.shown);
    }
}

TEST(WavReader, FilesThatCannotBeReadAndWrongFormats)
{
    const ScratchDir dir("corvid-wav");
    RecordingMessages messages;
    CTarnDoc doc;
    EXPECT_FALSE(ImportFile(doc, dir / "missing.wav", kImportWav, messages));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Unable to open the file " + (dir / "missing.wav")});

    messages.shown.clear();
    EXPECT_EQ(ReadFile(doc.CurrentGraph(), dir.Path().string(), kImportWav, messages), kWavFailed);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"IO error reading from file " + dir.Path().string()});

    messages.shown.clear();
    const std::string path = dir.Write("ok.wav", WavFile(1, 8000, 8, "\x80"));
    EXPECT_EQ(ReadWavFile(doc.CurrentGraph(), path, kImportXY, messages), kWavWrongFormat);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Only WAVE files are currently supported!"});
    EXPECT_EQ(doc.CurrentGraph().m_plots.Count(), 0);
}

TEST(WavReader, StatusLineShowsTheSetCountBeforeTheRead)
{
    const ScratchDir dir("corvid-wav");
    const std::string path = dir.Write("s.wav", WavFile(2, 8000, 16, Samples16({1, 2})));
    RecordingMessages messages;
    std::vector<std::string> status;
    messages.SetStatusHook([&](const std::string& text) { status.push_back(text); });
    CTarnDoc doc;
    ASSERT_EQ(ReadFile(doc.CurrentGraph(), path, kImportWav, messages), -1);
    ASSERT_EQ(ReadFile(doc.CurrentGraph(), path, kImportWav, messages), -1);
    EXPECT_EQ(status, (std::vector<std::string>{"Reading audio data into plot 0", "Reading audio data into plot 2"}));
}

TEST(WavReader, LargeFilesReadAcrossBlocksAsFromMemory)
{
    // Frames of 6 and 3 bytes never line up with the 1 MiB read blocks.
    struct Row {
        const char* name;
        int channels, bits;
        std::size_t bytes;
    };
    const Row rows[] = {{"16-bit stereo", 2, 16, 3u << 20}, {"16-bit, three channels", 3, 16, (3u << 20) + 6},
                        {"8-bit, three channels", 3, 8, (2u << 20) + 300}};
    const ScratchDir dir("corvid-wav");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string samples(row.bytes, '\0');
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = char((i * 7919u) >> 3);
        const std::string bytes = WavFile(row.channels, 44100, row.bits, samples);
        const std::string path = dir.Write("large.wav", bytes);
        RecordingMessages messages;
        CTarnDoc fromFile, fromMemory;
        ASSERT_EQ(ReadFile(fromFile.CurrentGraph(), path, kImportWav, messages), -1);
        ASSERT_EQ(ReadWavBytes(fromMemory.CurrentGraph(), bytes.data(), bytes.size(), path, messages), -1);
        const int frames = int(row.bytes / std::size_t(row.channels * row.bits / 8));
        const Graph& graph = fromFile.CurrentGraph();
        ASSERT_EQ(graph.m_plots.Count(), fromMemory.CurrentGraph().m_plots.Count());
        for (int i = 0; i < graph.m_plots.Count(); ++i) {
            EXPECT_EQ(graph.m_plots.Get(i).PointCount(), frames);
            EXPECT_EQ(FileOrder(graph.m_plots.Get(i)), FileOrder(fromMemory.CurrentGraph().m_plots.Get(i)));
        }
        // The newest point is the last frame's first channel.
        const std::size_t frameBytes = std::size_t(row.channels * row.bits / 8);
        const std::size_t last = (std::size_t(frames) - 1) * frameBytes;
        const float expected = row.bits == 8 ? float(int(std::uint8_t(samples[last])) - 128)
                                             : float(std::int16_t(std::uint8_t(samples[last]) |
                                                                  std::uint8_t(samples[last + 1]) << 8));
        EXPECT_EQ(graph.m_plots.Get(0).m_points.Top().y, expected);
        EXPECT_FLOAT_EQ(graph.m_plots.Get(0).m_points.Top().x, float(double(frames) * double(1.0f / 44100.0f)));
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(WavReader, ReadsFromAPipe)
{
    const std::string bytes = WavFile(2, 8000, 16, Samples16({5, -5, 6, -6}));
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread writer([&] {
        EXPECT_EQ(::write(ends[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
        ::close(ends[1]);
    });
    RecordingMessages messages;
    CTarnDoc doc;
    const int status = ReadFile(doc.CurrentGraph(), "/proc/self/fd/" + std::to_string(ends[0]), kImportWav, messages);
    writer.join();
    ::close(ends[0]);
    EXPECT_EQ(status, -1);
    ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), 2);
    EXPECT_EQ(Values(doc.CurrentGraph().m_plots.Get(1)), (std::vector<float>{-5, -6}));
}

TEST(WavReader, SeveralFilesInOneRun)
{
    const ScratchDir dir("corvid-wav");
    const std::string a = dir.Write("a.wav", WavFile(1, 1000, 16, Samples16({0, 10, 20, 30})));
    const std::string broken = dir.Write("broken.wav", "not a wav file at all");
    const std::string b = dir.Write("b.wav", WavFile(2, 1000, 16, Samples16({-50, 5, 50, 6})));
    RecordingMessages messages;
    CTarnDoc doc;
    EXPECT_FALSE(ImportFiles(doc, {a, broken, b}, kImportWav, messages));
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Unable to locate the 'RIFF' chunk - are you surethis is a WAV file?"});
    const Graph& graph = doc.CurrentGraph();
    ASSERT_EQ(graph.m_plots.Count(), 3);
    EXPECT_EQ(graph.m_plots.Get(0).m_info, "Mono channel: " + a);
    EXPECT_EQ(graph.m_plots.Get(1).m_info, "Left channel: " + b);
    EXPECT_EQ(graph.m_plots.Get(2).m_info, "Right channel: " + b);
    EXPECT_EQ(graph.m_plots.Get(1).m_lineColor, NextSetColor(graph.m_plots.Get(0).m_lineColor));

    // The run ends with the ranges one import after another would give.
    CTarnDoc oneByOne;
    RecordingMessages quiet;
    ImportFile(oneByOne, a, kImportWav, quiet);
    ImportFile(oneByOne, b, kImportWav, quiet);
    EXPECT_EQ(graph.m_xMin, oneByOne.CurrentGraph().m_xMin);
    EXPECT_EQ(graph.m_xMax, oneByOne.CurrentGraph().m_xMax);
    EXPECT_EQ(graph.m_yMin, oneByOne.CurrentGraph().m_yMin);
    EXPECT_EQ(graph.m_yMax, oneByOne.CurrentGraph().m_yMax);
    EXPECT_LT(graph.m_yMin, -50.0f);
    EXPECT_GT(graph.m_yMax, 50.0f);
}

TEST(WavReader, RunningOutOfMemoryIsResultSeven)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit cannot hold the sanitizer's shadow memory";
    // Twelve million 8-bit samples need 96 MB of points.
    const ScratchDir dir("corvid-wav");
    const std::string path = dir.Write("long.wav", WavFile(1, 8000, 8, std::string(12'000'000, '\x90')));
    std::string output;
    const int status = RunWithMemoryLimit(48u << 20, [&](std::FILE* channel) {
        StreamMessages messages(channel, channel);
        CTarnDoc doc;
        const bool imported = ImportFile(doc, path, kImportWav, messages);
        const Graph& graph = doc.CurrentGraph();
        const bool kept = graph.m_plots.Count() == 1 && graph.m_plots.Get(0).PointCount() > 0 &&
                          graph.m_plots.Get(0).PointCount() < 12'000'000;
        return !imported && kept ? 0 : 1;
    }, &output);
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output, "message: Can't allocate memory to store data while reading from file " + path + "\n");
}

TEST(WavReader, CutOffRecordingsKeepTheirFramesInView)
{
    const ScratchDir dir("corvid-wav");
    const std::string format = Chunk("fmt ", FormatBody(1, 1, 8000, 16));
    const std::string frames = "data" + LittleBytes(200, 4) + Samples16({1, 2, 3});
    const auto form = [&](std::uint64_t size) { return "RIFF" + LittleBytes(size, 4) + "WAVE" + format + frames; };
    struct Row {
        const char* name;
        std::string bytes;
    };
    const Row rows[] = {
        {"the form holds the frames there", form(4 + format.size() + frames.size())},
        {"the form ends inside the data chunk's header", form(4 + format.size() + 4)},
        {"the form ends before the data chunk", form(4 + format.size())},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.Write("cut.wav", row.bytes);
        RecordingMessages messages;
        CTarnDoc doc;
        EXPECT_FALSE(ImportFile(doc, path, kImportWav, messages));
        EXPECT_EQ(messages.shown, std::vector<std::string>{"The audio data in file " + path +
                                                           " ends after 3 of its 100 frames; the frames read were kept"});
        const Graph& graph = doc.CurrentGraph();
        ASSERT_EQ(graph.m_plots.Count(), 1);
        EXPECT_EQ(Values(graph.m_plots.Get(0)), (std::vector<float>{1, 2, 3}));
        // The window is scaled to the frames' times (1 to 3 steps of 1/8000 s).
        EXPECT_LE(graph.m_xMin, 1.0f / 8000);
        EXPECT_GE(graph.m_xMax, 3.0f / 8000);
        EXPECT_LT(graph.m_xMax, 0.01f);
    }
}
