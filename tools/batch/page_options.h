#pragma once

#include "tools/batch/batch_arguments.h"

#include <vector>

class CTarnDoc;
class Messages;

/// The options that change the built page, shared by the commands that draw
/// it (render, animate): --x-axis and --y-axis (axis_options.h),
/// --line-scaling N and --font-scaling F (the Properties command's display
/// scaling: lines N times as wide, 1 to 50; fonts F times as high, above 0 to
/// 50), the annotation options (annotation_options.h) and the style options
/// (style_options.h).
std::vector<OptionSpec> WithPageOptions(std::vector<OptionSpec> options);

/// Carries out the page options of `split` on `doc`, in this order: axes,
/// annotations, styles, display scaling. Returns false when an option is
/// malformed (the usage error of `command` is printed and `exitCode` set to
/// 2); a step the dialogs would refuse shows its message and clears `ok`.
bool ApplyPageOptions(CTarnDoc& doc, const BatchArguments& split, const char* command, Messages& messages,
                      bool& ok, int& exitCode);
