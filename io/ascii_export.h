#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class Graph;
class Messages;

/// The export text of the chosen sets (indices into the graph's list), in
/// choice order: per set a "# NAME (set N)" line, one row per point (x, y and
/// the error values the set has, separated by tabs), then a line of one tab.
/// Values are written as "%g" writes them where that reads back exactly, else
/// with the digits they need to (`AppendFloat` with at least 6 digits).
std::string ExportText(const Graph& graph, const std::vector<int>& sets);

/// Writes `ExportText` to `path`. A file that cannot be written shows
/// "Can't open " + path + "for writing" and leaves any existing file as it was.
bool ExportData(const Graph& graph, const std::vector<int>& sets, const std::string& path,
                Messages& messages);

/// Bytes reserved for the clipboard copy of the chosen sets: per set
/// 6 + 28 x points + 15 x error chains.
std::size_t CopyDataEstimate(const Graph& graph, const std::vector<int>& sets);

/// The clipboard text of the chosen sets: rows of values separated by tabs and
/// ending in CR LF, then a line of one tab, per set; no header line. Values
/// are written as "%.7g" writes them where that reads back exactly, else with
/// the digits they need to (`AppendFloat` with at least 7 digits).
std::string CopyDataText(const Graph& graph, const std::vector<int>& sets);

/// Copy Data: builds `CopyDataText` and hands it to `putOnClipboard`. Shows
/// "Unable to get memory for data copy" when the first reservation cannot be
/// had, "Text buffer exhausted! Copy error!" when the text cannot grow
/// beyond it, and "Can't open the clipboard (it's already open in another
/// application)." when `putOnClipboard` fails; the clipboard is then left
/// alone. Returns whether the text reached the clipboard.
bool CopyData(const Graph& graph, const std::vector<int>& sets, Messages& messages,
              const std::function<bool(const std::string&)>& putOnClipboard);
