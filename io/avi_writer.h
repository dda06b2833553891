#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SafeFileWriter;
class JpegFrameEncoder;

/// How the frames of a movie are stored.
enum class AviCodec {
    Uncompressed, ///< bottom-up 24-bit device-independent bitmaps, chunks "00db"
    MotionJpeg,   ///< one baseline JPEG picture per frame, chunks "00dc"
};

/// The one video stream of a movie.
struct AviStreamFormat {
    int width = 0;  ///< 1 .. 32767 pixels
    int height = 0; ///< 1 .. 32767 pixels
    int framesPerSecond = 15; ///< the stream rate; the time scale is 1
    AviCodec codec = AviCodec::Uncompressed;
    int jpegQuality = 85; ///< 1 .. 100, Motion JPEG only
};

/// Writes an AVI movie with one video stream: RIFF "AVI " holding the header
/// list (avih, one strl with strh "vids" and a BITMAPINFOHEADER strf), the
/// "movi" list of frames and an "idx1" index in which every frame is a key
/// frame. Frames are appended one at a time, so a movie of any length needs
/// memory for one frame only.
///
/// The file is written beside its target and takes its place on `Finish`, so
/// a movie abandoned before that leaves whatever file had the name. A movie
/// that stops part way can still be finished: it then holds the frames
/// written so far and plays as far as they go.
class AviWriter {
public:
    explicit AviWriter(std::string path);
    /// Discards an unfinished movie; the file that had the name stays.
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    /// Checks the format, opens the file and writes the headers. False with
    /// `Error()` set: "Frame width out of bounds", "Frame height out of
    /// bounds", "Frame rate out of bounds", "Error opening the AVI file" (the
    /// file cannot be made), "Couldn't set compressed AVI format!" (no memory
    /// for a frame of this size).
    bool Open(const AviStreamFormat& format);

    /// Appends one frame of `width` x `height` pixels given as top-down rows
    /// of blue, green, red bytes, `bytesPerLine` apart. False with `Error()`
    /// set: "Error compressing frame", "Can't write movie frame!" (the disk
    /// refused it, or the movie would outgrow the 4 GiB an AVI file can hold).
    bool WriteFrame(const std::uint8_t* topDownBgr, std::size_t bytesPerLine);

    /// Writes the index, fills in the sizes and frame count, and puts the file
    /// in place. False with `Error()` "Can't write movie frame!" when that
    /// fails; the old file then stays.
    bool Finish();

    int FramesWritten() const { return int(m_index.size()); }
    const AviStreamFormat& Format() const { return m_format; }

    /// The program's message for the last failure.
    const std::string& Error() const { return m_error; }
    /// What the system said about it, when it said anything ("No space left
    /// on device"); empty otherwise.
    const std::string& SystemError() const { return m_systemError; }

private:
    struct IndexEntry {
        std::uint32_t offset; // from the "movi" four-character code
        std::uint32_t size;   // of the chunk's data
    };

    bool Fail(const char* message);
    bool WriteChunk(const char* fourCc, const std::uint8_t* data, std::size_t size);
    std::string Headers() const;

    std::string m_path;
    std::unique_ptr<SafeFileWriter> m_file;
    std::unique_ptr<JpegFrameEncoder> m_jpeg;
    AviStreamFormat m_format;
    std::vector<std::uint8_t> m_frame; // the last compressed frame
    std::vector<IndexEntry> m_index;
    std::uint64_t m_moviBytes = 4;     // "movi" and the chunks after it
    std::uint32_t m_largestChunk = 0;
    std::string m_error;
    std::string m_systemError;
    bool m_open = false;
};
