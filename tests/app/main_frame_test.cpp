#include "app/command_table.h"
#include "app/main_frame.h"
#include "app/tarn_view.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/app_settings.h"
#include "render/graph.h"
#include "tests/support/batch_run.h"
#include "tests/support/qt_application.h"
#include "tests/support/scratch_dir.h"
#include "ui/about_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

struct Frame {
    Frame() : messages(errors, errors), frame((TestApplication(), doc), messages, settings) {}
    ~Frame() { std::fclose(errors); }
    std::FILE* errors = std::tmpfile();
    CTarnDoc doc;
    StreamMessages messages;
    AppSettings settings;
    CMainFrame frame;
};

QStringList MenuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

QMenu* TopMenu(CMainFrame& frame, const QString& title)
{
    for (QAction* action : frame.menuBar()->actions())
        if (action->text() == title)
            return action->menu();
    return nullptr;
}

} // namespace

TEST(MainFrame, MenusHoldTheirCommandsWithAccelerators)
{
    Frame f;
    QStringList titles;
    for (QAction* action : f.frame.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Page", "&Graph", "&Sets", "&Data",
                                   "&Help"}));
    EXPECT_EQ(MenuTexts(TopMenu(f.frame, "&Help")),
              (QStringList{"&Import Options ...", "&Command Line Options ...",
                           "&About CorvidPlot..."}));
    EXPECT_EQ(MenuTexts(TopMenu(f.frame, "&Page")),
              (QStringList{"&Arrange ...", "Overlap ...", "&Select ...", "Color ..."}));

    struct Row {
        CommandId id;
        const char* shortcut;
    };
    const Row rows[] = {
        {CommandId::ViewRestoreScaling, "Ctrl+Z"}, {CommandId::ViewDefineScaling, "Ctrl+D"},
        {CommandId::EditCopy, "Ctrl+C"},           {CommandId::ViewRefresh, "Ctrl+R"},
        {CommandId::EditClearSelection, "Del"},    {CommandId::EditPasteData, "Ctrl+V"},
        {CommandId::EditCopyData, "Ctrl+Shift+C"}, {CommandId::DataFunction, "Ctrl+F"},
        {CommandId::SetsAnimate, "Ctrl+A"},        {CommandId::FilePrint, "Ctrl+P"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shortcut);
        EXPECT_EQ(f.frame.Action(row.id)->shortcut(), QKeySequence(row.shortcut));
    }
    std::set<QString> seen;
    for (const CommandSpec& entry : CommandTable()) {
        if (!entry.shortcut)
            continue;
        EXPECT_TRUE(seen.insert(entry.shortcut).second) << "shortcut used twice: " << entry.shortcut;
    }
}

TEST(MainFrame, StatusPromptsAndToolTipsComeFromThePrompt)
{
    Frame f;
    QAction* shiftUp = f.frame.Action(CommandId::ShiftUp);
    EXPECT_EQ(shiftUp->statusTip(), "Shift the graph view in the positive Y direction");
    EXPECT_EQ(shiftUp->toolTip(), "Shift up");
    QAction* audio = f.frame.Action(CommandId::ExportAudio);
    EXPECT_EQ(audio->statusTip(), "Export selected plots as an audio file");
    EXPECT_EQ(audio->toolTip(), "Play Sound");
    EXPECT_EQ(f.frame.Action(CommandId::DataStatistics)->statusTip(),
              "View statical analysis of selected plots");
}

TEST(MainFrame, ToolbarButtonsStandInOrder)
{
    Frame f;
    QStringList buttons;
    for (QAction* action : f.frame.ToolBar()->actions())
        buttons << (action->isSeparator() ? QString("|") : action->text());
    EXPECT_EQ(buttons, (QStringList{"&New", "&Open...", "&Save", "&Print...", "WYSIWYG",
                                    "Audio ...", "|", "Insert text", "|", "&Function ...", "|",
                                    "&Zoom", "&Restore Scaling", "|", "Shift up", "Shift down",
                                    "Shift right", "Shift left"}));
}

