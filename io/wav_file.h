#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/// Bytes of the header that `WavHeader` writes before the samples.
constexpr std::size_t kWavHeaderBytes = 44;

/// The 44-byte header of a 16-bit PCM WAV file (little-endian) with
/// `channels` channels at `rate` samples per second whose data chunk holds
/// `dataBytes` bytes: "RIFF", 36 + data size, "WAVE", a 16-byte "fmt " chunk
/// and the "data" chunk header.
std::string WavHeader(int channels, std::uint32_t rate, std::uint32_t dataBytes);
