#include "io/avi_writer.h"

#include "io/jpeg_frame_encoder.h"
#include "model/safe_file_writer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr int kMaxSide = 32767;
constexpr std::uint32_t kHasIndex = 0x10;     // avih: the file ends in an idx1 index
constexpr std::uint32_t kKeyFrame = 0x10;     // idx1: the frame stands alone
constexpr std::uint64_t kRiffLimit = 0xFFFFFFFFull; // a RIFF size is 32 bits
// The headers up to and including the "movi" list's four-character code.
constexpr std::size_t kHeaderBytes = 12 + 8 + 192 + 12;
constexpr std::size_t kIndexEntryBytes = 16;

void Put32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

void Put16(std::string& out, std::uint16_t value)
{
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}

void PutCode(std::string& out, const char* fourCc) { out.append(fourCc, 4); }

// Bytes of one stored row of a bottom-up bitmap: rows start on 4-byte
// boundaries, as every reader of such bitmaps expects.
std::size_t DibStride(int width) { return (std::size_t(width) * 3 + 3) & ~std::size_t(3); }

} // namespace

AviWriter::AviWriter(std::string path) : m_path(std::move(path)) {}

AviWriter::~AviWriter() = default;

bool AviWriter::Fail(const char* message)
{
    m_error = message;
    if (m_file && m_systemError.empty())
        m_systemError = m_file->Error();
    return false;
}

bool AviWriter::Open(const AviStreamFormat& format)
{
    m_error.clear();
    m_systemError.clear();
    if (format.width < 1 || format.width > kMaxSide)
        return Fail("Frame width out of bounds");
    if (format.height < 1 || format.height > kMaxSide)
        return Fail("Frame height out of bounds");
    if (format.framesPerSecond < 1)
        return Fail("Frame rate out of bounds");
    m_format = format;
    m_index.clear();
    m_moviBytes = 4;
    m_largestChunk = 0;
    try {
        if (format.codec == AviCodec::MotionJpeg)
            m_jpeg = std::make_unique<JpegFrameEncoder>(format.width, format.height, format.jpegQuality);
        // A movie of a few minutes has thousands of index entries.
        m_index.reserve(1024);
    } catch (const std::bad_alloc&) {
        return Fail("Couldn't set compressed AVI format!");
    }
    // The headers are filled in at the end, so a pipe gets the movie then.
    m_file = std::make_unique<SafeFileWriter>(m_path, SafeFileWriter::Seeking::Back);
    if (!m_file->Open() || !m_file->Write(Headers()))
        return Fail("Error opening the AVI file");
    m_open = true;
    return true;
}

std::string AviWriter::Headers() const
{
    const std::uint32_t width = std::uint32_t(m_format.width), height = std::uint32_t(m_format.height);
    const bool jpeg = m_format.codec == AviCodec::MotionJpeg;
    const std::uint32_t frames = std::uint32_t(m_index.size());
    const std::uint32_t imageBytes =
        jpeg ? std::uint32_t(std::uint64_t(width) * height * 3) : std::uint32_t(DibStride(int(width)) * height);
    const std::uint32_t buffer = std::max(imageBytes, m_largestChunk);
    const std::uint64_t riff = 4 + 8 + 192 + 8 + m_moviBytes + 8 + kIndexEntryBytes * m_index.size();
    const char* handler = jpeg ? "MJPG" : "DIB ";

    std::string out;
    out.reserve(kHeaderBytes);
    PutCode(out, "RIFF");
    Put32(out, std::uint32_t(riff));
    PutCode(out, "AVI ");
    PutCode(out, "LIST");
    Put32(out, 192);
    PutCode(out, "hdrl");

    PutCode(out, "avih");
    Put32(out, 56);
    Put32(out, std::uint32_t(std::lround(1e6 / m_format.framesPerSecond))); // microseconds per frame
    Put32(out, std::uint32_t(std::min<std::uint64_t>(std::uint64_t(buffer) * std::uint32_t(m_format.framesPerSecond),
                                                     0xFFFFFFFFu))); // most bytes per second
    Put32(out, 0); // padding granularity
    Put32(out, kHasIndex);
    Put32(out, frames);
    Put32(out, 0); // initial frames
    Put32(out, 1); // streams
    Put32(out, buffer);
    Put32(out, width);
    Put32(out, height);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);

    PutCode(out, "LIST");
    Put32(out, 116);
    PutCode(out, "strl");
    PutCode(out, "strh");
    Put32(out, 56);
    PutCode(out, "vids");
    PutCode(out, handler);
    Put32(out, 0); // flags
    Put16(out, 0); // priority
    Put16(out, 0); // language
    Put32(out, 0); // initial frames
    Put32(out, 1); // scale: the rate counts frames per second
    Put32(out, std::uint32_t(m_format.framesPerSecond));
    Put32(out, 0); // start
    Put32(out, frames);
    Put32(out, buffer);
    Put32(out, 0xFFFFFFFFu); // quality: the codec's default
    Put32(out, 0);           // sample size: frames vary in size
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, std::uint16_t(width));
    Put16(out, std::uint16_t(height));

    PutCode(out, "strf");
    Put32(out, 40);
    Put32(out, 40); // header size
    Put32(out, width);
    Put32(out, height); // positive: rows bottom-up
    Put16(out, 1);      // planes
    Put16(out, 24);     // bits per pixel
    if (jpeg)
        PutCode(out, "MJPG");
    else
        Put32(out, 0); // no compression
    Put32(out, imageBytes);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0); // resolution and palette

    PutCode(out, "LIST");
    Put32(out, std::uint32_t(m_moviBytes));
    PutCode(out, "movi");
    return out;
}

