#pragma once

#include "tools/batch/batch_arguments.h"

#include <vector>

class CTarnDoc;
class Messages;

/// The options of the page commands that do what the style dialogs do on
/// the current graph, in this order:
///   --plot-options KEY=VALUE,...   "Plot Options" and its "OK":
///       sets=LIST (set numbers of the list's active sets, as sets=0,2; empty
///       for none; without it the dialog's own first choice), symbol=circle|
///       square|triangle|dot|histogramx|histogramy|vector|none, symbol-size=1..10,
///       symbol-color=C, line=solid|dotted|dashed|dashdot|dashdotdot|none,
///       line-size=1..5, line-color=C, animation=on|off. A list not named keeps
///       what the dialog shows on opening (the style of the set chosen last).
///   --error-bars KEY=VALUE,...     "Error Bar" and its "OK": sets=LIST,
///       hat=1..10, line=STYLE, line-size=1..10, x=left|right|both|none,
///       y=top|bottom|both|none
///   --graph-type linear-linear|linear-log|log-linear|log-log (x first), or
///       the dialog's item texts ("Log X, Linear Y")
///   --sixteen-bit   draw with 16-bit coordinates, as old
///       platforms did (it also brings the line-size warning of "Plot Options")
/// Colours C are the colour names (black, ..., none) or #RRGGBB.
extern const std::vector<OptionSpec> kStyleOptions;

/// `options` with the style options added.
std::vector<OptionSpec> WithStyleOptions(std::vector<OptionSpec> options);

/// Carries out the style options of `split` on `doc` with the dialogs' rules
/// and messages. Returns false when an option is malformed (the usage error
/// is printed and `exitCode` set to 2). A step that shows a refusal ("No
/// Plots have been selected!", a log-scale warning) or names a set the list
/// does not hold clears `ok`.
bool ApplyStyleOptions(CTarnDoc& doc, const BatchArguments& split, const char* command, Messages& messages,
                       bool& ok, int& exitCode);
