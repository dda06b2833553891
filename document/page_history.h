#pragma once

#include "document/page_snapshot.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CTarnDoc;

/// The page's undo history: a line of page states, the current one among
/// them, and for each step between two states whether it marked the page
/// modified. A change is recorded where it is committed, as a snapshot of
/// the page after it; the state before it is the one recorded last, so every
/// step can be undone and redone. A change made while a group is open is
/// recorded once, when the outermost group closes, so one command is one
/// step however many parts of it commit. A commit that leaves the page as it
/// was recorded records nothing. Unmarked commits may carry a merge key:
/// one that follows a step of the same key (with nothing undone in between)
/// joins that step, so a run of wheel zooms or of shifts is one step.
///
/// The history knows which state was saved: after an undo or a redo the page
/// is modified exactly when some step between the saved state and the
/// current one marked it so. It keeps at most `kDepth` steps and, beyond the
/// last one, no more than `kBudgetBytes` of memory of its own (storage shared
/// with the page is not counted); the oldest steps go first.
class PageHistory {
public:
    static constexpr int kDepth = 100;
    static constexpr std::size_t kBudgetBytes = std::size_t(256) << 20;

    /// Starts again from the page as it is now, with nothing to undo or redo;
    /// that state counts as saved unless `modified`.
    void Reset(CTarnDoc& doc, bool modified);

    /// A change was made; `marks` tells whether it marks the page modified.
    /// A non-zero `mergeKey` joins an unmarked change to the step before it
    /// when that step was made with the same key.
    void Commit(CTarnDoc& doc, bool marks, int mergeKey = 0);
    /// The page as it is now is what was saved. A change not recorded yet
    /// (pending in a group, or never committed) is recorded first, as marked.
    void MarkSaved(CTarnDoc& doc);

    void BeginGroup() { ++m_groupDepth; }
    /// Closes a group; the outermost records what the group committed.
    void EndGroup(CTarnDoc& doc);

    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < int(m_states.size()); }
    /// Brings back the state before the current one; false when there is none.
    /// Returns whether the page is then modified through `modified`.
    bool Undo(CTarnDoc& doc, bool* modified);
    /// Brings back the state after the current one; false when there is none.
    bool Redo(CTarnDoc& doc, bool* modified);

    /// Steps that can be undone and redone.
    int UndoSteps() const { return m_current; }
    int RedoSteps() const { return int(m_states.size()) - 1 - m_current; }
    /// Memory held by the history beyond what it shares with `doc`'s page.
    std::size_t HeldBytes(const CTarnDoc& doc) const;

private:
    void Record(CTarnDoc& doc, bool marks, int mergeKey);
    void NoteCurrent(CTarnDoc& doc);
    void Trim(const CTarnDoc& doc);
    bool ModifiedAt(int state) const;

    std::vector<PageSnapshot> m_states;
    std::vector<bool> m_marks; // m_marks[i]: the step from state i to i + 1 marked the page
    int m_current = 0;
    int m_saved = 0;           // the saved state, -1 when it is no longer held
    std::string m_currentFields;               // the current state's fields as JSON
    std::vector<std::uintptr_t> m_currentData; // and its data's identity
    int m_groupDepth = 0;
    bool m_pending = false;
    bool m_pendingMarks = false;
    int m_pendingMerge = 0;
    int m_lastMerge = 0;       // the merge key of the last step recorded
};
