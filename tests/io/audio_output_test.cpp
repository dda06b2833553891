#include "io/audio_output.h"

#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "io/audio_channel.h"
#include "io/wav_reader.h"
#include "model/error.h"
#include "render/graph.h"
#include "tests/io/wav_bytes.h"
#include "tests/render/test_messages.h"
#include "tests/support/memory_limit.h"
#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

// A set whose points are stored (and walked) in the order given.
Plot MakeSet(const std::vector<PlotPoint>& stored)
{
    Plot plot;
    for (auto point = stored.rbegin(); point != stored.rend(); ++point)
        plot.AddPoint(point->x, point->y);
    return plot;
}

std::vector<int> SamplesOf(const std::string& file, int channel, int channels)
{
    std::vector<int> samples;
    for (std::size_t at = 44 + 2 * std::size_t(channel); at + 1 < file.size(); at += 2 * std::size_t(channels))
        samples.push_back(std::int16_t(std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8));
    return samples;
}

std::vector<std::int16_t> Fill(const Plot& plot, int volume, std::size_t count)
{
    std::vector<std::int16_t> samples(count, 12345);
    FillChannel(plot, volume, samples.data(), count);
    return samples;
}

// A page whose current graph holds `sets`, and a request for set 0 (mono).
struct AudioPage {
    explicit AudioPage(const std::vector<std::vector<PlotPoint>>& sets)
    {
        for (const auto& set : sets)
            doc.CurrentGraph().m_plots.Append(MakeSet(set));
    }
    const Graph& graph() { return doc.CurrentGraph(); }
    CTarnDoc doc;
};

AudioRequest Mono(int rate, float duration, int volume = 100)
{
    AudioRequest request;
    request.leftSet = 0;
    request.rate = rate;
    request.duration = duration;
    request.volume = volume;
    return request;
}

} // namespace

TEST(AudioOutput, RisingLineAtEightKilohertz)
{
    const ScratchDir dir("corvid-audio");
    AudioPage page({{{0, 0}, {1, 1}}});
    RecordingMessages messages;
    const AudioRequest request = Mono(8000, 1.0f);
    ASSERT_TRUE(CheckAudioRequest(page.graph(), request, messages));
    WriteAudioFile(page.graph(), request, dir / "line.wav");
    const std::string file = ReadWholeFile(dir / "line.wav");
    ASSERT_EQ(file.size(), 44u + 16000u);
    const std::string header = "RIFF" + LittleBytes(16036, 4) + "WAVEfmt " + LittleBytes(16, 4) + LittleBytes(1, 2) +
                               LittleBytes(1, 2) + LittleBytes(8000, 4) + LittleBytes(16000, 4) + LittleBytes(2, 2) +
                               LittleBytes(16, 2) + "data" + LittleBytes(16000, 4);
    EXPECT_EQ(file.substr(0, 44), header);
    const std::vector<int> samples = SamplesOf(file, 0, 1);
    ASSERT_EQ(samples.size(), 8000u);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        // The straight line y = x sampled at x = i / 7999, scaled from -32768.
        const int expected = std::min(32767, -32768 + int(std::floor(65536.0 * double(i) / 7999.0)));
        ASSERT_EQ(samples[i], expected) << "sample " << i;
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(messages.asked.empty());
}

TEST(AudioOutput, StoredOrderDoesNotChangeTheSound)
{
    const ScratchDir dir("corvid-audio");
    struct Row {
        const char* name;
        std::vector<PlotPoint> stored;
    };
    const Row rows[] = {
        {"rising", {{0, 0}, {0.25f, 3}, {0.5f, -1}, {1, 2}}},
        {"falling twin", {{1, 2}, {0.5f, -1}, {0.25f, 3}, {0, 0}}},
        {"as a text import stores it (newest first)", {}},
    };
    std::vector<std::string> files;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTarnDoc doc;
        RecordingMessages messages;
        if (row.stored.empty())
            ASSERT_EQ(ReadText(doc.CurrentGraph(), "0 0\n0.25 3\n0.5 -1\n1 2\n", kImportXY, messages), -1);
        else
            doc.CurrentGraph().m_plots.Append(MakeSet(row.stored));
        const std::string path = dir / ("twin" + std::to_string(files.size()) + ".wav");
        WriteAudioFile(doc.CurrentGraph(), Mono(11025, 0.5f), path);
        files.push_back(ReadWholeFile(path));
    }
    EXPECT_EQ(files[0], files[1]);
    EXPECT_EQ(files[0], files[2]);
    const std::vector<int> samples = SamplesOf(files[0], 0, 1);
    EXPECT_EQ(samples.front(), -32768 + 65536 / 4) << "y = 0 is a quarter up the range -1 .. 3";
    // No sample lands exactly on the peak (x = 0.25) or the dip (x = 0.5).
    EXPECT_GT(*std::max_element(samples.begin(), samples.end()), 32000);
    EXPECT_LT(*std::min_element(samples.begin(), samples.end()), -32000);
}

