#include "app/tarn_view.h"

#include "app/pipe_listener.h"
#include "app/view_page_changes.h"
#include "io/pipe_endings.h"
#include "document/page_drawing.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/page_raster.h"
#include "platform/qt_canvas.h"
#include "document/text_edit.h"
#include "ui/arrange_dialog.h"
#include "ui/legend_dialog.h"
#include "ui/lines_dialog.h"
#include "ui/text_dialog.h"
#include "ui/audio_output_dialog.h"
#include "ui/animate_plots_window.h"
#include "ui/export_animation_dialog.h"
#include "ui/axis_properties_dialog.h"
#include "ui/color_dialog.h"
#include "ui/curve_fit_dialog.h"
#include "ui/difference_dialog.h"
#include "ui/equation_editor_dialog.h"
#include "ui/histogram_dialog.h"
#include "ui/image_size_dialog.h"
#include "ui/scaling_dialog.h"
#include "ui/integration_dialog.h"
#include "ui/overlap_dialog.h"
#include "ui/properties_dialog.h"
#include "ui/select_dialog.h"
#include "ui/statistics_dialog.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWheelEvent>
#include <QPainter>

CTarnView::CTarnView(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_messages(messages)
{
    setFocusPolicy(Qt::StrongFocus);
    // The status read-outs and the cross hairs follow the mouse without a button.
    setMouseTracking(true);
    setMinimumSize(200, 150);
    // The view paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CTarnView::~CTarnView()
{
    // An image export that the link stream asked for is written as the view goes.
    // (Closing the window normally has written it already.)
    CarryOutPendingExport();
}

bool CTarnView::OnCommand(CommandId command)
{
    // What one command changes is one step of the undo history.
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    if (OnHistoryCommand(command))
        return true;
    if (OnStyleCommand(command))
        return true;
    if (!IsCommandEnabled(command))
        return false;
    switch (command) {
    case CommandId::PageArrange: OnArrange(); return true;
    case CommandId::PageOverlap: OnOverlap(); return true;
    case CommandId::PageSelect: OnSelect(); return true;
    case CommandId::PageColor: OnPageColor(); return true;
    case CommandId::GraphColor: OnGraphColor(); return true;
    case CommandId::GraphXAxis: OnAxisProperties(true); return true;
    case CommandId::GraphYAxis: OnAxisProperties(false); return true;
    case CommandId::ViewProperties: OnProperties(); return true;
    case CommandId::GraphTitle: OnTitle(int(TitleKind::Title)); return true;
    case CommandId::GraphXTitle: OnTitle(int(TitleKind::XAxis)); return true;
    case CommandId::GraphYTitle: OnTitle(int(TitleKind::YAxis)); return true;
    case CommandId::GraphLegend: OnLegend(); return true;
    case CommandId::GraphReferenceLines: OnReferenceLines(); return true;
    case CommandId::ExportAudio: OnExportAudio(); return true;
    case CommandId::ExportAnimation: OnExportAnimation(); return true;
    case CommandId::SetsAnimate: OpenAnimateWindow(); return true;
    case CommandId::ExportImage: OnExportImage(); return true;
    case CommandId::ViewZoom: m_interaction.ArmZoom(); return true;
    case CommandId::ViewRestoreScaling: m_interaction.RestoreScaling(); return true;
    case CommandId::ViewCrossHairs: m_interaction.ToggleCrossHairs(); return true;
    case CommandId::GraphUserLabel:
    case CommandId::InsertText: m_interaction.ArmLabel(); return true;
    case CommandId::EditClearSelection: m_interaction.ClearSelection(); return true;
    case CommandId::ViewDefineScaling: OnDefineScaling(); return true;
    case CommandId::ViewWysiwyg: OnWysiwyg(); return true;
    case CommandId::EditCopy: CopyPageToClipboard(m_doc, size(), m_messages); return true;
    case CommandId::FilePrint: OnPrint(false); return true;
    case CommandId::FilePrintPreview: OnPrint(true); return true;
    case CommandId::ViewRefresh: Redraw(); return true;
    case CommandId::ViewDoubleBuffer:
        m_doubleBuffer = !m_doubleBuffer;
        Redraw();
        return true;
    case CommandId::ShiftUp: Shift(false, 0.1f); return true;
    case CommandId::ShiftDown: Shift(false, -0.1f); return true;
    case CommandId::ShiftRight: Shift(true, 0.1f); return true;
    case CommandId::ShiftLeft: Shift(true, -0.1f); return true;
    case CommandId::DataStatistics: OnStatistics(); return true;
    case CommandId::DataHistogram: OnHistogram(); return true;
    case CommandId::DataDifferences: OnDifferences(); return true;
    case CommandId::DataIntegration: OnIntegration(); return true;
    case CommandId::DataFunction: OnFunction(int(FunctionKind::Explicit)); return true;
    case CommandId::DataParametric: OnFunction(int(FunctionKind::Parametric)); return true;
    case CommandId::DataPolar: OnFunction(int(FunctionKind::Polar)); return true;
    case CommandId::DataNonLinearFit: OnNonLinearFit(); return true;
    default: return false;
    }
}

bool CTarnView::IsCommandEnabled(CommandId command) const
{
    if (IsHistoryCommand(command))
        return IsHistoryCommandEnabled(command);
    if (IsStyleCommand(command))
        return true;
    switch (command) {
    case CommandId::PageArrange:
    case CommandId::PageSelect:
    case CommandId::PageColor:
    case CommandId::GraphColor:
    case CommandId::GraphXAxis:
    case CommandId::GraphYAxis:
    case CommandId::ViewProperties:
    case CommandId::GraphTitle:
    case CommandId::GraphXTitle:
    case CommandId::GraphYTitle:
    case CommandId::GraphLegend:
    case CommandId::GraphReferenceLines:
    case CommandId::ViewRefresh:
    case CommandId::ViewDoubleBuffer:
    case CommandId::DataStatistics:
    case CommandId::DataHistogram:
    case CommandId::DataDifferences:
    case CommandId::DataIntegration:
    case CommandId::DataFunction:
    case CommandId::DataParametric:
    case CommandId::DataPolar:
    case CommandId::DataNonLinearFit:
    case CommandId::ExportAudio:
    case CommandId::ExportImage:
    case CommandId::ViewZoom:
    case CommandId::ViewRestoreScaling:
    case CommandId::ViewCrossHairs:
    case CommandId::GraphUserLabel:
    case CommandId::InsertText:
    case CommandId::ViewDefineScaling:
    case CommandId::ViewWysiwyg:
    case CommandId::EditCopy:
    case CommandId::FilePrint:
    case CommandId::FilePrintPreview:
        return true;
    case CommandId::ExportAnimation:
        return true;
    case CommandId::SetsAnimate:
        return m_doc.CurrentGraph().m_singlePlotOnly != 0;
    case CommandId::EditClearSelection:
        return m_interaction.Selection() != nullptr;
    case CommandId::PageOverlap:
        return m_doc.m_graphCount > 1;
    case CommandId::ShiftUp:
    case CommandId::ShiftDown:
        return m_doc.CanShiftVertically();
    case CommandId::ShiftRight:
    case CommandId::ShiftLeft:
        return m_doc.CanShiftHorizontally();
    default:
        return false;
    }
}

bool CTarnView::IsCommandChecked(CommandId command, bool* checked) const
{
    if (command == CommandId::ViewCrossHairs) {
        *checked = m_interaction.CrossHairs();
        return true;
    }
    if (command == CommandId::ViewWysiwyg) {
        *checked = m_wysiwyg;
        return true;
    }
    if (command != CommandId::ViewDoubleBuffer)
        return false;
    *checked = m_doubleBuffer;
    return true;
}

void CTarnView::Refresh()
{
    // The document may have been replaced or rearranged: show its current graph too.
    emit StatusText(2, QString::asprintf("G%d", m_doc.m_currentGraph));
    m_interaction.DropSelection();
    Redraw();
}

void CTarnView::Redraw()
{
    // The animation window follows the page first, so a shown set that it
    // puts back in range is the one drawn.
    if (m_animateWindow)
        m_animateWindow->Refresh();
    m_buffer.Invalidate();
    update();
}

void CTarnView::Modified()
{
    m_doc.SetModifiedFlag(true);
    Redraw();
    emit DocumentChanged();
}

void CTarnView::Shift(bool horizontal, float fraction)
{
    if (horizontal ? !m_doc.CanShiftHorizontally() : !m_doc.CanShiftVertically())
        return;
    if (horizontal)
        m_doc.CurrentGraph().ShiftX(fraction, m_messages);
    else
        m_doc.CurrentGraph().ShiftY(fraction, m_messages);
    // Shifting leaves the modified mark alone, but can be undone.
    m_doc.RecordUnmarkedChange(kShiftRun);
    Redraw();
}

void CTarnView::OnArrange()
{
    CArrangeDialog dialog(m_doc.CurrentArrangement(), m_messages, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_doc.Arrange(dialog.Request(), m_messages))
        Modified();
}

void CTarnView::OnOverlap()
{
    if (!m_doc.CanOverlap(m_messages))
        return;
    COverlapDialog dialog(m_doc.m_graphCount, m_messages, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_doc.OverlapGraphs(dialog.TopGraph(), dialog.BottomGraph(), m_messages))
        Modified();
}

void CTarnView::OnSelect()
{
    CSelectDialog dialog(m_doc.m_graphCount, m_doc.m_currentGraph, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_doc.SelectGraph(dialog.Chosen());
    Modified();
    emit StatusText(2, QString::asprintf("G%d", m_doc.m_currentGraph));
}

void CTarnView::OnPageColor()
{
    Color color = m_doc.m_pageColor;
    if (!PickColor(this, m_doc.m_pageColor, &color, m_messages))
        return;
    m_doc.m_pageColor = color;
    Modified();
}

void CTarnView::OnGraphColor()
{
    Graph& graph = m_doc.CurrentGraph();
    Color color = graph.m_background;
    if (!PickColor(this, graph.m_background, &color, m_messages))
        return;
    graph.m_background = color;
    Modified();
}

void CTarnView::OnAxisProperties(bool x)
{
    CAxisPropertiesDialog dialog(m_doc, x ? AxisDirection::X : AxisDirection::Y, m_messages, this);
    // Apply and the tick, label and grid dialogs change the page while the
    // dialog stays open.
    connect(&dialog, &CAxisPropertiesDialog::Changed, this, &CTarnView::Modified);
    dialog.exec();
}

void CTarnView::OnTitle(int kind)
{
    TextObject& title = TitleOf(m_doc.CurrentGraph(), TitleKind(kind));
    CTextDialog dialog(TitleCaption(TitleKind(kind)), title, m_messages, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.ApplyTo(title);
    Modified();
}

void CTarnView::OnLegend()
{
    CLegendDialog dialog(m_doc.CurrentGraph(), m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        Modified();
}

static bool SameLines(const List<RefLine>& a, const List<RefLine>& b)
{
    if (a.Count() != b.Count())
        return false;
    for (int i = 0; i < a.Count(); ++i) {
        const RefLine& x = a.Get(i);
        const RefLine& y = b.Get(i);
        if (x.m_orientation != y.m_orientation || x.m_lineStyle != y.m_lineStyle || x.m_value != y.m_value)
            return false;
    }
    return true;
}

void CTarnView::OnReferenceLines()
{
    const List<RefLine> before = m_doc.CurrentGraph().m_refLines;
    CLinesDialog dialog(m_doc.CurrentGraph(), m_messages, this);
    dialog.exec();
    // The lines are saved with the page, so adding or deleting one marks it
    // modified like every other edit; closing without a change does not.
    if (SameLines(before, m_doc.CurrentGraph().m_refLines))
        Redraw();
    else
        Modified();
}

void CTarnView::OnProperties()
{
    CPropertiesDialog dialog(lineScaling, fontScaling, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_doc.ApplyDisplaySettings(dialog.LineScaling(), dialog.FontScaling(), m_messages))
        Redraw();
}

// The statistics and integration reports leave the page as it is; the
// histogram and difference commands add sets when their dialog ends with OK.
void CTarnView::OnStatistics()
{
    CStatisticsDialog dialog(m_doc, m_messages, this);
    dialog.exec();
}

void CTarnView::OnHistogram()
{
    CHistogramDialog dialog(m_doc, m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        Modified();
}

void CTarnView::OnDifferences()
{
    CDifferenceDialog dialog(m_doc, m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        Modified();
}

void CTarnView::OnIntegration()
{
    CIntegrationDialog dialog(m_doc, m_messages, this);
    dialog.exec();
}

// The equation editors add a set when they end with OK; the curve fit draws
// its model on the graph while it is open and adds a set with "Save Fit".
void CTarnView::OnFunction(int kind)
{
    CEquationEditorDialog dialog(m_doc, FunctionKind(kind), m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        Modified();
}

void CTarnView::OnNonLinearFit()
{
    CCurveFitDialog dialog(m_doc, m_fitHistory, m_messages, this);
    connect(&dialog, &CCurveFitDialog::Redraw, this, &CTarnView::Redraw);
    connect(&dialog, &CCurveFitDialog::Changed, this, &CTarnView::Modified);
    dialog.exec();
    Redraw();
}

void CTarnView::OnExportAudio()
{
    CAudioOutputDialog dialog(m_doc, m_messages, this);
    dialog.exec();
}

// The movie is recorded off-screen at the size asked for; the shown set is
// put back afterwards, so the page needs no redraw.
void CTarnView::OnExportAnimation()
{
    CExportAnimationDialog dialog(m_doc, width(), height(), m_messages, this);
    dialog.exec();
}

void CTarnView::OpenAnimateWindow()
{
    if (m_animateWindow) {
        m_animateWindow->raise();
        m_animateWindow->activateWindow();
        return;
    }
    m_animateWindow = new CAnimatePlotsWindow(m_doc, this);
    connect(m_animateWindow, &CAnimatePlotsWindow::RedrawRequested, this, &CTarnView::Redraw);
    m_animateWindow->show();
    // Opening may have put the shown set back in range.
    Redraw();
}

// "Image ...": the file and its format, then the size (the window's size to
// begin with), then the page is rendered and written.
void CTarnView::OnExportImage()
{
    const ImageFileChoice choice = m_chooseImageFile ? m_chooseImageFile() : ChooseImageFile(this);
    if (choice.path.isEmpty())
        return;
    CImageSizeDialog dialog(width(), height(), m_messages, this);
    const int result = m_runSizeDialog ? m_runSizeDialog(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return;
    WriteImageByFilter(m_doc, choice.path.toStdString(), choice.filter, dialog.ImageWidth(), dialog.ImageHeight(),
                       m_messages);
}

void CTarnView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_doubleBuffer) {
        // An unchanged page is copied from the off-screen image as it is.
        // The copy is made at the screen's device resolution, so a
        // high-density screen shows a crisp page.
        const qreal ratio = devicePixelRatioF();
        const bool drawing = m_buffer.NeedsDrawing(size(), ratio);
        if (drawing)
            emit StatusText(0, "Rendering ...");
        painter.drawImage(0, 0, m_buffer.Image(m_doc, size(), nullptr, ratio));
        m_interaction.PaintOverlays(painter);
        if (drawing)
            emit StatusText(0, "Ready");
        return;
    }
    emit StatusText(0, "Rendering ...");
    painter.fillRect(rect(), Qt::white);
    QtCanvas canvas(painter);
    DrawPage(m_doc, canvas, {0, 0, width(), height()});
    m_interaction.PaintOverlays(painter);
    ++m_directDraws;
    m_buffer.Invalidate();
    emit StatusText(0, "Ready");
}

void CTarnView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The off-screen copy notices the new size itself and draws again.
    emit StatusText(1, QString::asprintf("Window Size %d x %d", width(), height()));
}

void CTarnView::keyPressEvent(QKeyEvent* event)
{
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    switch (event->key()) {
    case Qt::Key_Left: Shift(true, -0.1f); break;
    case Qt::Key_Right: Shift(true, 0.1f); break;
    case Qt::Key_Up: Shift(false, 0.1f); break;
    case Qt::Key_Down: Shift(false, -0.1f); break;
    case Qt::Key_Escape:
        // Escape leaves an armed mouse mode first; otherwise it may halt the pipe.
        if (!m_interaction.CancelMode())
            OfferPipeHalt();
        QWidget::keyPressEvent(event);
        return;
    default: QWidget::keyPressEvent(event); return;
    }
    emit StatusText(2, QString::asprintf("G%d", m_doc.m_currentGraph));
}

// Mouse, wheel and focus go to the interaction; the editors it asks for open here.
void CTarnView::mousePressEvent(QMouseEvent* event)
{
    // While a button is down the view keeps receiving the mouse (Qt's
    // implicit grab), so drags and rubber bands may leave the window.
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    const ViewAction action =
        m_interaction.Press(event->position().toPoint(), event->button(), event->buttons(), event->modifiers());
    if (action != ViewAction::None)
        RunViewAction(action);
}

void CTarnView::mouseReleaseEvent(QMouseEvent* event)
{
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    m_interaction.Release(event->position().toPoint(), event->button());
}

void CTarnView::mouseMoveEvent(QMouseEvent* event)
{
    m_interaction.Move(event->position().toPoint(), event->buttons());
}

void CTarnView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    RunViewAction(m_interaction.DoubleClick(event->position().toPoint()));
}

void CTarnView::wheelEvent(QWheelEvent* event)
{
    ViewPageChanges changes(m_doc, [this] { emit DocumentChanged(); });
    m_interaction.Wheel(event->angleDelta().y(), event->modifiers());
}

void CTarnView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_interaction.FocusLost();
}

void CTarnView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_contextMenu && event->reason() == QContextMenuEvent::Mouse &&
        m_interaction.MayShowContextMenu(QGuiApplication::mouseButtons() | Qt::RightButton))
        m_contextMenu->popup(event->globalPos());
}

void CTarnView::RunViewAction(ViewAction action)
{
    switch (action) {
    case ViewAction::AddLabel: OnAddLabel(m_interaction.LabelX(), m_interaction.LabelY()); break;
    case ViewAction::EditLabel:
        if (auto* label = dynamic_cast<TextObject*>(m_interaction.Selection()))
            OnEditLabel(*label);
        break;
    case ViewAction::EditLegend: OnLegend(); break;
    case ViewAction::EditTitle: OnTitle(int(TitleKind::Title)); break;
    case ViewAction::EditXTitle: OnTitle(int(TitleKind::XAxis)); break;
    case ViewAction::EditYTitle: OnTitle(int(TitleKind::YAxis)); break;
    case ViewAction::XAxis: OnAxisProperties(true); break;
    case ViewAction::YAxis: OnAxisProperties(false); break;
    case ViewAction::Animate: OpenAnimateWindow(); break;
    case ViewAction::None: break;
    }
}

void CTarnView::OnAddLabel(float x, float y)
{
    TextObject label;
    label.m_x = x;
    label.m_y = y;
    CTextDialog dialog("Add a text lable", label, m_messages, this);
    if ((m_runTextDialog ? m_runTextDialog(dialog) : dialog.exec()) != QDialog::Accepted)
        return;
    dialog.ApplyTo(label);
    if (label.m_text.empty())
        return;
    m_doc.m_labels.Append(label);
    Modified();
}

void CTarnView::OnEditLabel(TextObject& label)
{
    CTextDialog dialog("Edit text", label, m_messages, this);
    if ((m_runTextDialog ? m_runTextDialog(dialog) : dialog.exec()) != QDialog::Accepted)
        return;
    dialog.ApplyTo(label);
    Modified();
}

void CTarnView::OnDefineScaling()
{
    CScalingDialog dialog(m_doc.CurrentGraph(), m_messages, this);
    if ((m_runScaling ? m_runScaling(dialog) : dialog.exec()) != QDialog::Accepted)
        return;
    if (ApplyScaling(m_doc, dialog.Request(), m_messages))
        Modified();
}

// WYSIWYG matches the window to the default printer's page shape.
void CTarnView::OnWysiwyg()
{
    m_wysiwyg = !m_wysiwyg;
    RerunPrinterQuery();
}

void CTarnView::RerunPrinterQuery()
{
    const PrinterFacts facts = m_printerFacts ? m_printerFacts()
                               : m_printer    ? PrinterFacts::Of(*m_printer)
                                              : DefaultPrinterFacts();
    if (!PrinterAspect(facts, m_messages, m_printerAspect))
        m_wysiwyg = false;
    emit AspectLockRequested(m_wysiwyg, m_printerAspect);
}

QPrinter& CTarnView::Printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CTarnView::OnPrint(bool preview)
{
    QPrinter& printer = Printer();
    const QSize screenPage = size();
    const int screenDpi = logicalDpiY();
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [&](QPrinter* target) { PrintPage(m_doc, *target, screenPage, screenDpi); });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        PrintPage(m_doc, printer, screenPage, screenDpi);
}
