#pragma once

#include <string>
#include <vector>

/// Adds `text` to the curve fit's equation history unless it is there
/// already: at position 1 when the text is not empty and the history is
/// not, else at position 0. Returns whether it was added.
bool AddToFitHistory(std::vector<std::string>& history, const std::string& text);
