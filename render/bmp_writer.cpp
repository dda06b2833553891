#include "model/messages.h"
#include "model/safe_file_writer.h"
#include "render/image_writers.h"
#include "render/raster_image.h"

#include <cstdint>

namespace {

void Put16(std::string& out, std::uint16_t value)
{
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}

void Put32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char((value >> shift) & 0xFF));
}

} // namespace

std::string BmpHeader(const RasterImage& image)
{
    const auto imageSize = std::uint32_t(image.ImageSize());
    std::string header;
    header.reserve(54);
    // BITMAPFILEHEADER
    Put16(header, 0x4D42);
    Put32(header, imageSize + 54);
    Put16(header, 0);
    Put16(header, 0);
    Put32(header, 54);
    // BITMAPINFOHEADER of a 24-bit section with rows bottom-up
    Put32(header, 40);
    Put32(header, std::uint32_t(image.Width()));
    Put32(header, std::uint32_t(image.Height()));
    Put16(header, 1);
    Put16(header, 24);
    Put32(header, 0); // BI_RGB
    Put32(header, imageSize);
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, 0);
    return header;
}

bool WriteBmpFile(const RasterImage& image, const std::string& path, Messages& messages)
{
    SafeFileWriter file(path);
    if (!file.Open()) {
        messages.Show("Unable to open " + path + " for writing");
        return false;
    }
    if (image.Empty()) {
        messages.Show("Unable to write bitmap (invalid dib)");
        return false;
    }
    bool written = file.Write(BmpHeader(image));
    for (int y = image.Height() - 1; written && y >= 0; --y)
        written = file.Write(image.Row(y), image.Stride());
    if (!written || !file.Commit()) {
        messages.Show("Unable to write " + path + " (" + file.Error() + ")");
        return false;
    }
    return true;
}
