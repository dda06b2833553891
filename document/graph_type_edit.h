#pragma once

class CTarnDoc;
class Graph;
class Messages;

/// The items of "Set Graph Type": "Linear X, Linear Y", "Linear X, Log Y",
/// "Log X, Linear Y", "Log X, Log Y".
extern const char* const kGraphTypeNames[4];

/// The item that shows the log flags of `graph`: 0 linear, 1 log y only,
/// 2 log x only, 3 both.
int GraphTypeItem(const Graph& graph);

/// Whether item `item` stands for a logarithmic x (2, 3) or y (1, 3) axis.
bool GraphTypeLogX(int item);
bool GraphTypeLogY(int item);

/// "OK" of "Set Graph Type" with item `item` (0 to 3): switches the current
/// graph's scales through `SetLogScale`, which shows its own refusals. The
/// document is marked modified, and the result is true (update the views),
/// when the switch was accepted, and also when it was refused for one axis
/// only but the other axis did change. A fully refused switch leaves the
/// document unmodified and gives false.
bool ApplyGraphType(CTarnDoc& doc, int item, Messages& messages);
