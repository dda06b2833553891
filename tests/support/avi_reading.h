#pragma once
// Reads back the structure of an AVI movie for tests: the main header, the
// one video stream's header and format, the frame chunks of "movi" and the
// "idx1" index. Anything malformed leaves `error` set.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct AviChunk {
    std::string id;
    std::uint32_t flags = 0;  // idx1 entries only
    std::uint32_t offset = 0; // from the "movi" four-character code
    std::uint32_t size = 0;
};

struct AviContents {
    std::string error;
    std::uint32_t riffSize = 0;
    std::uint64_t fileSize = 0;
    // avih
    std::uint32_t microSecondsPerFrame = 0, totalFrames = 0, streams = 0, mainWidth = 0, mainHeight = 0;
    std::uint32_t mainFlags = 0;
    // strh
    std::string streamType, handler;
    std::uint32_t scale = 0, rate = 0, length = 0, suggestedBuffer = 0;
    std::int16_t frameRect[4] = {0, 0, 0, 0};
    // strf (BITMAPINFOHEADER)
    std::uint32_t headerSize = 0, compression = 0, imageSize = 0;
    std::int32_t width = 0, height = 0;
    std::uint16_t planes = 0, bitCount = 0;
    std::vector<AviChunk> frames; // the chunks of "movi", in order
    std::vector<AviChunk> index;  // the entries of idx1
    std::string bytes;            // the whole file

    /// The data of frame `n` as stored.
    std::string FrameData(std::size_t n) const
    {
        if (n >= frames.size() || moviStart == 0)
            return {};
        return bytes.substr(moviStart + frames[n].offset + 8, frames[n].size);
    }
    std::size_t moviStart = 0; // file offset of the "movi" code
};

inline std::uint32_t AviU32(const std::string& b, std::size_t at)
{
    if (at + 4 > b.size())
        return 0;
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

inline std::uint16_t AviU16(const std::string& b, std::size_t at)
{
    if (at + 2 > b.size())
        return 0;
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// Walks the chunks between `begin` and `end`, descending into lists.
inline void AviWalk(AviContents& avi, std::size_t begin, std::size_t end, const std::string& list)
{
    const std::string& b = avi.bytes;
    std::size_t at = begin;
    while (at + 8 <= end) {
        const std::string id = b.substr(at, 4);
        const std::uint32_t size = AviU32(b, at + 4);
        const std::size_t data = at + 8;
        if (data + size > end) {
            avi.error = "chunk " + id + " runs past its list";
            return;
        }
        if (id == "LIST") {
            const std::string type = b.substr(data, 4);
            if (type == "movi")
                avi.moviStart = data;
            AviWalk(avi, data + 4, data + size, type);
        } else if (id == "avih") {
            avi.microSecondsPerFrame = AviU32(b, data);
            avi.mainFlags = AviU32(b, data + 12);
            avi.totalFrames = AviU32(b, data + 16);
            avi.streams = AviU32(b, data + 24);
            avi.mainWidth = AviU32(b, data + 32);
            avi.mainHeight = AviU32(b, data + 36);
        } else if (id == "strh") {
            avi.streamType = b.substr(data, 4);
            avi.handler = b.substr(data + 4, 4);
            avi.scale = AviU32(b, data + 20);
            avi.rate = AviU32(b, data + 24);
            avi.length = AviU32(b, data + 32);
            avi.suggestedBuffer = AviU32(b, data + 36);
            for (int i = 0; i < 4; ++i)
                avi.frameRect[i] = std::int16_t(AviU16(b, data + 48 + 2 * std::size_t(i)));
        } else if (id == "strf") {
            avi.headerSize = AviU32(b, data);
            avi.width = std::int32_t(AviU32(b, data + 4));
            avi.height = std::int32_t(AviU32(b, data + 8));
            avi.planes = AviU16(b, data + 12);
            avi.bitCount = AviU16(b, data + 14);
            avi.compression = AviU32(b, data + 16);
            avi.imageSize = AviU32(b, data + 20);
        } else if (id == "idx1") {
            for (std::size_t e = data; e + 16 <= data + size; e += 16)
                avi.index.push_back({b.substr(e, 4), AviU32(b, e + 4), AviU32(b, e + 8), AviU32(b, e + 12)});
        } else if (list == "movi") {
            avi.frames.push_back({id, 0, std::uint32_t(at - avi.moviStart), size});
        }
        at = data + size + (size & 1);
    }
}

inline AviContents ReadAvi(const std::string& path)
{
    AviContents avi;
    std::ifstream file(path, std::ios::binary);
    std::stringstream stream;
    stream << file.rdbuf();
    avi.bytes = stream.str();
    avi.fileSize = avi.bytes.size();
    if (avi.bytes.size() < 12 || avi.bytes.compare(0, 4, "RIFF") != 0 || avi.bytes.compare(8, 4, "AVI ") != 0) {
        avi.error = "no RIFF AVI file";
        return avi;
    }
    avi.riffSize = AviU32(avi.bytes, 4);
    if (std::uint64_t(avi.riffSize) + 8 != avi.fileSize) {
        avi.error = "the RIFF size is not the file's";
        return avi;
    }
    AviWalk(avi, 12, avi.bytes.size(), "AVI ");
    return avi;
}
