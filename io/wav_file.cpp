#include "io/wav_file.h"

static void Put16(std::string& out, std::uint32_t value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

static void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string WavHeader(int channels, std::uint32_t rate, std::uint32_t dataBytes)
{
    const std::uint32_t frameBytes = 2u * std::uint32_t(channels);
    std::string header;
    header.reserve(kWavHeaderBytes);
    header += "RIFF";
    Put32(header, 36u + dataBytes);
    header += "WAVEfmt ";
    Put32(header, 16);
    Put16(header, 1); // PCM
    Put16(header, std::uint32_t(channels));
    Put32(header, rate);
    Put32(header, rate * frameBytes);
    Put16(header, frameBytes);
    Put16(header, 16);
    header += "data";
    Put32(header, dataBytes);
    return header;
}
