#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// Little-endian bytes of `value` (`count` of them).
inline std::string LittleBytes(std::uint64_t value, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
    return bytes;
}

/// A RIFF chunk: code, size (the body's, unless `size` says otherwise), the
/// body and the pad byte an odd body needs.
inline std::string Chunk(const std::string& id, const std::string& body, std::int64_t size = -1)
{
    std::string chunk = id + LittleBytes(size < 0 ? body.size() : std::uint64_t(size), 4) + body;
    if (body.size() % 2)
        chunk += '\0';
    return chunk;
}

/// The body of a "fmt " chunk.
inline std::string FormatBody(int tag, int channels, std::uint32_t rate, int bits)
{
    const int block = channels * (bits / 8);
    return LittleBytes(std::uint64_t(tag), 2) + LittleBytes(std::uint64_t(channels), 2) + LittleBytes(rate, 4) +
           LittleBytes(std::uint64_t(rate) * std::uint64_t(block), 4) + LittleBytes(std::uint64_t(block), 2) +
           LittleBytes(std::uint64_t(bits), 2);
}

/// A "RIFF" form of type `form` around `chunks`.
inline std::string RiffForm(const std::string& chunks, const std::string& form = "WAVE")
{
    return "RIFF" + LittleBytes(4 + chunks.size(), 4) + form + chunks;
}

/// A plain PCM WAV file with the samples given as bytes.
inline std::string WavFile(int channels, std::uint32_t rate, int bits, const std::string& samples)
{
    return RiffForm(Chunk("fmt ", FormatBody(1, channels, rate, bits)) + Chunk("data", samples));
}

/// 16-bit samples as little-endian bytes.
inline std::string Samples16(const std::vector<int>& values)
{
    std::string bytes;
    for (int value : values)
        bytes += LittleBytes(std::uint16_t(std::int16_t(value)), 2);
    return bytes;
}
