#include "document/function_history.h"

bool FunctionHistory::Same(const FunctionHistoryEntry& a, const FunctionHistoryEntry& b)
{
    if (a.formula != b.formula || a.formula2 != b.formula2)
        return false;
    if (a.formula.empty() && a.formula2.empty())
        return true;
    return a.points == b.points && a.min == b.min && a.max == b.max;
}

bool FunctionHistory::Contains(const FunctionHistoryEntry& entry) const
{
    for (const FunctionHistoryEntry& existing : m_entries)
        if (Same(existing, entry))
            return true;
    return false;
}

void FunctionHistory::AddOnOpening(const FunctionHistoryEntry& entry)
{
    if (!Contains(entry))
        m_entries.insert(m_entries.begin(), entry);
}

void FunctionHistory::AddAfterPlot(const FunctionHistoryEntry& entry)
{
    if (!m_entries.empty())
        m_entries.erase(m_entries.begin());
    if (!Contains(entry))
        m_entries.insert(m_entries.begin(), entry);
}
