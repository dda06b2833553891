#pragma once

#include "app/command_ids.h"
#include "app/image_export.h"
#include "app/page_printer.h"
#include "app/view_interaction.h"
#include "platform/page_buffer.h"
#include "ui/animate_plots_window.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include <string>
#include <vector>

#include <functional>
#include <memory>

class CTarnDoc;
class Messages;
class PipeEndings;
class PipeListener;
struct PipeResult;
class CImageSizeDialog;
class QMenu;
class CTextDialog;
class QDialog;
class CScalingDialog;
class QPrinter;
class TextObject;

/// The one window that shows the page. It draws the document (through an
/// off-screen copy unless double buffering is off) and handles the commands
/// that work on the page.
class CTarnView : public QWidget, public ViewHost {
    Q_OBJECT
public:
    CTarnView(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);
    ~CTarnView() override;

    /// Carries out `command`; false when the view does not handle it.
    bool OnCommand(CommandId command);
    /// Whether `command` is handled here and may run now.
    bool IsCommandEnabled(CommandId command) const;
    /// Whether `command` shows a check mark, and its state.
    bool IsCommandChecked(CommandId command, bool* checked) const;

    /// Redraws the whole page (after the document was replaced or changed).
    void Refresh();

    /// Shifts the current graph's range by a tenth of its span (x when
    /// `horizontal`) and redraws; the document is not marked modified.
    void Shift(bool horizontal, float fraction);

    /// The page drawings made so far (an unchanged page reuses the last one).
    int RenderCount() const { return m_buffer.DrawCount() + m_directDraws; }
    bool DoubleBuffer() const { return m_doubleBuffer; }
    /// The f(x) texts the curve fit has seen.
    std::vector<std::string>& FitHistory() { return m_fitHistory; }

    // The link pipe (tarn_view_pipe.cpp).
    /// Starts reading the document's `m_pipeNumber` on a worker thread, with
    /// the busy cursor; nothing happens without a pipe or when reading runs.
    void StartPipe();
    /// Reading has finished: the arrow cursor, `m_pipeHalt` set, a full redraw.
    void ReadingFinished();
    /// Writes the image that the stream left pending, as the program closes.
    void CarryOutPendingExport();
    /// Replaces the writers behind the stream's end messages.
    void SetPipeEndings(std::unique_ptr<PipeEndings> endings);
    /// Whether the reader thread still reads.
    bool PipeReading() const;
    /// Whether a reader was started; it closes the pipe when it ends.
    bool PipeStarted() const { return m_pipeListener != nullptr; }
    /// Whether the stream failed the run: not one byte of it could be read,
    /// or the save or export it asked for failed. The program then exits with 1.
    bool PipeFailed() const { return m_pipeFailed; }

    /// Replaces the "Export Image" file dialog (tests choose without a screen).
    void SetImageFileChooser(std::function<ImageFileChoice()> chooser) { m_chooseImageFile = std::move(chooser); }
    /// Runs the export's size dialog; replaceable so tests can fill it in.
    void SetImageSizeRunner(std::function<int(CImageSizeDialog&)> runner) { m_runSizeDialog = std::move(runner); }

    /// Re-runs the WYSIWYG printer query (after Print Setup).
    void RerunPrinterQuery();
    bool Wysiwyg() const { return m_wysiwyg; }
    float PrinterAspectRatio() const { return m_printerAspect; }
    /// Replaces the default-printer query (tests have no printer).
    void SetPrinterFacts(std::function<PrinterFacts()> facts) { m_printerFacts = std::move(facts); }
    /// The printer of Print, Print Preview and Print Setup.
    QPrinter& Printer();
    /// Runs the Scaling dialog; replaceable so tests can fill it in.
    void SetScalingRunner(std::function<int(CScalingDialog&)> runner) { m_runScaling = std::move(runner); }
    /// Runs the text dialog of a new or edited free label; replaceable for tests.
    void SetTextDialogRunner(std::function<int(CTextDialog&)> runner) { m_runTextDialog = std::move(runner); }
    /// The mouse modes, selection and overlays.
    CViewInteraction& Interaction() { return m_interaction; }
    /// The menu a right click opens (the frame gives it; none by default).
    void SetContextMenu(QMenu* menu) { m_contextMenu = menu; }

