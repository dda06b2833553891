// The view's style commands: "Plot Options", "Error Bars" and "Graph Type".
#include "app/tarn_view.h"

#include "document/graph_type_edit.h"
#include "document/plot_style_edit.h"
#include "document/tarn_doc.h"
#include "render/graph.h"
#include "ui/error_bar_dialog.h"
#include "ui/graph_type_dialog.h"
#include "ui/plot_options_dialog.h"

bool CTarnView::IsStyleCommand(CommandId command)
{
    return command == CommandId::SetsPlotOptions || command == CommandId::SetsErrorBars ||
           command == CommandId::GraphType;
}

bool CTarnView::OnStyleCommand(CommandId command)
{
    switch (command) {
    case CommandId::SetsPlotOptions:
        // Switching the animation mode on brings up its slider at once.
        if (RunPlotOptions())
            OpenAnimateWindow();
        return true;
    case CommandId::SetsErrorBars: OnErrorBars(); return true;
    case CommandId::GraphType: OnGraphType(); return true;
    default: return false;
    }
}

int CTarnView::RunStyleDialog(QDialog& dialog)
{
    return m_runStyleDialog ? m_runStyleDialog(dialog) : dialog.exec();
}

bool CTarnView::RunPlotOptions()
{
    Graph& graph = m_doc.CurrentGraph();
    const bool wasAnimated = graph.m_singlePlotOnly != 0;
    CPlotOptionsDialog dialog(m_doc, m_messages, this);
    // The style dialog redraws without marking the document modified.
    connect(&dialog, &CPlotOptionsDialog::Changed, this, &CTarnView::Redraw);
    RunStyleDialog(dialog);
    if (ResetSinglePlotIndex(graph))
        Redraw();
    // The new styles leave the modified mark alone, but can be undone.
    m_doc.RecordUnmarkedChange();
    return !wasAnimated && graph.m_singlePlotOnly != 0;
}

void CTarnView::OnErrorBars()
{
    CErrorBarDialog dialog(m_doc, m_messages, this);
    if (RunStyleDialog(dialog) == QDialog::Accepted)
        Modified();
}

void CTarnView::OnGraphType()
{
    CGraphTypeDialog dialog(GraphTypeItem(m_doc.CurrentGraph()), this);
    if (RunStyleDialog(dialog) != QDialog::Accepted)
        return;
    if (ApplyGraphType(m_doc, dialog.Item(), m_messages))
        Modified();
}
