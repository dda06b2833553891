#pragma once

#include "model/list.h"
#include "model/plot.h"

#include <string>

/// Two values the stream gave for a range or for tick spacings.
struct PipePair {
    bool given = false;
    float first = 0.0f;
    float second = 0.0f;
};

/// The end messages that ask for a file.
enum PipeSaveOption : int {
    kPipeNoSave = -1,
    kPipeSaveDocument = 26,
    kPipeExportBmp = 27,
    kPipeExportPng = 28,
};

/// Everything one run of the pipe reader collected, for the end-of-stream
/// steps to apply to the document: the finished sets (the set still open
/// when reading stopped is already discarded), the remembered ranges and
/// ticks, the end message's request, and the failure that ended reading.
struct PipeResult {
    List<Plot> finished;
    int finishedCount = 0;
    bool failed = false;   ///< an error ended reading; `error` is its message
    std::string error;
    bool unread = false;   ///< it failed before one byte of the stream could be read
    bool halted = false;   ///< the halt flag ended reading
    bool closeAfter = false;
    int saveOption = kPipeNoSave;
    std::string saveFileName;
    int exportWidth = 0;
    int exportHeight = 0;
    PipePair xRange, yRange, xTicks, yTicks;
};
