#pragma once

#include "document/tarn_doc.h"
#include "platform/app_settings.h"

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class Messages;

/// The application: settings, the document, the main window and the start-up
/// sequence that carries out the command line.
class CTarnApp : public QObject {
    Q_OBJECT
public:
    explicit CTarnApp(Messages& messages);
    ~CTarnApp() override;

    /// Runs the start-up sequence for `args` (without the program name): parse
    /// the command line, make or open the document, import the command-line files,
    /// apply the log flags, show the window (when `showWindow`), show the help
    /// and note the pipe. Returns false when the program must end at once (a
    /// document named on the command line could not be opened).
    bool InitInstance(const std::vector<std::string>& args, bool showWindow = true);

    /// Whether the command line was carried out without a failure: no parse
    /// error and every data file imported. The program runs either way.
    bool StartupSucceeded() const { return m_startupSucceeded; }

    CTarnDoc& Doc() { return m_doc; }
    CMainFrame* Frame() const { return m_frame.get(); }

    /// Opens the saved document at `path`; false after reporting why it cannot.
    bool OpenDocument(const QString& path);
    /// Replaces the page by a new one, after asking to discard unsaved changes.
    void NewDocument();

private:
    Messages& m_messages;
    AppSettings m_settings;
    CTarnDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_startupSucceeded = true;
};
