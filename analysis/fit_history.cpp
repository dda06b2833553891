#include "analysis/fit_history.h"

#include <algorithm>

bool AddToFitHistory(std::vector<std::string>& history, const std::string& text)
{
    if (std::find(history.begin(), history.end(), text) != history.end())
        return false;
    // Position 0 is the entry being edited; a new text goes behind it.
    const std::size_t at = !text.empty() && !history.empty() ? 1 : 0;
    history.insert(history.begin() + std::ptrdiff_t(at), text);
    return true;
}
