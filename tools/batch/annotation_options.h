#pragma once

#include "tools/batch/batch_arguments.h"

#include <vector>

class CTarnDoc;
class Messages;

/// The options of the page commands that set what the title, legend and
/// reference line dialogs set on the current graph, and add a free label:
///   --title TEXT, --xtitle TEXT, --ytitle TEXT   Graph > Labels (markup text)
///   --title-angle DEG, --xtitle-angle DEG, --ytitle-angle DEG
///                         their orientation, 0 to 360 ("Please enter a valid
///                         orientation!" otherwise)
///   --legend info|TEXT|TEXT...   the "Legend" dialog's OK with each active set's
///                         entry text in turn ("info": each set's name)
///   --legend-box FILL[,EDGE]     "Show Bounding box" with its colours
///   --lines y=V[:STYLE],x=V[:STYLE],...   "Add ..." in "Lines" for each line
///                         (STYLE solid, dotted, dashed, dashdot, dashdotdot)
///   --label X,Y,TEXT      a free label centred at page fractions X, Y
extern const std::vector<OptionSpec> kAnnotationOptions;

/// Carries out the annotation options of `split` on `doc`. Returns false
/// when an option is malformed (the usage error is printed and `exitCode`
/// set to 2); a step the dialogs would refuse shows its message and clears
/// `ok`.
bool ApplyAnnotationOptions(CTarnDoc& doc, const BatchArguments& split, const char* command,
                            Messages& messages, bool& ok, int& exitCode);
