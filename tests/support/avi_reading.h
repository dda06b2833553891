#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

/// An AVI file as a reader that trusts nothing sees it: the headers of its
/// one video stream, the frame chunks of its "movi" list in file order and
/// its idx1 index. `error` names the first thing that is not as an AVI file
/// must be; `ok` is true only when everything was found and consistent.
struct AviContents {
    struct Chunk {
        std::string code;
        std::uint32_t offset = 0; // from the "movi" code, as idx1 counts
        std::uint32_t size = 0;
        std::vector<std::uint8_t> data;
    };
    struct IndexEntry {
        std::string code;
        std::uint32_t flags = 0, offset = 0, size = 0;
    };
    bool ok = false;
    std::string error;
    std::uint32_t riffSize = 0, fileSize = 0;
    // avih
    std::uint32_t microSecondsPerFrame = 0, flags = 0, totalFrames = 0, streams = 0, suggestedBuffer = 0;
    std::uint32_t width = 0, height = 0;
    // strh
    std::string streamType, handler;
    std::uint32_t scale = 0, rate = 0, length = 0, streamBuffer = 0;
    std::int16_t frame[4] = {0, 0, 0, 0};
    // strf
    std::uint32_t headerSize = 0, compression = 0, imageSize = 0;
    std::int32_t bitmapWidth = 0, bitmapHeight = 0;
    std::uint16_t planes = 0, bitCount = 0;
    std::vector<Chunk> frames;
    std::vector<IndexEntry> index;
};

