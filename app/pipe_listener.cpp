#include "app/pipe_listener.h"

#include "io/fd_pipe_source.h"
#include "io/pipe_buffer.h"
#include "io/pipe_reader.h"
#include "io/pipe_result.h"

#include <QMetaObject>

namespace {

// Passes the reader's reports to the listener's thread as queued calls.
class QueuedPipeEvents : public PipeEvents {
public:
    // The calls use the handlers of `receiver`, which outlive them: Qt drops
    // calls queued for a receiver that is gone.
    QueuedPipeEvents(QObject* receiver, const PipeListener::Handlers& handlers)
        : m_receiver(receiver), m_handlers(&handlers) {}
    void Status(int code, int value) override
    {
        Post([h = m_handlers, code, value] { if (h->status) h->status(code, value); });
    }
    void Text(PipeText which, const std::string& text) override
    {
        Post([h = m_handlers, which, text] { if (h->text) h->text(which, text); });
    }
    void FontSize(PipeText which, int size) override
    {
        Post([h = m_handlers, which, size] { if (h->fontSize) h->fontSize(which, size); });
    }
    template <class Call>
    void Post(Call call)
    {
        QMetaObject::invokeMethod(m_receiver, std::move(call), Qt::QueuedConnection);
    }

private:
    QObject* m_receiver;
    const PipeListener::Handlers* m_handlers;
};

} // namespace

PipeListener::PipeListener(int descriptor, Handlers handlers, QObject* parent)
    : QObject(parent), m_handlers(std::move(handlers)), m_source(std::make_unique<FdPipeSource>(descriptor))
{
}

PipeListener::~PipeListener()
{
    if (m_thread.joinable()) {
        m_source->Cancel();
        m_thread.join();
    }
}

void PipeListener::Start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Run(); });
}

void PipeListener::Run()
{
    QueuedPipeEvents events(this, m_handlers);
    PipeBuffer input(*m_source);
    auto result = std::make_shared<PipeResult>(ReadPipe(input, events, &m_halt));
    // Nothing more is read from the stream, whether it ended, failed or was
    // halted: closing it tells the writer, which would otherwise block once
    // the pipe is full.
    m_source->CloseDescriptor();
    m_done = true;
    if (m_source->Cancelled())
        return; // the program is closing: nobody applies the result
    events.Post([h = &m_handlers, result] {
        if (h->finished)
            h->finished(*result);
    });
}
