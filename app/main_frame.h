#pragma once

#include "app/aspect_lock.h"
#include "app/command_ids.h"
#include "app/document_files.h"

#include <QMainWindow>
#include <map>
#include <vector>

class AppSettings;
class CTarnDoc;
class CTarnView;
class Messages;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

/// Whether the chosen import files fit the name buffer of the import dialog.
bool ImportSelectionFits(const QStringList& paths);

/// The program's one top-level window: menus, toolbar, the three-pane status
/// line and the view. Commands go to the view first, then to the frame.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CTarnDoc& doc, Messages& messages, AppSettings& settings,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    CTarnView* View() const { return m_view; }
    QAction* Action(CommandId id) const { return m_actions.at(id); }
    QToolBar* ToolBar() const { return m_toolBar; }
    /// Save, Save As, Open and the save-changes question of the page.
    DocumentFiles& Files() { return m_files; }

    /// Shows `text` in status pane 0, 1 or 2.
    void SetStatusText(int pane, const QString& text);
    QString StatusText(int pane) const;

    /// Shows a progress report of the pipe reader: 1 "Reading plot %d" with
    /// `value`, 4 "Closing pipe", 19 "Waiting for data ..."; other codes change nothing.
    void OnReaderStatus(int code, int value);
    /// Reading from the pipe has ended: the view finishes up, pane 0 shows "Ready".
    void OnReadingFinished();

    /// Keeps the client area at `ratio` (height / width) and resizes at once.
    void LockAspect(float ratio);
    /// Frees the window's shape again; the ratio returns to 1.0.
    void UnlockAspect();
    /// Restricts the window's largest size to the locked ratio.
    void ApplySizeLimits();
    bool AspectLocked() const { return m_aspectLocked; }
    float AspectRatio() const { return m_aspectRatio; }

    /// Enables, disables and checks every action after the state it depends on.
    void UpdateCommandUI();
    /// Rebuilds the recent-file entries of the File menu.
    void UpdateRecentFiles();
    /// Shows the document's name and modified mark in the title bar.
    void UpdateTitle();

    /// Carries out a frame-level command; false when it is not one.
    bool OnFrameCommand(CommandId id);

    /// Imports `files` into the current graph in `format`, one after another.
    void ImportFiles(const QStringList& files, int format);

signals:
    /// File > New, Open and the recent files ask the application to act.
    void NewDocumentRequested();
    void OpenDocumentRequested(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RunCommand(CommandId id);
    void OnImport();
    void OnExportData();
    void OnCopyData();
    void OnPasteData();
    void OnSetCommand(int action);
    std::vector<int> ChooseSets();
    WindowBorders Borders() const;

    CTarnDoc& m_doc;
    Messages& m_messages;
    AppSettings& m_settings;
    DocumentFiles m_files;
    CTarnView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentSeparator = nullptr;
    std::map<CommandId, QAction*> m_actions;
    std::vector<QAction*> m_recentActions;
    QLabel* m_panes[3] = {nullptr, nullptr, nullptr};
    bool m_aspectLocked = false;
    float m_aspectRatio = 1.0f;
    bool m_adjustingSize = false;
    int m_importFilter = 0; // remembered while the program runs
    int m_pasteFormat = 0;
};
