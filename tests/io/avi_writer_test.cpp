#include "io/avi_writer.h"
#include "io/movie_settings.h"

#include "tests/support/avi_reading.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

// A picture whose every pixel says where it is: blue = x, green = y,
// red = the frame number, in top-down rows with a few bytes of slack after
// each, as a QImage would hand them over.
struct TestPicture {
    int width, height;
    std::size_t bytesPerLine;
    std::vector<std::uint8_t> bytes;

    TestPicture(int w, int h, int frame) : width(w), height(h), bytesPerLine(std::size_t(w) * 3 + 5)
    {
        bytes.assign(bytesPerLine * std::size_t(h), 0xEE);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint8_t* pixel = &bytes[std::size_t(y) * bytesPerLine + std::size_t(x) * 3];
                pixel[0] = std::uint8_t(x * 16);
                pixel[1] = std::uint8_t(y * 16);
                pixel[2] = std::uint8_t(frame * 40);
            }
    }
};

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteMovie(const std::string& path, AviStreamFormat format, int frames, std::string* error = nullptr)
{
    AviWriter writer(path);
    bool ok = writer.Open(format);
    for (int f = 0; ok && f < frames; ++f) {
        const TestPicture picture(format.width, format.height, f);
        ok = writer.WriteFrame(picture.bytes.data(), picture.bytesPerLine);
    }
    ok = ok && writer.Finish();
    if (!ok && error)
        *error = writer.Error();
    return ok;
}

// Decodes one Motion JPEG frame to top-down RGB rows.
std::vector<std::uint8_t> DecodeJpeg(const std::vector<std::uint8_t>& data, int& width, int& height)
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    std::vector<std::uint8_t> rgb(std::size_t(width) * std::size_t(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + std::size_t(info.output_scanline) * std::size_t(width) * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return rgb;
}

} // namespace

TEST(AviWriter, UncompressedMovieHasEveryHeaderFieldAndBottomUpPaddedFrames)
{
    const ScratchDir dir;
    // 7 pixels make 21-byte rows, stored as 24: the padding must be there.
    AviStreamFormat format;
    format.width = 7;
    format.height = 3;
    format.framesPerSecond = 12;
    ASSERT_TRUE(WriteMovie(dir / "m.avi", format, 5));
    const AviContents avi = ReadAvi(dir / "m.avi");
    ASSERT_TRUE(avi.ok) << avi.error;
    ExpectVideoStream(avi, 7, 3, 5, 12);
    EXPECT_EQ(avi.flags & 0x10, 0x10u); // has an index
    EXPECT_EQ(avi.microSecondsPerFrame, 83333u);
    EXPECT_EQ(avi.streamBuffer, 72u);
    EXPECT_EQ(avi.compression, 0u);
    EXPECT_EQ(avi.imageSize, 72u);
    ASSERT_EQ(avi.frames.size(), 5u);
    for (std::size_t f = 0; f < avi.frames.size(); ++f) {
        SCOPED_TRACE(f);
        EXPECT_EQ(avi.frames[f].code, "00db");
        EXPECT_EQ(avi.index[f].flags, 0x10u); // key frame
        ASSERT_EQ(avi.frames[f].size, 72u);
        const TestPicture picture(7, 3, int(f));
        for (int storedRow = 0; storedRow < 3; ++storedRow) {
            const std::uint8_t* stored = &avi.frames[f].data[std::size_t(storedRow) * 24];
            const std::uint8_t* source = &picture.bytes[std::size_t(2 - storedRow) * picture.bytesPerLine];
            EXPECT_TRUE(std::equal(source, source + 21, stored)) << "row " << storedRow;
            EXPECT_EQ(stored[21] | stored[22] | stored[23], 0) << "padding of row " << storedRow;
        }
    }
}

