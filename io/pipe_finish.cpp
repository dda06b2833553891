#include "io/pipe_finish.h"

#include "document/tarn_doc.h"
#include "io/fd_pipe_source.h"
#include "io/pipe_buffer.h"
#include "io/pipe_endings.h"
#include "io/pipe_reader.h"
#include "model/messages.h"
#include "render/graph.h"

#include <cmath>
#include <new>

static TextObject& TextOf(Graph& graph, PipeText which)
{
    switch (which) {
    case PipeText::XLabel: return graph.m_xLabel;
    case PipeText::YLabel: return graph.m_yLabel;
    case PipeText::Title: break;
    }
    return graph.m_title;
}

void ApplyPipeText(CTarnDoc& doc, PipeText which, const std::string& text)
{
    TextObject& object = TextOf(doc.m_graphs[0], which);
    object.SetText(text, object.m_font, object.Orientation(), object.m_color);
}

void ApplyPipeFontSize(CTarnDoc& doc, PipeText which, int size)
{
    TextObject& object = TextOf(doc.m_graphs[0], which);
    LogFont font = object.m_font;
    font.height = -size;
    object.SetText(object.m_text, font, object.Orientation(), object.m_color);
}

// Appends the finished sets to `graph` one at a time, freeing each source as
// soon as its copy stands in the graph, so the merge never holds two copies
// of everything. Running out of memory keeps the sets merged so far.
static void MergeSets(Graph& graph, PipeResult& result, Messages& messages)
{
    try {
        while (result.finished.Count() > 0) {
            graph.m_plots.Append(result.finished.Get(0));
            result.finished.Remove(0);
        }
    } catch (const std::bad_alloc&) {
        result.finished.Clear();
        messages.Show("Not enough memory to read from the data pipe!");
    }
}

// Switches off each log axis that a set of the graph cannot show, with one
// message for both.
static void FallBackToLinear(Graph& graph, Messages& messages)
{
    if ((!graph.m_xLog && !graph.m_yLog) || graph.m_plots.Count() == 0)
        return;
    bool xBad = false, yBad = false;
    for (int i = 0; i < graph.m_plots.Count(); ++i) {
        const Plot& plot = graph.m_plots.Get(i);
        xBad = xBad || (graph.m_xLog && !plot.m_xPositive);
        yBad = yBad || (graph.m_yLog && !plot.m_yPositive);
    }
    if (!xBad && !yBad)
        return;
    messages.Show("Can't compute log(n<=0) for piped data; Switching to a linear scale.");
    if (xBad)
        graph.m_xLog = 0;
    if (yBad)
        graph.m_yLog = 0;
}

static void SetTicks(Axis& axis, const PipePair& ticks)
{
    axis.m_majorSpacing = std::fabs(ticks.first);
    axis.m_minorSpacing = std::fabs(ticks.second);
}

bool FinishPipe(CTarnDoc& doc, PipeResult& result, Messages& messages, PipeEndings& endings,
                const PipeFinishHooks& hooks)
{
    bool ok = !result.failed;
    if (result.failed)
        messages.Show(result.error.empty() ? "Excepts error thrown" : result.error);
    Graph& graph = doc.m_graphs[0];
    MergeSets(graph, result, messages);
    FallBackToLinear(graph, messages);
    // The sets keep copies of the log flags for drawing; new sets have none yet.
    graph.ApplyLogFlags();
    graph.SyncPlotGeometry();
    graph.AutoScale(false, messages);
    if (result.xRange.given)
        graph.SetXRange(result.xRange.first, result.xRange.second, false, messages);
    if (result.yRange.given)
        graph.SetYRange(result.yRange.first, result.yRange.second, false, messages);
    if (result.xTicks.given) {
        SetTicks(graph.m_bottomAxis, result.xTicks);
        SetTicks(graph.m_topAxis, result.xTicks);
    }
    if (result.yTicks.given) {
        SetTicks(graph.m_leftAxis, result.yTicks);
        SetTicks(graph.m_rightAxis, result.yTicks);
    }
    doc.SetModifiedFlag();
    if (hooks.readingFinished)
        hooks.readingFinished();
    doc.m_pipeNumber = 0;
    switch (result.saveOption) {
    case kPipeSaveDocument:
        if (!endings.SaveDocument(doc, result.saveFileName, messages)) {
            messages.Show(kPipeSaveFailed);
            ok = false;
        }
        break;
    case kPipeExportBmp:
    case kPipeExportPng:
        doc.m_exportFile = result.saveFileName;
        doc.m_exportKind = result.saveOption == kPipeExportBmp ? kPipeExportBmpKind : kPipeExportPngKind;
        doc.m_exportWidth = result.exportWidth;
        doc.m_exportHeight = result.exportHeight;
        break;
    default: break;
    }
    if (result.closeAfter) {
        doc.SetModifiedFlag(false);
        if (hooks.closeRequest)
            hooks.closeRequest();
    }
    return ok;
}

bool CarryOutPendingExport(CTarnDoc& doc, PipeEndings& endings, Messages& messages)
{
    const int kind = doc.m_exportKind;
    if (kind != kPipeExportBmpKind && kind != kPipeExportPngKind)
        return true;
    doc.m_exportKind = kPipeExportNone;
    if (endings.ExportImage(doc, doc.m_exportFile, kind, doc.m_exportWidth, doc.m_exportHeight, messages))
        return true;
    messages.Show(kPipeSaveFailed);
    return false;
}

namespace {

// Titles and font sizes go straight into the document: reader and page
// share the calling thread.
class DirectPipeEvents : public PipeEvents {
public:
    DirectPipeEvents(CTarnDoc& doc, Messages& messages) : m_doc(doc), m_messages(messages) {}
    void Status(int code, int value) override
    {
        switch (code) {
        case kPipeReadingPlot: m_messages.Status("Reading plot " + std::to_string(value)); break;
        case kPipeClosing: m_messages.Status("Closing pipe"); break;
        case kPipeWaiting: m_messages.Status("Waiting for data ..."); break;
        default: break;
        }
    }
    void Text(PipeText which, const std::string& text) override { ApplyPipeText(m_doc, which, text); }
    void FontSize(PipeText which, int size) override { ApplyPipeFontSize(m_doc, which, size); }

private:
    CTarnDoc& m_doc;
    Messages& m_messages;
};

} // namespace

bool ReadPipeInThisThread(CTarnDoc& doc, Messages& messages, PipeEndings& endings, PipeRunFailure* failure)
{
    if (doc.m_pipeNumber == 0)
        return true;
    FdPipeSource source(doc.m_pipeNumber);
    PipeBuffer input(source);
    DirectPipeEvents events(doc, messages);
    PipeResult result = ReadPipe(input, events);
    PipeFinishHooks hooks;
    hooks.readingFinished = [&doc, &messages] {
        doc.m_pipeHalt = 1;
        messages.Status("Ready");
    };
    const bool readerFailed = result.failed;
    const bool unread = result.unread;
    const bool finished = FinishPipe(doc, result, messages, endings, hooks);
    const bool exported = CarryOutPendingExport(doc, endings, messages);
    if (failure) {
        failure->unread = unread;
        // A failed reader asked for no file: an ending counts only when read whole.
        failure->endingFailed = (!finished && !readerFailed) || !exported;
    }
    return finished && exported;
}
