#pragma once

#include "io/pipe_events.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class FdPipeSource;
struct PipeResult;

/// The worker thread that reads the link stream on an inherited file
/// descriptor. The thread only collects: every report reaches the handlers
/// on the thread that owns the listener (the user-interface thread), as
/// queued calls in the order the reader made them, and the page is changed
/// there alone.
class PipeListener : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void(int code, int value)> status;
        std::function<void(PipeText which, const std::string& text)> text;
        std::function<void(PipeText which, int size)> fontSize;
        /// Reading has ended; the result is the handler's to apply.
        std::function<void(PipeResult& result)> finished;
    };

    PipeListener(int descriptor, Handlers handlers, QObject* parent = nullptr);
    /// Stops a read that waits for data and waits for the thread; reports
    /// still queued are dropped.
    ~PipeListener() override;

    /// Starts the reader thread (once).
    void Start();
    /// Asks the reader to stop before its next message.
    void Halt() { m_halt = true; }
    bool Running() const { return m_thread.joinable() && !m_done; }

private:
    void Run();

    Handlers m_handlers;
    std::unique_ptr<FdPipeSource> m_source;
    std::atomic<bool> m_halt = false;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};
