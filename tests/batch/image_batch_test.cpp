// End-to-end checks of the image export through corvid-batch: render -o
// writes BMP and PNG with the program's own writers, at any size, with the
// page's line and font scaling.
#include "tests/support/batch_run.h"
#include "tests/support/memory_limit.h"
#include "tests/support/png_reading.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8 |
           std::uint32_t(std::uint8_t(bytes[at + 2])) << 16 | std::uint32_t(std::uint8_t(bytes[at + 3])) << 24;
}

// The number of pixels of a BMP file darker than mid grey.
int DarkPixels(const std::string& bmp)
{
    const int width = int(Le32(bmp, 18)), height = int(Le32(bmp, 22));
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    int dark = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + std::size_t(y) * stride + 3 * std::size_t(x);
            dark += std::uint8_t(bmp[at]) + std::uint8_t(bmp[at + 1]) + std::uint8_t(bmp[at + 2]) < 384;
        }
    return dark;
}

// The text of the entry `key` of a PDF's document information dictionary
// (the object the trailer's /Info names). Qt writes it as a literal string of
// UTF-16BE after a byte order mark, "(\xFE\xFF\0C\0o...)", with "\\" before
// the bytes "(", ")" and "\\"; "(none)" when there is no such entry.
std::string PdfInfoText(const std::string& pdf, const std::string& key)
{
    const std::size_t info = pdf.rfind("/Info ");
    if (info == std::string::npos)
        return "(none)";
    const std::string object = "\n" + std::to_string(std::atoi(pdf.c_str() + info + 6)) + " 0 obj";
    const std::size_t begin = pdf.find(object), end = pdf.find(">>", begin);
    const std::size_t entry = pdf.find("/" + key + " (", begin);
    if (begin == std::string::npos || entry == std::string::npos || entry > end)
        return "(none)";
    std::string bytes;
    for (std::size_t at = entry + key.size() + 3; at < end && pdf[at] != ')'; ++at)
        bytes += pdf[at] == '\\' ? pdf[++at] : pdf[at];
    if (bytes.rfind("\xFE\xFF", 0) != 0)
        return bytes;
    std::string text; // the ASCII characters of the UTF-16BE text
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += bytes[i] == 0 ? bytes[i + 1] : '?';
    return text;
}

} // namespace

TEST(ImageBatch, BmpAndPngOfEverySize)
{
    const ScratchDir dir("corvid-image");
    const std::string data = dir.Write("data.txt", "1 1\n2 4\n3 9\n");
    struct Row { int width, height; };
    for (Row row : {Row{1, 1}, Row{101, 40}, Row{320, 240}}) {
        const std::string size = std::to_string(row.width) + "x" + std::to_string(row.height);
        SCOPED_TRACE(size);
        ASSERT_EQ(RunBatchIn("render -xy " + data + " -o page.bmp --size " + size, dir).status, 0);
        const std::string bmp = ReadWholeFile(dir / "page.bmp");
        const std::size_t stride = (std::size_t(row.width) * 3 + 3) & ~std::size_t(3);
        ASSERT_EQ(bmp.size(), 54 + stride * std::size_t(row.height));
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(Le32(bmp, 2), bmp.size());
        EXPECT_EQ(Le32(bmp, 18), std::uint32_t(row.width));
        EXPECT_EQ(Le32(bmp, 22), std::uint32_t(row.height));

        const BatchRun png = RunBatchIn("render -xy " + data + " --size " + size + " -o page.png", dir);
        ASSERT_EQ(png.status, 0) << png.err;
        const PngContents contents = ReadPng(dir / "page.png");
        ASSERT_TRUE(contents.ok);
        EXPECT_EQ(contents.width, unsigned(row.width));
        EXPECT_EQ(contents.height, unsigned(row.height));
        ASSERT_EQ(contents.texts.size(), 2u);
        EXPECT_EQ(contents.texts[0].second, "A Graph Image");
        EXPECT_EQ(contents.texts[1].second, "CorvidPlot");
        // The BMP's last stored row and the PNG's first row are the page's top.
        const std::size_t top = 54 + stride * std::size_t(row.height - 1);
        for (int x = 0; x < row.width; ++x) {
            ASSERT_EQ(contents.rows[0][3 * x], std::uint8_t(bmp[top + 3 * x + 2])) << x;
            ASSERT_EQ(contents.rows[0][3 * x + 2], std::uint8_t(bmp[top + 3 * x])) << x;
        }
    }
}

TEST(ImageBatch, PdfCarriesTheImageTitleAndCreator)
{
    const ScratchDir dir("corvid-image");
    const std::string data = dir.Write("data.txt", "1 1\n2 4\n3 9\n");
    const BatchRun run = RunBatchIn("render -xy " + data + " -o x.pdf --size 320x240", dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pdf = ReadWholeFile(dir / "x.pdf");
    struct Row { const char* key; const char* text; };
    for (Row row : {Row{"Title", "A Graph Image"}, Row{"Creator", "CorvidPlot"}}) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(PdfInfoText(pdf, row.key), row.text) << "as the PNG's text chunks";
    }
}

TEST(ImageBatch, LineScalingThickensTheLines)
{
    const ScratchDir dir("corvid-image");
    const std::string data = dir.Write("data.txt", "0 0\n1 1\n2 0\n3 1\n");
    ASSERT_EQ(RunBatchIn("render -xy " + data + " -o thin.bmp --size 600x450", dir).status, 0);
    ASSERT_EQ(RunBatchIn("render -xy " + data + " -o thick.bmp --size 600x450 --line-scaling 4", dir).status, 0);
    ASSERT_EQ(RunBatchIn("render -xy " + data + " -o big.bmp --size 600x450 --font-scaling 2.5", dir).status, 0);
    const int thin = DarkPixels(ReadWholeFile(dir / "thin.bmp"));
    EXPECT_GT(DarkPixels(ReadWholeFile(dir / "thick.bmp")), 2 * thin);
    // The font factor is the page's setting only: text sizes do not depend on it.
    EXPECT_EQ(DarkPixels(ReadWholeFile(dir / "big.bmp")), thin);

    struct Row { const char* option; };
    for (Row row : {Row{"--line-scaling 0"}, Row{"--line-scaling 2.5"}, Row{"--line-scaling x"},
                    Row{"--font-scaling 0"}, Row{"--font-scaling -1"}, Row{"--font-scaling 51"}}) {
        SCOPED_TRACE(row.option);
        EXPECT_EQ(RunBatchIn("render -xy " + data + " -o bad.bmp " + row.option, dir).status, 2);
        EXPECT_FALSE(std::filesystem::exists(dir / "bad.bmp"));
    }
}

TEST(ImageBatch, FailuresAreMessagesAndExitOne)
{
    const ScratchDir dir("corvid-image");
    const BatchRun unwritable = RunBatchIn("render -o no/such/dir/page.png", dir);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "message: Unable to open no/such/dir/page.png for writing\n");

    if (kAddressSanitizer)
        GTEST_SKIP() << "an address-space limit does not work under AddressSanitizer";
    // 20000 x 20000 pixels need 1.2 GB; under a smaller limit the picture is
    // refused with a message and nothing is written.
    const BatchRun huge =
        RunShellIn("ulimit -v 900000; " + BatchProgram() + " render -o huge.png --size 20000x20000", dir);
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err, "message: Unable to write bitmap (invalid dib)\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "huge.png"));
}
