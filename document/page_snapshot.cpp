#include "document/page_snapshot.h"

#include "document/page_json.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"

namespace {

// Puts a graph's sets back after its other fields were copied.
class SetsAside {
public:
    explicit SetsAside(Graph& graph) : m_graph(graph), m_sets(std::move(graph.m_plots)) {}
    ~SetsAside() { m_graph.m_plots = std::move(m_sets); }
    SetsAside(const SetsAside&) = delete;
    SetsAside& operator=(const SetsAside&) = delete;
    const List<Plot>& Sets() const { return m_sets; }

private:
    Graph& m_graph;
    List<Plot> m_sets;
};

} // namespace

// A copy of a set goes into a list by hand-over, so the list keeps the order
// (and the shared storage) of the same-order copy instead of reversing it.
static void AppendSameOrder(List<Plot>& list, const Plot& set)
{
    Plot copy(set, Plot::SameOrder{});
    copy.m_handOver = 1;
    list.Append(copy);
}

static void CopySets(List<Plot>& to, const List<Plot>& from)
{
    for (int i = 0; i < from.Count(); ++i)
        AppendSameOrder(to, from.Get(i));
}

static void Unselect(GraphObject& object)
{
    object.m_selected = 0;
}

PageSnapshot TakeSnapshot(CTarnDoc& doc)
{
    PageSnapshot snapshot;
    snapshot.graphs.reserve(doc.m_graphs.size());
    for (Graph& graph : doc.m_graphs) {
        PageSnapshot::GraphState& state = snapshot.graphs.emplace_back();
        {
            SetsAside aside(graph);
            state.shell = graph;
            CopySets(state.sets, aside.Sets());
        }
        Graph& shell = state.shell;
        for (GraphObject* part : {static_cast<GraphObject*>(&shell.m_title), static_cast<GraphObject*>(&shell.m_xLabel),
                                  static_cast<GraphObject*>(&shell.m_yLabel), static_cast<GraphObject*>(&shell.m_legend),
                                  static_cast<GraphObject*>(&shell.m_leftAxis), static_cast<GraphObject*>(&shell.m_rightAxis),
                                  static_cast<GraphObject*>(&shell.m_topAxis), static_cast<GraphObject*>(&shell.m_bottomAxis)})
            Unselect(*part);
    }
    snapshot.rows = doc.m_rows;
    snapshot.columns = doc.m_columns;
    snapshot.graphWidth = doc.m_graphWidth;
    snapshot.graphHeight = doc.m_graphHeight;
    snapshot.verticalGap = doc.m_verticalGap;
    snapshot.horizontalGap = doc.m_horizontalGap;
    snapshot.startX = doc.m_startX;
    snapshot.startY = doc.m_startY;
    snapshot.currentGraph = doc.m_currentGraph;
    snapshot.pageColor = doc.m_pageColor;
    snapshot.labels = doc.m_labels;
    for (int i = 0; i < snapshot.labels.Count(); ++i)
        Unselect(snapshot.labels.Get(i));
    snapshot.lineScaling = doc.m_displaySettings.lineScaling;
    snapshot.fontScaling = doc.m_displaySettings.fontScaling;
    return snapshot;
}

void RestoreSnapshot(CTarnDoc& doc, const PageSnapshot& snapshot)
{
    // The new page is built first, so a failed allocation leaves the old one.
    std::vector<Graph> graphs;
    graphs.reserve(snapshot.graphs.size());
    for (const PageSnapshot::GraphState& state : snapshot.graphs) {
        graphs.push_back(state.shell);
        CopySets(graphs.back().m_plots, state.sets);
    }
    List<TextObject> labels = snapshot.labels;
    doc.m_graphs.swap(graphs);
    doc.m_labels = std::move(labels);
    doc.m_rows = snapshot.rows;
    doc.m_columns = snapshot.columns;
    doc.m_graphCount = snapshot.rows * snapshot.columns;
    doc.m_graphWidth = snapshot.graphWidth;
    doc.m_graphHeight = snapshot.graphHeight;
    doc.m_verticalGap = snapshot.verticalGap;
    doc.m_horizontalGap = snapshot.horizontalGap;
    doc.m_startX = snapshot.startX;
    doc.m_startY = snapshot.startY;
    doc.m_currentGraph = snapshot.currentGraph;
    doc.m_pageColor = snapshot.pageColor;
    doc.m_displaySettings.lineScaling = snapshot.lineScaling;
    doc.m_displaySettings.fontScaling = snapshot.fontScaling;
    lineScaling = snapshot.lineScaling;
    fontScaling = snapshot.fontScaling;
}