TEST(AudioOutput, VolumeScalesUpFromTheLowestSample)
{
    const Plot line = MakeSet({{0, 0}, {1, 1}});
    struct Row {
        int volume;
        int top;
    };
    const Row rows[] = {{100, 32767}, {50, 0}, {1, -32768 + 655}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.volume);
        const std::vector<std::int16_t> samples = Fill(line, row.volume, 8000);
        EXPECT_EQ(samples.front(), -32768);
        EXPECT_EQ(samples.back(), row.top);
        EXPECT_TRUE(std::is_sorted(samples.begin(), samples.end()));
    }
}

TEST(AudioOutput, SamplesFollowTheCurveBetweenItsPoints)
{
    // An uneven rising curve against a direct evaluation of the line pieces.
    std::vector<PlotPoint> points;
    for (int k = 0; k < 40; ++k)
        points.push_back({float(k * k) / 16.0f, float(std::sin(k * 0.7) * 10.0)});
    const Plot plot = MakeSet(points);
    const std::size_t count = 3001;
    const std::vector<std::int16_t> samples = Fill(plot, 80, count);
    double low = 1e9, high = -1e9;
    for (const PlotPoint& p : points) {
        low = std::min<double>(low, p.y);
        high = std::max<double>(high, p.y);
    }
    const double span = double(points.back().x) - double(points.front().x);
    for (std::size_t i = 0; i < count; ++i) {
        const double x = double(points.front().x) + span * double(i) / double(count - 1);
        std::size_t k = 1;
        while (k + 1 < points.size() && x > points[k].x)
            ++k;
        const PlotPoint& a = points[k - 1];
        const PlotPoint& b = points[k];
        const double y = a.y + (double(b.y) - a.y) * (x - a.x) / (double(b.x) - a.x);
        const double expected = -32768.0 + std::floor(65536.0 * 80 * (y - low) / (100.0 * (high - low)));
        ASSERT_NEAR(samples[i], expected, 1.0) << "sample " << i;
    }
}

TEST(AudioOutput, SetsWithoutADefinedSound)
{
    struct Row {
        const char* name;
        std::vector<PlotPoint> stored;
        int volume;
        std::vector<std::int16_t> expected;
    };
    const float nan = std::nanf("");
    const float inf = INFINITY;
    const Row rows[] = {
        {"flat set: the middle of the range", {{0, 5}, {1, 5}, {2, 5}}, 100, {0, 0, 0, 0}},
        {"flat set at half volume", {{0, 5}, {2, 5}}, 50, {-16384, -16384, -16384, -16384}},
        {"one point: nothing to walk", {{0, 1}}, 100, {-32768, -32768, -32768, -32768}},
        {"upright step: its end's value", {{0, 0}, {0, 1}, {3, 1}}, 100, {32767, 32767, 32767, 32767}},
        {"all x equal: the whole sound at that x", {{2, 0}, {2, 1}}, 100, {32767, 32767, 32767, 32767}},
        {"walk turns back: points behind are skipped", {{0, 0}, {1, 0}, {3, 3}, {2, 1}}, 100,
         {-32768, -32768, 0, 32767}},
        {"not convertible (0, 1, 0.5): still filled", {{0, 0}, {1, 1}, {0.5f, 0}}, 100,
         {-32768, -10923, 10922, 32767}},
        {"NaN values", {{0, nan}, {nan, 1}, {1, 2}}, 100, {-32768, -32768, -32768, -32768}},
        {"infinite x", {{0, 0}, {inf, 1}}, 100, {-32768, -32768, -32768, -32768}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Fill(MakeSet(row.stored), row.volume, row.expected.size()), row.expected);
    }
    EXPECT_EQ(Fill(Plot(), 100, 3), (std::vector<std::int16_t>{-32768, -32768, -32768})) << "empty set";
}

