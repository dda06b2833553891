#include "tools/batch/style_options.h"

#include "document/error_bar_edit.h"
#include "document/graph_type_edit.h"
#include "document/plot_style_edit.h"
#include "document/set_control.h"
#include "document/tarn_doc.h"
#include "model/drawing_settings.h"
#include "model/style_codes.h"
#include "render/graph.h"
#include "tools/batch/axis_options.h"
#include "tools/batch/batch_usage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

const std::vector<OptionSpec> kStyleOptions = {
    {"--plot-options", true}, {"--error-bars", true}, {"--graph-type", true}, {"--sixteen-bit", false}};

std::vector<OptionSpec> WithStyleOptions(std::vector<OptionSpec> options)
{
    options.insert(options.end(), kStyleOptions.begin(), kStyleOptions.end());
    return options;
}

namespace {

// One option's KEY=VALUE pairs; an error text when malformed.
struct Pairs {
    std::map<std::string, std::string> values;
    std::string error;
    bool Has(const char* key) const { return values.count(key) != 0; }
    const std::string& operator[](const char* key) const { return values.at(key); }
};

// Splits "KEY=VALUE,KEY=VALUE". Set lists hold commas of their own, so a
// bare number continues the "sets" value before it ("sets=0,2,hat=3").
Pairs ReadPairs(const char* option, const std::string& text, const std::vector<const char*>& known)
{
    Pairs pairs;
    std::string last;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        start = comma + 1;
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos && last == "sets" && !item.empty() &&
            item.find_first_not_of("0123456789") == std::string::npos) {
            pairs.values[last] += "," + item;
            continue;
        }
        if (equals == std::string::npos || equals == 0) {
            pairs.error = std::string(option) + " needs KEY=VALUE pairs separated by commas, not \"" + item + "\"";
            return pairs;
        }
        last = item.substr(0, equals);
        if (std::find_if(known.begin(), known.end(), [&](const char* key) { return last == key; }) == known.end()) {
            pairs.error = std::string(option) + ": unknown key \"" + last + "\"";
            return pairs;
        }
        pairs.values[last] = item.substr(equals + 1);
    }
    return pairs;
}

template <std::size_t N>
int Find(const char* const (&names)[N], const std::string& word)
{
    for (std::size_t i = 0; i < N; ++i)
        if (word == names[i])
            return int(i);
    return -1;
}

// A whole number from `low` to `high` as a list item (value - low), or -1.
int SizeItem(const std::string& text, int low, int high)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int value = std::atoi(text.c_str());
    return value >= low && value <= high ? value - low : -1;
}

// Chooses the set list's entries for `sets` as a user's clicks would; the
// filler has filled the list already. False, with a line on stderr, when a
// number is no entry of the list.
bool ChooseSets(CTarnDoc& doc, PlotListFiller& filler, const std::vector<int>& listed, const Pairs& pairs,
                const char* command, const char* option)
{
    if (!pairs.Has("sets"))
        return true;
    std::vector<int> sets;
    if (!pairs["sets"].empty())
        ParseSetList(pairs["sets"], sets);
    std::vector<int> rows;
    for (int index : sets) {
        const auto row = std::find(listed.begin(), listed.end(), index);
        if (row == listed.end()) {
            std::fprintf(stderr, "corvid-batch %s: %s: set %d is not in the list of active sets\n", command, option,
                         index);
            return false;
        }
        rows.push_back(int(row - listed.begin()));
    }
    filler.UpdateSelection(doc, rows);
    return true;
}

// The active sets of the current graph, as the filler lists them.
std::vector<int> ListedSets(const Graph& graph)
{
    std::vector<int> listed;
    for (int i = 0; i < graph.m_plots.Count() && int(listed.size()) < kMaxListedSets; ++i)
        if (graph.m_plots.Get(i).m_visible)
            listed.push_back(i);
    return listed;
}

bool SetsAreValid(const Pairs& pairs)
{
    std::vector<int> sets;
    return !pairs.Has("sets") || pairs["sets"].empty() || ParseSetList(pairs["sets"], sets);
}

// Picks a colour as the colour list does: a fixed colour's own item, any
// other through "Custom".
void ChooseColor(PlotStyleEdit& edit, bool line, Color color)
{
    const int code = CodeFromColor(color);
    if (code < 0) {
        edit.ChooseCustom(line, color);
        return;
    }
    (line ? edit.m_items.lineColor : edit.m_items.pointColor) = code;
}

struct Outcome {
    bool ok = true;
    std::string usageError;
};

