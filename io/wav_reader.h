#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Graph;
class Messages;
class RiffReader;

/// Results of the WAV reader beside -1 (success), 1 (cannot open) and 7 (no
/// memory for the sets or their points).
enum WavStatus : int {
    kWavWrongFormat = 3, ///< called for a format other than WAV
    kWavFailed = 8,      ///< any format, chunk or read problem
};

/// Why a WAV read failed, for the message its caller shows.
enum class WavProblem {
    None,
    TooShort,      ///< not even a chunk header
    NotRiff,       ///< no "RIFF"/"WAVE" form (the reader showed its message)
    NoFmt,         ///< no "fmt " chunk of 16 bytes or more (message shown)
    FmtCut,        ///< the file ends inside the 16 format bytes
    NotPcm,        ///< a format tag other than PCM, or 24-bit or other sample sizes
    BadFormat,     ///< no channels or a sample rate of 0
    NoData,        ///< no "data" chunk
    DataCut,       ///< the file ends before the frames the data chunk gives
    ReadError,     ///< reading the file failed
};

/// What a WAV read found and how far it got.
struct WavReadReport {
    WavProblem problem = WavProblem::None;
    int formatTag = 0;
    int channels = 0;
    std::uint32_t sampleRate = 0;
    int bitsPerSample = 0;
    std::uint64_t frameCount = 0; ///< frames the data chunk gives
    std::uint64_t framesRead = 0;
};

/// Reads the PCM WAV file `fileName` into new sets at the end of `graph`:
/// for a stereo file a left and a right set, else one set (of a file with
/// more than two channels, the first channel). Point k of a set is
/// (k / sample rate, sample); 8-bit samples are centred on 0 (b - 128).
/// Returns -1 on success; 1 when the file cannot be opened; 3 after showing
/// "Only WAVE files are currently supported!" when `format` is not WAV; 7
/// when memory for the sets or points runs out; 8 for every other problem,
/// of which only a missing "RIFF" form and a missing "fmt " chunk are shown
/// here. Sets made before a failure stay with the points read. `report`
/// (when given) says what went wrong.
int ReadWavFile(Graph& graph, const std::string& fileName, int format, Messages& messages,
                WavReadReport* report = nullptr);

/// Reads WAV bytes in memory like `ReadWavFile`; `name` names the sets.
int ReadWavBytes(Graph& graph, const void* data, std::size_t size, const std::string& name,
                 Messages& messages, WavReadReport* report = nullptr);

/// The message for a failure that the reader did not show itself (result 8
/// for a short, non-PCM, damaged or cut-off file), naming the file; empty
/// when there is nothing more to say.
std::string WavProblemMessage(const WavReadReport& report, const std::string& fileName);
