#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/// A 24-bit colour picture in the layout of a Windows device-independent
/// bitmap: each pixel is blue, green, red, and each row is padded to a
/// multiple of four bytes. Rows are held top row first (row 0 is the top of
/// the page); the BMP writer stores them bottom row first as the file needs.
class RasterImage {
public:
    /// Bytes in one padded row of `width` pixels, or 0 when that overflows.
    static std::size_t RowBytes(int width);

    /// Makes the picture `width` x `height` pixels, every byte zero. False,
    /// and an empty picture, when a side is below 1 or the memory cannot be had.
    bool Allocate(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::size_t Stride() const { return m_stride; }
    bool Empty() const { return m_bits.empty(); }
    /// The padded row size times the height: the pixel bytes of a BMP file.
    std::size_t ImageSize() const { return m_bits.size(); }

    /// The first byte of row `y` (0 at the top).
    std::uint8_t* Row(int y) { return m_bits.data() + std::size_t(y) * m_stride; }
    const std::uint8_t* Row(int y) const { return m_bits.data() + std::size_t(y) * m_stride; }
    std::uint8_t* Bits() { return m_bits.data(); }

private:
    int m_width = 0;
    int m_height = 0;
    std::size_t m_stride = 0;
    std::vector<std::uint8_t> m_bits;
};
