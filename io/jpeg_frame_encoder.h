#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// Encodes movie frames as baseline JPEG pictures (with their Huffman
/// tables, so every frame stands alone as Motion JPEG players expect), with
/// the colour at full resolution (4:4:4) so thin coloured lines keep their
/// colour.
class JpegFrameEncoder {
public:
    /// `quality` 1 .. 100 (clamped).
    JpegFrameEncoder(int width, int height, int quality);

    /// Encodes top-down rows of blue, green, red bytes, `bytesPerLine` apart,
    /// into `out` (replacing what it held). False with `Error()` set when
    /// the library refuses.
    bool Encode(const std::uint8_t* topDownBgr, std::size_t bytesPerLine, std::vector<std::uint8_t>& out);

    const std::string& Error() const { return m_error; }

private:
    int m_width;
    int m_height;
    int m_quality;
    std::string m_error;
};
