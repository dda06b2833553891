#include "app/main_frame.h"

#include "app/command_table.h"
#include "app/tarn_view.h"
#include "document/help_texts.h"
#include "document/set_control.h"
#include "document/tarn_doc.h"
#include "io/ascii_export.h"
#include "io/ascii_import.h"
#include "io/document_import.h"
#include "model/messages.h"
#include "platform/app_settings.h"
#include "platform/clipboard.h"
#include "render/graph.h"
#include "ui/about_dialog.h"
#include "ui/paste_data_dialog.h"
#include "ui/set_control_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <algorithm>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

CMainFrame::CMainFrame(CTarnDoc& doc, Messages& messages, AppSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_messages(messages), m_settings(settings),
      m_files(doc, messages, settings)
{
    m_files.SetParent(this);
    m_view = new CTarnView(doc, messages, this);
    setCentralWidget(m_view);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    connect(m_view, &CTarnView::StatusText, this, &CMainFrame::SetStatusText);
    // The pipe reader's progress and end, already on this thread.
    connect(m_view, &CTarnView::ReaderStatus, this, &CMainFrame::OnReaderStatus);
    connect(m_view, &CTarnView::PipeReadingEnded, this, &CMainFrame::OnReadingFinished);
    // Progress texts of long work (import, paste) reach status pane 0 at once,
    // repainted there because the work keeps the event loop busy.
    m_messages.SetStatusHook([this](const std::string& text) {
        SetStatusText(0, QString::fromStdString(text));
        m_panes[0]->repaint();
    });
    // WYSIWYG keeps the view at the printer page's shape.
    connect(m_view, &CTarnView::AspectLockRequested, this, [this](bool lock, float ratio) {
        if (lock)
            LockAspect(ratio);
        else
            UnlockAspect();
    });
    connect(m_view, &CTarnView::DocumentChanged, this, [this] {
        UpdateTitle();
        UpdateCommandUI();
    });
    // Enabling follows the model, which commands and the pipe reader change;
    // a light periodic check keeps toolbar buttons honest between commands.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    timer->start(300);
    UpdateRecentFiles();
    UpdateTitle();
    UpdateCommandUI();
    // The first size fits the screen's free area, in window units, so a
    // high-density screen or a scale factor does not get a window larger than
    // the screen, its status line out of sight.
    const QScreen* screen = this->screen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1200, 934);
    resize(std::min(900, available.width() * 3 / 4), std::min(700, available.height() * 3 / 4));
}

CMainFrame::~CMainFrame()
{
    m_messages.SetStatusHook({});
}

static QIcon CommandIcon(CommandId id, const QStyle* style)
{
    switch (id) {
    case CommandId::FileNew: return QIcon::fromTheme("document-new", style->standardIcon(QStyle::SP_FileIcon));
    case CommandId::FileOpen: return QIcon::fromTheme("document-open", style->standardIcon(QStyle::SP_DialogOpenButton));
    case CommandId::FileSave: return QIcon::fromTheme("document-save", style->standardIcon(QStyle::SP_DialogSaveButton));
    case CommandId::FilePrint: return QIcon::fromTheme("document-print");
    case CommandId::ExportAudio: return QIcon::fromTheme("audio-volume-high", style->standardIcon(QStyle::SP_MediaVolume));
    case CommandId::ViewZoom: return QIcon::fromTheme("zoom-in");
    case CommandId::ViewRestoreScaling: return QIcon::fromTheme("zoom-original");
    case CommandId::ShiftUp: return style->standardIcon(QStyle::SP_ArrowUp);
    case CommandId::ShiftDown: return style->standardIcon(QStyle::SP_ArrowDown);
    case CommandId::ShiftRight: return style->standardIcon(QStyle::SP_ArrowRight);
    case CommandId::ShiftLeft: return style->standardIcon(QStyle::SP_ArrowLeft);
    default: return {};
    }
}

void CMainFrame::CreateActions()
{
    for (const CommandSpec& entry : CommandTable()) {
        auto* action = new QAction(QString::fromUtf8(entry.text), this);
        const QString prompt = QString::fromUtf8(entry.prompt);
        action->setStatusTip(prompt.section('\n', 0, 0));
        action->setToolTip(prompt.section('\n', 1, 1));
        if (entry.shortcut)
            action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(entry.shortcut)));
        action->setCheckable(entry.checkable);
        action->setIcon(CommandIcon(entry.id, style()));
        action->setIconVisibleInMenu(false);
        const CommandId id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions[entry.id] = action;
        addAction(action); // shortcuts work even for toolbar-only commands
    }
}

