#pragma once

#include "document/axis_settings.h"
#include "model/colors.h"

#include <string>

class CTarnDoc;
class Messages;

/// What `--x-axis` and `--y-axis` ask for: comma-separated KEY=VALUE pairs
/// that set what the axis dialogs set, on the current graph's axes of one
/// direction (`applyto` widens it as "Apply To:" does):
///   title=TEXT major=N minor=N ticks=on|off labels=on|off grid=on|off color=C
///     (Axis Properties; the spacings are number fields, as "2*pi")
///   tickside=normal|both|opposite tickdir=in|out (Tick Marks)
///   labelside=normal|both|opposite format=general|engineering|scientific
///     precision=0..9 labelcolor=C labelheight=PIXELS (Tick Labels)
///   gridtype=solid|dotted|dashed|dashdot|dashdotdot|none gridsize=1..5 gridcolor=C
///     (Grid Options, which also switches the grid on)
///   applyto=axis|axes|graphs|all
/// Colours are the colour names (black, red, ..., none) or #RRGGBB.
struct AxisOptionResult {
    bool ok = true;          ///< false when a step failed (its message was shown)
    std::string usageError;  ///< a malformed option, or empty
};

/// Carries out one direction's option text on `doc`, in the dialogs' order:
/// tick marks, tick labels, grid options, then the axis properties.
AxisOptionResult ApplyAxisOption(CTarnDoc& doc, AxisDirection direction, const std::string& text,
                                 Messages& messages);

/// Reads a colour option: a colour name (black, red, ..., none) or #RRGGBB.
bool ReadColor(const std::string& text, Color& color);

struct BatchArguments;

/// The `--x-axis` and `--y-axis` options of a page command, applied to the
/// built page. Returns false when a step failed (`ok` is cleared) or an option
/// is malformed (the usage error is printed and `exitCode` set to 2).
bool ApplyAxisOptions(CTarnDoc& doc, const BatchArguments& split, const char* command,
                      Messages& messages, bool& ok, int& exitCode);
