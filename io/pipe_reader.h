#pragma once

#include "io/pipe_result.h"

#include <atomic>

class PipeBuffer;
class PipeEvents;

/// The protocol version the reader speaks.
constexpr int kPipeVersion = 4;

/// Reads link-protocol messages from `input` until an end message arrives,
/// the stream fails or `halt` is set (looked at before each message), and
/// returns what was collected. Reports "Waiting for data ..." first and the
/// other progress through `events`, and passes titles and font sizes on as
/// they arrive. Never touches a document: the caller applies the result
/// (`FinishPipe`). A failure ends reading with its message in the result;
/// the sets finished before it are kept, the open one is dropped. Running
/// out of memory is such a failure too.
PipeResult ReadPipe(PipeBuffer& input, PipeEvents& events, const std::atomic<bool>* halt = nullptr);