TEST(AviWriter, MotionJpegFramesStandAloneAndDecodeToThePicture)
{
    const ScratchDir dir;
    AviStreamFormat format;
    format.width = 33; // odd sizes exercise the partial blocks
    format.height = 17;
    format.framesPerSecond = 30;
    format.codec = AviCodec::MotionJpeg;
    format.jpegQuality = 100;
    ASSERT_TRUE(WriteMovie(dir / "m.avi", format, 3));
    const AviContents avi = ReadAvi(dir / "m.avi");
    ASSERT_TRUE(avi.ok) << avi.error;
    EXPECT_EQ(avi.handler, "MJPG");
    EXPECT_EQ(avi.compression, 0x47504A4Du); // "MJPG"
    EXPECT_EQ(avi.bitCount, 24);
    EXPECT_EQ(avi.totalFrames, 3u);
    EXPECT_EQ(avi.rate, 30u);
    ASSERT_EQ(avi.frames.size(), 3u);
    for (std::size_t f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        const std::vector<std::uint8_t>& data = avi.frames[f].data;
        EXPECT_EQ(avi.frames[f].code, "00dc");
        EXPECT_EQ(avi.index[f].flags, 0x10u);
        ASSERT_GT(data.size(), 4u);
        EXPECT_TRUE(data[0] == 0xFF && data[1] == 0xD8) << "starts with a JPEG start-of-image";
        int width = 0, height = 0;
        const std::vector<std::uint8_t> rgb = DecodeJpeg(data, width, height);
        ASSERT_EQ(width, 33);
        ASSERT_EQ(height, 17);
        // The pixel at (5, 9) of the picture: red = frame, green = y, blue = x.
        const std::uint8_t* pixel = &rgb[(9 * 33 + 5) * 3];
        EXPECT_NEAR(pixel[0], int(f) * 40, 12);
        EXPECT_NEAR(pixel[1], 9 * 16, 12);
        EXPECT_NEAR(pixel[2], 5 * 16, 12);
    }
}

TEST(AviWriter, MotionJpegKeepsTheColourOfThinLines)
{
    // One-pixel red, green and white lines on blue, at the recorder's quality:
    // colour shared between neighbouring pixels would blend each line with
    // the blue beside it (red would turn purple).
    const ScratchDir dir;
    AviStreamFormat format;
    format.width = 32;
    format.height = 16;
    format.framesPerSecond = 15;
    format.codec = AviCodec::MotionJpeg;
    format.jpegQuality = MovieSettings().jpegQuality;
    struct Line {
        int x;
        std::uint8_t red, green, blue;
    };
    const Line lines[] = {{5, 255, 0, 0}, {12, 0, 255, 0}, {19, 255, 0, 0}, {26, 255, 255, 255}};
    const std::size_t bytesPerLine = std::size_t(format.width) * 3;
    std::vector<std::uint8_t> picture(bytesPerLine * std::size_t(format.height));
    for (int y = 0; y < format.height; ++y)
        for (int x = 0; x < format.width; ++x) {
            std::uint8_t* pixel = &picture[std::size_t(y) * bytesPerLine + std::size_t(x) * 3];
            pixel[0] = 255; // blue, green, red
            for (const Line& line : lines)
                if (line.x == x) {
                    pixel[0] = line.blue;
                    pixel[1] = line.green;
                    pixel[2] = line.red;
                }
        }
    AviWriter writer(dir / "m.avi");
    ASSERT_TRUE(writer.Open(format));
    ASSERT_TRUE(writer.WriteFrame(picture.data(), bytesPerLine));
    ASSERT_TRUE(writer.Finish());
    const AviContents avi = ReadAvi(dir / "m.avi");
    ASSERT_TRUE(avi.ok) << avi.error;
    ASSERT_EQ(avi.frames.size(), 1u);
    int width = 0, height = 0;
    const std::vector<std::uint8_t> rgb = DecodeJpeg(avi.frames[0].data, width, height);
    ASSERT_EQ(width, format.width);
    for (const Line& line : lines) {
        SCOPED_TRACE(line.x);
        const std::uint8_t* pixel = &rgb[std::size_t(8 * width + line.x) * 3];
        EXPECT_NEAR(pixel[0], line.red, 48);
        EXPECT_NEAR(pixel[1], line.green, 48);
        EXPECT_NEAR(pixel[2], line.blue, 48);
    }
}