TEST(AudioOutput, ConvertibleSets)
{
    struct Row {
        const char* name;
        std::vector<float> x; // stored order
        bool convertible;
    };
    const Row rows[] = {
        {"0, 1, 0.5 goes back behind the second point", {0, 1, 0.5f}, false},
        {"0, 1, 2, 1.5 stays beyond the second point", {0, 1, 2, 1.5f}, true},
        {"empty", {}, false},
        {"one point", {3}, true},
        {"falling 2, 1, 0", {2, 1, 0}, true},
        {"falling 2, 1, 1.5 comes back above the second", {2, 1, 1.5f}, false},
        {"falling first step, later equal to the second", {2, 1, 1}, true},
        {"equal first two, then lower", {1, 1, 0.5f}, false},
        {"equal first two, then higher", {1, 1, 4}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<PlotPoint> points;
        for (float x : row.x)
            points.push_back({x, x * 2});
        EXPECT_EQ(IsConvertible(MakeSet(points)), row.convertible);
    }
}

TEST(AudioOutput, ChecksBeforeTheSoundIsMade)
{
    AudioPage page({{{0, 0}, {1, 1}}, {{0, 0}, {1, 1}, {0.5f, 0}}, {}});
    struct Row {
        const char* name;
        AudioRequest request;
        bool answer;
        bool passes;
        std::vector<std::string> asked, shown;
    };
    const std::string large = "You are about to create a large sound file. Continue?";
    AudioRequest stereo = Mono(8000, 1.0f);
    stereo.stereo = true;
    stereo.rightSet = 0;
    AudioRequest stereoBadRight = stereo;
    stereoBadRight.rightSet = 1;
    AudioRequest stereoNoRight = stereo;
    stereoNoRight.rightSet = -1;
    AudioRequest noSet = Mono(8000, 1.0f);
    noSet.leftSet = -1;
    AudioRequest emptySet = Mono(8000, 1.0f);
    emptySet.leftSet = 2;
    AudioRequest bad = Mono(8000, 1.0f);
    bad.leftSet = 1;
    AudioRequest tooBigStereo = stereo;
    tooBigStereo.rate = 44100;
    tooBigStereo.duration = 30000;
    const Row rows[] = {
        {"60 seconds: no question", Mono(8000, 60), true, true, {}, {}},
        {"61 seconds asks; Yes goes on", Mono(8000, 61), true, true, {large}, {}},
        {"61 seconds asks; No stops", Mono(8000, 61), false, false, {large}, {}},
        {"stereo", stereo, true, true, {}, {}},
        {"mono, set not convertible", bad, true, false, {}, {"Selected plot cannot be saved as audio"}},
        {"mono, empty set", emptySet, true, false, {}, {"Selected plot cannot be saved as audio"}},
        {"mono, no set listed", noSet, true, false, {}, {"Selected plot cannot be saved as audio"}},
        {"stereo, right set not convertible", stereoBadRight, true, false, {},
         {"Selected plots cannot be saved as audio"}},
        {"stereo, no right set", stereoNoRight, true, false, {}, {"Selected plots cannot be saved as audio"}},
        {"two samples are enough", Mono(8000, 0.00025f), true, true, {}, {}},
        {"fewer than two samples", Mono(8000, 0.0002f), true, false, {},
         {"A duration of 0.0002 seconds gives fewer than two samples at 8000 samples per second; please "
          "enter a longer duration."}},
        {"duration 0", Mono(44100, 0), true, false, {},
         {"A duration of 0 seconds gives fewer than two samples at 44100 samples per second; please enter "
          "a longer duration."}},
        {"beyond what a WAV file can hold", tooBigStereo, true, false, {large},
         {"A duration of 30000 seconds at 44100 samples per second needs 5292000000 bytes of sound, more "
          "than the 4 GB a WAV file can hold; please enter a shorter duration or choose a lower rate."}},
        {"mono just inside 4 GB", Mono(44100, 48000), true, true, {large}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingMessages messages;
        messages.answer = row.answer;
        EXPECT_EQ(CheckAudioRequest(page.graph(), row.request, messages), row.passes);
        EXPECT_EQ(messages.asked, row.asked);
        EXPECT_EQ(messages.shown, row.shown);
    }
}

TEST(AudioOutput, StereoChannelsSpanTheirOwnRanges)
{
    const ScratchDir dir("corvid-audio");
    AudioPage page({{{0, 0}, {2, 10}}, {{0, 3}, {1, -3}}});
    AudioRequest request = Mono(8000, 0.5f);
    request.stereo = true;
    request.rightSet = 1;
    WriteAudioFile(page.graph(), request, dir / "stereo.wav");
    const std::string file = ReadWholeFile(dir / "stereo.wav");
    ASSERT_EQ(file.size(), 44u + 4u * 4000u);
    EXPECT_EQ(file.substr(22, 2), LittleBytes(2, 2));
    EXPECT_EQ(file.substr(28, 4), LittleBytes(32000, 4));
    EXPECT_EQ(file.substr(32, 2), LittleBytes(4, 2));
    EXPECT_EQ(file.substr(40, 4), LittleBytes(16000, 4));
    const std::vector<int> left = SamplesOf(file, 0, 2);
    const std::vector<int> right = SamplesOf(file, 1, 2);
    ASSERT_EQ(left.size(), 4000u);
    ASSERT_EQ(right.size(), 4000u);
    EXPECT_EQ(left.front(), -32768);
    EXPECT_EQ(left.back(), 32767);
    EXPECT_EQ(right.front(), 32767) << "the right set falls over its own range";
    EXPECT_EQ(right.back(), -32768);
    // Each channel is what the set alone gives in mono.
    const std::vector<std::int16_t> alone = Fill(page.graph().m_plots.Get(1), 100, 4000);
    EXPECT_TRUE(std::equal(right.begin(), right.end(), alone.begin()));
}

TEST(AudioOutput, WrittenFilesReadBackThroughTheImporter)
{
    const ScratchDir dir("corvid-audio");
    AudioPage page({{{0, -1}, {0.3f, 4}, {1, 0}}, {{0, 0}, {1, 1}}});
    struct Row {
        const char* name;
        bool stereo;
        int rate;
    };
    const Row rows[] = {{"mono 22.05 kHz", false, 22050}, {"stereo 44.1 kHz", true, 44100}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AudioRequest request = Mono(row.rate, 0.2f, 70);
        request.stereo = row.stereo;
        request.rightSet = 1;
        const std::string path = dir / "back.wav";
        WriteAudioFile(page.graph(), request, path);
        CTarnDoc doc;
        RecordingMessages messages;
        ASSERT_EQ(ReadWavFile(doc.CurrentGraph(), path, kImportWav, messages), -1);
        const int channels = row.stereo ? 2 : 1;
        ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), channels);
        const std::string file = ReadWholeFile(path);
        for (int c = 0; c < channels; ++c) {
            const std::vector<int> written = SamplesOf(file, c, channels);
            const Plot& plot = doc.CurrentGraph().m_plots.Get(c);
            ASSERT_EQ(plot.PointCount(), int(written.size()));
            std::size_t k = written.size();
            for (const PlotPoint& point : plot.m_points) {
                --k;
                ASSERT_EQ(point.y, float(written[k]));
                ASSERT_FLOAT_EQ(point.x, float(double(k + 1) * double(1.0f / float(row.rate))));
            }
        }
    }
}

