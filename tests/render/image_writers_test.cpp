// The BMP and PNG writers: bytes of the BMP file, the PNG read back with
// libpng, and the failures each reports.
#include "render/image_writers.h"
#include "render/raster_image.h"
#include "tests/render/test_messages.h"
#include "tests/support/memory_limit.h"
#include "tests/support/png_reading.h"
#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

std::uint16_t Le16(const std::string& bytes, std::size_t at)
{
    return std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8);
}

// A picture whose every pixel tells where it is: blue = x, green = y, red = x + y.
RasterImage Gradient(int width, int height)
{
    RasterImage image;
    EXPECT_TRUE(image.Allocate(width, height));
    for (int y = 0; y < height; ++y) {
        std::uint8_t* pixel = image.Row(y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            pixel[0] = std::uint8_t(x);
            pixel[1] = std::uint8_t(y);
            pixel[2] = std::uint8_t(x + y);
        }
    }
    return image;
}

} // namespace

TEST(RasterImage, RowsArePaddedToFourBytes)
{
    struct Row { int width, height; std::size_t stride; bool ok; };
    for (Row row : {Row{1, 1, 4, true}, Row{2, 1, 8, true}, Row{4, 3, 12, true}, Row{101, 2, 304, true},
                    Row{0, 5, 0, false}, Row{5, 0, 0, false}, Row{-1, 1, 0, false}}) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
        RasterImage image;
        EXPECT_EQ(image.Allocate(row.width, row.height), row.ok);
        EXPECT_EQ(image.Stride(), row.stride);
        EXPECT_EQ(image.ImageSize(), row.stride * std::size_t(row.ok ? row.height : 0));
        EXPECT_EQ(image.Empty(), !row.ok);
    }
}

TEST(RasterImage, MemoryThatCannotBeHadIsRefused)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit does not work under AddressSanitizer";
    const int status = RunWithMemoryLimit(256u << 20, [](std::FILE*) {
        RasterImage image;
        if (image.Allocate(20000, 20000))
            return 1;
        return image.Empty() && image.Width() == 0 ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
}

TEST(BmpWriter, OnePixelIsFiftyEightBytes)
{
    ScratchDir dir;
    RasterImage image;
    ASSERT_TRUE(image.Allocate(1, 1));
    image.Row(0)[0] = 0x11; // blue
    image.Row(0)[1] = 0x22; // green
    image.Row(0)[2] = 0x33; // red
    RecordingMessages messages;
    ASSERT_TRUE(WriteBmpFile(image, dir / "one.bmp", messages));
    EXPECT_TRUE(messages.shown.empty());
    const std::string bytes = ReadWholeFile(dir / "one.bmp");
    const std::string expected("BM" "\x3A\0\0\0" "\0\0\0\0" "\x36\0\0\0"
                               "\x28\0\0\0" "\x01\0\0\0" "\x01\0\0\0" "\x01\0" "\x18\0" "\0\0\0\0"
                               "\x04\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\0\0\0"
                               "\x11\x22\x33\0",
                               58);
    EXPECT_EQ(bytes, expected);
}

TEST(BmpWriter, WideRowsArePaddedAndStoredBottomUp)
{
    ScratchDir dir;
    struct Row { int width, height; std::uint32_t rowBytes; };
    for (Row row : {Row{101, 3, 304}, Row{3, 2, 12}, Row{4, 2, 12}, Row{7, 1, 24}}) {
        SCOPED_TRACE(row.width);
        const RasterImage image = Gradient(row.width, row.height);
        RecordingMessages messages;
        const std::string path = dir / ("w" + std::to_string(row.width) + ".bmp");
        ASSERT_TRUE(WriteBmpFile(image, path, messages));
        const std::string bytes = ReadWholeFile(path);
        const std::uint32_t imageSize = row.rowBytes * std::uint32_t(row.height);
        ASSERT_EQ(bytes.size(), 54 + imageSize);
        EXPECT_EQ(Le16(bytes, 0), 0x4D42);
        EXPECT_EQ(Le32(bytes, 2), 54 + imageSize);
        EXPECT_EQ(Le32(bytes, 10), 54u);
        EXPECT_EQ(Le32(bytes, 14), 40u);
        EXPECT_EQ(Le32(bytes, 18), std::uint32_t(row.width));
        EXPECT_EQ(Le32(bytes, 22), std::uint32_t(row.height));
        EXPECT_EQ(Le16(bytes, 26), 1);
        EXPECT_EQ(Le16(bytes, 28), 24);
        EXPECT_EQ(Le32(bytes, 30), 0u);
        // Each stored row r is the picture's row height-1-r; padding is zero.
        for (int r = 0; r < row.height; ++r) {
            const int y = row.height - 1 - r;
            const std::size_t start = 54 + std::size_t(r) * row.rowBytes;
            for (int x = 0; x < row.width; ++x) {
                EXPECT_EQ(std::uint8_t(bytes[start + 3 * x]), std::uint8_t(x));
                EXPECT_EQ(std::uint8_t(bytes[start + 3 * x + 1]), std::uint8_t(y));
                EXPECT_EQ(std::uint8_t(bytes[start + 3 * x + 2]), std::uint8_t(x + y));
            }
            for (std::size_t pad = 3 * std::size_t(row.width); pad < row.rowBytes; ++pad)
                EXPECT_EQ(bytes[start + pad], '\0');
        }
    }
}

TEST(PngWriter, ReadsBackWithItsTextsAndTopRowFirst)
{
    ScratchDir dir;
    for (auto [width, height] : {std::pair{1, 1}, std::pair{101, 3}, std::pair{64, 40}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const RasterImage image = Gradient(width, height);
        RecordingMessages messages;
        const std::string path = dir / "page.png";
        ASSERT_TRUE(WritePngFile(image, path, messages));
        EXPECT_TRUE(messages.shown.empty());
        const PngContents png = ReadPng(path);
        ASSERT_TRUE(png.ok);
        EXPECT_EQ(png.width, unsigned(width));
        EXPECT_EQ(png.height, unsigned(height));
        EXPECT_EQ(png.bitDepth, 8);
        EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_RGB);
        EXPECT_EQ(png.interlace, PNG_INTERLACE_NONE);
        const std::vector<std::pair<std::string, std::string>> texts{{"Title", "A Graph Image"},
                                                                       {"Author", "CorvidPlot"}};
        EXPECT_EQ(png.texts, texts);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* rgb = png.rows[y].data() + 3 * x;
                ASSERT_EQ(rgb[0], std::uint8_t(x + y)) << x << "," << y;
                ASSERT_EQ(rgb[1], std::uint8_t(y));
                ASSERT_EQ(rgb[2], std::uint8_t(x));
            }
    }
}