void CMainFrame::CreateMenus()
{
    std::map<QString, QMenu*> menus;
    std::map<QString, QMenu*> submenus;
    for (const CommandSpec& entry : CommandTable()) {
        if (!entry.menu)
            continue;
        const QString title = QString::fromUtf8(entry.menu);
        QMenu*& menu = menus[title];
        if (!menu) {
            menu = menuBar()->addMenu(title);
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        }
        QMenu* target = menu;
        if (entry.submenu) {
            const QString key = title + "/" + QString::fromUtf8(entry.submenu);
            QMenu*& submenu = submenus[key];
            if (!submenu)
                submenu = menu->addMenu(QString::fromUtf8(entry.submenu));
            target = submenu;
        }
        if (entry.separatorBefore)
            target->addSeparator();
        target->addAction(m_actions[entry.id]);
    }
    m_fileMenu = menus["&File"];
    // A right click on the page opens the graph's commands.
    m_view->SetContextMenu(menus["&Graph"]);
    // Recent files stand between Print Setup and Exit.
    m_recentSeparator = m_fileMenu->insertSeparator(m_actions[CommandId::FileExit]);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar("Standard");
    m_toolBar->setObjectName("Standard");
    m_toolBar->setMovable(true);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonFollowStyle);
    for (int entry : ToolbarLayout()) {
        if (entry == kToolbarGap)
            m_toolBar->addSeparator();
        else
            m_toolBar->addAction(m_actions[CommandId(entry)]);
    }
}

void CMainFrame::CreateStatusBar()
{
    for (int pane = 0; pane < 3; ++pane) {
        m_panes[pane] = new QLabel(this);
        m_panes[pane]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    m_panes[1]->setMinimumWidth(200);
    m_panes[2]->setMinimumWidth(25);
    statusBar()->addWidget(m_panes[0], 1);
    statusBar()->addPermanentWidget(m_panes[1]);
    statusBar()->addPermanentWidget(m_panes[2]);
    SetStatusText(0, "Ready");
}

void CMainFrame::SetStatusText(int pane, const QString& text)
{
    if (pane >= 0 && pane < 3)
        m_panes[pane]->setText(text);
}

QString CMainFrame::StatusText(int pane) const
{
    return pane >= 0 && pane < 3 ? m_panes[pane]->text() : QString();
}

void CMainFrame::OnReaderStatus(int code, int value)
{
    switch (code) {
    case 1: SetStatusText(0, QString::asprintf("Reading plot %d", value)); break;
    case 4: SetStatusText(0, "Closing pipe"); break;
    case 19: SetStatusText(0, "Waiting for data ..."); break;
    default: break;
    }
}

void CMainFrame::OnReadingFinished()
{
    m_view->ReadingFinished();
    SetStatusText(0, "Ready");
}

WindowBorders CMainFrame::Borders() const
{
    const QRect frame = frameGeometry();
    const QSize client = m_view->size();
    return {frame.width() - client.width(), frame.height() - client.height()};
}

void CMainFrame::LockAspect(float ratio)
{
    m_aspectLocked = true;
    m_aspectRatio = ratio;
    const WindowBorders borders = Borders();
    const int height = LockedWindowHeight(m_view->width(), ratio, borders);
    // frameGeometry includes the window manager's decoration; resize() does not.
    const int decoration = frameGeometry().height() - this->height();
    m_adjustingSize = true;
    resize(width(), height - decoration);
    m_adjustingSize = false;
    ApplySizeLimits();
}

void CMainFrame::ApplySizeLimits()
{
    // While locked, neither the maximised nor the largest dragged window may
    // leave the ratio; the screen's free area is the maximised size.
    const QScreen* screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const int decoration = frameGeometry().height() - height();
    const int sideDecoration = frameGeometry().width() - width();
    const SizeLimits limits = AdjustSizeLimits(
        {available.width(), available.height(), available.width(), available.height()}, Borders(), m_aspectRatio);
    setMaximumSize(std::max(limits.maxTrackWidth - sideDecoration, minimumWidth()),
                   std::max(limits.maxTrackHeight - decoration, minimumHeight()));
}

void CMainFrame::UnlockAspect()
{
    m_aspectLocked = false;
    m_aspectRatio = 1.0f;
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!m_aspectLocked || m_adjustingSize)
        return;
    // The window manager does the dragging here, so the shape is restored after
    // each resize as if the right edge had been dragged.
    const WindowBorders borders = Borders();
    const QRect frame = frameGeometry();
    WindowRect rect{frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1};
    // A change of the height alone is a drag of the top or bottom edge: there
    // the width follows the height.
    const bool heightOnly = event->oldSize().width() == width() && event->oldSize().height() != height();
    const WindowRect adjusted =
        AdjustSizingRect(heightOnly ? SizingEdge::Bottom : SizingEdge::Right, rect, borders, m_aspectRatio);
    if (adjusted == rect)
        return;
    m_adjustingSize = true;
    resize(width() + (adjusted.right - rect.right), height() + (adjusted.bottom - rect.bottom));
    m_adjustingSize = false;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Closing the window (and Exit) keeps the page when the user cancels the
    // save-changes question or the save fails. An image that the link stream
    // asked for is written as the program closes.
    if (m_files.SaveModified()) {
        m_view->CarryOutPendingExport();
        event->accept();
    } else {
        event->ignore();
    }
    UpdateTitle();
}