TEST(AudioOutput, WrittenFilesReadBackThroughPythonWave)
{
    if (std::system("command -v python3 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed";
    const ScratchDir dir("corvid-audio");
    AudioPage page({{{0, 0}, {1, 1}}, {{0, 1}, {0.5f, -1}, {1, 1}}});
    AudioRequest request = Mono(11025, 0.1f, 90);
    request.stereo = true;
    request.rightSet = 1;
    const std::string path = dir / "python.wav";
    WriteAudioFile(page.graph(), request, path);
    const std::string script = dir.Write("read.py",
                                         "import sys, wave, struct\n"
                                         "w = wave.open(sys.argv[1], 'rb')\n"
                                         "n = w.getnframes()\n"
                                         "data = w.readframes(n)\n"
                                         "s = struct.unpack('<%dh' % (len(data) // 2), data)\n"
                                         "print(w.getnchannels(), w.getsampwidth(), w.getframerate(), n, "
                                         "sum(s[0::2]), sum(s[1::2]), min(s), max(s))\n");
    std::FILE* pipe = ::popen(("python3 '" + script + "' '" + path + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    const int status = ::pclose(pipe);
    ASSERT_TRUE(read);
    ASSERT_EQ(status, 0);
    const std::string file = ReadWholeFile(path);
    const std::vector<int> left = SamplesOf(file, 0, 2), right = SamplesOf(file, 1, 2);
    long long leftSum = 0, rightSum = 0;
    for (int s : left)
        leftSum += s;
    for (int s : right)
        rightSum += s;
    int low = 0, high = 0;
    for (const auto* channel : {&left, &right}) {
        low = std::min(low, *std::min_element(channel->begin(), channel->end()));
        high = std::max(high, *std::max_element(channel->begin(), channel->end()));
    }
    const std::string expected = "2 2 11025 1102 " + std::to_string(leftSum) + " " + std::to_string(rightSum) +
                                 " " + std::to_string(low) + " " + std::to_string(high) + "\n";
    EXPECT_EQ(line, expected);
}

TEST(AudioOutput, WriteFailuresRaiseTheirErrors)
{
    const ScratchDir dir("corvid-audio");
    AudioPage page({{{0, 0}, {1, 1}}});
    struct Row {
        const char* name;
        std::string path;
        const char* message;
    };
    const Row rows[] = {
        {"no such folder", dir / "missing/out.wav", "Unable to open file"},
        {"a full device", "/dev/full", "Unable to write file"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            WriteAudioFile(page.graph(), Mono(8000, 1), row.path);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& error) {
            EXPECT_STREQ(error.Text(), row.message);
            EXPECT_STREQ(error.file, "ExportAudio");
        }
    }
}

TEST(AudioOutput, BuffersThatCannotBeHadAreErrors)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit cannot hold the sanitizer's shadow memory";
    AudioPage page({{{0, 0}, {1, 1}}});
    struct Row {
        const char* name;
        bool stereo;
        float duration; // at 8000 samples per second
        const char* message;
    };
    // 160 MB of headroom: a 200 MB channel fails; a 100 MB one fits once, not twice.
    const Row rows[] = {
        {"mono", false, 12500, "Unable to allocate memory for audio buffer!"},
        {"stereo, left", true, 12500, "Unable to allocate memory for left channel audio buffer!"},
        {"stereo, right", true, 6250, "Unable to allocate memory for right channel audio buffer!"},
    };
    const ScratchDir dir("corvid-audio");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string output;
        const int status = RunWithMemoryLimit(160u << 20, [&](std::FILE* channel) {
            AudioRequest request = Mono(8000, row.duration);
            request.stereo = row.stereo;
            request.rightSet = 0;
            try {
                WriteAudioFile(page.graph(), request, dir / "big.wav");
            } catch (const Error& error) {
                std::fputs(error.Text(), channel);
                return 0;
            }
            return 1;
        }, &output);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(output, row.message);
    }
}

TEST(AudioOutput, FieldsAreReadAsTheDialogReadsThem)
{
    struct Row {
        const char* text;
        bool duration; // else volume
        bool ok;
        double value;
        const char* message;
    };
    const Row rows[] = {
        {"2.5", true, true, 2.5, ""},
        {"2*30", true, true, 60, ""},
        {"0", true, true, 0, ""},
        {"100000", true, true, 100000, ""},
        {"100001", true, false, 0, "Please enter a number between 0 and 100000."},
        {"-1", true, false, 0, "Please enter a number between 0 and 100000."},
        {"abc", true, false, 0, "Please enter a number."},
        {"", true, false, 0, "Please enter a number."},
        {"50", false, true, 50, ""},
        {" 7 ", false, true, 7, ""},
        {"+100", false, true, 100, ""},
        {"0", false, false, 0, "Please enter an integer between 1 and 100."},
        {"101", false, false, 0, "Please enter an integer between 1 and 100."},
        {"-5", false, false, 0, "Please enter an integer between 1 and 100."},
        {"99999999999999999999", false, false, 0, "Please enter an integer between 1 and 100."},
        {"5.5", false, false, 0, "Please enter an integer."},
        {"", false, false, 0, "Please enter an integer."},
        {"1 2", false, false, 0, "Please enter an integer."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.duration ? "duration " : "volume ") + "\"" + row.text + "\"");
        std::string message;
        if (row.duration) {
            float value = -7;
            EXPECT_EQ(ReadDurationField(row.text, value, message), row.ok);
            if (row.ok) {
                EXPECT_FLOAT_EQ(value, float(row.value));
            }
        } else {
            int value = -7;
            EXPECT_EQ(ReadVolumeField(row.text, value, message), row.ok);
            if (row.ok) {
                EXPECT_EQ(value, int(row.value));
            }
        }
        if (!row.ok) {
            EXPECT_EQ(message, row.message);
        }
    }
}

TEST(AudioOutput, SampleCountsOfTypedDurations)
{
    EXPECT_EQ(AudioSampleCount(8000, 0.7f), 5600) << "as typed, not 5599 of the float below 0.7";
    EXPECT_EQ(AudioSampleCount(44100, 30000.0f), 1323000000);
    EXPECT_EQ(AudioSampleCount(8000, 1.0f), 8000);
    EXPECT_EQ(AudioSampleCount(44100, 1000.0f), 44100000);
    EXPECT_EQ(AudioSampleCount(11025, 0.0001f), 1);
    EXPECT_EQ(XSpan(MakeSet({{3, 0}, {-1, 2}, {5, 1}})), 6.0f);
    EXPECT_EQ(XSpan(Plot()), 0.0f);
}
