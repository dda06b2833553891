#include "app/corvid_application.h"
#include "app/main_frame.h"
#include "app/tarn_view.h"
#include "app/tarn_app.h"
#include "model/messages.h"
#include "io/pipe_finish.h"
#include "platform/page_image.h"
#include "platform/qt_pipe_endings.h"
#include "model/temporary_files.h"
#include "platform/runtime_dir.h"
#include "ui/dialog_messages.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

// Whether an environment variable is set to something (an empty value is unset).
static bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

int main(int argc, char** argv)
{
    EnsureRuntimeDirectory();
    // SIGINT and SIGTERM remove the temporary files of unfinished writes.
    InstallTemporaryFileCleanup();
    // Without a usable display the program runs headless and writes the page as
    // an image. A platform the user chose is taken as it is (offscreen included);
    // otherwise the display's platform is tried first and offscreen is the
    // fall-back, so a display that cannot be reached ends in an image, not an abort.
    const bool platformChosen = IsSet("QT_QPA_PLATFORM");
    if (!platformChosen) {
        if (IsSet("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "wayland;xcb;offscreen");
        else if (IsSet("DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
        else
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    CorvidApplication application(argc, argv);
    const bool headless = !platformChosen && QGuiApplication::platformName() == "offscreen";
    QApplication::setOrganizationName("Merrow Lab Applications");
    QApplication::setApplicationName("CorvidPlot");
    // The desktop entry's name, so window managers match windows to it.
    QGuiApplication::setDesktopFileName("corvidplot");
    QApplication::setWindowIcon(QIcon(":/icons/corvidplot.svg"));
    // Qt sets the locale from the environment; numbers are read and written in C style.
    std::setlocale(LC_NUMERIC, "C");

    std::unique_ptr<Messages> messages;
    if (headless || MessagesToStderr())
        messages = std::make_unique<StreamMessages>();
    else
        messages = std::make_unique<DialogMessages>();

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);

    CTarnApp app(*messages);
    if (!app.InitInstance(args, !headless))
        return 1;
    CorvidApplication::SetMessages(messages.get());
    if (auto* dialogMessages = dynamic_cast<DialogMessages*>(messages.get()))
        dialogMessages->SetParent(app.Frame());

    if (headless) {
        // Without a window the stream is read to its end before the page is written.
        PipeRunFailure pipeFailure;
        if (app.Doc().m_pipeNumber != 0) {
            QtPipeEndings endings;
            ReadPipeInThisThread(app.Doc(), *messages, endings, &pipeFailure);
        }
        const char* target = std::getenv("CORVID_HEADLESS_IMAGE");
        const QString path = QDir::current().absoluteFilePath(target ? target : "corvid-page.png");
        const QString error = ExportPage(app.Doc(), path, QSize(800, 600));
        if (!error.isEmpty()) {
            std::fprintf(stderr, "corvid: %s\n", error.toLocal8Bit().constData());
            return 1;
        }
        std::printf("No display found: the page was written to %s\n", path.toLocal8Bit().constData());
        // As in a script, a command line that could not be carried out fails
        // the run, and so does a stream that could not be read or whose save
        // or export failed.
        return app.StartupSucceeded() && !pipeFailure.Any() ? 0 : 1;
    }
    const int status = application.exec();
    CorvidApplication::SetMessages(nullptr);
    // A client that streamed the page learns from the exit status whether
    // the stream was read and its save or export written.
    if (status == 0 && app.Frame()->View() && app.Frame()->View()->PipeFailed())
        return 1;
    return status;
}
