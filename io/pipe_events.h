#pragma once

#include <string>

/// The graph title texts that the link stream sets on graph 0.
enum class PipeText { Title, XLabel, YLabel };

/// Status codes of the pipe reader's progress reports.
enum PipeStatus : int {
    kPipeReadingPlot = 1, ///< a new set began; the value is the number finished before it
    kPipeClosing = 4,     ///< an end-of-data message arrived
    kPipeWaiting = 19,    ///< the reader started and waits for data
};

/// What the pipe reader reports while it reads. The reader calls these on
/// its own thread; a receiver on another thread passes them on (the desktop
/// queues them to its user-interface thread, in order).
class PipeEvents {
public:
    virtual ~PipeEvents() = default;
    /// A progress report: `code` is a `PipeStatus`, `value` its number.
    virtual void Status(int code, int value) = 0;
    /// A title text arrived (messages 5, 7, 9).
    virtual void Text(PipeText which, const std::string& text) = 0;
    /// A font size (greater than 0) arrived for a title (messages 6, 8, 10).
    virtual void FontSize(PipeText which, int size) = 0;
};
