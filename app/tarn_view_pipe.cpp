// The view's part in reading the link pipe: it starts the reader thread,
// applies what arrives on the user-interface thread and offers to halt.
#include "app/tarn_view.h"

#include "app/pipe_listener.h"
#include "app/view_page_changes.h"
#include "document/tarn_doc.h"
#include "io/pipe_finish.h"
#include "io/pipe_result.h"
#include "model/messages.h"
#include "platform/qt_pipe_endings.h"

#include <QMetaObject>

void CTarnView::SetPipeEndings(std::unique_ptr<PipeEndings> endings)
{
    m_pipeEndings = std::move(endings);
}

bool CTarnView::PipeReading() const
{
    return m_pipeListener && m_pipeListener->Running();
}

void CTarnView::StartPipe()
{
    if (m_doc.m_pipeNumber == 0 || m_pipeListener)
        return;
    if (!m_pipeEndings)
        m_pipeEndings = std::make_unique<QtPipeEndings>();
    setCursor(Qt::BusyCursor);
    PipeListener::Handlers handlers;
    handlers.status = [this](int code, int value) { emit ReaderStatus(code, value); };
    handlers.text = [this](PipeText which, const std::string& text) {
        ApplyPipeText(m_doc, which, text);
        Redraw();
    };
    handlers.fontSize = [this](PipeText which, int size) {
        ApplyPipeFontSize(m_doc, which, size);
        Redraw();
    };
    handlers.finished = [this](PipeResult& result) { OnPipeFinished(result); };
    m_pipeListener = std::make_unique<PipeListener>(m_doc.m_pipeNumber, std::move(handlers), this);
    m_pipeListener->Start();
}

void CTarnView::OnPipeFinished(PipeResult& result)
{
    // The reader's message is shown over the normal cursor.
    unsetCursor();
    // The stream's sets and texts are one step of the undo history.
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    PipeFinishHooks hooks;
    hooks.readingFinished = [this] { emit PipeReadingEnded(); };
    hooks.closeRequest = [this] { QMetaObject::invokeMethod(window(), &QWidget::close, Qt::QueuedConnection); };
    // A stream of which nothing could be read, or whose save failed, fails
    // the run; an error in the middle keeps what was read and is only shown.
    const bool readerFailed = result.failed;
    if (result.unread)
        m_pipeFailed = true;
    if (!FinishPipe(m_doc, result, m_messages, *m_pipeEndings, hooks) && !readerFailed)
        m_pipeFailed = true;
    emit DocumentChanged();
}

void CTarnView::ReadingFinished()
{
    unsetCursor();
    m_doc.m_pipeHalt = 1;
    Refresh();
}

void CTarnView::CarryOutPendingExport()
{
    if (!m_pipeEndings)
        m_pipeEndings = std::make_unique<QtPipeEndings>();
    if (!::CarryOutPendingExport(m_doc, *m_pipeEndings, m_messages))
        m_pipeFailed = true;
}

void CTarnView::OfferPipeHalt()
{
    if (m_doc.m_pipeNumber == 0 || m_doc.m_pipeHalt)
        return;
    if (!m_messages.Ask("Halt reading from data pipe?"))
        return;
    m_doc.m_pipeHalt = 1;
    if (m_pipeListener)
        m_pipeListener->Halt();
}