bool AviWriter::WriteChunk(const char* fourCc, const std::uint8_t* data, std::size_t size)
{
    const std::uint64_t padded = size + (size & 1);
    const std::uint64_t after = 4 + 8 + 192 + 8 + m_moviBytes + 8 + padded + 8 +
                                kIndexEntryBytes * (m_index.size() + 1);
    if (after > kRiffLimit) {
        m_systemError = "an AVI file holds at most 4 GiB";
        return Fail("Can't write movie frame!");
    }
    std::string header;
    PutCode(header, fourCc);
    Put32(header, std::uint32_t(size));
    const std::uint8_t pad = 0;
    bool written = m_file->Write(header);
    if (written && data)
        written = m_file->Write(data, size);
    if (written && (size & 1))
        written = m_file->Write(&pad, 1);
    if (!written)
        return Fail("Can't write movie frame!");
    return true;
}

bool AviWriter::WriteFrame(const std::uint8_t* topDownBgr, std::size_t bytesPerLine)
{
    if (!m_open)
        return Fail("Can't write movie frame!");
    const std::size_t width = std::size_t(m_format.width), height = std::size_t(m_format.height);
    std::size_t size = 0;
    if (m_format.codec == AviCodec::MotionJpeg) {
        if (!m_jpeg->Encode(topDownBgr, bytesPerLine, m_frame)) {
            m_systemError = m_jpeg->Error();
            return Fail("Error compressing frame");
        }
        size = m_frame.size();
        if (!WriteChunk("00dc", m_frame.data(), size))
            return false;
    } else {
        // The rows go out bottom first, each padded to its 4-byte boundary,
        // straight from the caller's picture: no copy of the frame is made.
        const std::size_t stride = DibStride(int(width));
        size = stride * height;
        if (!WriteChunk("00db", nullptr, size))
            return false;
        static const std::uint8_t zeros[3] = {0, 0, 0};
        for (std::size_t row = height; row-- > 0;) {
            if (!m_file->Write(topDownBgr + row * bytesPerLine, width * 3) ||
                !m_file->Write(zeros, stride - width * 3))
                return Fail("Can't write movie frame!");
        }
    }
    try {
        m_index.push_back({std::uint32_t(m_moviBytes), std::uint32_t(size)});
    } catch (const std::bad_alloc&) {
        return Fail("Can't write movie frame!");
    }
    m_moviBytes += 8 + size + (size & 1);
    m_largestChunk = std::max(m_largestChunk, std::uint32_t(size));
    return true;
}

bool AviWriter::Finish()
{
    if (!m_open)
        return Fail("Can't write movie frame!");
    m_open = false;
    const char* code = m_format.codec == AviCodec::MotionJpeg ? "00dc" : "00db";
    std::string index;
    try {
        index.reserve(8 + kIndexEntryBytes * m_index.size());
    } catch (const std::bad_alloc&) {
        return Fail("Can't write movie frame!");
    }
    PutCode(index, "idx1");
    Put32(index, std::uint32_t(kIndexEntryBytes * m_index.size()));
    for (const IndexEntry& entry : m_index) {
        PutCode(index, code);
        Put32(index, kKeyFrame);
        Put32(index, entry.offset);
        Put32(index, entry.size);
    }
    const std::string headers = Headers();
    if (!m_file->Write(index) || !m_file->WriteAt(0, headers.data(), headers.size()) || !m_file->Commit())
        return Fail("Can't write movie frame!");
    return true;
}