    // Plot animation.
    /// Opens the Animate Plots window, or raises it when it is open already.
    void OpenAnimateWindow();
    /// The open Animate Plots window, or null.
    CAnimatePlotsWindow* AnimateWindow() const { return m_animateWindow; }

    // The style dialogs (tarn_view_style.cpp).
    /// Runs "Plot Options" on the current graph and afterwards shows set 0 of
    /// a graph in animation mode that shows none yet. Returns whether the
    /// dialog's check box switched the animation mode on.
    bool RunPlotOptions();
    /// Runs the style dialogs ("Plot Options", "Error Bar", "Set Graph Type");
    /// replaceable so tests can fill them in.
    void SetStyleDialogRunner(std::function<int(QDialog&)> runner) { m_runStyleDialog = std::move(runner); }

    // ViewHost
    void RedrawPage() override { Redraw(); }
    void PageModified() override { Modified(); }
    void RepaintArea(const QRect& area) override { update(area); }
    void ShowStatus(int pane, const QString& text) override { emit StatusText(pane, text); }
    void SetViewCursor(Qt::CursorShape shape) override { setCursor(shape); }
    PageRect Page() const override { return {0, 0, width(), height()}; }

signals:
    /// A progress report of the pipe reader (code 1, 4 or 19 and its number).
    void ReaderStatus(int code, int value);
    /// The end-of-stream steps have reached the point where reading is over.
    void PipeReadingEnded();
    /// Asks the frame to show `text` in status pane `pane` (0, 1 or 2).
    void StatusText(int pane, const QString& text);
    /// The document changed in a way the frame shows (title, modified mark).
    void DocumentChanged();
    /// WYSIWYG asks the frame to keep the view at `ratio` (height / width),
    /// or to let it go when `lock` is false.
    void AspectLockRequested(bool lock, float ratio);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Undo and Redo (tarn_view_history.cpp).
    static bool IsHistoryCommand(CommandId command);
    bool IsHistoryCommandEnabled(CommandId command) const;
    bool OnHistoryCommand(CommandId command);

    static bool IsStyleCommand(CommandId command);
    bool OnStyleCommand(CommandId command);
    void OnErrorBars();
    void OnGraphType();
    int RunStyleDialog(QDialog& dialog);
    std::function<int(QDialog&)> m_runStyleDialog;

    void Redraw();
    void Modified();
    void OnArrange();
    void OnOverlap();
    void OnSelect();
    void OnPageColor();
    void OnGraphColor();
    void OnAxisProperties(bool x);
    void OnProperties();
    void OnTitle(int kind);
    void OnLegend();
    void OnReferenceLines();
    void OnStatistics();
    void OnHistogram();
    void OnDifferences();
    void OnIntegration();
    void OnExportAudio();
    void OnExportAnimation();
    void OnFunction(int kind);
    void OnNonLinearFit();

    void OnPipeFinished(PipeResult& result);
    void OfferPipeHalt();
    void OnExportImage();
    void RunViewAction(ViewAction action);
    void OnDefineScaling();
    void OnWysiwyg();
    void OnPrint(bool preview);
    void OnAddLabel(float x, float y);
    void OnEditLabel(TextObject& label);

    CTarnDoc& m_doc;
    Messages& m_messages;
    std::unique_ptr<PipeListener> m_pipeListener;
    std::unique_ptr<PipeEndings> m_pipeEndings;
    bool m_pipeFailed = false;
    PageBuffer m_buffer;
    bool m_doubleBuffer = true;
    int m_directDraws = 0;
    // The curve fit's f(x) texts, kept for as long as the view exists.
    std::vector<std::string> m_fitHistory;
    CViewInteraction m_interaction{m_doc, m_messages, *this};
    QMenu* m_contextMenu = nullptr;
    std::function<ImageFileChoice()> m_chooseImageFile;
    std::function<int(CImageSizeDialog&)> m_runSizeDialog;
    std::function<int(CTextDialog&)> m_runTextDialog;
    std::function<int(CScalingDialog&)> m_runScaling;
    std::function<PrinterFacts()> m_printerFacts;
    std::unique_ptr<QPrinter> m_printer;
    bool m_wysiwyg = false;
    float m_printerAspect = 1.0f;
    QPointer<CAnimatePlotsWindow> m_animateWindow;
};
