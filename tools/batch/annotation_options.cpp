#include "tools/batch/annotation_options.h"

#include "document/legend_edit.h"
#include "document/tarn_doc.h"
#include "document/text_edit.h"
#include "model/messages.h"
#include "model/style_codes.h"
#include "render/reference_lines.h"
#include "tools/batch/axis_options.h"
#include "tools/batch/batch_usage.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

const std::vector<OptionSpec> kAnnotationOptions = {
    {"--title", true},        {"--xtitle", true},     {"--ytitle", true},
    {"--title-angle", true},  {"--xtitle-angle", true}, {"--ytitle-angle", true},
    {"--legend", true},       {"--legend-box", true}, {"--lines", true},
    {"--label", true},
};

static std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end == std::string::npos ? end : end - begin));
        if (end == std::string::npos)
            return parts;
        begin = end + 1;
    }
}

static bool ReadFloat(const std::string& text, float& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float read = std::strtof(begin, &end);
    if (end == begin || *end != '\0' || errno == ERANGE || !std::isfinite(read))
        return false;
    value = read;
    return true;
}

static bool ReadLines(const std::string& text, std::vector<RefLine>& lines)
{
    static const char* const styles[] = {"solid", "dotted", "dashed", "dashdot", "dashdotdot"};
    for (const std::string& item : Split(text, ',')) {
        if (item.size() < 3 || (item[0] != 'x' && item[0] != 'y') || item[1] != '=')
            return false;
        RefLine line;
        line.m_orientation = item[0] == 'x' ? 0 : 1;
        const std::size_t colon = item.find(':');
        if (!ReadFloat(item.substr(2, colon == std::string::npos ? colon : colon - 2), line.m_value))
            return false;
        if (colon != std::string::npos) {
            const std::string style = item.substr(colon + 1);
            line.m_lineStyle = -1;
            for (int i = 0; i < 5; ++i)
                if (style == styles[i])
                    line.m_lineStyle = i;
            if (line.m_lineStyle < 0)
                return false;
        }
        lines.push_back(line);
    }
    return true;
}

bool ApplyAnnotationOptions(CTarnDoc& doc, const BatchArguments& split, const char* command,
                            Messages& messages, bool& ok, int& exitCode)
{
    Graph& graph = doc.CurrentGraph();
    // Check every option before changing anything, so a usage error leaves
    // nothing half done.
    std::vector<RefLine> lines;
    if (split.Has("--lines") && !ReadLines(split.Value("--lines"), lines))
        return UsageError(command, "--lines needs x=V or y=V items, each with an optional :STYLE",
                          exitCode);
    Color fill = kNoColor;
    Color edge = 0;
    if (split.Has("--legend-box")) {
        const std::vector<std::string> colors = Split(split.Value("--legend-box"), ',');
        if (colors.size() > 2 || !ReadColor(colors[0], fill) ||
            (colors.size() == 2 && !ReadColor(colors[1], edge)))
            return UsageError(command, "--legend-box needs FILL[,EDGE] colours", exitCode);
    }
    TextObject label;
    if (split.Has("--label")) {
        const std::string value = split.Value("--label");
        const std::size_t first = value.find(',');
        const std::size_t second = first == std::string::npos ? first : value.find(',', first + 1);
        if (second == std::string::npos || !ReadFloat(value.substr(0, first), label.m_x) ||
            !ReadFloat(value.substr(first + 1, second - first - 1), label.m_y))
            return UsageError(command, "--label needs X,Y,TEXT", exitCode);
        label.m_text = value.substr(second + 1);
    }

    struct TitleOption {
        const char* text;
        const char* angle;
        TitleKind kind;
    };
    for (const TitleOption& option : {TitleOption{"--title", "--title-angle", TitleKind::Title},
                                      TitleOption{"--xtitle", "--xtitle-angle", TitleKind::XAxis},
                                      TitleOption{"--ytitle", "--ytitle-angle", TitleKind::YAxis}}) {
        TextObject& title = TitleOf(graph, option.kind);
        std::string text = split.Has(option.text) ? split.Value(option.text) : title.m_text;
        int degrees = title.Orientation() / 10;
        if (split.Has(option.angle) && !ReadOrientation(split.Value(option.angle), degrees, messages)) {
            ok = false;
            continue;
        }
        if (split.Has(option.text) || split.Has(option.angle))
            title.SetText(std::move(text), title.m_font, degrees * 10, title.m_color);
    }

    if (split.Has("--legend") || split.Has("--legend-box")) {
        LegendEdit edit(graph);
        const std::string value = split.Value("--legend");
        const std::vector<std::string> texts = Split(value, '|');
        std::string shown = edit.SelectedText();
        for (int row = 0; row < int(edit.ListedSets().size()); ++row) {
            shown = edit.Select(row, shown);
            if (!split.Has("--legend"))
                continue;
            if (value == "info")
                shown = graph.m_plots.Get(edit.ListedSets()[row]).m_info;
            else
                shown = row < int(texts.size()) ? texts[row] : std::string();
        }
        if (split.Has("--legend-box")) {
            edit.m_showBox = 1;
            edit.m_boxFillColor = fill;
            edit.m_boxEdgeColor = edge;
        }
        edit.Apply(shown);
    }

    for (const RefLine& line : lines)
        ok = AddReferenceLine(graph, line, messages) && ok;
    if (split.Has("--label"))
        doc.m_labels.Append(label);
    return true;
}
