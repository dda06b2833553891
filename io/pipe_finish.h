#pragma once

#include "io/pipe_events.h"

#include <functional>
#include <string>

class CTarnDoc;
class Messages;
class PipeEndings;
struct PipeResult;

/// Message shown when an end message's save or export fails.
constexpr const char* kPipeSaveFailed = "Unable to save/export file!";

/// Replaces the text of graph 0's title or axis label with `text`.
void ApplyPipeText(CTarnDoc& doc, PipeText which, const std::string& text);
/// Sets the character height of graph 0's title or axis label (stored as the
/// negative font height).
void ApplyPipeFontSize(CTarnDoc& doc, PipeText which, int size);

/// What the end-of-stream steps tell the program around them.
struct PipeFinishHooks {
    /// Reading has finished: the view restores its cursor, sets `m_pipeHalt`,
    /// redraws, and the status line shows "Ready".
    std::function<void()> readingFinished;
    /// The stream asked the program to close (without asking to save).
    std::function<void()> closeRequest;
};

/// The end-of-stream steps, run once the reader has returned: shows the
/// reader's failure first, appends the finished sets to graph 0 (each
/// appended by copy, so its points are then traversed in the order they were
/// sent), falls back once to linear axes that the data cannot show, places
/// and rescales the graph, applies the remembered ranges and ticks, marks the
/// document modified, reports that reading finished, forgets the pipe number,
/// saves the document or records the pending export, and, when the stream
/// asked for it, clears the modified mark and asks to close. Returns false
/// when the reader failed or the save did.
bool FinishPipe(CTarnDoc& doc, PipeResult& result, Messages& messages, PipeEndings& endings,
                const PipeFinishHooks& hooks = {});

/// Writes the image that an end message left pending (`m_exportKind` 1 or 2),
/// as the program closes, and clears the request. Returns false when the
/// writer failed (after showing why and "Unable to save/export file!"); true
/// when it worked or nothing was pending.
bool CarryOutPendingExport(CTarnDoc& doc, PipeEndings& endings, Messages& messages);

/// What decides corvid's exit status after a stream: a stream of which not
/// one byte could be read (a descriptor that is not open, a stream that ended
/// at once), or an ending whose save or export failed. An error in the middle
/// of the stream is shown but keeps what was read, as in the window.
struct PipeRunFailure {
    bool unread = false;
    bool endingFailed = false;
    bool Any() const { return unread || endingFailed; }
};

/// Reads the link stream on the document's `m_pipeNumber` to its end in the
/// calling thread, applying titles and font sizes as they arrive and the
/// end-of-stream steps after it; a pending export is written at once, as
/// the program would on closing. Nothing happens when the number is 0.
/// Returns false when a step failed (a message was shown); `failure`, when
/// given, tells which of them fail corvid's run.
bool ReadPipeInThisThread(CTarnDoc& doc, Messages& messages, PipeEndings& endings,
                          PipeRunFailure* failure = nullptr);
