#include "document/page_history.h"

#include "document/tarn_doc.h"

#include <algorithm>
#include <new>
#include <unordered_set>

void PageHistory::Reset(CTarnDoc& doc, bool modified)
{
    m_states.clear();
    m_marks.clear();
    m_current = 0;
    m_saved = modified ? -1 : 0;
    m_pending = m_pendingMarks = false;
    m_lastMerge = 0;
    try {
        m_states.push_back(TakeSnapshot(doc));
        NoteCurrent(doc);
    } catch (const std::bad_alloc&) {
        // Without memory for a snapshot the page simply has no history.
        m_states.clear();
    }
}

void PageHistory::Commit(CTarnDoc& doc, bool marks, int mergeKey)
{
    if (m_groupDepth > 0) {
        // A group merges only when all its commits carry the same key.
        m_pendingMerge = !m_pending || m_pendingMerge == mergeKey ? mergeKey : 0;
        m_pending = true;
        m_pendingMarks = m_pendingMarks || marks;
        return;
    }
    Record(doc, marks, mergeKey);
}

void PageHistory::EndGroup(CTarnDoc& doc)
{
    if (m_groupDepth == 0 || --m_groupDepth > 0 || !m_pending)
        return;
    const bool marks = m_pendingMarks;
    const int mergeKey = m_pendingMerge;
    m_pending = m_pendingMarks = false;
    m_pendingMerge = 0;
    Record(doc, marks, mergeKey);
}

void PageHistory::MarkSaved(CTarnDoc& doc)
{
    // What was changed without a commit yet is in the saved file: it counts
    // as marked, so undoing it later shows the page differs from the file.
    m_pending = m_pendingMarks = false;
    m_pendingMerge = 0;
    Record(doc, true, 0);
    m_saved = m_current;
    m_lastMerge = 0;
}

void PageHistory::NoteCurrent(CTarnDoc& doc)
{
    m_currentFields = PageFields(doc);
    m_currentData = DataIdentity(doc);
}

void PageHistory::Record(CTarnDoc& doc, bool marks, int mergeKey)
{
    if (m_states.empty()) {
        Reset(doc, true);
        return;
    }
    try {
        std::string fields = PageFields(doc);
        std::vector<std::uintptr_t> data = DataIdentity(doc);
        if (fields == m_currentFields && data == m_currentData)
            return;
        PageSnapshot after = TakeSnapshot(doc);
        if (marks)
            mergeKey = 0;
        if (mergeKey != 0 && mergeKey == m_lastMerge && m_current > 0 && !CanRedo() &&
            m_saved != m_current) {
            m_states[std::size_t(m_current)] = std::move(after);
            m_currentFields = std::move(fields);
            m_currentData = std::move(data);
            return;
        }
        m_lastMerge = mergeKey;
        // A change after an undo replaces what could have been redone.
        m_states.resize(std::size_t(m_current) + 1);
        m_marks.resize(std::size_t(m_current));
        if (m_saved > m_current)
            m_saved = -1;
        m_states.push_back(std::move(after));
        m_marks.push_back(marks);
        ++m_current;
        m_currentFields = std::move(fields);
        m_currentData = std::move(data);
        Trim(doc);
    } catch (const std::bad_alloc&) {
        // The history lets go of everything rather than fail the change.
        m_states.clear();
        m_marks.clear();
        m_current = 0;
        m_saved = -1;
    }
}

bool PageHistory::ModifiedAt(int state) const
{
    if (m_saved < 0)
        return true;
    const int from = std::min(state, m_saved);
    const int to = std::max(state, m_saved);
    for (int i = from; i < to; ++i)
        if (m_marks[std::size_t(i)])
            return true;
    return false;
}

bool PageHistory::Undo(CTarnDoc& doc, bool* modified)
{
    if (!CanUndo())
        return false;
    RestoreSnapshot(doc, m_states[std::size_t(m_current) - 1]);
    --m_current;
    m_lastMerge = 0;
    NoteCurrent(doc);
    *modified = ModifiedAt(m_current);
    return true;
}

bool PageHistory::Redo(CTarnDoc& doc, bool* modified)
{
    if (!CanRedo())
        return false;
    RestoreSnapshot(doc, m_states[std::size_t(m_current) + 1]);
    ++m_current;
    m_lastMerge = 0;
    NoteCurrent(doc);
    *modified = ModifiedAt(m_current);
    return true;
}

std::size_t PageHistory::HeldBytes(const CTarnDoc& doc) const
{
    std::unordered_set<const void*> counted;
    ForEachDataBlock(doc, [&counted](const void* block, std::size_t) { counted.insert(block); });
    std::size_t bytes = 0;
    for (const PageSnapshot& state : m_states) {
        bytes += StructureBytes(state);
        ForEachDataBlock(state, [&](const void* block, std::size_t size) {
            if (counted.insert(block).second)
                bytes += size;
        });
    }
    return bytes;
}

void PageHistory::Trim(const CTarnDoc& doc)
{
    // The oldest state goes first; the step just recorded always stays.
    while (m_current > 1 && (m_current > kDepth || HeldBytes(doc) > kBudgetBytes)) {
        m_states.erase(m_states.begin());
        m_marks.erase(m_marks.begin());
        --m_current;
        if (m_saved >= 0)
            --m_saved;
    }
}
