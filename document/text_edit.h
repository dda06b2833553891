#pragma once

#include <string>

class Graph;
class Messages;
class TextObject;

/// The three titles of a graph that Graph > Labels edits.
enum class TitleKind { Title, XAxis, YAxis };

/// The title `kind` of `graph`.
TextObject& TitleOf(Graph& graph, TitleKind kind);
/// The caption of the text editing dialog for `kind`: "Title", "X Axis" or "Y Axis".
const char* TitleCaption(TitleKind kind);

/// Reads the "Orientation:" entry of the text editing dialog: a whole number
/// of degrees from 0 to 360 (white space around it is allowed). Anything else
/// shows "Please enter a valid orientation!" and returns false.
bool ReadOrientation(const std::string& text, int& degrees, Messages& messages);