std::string PageFields(CTarnDoc& doc)
{
    std::vector<int*> aside;
    for (Graph& graph : doc.m_graphs) {
        for (GraphObject* part : {static_cast<GraphObject*>(&graph), static_cast<GraphObject*>(&graph.m_title),
                                  static_cast<GraphObject*>(&graph.m_xLabel), static_cast<GraphObject*>(&graph.m_yLabel),
                                  static_cast<GraphObject*>(&graph.m_legend), static_cast<GraphObject*>(&graph.m_leftAxis),
                                  static_cast<GraphObject*>(&graph.m_rightAxis), static_cast<GraphObject*>(&graph.m_topAxis),
                                  static_cast<GraphObject*>(&graph.m_bottomAxis)})
            aside.push_back(&part->m_selected);
        aside.push_back(&graph.m_dragMode); // chosen by the last Shift-click
        for (int i = 0; i < graph.m_plots.Count(); ++i)
            aside.push_back(&graph.m_plots.Get(i).m_selected);
    }
    for (int i = 0; i < doc.m_labels.Count(); ++i)
        aside.push_back(&doc.m_labels.Get(i).m_selected);
    // The pipe's state and a pending export belong to the running program.
    for (int* state : {&doc.m_pipeNumber, &doc.m_pipeHalt, &doc.m_exportKind, &doc.m_exportWidth, &doc.m_exportHeight})
        aside.push_back(state);
    std::string exportFile;
    exportFile.swap(doc.m_exportFile);
    struct PutBackFile {
        CTarnDoc& doc;
        std::string& file;
        ~PutBackFile() { doc.m_exportFile.swap(file); }
    } putBackFile{doc, exportFile};
    std::vector<int> kept;
    kept.reserve(aside.size());
    for (int* field : aside) {
        kept.push_back(*field);
        *field = 0;
    }
    struct PutBack {
        std::vector<int*>& aside;
        std::vector<int>& kept;
        ~PutBack()
        {
            for (std::size_t i = 0; i < aside.size(); ++i)
                *aside[i] = kept[i];
        }
    } putBack{aside, kept};
    return PageToJson(doc, false);
}

static void AddChain(std::vector<std::uintptr_t>& identity, int count, const auto& chain)
{
    identity.push_back(std::uintptr_t(count));
    chain.ForEachBlock([&identity](const void* block, std::size_t) {
        identity.push_back(reinterpret_cast<std::uintptr_t>(block));
    });
}

std::vector<std::uintptr_t> DataIdentity(const CTarnDoc& doc)
{
    std::vector<std::uintptr_t> identity;
    for (const Graph& graph : doc.m_graphs) {
        identity.push_back(reinterpret_cast<std::uintptr_t>(graph.m_curve.get()));
        identity.push_back(std::uintptr_t(graph.m_plots.Count()));
        for (int i = 0; i < graph.m_plots.Count(); ++i) {
            const Plot& set = graph.m_plots.Get(i);
            AddChain(identity, set.m_points.Count(), set.m_points);
            AddChain(identity, set.m_dx.Count(), set.m_dx);
            AddChain(identity, set.m_dy.Count(), set.m_dy);
        }
    }
    return identity;
}

static void VisitSets(const List<Plot>& sets, const std::function<void(const void*, std::size_t)>& visit)
{
    for (int i = 0; i < sets.Count(); ++i) {
        const Plot& set = sets.Get(i);
        set.m_points.ForEachBlock(visit);
        set.m_dx.ForEachBlock(visit);
        set.m_dy.ForEachBlock(visit);
    }
}

void ForEachDataBlock(const PageSnapshot& snapshot, const std::function<void(const void*, std::size_t)>& visit)
{
    for (const PageSnapshot::GraphState& state : snapshot.graphs)
        VisitSets(state.sets, visit);
}

void ForEachDataBlock(const CTarnDoc& doc, const std::function<void(const void*, std::size_t)>& visit)
{
    for (const Graph& graph : doc.m_graphs)
        VisitSets(graph.m_plots, visit);
}

static std::size_t TextBytes(const TextObject& text)
{
    return sizeof(TextObject) + text.m_text.capacity();
}

std::size_t StructureBytes(const PageSnapshot& snapshot)
{
    std::size_t bytes = sizeof(PageSnapshot);
    for (const PageSnapshot::GraphState& state : snapshot.graphs) {
        const Graph& shell = state.shell;
        bytes += sizeof(PageSnapshot::GraphState) + shell.m_title.m_text.capacity() +
                 shell.m_xLabel.m_text.capacity() + shell.m_yLabel.m_text.capacity() +
                 std::size_t(shell.m_refLines.Count()) * sizeof(RefLine);
        for (int i = 0; i < state.sets.Count(); ++i) {
            const Plot& set = state.sets.Get(i);
            bytes += sizeof(Plot) + set.m_info.capacity() + set.m_label.m_text.capacity();
        }
    }
    for (int i = 0; i < snapshot.labels.Count(); ++i)
        bytes += TextBytes(snapshot.labels.Get(i));
    return bytes;
}
