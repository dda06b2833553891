#pragma once

#include "io/avi_writer.h"
#include "io/integer_field.h"

#include <string>

class Graph;
class Messages;

/// Highest frame rate the Export Animation dialog accepts.
constexpr int kMaxMovieFrameRate = 120;
/// Largest frame side and set index the dialog's fields offer.
constexpr int kMaxMovieField = 32767;

/// What the Export Animation dialog (or corvid-batch animate) asks for.
struct MovieSettings {
    std::string fileName;
    int width = 0;
    int height = 0;
    int framesPerSecond = 15;
    bool renderAll = true; ///< "Render All"; otherwise `start` .. `stop`
    int start = 0;         ///< first set recorded
    int stop = 0;          ///< last set recorded
    AviCodec codec = AviCodec::Uncompressed;
    int jpegQuality = 85;  ///< 1 .. 100, Motion JPEG only
};

/// Where the steps of a recording are shown: the dialog's progress bar and
/// cursor. Every operation does nothing by default.
class MovieProgress {
public:
    virtual ~MovieProgress() = default;
    /// The recording will take `count` frames (one step each).
    virtual void SetSteps(int count) { (void)count; }
    /// One more frame has been recorded.
    virtual void Step() {}
    /// The wait cursor on (true) or off.
    virtual void Busy(bool on) { (void)on; }
    /// Lets the user choose how the frames are stored, changing `settings`'
    /// codec and quality; false when the choice was cancelled.
    virtual bool ChooseCompression(MovieSettings& settings) { (void)settings; return true; }
    /// Whether the user asked to stop the recording; asked after each frame.
    virtual bool StopRequested() { return false; }
};

/// Whether `name` ends in ".avi", in any case (".avi" alone counts).
bool HasAviExtension(const std::string& name);

/// The checks of "Record" in their order, each refusal shown through
/// `messages`: the graph must be in animation mode ("Please enable plot
/// animation in the Plot Options dialog before exporting a movie."); "Render
/// All" takes every set; the range must satisfy 0 <= start < stop <= last set
/// ("Please enter a valid step range!"); then `progress` is told the number of
/// frames; the frame rate must be 1 .. 120, the sides above 0, and the file
/// name given and ending in ".avi". On success `settings.start` and `stop`
/// hold the range that will be recorded.
bool CheckMovieSettings(const Graph& graph, MovieSettings& settings, Messages& messages,
                        MovieProgress& progress);
