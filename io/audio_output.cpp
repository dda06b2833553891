#include "io/audio_output.h"

#include "equation/evalfield.h"
#include "io/audio_channel.h"
#include "io/integer_field.h"
#include "io/wav_file.h"
#include "model/error.h"
#include "model/messages.h"
#include "model/safe_file_writer.h"
#include "render/graph.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <memory>
#include <new>

const char* const kAudioRateNames[4] = {"8 kHz", "11.025 kHz", "22.05 kHz", "44.1 kHz"};

// The largest data chunk whose RIFF size (36 more) still fits 32 bits.
static constexpr std::uint64_t kMaxWavData = 0xFFFFFFFFull - 36;

bool ReadDurationField(const std::string& text, float& value, std::string& message)
{
    float read = 0.0f;
    if (!EvalField(text.c_str(), read)) {
        message = "Please enter a number.";
        return false;
    }
    if (!(read >= 0.0f && read <= kMaxAudioDuration)) {
        message = "Please enter a number between 0 and 100000.";
        return false;
    }
    value = read;
    return true;
}

bool ReadVolumeField(const std::string& text, int& value, std::string& message)
{
    long long number = 0;
    if (!ReadIntegerText(text, number)) {
        message = "Please enter an integer.";
        return false;
    }
    if (number < 1 || number > kMaxAudioVolume) {
        message = "Please enter an integer between 1 and 100.";
        return false;
    }
    value = int(number);
    return true;
}

std::int64_t AudioSampleCount(int rate, float duration)
{
    if (!(duration >= 0.0f))
        return 0;
    // The duration as typed: the shortest decimal that reads back as the
    // field's float, multiplied in double (0.7 s at 8000 Hz: 5600 samples,
    // where the float's own value would give 5599).
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, duration);
    double typed = double(duration);
    std::from_chars(text, written.ptr, typed);
    return std::int64_t(std::min(double(rate) * typed, 1e15));
}

static bool Convertible(const Graph& graph, int index)
{
    return index >= 0 && index < graph.m_plots.Count() && IsConvertible(graph.m_plots.Get(index));
}

bool CheckAudioRequest(const Graph& graph, const AudioRequest& request, Messages& messages)
{
    if (request.duration > 60.0f && !messages.Ask("You are about to create a large sound file. Continue?"))
        return false;
    if (!request.stereo && !Convertible(graph, request.leftSet)) {
        messages.Show("Selected plot cannot be saved as audio");
        return false;
    }
    if (request.stereo && !(Convertible(graph, request.leftSet) && Convertible(graph, request.rightSet))) {
        messages.Show("Selected plots cannot be saved as audio");
        return false;
    }
    const std::int64_t samples = AudioSampleCount(request.rate, request.duration);
    char text[256];
    if (samples < 2) {
        std::snprintf(text, sizeof text,
                      "A duration of %g seconds gives fewer than two samples at %d samples per "
                      "second; please enter a longer duration.",
                      double(request.duration), request.rate);
        messages.Show(text);
        return false;
    }
    const std::uint64_t bytes = std::uint64_t(samples) * (request.stereo ? 4u : 2u);
    if (bytes > kMaxWavData) {
        std::snprintf(text, sizeof text,
                      "A duration of %g seconds at %d samples per second needs %llu bytes of "
                      "sound, more than the 4 GB a WAV file can hold; please enter a shorter "
                      "duration or choose a lower rate.",
                      double(request.duration), request.rate, static_cast<unsigned long long>(bytes));
        messages.Show(text);
        return false;
    }
    return true;
}

// One channel's samples, or the allocation message as an Error.
static std::unique_ptr<std::int16_t[]> MakeChannel(std::size_t count, const char* failure)
{
    try {
        return std::make_unique_for_overwrite<std::int16_t[]>(count);
    } catch (const std::bad_alloc&) {
        throw Error(failure, "ExportAudio", __LINE__);
    }
}

void WriteAudioFile(const Graph& graph, const AudioRequest& request, const std::string& path)
{
    const std::size_t count = std::size_t(AudioSampleCount(request.rate, request.duration));
    const int channels = request.stereo ? 2 : 1;
    const std::unique_ptr<std::int16_t[]> left =
        MakeChannel(count, request.stereo ? "Unable to allocate memory for left channel audio buffer!"
                                          : "Unable to allocate memory for audio buffer!");
    FillChannel(graph.m_plots.Get(request.leftSet), request.volume, left.get(), count);
    std::unique_ptr<std::int16_t[]> right;
    if (request.stereo) {
        right = MakeChannel(count, "Unable to allocate memory for right channel audio buffer!");
        FillChannel(graph.m_plots.Get(request.rightSet), request.volume, right.get(), count);
    }

    SafeFileWriter writer(path);
    if (!writer.Open())
        throw Error("Unable to open file", "ExportAudio", __LINE__);
    const std::uint32_t dataBytes = std::uint32_t(count * 2 * std::size_t(channels));
    bool written = writer.Write(WavHeader(channels, std::uint32_t(request.rate), dataBytes));
    // Frames go out little-endian through a small block, interleaved for stereo.
    constexpr std::size_t kFramesPerBlock = 32768;
    std::unique_ptr<unsigned char[]> block(new unsigned char[kFramesPerBlock * 4]);
    for (std::size_t first = 0; written && first < count; first += kFramesPerBlock) {
        const std::size_t frames = std::min(kFramesPerBlock, count - first);
        unsigned char* out = block.get();
        for (std::size_t i = first; i < first + frames; ++i) {
            const auto l = std::uint16_t(left[i]);
            *out++ = static_cast<unsigned char>(l & 0xFF);
            *out++ = static_cast<unsigned char>(l >> 8);
            if (right) {
                const auto r = std::uint16_t(right[i]);
                *out++ = static_cast<unsigned char>(r & 0xFF);
                *out++ = static_cast<unsigned char>(r >> 8);
            }
        }
        written = writer.Write(block.get(), std::size_t(out - block.get()));
    }
    if (!written || !writer.Commit())
        throw Error("Unable to write file", "ExportAudio", __LINE__);
}
