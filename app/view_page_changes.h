#pragma once

#include "document/tarn_doc.h"

#include <utility>

/// The view's undo step for one command or input event: the changes of its
/// lifetime are one step of the document's history, and when the step
/// changed what the window shows of the history (the modified mark, whether
/// Undo and Redo are possible), `notify` runs once it is recorded.
template <class Notify>
class ViewPageChanges {
public:
    ViewPageChanges(CTarnDoc& doc, Notify notify)
        : m_doc(doc), m_notify(std::move(notify)), m_before(State())
    {
        m_doc.BeginChanges();
    }
    ~ViewPageChanges()
    {
        m_doc.EndChanges();
        if (State() != m_before)
            m_notify();
    }
    ViewPageChanges(const ViewPageChanges&) = delete;
    ViewPageChanges& operator=(const ViewPageChanges&) = delete;

private:
    struct Shown {
        bool modified, canUndo, canRedo;
        int steps;
        bool operator==(const Shown&) const = default;
    };
    Shown State() const
    {
        return {m_doc.IsModified(), m_doc.CanUndo(), m_doc.CanRedo(), m_doc.History().UndoSteps()};
    }

    CTarnDoc& m_doc;
    Notify m_notify;
    Shown m_before;
};
