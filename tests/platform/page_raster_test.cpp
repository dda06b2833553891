// The headless page picture of the image export, against the page image of
// the screen's painter, and the export's refusals.
#include "platform/page_raster.h"

#include "document/tarn_doc.h"
#include "platform/page_image.h"
#include "render/raster_image.h"
#include "tests/render/test_messages.h"
#include "tests/support/golden_image.h"
#include "tests/support/memory_limit.h"
#include "tests/support/png_reading.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(PageRaster, MatchesThePageImageOfThePainter)
{
    GuiApplication();
    CTarnDoc doc;
    const int width = 161, height = 120;
    RasterImage raster;
    ASSERT_TRUE(RenderPageToRaster(doc, width, height, raster));
    const QImage image = RenderPageImage(doc, QSize(width, height)).convertToFormat(QImage::Format_RGB32);
    // Two painters on two pixel layouts: the same page, give or take the
    // rounding of smoothed edges.
    double sum = 0.0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* bgr = raster.Row(y) + 3 * x;
            const QRgb rgb = image.pixel(x, y);
            sum += std::abs(bgr[2] - qRed(rgb)) + std::abs(bgr[1] - qGreen(rgb)) + std::abs(bgr[0] - qBlue(rgb));
        }
    EXPECT_LT(sum / (width * height * 3.0), 1.0);
    // The padding after each 161-pixel row stays zero.
    EXPECT_EQ(raster.Stride(), 484u);
    for (int y = 0; y < height; ++y)
        EXPECT_EQ(raster.Row(y)[483], 0);
}

TEST(PageRaster, PageColourFillsThePicture)
{
    GuiApplication();
    CTarnDoc doc;
    doc.m_pageColor = 0x00336699; // red 0x99, green 0x66, blue 0x33
    RasterImage raster;
    ASSERT_TRUE(RenderPageToRaster(doc, 400, 300, raster));
    const std::uint8_t* corner = raster.Row(298) + 3;
    EXPECT_EQ(corner[0], 0x33);
    EXPECT_EQ(corner[1], 0x66);
    EXPECT_EQ(corner[2], 0x99);
    doc.m_pageColor = kNoColor;
    ASSERT_TRUE(RenderPageToRaster(doc, 400, 300, raster));
    EXPECT_EQ(raster.Row(298)[3], 0xFF) << "a page without colour is white";
}

TEST(PageRaster, ExportsOnePixelAndTheTopRowFirst)
{
    GuiApplication();
    ScratchDir dir;
    CTarnDoc doc;
    RecordingMessages messages;
    ASSERT_TRUE(ExportPageImage(doc, dir / "one.bmp", ImageFormat::Bmp, 1, 1, messages));
    ASSERT_TRUE(ExportPageImage(doc, dir / "one.png", ImageFormat::Png, 1, 1, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(std::filesystem::file_size(dir / "one.bmp"), 58u);
    const PngContents one = ReadPng(dir / "one.png");
    ASSERT_TRUE(one.ok);
    EXPECT_EQ(one.width, 1u);
    EXPECT_EQ(one.height, 1u);

    // The PNG's rows are the picture's rows, top row first.
    ASSERT_TRUE(ExportPageImage(doc, dir / "page.png", ImageFormat::Png, 200, 150, messages));
    RasterImage raster;
    ASSERT_TRUE(RenderPageToRaster(doc, 200, 150, raster));
    const PngContents png = ReadPng(dir / "page.png");
    ASSERT_TRUE(png.ok);
    for (int y : {0, 1, 75, 149})
        for (int x = 0; x < 200; ++x) {
            const std::uint8_t* bgr = raster.Row(y) + 3 * x;
            ASSERT_EQ(png.rows[y][3 * x], bgr[2]) << x << "," << y;
            ASSERT_EQ(png.rows[y][3 * x + 2], bgr[0]);
        }
}

TEST(PageRaster, AHugePictureIsRefusedWithAMessage)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit does not work under AddressSanitizer";
    GuiApplication();
    ScratchDir dir;
    const std::string path = dir / "huge.png";
    std::string output;
    const int status = RunWithMemoryLimit(
        512u << 20,
        [&](std::FILE* channel) {
            CTarnDoc doc;
            RecordingMessages messages;
            const bool written = ExportPageImage(doc, path, ImageFormat::Png, 20000, 20000, messages);
            for (const std::string& text : messages.shown)
                std::fprintf(channel, "%s\n", text.c_str());
            return written ? 1 : 0;
        },
        &output);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "Unable to write bitmap (invalid dib)\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}
