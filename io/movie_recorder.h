#pragma once

#include <string>

class CTarnDoc;
class Messages;
class MovieFrameRenderer;
class MovieProgress;
struct MovieSettings;

/// How a recording ended.
enum class MovieResult {
    Recorded,  ///< every frame written; "Movie creation successfull!" was shown
    Cancelled, ///< the compression choice was cancelled; nothing was shown or written
    Failed,    ///< a message was shown; frames written before it stay in the file
    Stopped,   ///< the user stopped it; the frames recorded so far make the movie
};

/// Records the current graph of `doc` as a movie, one frame per set from
/// `settings.start` to `settings.stop` (settings that CheckMovieSettings has
/// passed). Each frame shows its set: the graph's `m_singlePlotIndex` is set
/// to it while `renderer` draws and put back afterwards, also when drawing
/// fails. The wait cursor is shown through `progress` meanwhile and the
/// progress steps once per frame.
///
/// A failure shows the writer's message ("Error opening the AVI file",
/// "Couldn't set compressed AVI format!" when a frame of this size cannot be
/// held in memory, "Can't write movie frame!", ...); the frames recorded
/// before it are finished into a playable movie, and a movie with no frame at
/// all leaves whatever file had the name. When `progress` asks to stop after
/// a frame, the frames recorded so far are finished into a playable movie in
/// the same way, and nothing is shown.
MovieResult RecordMovie(CTarnDoc& doc, const MovieSettings& settings, MovieFrameRenderer& renderer,
                        MovieProgress& progress, Messages& messages);