void CMainFrame::UpdateCommandUI()
{
    for (auto& [id, action] : m_actions) {
        bool checked = false;
        bool enabled = m_view->IsCommandEnabled(id);
        switch (id) {
        case CommandId::FileImport:
        case CommandId::ExportData:
        case CommandId::EditCopyData:
        case CommandId::SetsActivate:
        case CommandId::SetsDeactivate:
        case CommandId::SetsDelete:
        case CommandId::SetsBringToTop:
        case CommandId::SetsSendToBottom:
            enabled = true;
            break;
        case CommandId::EditPasteData:
            enabled = ClipboardHasText();
            break;
        case CommandId::FileNew:
        case CommandId::FileOpen:
        case CommandId::FileSave:
        case CommandId::FileSaveAs:
        case CommandId::FilePrintSetup:
        case CommandId::FileExit:
        case CommandId::HelpAbout:
        case CommandId::HelpImportOptions:
        case CommandId::HelpCommandLineOptions:
            enabled = true;
            break;
        case CommandId::ViewToolbar:
            enabled = true;
            action->setChecked(m_toolBar && m_toolBar->isVisible());
            break;
        case CommandId::ViewStatusBar:
            enabled = true;
            action->setChecked(statusBar()->isVisible());
            break;
        default:
            if (m_view->IsCommandChecked(id, &checked))
                action->setChecked(checked);
            break;
        }
        action->setEnabled(enabled);
    }
}

void CMainFrame::UpdateRecentFiles()
{
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const QStringList files = m_settings.RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this);
        action->setStatusTip("Open this document");
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { emit OpenDocumentRequested(path); });
        m_fileMenu->insertAction(m_recentSeparator, action);
        m_recentActions.push_back(action);
    }
    m_recentSeparator->setVisible(!files.isEmpty());
}

void CMainFrame::UpdateTitle()
{
    setWindowTitle(QString("%1%2 - CorvidPlot").arg(m_files.Title(), m_doc.IsModified() ? "*" : ""));
}

void CMainFrame::RunCommand(CommandId id)
{
    {
        // Whatever the command changes is one step of the undo history.
        PageChanges changes(m_doc);
        if (!m_view->OnCommand(id))
            OnFrameCommand(id);
    }
    UpdateTitle();
    UpdateCommandUI();
}