namespace avi_reading {

inline std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

inline std::uint16_t Le16(const std::string& bytes, std::size_t at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

} // namespace avi_reading

inline AviContents ReadAvi(const std::string& path)
{
    using avi_reading::Le16;
    using avi_reading::Le32;
    AviContents avi;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    avi.fileSize = std::uint32_t(bytes.size());
    auto fail = [&](std::string why) {
        avi.error = std::move(why);
        return avi;
    };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "AVI ") != 0)
        return fail("no RIFF AVI header");
    avi.riffSize = Le32(bytes, 4);
    if (std::uint64_t(avi.riffSize) + 8 != bytes.size())
        return fail("RIFF size " + std::to_string(avi.riffSize) + " for a file of " + std::to_string(bytes.size()));
    bool sawHeaders = false, sawMovi = false, sawIndex = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string code = bytes.substr(at, 4);
        const std::uint32_t size = Le32(bytes, at + 4);
        if (at + 8 + std::uint64_t(size) > bytes.size())
            return fail("chunk " + code + " runs past the end");
        if (code == "LIST" && bytes.compare(at + 8, 4, "hdrl") == 0) {
            const std::size_t h = at + 12;
            if (bytes.compare(h, 4, "avih") != 0 || Le32(bytes, h + 4) != 56)
                return fail("no 56-byte avih first in hdrl");
            avi.microSecondsPerFrame = Le32(bytes, h + 8);
            avi.flags = Le32(bytes, h + 20);
            avi.totalFrames = Le32(bytes, h + 24);
            avi.streams = Le32(bytes, h + 32);
            avi.suggestedBuffer = Le32(bytes, h + 36);
            avi.width = Le32(bytes, h + 40);
            avi.height = Le32(bytes, h + 44);
            const std::size_t l = h + 64;
            if (bytes.compare(l, 4, "LIST") != 0 || bytes.compare(l + 8, 4, "strl") != 0)
                return fail("no strl list after avih");
            const std::size_t s = l + 12;
            if (bytes.compare(s, 4, "strh") != 0 || Le32(bytes, s + 4) != 56)
                return fail("no 56-byte strh");
            avi.streamType = bytes.substr(s + 8, 4);
            avi.handler = bytes.substr(s + 12, 4);
            avi.scale = Le32(bytes, s + 28);
            avi.rate = Le32(bytes, s + 32);
            avi.length = Le32(bytes, s + 40);
            avi.streamBuffer = Le32(bytes, s + 44);
            for (int i = 0; i < 4; ++i)
                avi.frame[i] = std::int16_t(Le16(bytes, s + 56 + 2 * i));
            const std::size_t f = s + 64;
            if (bytes.compare(f, 4, "strf") != 0 || Le32(bytes, f + 4) < 40)
                return fail("no bitmap strf");
            avi.headerSize = Le32(bytes, f + 8);
            avi.bitmapWidth = std::int32_t(Le32(bytes, f + 12));
            avi.bitmapHeight = std::int32_t(Le32(bytes, f + 16));
            avi.planes = Le16(bytes, f + 20);
            avi.bitCount = Le16(bytes, f + 22);
            avi.compression = Le32(bytes, f + 24);
            avi.imageSize = Le32(bytes, f + 28);
            sawHeaders = true;
        } else if (code == "LIST" && bytes.compare(at + 8, 4, "movi") == 0) {
            const std::size_t movi = at + 8;
            std::size_t c = movi + 4;
            while (c + 8 <= at + 8 + size) {
                AviContents::Chunk chunk;
                chunk.code = bytes.substr(c, 4);
                chunk.size = Le32(bytes, c + 4);
                chunk.offset = std::uint32_t(c - movi);
                if (c + 8 + std::uint64_t(chunk.size) > at + 8 + size)
                    return fail("frame chunk runs past the movi list");
                chunk.data.assign(bytes.begin() + std::ptrdiff_t(c + 8),
                                  bytes.begin() + std::ptrdiff_t(c + 8 + chunk.size));
                const std::size_t next = c + 8 + chunk.size + (chunk.size & 1);
                avi.frames.push_back(std::move(chunk));
                c = next;
            }
            sawMovi = true;
        } else if (code == "idx1") {
            for (std::size_t e = at + 8; e + 16 <= at + 8 + size; e += 16)
                avi.index.push_back({bytes.substr(e, 4), Le32(bytes, e + 4), Le32(bytes, e + 8), Le32(bytes, e + 12)});
            sawIndex = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!sawHeaders || !sawMovi || !sawIndex)
        return fail("missing hdrl, movi or idx1");
    if (avi.index.size() != avi.frames.size())
        return fail("index has " + std::to_string(avi.index.size()) + " entries for " +
                    std::to_string(avi.frames.size()) + " frames");
    for (std::size_t i = 0; i < avi.index.size(); ++i)
        if (avi.index[i].code != avi.frames[i].code || avi.index[i].offset != avi.frames[i].offset ||
            avi.index[i].size != avi.frames[i].size)
            return fail("index entry " + std::to_string(i) + " does not point at its frame");
    avi.ok = true;
    return avi;
}

#include <gtest/gtest.h>

/// The header fields every movie of one `width` x `height` video stream of
/// `frames` frames at `rate` frames per second must hold, whatever its codec.
inline void ExpectVideoStream(const AviContents& avi, int width, int height, unsigned frames, unsigned rate)
{
    EXPECT_EQ(avi.totalFrames, frames);
    EXPECT_EQ(avi.length, frames);
    EXPECT_EQ(avi.streams, 1u);
    EXPECT_EQ(avi.streamType, "vids");
    EXPECT_EQ(avi.scale, 1u);
    EXPECT_EQ(avi.rate, rate);
    EXPECT_EQ(avi.width, unsigned(width));
    EXPECT_EQ(avi.height, unsigned(height));
    EXPECT_EQ(avi.frame[0], 0);
    EXPECT_EQ(avi.frame[1], 0);
    EXPECT_EQ(avi.frame[2], width);
    EXPECT_EQ(avi.frame[3], height);
    EXPECT_EQ(avi.headerSize, 40u);
    EXPECT_EQ(avi.bitmapWidth, width);
    EXPECT_EQ(avi.bitmapHeight, height);
    EXPECT_EQ(avi.planes, 1);
    EXPECT_EQ(avi.bitCount, 24);
}