TEST(MainFrame, CommandsWithoutAHandlerAreDisabled)
{
    // Every command the menus and the toolbar offer is carried out by the view
    // or the frame: each enabled one is run as its action runs it, with every
    // dialog it opens closed at once. A page with a set in animation mode
    // enables the most commands.
    Frame f;
    Plot set;
    set.m_info = "a";
    set.AddPoint(1.0f, 2.0f);
    set.AddPoint(2.0f, 3.0f);
    f.doc.CurrentGraph().m_plots.Append(set);
    f.doc.CurrentGraph().m_singlePlotOnly = 1;
    f.doc.CurrentGraph().m_singlePlotIndex = 0;
    f.frame.UpdateCommandUI();
    EXPECT_TRUE(f.frame.Action(CommandId::HelpAbout)->isEnabled());
    EXPECT_TRUE(f.frame.Action(CommandId::FileNew)->isEnabled());
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(0);
    std::vector<std::string> disabled;
    for (const CommandSpec& entry : CommandTable()) {
        f.frame.UpdateCommandUI();
        if (!f.frame.Action(entry.id)->isEnabled()) {
            // Paste Data follows the clipboard and Print Setup the printer.
            if (entry.id != CommandId::EditPasteData && entry.id != CommandId::FilePrintSetup)
                disabled.push_back(entry.text);
            continue;
        }
        SCOPED_TRACE(entry.text);
        EXPECT_TRUE(f.frame.View()->OnCommand(entry.id) || f.frame.OnFrameCommand(entry.id))
            << "enabled without a handler";
    }
    EXPECT_EQ(disabled, (std::vector<std::string>{"&Undo", "&Redo", "C&lear selection", "Overlap ..."}))
        << "nothing is selected, nothing changed yet and the page has one graph; every other command is offered";
}

TEST(MainFrame, StatusPanesShowReaderProgress)
{
    Frame f;
    EXPECT_EQ(f.frame.StatusText(0), "Ready");
    f.frame.OnReaderStatus(1, 0);
    EXPECT_EQ(f.frame.StatusText(0), "Reading plot 0");
    f.frame.OnReaderStatus(2, 5);
    EXPECT_EQ(f.frame.StatusText(0), "Reading plot 0") << "unknown codes change nothing";
    f.frame.OnReaderStatus(19, 0);
    EXPECT_EQ(f.frame.StatusText(0), "Waiting for data ...");
    f.frame.OnReaderStatus(4, 0);
    EXPECT_EQ(f.frame.StatusText(0), "Closing pipe");
    f.frame.OnReadingFinished();
    EXPECT_EQ(f.frame.StatusText(0), "Ready");
    EXPECT_EQ(f.doc.m_pipeHalt, 1) << "Escape no longer offers to halt";
}

TEST(MainFrame, AspectLockAndUnlock)
{
    Frame f;
    f.frame.resize(600, 500);
    f.frame.LockAspect(0.75f);
    EXPECT_TRUE(f.frame.AspectLocked());
    EXPECT_FLOAT_EQ(f.frame.AspectRatio(), 0.75f);
    EXPECT_EQ(f.frame.View()->height(), int(f.frame.View()->width() * 0.75f));
    f.frame.UnlockAspect();
    EXPECT_FALSE(f.frame.AspectLocked());
    EXPECT_FLOAT_EQ(f.frame.AspectRatio(), 1.0f);
}

TEST(AboutDialog, ShowsVersionDateAndCoordinateWidth)
{
    TestApplication();
    EXPECT_EQ(AboutDialog::Fields(),
              (QStringList{"CorvidPlot version 1.23", "Build date: Thu Sep 19 10:56:14 2002",
                           "Using 32 bit screen coordinates"}));
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "About CorvidPlot");
}

TEST(MainFrame, ImportSelectionMustFitTheNameBuffer)
{
    QStringList few{"/data/a.txt", "/data/b.txt"};
    EXPECT_TRUE(ImportSelectionFits(few));
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString("/data/run-%1-with-a-long-name.txt").arg(i);
    EXPECT_FALSE(ImportSelectionFits(many));
}

