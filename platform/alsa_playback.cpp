#include "platform/alsa_playback.h"

#include "io/riff_reader.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// ALSA writes its own complaints to stderr; the caller reports failures.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void Silence()
{
    static const bool done = [] {
        snd_lib_error_set_handler(QuietAlsa);
        return true;
    }();
    (void)done;
}

std::uint32_t Little32(const std::uint8_t* bytes)
{
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

// Opens the default device for playback; "do not wait if busy" means the
// open itself must not block, after which writing may.
snd_pcm_t* OpenDevice(int& error)
{
    Silence();
    snd_pcm_t* pcm = nullptr;
    error = snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (error < 0)
        return nullptr;
    snd_pcm_nonblock(pcm, 0);
    return pcm;
}

bool Fail(std::string* reason, const std::string& text)
{
    if (reason)
        *reason = text;
    return false;
}

class FileCloser {
public:
    explicit FileCloser(int file) : m_file(file) {}
    ~FileCloser()
    {
        if (m_file >= 0)
            ::close(m_file);
    }

private:
    int m_file;
};

} // namespace

bool SoundDeviceAvailable()
{
    int error = 0;
    snd_pcm_t* pcm = OpenDevice(error);
    if (!pcm)
        return false;
    snd_pcm_close(pcm);
    return true;
}

bool PlayWavFile(const std::string& path, std::string* reason)
{
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return Fail(reason, "cannot open " + path + ": " + std::strerror(errno));
    const FileCloser closer(file);
    RiffReader reader(file);
    RiffChunk riff, format, data;
    std::uint32_t formType = 0;
    if (!reader.ReadForm(riff, formType) || riff.id != FourCC("RIFF") || formType != FourCC("WAVE") ||
        !reader.FindChunk(riff, FourCC("fmt "), format) || format.size < 16)
        return Fail(reason, path + " is no WAV file");
    const std::span<const std::uint8_t> fields = reader.Load(format.offset, 16);
    if (fields.size() < 16)
        return Fail(reason, path + " is no WAV file");
    const unsigned tag = fields[0] | fields[1] << 8;
    const unsigned channels = fields[2] | fields[3] << 8;
    const std::uint32_t rate = Little32(fields.data() + 4);
    const unsigned bits = fields[14] | fields[15] << 8;
    if (tag != 1 || bits != 16 || channels < 1 || channels > 2 || rate == 0)
        return Fail(reason, path + " is not 16-bit PCM sound");
    if (!reader.FindChunk(riff, FourCC("data"), data))
        return Fail(reason, path + " holds no sound data");

    int error = 0;
    snd_pcm_t* pcm = OpenDevice(error);
    if (!pcm)
        return Fail(reason, std::string("no sound device: ") + snd_strerror(error));
    error = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, channels,
                               rate, 1, 250000);
    const std::size_t frameBytes = 2 * channels;
    const std::uint64_t frames = data.size / frameBytes;
    std::uint64_t played = 0;
    while (error >= 0 && played < frames) {
        const std::uint64_t wanted = std::min<std::uint64_t>(frames - played, 65536);
        const std::span<const std::uint8_t> block = reader.Load(data.offset + played * frameBytes,
                                                                std::size_t(wanted * frameBytes));
        std::uint64_t inBlock = block.size() / frameBytes;
        if (inBlock == 0)
            break; // the file is shorter than its header says: play what is there
        const std::uint8_t* next = block.data();
        while (error >= 0 && inBlock > 0) {
            snd_pcm_sframes_t written = snd_pcm_writei(pcm, next, snd_pcm_uframes_t(inBlock));
            if (written < 0)
                written = snd_pcm_recover(pcm, int(written), 1);
            if (written < 0) {
                error = int(written);
                break;
            }
            next += std::size_t(written) * frameBytes;
            inBlock -= std::uint64_t(written);
            played += std::uint64_t(written);
        }
    }
    if (error >= 0)
        error = snd_pcm_drain(pcm);
    snd_pcm_close(pcm);
    if (error < 0)
        return Fail(reason, std::string("playing failed: ") + snd_strerror(error));
    return true;
}
