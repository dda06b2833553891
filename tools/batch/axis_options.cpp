#include "tools/batch/axis_options.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "model/style_codes.h"
#include "tools/batch/batch_arguments.h"
#include "tools/batch/batch_usage.h"

#include <algorithm>
#include <cstdlib>
#include <map>

// The index of `word` in `names`, or -1.
template <std::size_t N>
static int Find(const char* const (&names)[N], const std::string& word)
{
    for (std::size_t i = 0; i < N; ++i)
        if (word == names[i])
            return int(i);
    return -1;
}

bool ReadColor(const std::string& text, Color& color)
{
    const int code = Find(kColorKeywords, text);
    if (code >= 0) {
        color = ColorFromCode(code);
        return true;
    }
    if (text.size() != 7 || text[0] != '#')
        return false;
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(text.c_str() + 1, &end, 16);
    if (*end != '\0')
        return false;
    color = RGBColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
    return true;
}

static bool ReadInteger(const std::string& text, int low, int high, int& value)
{
    if (text.empty() || text.size() > 6)
        return false;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || number < low || number > high)
        return false;
    value = int(number);
    return true;
}

static bool ReadSwitch(const std::string& text, bool& value)
{
    if (text != "on" && text != "off")
        return false;
    value = text == "on";
    return true;
}

AxisOptionResult ApplyAxisOption(CTarnDoc& doc, AxisDirection direction, const std::string& text,
                                 Messages& messages)
{
    AxisOptionResult result;
    const char* option = direction == AxisDirection::X ? "--x-axis" : "--y-axis";
    std::map<std::string, std::string> pairs;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos || equals == 0) {
            result.usageError = std::string(option) + " needs KEY=VALUE pairs separated by commas, not \"" + item + "\"";
            return result;
        }
        pairs[item.substr(0, equals)] = item.substr(equals + 1);
        start = comma + 1;
    }
    auto bad = [&](const std::string& key) {
        result.usageError = std::string(option) + ": bad value \"" + pairs[key] + "\" for " + key;
        return result;
    };
    static const char* const kSides[3] = {"normal", "both", "opposite"};
    static const char* const kFormats[3] = {"general", "engineering", "scientific"};
    static const char* const kApplyTo[4] = {"axis", "axes", "graphs", "all"};
    static const char* const kKnown[] = {"title", "major", "minor", "ticks", "labels", "grid",
                                         "color", "tickside", "tickdir", "labelside", "format",
                                         "precision", "labelcolor", "labelheight", "gridtype",
                                         "gridsize", "gridcolor", "applyto"};
    for (const auto& [key, value] : pairs)
        if (Find(kKnown, key) < 0) {
            result.usageError = std::string(option) + ": unknown key \"" + key + "\"";
            return result;
        }
    const Graph& graph = doc.CurrentGraph();
    int applyTo = kApplyCurrentAxis;
    if (pairs.count("applyto") && (applyTo = Find(kApplyTo, pairs["applyto"])) < 0)
        return bad("applyto");

    TickMarkEntries marks = LoadTickMarks(graph, direction);
    const bool anyMarks = pairs.count("tickside") || pairs.count("tickdir");
    if (pairs.count("tickside") && (marks.side = Find(kSides, pairs["tickside"])) < 0)
        return bad("tickside");
    if (pairs.count("tickside"))
        marks.out = true; // a side choice resets the direction to Out, as in the dialog
    if (pairs.count("tickdir")) {
        if (pairs["tickdir"] != "in" && pairs["tickdir"] != "out")
            return bad("tickdir");
        marks.out = pairs["tickdir"] == "out";
    }

    TickLabelEntries labels = LoadTickLabels(graph, direction);
    bool anyLabels = false;
    if (pairs.count("labelside") && (anyLabels = true) && (labels.side = Find(kSides, pairs["labelside"])) < 0)
        return bad("labelside");
    if (pairs.count("format") && (anyLabels = true) && (labels.format = Find(kFormats, pairs["format"])) < 0)
        return bad("format");
    if (pairs.count("precision") && (anyLabels = true) && !ReadInteger(pairs["precision"], 0, 9, labels.precision))
        return bad("precision");
    if (pairs.count("labelcolor") && (anyLabels = true) && !ReadColor(pairs["labelcolor"], labels.color))
        return bad("labelcolor");
    int height = 0;
    if (pairs.count("labelheight") && (anyLabels = true)) {
        if (!ReadInteger(pairs["labelheight"], 1, 1000, height))
            return bad("labelheight");
        labels.font.height = -height;
    }

    GridEntries grid = LoadGrid(graph, direction);
    bool anyGrid = false;
    if (pairs.count("gridtype") && (anyGrid = true) && (grid.type = Find(kLineStyleKeywords, pairs["gridtype"])) < 0)
        return bad("gridtype");
    if (pairs.count("gridsize") && (anyGrid = true) && !ReadInteger(pairs["gridsize"], 1, 5, grid.size))
        return bad("gridsize");
    if (pairs.count("gridcolor") && (anyGrid = true) && !ReadColor(pairs["gridcolor"], grid.color))
        return bad("gridcolor");

    AxisPropertiesEntries properties = LoadAxisProperties(graph, direction);
    bool anyProperties = false;
    if (pairs.count("title") && (anyProperties = true))
        properties.title = pairs["title"];
    if (pairs.count("major") && (anyProperties = true))
        properties.majorSpacing = pairs["major"];
    if (pairs.count("minor") && (anyProperties = true))
        properties.minorSpacing = pairs["minor"];
    if (pairs.count("ticks") && (anyProperties = true) && !ReadSwitch(pairs["ticks"], properties.ticks))
        return bad("ticks");
    if (pairs.count("labels") && (anyProperties = true) && !ReadSwitch(pairs["labels"], properties.labels))
        return bad("labels");
    if (pairs.count("grid") && (anyProperties = true) && !ReadSwitch(pairs["grid"], properties.grid))
        return bad("grid");
    if (pairs.count("color") && (anyProperties = true) && !ReadColor(pairs["color"], properties.color))
        return bad("color");

    if (anyMarks)
        ApplyTickMarks(doc, direction, applyTo, marks);
    if (anyLabels)
        ApplyTickLabels(doc, direction, applyTo, labels);
    if (anyGrid && ApplyGrid(doc, direction, applyTo, grid) && !pairs.count("grid"))
        properties.grid = true; // as the dialog's box is checked after Grid Options
    if (anyProperties) {
        std::string message;
        if (!ApplyAxisProperties(doc, direction, applyTo, properties, &message)) {
            messages.Show(message);
            result.ok = false;
        }
    }
    return result;
}

bool ApplyAxisOptions(CTarnDoc& doc, const BatchArguments& split, const char* command,
                      Messages& messages, bool& ok, int& exitCode)
{
    for (AxisDirection direction : {AxisDirection::X, AxisDirection::Y}) {
        const char* option = direction == AxisDirection::X ? "--x-axis" : "--y-axis";
        if (!split.Has(option))
            continue;
        const AxisOptionResult result = ApplyAxisOption(doc, direction, split.Value(option), messages);
        if (!result.usageError.empty())
            return UsageError(command, result.usageError, exitCode);
        ok = result.ok && ok;
    }
    return true;
}