TEST(MainFrame, ImportedFilesReachTheCurrentGraph)
{
    Frame f;
    const QString path = QDir::temp().absoluteFilePath("corvid-frame-import.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1 2\n3 4\n");
    file.close();
    f.frame.ImportFiles({path, path}, 0);
    EXPECT_EQ(f.doc.CurrentGraph().m_plots.Count(), 2);
    EXPECT_TRUE(f.doc.IsModified());
    EXPECT_EQ(f.frame.StatusText(0), "Ready");
    QFile::remove(path);
}

namespace {

// Messages that note what status pane 0 shows whenever a progress text arrives.
class StatusWatch : public StreamMessages {
public:
    using StreamMessages::StreamMessages;
    void Status(const std::string& text) override
    {
        StreamMessages::Status(text);
        if (frame)
            seen.push_back(frame->StatusText(0).toStdString());
    }
    CMainFrame* frame = nullptr;
    std::vector<std::string> seen;
};

} // namespace

TEST(MainFrame, ImportProgressReachesTheStatusLine)
{
    TestApplication();
    std::FILE* errors = std::tmpfile();
    StatusWatch messages(errors);
    CTarnDoc doc;
    AppSettings settings;
    const QString path = QDir::temp().filePath(QString("corvid-status-%1.txt").arg(::getpid()));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1 2\n \n3 4\n");
    }
    {
        CMainFrame frame(doc, messages, settings);
        messages.frame = &frame;
        frame.ImportFiles({path}, 0);
        EXPECT_EQ(messages.seen,
                  (std::vector<std::string>{"Reading data into plot 0", "Reading data into plot 1"}));
        EXPECT_EQ(frame.StatusText(0), "Ready") << "pane 0 returns to Ready afterwards";
        messages.frame = nullptr;
    }
    messages.Status("after the window is gone");
    QFile::remove(path);
    std::fclose(errors);
}

// On its own this checks the test platform's screen; the test below runs it
// again on screens of other sizes and scale factors.
TEST(FirstWindow, FitsTheAvailableScreen)
{
    Frame f;
    f.frame.show();
    QCoreApplication::processEvents();
    const QScreen* screen = f.frame.screen();
    ASSERT_NE(screen, nullptr);
    const QRect available = screen->availableGeometry();
    std::printf("screen %dx%d at %g\n", available.width(), available.height(), screen->devicePixelRatio());
    const QRect frame = f.frame.frameGeometry();
    EXPECT_TRUE(available.contains(frame)) << frame.width() << "x" << frame.height() << " at " << frame.x()
                                           << "," << frame.y();
    const QStatusBar* status = f.frame.statusBar();
    EXPECT_TRUE(available.contains(QRect(status->mapToGlobal(QPoint(0, 0)), status->size())))
        << "the status line is on the screen";
}

TEST(FirstWindow, FitsTheAvailableScreenAtAnyScale)
{
    const ScratchDir dir("corvid-first-window");
    struct Row { const char* screen; const char* scale; const char* seen; };
    const Row rows[] = {
        {"1600, \"height\": 1000", "1", "screen 1600x1000 at 1"},
        {"1600, \"height\": 1000", "2", "screen 800x500 at 2"},
        {"1600, \"height\": 1000", "1.25", "screen 1280x800 at 1.25"},
        {"1024, \"height\": 768", "1", "screen 1024x768 at 1"},
    };
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.seen);
        const std::string config = dir.Write(
            "screen.json", std::string("{\"screens\": [{\"name\": \"screen\", \"x\": 0, \"y\": 0, \"width\": ") +
                               row.screen + ", \"logicalDpi\": 96, \"logicalBaseDpi\": 96}]}");
        const BatchRun run = RunShellIn("env QT_QPA_PLATFORM='offscreen:configfile=" + config +
                                            "' QT_SCALE_FACTOR=" + row.scale + " '" + program +
                                            "' --gtest_filter=FirstWindow.FitsTheAvailableScreen",
                                        dir);
        EXPECT_TRUE(Contains(run.out, row.seen)) << run.out;
        EXPECT_TRUE(Contains(run.out, "[  PASSED  ] 1 test")) << run.out;
        EXPECT_EQ(run.status, 0);
    }
}
