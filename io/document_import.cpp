#include "io/document_import.h"

#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "model/messages.h"
#include "render/graph.h"

bool ImportFile(CTarnDoc& doc, const std::string& fileName, int format, Messages& messages)
{
    Graph& graph = doc.CurrentGraph();
    const int before = graph.m_plots.Count();
    const int status = ReadFile(graph, fileName, format, messages);
    if (status > 0) {
        const std::string message = ImportMessage(status, fileName, false);
        if (!message.empty())
            messages.Show(message);
        // A cut-off WAV file keeps the sets and frames read: they are scaled
        // into view like the sets of a whole file.
        if (graph.m_plots.Count() > before) {
            FallBackToLinear(graph, fileName, messages, before);
            graph.ApplyLogFlags();
            graph.AutoScale(false, messages);
            doc.SetModifiedFlag();
        }
        return false;
    }
    FallBackToLinear(graph, fileName, messages);
    graph.ApplyLogFlags();
    graph.AutoScale(false, messages);
    doc.SetModifiedFlag();
    return true;
}

bool ImportFiles(CTarnDoc& doc, const std::vector<std::string>& files, int format, Messages& messages)
{
    // The files are one undo step, recorded after the run has written the
    // sets' copies of the ranges (and once, not once a file).
    PageChanges changes(doc);
    Graph& graph = doc.CurrentGraph();
    graph.BeginAppendRun();
    bool imported = true;
    int checked = 0; // sets the log fall-back has looked at
    try {
        for (const std::string& fileName : files) {
            const int before = graph.m_plots.Count();
            const int status = ReadFile(graph, fileName, format, messages);
            if (status > 0) {
                const std::string message = ImportMessage(status, fileName, false);
                if (!message.empty())
                    messages.Show(message);
                imported = false;
                if (graph.m_plots.Count() == before)
                    continue;
            }
            // Log axes only ever switch off here, so the sets checked before still fit.
            FallBackToLinear(graph, fileName, messages, checked);
            checked = graph.m_plots.Count();
            graph.ApplyLogFlags();
            graph.AutoScale(false, messages);
            doc.SetModifiedFlag();
        }
    } catch (...) {
        graph.EndAppendRun();
        throw;
    }
    graph.EndAppendRun();
    return imported;
}

bool PasteText(CTarnDoc& doc, const std::string& text, int format, Messages& messages)
{
    Graph& graph = doc.CurrentGraph();
    const int status = ReadText(graph, text.c_str(), format, messages);
    if (status > 0) {
        const std::string message = ImportMessage(status, std::string(), true);
        if (!message.empty())
            messages.Show(message);
        return false;
    }
    FallBackToLinear(graph, "the clipboard data", messages);
    graph.ApplyLogFlags();
    graph.AutoScale(false, messages);
    doc.SetModifiedFlag();
    return true;
}
