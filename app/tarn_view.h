#pragma once

#include "app/command_ids.h"

#include <QString>
#include <QWidget>

class CTarnDoc;
class Messages;

/// The one window that shows the page. It draws the document and handles the
/// commands that work on the page.
class CTarnView : public QWidget {
    Q_OBJECT
public:
    CTarnView(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    /// Carries out `command`; false when the view does not handle it.
    bool OnCommand(CommandId command);
    /// Whether `command` is handled here and may run now.
    bool IsCommandEnabled(CommandId command) const;
    /// Whether `command` shows a check mark, and its state.
    bool IsCommandChecked(CommandId command, bool* checked) const;

    /// Redraws the whole page (after the document was replaced or changed).
    void Refresh();

signals:
    /// Asks the frame to show `text` in status pane `pane` (0, 1 or 2).
    void StatusText(int pane, const QString& text);
    /// The document changed in a way the frame shows (title, modified mark).
    void DocumentChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTarnDoc& m_doc;
    Messages& m_messages;
};
