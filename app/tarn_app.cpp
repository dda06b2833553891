#include "app/tarn_app.h"

#include "app/main_frame.h"
#include "app/tarn_view.h"
#include "document/help_texts.h"
#include "document/tarn_command_line_info.h"
#include "io/startup_actions.h"
#include "model/drawing_settings.h"
#include "model/messages.h"

#include <QFileInfo>

CTarnApp::CTarnApp(Messages& messages) : m_messages(messages) {}

CTarnApp::~CTarnApp() = default;

bool CTarnApp::InitInstance(const std::vector<std::string>& args, bool showWindow)
{
    // Linux draws with 32-bit coordinates everywhere.
    use16BitCoordinates = false;
    m_frame = std::make_unique<CMainFrame>(m_doc, m_messages, m_settings);
    connect(m_frame.get(), &CMainFrame::NewDocumentRequested, this, &CTarnApp::NewDocument);
    connect(m_frame.get(), &CMainFrame::OpenDocumentRequested, this, &CTarnApp::OpenDocument);

    bool parsed = true;
    TarnCommandLineInfo info = ParseStartupCommandLine(args, m_messages, &parsed);
    if (info.m_nShellCommand == TarnCommandLineInfo::FileOpen &&
        !OpenDocument(QString::fromStdString(info.m_strFileName))) {
        info.files.Clear();
        return false;
    }

    const bool imported = RunStartupImports(m_doc, info, m_messages);
    // Undo begins at the page the program starts with.
    m_doc.ResetHistory();
    m_startupSucceeded = parsed && imported;
    m_frame->SetStatusText(0, "Ready");

    if (showWindow)
        m_frame->show();
    m_frame->View()->Refresh();
    m_frame->UpdateTitle();

    if (info.help)
        m_messages.ShowText(kCommandLineHelpCaption, kCommandLineHelpText);
    if (info.pipe) {
        m_doc.SetPipeNumber(info.pipeAddress);
        // Reading starts once the event loop runs; without a window the
        // caller reads the stream itself.
        if (showWindow)
            QMetaObject::invokeMethod(m_frame->View(), &CTarnView::StartPipe, Qt::QueuedConnection);
    }
    info.files.Clear();
    return true;
}

bool CTarnApp::OpenDocument(const QString& path)
{
    if (!m_frame->Files().SaveModified())
        return false;
    const bool opened = m_frame->Files().Open(path);
    m_frame->UpdateRecentFiles();
    if (opened)
        m_frame->View()->Refresh();
    m_frame->UpdateTitle();
    return opened;
}

void CTarnApp::NewDocument()
{
    if (!m_frame->Files().SaveModified())
        return;
    m_doc.OnNewDocument();
    m_frame->View()->Refresh();
    m_frame->UpdateTitle();
}
