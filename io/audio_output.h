#pragma once

#include <cstdint>
#include <string>

class Graph;
class Messages;

/// Sample rates of the " output at " choice, with their names.
constexpr int kAudioRates[4] = {8000, 11025, 22050, 44100};
extern const char* const kAudioRateNames[4];

/// Longest duration and loudest volume the Audio Output fields accept.
constexpr float kMaxAudioDuration = 100000.0f;
constexpr int kMaxAudioVolume = 100;

/// What the Audio Output dialog (or corvid-batch audio) asks for.
struct AudioRequest {
    bool stereo = false;
    int leftSet = -1;  ///< set index in the graph (the one set in mono), -1 for none
    int rightSet = -1; ///< set index of the right channel (stereo only)
    int rate = 8000;
    float duration = 1.0f;
    int volume = 100;
};

/// Reads the duration field: a number (typed as for any number field) from 0
/// to 100000. False with "Please enter a number." or "Please enter a number
/// between 0 and 100000." in `message`.
bool ReadDurationField(const std::string& text, float& value, std::string& message);

/// Reads the volume field: an integer from 1 to 100. False with "Please enter
/// an integer." or "Please enter an integer between 1 and 100." in `message`.
bool ReadVolumeField(const std::string& text, int& value, std::string& message);

/// Samples per channel: trunc(rate x duration), with the duration taken as
/// the decimal the field shows (0.7 seconds at 8000 give 5600, although the
/// 4-byte float of 0.7 lies a little below it).
std::int64_t AudioSampleCount(int rate, float duration);

/// The checks before a sound is made: a duration over 60 seconds asks "You
/// are about to create a large sound file. Continue?"; the set (mono, "Selected
/// plot cannot be saved as audio") or both sets (stereo, "Selected plots
/// cannot be saved as audio") must exist and be convertible; the duration must
/// give at least two samples, and the file must fit the 4 GB a WAV file can
/// describe. Each refusal is shown; false means stop.
bool CheckAudioRequest(const Graph& graph, const AudioRequest& request, Messages& messages);

/// Builds the channel buffer(s) of a checked request and writes them as a
/// 16-bit PCM WAV file at `path` (stereo frames left then right) through a
/// safe writer, so a failed write keeps the file that was there. Raises
/// `Error` (source "ExportAudio") with "Unable to allocate memory for audio
/// buffer!" (for stereo "... for left channel ..." or "... for right channel
/// ..."), "Unable to open file" or "Unable to write file".
void WriteAudioFile(const Graph& graph, const AudioRequest& request, const std::string& path);