Outcome RunPlotOptions(CTarnDoc& doc, const std::string& text, const char* command, Messages& messages)
{
    const char* option = "--plot-options";
    const Pairs pairs = ReadPairs(option, text,
                                  {"sets", "symbol", "symbol-size", "symbol-color", "line", "line-size",
                                   "line-color", "animation"});
    if (!pairs.error.empty())
        return {true, pairs.error};
    auto bad = [&](const char* key) { return Outcome{true, std::string(option) + ": bad value \"" + pairs[key] + "\" for " + key}; };
    if (!SetsAreValid(pairs))
        return bad("sets");
    int symbol = 0, symbolSize = 0, line = 0, lineSize = 0;
    Color symbolColor = 0, lineColor = 0;
    if (pairs.Has("symbol") && (symbol = Find(kPointStyleKeywords, pairs["symbol"])) < 0)
        return bad("symbol");
    if (pairs.Has("symbol-size") && (symbolSize = SizeItem(pairs["symbol-size"], 1, 10)) < 0)
        return bad("symbol-size");
    if (pairs.Has("symbol-color") && !ReadColor(pairs["symbol-color"], symbolColor))
        return bad("symbol-color");
    if (pairs.Has("line") && (line = Find(kLineStyleKeywords, pairs["line"])) < 0)
        return bad("line");
    if (pairs.Has("line-size") && (lineSize = SizeItem(pairs["line-size"], 1, 5)) < 0)
        return bad("line-size");
    if (pairs.Has("line-color") && !ReadColor(pairs["line-color"], lineColor))
        return bad("line-color");
    Graph& graph = doc.CurrentGraph();
    bool animation = graph.m_singlePlotOnly != 0;
    if (pairs.Has("animation")) {
        if (pairs["animation"] != "on" && pairs["animation"] != "off")
            return bad("animation");
        animation = pairs["animation"] == "on";
    }

    // Opening the dialog, choosing in its lists, then "OK".
    PlotListFiller filler;
    filler.Fill(doc, messages);
    if (!ChooseSets(doc, filler, ListedSets(graph), pairs, command, option))
        return {false, {}};
    PlotStyleEdit edit;
    edit.Load(graph, filler.LastSelected());
    if (pairs.Has("symbol"))
        edit.m_items.pointStyle = symbol;
    if (pairs.Has("symbol-size"))
        edit.m_items.pointSize = symbolSize;
    if (pairs.Has("symbol-color"))
        ChooseColor(edit, false, symbolColor);
    if (pairs.Has("line"))
        edit.m_items.lineStyle = line;
    if (pairs.Has("line-size"))
        edit.m_items.lineSize = lineSize;
    if (pairs.Has("line-color"))
        ChooseColor(edit, true, lineColor);
    edit.Apply(graph, animation, messages);
    ResetSinglePlotIndex(graph);
    return {};
}

Outcome RunErrorBars(CTarnDoc& doc, const std::string& text, const char* command, Messages& messages)
{
    const char* option = "--error-bars";
    const Pairs pairs = ReadPairs(option, text, {"sets", "hat", "line", "line-size", "x", "y"});
    if (!pairs.error.empty())
        return {true, pairs.error};
    auto bad = [&](const char* key) { return Outcome{true, std::string(option) + ": bad value \"" + pairs[key] + "\" for " + key}; };
    static const char* const kXDisplays[4] = {"left", "right", "both", "none"};
    static const char* const kYDisplays[4] = {"top", "bottom", "both", "none"};
    if (!SetsAreValid(pairs))
        return bad("sets");
    int hat = 0, line = 0, lineSize = 0, x = 0, y = 0;
    if (pairs.Has("hat") && (hat = SizeItem(pairs["hat"], 1, 10)) < 0)
        return bad("hat");
    if (pairs.Has("line") && (line = Find(kLineStyleKeywords, pairs["line"])) < 0)
        return bad("line");
    if (pairs.Has("line-size") && (lineSize = SizeItem(pairs["line-size"], 1, 10)) < 0)
        return bad("line-size");
    if (pairs.Has("x") && (x = Find(kXDisplays, pairs["x"])) < 0)
        return bad("x");
    if (pairs.Has("y") && (y = Find(kYDisplays, pairs["y"])) < 0)
        return bad("y");

    PlotListFiller filler;
    filler.Fill(doc, messages);
    if (!ChooseSets(doc, filler, ListedSets(doc.CurrentGraph()), pairs, command, option))
        return {false, {}};
    ErrorBarEdit edit;
    edit.Load(doc.CurrentGraph(), filler.LastSelected());
    if (pairs.Has("hat"))
        edit.m_items.hatSize = hat;
    if (pairs.Has("line"))
        edit.m_items.lineStyle = line;
    if (pairs.Has("line-size"))
        edit.m_items.lineSize = lineSize;
    if (pairs.Has("x"))
        edit.m_items.xDisplay = x;
    if (pairs.Has("y"))
        edit.m_items.yDisplay = y;
    return {edit.Apply(doc, messages), {}};
}

Outcome RunGraphType(CTarnDoc& doc, const std::string& text, Messages& messages)
{
    static const char* const kKeywords[4] = {"linear-linear", "linear-log", "log-linear", "log-log"};
    int item = Find(kKeywords, text);
    if (item < 0)
        item = Find(kGraphTypeNames, text);
    if (item < 0)
        return {true, "--graph-type needs linear-linear, linear-log, log-linear or log-log, not \"" + text + "\""};
    ApplyGraphType(doc, item, messages);
    // A refusal (shown by the graph) leaves an axis other than asked for.
    const Graph& graph = doc.CurrentGraph();
    return {(graph.m_xLog != 0) == GraphTypeLogX(item) && (graph.m_yLog != 0) == GraphTypeLogY(item), {}};
}

} // namespace

bool ApplyStyleOptions(CTarnDoc& doc, const BatchArguments& split, const char* command, Messages& messages,
                       bool& ok, int& exitCode)
{
    if (split.Has("--sixteen-bit"))
        use16BitCoordinates = true;
    const struct {
        const char* option;
        Outcome (*run)(CTarnDoc&, const std::string&, const char*, Messages&);
    } steps[] = {
        {"--plot-options", RunPlotOptions},
        {"--error-bars", RunErrorBars},
        {"--graph-type", [](CTarnDoc& d, const std::string& t, const char*, Messages& m) { return RunGraphType(d, t, m); }},
    };
    for (const auto& step : steps) {
        if (!split.Has(step.option))
            continue;
        const Outcome outcome = step.run(doc, split.Value(step.option), command, messages);
        if (!outcome.usageError.empty())
            return UsageError(command, outcome.usageError, exitCode);
        ok = outcome.ok && ok;
    }
    return true;
}
