#include "render/raster_image.h"

#include <limits>
#include <new>
#include <stdexcept>

std::size_t RasterImage::RowBytes(int width)
{
    if (width < 1 || std::size_t(width) > (std::numeric_limits<std::size_t>::max() - 3) / 3)
        return 0;
    return (std::size_t(width) * 3 + 3) & ~std::size_t(3);
}

bool RasterImage::Allocate(int width, int height)
{
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_width = m_height = 0;
    m_stride = 0;
    const std::size_t stride = RowBytes(width);
    // A BMP file records its size in 32 bits, so no picture may be larger.
    if (stride == 0 || height < 1 || stride > (std::numeric_limits<std::uint32_t>::max() - 54) / std::size_t(height))
        return false;
    try {
        m_bits.assign(stride * std::size_t(height), 0);
    } catch (const std::bad_alloc&) {
        m_bits.clear();
        return false;
    } catch (const std::length_error&) {
        m_bits.clear();
        return false;
    }
    m_width = width;
    m_height = height;
    m_stride = stride;
    return true;
}