TEST(ImageWriters, BmpAndPngHoldTheSamePixels)
{
    // Two routes to the same picture: the BMP's bottom-up BGR rows and the
    // PNG's top-down RGB rows must describe the same pixels.
    ScratchDir dir;
    const RasterImage image = Gradient(37, 11);
    RecordingMessages messages;
    ASSERT_TRUE(WriteBmpFile(image, dir / "a.bmp", messages));
    ASSERT_TRUE(WritePngFile(image, dir / "a.png", messages));
    const std::string bmp = ReadWholeFile(dir / "a.bmp");
    const PngContents png = ReadPng(dir / "a.png");
    ASSERT_TRUE(png.ok);
    const std::size_t stride = RasterImage::RowBytes(37);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37; ++x) {
            const std::size_t at = 54 + std::size_t(10 - y) * stride + 3 * std::size_t(x);
            const unsigned char* rgb = png.rows[y].data() + 3 * x;
            ASSERT_EQ(std::uint8_t(bmp[at + 2]), rgb[0]);
            ASSERT_EQ(std::uint8_t(bmp[at + 1]), rgb[1]);
            ASSERT_EQ(std::uint8_t(bmp[at]), rgb[2]);
        }
}

TEST(ImageWriters, FailuresAreShownAndReported)
{
    ScratchDir dir;
    const RasterImage picture = Gradient(4, 4);
    const RasterImage none;
    const std::string missing = dir / "no/such/folder/page.img";
    struct Row {
        const char* name;
        bool (*write)(const RasterImage&, const std::string&, Messages&);
        const RasterImage* image;
        std::string path;
        std::string message;
    };
    const Row rows[] = {
        {"bmp unwritable", WriteBmpFile, &picture, missing, "Unable to open " + missing + " for writing"},
        {"png unwritable", WritePngFile, &picture, missing, "Unable to open " + missing + " for writing"},
        {"bmp no picture", WriteBmpFile, &none, dir / "n.bmp", "Unable to write bitmap (invalid dib)"},
        {"png no picture", WritePngFile, &none, dir / "n.png", "Unable to write bitmap (invalid dib)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingMessages messages;
        EXPECT_FALSE(row.write(*row.image, row.path, messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], row.message);
    }
}

TEST(ImageWriters, AFailedWriteKeepsTheOldFile)
{
    ScratchDir dir;
    const std::string path = dir / "keep.png";
    { std::ofstream(path, std::ios::binary) << "old"; }
    RecordingMessages messages;
    EXPECT_FALSE(WritePngFile(RasterImage(), path, messages));
    EXPECT_EQ(ReadWholeFile(path), "old");
}

TEST(ImageWriters, AFullDeviceIsAFailureNotASuccess)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    // Large enough that the writes reach the device while libpng encodes,
    // so libpng's own error path (the callback's exception) is taken.
    const RasterImage image = Gradient(1500, 1500);
    for (auto write : {WriteBmpFile, WritePngFile}) {
        RecordingMessages messages;
        EXPECT_FALSE(write(image, "/dev/full", messages));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], "Unable to write /dev/full (No space left on device)");
    }
}
