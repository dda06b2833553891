// The view's Undo and Redo: the history itself lives in the document; the
// view offers it and shows the page it brings back.
#include "app/tarn_view.h"

#include "document/tarn_doc.h"

bool CTarnView::IsHistoryCommand(CommandId command)
{
    return command == CommandId::EditUndo || command == CommandId::EditRedo;
}

bool CTarnView::IsHistoryCommandEnabled(CommandId command) const
{
    return command == CommandId::EditUndo ? m_doc.CanUndo() : m_doc.CanRedo();
}

bool CTarnView::OnHistoryCommand(CommandId command)
{
    if (!IsHistoryCommand(command))
        return false;
    const bool done = command == CommandId::EditUndo ? m_doc.Undo() : m_doc.Redo();
    if (done) {
        // The graphs were replaced: the selection pointed into the old ones.
        Refresh();
        emit DocumentChanged();
    }
    return true;
}