TEST(AviWriter, OutOfBoundFormatsAreRefusedBeforeAnyFileIsMade)
{
    const ScratchDir dir;
    struct Row {
        int width, height, rate;
        const char* message;
    };
    const Row rows[] = {
        {0, 10, 15, "Frame width out of bounds"},   {32768, 10, 15, "Frame width out of bounds"},
        {10, 0, 15, "Frame height out of bounds"},  {10, -3, 15, "Frame height out of bounds"},
        {10, 10, 0, "Frame rate out of bounds"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        AviWriter writer(dir / "m.avi");
        AviStreamFormat format;
        format.width = row.width;
        format.height = row.height;
        format.framesPerSecond = row.rate;
        EXPECT_FALSE(writer.Open(format));
        EXPECT_EQ(writer.Error(), row.message);
        EXPECT_FALSE(std::filesystem::exists(dir / "m.avi"));
    }
    AviWriter writer(dir / "no-such-folder/m.avi");
    AviStreamFormat format;
    format.width = format.height = 4;
    EXPECT_FALSE(writer.Open(format));
    EXPECT_EQ(writer.Error(), "Error opening the AVI file");
    EXPECT_FALSE(writer.SystemError().empty());
}

TEST(AviWriter, OnlyAFinishedMovieReplacesTheOldFile)
{
    const ScratchDir dir;
    const std::string path = dir.Write("m.avi", "the old movie");
    AviStreamFormat format;
    format.width = 4;
    format.height = 4;
    {
        AviWriter writer(path);
        ASSERT_TRUE(writer.Open(format));
        const TestPicture picture(4, 4, 0);
        ASSERT_TRUE(writer.WriteFrame(picture.bytes.data(), picture.bytesPerLine));
        // abandoned without Finish
    }
    EXPECT_EQ(Contents(path), "the old movie");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary left";
    ASSERT_TRUE(WriteMovie(path, format, 2));
    const AviContents avi = ReadAvi(path);
    ASSERT_TRUE(avi.ok) << avi.error;
    EXPECT_EQ(avi.totalFrames, 2u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(AviWriter, AFullDiskIsAFrameWriteFailureWithTheSystemReason)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    AviWriter writer("/dev/full");
    AviStreamFormat format;
    format.width = 400;
    format.height = 300;
    ASSERT_TRUE(writer.Open(format)); // the headers are still in the buffer
    const TestPicture picture(400, 300, 0);
    bool written = true;
    for (int f = 0; f < 4 && written; ++f)
        written = writer.WriteFrame(picture.bytes.data(), picture.bytesPerLine);
    EXPECT_FALSE(written);
    EXPECT_EQ(writer.Error(), "Can't write movie frame!");
    EXPECT_NE(writer.SystemError().find("No space"), std::string::npos) << writer.SystemError();
    EXPECT_FALSE(writer.Finish());
}

TEST(AviWriter, FfprobeReadsBothKindsOfMovie)
{
    if (std::system("command -v ffprobe > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffprobe is not installed";
    const ScratchDir dir;
    struct Row {
        AviCodec codec;
        const char* codecName;
    };
    for (const Row row : {Row{AviCodec::Uncompressed, "rawvideo"}, Row{AviCodec::MotionJpeg, "mjpeg"}}) {
        SCOPED_TRACE(row.codecName);
        AviStreamFormat format;
        format.width = 30;
        format.height = 20;
        format.framesPerSecond = 25;
        format.codec = row.codec;
        ASSERT_TRUE(WriteMovie(dir / "m.avi", format, 6));
        const std::string command = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                    "stream=codec_name,width,height,r_frame_rate,nb_read_frames -of "
                                    "default=noprint_wrappers=1 '" +
                                    dir / "m.avi" + "' > '" + dir / "probe.txt" + "' 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << Contents(dir / "probe.txt");
        const std::string probe = Contents(dir / "probe.txt");
        EXPECT_NE(probe.find(std::string("codec_name=") + row.codecName), std::string::npos) << probe;
        EXPECT_NE(probe.find("width=30\nheight=20"), std::string::npos) << probe;
        EXPECT_NE(probe.find("r_frame_rate=25/1"), std::string::npos) << probe;
        EXPECT_NE(probe.find("nb_read_frames=6"), std::string::npos) << probe;
    }
}