bool CMainFrame::OnFrameCommand(CommandId id)
{
    switch (id) {
    case CommandId::FileNew:
        emit NewDocumentRequested();
        return true;
    case CommandId::FileOpen: {
        const QString path = QFileDialog::getOpenFileName(this, "Open");
        if (!path.isEmpty())
            emit OpenDocumentRequested(path);
        return true;
    }
    case CommandId::FileExit:
        close();
        return true;
    case CommandId::FileSave:
        if (m_files.Save())
            UpdateRecentFiles();
        return true;
    case CommandId::FileSaveAs:
        if (m_files.SaveAs())
            UpdateRecentFiles();
        return true;
    case CommandId::FilePrintSetup: {
        // The printer's page may change shape: in WYSIWYG mode the view asks
        // the printer again (outside it the query would only nag about WYSIWYG).
        QPageSetupDialog dialog(&m_view->Printer(), this);
        dialog.exec();
        if (m_view->Wysiwyg())
            m_view->RerunPrinterQuery();
        return true;
    }
    case CommandId::ViewToolbar:
        m_toolBar->setVisible(!m_toolBar->isVisible());
        return true;
    case CommandId::ViewStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        return true;
    case CommandId::HelpImportOptions:
        m_messages.ShowText(kImportHelpCaption, kImportHelpText);
        return true;
    case CommandId::HelpCommandLineOptions:
        m_messages.ShowText(kCommandLineHelpCaption, kCommandLineHelpText);
        return true;
    case CommandId::HelpAbout: {
        AboutDialog about(this);
        about.exec();
        return true;
    }
    case CommandId::FileImport:
        OnImport();
        return true;
    case CommandId::ExportData:
        OnExportData();
        return true;
    case CommandId::EditCopyData:
        OnCopyData();
        return true;
    case CommandId::EditPasteData:
        OnPasteData();
        return true;
    case CommandId::SetsActivate:
        OnSetCommand(kActivateSets);
        return true;
    case CommandId::SetsDeactivate:
        OnSetCommand(kDeactivateSets);
        return true;
    case CommandId::SetsDelete:
        OnSetCommand(kDeleteSets);
        return true;
    case CommandId::SetsBringToTop:
        OnSetCommand(kBringSetToTop);
        return true;
    case CommandId::SetsSendToBottom:
        OnSetCommand(kSendSetToBottom);
        return true;
    default:
        return false;
    }
}

// The open-file dialog of the import holds all chosen names in one buffer of
// this many bytes: the folder, then each name, each ending in NUL, then a NUL.
static constexpr int kImportNameBuffer = 2562;

bool ImportSelectionFits(const QStringList& paths)
{
    if (paths.isEmpty())
        return true;
    int bytes = QFileInfo(paths.front()).absolutePath().toUtf8().size() + 2;
    for (const QString& path : paths)
        bytes += QFileInfo(path).fileName().toUtf8().size() + 1;
    return bytes <= kImportNameBuffer;
}

void CMainFrame::OnImport()
{
    QStringList filters;
    for (int format = kImportXY; format <= kImportWav; ++format)
        filters << QString("%1 (%2)").arg(kImportFormatNames[format], format == kImportWav ? "*.wav" : "*");
    QFileDialog dialog(this, "Import");
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters[m_importFilter]);
    dialog.setDirectory(QDir::currentPath());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_importFilter = std::max(0, int(filters.indexOf(dialog.selectedNameFilter())));
    const QStringList files = dialog.selectedFiles();
    if (!ImportSelectionFits(files)) {
        m_messages.Show("Too many files selected! Please select fewer files and try again.");
        return;
    }
    ImportFiles(files, m_importFilter);
}

void CMainFrame::ImportFiles(const QStringList& files, int format)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<std::string> names;
    for (const QString& file : files)
        names.push_back(file.toStdString());
    ::ImportFiles(m_doc, names, format, m_messages);
    QApplication::restoreOverrideCursor();
    SetStatusText(0, "Ready");
    m_view->Refresh();
}

std::vector<int> CMainFrame::ChooseSets()
{
    SetControl control(kSelectSets, m_doc.CurrentGraph().m_plots, m_messages);
    CSetControlDialog dialog(control, this);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.Result();
}

void CMainFrame::OnExportData()
{
    const std::vector<int> sets = ChooseSets();
    if (sets.empty())
        return;
    const QString path = QFileDialog::getSaveFileName(this, "Export", QDir::currentPath());
    if (path.isEmpty())
        return;
    ExportData(m_doc.CurrentGraph(), sets, path.toStdString(), m_messages);
}

void CMainFrame::OnCopyData()
{
    const std::vector<int> sets = ChooseSets();
    if (!sets.empty())
        CopyData(m_doc.CurrentGraph(), sets, m_messages, SetClipboardText);
}

void CMainFrame::OnPasteData()
{
    if (!ClipboardHasText()) {
        m_messages.Show("Sorry -- only ASCII text can be pasted!");
        return;
    }
    PasteDataDialog dialog(this);
    dialog.SetFormat(m_pasteFormat);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_pasteFormat = dialog.Format();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PasteText(m_doc, ClipboardText(), m_pasteFormat, m_messages);
    QApplication::restoreOverrideCursor();
    SetStatusText(0, "Ready");
    m_view->Refresh();
}

void CMainFrame::OnSetCommand(int action)
{
    SetControl control(action, m_doc.CurrentGraph().m_plots, m_messages);
    CSetControlDialog dialog(control, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    FinishSetCommand(m_doc, m_messages);
    m_view->Refresh();
}
