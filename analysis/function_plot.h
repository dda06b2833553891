#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CTarnDoc;
class FunctionHistory;
class Graph;
class Messages;
struct FunctionHistoryEntry;

/// The three equation editors.
enum class FunctionKind : int { Explicit = 0, Parametric = 1, Polar = 2 };

/// Most points an equation editor accepts (the largest unsigned 32-bit count).
constexpr std::uint64_t kMostFunctionPoints = 4294967295u;

/// The message for a number of points that is no whole number from 1 to
/// 4294967295.
extern const char* const kPointCountMessage;

/// The message for a plot that ran out of memory.
extern const char* const kFunctionNoMemory;

/// The entries of an equation editor, as typed.
struct FunctionRequest {
    FunctionKind kind = FunctionKind::Explicit;
    std::string formula;   ///< f(x), x(t) or r(t)
    std::string formula2;  ///< y(t) of a parametric curve
    std::string points = "100";
    std::string min;
    std::string max;
};

/// The editor's caption: "Equation Editor", "Parametric Equation Editor" or
/// "Polar Equation Editor".
const char* FunctionCaption(FunctionKind kind);

/// The entries an editor opens with: empty formulas, 100 points, and the
/// range of `graph` ("%g" of its x range) for y = f(x), 0 to 1 for a
/// parametric curve, 0 to 2 pi as a float ("6.28319") for a polar one.
FunctionRequest DefaultFunctionRequest(FunctionKind kind, const Graph& graph);

/// The document's history of `kind`.
FunctionHistory& HistoryOf(CTarnDoc& doc, FunctionKind kind);
/// The history entry of `request`, and the request of `entry` for `kind`.
FunctionHistoryEntry EntryOf(const FunctionRequest& request);
FunctionRequest RequestOf(FunctionKind kind, const FunctionHistoryEntry& entry);

/// Reads a number of points: digits only (blanks around them allowed),
/// 1 to 4294967295. False for anything else.
bool ReadPointCount(const std::string& text, std::uint64_t& count);

/// `text` without its carriage returns and line feeds.
std::string WithoutLineBreaks(const std::string& text);

/// Told the points counted so far and the number of points asked for, about
/// a hundred times during a large plot.
using FunctionProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

/// "OK" of an equation editor: checks the fields (each failure shows its
/// message and changes nothing), evaluates the formula at N evenly spaced
/// values of x or t from the maximum down to the minimum, both ends included
/// (one point stands at the maximum; points that cannot be evaluated, or whose
/// value is not a finite float, are left out), and appends the new
/// set to the end of `graph`'s list, which then rescales. Returns the new
/// set's index, or -1 after a message.
int PlotFunction(Graph& graph, const FunctionRequest& request, Messages& messages,
                 const FunctionProgress& progress = {});

/// The progress step of a plot of `count` points: 10 up to 100 points, else
/// the integer part of 10^(log10 count - 2).
std::uint64_t ProgressStep(std::uint64_t count);
